// The translation unit of a target that exists only to build a precompiled header.
