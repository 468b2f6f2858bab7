// The main window's commands of entering and amending: "&Add" and the "Add" button, "&Reopen"
// and the "Reopen" button, "Add &some tracks", "&Adding source" and Search > "&Number".
#pragma once

#include <functional>
#include <string>

class Catalogue;
class TMainForm;

// Opens the source screen on the source with this SourceSeekKey.
using ShowSourceFn = std::function<void(const std::string& sourceSeekKey)>;

// Registers the commands on `form`; `form` and `catalogue` must outlive the run. `showSource`
// shows the source found by "&Number" and, on request, the one "Add &some tracks" added to;
// without it "&Number" only says that the source exists.
void InstallEntryCommands(TMainForm& form, Catalogue& catalogue, ShowSourceFn showSource = {});

// Disables the entry commands and opens the entry screen as a child window; they are enabled
// again when it closes. `showSource` is what "Show it" opens for a disc the catalogue has.
void OpenEntryScreen(TMainForm& form, Catalogue& catalogue, ShowSourceFn showSource = {});

// Whether a source is still open for entry (cd.ini Diversen, OpenDrager).
bool SourceLeftOpen();
