#include "transfer/export_csv_form.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "base/feedback.h"
#include "base/ui.h"
#include "shell/dialog_parts.h"
#include "store/csv_export.h"
#include "store/percent_progress.h"
#include "transfer/csv_folder.h"

TExportCsvForm::TExportCsvForm(Catalogue& catalogue, QWidget* parent)
    : QDialog(parent), catalogue_(catalogue) {
    setObjectName("TExportCsvForm");
    setWindowTitle("Export to CSV");
    auto* grid = new QGridLayout;
    auto* label = new QLabel("&Folder:", this);
    folder_ = new QLineEdit(QString::fromStdString(LastCsvFolder()), this);
    folder_->setObjectName("FolderEdit");
    folder_->setMinimumWidth(360);
    label->setBuddy(folder_);
    QPushButton* browse = NamedButton(this, "BrowseBtn", "&Browse...");
    connect(browse, &QPushButton::clicked, this, &TExportCsvForm::BrowseBtnClick);
    auto* files = new QLabel("Writes sources.csv and tracks.csv (UTF-8, a header row).", this);
    loans_ = new QCheckBox("Also the &loans (loans.csv)", this);
    loans_->setObjectName("LoansBox");
    playlist_ = new QCheckBox("Also the &playlist (playlist.csv)", this);
    playlist_->setObjectName("PlaylistBox");
    grid->addWidget(label, 0, 0);
    grid->addWidget(folder_, 0, 1);
    grid->addWidget(browse, 0, 2);
    grid->addWidget(files, 1, 1, 1, 2);
    grid->addWidget(loans_, 2, 1, 1, 2);
    grid->addWidget(playlist_, 3, 1, 1, 2);
    const OkCancelRow row = AddOkCancel(this, "OkBtn", "CancelBtn");
    connect(row.ok, &QPushButton::clicked, this, &TExportCsvForm::OkBtnClick);
    LayOutDialog(this, grid, row.box);
}

void TExportCsvForm::BrowseBtnClick() {
    if (const auto folder = CurrentUi().FolderName("Export to CSV", folder_->text().toStdString()))
        folder_->setText(QString::fromStdString(*folder));
}

void TExportCsvForm::OkBtnClick() {
    const std::string folder = folder_->text().trimmed().toStdString();
    if (folder.empty()) {
        PlayWave("error.wav");
        CurrentUi().Message(MsgKind::Warning, "Choose the folder to write the files to.");
        return;
    }
    xbase::Status status;
    std::string note;
    {
        BusyCursor busy;
        status = ExportCsv(catalogue_, folder, {loans_->isChecked(), playlist_->isChecked()},
                           PercentProgress([](int percent) {
                               ShowStatus("Exporting to CSV... " + std::to_string(percent) + "%");
                           }),
                           &note);
        ShowStatus("");
    }
    if (!status.ok()) {
        PlayWave("error.wav");
        CurrentUi().Message(MsgKind::Error, "The export failed: " + status.ToString());
        return;
    }
    SetLastCsvFolder(folder);
    CurrentUi().Message(MsgKind::Information, "The catalogue was exported to " + folder + "." +
                                                  (note.empty() ? "" : "\n" + note));
    accept();
}
