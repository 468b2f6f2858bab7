// The three programs the catalogue starts but does not contain: the backup program, the
// character map and the volume control. Their paths live in cd.ini (section Opstart); a path
// that is missing or no longer exists is asked for once and remembered.
#pragma once

#include <string>

enum class ExternalProgram { Backup, SpecialCharacters, VolumeControl };

// The cd.ini key (section Opstart) that keeps the program's path.
const char* ExternalProgramKey(ExternalProgram program);
// The filter of the file dialog in which a program is chosen.
inline constexpr char kProgramFileFilter[] = "EXE files (.EXE)|*.EXE";

// Starts the program by its stored path without waiting for it. A path relative to the catalogue
// folder, or one inside it, is started only after the user agrees to a question that names it: a
// catalogue folder received from someone else must not run its code unasked. When the path names
// no file: plays "ngev.wav", tells which program is not found and an existing folder to look in,
// and lets the user choose it; a chosen path is written to cd.ini and started, a cancelled dialog
// starts nothing and keeps the stored path. Returns whether a program was started; a program
// that could not be started is reported.
bool StartExternalProgram(ExternalProgram program);

// The program as the user knows it: the file name of the stored path, or what it is for
// ("your backup program") while none is stored.
std::string ExternalProgramName(ExternalProgram program);
