#include "shell/main_form.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QLabel>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>

#include "base/clock.h"
#include "base/ini.h"
#include "base/ui.h"
#include "shell/access_keys.h"
#include "shell/background_picture.h"
#include "shell/main_commands.h"
#include "shell/product_logo.h"
#include "shell/shutdown.h"
#include "shell/toolbar_icons.h"
#include "store/repair_offer.h"

namespace {

constexpr int kHintPause = 5000;

}  // namespace

TMainForm::TMainForm(Catalogue* catalogue, QWidget* parent)
    : QMainWindow(parent), catalogue_(catalogue), mdiArea_(new QMdiArea(this)) {
    setObjectName("MainForm");
    setWindowTitle("TUNELO");
    setMinimumSize(640, 480);
    mdiArea_->setObjectName("Image1");
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdiArea_);
    // Every window without an icon of its own, the child windows included, shows the program's.
    QApplication::setWindowIcon(ProductLogoIcon());
    new ChildAccessKeys(mdiArea_);

    createCommands();
    createMenus();
    createToolBar();
    createStatusBar();
    createPopupMenus();
    connectShellCommands();
    readStartSettings();

    timer1_ = new QTimer(this);
    timer1_->setObjectName("Timer1");
    timer1_->setInterval(1000);
    connect(timer1_, &QTimer::timeout, this, &TMainForm::tickClock);
    if (IniReadBool("Opstart", "ToonTijd", true)) {
        timer1_->start();
    }
}

TMainForm::~TMainForm() {
    SetRepairCatalogue(nullptr);
}

QAction* TMainForm::command(const QString& name) const {
    return commands_.value(name);
}

QLabel* TMainForm::statusPanel(int index) const {
    return index >= 0 && index < 3 ? panels_[index] : nullptr;
}

void TMainForm::createCommands() {
    for (const MainCommand& item : MainCommands()) {
        if (item.name.isEmpty()) {
            continue;
        }
        auto* action = new QAction(item.caption, this);
        action->setObjectName(item.name);
        action->setStatusTip(item.hint);
        action->setToolTip(item.hint);
        action->setCheckable(item.checkable);
        if (!item.shortcut.isEmpty()) {
            action->setShortcut(QKeySequence(item.shortcut));
        }
        connect(action, &QAction::triggered, this, [this, name = item.name] {
            const auto handler = handlers_.value(name);
            if (handler) {
                handler();
            }
        });
        commands_.insert(item.name, action);
    }
}

void TMainForm::createMenus() {
    for (const MainMenu& item : MainMenus()) {
        QMenu* menu = menuBar()->addMenu(item.caption);
        menu->setObjectName(item.name);
        menu->setToolTipsVisible(false);
        menus_.insert(item.name, menu);
    }
    for (const QString popup : {"ToolbarPopup", "StatusbarPopup", "BackgroundPopup"}) {
        auto* menu = new QMenu(this);
        menu->setObjectName(popup);
        menus_.insert(popup, menu);
    }
    for (const MainCommand& item : MainCommands()) {
        QMenu* menu = menus_.value(item.menu);
        if (menu == nullptr) {
            continue;
        }
        if (item.name.isEmpty()) {
            menu->addSeparator();
        } else {
            menu->addAction(commands_.value(item.name));
        }
    }
    // The summary menu also lists the open child windows.
    windowMenu_ = menus_.value("Overzicht1");
    connect(windowMenu_, &QMenu::aboutToShow, this, &TMainForm::updateWindowMenu);
}

void TMainForm::createToolBar() {
    speedPanel_ = addToolBar("Toolbar");
    speedPanel_->setObjectName("SpeedPanel");
    speedPanel_->setMovable(false);
    speedPanel_->setIconSize(QSize(32, 32));
    speedPanel_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    const char* const buttons[] = {"AddButton",    "ReopenButton", nullptr, "MaintitlesButton",
                                   "ArtistButton", "LoanButton",   nullptr, "PrinterButton",
                                   nullptr,        "CloseButton"};
    for (const char* button : buttons) {
        if (button == nullptr) {
            speedPanel_->addSeparator();
            continue;
        }
        QAction* action = commands_.value(button);
        action->setIcon(ToolbarIcon(button));
        speedPanel_->addAction(action);
        if (QWidget* widget = speedPanel_->widgetForAction(action)) {
            widget->setObjectName(QString(button) + "Tool");
            widget->setToolTipDuration(kHintPause);
        }
    }
}

