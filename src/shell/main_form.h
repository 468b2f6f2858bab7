// TMainForm: the program's main window. An MDI frame whose menus, toolbar and pop-up menus are
// the way into every screen; it runs the start-up steps when first shown (the data-file check,
// the password check) and the closing questions when closed, and owns the status bar with its
// three panels: the hint of the control under the mouse, the progress line and the clock.
//
// Screens of the subsystems are plugged in by name with registerCommand; a command without a
// handler stays visible but disabled.
#pragma once

#include <QHash>
#include <QMainWindow>
#include <functional>

class Catalogue;
class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QTimer;
class QToolBar;
class TOpenScherm;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // `catalogue` must outlive the window; it may be null in tests of the frame alone, which
    // then skip the data-file check.
    explicit TMainForm(Catalogue* catalogue, QWidget* parent = nullptr);
    ~TMainForm() override;

    // The action (menu item, pop-up item or toolbar button) with this object name.
    QAction* command(const QString& name) const;
    // Makes a command available and runs `handler` when it is chosen.
    void registerCommand(const QString& name, std::function<void()> handler);
    // Whether a command has its handler (a command without one stays grey).
    bool handles(const QString& name) const { return handlers_.contains(name); }
    // The automatic loan check run at start and on closing when configured.
    void setLoanCheck(std::function<void()> check) { loanCheck_ = std::move(check); }
    // Opens the playlist screen when the playlist has records.
    void setPlaylistOpener(std::function<void()> open) { playlistOpener_ = std::move(open); }
    // Runs after the General preferences were confirmed.
    void setGeneralChanged(std::function<void()> changed) { generalChanged_ = std::move(changed); }

    QMdiArea* mdiArea() const { return mdiArea_; }
    QToolBar* speedPanel() const { return speedPanel_; }
    // The three status bar panels (0 hint, 1 progress line, 2 clock).
    QLabel* statusPanel(int index) const;
    // Puts `text` in the progress panel and repaints it at once.
    void showStatusText(const QString& text);

    // The splash window to close once the data files are checked.
    void setSplash(TOpenScherm* splash) { splash_ = splash; }
    // The start-up steps; false when the program must end (files created, refusal, password).
    // Runs by itself the first time the window is shown.
    bool runShowStep();
    // After runShowStep returned false: whether the start failed (a file that cannot be used, a
    // refusal, no password) rather than ended as planned; the program then exits with status 1.
    bool startFailed() const { return startFailed_; }
    // Whether the program is ending without the closing questions.
    bool ending() const { return ending_; }
    // Ends the program through the normal application end, without the closing questions, with
    // `status` as the exit status; open screens still close through their own closing, and one
    // that refuses keeps it running.
    void endProgram(int status = 0);
    // For the start-up benchmark: end the program as soon as it is ready for use.
    void setQuitWhenReady(bool quit) { quitWhenReady_ = quit; }

    // While the entry screen is open its commands are disabled.
    void setEntryOpen(bool open);
    // An action made elsewhere (a pop-up of the CD player) that follows the password lock and
    // the other command states like the window's own.
    void adoptCommand(QAction* action);
    // A control of another subsystem in the toolbar: after the buttons, before the CD player.
    void addToolWidget(QWidget* widget);
    // The CD player's controls, placed at the right-hand end of the toolbar in the order added.
    void addPlayerWidget(QWidget* widget);
    // Runs on every tick of Timer1 before the clock is updated; returning false skips the clock
    // for that tick.
    void setTickHandler(std::function<bool()> handler) { tickHandler_ = std::move(handler); }
    QTimer* timer1() const { return timer1_; }
    // While the CD panel is active the two commands about the disc in the drive are enabled.
    void setCdPanelActive(bool active);

    // Whether adding and modifying is locked (TrackBvAan).
    bool protectionOn() const { return protected_; }
    // Enables or disables the protected commands after the lock changed.
    void applyProtection(bool on);

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createCommands();
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void createPopupMenus();
    void connectShellCommands();
    void connectDialogCommands();
    void readStartSettings();
    void updateCommandStates();
    void updateWindowMenu();
    void tickClock();

    void toggleToolBar();
    void toggleStatusBar();
    void toggleHints();
    void applyHints(bool on);
    void chooseBackground();
    void showPlaylist();
    void showGeneral();
    void toggleProtection();
    void showBackupReminder();
    // Closes the open screens, modal ones first, each through its own closing; false when one
    // refused (it then stays open and active).
    bool closeScreens();

    Catalogue* catalogue_;
    QMdiArea* mdiArea_;
    QToolBar* speedPanel_ = nullptr;
    QLabel* panels_[3] = {nullptr, nullptr, nullptr};
    int hintPanelWidth_ = 200;  // the hint panel's width while no status text needs its room
    QTimer* timer1_ = nullptr;
    QMenu* windowMenu_ = nullptr;
    QHash<QString, QAction*> commands_;
    QHash<QString, QMenu*> menus_;
    QHash<QString, std::function<void()>> handlers_;
    std::function<void()> loanCheck_;
    std::function<bool()> tickHandler_;
    QAction* playerSpacer_ = nullptr;
    std::function<void()> playlistOpener_;
    std::function<void()> generalChanged_;
    TOpenScherm* splash_ = nullptr;
    bool shownOnce_ = false;
    bool ending_ = false;
    bool quitWhenReady_ = false;
    bool startFailed_ = false;
    bool protected_ = false;
    bool entryOpen_ = false;
    bool cdPanelActive_ = false;
};
