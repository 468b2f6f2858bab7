// ScriptedUi: the Ui of the tests. It answers questions and file dialogs from queues that a test
// fills beforehand and records everything shown, in order, so that a test can check the exact
// messages, sounds and status texts an operation produced.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "base/ui.h"

class ScriptedUi : public Ui {
public:
    struct Shown {
        MsgKind kind;
        std::string text;
        MsgButtons buttons;
        int helpContext;
        std::vector<std::string> choices;  // the buttons of a Choose box
    };

    ScriptedUi();
    ~ScriptedUi() override;

    // Answers for the next questions (Yes/No and Yes/No/Abort boxes). An OK box needs none; a
    // question with no answer queued fails the test and gets No.
    std::deque<MsgAnswer> answers;
    // Answers (button indexes) for the next Choose boxes; none queued fails the test and gets
    // the last button.
    std::deque<size_t> choices;
    // Answers for the next file dialogs; nothing queued means cancelled.
    std::deque<std::optional<std::string>> files;
    // What StartProgram reports.
    bool startSucceeds = true;
    bool printerSetupAccepted = true;

    std::vector<Shown> messages;
    std::vector<std::string> sounds;          // file names only, without the folder
    std::vector<std::string> statuses;        // every status text, "" included
    std::vector<std::string> started;         // programs started
    std::vector<std::string> urls;            // web pages opened
    std::vector<std::string> fileDialogs;     // the filters of the file dialogs shown
    std::vector<std::string> suggestedFiles;  // the paths the save dialogs suggested
    std::vector<int> helpContexts;
    int beeps = 0;
    int busyDepth = 0;
    int printerSetups = 0;

    // The texts of the messages shown, in order.
    std::vector<std::string> MessageTexts() const;
    // Everything shown (messages, sounds as "sound:<name>", beeps as "beep") in order.
    std::vector<std::string> Log() const { return log_; }

    MsgAnswer Message(MsgKind kind, const std::string& text, MsgButtons buttons,
                      int helpContext) override;
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
    // Answered from `files` too; "folder" is recorded as its filter.
    std::optional<std::string> FolderName(const std::string& title,
                                          const std::string& startPath) override;
    bool PrinterSetup() override;
    bool StartProgram(const std::string& path) override;
    bool OpenUrl(const std::string& url) override;
    void ShowHelp(int context) override;

private:
    Ui* previous_;
    std::vector<std::string> log_;
};
