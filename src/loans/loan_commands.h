// The loan register's way in: the main window's loan commands, the check of due loans at start
// and on closing, and the loan of one source for the screens that show sources.
#pragma once

class Catalogue;
class QWidget;
class TMainForm;

// Registers "&Loan out", "&Loan collection" (menu and toolbar), "&Check..." and the automatic
// due check on `form`; `form` and `catalogue` must outlive the run.
void InstallLoanCommands(TMainForm& form, Catalogue& catalogue);

// Opens the loan dialog, modal over `parent`, for the source whose main title hfdat.dat stands
// on; without one only the beep. True when a loan was stored or deleted. Table failures are shown
// to the user.
bool ShowLoanForSource(Catalogue& catalogue, QWidget* parent);

// The due check: lists the loans due today or earlier and shows them modally over `parent`. With
// none due, `showNone` says so; otherwise nothing shows. True when the list was shown.
bool CheckDueLoans(Catalogue& catalogue, QWidget* parent, bool showNone);

// Opens the loan list as a child window of `form`, or brings the open one forward.
void OpenLoanList(TMainForm& form, Catalogue& catalogue);
