// QtUi: the Ui of the program, shown with Qt: message boxes, sounds, the status line, the
// hourglass, file and printer dialogs, starting programs and the help viewer. Create it after
// the QApplication and install it with SetUi (or ScopedUi) for the run; destroy it before the
// QApplication.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "base/ui.h"

class QPrinter;
class THelpViewer;

class QtUi : public Ui {
public:
    QtUi();
    ~QtUi() override;
    QtUi(const QtUi&) = delete;
    QtUi& operator=(const QtUi&) = delete;

    // Where status texts go: the main window installs a function that puts the text in its
    // status panel and repaints the status bar at once (QWidget::repaint, not update), so that
    // the text shows inside a long loop. Without a sink status texts are dropped.
    void setStatusSink(std::function<void(const QString&)> sink);

    // The printer the printer set-up dialog configures; reports print on it.
    QPrinter& printer();
    // The one help viewer of the run, created when first needed.
    THelpViewer& helpViewer();

    MsgAnswer Message(MsgKind kind, const std::string& text, MsgButtons buttons = MsgButtons::Ok,
                      int helpContext = 0) override;
    size_t Choose(MsgKind kind, const std::string& text,
                  const std::vector<std::string>& buttons) override;
    void PlaySound(const std::string& path) override;
    void Beep() override;
    void SetStatus(const std::string& text) override;
    void SetBusy(bool busy) override;
    std::optional<std::string> OpenFileName(const std::string& title, const std::string& filter,
                                            const std::string& startPath) override;
    std::optional<std::string> SaveFileName(const std::string& title, const std::string& filter,
                                            const std::string& suggestedPath) override;
    std::optional<std::string> FolderName(const std::string& title,
                                          const std::string& startPath) override;
    bool PrinterSetup() override;
    bool StartProgram(const std::string& path) override;
    bool OpenUrl(const std::string& url) override;
    void ShowHelp(int context) override;

private:
    // Parent of the sound effects still playing; each one deletes itself when done.
    QObject sounds_;
    std::function<void(const QString&)> statusSink_;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<THelpViewer> helpViewer_;
    int busyDepth_ = 0;
};
