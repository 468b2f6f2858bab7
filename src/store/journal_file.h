// What the journals of whole-catalogue operations (renumber.journal, replace.journal) share: a
// journal that does not fit the tables is renamed aside once, so that it is kept for the user to
// look at but no later start acts on it or speaks of it again.
#pragma once

#include <string>

// Renames the journal at `path` to NAME.refused (NAME.refused2, ... when that name is taken) and
// returns the new file name; empty when it cannot be renamed.
std::string SetJournalAside(const std::string& path);

// The closing words of a refusal: where the journal went, or that it stays.
std::string JournalAsideText(const std::string& path);
