// TCheckCatalogueForm ("Check the catalogue"): runs the catalogue's check of its own data for the
// kinds ticked and lists what it found grouped by kind, with a count per kind. Enter or a
// double-click on a finding opens its source. An MDI child, destroyed when closed.
#pragma once

#include <QWidget>
#include <vector>

#include "store/catalogue_check.h"
#include "store/catalogue_mend.h"

class Catalogue;
class QCheckBox;
class QHBoxLayout;
class CheckFindingsModel;
class QModelIndex;
class QPushButton;
class QTreeView;

class TCheckCatalogueForm : public QWidget {
    Q_OBJECT
public:
    // `catalogue` must outlive the screen.
    explicit TCheckCatalogueForm(Catalogue& catalogue, QWidget* parent = nullptr);

    // "C&heck": checks the kinds ticked behind the scan progress; a cancelled check leaves the
    // list as it was. Nothing found: "Nothing to mend was found.".
    void CheckClick();
    // "&Export CSV…": the findings listed, one line each, to a file the user picks.
    void ExportClick();
    // "&Print…": the findings listed, in the report preview, which prints them or saves them
    // as PDF.
    void PrintClick();
    // The source of the finding on the row, as Enter opens it.
    void OpenFinding(const QModelIndex& row);

    // The mending buttons: each plans its mending from the findings of its kinds (those of the
    // group under the cursor when it is one of them), shows every change, and once the user
    // goes ahead takes a safety copy, mends and checks again.
    void MendClick(MendKind kind);

    QTreeView* findings() { return tree_; }

private:
    void ShowCheck();
    void AddMendButtons(QHBoxLayout* row);
    // Each mending button is enabled while its kinds have findings.
    void EnableMendButtons();
    std::vector<CheckFinding> MendFindings(MendKind kind) const;

    Catalogue& catalogue_;
    std::vector<QCheckBox*> kinds_;  // in kAllCheckKinds order
    CheckFindingsModel* model_;      // keeps the check shown
    QTreeView* tree_;
    std::vector<std::pair<MendKind, QPushButton*>> mendButtons_;
};
