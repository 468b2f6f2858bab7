#include "shell/lokatie_backup_form.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <optional>

#include "base/ini.h"
#include "base/ui.h"
#include "shell/dialog_parts.h"
#include "shell/external_programs.h"

namespace {

constexpr char kStartupSection[] = "Opstart";

std::string Utf8(const QString& text) {
    return text.toUtf8().toStdString();
}

}  // namespace

TLokatieBackupForm::TLokatieBackupForm(QWidget* parent) : QDialog(parent) {
    setObjectName("LokatieBackupForm");
    setWindowTitle("File location");

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(8);
    backup_ = AddRow(grid, 0, "Location backup:", "EditBackup", "BrowseBackup",
                     ExternalProgramKey(ExternalProgram::Backup));
    specialeTekens_ =
        AddRow(grid, 1, "Location special characters:", "EditSpecialeTekens",
               "BrowseSpecialeTekens", ExternalProgramKey(ExternalProgram::SpecialCharacters));
    volumeControl_ =
        AddRow(grid, 2, "Location volume settings:", "EditVolumeControl", "BrowseVolumeControl",
               ExternalProgramKey(ExternalProgram::VolumeControl));
    grid->setColumnStretch(1, 1);

    const OkCancelRow buttons = AddOkCancel(this, "OKBtn", "CancelBtn");
    connect(buttons.ok, &QPushButton::clicked, this, &TLokatieBackupForm::OKBtnClick);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 12);
    layout->setSpacing(14);
    layout->addLayout(grid);
    layout->addWidget(buttons.box);
    resize(560, sizeHint().height());
}

QLineEdit* TLokatieBackupForm::AddRow(QGridLayout* grid, int row, const char* caption,
                                      const char* editName, const char* buttonName,
                                      const char* key) {
    auto* field = new QLineEdit(this);
    field->setObjectName(editName);
    field->setMinimumWidth(320);
    const std::string stored = IniReadString(kStartupSection, key);
    if (stored != kIniAbsent) {
        field->setText(QString::fromUtf8(stored));
    }
    auto* label = new QLabel(caption, this);
    label->setBuddy(field);
    auto* browse = new QToolButton(this);
    browse->setObjectName(buttonName);
    browse->setText("...");
    browse->setToolTip("Browse");
    connect(browse, &QToolButton::clicked, this, [this, field] { Browse(field); });
    grid->addWidget(label, row, 0);
    grid->addWidget(field, row, 1);
    grid->addWidget(browse, row, 2);
    return field;
}

void TLokatieBackupForm::Browse(QLineEdit* field) {
    const std::optional<std::string> chosen =
        CurrentUi().OpenFileName("Open", kProgramFileFilter, Utf8(field->text()));
    if (chosen) {
        field->setText(QString::fromUtf8(*chosen));
    }
}

void TLokatieBackupForm::OKBtnClick() {
    const bool written =
        IniWriteString(kStartupSection, ExternalProgramKey(ExternalProgram::Backup),
                       Utf8(backup_->text())) &&
        IniWriteString(kStartupSection, ExternalProgramKey(ExternalProgram::SpecialCharacters),
                       Utf8(specialeTekens_->text())) &&
        IniWriteString(kStartupSection, ExternalProgramKey(ExternalProgram::VolumeControl),
                       Utf8(volumeControl_->text()));
    if (written) {
        accept();
    }
}
