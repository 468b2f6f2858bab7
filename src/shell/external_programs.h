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

// Starts the program by its stored path without waiting for it. When that path names no file:
// plays "ngev.wav", tells which program is not found and where to look, and lets the user choose
// it; a chosen path is written to cd.ini and started, a cancelled dialog starts nothing and keeps
// the stored path. Returns whether a program was started; a program that could not be started
// is reported.
bool StartExternalProgram(ExternalProgram program);
