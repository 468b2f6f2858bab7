#include "shell/qt_ui.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPointer>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

#include "shell/executable_filter.h"
#include "shell/file_filter.h"
#include "shell/help_viewer.h"
#include "shell/install_paths.h"

namespace {

// The feedback sounds last a second or two; one that has not started by then never will.
constexpr int kSoundLifetimeMs = 30000;

QString Text(const std::string& utf8) {
    return QString::fromUtf8(utf8);
}

QMessageBox::Icon IconFor(MsgKind kind) {
    switch (kind) {
        case MsgKind::Warning:
            return QMessageBox::Warning;
        case MsgKind::Error:
            return QMessageBox::Critical;
        case MsgKind::Information:
            return QMessageBox::Information;
        case MsgKind::Confirmation:
            return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// The window a dialog belongs to: the modal dialog in front, else the active window.
QWidget* DialogParent() {
    QWidget* modal = QApplication::activeModalWidget();
    return modal != nullptr ? modal : QApplication::activeWindow();
}

}  // namespace

QtUi::QtUi() = default;

QtUi::~QtUi() {
    while (busyDepth_ > 0) {
        SetBusy(false);
    }
}

void QtUi::setStatusSink(std::function<void(const QString&)> sink) {
    statusSink_ = std::move(sink);
}

QPrinter& QtUi::printer() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    return *printer_;
}

THelpViewer& QtUi::helpViewer() {
    if (!helpViewer_) {
        helpViewer_ = std::make_unique<THelpViewer>(QString::fromStdString(HelpFolder()));
    }
    return *helpViewer_;
}

MsgAnswer QtUi::Message(MsgKind kind, const std::string& text, MsgButtons buttons,
                        int helpContext) {
    QMessageBox box(IconFor(kind), "TUNELO", QString(), QMessageBox::NoButton, DialogParent());
    box.setObjectName("MessageBox");
    // Questions quote titles and names from the catalogue: never read them as markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(Text(text));
    QPushButton* first = nullptr;
    QPushButton* last = nullptr;
    switch (buttons) {
        case MsgButtons::Ok:
            first = last = box.addButton(QMessageBox::Ok);
            break;
        case MsgButtons::YesNo:
            first = box.addButton(QMessageBox::Yes);
            last = box.addButton(QMessageBox::No);
            break;
        case MsgButtons::YesNoAbort:
            first = box.addButton(QMessageBox::Yes);
            box.addButton(QMessageBox::No);
            last = box.addButton(QMessageBox::Abort);
            break;
        case MsgButtons::YesNoDefaultNo:
            // Enter and Escape both answer No.
            box.addButton(QMessageBox::Yes);
            first = last = box.addButton(QMessageBox::No);
            break;
    }
    box.setDefaultButton(first);
    // Escape and the close box give the last button, as the callers expect.
    box.setEscapeButton(last);
    if (helpContext != 0) {
        QPushButton* help = box.addButton(QMessageBox::Help);
        help->setObjectName("HelpButton");
        // The box closes on any of its buttons; Help must leave it open, so the button is taken
        // out of the box's own handling and only opens the help page.
        QObject::disconnect(help, &QAbstractButton::clicked, nullptr, nullptr);
        QObject::connect(help, &QAbstractButton::clicked, &box,
                         [this, helpContext] { ShowHelp(helpContext); });
    }
    const QPointer<QWidget> active = QApplication::activeWindow();
    box.exec();
    // Without a window manager to hand it back, the activation would stay with the closed box:
    // no window would answer the keyboard.
    if (QApplication::activeWindow() == nullptr && active != nullptr && active->isVisible())
        active->activateWindow();

    switch (box.standardButton(box.clickedButton())) {
        case QMessageBox::Yes:
            return MsgAnswer::Yes;
        case QMessageBox::No:
            return MsgAnswer::No;
        case QMessageBox::Abort:
            return MsgAnswer::Abort;
        case QMessageBox::Ok:
            return MsgAnswer::Ok;
        default:
            break;
    }
    switch (buttons) {
        case MsgButtons::Ok:
            return MsgAnswer::Ok;
        case MsgButtons::YesNo:
        case MsgButtons::YesNoDefaultNo:
            return MsgAnswer::No;
        case MsgButtons::YesNoAbort:
            return MsgAnswer::Abort;
    }
    return MsgAnswer::Ok;
}

size_t QtUi::Choose(MsgKind kind, const std::string& text,
                    const std::vector<std::string>& buttons) {
    QMessageBox box(IconFor(kind), "TUNELO", QString(), QMessageBox::NoButton, DialogParent());
    box.setObjectName("MessageBox");
    box.setTextFormat(Qt::PlainText);
    box.setText(Text(text));
    std::vector<QPushButton*> pushButtons;
    for (const std::string& caption : buttons) {
        QPushButton* button = box.addButton(Text(caption), QMessageBox::AcceptRole);
        button->setObjectName(QString("ChoiceButton%1").arg(pushButtons.size()));
        pushButtons.push_back(button);
    }
    if (pushButtons.empty())
        return 0;
    box.setDefaultButton(pushButtons.front());
    box.setEscapeButton(pushButtons.back());
    const QPointer<QWidget> active = QApplication::activeWindow();
    box.exec();
    if (QApplication::activeWindow() == nullptr && active != nullptr && active->isVisible())
        active->activateWindow();
    for (size_t i = 0; i < pushButtons.size(); ++i) {
        if (box.clickedButton() == pushButtons[i])
            return i;
    }
    return pushButtons.size() - 1;
}

void QtUi::PlaySound(const std::string& path) {
    auto* effect = new QSoundEffect(&sounds_);
    // Each sound plays to its end on its own; it goes when it stops or cannot be played.
    QObject::connect(effect, &QSoundEffect::playingChanged, effect, [effect] {
        if (!effect->isPlaying()) {
            effect->deleteLater();
        }
    });
    QObject::connect(effect, &QSoundEffect::statusChanged, effect, [effect] {
        if (effect->status() == QSoundEffect::Error) {
            effect->deleteLater();
        }
    });
    // Without a sound device an effect never starts, so nothing above fires.
    QTimer::singleShot(kSoundLifetimeMs, effect, [effect] {
        if (!effect->isPlaying()) {
            effect->deleteLater();
        }
    });
    effect->setSource(QUrl::fromLocalFile(Text(path)));
    effect->play();
}

void QtUi::Beep() {
    QApplication::beep();
}

void QtUi::SetStatus(const std::string& text) {
    if (statusSink_) {
        statusSink_(Text(text));
    }
}

void QtUi::SetBusy(bool busy) {
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++busyDepth_;
    } else if (busyDepth_ > 0) {
        QApplication::restoreOverrideCursor();
        --busyDepth_;
    }
}

