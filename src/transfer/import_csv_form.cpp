#include "transfer/import_csv_form.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include "shell/dialog_parts.h"
#include "store/csv_import.h"
#include "transfer/import_step.h"
#include "transfer/paged_refusals.h"
#include "transfer/text_table_model.h"

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

TImportCsvForm::TImportCsvForm(Catalogue& catalogue, CsvImport& import, const std::string& folder,
                               QWidget* parent)
    : QDialog(parent), catalogue_(catalogue), import_(import) {
    setObjectName("TImportCsvForm");
    setWindowTitle("Import from CSV");
    auto* layout = new QVBoxLayout;
    const uint64_t refused = import.refusedRows();
    QString summary = "From " + Text(folder) + ":\n";
    summary +=
        import.empty() ? "Nothing can be added." : Text(import.Summary()) + " will be added.";
    if (refused > 0)
        summary += QString("\n%1 %2 refused and will not be added; the reasons are listed below.")
                       .arg(refused)
                       .arg(refused == 1 ? "row is" : "rows are");
    auto* summaryLabel = new QLabel(summary, this);
    summaryLabel->setObjectName("SummaryLabel");
    summaryLabel->setWordWrap(true);
    layout->addWidget(summaryLabel);

    auto* firstRows = new QLabel("The first rows of each file:", this);
    layout->addWidget(firstRows);
    auto* files = new QTabWidget(this);
    files->setObjectName("FilesTabs");
    for (const CsvPreview& preview : import.previews()) {
        QStringList headers;
        for (const std::string& name : preview.header)
            headers << Text(name);
        auto* model =
            new TextTableModel(headers, int(preview.rows.size()), [&preview](int row, int column) {
                return Text(preview.rows[size_t(row)][size_t(column)]);
            });
        files->addTab(TextGrid(files, "RowsGrid", model), Text(preview.file));
    }
    firstRows->setBuddy(files);
    layout->addWidget(files, 1);

    auto* refusals = new TPagedRefusals({"File", "Line", "Reason"}, this);
    refusals->SetRows(import.refusals().size(), refused, [&import](size_t row, int column) {
        const CsvRefusal& r = import.refusals()[row];
        return column == 0 ? Text(r.file) : column == 1 ? QString::number(r.line) : Text(r.reason);
    });
    refusals->grid()->setColumnWidth(0, 100);
    refusals->grid()->setColumnWidth(1, 60);
    layout->addWidget(refusals, 1);

    auto* box = new QDialogButtonBox(this);
    QPushButton* importButton =
        AddDialogButton(box, "ImportBtn", "&Import", QDialogButtonBox::AcceptRole);
    AddDialogButton(box, "CancelBtn", "&Cancel", QDialogButtonBox::RejectRole);
    importButton->setEnabled(!import.empty());
    importButton->setDefault(!import.empty());
    connect(importButton, &QPushButton::clicked, this, &TImportCsvForm::ImportBtnClick);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(box);
    setLayout(layout);
    resize(820, 560);
}

void TImportCsvForm::ImportBtnClick() {
    const bool added = AddImportedShown(
        catalogue_, "csv-import", "Importing from CSV...",
        [this](const xbase::ProgressFn& progress) { return import_.Apply(catalogue_, progress); },
        [this] { return import_.Summary(); });
    if (added)
        accept();
    else
        reject();
}
