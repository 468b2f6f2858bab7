// TVeiligheidsKopieForm: "Restore safety copy". Lists the safety copies of the catalogue (date,
// what was run, size), the most recent first; OK asks for confirmation, closes the other
// screens, keeps the present state as one more copy, puts the chosen copy back and says that the
// program will be closed: the screen is then accepted and the caller ends the program.
#pragma once

#include <QDialog>
#include <vector>

#include "store/safety_copy.h"

class Catalogue;
class TMainForm;
class QProgressBar;
class QPushButton;
class QTableWidget;

class TVeiligheidsKopieForm : public QDialog {
    Q_OBJECT
public:
    // `form` and `catalogue` must outlive the screen. Show it with exec(): Accepted once the
    // tables were closed for the restore (the program must end then).
    TVeiligheidsKopieForm(TMainForm& form, Catalogue& catalogue);

private:
    void BitBtn1Click();

    TMainForm& form_;
    Catalogue& catalogue_;
    std::vector<SafetyCopy> copies_;
    QTableWidget* grid_;
    QProgressBar* gauge_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

// Registered for "Restoresafetycopy1": refuses while an editing screen is open, says so when
// there is no copy, else shows the screen and ends the program after a restore.
void RunRestoreSafetyCopy(TMainForm& form, Catalogue& catalogue);
