// TZoekVervang: "Search and replace". Replaces the text of lZoekStr by that of VervangStr in the
// fields chosen under "Replace in", every track and every main title, after a safety copy; with
// vWaarschuw each change is asked about in TMeldVervang. Tel counts the records examined.
#pragma once

#include <QDialog>
#include <vector>

#include "maintenance/repaint_throttle.h"
#include "store/field_replace.h"

class Catalogue;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TMainForm;

class TZoekVervang : public QDialog {
    Q_OBJECT
public:
    // `catalogue` must outlive the screen.
    TZoekVervang(Catalogue& catalogue, QWidget* parent = nullptr);

    void BitBtn1Click();

private:
    void FormCreate();
    ReplaceIn Chosen() const;
    void ShowCount(uint64_t examined);

    Catalogue& catalogue_;
    QLineEdit* lZoekStr_;
    QLineEdit* vervangStr_;
    std::vector<QRadioButton*> replaceIn_;  // in the order of ReplaceIn
    QRadioButton* vGedeelte_;
    QRadioButton* vExact_;
    QCheckBox* vWaarschuw_;
    QCheckBox* vKapitaliseer_;
    QLabel* tel_;
    QPushButton* ok_;
    ReplaceFlags flags_{};
    RepaintThrottle throttle_;
};

// Registered for "Searchandreplace1": refuses while an editing screen is open, else shows the
// screen.
void RunSearchAndReplace(TMainForm& form, Catalogue& catalogue);