std::optional<std::string> QtUi::OpenFileName(const std::string& title, const std::string& filter,
                                              const std::string& startPath) {
    const QtFileFilter filters = ToQtFileFilter(filter);
    QFileDialog dialog(DialogParent(), Text(title));
    dialog.setObjectName("OpenDialog");
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
#ifndef Q_OS_WIN
    // Qt's own dialog matches the patterns without regard to letter case (catalogue files come
    // as BMP or bmp alike) and can list executable files only.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
#endif
    dialog.setNameFilters(filters.nameFilters);
    if (!filters.programsFilter.isEmpty()) {
        auto* programs = new TExecutableFilter(&dialog);
        dialog.setProxyModel(programs);
        const auto follow = [programs, &filters](const QString& chosen) {
            programs->setProgramsOnly(chosen == filters.programsFilter);
        };
        QObject::connect(&dialog, &QFileDialog::filterSelected, programs, follow);
        follow(filters.nameFilters.value(0));
    }

    const QFileInfo start(Text(startPath));
    if (!startPath.empty() && start.isDir()) {
        dialog.setDirectory(start.absoluteFilePath());
    } else if (!startPath.empty() && start.dir().exists()) {
        dialog.setDirectory(start.absolutePath());
        dialog.selectFile(start.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst()).toStdString();
}

std::optional<std::string> QtUi::SaveFileName(const std::string& title, const std::string& filter,
                                              const std::string& suggestedPath) {
    QFileDialog dialog(DialogParent(), Text(title));
    dialog.setObjectName("SaveDialog");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(ToQtFileFilter(filter).nameFilters);
    dialog.selectFile(Text(suggestedPath));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().front().toStdString();
}

std::optional<std::string> QtUi::FolderName(const std::string& title,
                                            const std::string& startPath) {
    QFileDialog dialog(DialogParent(), Text(title), Text(startPath));
    dialog.setObjectName("FolderDialog");
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().front().toStdString();
}

bool QtUi::PrinterSetup() {
    // Set-up only chooses the paper: printing starts from a report.
    QPageSetupDialog dialog(&printer(), DialogParent());
    dialog.setObjectName("PrinterSetup");
    return dialog.exec() == QDialog::Accepted;
}

bool QtUi::StartProgram(const std::string& path) {
    const QFileInfo program(Text(path));
    return QProcess::startDetached(program.absoluteFilePath(), {}, program.absolutePath());
}

bool QtUi::OpenUrl(const std::string& url) {
    return QDesktopServices::openUrl(QUrl(Text(url)));
}

void QtUi::ShowHelp(int context) {
    helpViewer().Open(context);
}
