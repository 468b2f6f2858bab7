// Files of a catalogue folder. Names match without regard to letter case, as on the platform the
// catalogues come from: an existing file keeps its spelling, a new one gets the spelling asked for.
#pragma once

#include <string>
#include <string_view>

// The path of `name` in `folder`.
std::string FolderFile(const std::string& folder, std::string_view name);
// Whether `folder` holds a file called `name` in any letter case.
bool FolderHasFile(const std::string& folder, std::string_view name);
