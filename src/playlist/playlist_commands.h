// The main window's "&Playlist" command, and the playlist window opened from it.
#pragma once

class Catalogue;
class TMainForm;
class TPlaylistForm;

// Lets "&Playlist" open the playlist window; `form` and `catalogue` must outlive the run.
void InstallPlaylistCommands(TMainForm& form, Catalogue& catalogue);

// Opens the playlist window as a child window of `form`, or brings the open one forward.
TPlaylistForm* OpenPlaylistScreen(TMainForm& form, Catalogue& catalogue);
