// The main window's commands of entering and amending: "&Add" and the "Add" button, "&Reopen"
// and the "Reopen" button, "&Add some tracks", "&Adding source" and Search > "&Number".
#pragma once

class Catalogue;
class TMainForm;

// Registers the commands on `form`; `form` and `catalogue` must outlive the run.
void InstallEntryCommands(TMainForm& form, Catalogue& catalogue);

// Disables the entry commands and opens the entry screen as a child window; they are enabled
// again when it closes.
void OpenEntryScreen(TMainForm& form, Catalogue& catalogue);

// Whether a source is still open for entry (cd.ini Diversen, OpenDrager).
bool SourceLeftOpen();
