// TOpschoonForm: "Optimize databases". OK takes a safety copy, packs the tables (deleted records
// leave the files; PackFiles), checks every table's index files and rebuilds the damaged ones,
// then plays "Opti.wav" and says which tables were optimized and which not (another program held
// them) and that the program will be closed; the screen is then accepted
// and the caller ends the program. Gauge1 follows each step.
#pragma once

#include <QDialog>

class Catalogue;
class TMainForm;
class QProgressBar;
class QPushButton;

class TOpschoonForm : public QDialog {
    Q_OBJECT
public:
    // `catalogue` must outlive the screen. Show it with exec(): Accepted once the tables were
    // optimised (the program must end then), Rejected by Cancel or a failed safety copy.
    TOpschoonForm(Catalogue& catalogue, QWidget* parent = nullptr);

private:
    void BitBtn1Click();

    Catalogue& catalogue_;
    QProgressBar* gauge_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

// Registered for "Optimize1": refuses while an editing screen is open, else shows the screen and
// ends the program once it optimised.
void RunOptimize(TMainForm& form, Catalogue& catalogue);