void TMainForm::createStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName("StatusBar");
    bar->setSizeGripEnabled(true);
    for (int i = 0; i < 3; ++i) {
        panels_[i] = new QLabel(bar);
        panels_[i]->setObjectName(QString("StatusPanel%1").arg(i));
        panels_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panels_[i]->setContentsMargins(4, 0, 4, 0);
    }
    const int screenWidth = screen() != nullptr ? screen()->geometry().width() : 1024;
    hintPanelWidth_ = std::max(200, screenWidth - 640 + 400);
    panels_[0]->setFixedWidth(hintPanelWidth_);
    panels_[2]->setMinimumWidth(110);
    panels_[2]->setAlignment(Qt::AlignCenter);
    bar->addWidget(panels_[0]);
    bar->addWidget(panels_[1], 1);
    bar->addPermanentWidget(panels_[2]);
}

void TMainForm::createPopupMenus() {
    auto popupOn = [this](QWidget* widget, const char* menuName) {
        widget->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(widget, &QWidget::customContextMenuRequested, this,
                [this, widget, menuName](const QPoint& at) {
                    menus_.value(menuName)->popup(widget->mapToGlobal(at));
                });
    };
    popupOn(speedPanel_, "ToolbarPopup");
    popupOn(statusBar(), "StatusbarPopup");
    popupOn(mdiArea_, "BackgroundPopup");
}

void TMainForm::connectShellCommands() {
    registerCommand("Close1", [this] { close(); });
    registerCommand("CloseButton", [this] { close(); });
    registerCommand("Toolbar1", [this] { toggleToolBar(); });
    registerCommand("Hidetoolbar1", [this] { toggleToolBar(); });
    registerCommand("Statusbar1", [this] { toggleStatusBar(); });
    registerCommand("Hidestatusbar1", [this] { toggleStatusBar(); });
    registerCommand("Hints1", [this] { toggleHints(); });
    registerCommand("Background1", [this] { chooseBackground(); });
    registerCommand("Background2", [this] { chooseBackground(); });
    registerCommand("Standard1", [] { ResetBackgroundPicture(); });
    registerCommand("Playlist1", [this] { showPlaylist(); });
    registerCommand("General1", [this] { showGeneral(); });
    registerCommand("Protect1", [this] { toggleProtection(); });
    connectDialogCommands();
}

void TMainForm::registerCommand(const QString& name, std::function<void()> handler) {
    handlers_.insert(name, std::move(handler));
    updateCommandStates();
}

void TMainForm::readStartSettings() {
    const bool toolbar = IniReadBool("Opstart", "ToonWerkBalk", false);
    speedPanel_->setVisible(toolbar);
    command("Toolbar1")->setChecked(toolbar);
    const bool statusbar = IniReadBool("Opstart", "ToonStatusBalk", false);
    statusBar()->setVisible(statusbar);
    command("Statusbar1")->setChecked(statusbar);
    command("CloseButton")->setVisible(IniReadBool("Diversen", "SluitButton", true));
    applyHints(IniReadBool("Opstart", "Hints", false));

    const std::string picture = BackgroundPictureFile();
    const QPixmap tile(QString::fromStdString(picture));
    if (!picture.empty() && !tile.isNull()) {
        mdiArea_->setBackground(QBrush(tile));  // a texture brush tiles the picture unscaled
    }
    applyProtection(IniReadBool("Diversen", "TrackBvAan", false));
}

void TMainForm::applyProtection(bool on) {
    protected_ = on;
    command("Protect1")->setChecked(on);
    updateCommandStates();
}

void TMainForm::setEntryOpen(bool open) {
    entryOpen_ = open;
    updateCommandStates();
}

void TMainForm::updateCommandStates() {
    for (auto it = commands_.cbegin(); it != commands_.cend(); ++it) {
        const QString& name = it.key();
        bool enabled = handlers_.contains(name);
        if (protected_ && ProtectedCommands().contains(name)) {
            enabled = false;
        }
        if (entryOpen_ && EntryCommands().contains(name)) {
            enabled = false;
        }
        if (!cdPanelActive_ && (name == "Tracksentijden1" || name == "DirectnaarCD1")) {
            enabled = false;
        }
        it.value()->setEnabled(enabled);
    }
}

void TMainForm::updateWindowMenu() {
    for (QAction* action : windowMenu_->actions()) {
        if (action->property("windowEntry").toBool()) {
            windowMenu_->removeAction(action);
            action->deleteLater();
        }
    }
    const QList<QMdiSubWindow*> windows = mdiArea_->subWindowList();
    if (windows.isEmpty()) {
        return;
    }
    QAction* separator = windowMenu_->addSeparator();
    separator->setProperty("windowEntry", true);
    int number = 1;
    for (QMdiSubWindow* window : windows) {
        QAction* action =
            windowMenu_->addAction(QString("&%1 %2").arg(number++).arg(window->windowTitle()),
                                   [this, window] { mdiArea_->setActiveSubWindow(window); });
        action->setProperty("windowEntry", true);
        action->setCheckable(true);
        action->setChecked(window == mdiArea_->activeSubWindow());
    }
}

