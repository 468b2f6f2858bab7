# What makes a clean build quick on a small machine: a faster linker where one is installed, and
# headers that nearly every file includes precompiled once per build and shared by the targets.
option(TUNELO_PCH "Precompile the common standard, Qt and GoogleTest headers" ON)
option(TUNELO_FAST_LINKER "Link with mold or lld when one is installed" ON)
# Each target's sources compiled a batch at a time: a file costs little once the headers it shares
# with its neighbours are read. Turn it off for quicker rebuilds while editing one file.
option(TUNELO_UNITY "Compile the sources of a target in batches (unity build)" ON)
set(TUNELO_UNITY_BATCH_SIZE 16 CACHE STRING "Sources per batch of a unity build")
if(TUNELO_UNITY)
  set(CMAKE_UNITY_BUILD ON)
  set(CMAKE_UNITY_BUILD_BATCH_SIZE ${TUNELO_UNITY_BATCH_SIZE})
endif()

if(TUNELO_FAST_LINKER AND NOT TUNELO_FUZZ)
  find_program(TUNELO_MOLD mold)
  find_program(TUNELO_LLD ld.lld)
  if(TUNELO_MOLD)
    add_link_options(-fuse-ld=mold)
    message(STATUS "Linking with ${TUNELO_MOLD}")
  elseif(TUNELO_LLD)
    add_link_options(-fuse-ld=lld)
    message(STATUS "Linking with ${TUNELO_LLD}")
  endif()
endif()

set(TUNELO_PCH_DIR ${CMAKE_CURRENT_LIST_DIR}/pch)

# tunelo_pch_target(NAME HEADER [DEPS ...]): a target that only builds HEADER's precompiled form,
# for others to reuse. DEPS give it the include paths and definitions of the targets reusing it;
# where they differ the compiler quietly reads the headers as text, so a mismatch costs time only.
function(tunelo_pch_target name header)
  if(NOT TUNELO_PCH OR TARGET ${name})
    return()
  endif()
  add_library(${name} STATIC ${TUNELO_PCH_DIR}/empty.cpp)
  target_link_libraries(${name} PRIVATE ${ARGN})
  target_precompile_headers(${name} PRIVATE ${TUNELO_PCH_DIR}/${header})
  set_target_properties(${name} PROPERTIES AUTOMOC OFF)
endfunction()

# tunelo_use_pch(TARGET PCH_TARGET): TARGET compiles with PCH_TARGET's precompiled header.
function(tunelo_use_pch target pch_target)
  if(TUNELO_PCH AND TARGET ${pch_target})
    target_precompile_headers(${target} REUSE_FROM ${pch_target})
    # GCC 12 reports false array bounds and overflows in std::string code read from a
    # precompiled header; the engine and the store, compiled without one, keep the warnings.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
      target_compile_options(${target} PRIVATE -Wno-array-bounds -Wno-stringop-overflow
                                               -Wno-restrict)
    endif()
  endif()
endfunction()
