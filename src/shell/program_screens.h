// Every subsystem's screens and commands plugged into the main window, as the program runs: the
// CD player, entry, loans, playlist, searches, maintenance, printing, overviews and transfer.
// Kept apart from the shell library, which the subsystems themselves build on.
#pragma once

#include <memory>

class Catalogue;
class CdSpelerEntryCd;
class QtUi;
class TMainForm;

class ProgramScreens {
public:
    // `form`, `catalogue` and `ui` must outlive the object.
    ProgramScreens(TMainForm& form, Catalogue& catalogue, QtUi& ui);
    ~ProgramScreens();
    ProgramScreens(const ProgramScreens&) = delete;
    ProgramScreens& operator=(const ProgramScreens&) = delete;

private:
    std::unique_ptr<CdSpelerEntryCd> entryCd_;
};
