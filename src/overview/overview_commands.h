// Plugs the two overviews into the main window's Summary menu and toolbar.
#pragma once

#include <cstdint>
#include <functional>

class Catalogue;
class TMainForm;
class TData1TotOvz;
class TData2TotOvz;
class TDubbelForm;
class TInfoDatabaseForm;
class TCheckCatalogueForm;

// Opens the artist (main-title) overview as a new MDI child of `form`.
TData1TotOvz* OpenArtistOverview(TMainForm& form, Catalogue& catalogue);
TData2TotOvz* OpenMainTitleOverview(TMainForm& form, Catalogue& catalogue);
TDubbelForm* OpenDoubleEntries(TMainForm& form, Catalogue& catalogue);
TInfoDatabaseForm* OpenDatabaseInformation(TMainForm& form, Catalogue& catalogue);
TCheckCatalogueForm* OpenCatalogueCheck(TMainForm& form, Catalogue& catalogue);

// "Artist2"/"ArtistButton", "Maintitles1"/"MaintitlesButton", "Doubleentries1",
// "Databaseinformation1" and "Checkcatalogue1". `deleteSource` deletes the
// source of a main-title record after asking (true when it did); the main-title overview's
// "&Delete" uses it.
void InstallOverviewCommands(TMainForm& form, Catalogue& catalogue,
                             std::function<bool(uint32_t)> deleteSource = nullptr);
