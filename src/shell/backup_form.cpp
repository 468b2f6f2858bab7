#include "shell/backup_form.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QVBoxLayout>

#include "base/feedback.h"
#include "base/ini.h"
#include "shell/dialog_parts.h"
#include "shell/external_programs.h"
#include "shell/password.h"

namespace {

constexpr char kBackupSection[] = "Diversen";

QLabel* Label(const QString& text, QWidget* parent) {
    return new QLabel(text, parent);
}

}  // namespace

TBackupForm::TBackupForm(QWidget* parent)
    : QDialog(parent),
      reportAfter_(new QSpinBox(this)),
      dontShow_(new QCheckBox("Don't show", this)) {
    setObjectName("BackupForm");
    setWindowTitle("Important");

    const int threshold = IniReadInteger(kBackupSection, "MeldBackupOp");

    auto* icon = new QLabel(this);
    icon->setObjectName("Image1");
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop);

    // The count sits between two captions of its own, as on the original screen.
    auto* countLine = new QHBoxLayout;
    countLine->setSpacing(0);
    countLine->addWidget(Label("In the mean time you add ", this));
    QLabel* count = Label(QString::number(threshold), this);
    count->setObjectName("lMeldBackupOp");
    count->setStyleSheet("font-weight: bold");
    countLine->addWidget(count);
    countLine->addSpacing(4);
    countLine->addWidget(Label("or more sources", this));
    countLine->addStretch();

    auto* backupLine = new QHBoxLayout;
    backupLine->setSpacing(0);
    backupLine->addWidget(Label("Make regular a ", this));
    QLabel* backupWord = Label("BACKUP", this);
    backupWord->setStyleSheet("font-weight: bold; color: #b00000");
    backupLine->addWidget(backupWord);
    backupLine->addSpacing(4);
    QLabel* program = Label(
        "with " + QString::fromStdString(ExternalProgramName(ExternalProgram::Backup)) + ".", this);
    program->setObjectName("lBackupProgram");
    backupLine->addWidget(program);
    backupLine->addStretch();

    reportAfter_->setObjectName("SpinEdit1");
    reportAfter_->setRange(1, 99);
    reportAfter_->setValue(threshold);
    auto* reportLine = new QHBoxLayout;
    QLabel* reportLabel = Label("Report after", this);
    reportLabel->setBuddy(reportAfter_);
    reportLine->addWidget(reportLabel);
    reportLine->addWidget(reportAfter_);
    reportLine->addWidget(Label("sources", this));
    reportLine->addStretch();

    dontShow_->setObjectName("CheckBox1");
    dontShow_->setChecked(IniReadBool(kBackupSection, "MeldBackupWindow"));

    auto* text = new QVBoxLayout;
    text->setSpacing(6);
    text->addLayout(countLine);
    text->addLayout(backupLine);
    text->addSpacing(10);
    text->addLayout(reportLine);
    text->addWidget(dontShow_);
    auto* top = new QHBoxLayout;
    top->setSpacing(16);
    top->addWidget(icon);
    top->addLayout(text, 1);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
    ok->setObjectName("OKBtn");
    ok->setDefault(true);
    QPushButton* backup = buttons->addButton("&Backup", QDialogButtonBox::ActionRole);
    backup->setObjectName("BackupBtn");
    backup->setEnabled(NietBeveiligd());
    connect(ok, &QPushButton::clicked, this, &TBackupForm::OKBtnClick);
    connect(backup, &QPushButton::clicked, this, &TBackupForm::BackupBtnClick);

    LayOutDialog(this, top, buttons, 16, 14);
    setTabOrder(reportAfter_, dontShow_);
    setTabOrder(dontShow_, ok);
    setTabOrder(ok, backup);
}

void TBackupForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    PlayWave("Opti.wav");
}

void TBackupForm::OKBtnClick() {
    // Closing the program goes on even when cd.ini could not be written; that has been reported.
    if (IniWriteBool(kBackupSection, "MeldBackupWindow", dontShow_->isChecked())) {
        IniWriteInteger(kBackupSection, "MeldBackupOp", reportAfter_->value());
    }
    accept();
}

void TBackupForm::BackupBtnClick() {
    StartExternalProgram(ExternalProgram::Backup);
    accept();
}
