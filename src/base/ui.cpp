#include "base/ui.h"

namespace {

// Answers without asking anyone: used before the program installs its Ui.
class SilentUi : public Ui {
public:
    MsgAnswer Message(MsgKind, const std::string&, MsgButtons buttons, int) override {
        return buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Yes;
    }
    void PlaySound(const std::string&) override {}
    void Beep() override {}
    void SetStatus(const std::string&) override {}
    void SetBusy(bool) override {}
    std::optional<std::string> OpenFileName(const std::string&, const std::string&,
                                            const std::string&) override {
        return std::nullopt;
    }
    bool PrinterSetup() override { return false; }
    bool StartProgram(const std::string&) override { return false; }
    void ShowHelp(int) override {}
};

SilentUi silentUi;
Ui* installed = nullptr;

}  // namespace

Ui& CurrentUi() {
    return installed != nullptr ? *installed : silentUi;
}

Ui* SetUi(Ui* ui) {
    Ui* previous = installed;
    installed = ui;
    return previous;
}
