#include "transfer/foreign_import_form.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "base/feedback.h"
#include "base/ui.h"
#include "shell/dialog_parts.h"
#include "store/catalogue.h"
#include "store/percent_progress.h"
#include "transfer/foreign_import_help.h"
#include "transfer/import_step.h"
#include "transfer/paged_refusals.h"
#include "transfer/text_table_model.h"

namespace {

QString ForeignText(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

std::unique_ptr<ForeignImport> PrepareForeignImport(Catalogue& catalogue, const std::string& path,
                                                    const ForeignImportOptions& options) {
    auto import = std::make_unique<ForeignImport>();
    xbase::Status status;
    {
        BusyCursor busy;
        status =
            import->Prepare(catalogue, path, options, PercentProgress([](int percent) {
                                ShowStatus("Reading the file... " + std::to_string(percent) + "%");
                            }));
        ShowStatus("");
    }
    if (status.ok())
        return import;
    PlayWave("error.wav");
    CurrentUi().Message(MsgKind::Error,
                        "The file cannot be imported; nothing was added.\n" + status.ToString());
    return nullptr;
}

TForeignImportForm::TForeignImportForm(Catalogue& catalogue, std::string path,
                                       ForeignImportOptions options,
                                       std::unique_ptr<ForeignImport> import, QWidget* parent)
    : QDialog(parent),
      catalogue_(catalogue),
      path_(std::move(path)),
      options_(std::move(options)),
      import_(std::move(import)) {
    setObjectName("TForeignImportForm");
    setWindowTitle("Import from another program");
    auto* layout = new QVBoxLayout(this);
    summary_ = new QLabel(this);
    summary_->setObjectName("SummaryLabel");
    summary_->setWordWrap(true);
    summary_->setTextFormat(Qt::PlainText);
    layout->addWidget(summary_);

    if (!import_->media().empty())
        AddCarrierTable(this, layout);

    auto* firstRows = new QLabel("&First rows as they will be stored:", this);
    layout->addWidget(firstRows);
    files_ = new QTabWidget(this);
    files_->setObjectName("FilesTabs");
    firstRows->setBuddy(files_);
    layout->addWidget(files_, 2);

    // Texts cut to their field, and how the file was read (an encoding guessed, ...).
    cutLabel_ = new QLabel(
        "No&tes: texts cut to fit (the full text is in the memo), and how the "
        "file was read:",
        this);
    layout->addWidget(cutLabel_);
    cutModel_ = new TextTableModel({"Note"}, 0, nullptr);
    cutGrid_ = TextGrid(this, "CutGrid", cutModel_);
    cutLabel_->setBuddy(cutGrid_);
    layout->addWidget(cutGrid_, 1);

    refusals_ = new TPagedRefusals({"Where", "Reason"}, this);
    refusals_->grid()->setColumnWidth(0, 110);
    layout->addWidget(refusals_, 2);

    auto* box = new QDialogButtonBox(this);
    importButton_ = AddDialogButton(box, "ImportBtn", "&Import", QDialogButtonBox::AcceptRole);
    AddDialogButton(box, "CancelBtn", "&Cancel", QDialogButtonBox::RejectRole);
    connect(importButton_, &QPushButton::clicked, this, &TForeignImportForm::ImportBtnClick);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    AddForeignImportHelp(this, box);
    layout->addWidget(box);
    ShowPrepared();
    resize(860, 640);
}

TForeignImportForm::~TForeignImportForm() = default;

void TForeignImportForm::AddCarrierTable(QWidget* parent, QVBoxLayout* layout) {
    auto* title = new QLabel("&Media and the carriers they go to:", parent);
    layout->addWidget(title);
    std::vector<std::string> codes;
    {
        // A catalogue without carriers yet is no news here: the pick list's message stays away.
        const ScopedUi quiet(nullptr);
        catalogue_.dm3.GetItems(codes, 'D');
    }
    for (const auto& [medium, carrier] : import_->media())
        if (std::find(codes.begin(), codes.end(), carrier) == codes.end())
            codes.push_back(carrier);
    auto* rows = new QWidget;
    auto* grid = new QGridLayout(rows);
    QWidget* previous = nullptr;
    for (const auto& [medium, carrier] : import_->media()) {
        const size_t at = media_.size();
        media_.push_back(medium);
        auto* label = new QLabel(rows);
        label->setTextFormat(Qt::PlainText);
        label->setText(medium.empty() ? QString("(none given)") : ForeignText(medium));
        // Editable: a carrier the catalogue does not know yet can be typed.
        auto* combo = new QComboBox(rows);
        combo->setObjectName(QString("CarrierCombo%1").arg(at + 1));
        combo->setAccessibleName(label->text());
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->lineEdit()->setMaxLength(10);
        combo->setMinimumWidth(combo->fontMetrics().horizontalAdvance("MMMMMMMMMM") + 40);
        for (const std::string& code : codes)
            combo->addItem(ForeignText(code));
        combo->setCurrentText(ForeignText(carrier));
        connect(combo, &QComboBox::activated, this, [this, at] { CarrierChosen(at); });
        connect(combo->lineEdit(), &QLineEdit::editingFinished, this,
                [this, at] { CarrierChosen(at); });
        combo->installEventFilter(this);
        grid->addWidget(label, int(at), 0);
        grid->addWidget(combo, int(at), 1);
        if (previous == nullptr)
            title->setBuddy(combo);
        else
            setTabOrder(previous, combo);
        previous = combo;
        carriers_.push_back(combo);
    }
    grid->setColumnStretch(2, 1);
    auto* scroll = new QScrollArea(parent);
    scroll->setObjectName("CarriersArea");
    scroll->setWidgetResizable(true);
    scroll->setWidget(rows);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Up to four media without scrolling.
    const int rowHeight = carriers_.front()->sizeHint().height() + grid->spacing();
    scroll->setMaximumHeight(std::min(int(carriers_.size()), 4) * rowHeight +
                             grid->contentsMargins().top() + grid->contentsMargins().bottom() +
                             2 * scroll->frameWidth());
    layout->addWidget(scroll);
}

bool TForeignImportForm::eventFilter(QObject* watched, QEvent* event) {
    // Enter in a carrier applies the carrier; only the next Enter imports.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        for (size_t at = 0; at < carriers_.size(); ++at)
            if (watched == carriers_[at] && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
                CarrierChosen(at);
                return true;
            }
    }
    return QDialog::eventFilter(watched, event);
}

std::string TForeignImportForm::ChosenCarrier(size_t medium) const {
    return carriers_[medium]->currentText().trimmed().toUpper().toStdString();
}

void TForeignImportForm::CarrierChosen(size_t medium) {
    std::string before;
    for (const auto& [name, carrier] : import_->media())
        if (name == media_[medium])
            before = carrier;
    if (ChosenCarrier(medium) == before)
        return;  // nothing changed: no need to read the file again
    std::unique_ptr<ForeignImport> again;
    ForeignImportOptions options = options_;
    if (!ChosenCarrier(medium).empty()) {
        for (size_t at = 0; at < carriers_.size(); ++at)
            options.carriers[media_[at]] = ChosenCarrier(at);
        again = PrepareForeignImport(catalogue_, path_, options);
    }
    if (again == nullptr) {
        const QSignalBlocker quiet(carriers_[medium]);
        carriers_[medium]->setCurrentText(ForeignText(before));
        return;
    }
    options_ = std::move(options);
    import_ = std::move(again);
    ShowPrepared();
}

void TForeignImportForm::ShowPrepared() {
    const ForeignImport& import = *import_;
    const uint64_t refused = import.refusedRows();
    QString summary = "From " + QFileInfo(ForeignText(path_)).fileName() + " (" +
                      foreign::FormatTitle(options_.format) + "):\n";
    summary += import.empty() ? "Nothing can be added."
                              : ForeignText(import.Summary()) + " will be added.";
    if (refused > 0)
        summary += "\n" + GroupedNumber(refused) + (refused == 1 ? " entry is" : " entries are") +
                   " refused and will not be added; the reasons are listed below.";
    if (!import.cutNotes().empty())
        summary += "\n" + GroupedNumber(import.cutNotes().size()) +
                   (import.cutNotes().size() == 1 ? " note is" : " notes are") + " listed below.";
    summary_->setText(summary);

    const int tab = files_->currentIndex();
    while (files_->count() > 0) {
        QWidget* page = files_->widget(0);
        files_->removeTab(0);
        delete page;
    }
    for (const CsvPreview& preview : import.previews()) {
        QStringList headers;
        for (const std::string& name : preview.header)
            headers << ForeignText(name);
        auto* model =
            new TextTableModel(headers, int(preview.rows.size()), [&preview](int row, int column) {
                const auto& cells = preview.rows[size_t(row)];
                return size_t(column) < cells.size() ? ForeignText(cells[size_t(column)])
                                                     : QString();
            });
        // The work files' names mean nothing to the user: the tabs say what they hold.
        const QString title = preview.file == "sources.csv"  ? QString("&Sources")
                              : preview.file == "tracks.csv" ? QString("Trac&ks")
                                                             : ForeignText(preview.file);
        files_->addTab(TextGrid(files_, "RowsGrid", model), title);
    }
    files_->setCurrentIndex(std::max(tab, 0));

    const auto& notes = import.cutNotes();
    cutModel_->Reset(int(notes.size()),
                     [&notes](int row, int) { return ForeignText(notes[size_t(row)]); });
    cutLabel_->setVisible(!notes.empty());
    cutGrid_->setVisible(!notes.empty());

    const auto& kept = import.refusals();
    refusals_->SetRows(kept.size(), refused, [&kept](size_t row, int column) {
        return ForeignText(column == 0 ? kept[row].origin : kept[row].reason);
    });

    for (size_t at = 0; at < carriers_.size(); ++at)
        for (const auto& [name, carrier] : import.media())
            if (name == media_[at] && carriers_[at]->currentText().toStdString() != carrier) {
                const QSignalBlocker quiet(carriers_[at]);
                carriers_[at]->setCurrentText(ForeignText(carrier));
            }
    importButton_->setEnabled(!import.empty());
    importButton_->setDefault(!import.empty());
}

void TForeignImportForm::ImportBtnClick() {
    const bool added = AddImportedShown(
        catalogue_, "foreign-import", "Importing...",
        [this](const xbase::ProgressFn& progress) { return import_->Apply(catalogue_, progress); },
        [this] { return import_->Summary(); });
    if (added)
        accept();
    else
        reject();
}
