// THernummerForm: "Renumber". The sources of the carrier chosen in hDrager get new numbers from
// the number in hNummer on (with cVerschuif "Move up": the sources from that number on move up by
// one). The run is planned and checked whole before a safety copy is taken and anything is
// written; Label1 shows the source being placed.
#pragma once

#include <QDialog>

#include "maintenance/repaint_throttle.h"

class Catalogue;
class PickListCombo;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TMainForm;
struct SourceMove;

class THernummerForm : public QDialog {
    Q_OBJECT
public:
    // `catalogue` must outlive the screen. Show it with exec(): Accepted after a run.
    THernummerForm(Catalogue& catalogue, QWidget* parent = nullptr);

    // The progress line for one source of the run, repainted at most every 50 ms.
    void PlaceTracks(const SourceMove& move);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormActivate();
    void UpdateOk();
    void BitBtn1Click();

    Catalogue& catalogue_;
    PickListCombo* hDrager_;
    QLineEdit* hNummer_;
    QCheckBox* cVerschuif_;
    QLabel* label1_;
    QPushButton* ok_;
    QPushButton* cancel_;
    std::string oldCarrier_;
    RepaintThrottle throttle_;
};

// Registered for "Renumber1": refuses while an editing screen is open, else shows the screen.
void RunRenumberScreen(TMainForm& form, Catalogue& catalogue);