void TMainForm::showStatusText(const QString& text) {
    // A status text longer than its panel borrows room from the hint panel while it shows, so
    // that "Making a safety copy..." is read in full rather than cut.
    const QMargins margins = panels_[1]->contentsMargins();
    const int needed = panels_[1]->fontMetrics().horizontalAdvance(text) + margins.left() +
                       margins.right() + 2 * panels_[1]->frameWidth() + 4;
    const int spare = panels_[1]->width() + panels_[0]->width() - hintPanelWidth_;
    const int borrowed = text.isEmpty() ? 0 : std::max(0, needed - spare);
    panels_[0]->setFixedWidth(std::max(200, hintPanelWidth_ - borrowed));
    panels_[1]->setText(text);
    statusBar()->layout()->activate();
    panels_[1]->repaint();
}

void TMainForm::tickClock() {
    if (tickHandler_ && !tickHandler_()) {
        return;
    }
    const auto now = QDateTime::fromMSecsSinceEpoch(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::Now().time_since_epoch())
            .count());
    panels_[2]->setText(" " + now.toString("hh:mm:ss"));
}

void TMainForm::adoptCommand(QAction* action) {
    commands_.insert(action->objectName(), action);
    handlers_.insert(action->objectName(), {});  // available; the action runs its own slot
    updateCommandStates();
}

void TMainForm::addToolWidget(QWidget* widget) {
    if (playerSpacer_ != nullptr) {
        speedPanel_->insertSeparator(playerSpacer_);
        speedPanel_->insertWidget(playerSpacer_, widget);
    } else {
        speedPanel_->addSeparator();
        speedPanel_->addWidget(widget);
    }
}

void TMainForm::addPlayerWidget(QWidget* widget) {
    if (playerSpacer_ == nullptr) {
        auto* spacer = new QWidget(speedPanel_);
        spacer->setObjectName("PlayerSpacer");
        spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
        playerSpacer_ = speedPanel_->addWidget(spacer);
    }
    speedPanel_->addWidget(widget);
}

void TMainForm::setCdPanelActive(bool active) {
    cdPanelActive_ = active;
    updateCommandStates();
}

bool TMainForm::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        // Hints go to panel 0; the bar's own message line would cover the panels.
        panels_[0]->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        QTimer::singleShot(0, this, [this] {
            if (!runShowStep()) {
                endProgram(startFailed_ ? 1 : 0);
            }
        });
    }
}

void TMainForm::endProgram(int status) {
    ending_ = true;
    if (!close()) {
        return;  // an open screen refused to close: the program goes on
    }
    QCoreApplication::exit(status);
}

bool TMainForm::closeScreens() {
    // A modal screen (the insert screen) first: it is on top of everything else.
    while (QWidget* modal = QApplication::activeModalWidget()) {
        if (!modal->close() || QApplication::activeModalWidget() == modal) {
            return false;
        }
    }
    for (QMdiSubWindow* child : mdiArea_->subWindowList()) {
        if (!child->close()) {
            mdiArea_->setActiveSubWindow(child);
            return false;
        }
    }
    return true;
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (ending_) {
        // Even without the questions, an open screen gets to write what it holds.
        if (!closeScreens()) {
            ending_ = false;
            event->ignore();
            return;
        }
        event->accept();
        return;
    }
    ShutdownSteps steps;
    steps.closeScreens = [this] { return closeScreens(); };
    steps.loanCheck = loanCheck_;
    steps.backupReminder = [this] { showBackupReminder(); };
    if (RunShutdown(steps)) {
        event->accept();
    } else {
        event->ignore();
    }
}

void TMainForm::toggleToolBar() {
    const bool visible = !speedPanel_->isVisible();
    speedPanel_->setVisible(visible);
    command("Toolbar1")->setChecked(visible);
    IniWriteBool("Opstart", "ToonWerkBalk", visible);
}

void TMainForm::toggleStatusBar() {
    const bool visible = !statusBar()->isVisible();
    statusBar()->setVisible(visible);
    command("Statusbar1")->setChecked(visible);
    IniWriteBool("Opstart", "ToonStatusBalk", visible);
}

void TMainForm::toggleHints() {
    IniWriteBool("Opstart", "Hints", !IniReadBool("Opstart", "Hints"));
    applyHints(IniReadBool("Opstart", "Hints"));
}

void TMainForm::applyHints(bool on) {
    command("Hints1")->setChecked(on);
    mdiArea_->setToolTip(on ? "Click on the right mouse button to choose a background" : "");
    mdiArea_->setToolTipDuration(kHintPause);
}

void TMainForm::chooseBackground() {
    if (ChooseBackgroundPicture()) {
        endProgram();
    }
}
