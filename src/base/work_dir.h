// The program directory: the folder the program was started in. Every file of the catalogue, the
// settings files and the sounds are looked for there.
#pragma once

#include <string>
#include <string_view>

// The start directory, without a trailing slash.
std::string WorkDir();
// Set once at start (and by tests); a trailing slash is dropped.
void SetWorkDir(std::string folder);
// The path of `name` in the start directory. File names match without regard to letter case:
// an existing file keeps its spelling, a new one gets the spelling asked for.
std::string WorkFile(std::string_view name);
