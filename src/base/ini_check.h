// Why cd.ini cannot give the program what it needs to start: the file is missing, unreadable,
// too large, empty, not a settings file at all, or without its password entry.
#pragma once

#include <string>

// The cause, worded to follow "cd.ini in <folder> " ("is empty", "cannot be read: ..."), or an
// empty text when cd.ini can be read and holds the password entry.
std::string CdIniProblem();
