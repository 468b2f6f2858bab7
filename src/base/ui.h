// Ui: the one way logic reaches the user. Every message box, sound, status text, hourglass, file
// dialog, printer dialog, help page and program start that an operation triggers goes through the
// Ui installed for the run: the Qt one in the program, a scripted one in tests. Logic never opens
// a dialog itself.
//
// Texts are UTF-8.
#pragma once

#include <optional>
#include <string>
#include <vector>

enum class MsgKind { Warning, Error, Information, Confirmation };
// YesNoDefaultNo: Yes and No with No as the default button, for a Yes that destroys something.
enum class MsgButtons { Ok, YesNo, YesNoAbort, YesNoDefaultNo };
enum class MsgAnswer { Ok, Yes, No, Abort };

class Ui {
public:
    virtual ~Ui() = default;

    // A modal message box; returns the button pressed (closing the box counts as the last
    // button: No, Abort or Ok). A help context other than 0 adds a Help button that opens the
    // help page of that context without closing the box.
    virtual MsgAnswer Message(MsgKind kind, const std::string& text,
                              MsgButtons buttons = MsgButtons::Ok, int helpContext = 0) = 0;
    // A modal message box with buttons of its own (`buttons`, first is the default); returns
    // the index of the button pressed, closing the box counts as the last one. The base answers
    // with the first button, as a Ui that cannot ask.
    virtual size_t Choose(MsgKind kind, const std::string& text,
                          const std::vector<std::string>& buttons) {
        (void)kind, (void)text, (void)buttons;
        return 0;
    }
    // Plays a .wav file without waiting for it to end.
    virtual void PlaySound(const std::string& path) = 0;
    // The system beep.
    virtual void Beep() = 0;
    // The progress line of the main window's status bar, shown at once (also inside a long
    // loop); "" clears it.
    virtual void SetStatus(const std::string& text) = 0;
    // The hourglass cursor; calls nest.
    virtual void SetBusy(bool busy) = 0;
    // A file-open dialog. `filter` is written "Description|*.EXT". Nothing when cancelled.
    virtual std::optional<std::string> OpenFileName(const std::string& title,
                                                    const std::string& filter,
                                                    const std::string& startPath) = 0;
    // A file-save dialog starting at `suggestedPath`, asking before it replaces a file. Nothing
    // when cancelled (and from a Ui that cannot show one).
    virtual std::optional<std::string> SaveFileName(const std::string& title,
                                                    const std::string& filter,
                                                    const std::string& suggestedPath) {
        (void)title, (void)filter, (void)suggestedPath;
        return std::nullopt;
    }
    // A folder dialog starting at `startPath`. Nothing when cancelled (and from a Ui that cannot
    // show one).
    virtual std::optional<std::string> FolderName(const std::string& title,
                                                  const std::string& startPath) {
        (void)title, (void)startPath;
        return std::nullopt;
    }
    // The printer set-up dialog; false when cancelled.
    virtual bool PrinterSetup() = 0;
    // Starts a program without waiting for it; false when it could not be started.
    virtual bool StartProgram(const std::string& path) = 0;
    // Opens a web page in the user's browser; false when no browser took it.
    virtual bool OpenUrl(const std::string& url) {
        (void)url;
        return false;
    }
    // Opens the help viewer at a help context (0: the contents page).
    virtual void ShowHelp(int context) = 0;
};

// The Ui of the run. Before one is installed a silent Ui answers every question with its first
// button, so that code run outside the program never blocks.
Ui& CurrentUi();
// Installs `ui` (not owned; nullptr restores the silent one) and returns the one it replaces.
Ui* SetUi(Ui* ui);

// Installs a Ui for the lifetime of the object and restores the previous one.
class ScopedUi {
public:
    explicit ScopedUi(Ui* ui) : previous_(SetUi(ui)) {}
    ~ScopedUi() { SetUi(previous_); }
    ScopedUi(const ScopedUi&) = delete;
    ScopedUi& operator=(const ScopedUi&) = delete;

private:
    Ui* previous_;
};

// Shows the hourglass for the lifetime of the object.
class BusyCursor {
public:
    BusyCursor() { CurrentUi().SetBusy(true); }
    ~BusyCursor() { CurrentUi().SetBusy(false); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};
