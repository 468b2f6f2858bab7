#include "support/scripted_ui.h"

#include <gtest/gtest.h>

#include <filesystem>

ScriptedUi::ScriptedUi() : previous_(SetUi(this)) {}

ScriptedUi::~ScriptedUi() {
    SetUi(previous_);
    EXPECT_EQ(busyDepth, 0) << "the hourglass was left on";
    EXPECT_TRUE(answers.empty()) << answers.size() << " scripted answers were never asked for";
    EXPECT_TRUE(choices.empty()) << choices.size() << " scripted choices were never asked for";
}

std::vector<std::string> ScriptedUi::MessageTexts() const {
    std::vector<std::string> texts;
    for (const Shown& shown : messages) {
        texts.push_back(shown.text);
    }
    return texts;
}

MsgAnswer ScriptedUi::Message(MsgKind kind, const std::string& text, MsgButtons buttons,
                              int helpContext) {
    messages.push_back({kind, text, buttons, helpContext, {}});
    log_.push_back(text);
    if (buttons == MsgButtons::Ok) {
        return MsgAnswer::Ok;
    }
    if (answers.empty()) {
        ADD_FAILURE() << "unscripted question: " << text;
        return MsgAnswer::No;
    }
    const MsgAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

size_t ScriptedUi::Choose(MsgKind kind, const std::string& text,
                          const std::vector<std::string>& buttons) {
    messages.push_back({kind, text, MsgButtons::Ok, 0, buttons});
    log_.push_back(text);
    if (choices.empty()) {
        ADD_FAILURE() << "unscripted choice: " << text;
        return buttons.empty() ? 0 : buttons.size() - 1;
    }
    const size_t choice = choices.front();
    choices.pop_front();
    return choice;
}

void ScriptedUi::PlaySound(const std::string& path) {
    const std::string name = std::filesystem::path(path).filename().string();
    sounds.push_back(name);
    log_.push_back("sound:" + name);
}

void ScriptedUi::Beep() {
    ++beeps;
    log_.push_back("beep");
}

void ScriptedUi::SetStatus(const std::string& text) {
    statuses.push_back(text);
}

void ScriptedUi::SetBusy(bool busy) {
    busyDepth += busy ? 1 : -1;
}

std::optional<std::string> ScriptedUi::OpenFileName(const std::string&, const std::string& filter,
                                                    const std::string&) {
    fileDialogs.push_back(filter);
    if (files.empty()) {
        return std::nullopt;
    }
    std::optional<std::string> answer = files.front();
    files.pop_front();
    return answer;
}

std::optional<std::string> ScriptedUi::SaveFileName(const std::string& title,
                                                    const std::string& filter,
                                                    const std::string& suggestedPath) {
    suggestedFiles.push_back(suggestedPath);
    return OpenFileName(title, filter, suggestedPath);
}

std::optional<std::string> ScriptedUi::FolderName(const std::string& title,
                                                  const std::string& startPath) {
    return OpenFileName(title, "folder", startPath);
}

bool ScriptedUi::PrinterSetup() {
    ++printerSetups;
    return printerSetupAccepted;
}

bool ScriptedUi::StartProgram(const std::string& path) {
    started.push_back(path);
    return startSucceeds;
}

bool ScriptedUi::OpenUrl(const std::string& url) {
    urls.push_back(url);
    return true;
}

void ScriptedUi::ShowHelp(int context) {
    helpContexts.push_back(context);
}
