#include "overview/check_catalogue_form.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <fstream>
#include <optional>
#include <set>

#include "base/ui.h"
#include "overview/show_source.h"
#include "overview/track_rows.h"
#include "print/check_report.h"
#include "shell/dialog_parts.h"
#include "shell/scan_progress_dialog.h"
#include "shell/window_placement.h"

namespace {

// Where a finding item keeps its place: group index and finding index.
constexpr int kGroupRole = Qt::UserRole;
constexpr int kFindingRole = Qt::UserRole + 1;

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
    : QWidget(parent), catalogue_(catalogue), tree_(new QTreeWidget(this)) {
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
    tree_->setHeaderLabels({"Source", "What is wrong", "Record"});
    tree_->setRootIsDecorated(true);
    tree_->setUniformRowHeights(true);
    tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree_->header()->setStretchLastSection(true);
    tree_->setColumnWidth(0, tree_->fontMetrics().averageCharWidth() * 24);
    tree_->setColumnWidth(1, tree_->fontMetrics().averageCharWidth() * 40);
    // Enter as well as a double-click.
    connect(tree_, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { OpenFinding(item); });

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
    check_ = std::move(*found);
    ShowCheck();
    if (check_.empty())
        CurrentUi().Message(MsgKind::Information, "Nothing to mend was found.");
}

void TCheckCatalogueForm::ShowCheck() {
    tree_->clear();
    for (size_t g = 0; g < check_.groups.size(); ++g) {
        const CheckGroup& group = check_.groups[g];
        // Filled before it joins the tree, which then takes its findings in one insertion.
        auto* top = new QTreeWidgetItem;
        top->setText(0, QString("%1: %2")
                            .arg(QString::fromStdString(CheckKindTitle(group.kind)))
                            .arg(group.findings.size()));
        for (size_t f = 0; f < group.findings.size(); ++f) {
            const CheckFinding& finding = group.findings[f];
            auto* item = new QTreeWidgetItem(top);
            item->setText(0, QString::fromStdString(FindingSource(finding)));
            item->setText(1, QString::fromStdString(finding.text));
            item->setText(2, QString::fromStdString(CheckTableFile(finding.table) + " " +
                                                    std::to_string(finding.recno)));
            item->setData(0, kGroupRole, int(g));
            item->setData(0, kFindingRole, int(f));
        }
        tree_->addTopLevelItem(top);
        top->setFirstColumnSpanned(true);  // only an item in the tree can span
        top->setExpanded(true);
    }
    findChild<QPushButton*>("ExportBtn")->setEnabled(!check_.empty());
    findChild<QPushButton*>("PrintBtn")->setEnabled(!check_.empty());
    EnableMendButtons();
    if (QTreeWidgetItem* first = tree_->topLevelItem(0); first && first->childCount() > 0) {
        tree_->setCurrentItem(first->child(0));
        tree_->setFocus();
    }
}

void TCheckCatalogueForm::OpenFinding(QTreeWidgetItem* item) {
    if (item == nullptr || item->parent() == nullptr)
        return;  // a kind's heading
    const CheckFinding& finding = check_.groups[size_t(item->data(0, kGroupRole).toInt())]
                                      .findings[size_t(item->data(0, kFindingRole).toInt())];
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
    for (const CheckGroup& group : check_.groups) {
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
    if (!check_.empty())
        PreviewCheckReport(check_, this);
}
