#include "overview/check_catalogue_form.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <fstream>
#include <optional>
#include <set>

#include "base/ui.h"
#include "overview/check_findings_model.h"
#include "overview/show_source.h"
#include "overview/track_rows.h"
#include "print/check_report.h"
#include "shell/dialog_parts.h"
#include "shell/scan_progress_dialog.h"
#include "shell/window_placement.h"

namespace {

std::string CheckCsvCell(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string FindingSource(const CheckFinding& finding) {
    return finding.number == 0 ? std::string()
                               : finding.carrier + " " + std::to_string(finding.number);
}

}  // namespace

TCheckCatalogueForm::TCheckCatalogueForm(Catalogue& catalogue, QWidget* parent)
    : QWidget(parent),
      catalogue_(catalogue),
      model_(new CheckFindingsModel(this)),
      tree_(new QTreeView(this)) {
    setObjectName("CheckCatalogueForm");
    setWindowTitle("Check the catalogue");

    auto* kinds = new QGridLayout;
    int at = 0;
    for (CheckKind kind : kAllCheckKinds) {
        auto* box = new QCheckBox(QString::fromStdString(CheckKindTitle(kind)), this);
        box->setObjectName(QString("CheckBox%1").arg(at + 1));
        box->setChecked(true);
        kinds->addWidget(box, at / 2, at % 2);
        kinds_.push_back(box);
        ++at;
    }

    tree_->setObjectName("FindingsTree");
    tree_->setModel(model_);
    tree_->setRootIsDecorated(true);
    tree_->setUniformRowHeights(true);
    tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree_->header()->setStretchLastSection(true);
    tree_->setColumnWidth(0, tree_->fontMetrics().averageCharWidth() * 24);
    tree_->setColumnWidth(1, tree_->fontMetrics().averageCharWidth() * 40);
    // Enter as well as a double-click.
    connect(tree_, &QTreeView::activated, this, &TCheckCatalogueForm::OpenFinding);

    QPushButton* check = NamedButton(this, "CheckBtn", "C&heck");
    QPushButton* exportCsv = NamedButton(this, "ExportBtn", "&Export CSV\u2026");
    QPushButton* print = NamedButton(this, "PrintBtn", "&Print\u2026");
    QPushButton* close = NamedButton(this, "CloseBtn", "&Close");
    connect(check, &QPushButton::clicked, this, &TCheckCatalogueForm::CheckClick);
    connect(exportCsv, &QPushButton::clicked, this, &TCheckCatalogueForm::ExportClick);
    connect(close, &QPushButton::clicked, this, [this] { PlacementWindowOf(this)->close(); });
    connect(print, &QPushButton::clicked, this, &TCheckCatalogueForm::PrintClick);
    exportCsv->setEnabled(false);
    print->setEnabled(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(check);
    buttons->addWidget(exportCsv);
    buttons->addWidget(print);
    AddMendButtons(buttons);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addLayout(kinds);
    layout->addWidget(tree_, 1);
    layout->addLayout(buttons);
    // The list was made first; Tab goes from the kinds to the list and on to the buttons.
    setTabOrder(kinds_.back(), tree_);
    setTabOrder(tree_, check);
}

void TCheckCatalogueForm::CheckClick() {
    std::set<CheckKind> off;
    for (size_t i = 0; i < kinds_.size(); ++i) {
        if (!kinds_[i]->isChecked())
            off.insert(kAllCheckKinds[i]);
    }
    std::optional<CatalogueCheck> found;
    {
        BusyCursor busy;
        ScanProgressDialog progress(this, "Checking the catalogue...");
        ShowingTableErrors([&] { found = CheckCatalogue(catalogue_, off, progress.Hook()); });
    }
    if (!found || found->cancelled)
        return;  // failed or cancelled: the list shown stays
    model_->SetCheck(std::move(*found));
    ShowCheck();
    if (model_->Check().empty())
        CurrentUi().Message(MsgKind::Information, "Nothing to mend was found.");
}

void TCheckCatalogueForm::ShowCheck() {
    const CatalogueCheck& check = model_->Check();
    for (int g = 0; g < model_->rowCount(); ++g)
        tree_->setFirstColumnSpanned(g, QModelIndex(), true);  // "heading: count" not cut
    tree_->expandAll();
    findChild<QPushButton*>("ExportBtn")->setEnabled(!check.empty());
    findChild<QPushButton*>("PrintBtn")->setEnabled(!check.empty());
    EnableMendButtons();
    if (const QModelIndex first = model_->index(0, 0); model_->rowCount(first) > 0) {
        tree_->setCurrentIndex(model_->index(0, 0, first));
        tree_->setFocus();
    }
}

void TCheckCatalogueForm::OpenFinding(const QModelIndex& row) {
    const CheckFinding* found = model_->FindingAt(row);
    if (found == nullptr)
        return;  // a kind's heading
    const CheckFinding& finding = *found;
    if (finding.number == 0) {
        CurrentUi().Beep();  // a lookup item belongs to no source
        return;
    }
    const uint32_t track = finding.table == CheckTable::Tracks ? finding.recno : 0;
    ShowingTableErrors([&] {
        ShowSource(catalogue_, finding.carrier, std::to_string(finding.number), track, this);
    });
}

void TCheckCatalogueForm::ExportClick() {
    const std::optional<std::string> path =
        CurrentUi().SaveFileName("Export CSV", "CSV files|*.csv", "check.csv");
    if (!path)
        return;
    std::ofstream out(*path, std::ios::binary | std::ios::trunc);
    out << "Kind,Source,What is wrong,Table,Record\r\n";
    for (const CheckGroup& group : model_->Check().groups) {
        for (const CheckFinding& finding : group.findings) {
            out << CheckCsvCell(CheckKindTitle(group.kind)) << ','
                << CheckCsvCell(FindingSource(finding)) << ',' << CheckCsvCell(finding.text) << ','
                << CheckTableFile(finding.table) << ',' << finding.recno << "\r\n";
        }
    }
    out.close();
    if (!out)
        CurrentUi().Message(MsgKind::Error, "Could not write " + *path + ".");
}

void TCheckCatalogueForm::PrintClick() {
    if (!model_->Check().empty())
        PreviewCheckReport(model_->Check(), this);
}
