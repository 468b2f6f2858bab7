#include "shell/help_viewer.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QKeySequence>
#include <QRegularExpression>
#include <QShortcut>
#include <QStyle>
#include <QToolBar>
#include <QUrl>
#include <algorithm>
#include <utility>

#include "shell/help_browser.h"
#include "shell/help_contexts.h"

THelpViewer::THelpViewer(QString helpFolder, QWidget* parent)
    : QMainWindow(parent), folder_(std::move(helpFolder)), browser_(new THelpBrowser(this)) {
    setObjectName("HelpViewer");
    setWindowTitle("TUNELO Help");
    setCentralWidget(browser_);
    browser_->setSearchPaths({folder_});
    browser_->setContentsPage(PageUrl(0));

    auto* bar = new QToolBar("Navigation", this);
    bar->setObjectName("HelpToolBar");
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    addToolBar(bar);

    QAction* contents = bar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), "&Contents",
                                       this, &THelpViewer::Contents);
    contents->setObjectName("actContents");
    contents->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Home));
    QAction* back = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), "&Back", browser_,
                                   &QTextBrowser::backward);
    back->setObjectName("actBack");
    back->setShortcut(QKeySequence::Back);
    back->setEnabled(false);
    QAction* forward = bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), "&Forward",
                                      browser_, &QTextBrowser::forward);
    forward->setObjectName("actForward");
    forward->setShortcut(QKeySequence::Forward);
    forward->setEnabled(false);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, &THelpViewer::UpdateTitle);

    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
    resize(720, 560);
}

QUrl THelpViewer::PageUrl(int context) const {
    const std::string page = HelpPageForContext(QDir(folder_).path().toStdString(), context);
    if (page.empty()) {
        return THelpBrowser::NoPageFor(context);
    }
    const QString text = QString::fromUtf8(page).trimmed();
    const qsizetype hash = text.indexOf('#');
    QUrl url = QUrl::fromLocalFile(QDir(folder_).filePath(hash < 0 ? text : text.left(hash)));
    if (hash >= 0) {
        url.setFragment(text.mid(hash + 1));
    }
    return url;
}

void THelpViewer::Open(int context) {
    browser_->setSource(PageUrl(context));
    // A modal dialog blocks every window but those stacked over it; help asked for from such a
    // dialog must stack over it too, help from the main window stays an ordinary window.
    const QWidget* modal = QApplication::activeModalWidget();
    const Qt::WindowModality wanted =
        modal != nullptr && modal != this ? Qt::ApplicationModal : Qt::NonModal;
    if (windowModality() != wanted) {
        hide();
        setWindowModality(wanted);
    }
    PlaceBesideMainWindow();
    show();
    raise();
    activateWindow();
}

QUrl THelpViewer::source() const {
    return browser_->source();
}

QString THelpViewer::pageTitle() const {
    return browser_->documentTitle();
}

void THelpViewer::Contents() {
    browser_->setSource(PageUrl(0));
}

void THelpViewer::UpdateTitle() {
    // The pages' titles name the help themselves ("Tunelo Help: Loans"); the window says it once.
    static const QRegularExpression helpPrefix("^\\s*tunelo\\s+help\\s*[:-]?\\s*",
                                               QRegularExpression::CaseInsensitiveOption);
    const QString title = browser_->documentTitle().remove(helpPrefix).trimmed();
    setWindowTitle(title.isEmpty() ? "TUNELO Help" : "TUNELO Help - " + title);
}

void THelpViewer::PlaceBesideMainWindow() {
    // The first time, the viewer opens over the right part of the program's work area, below
    // its menu bar and toolbar, instead of wherever the window system puts new windows.
    if (placed_) {
        return;
    }
    placed_ = true;
    const QWidget* main = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top != this && top->isVisible() && qobject_cast<QMainWindow*>(top) != nullptr) {
            main = top;
            break;
        }
    }
    if (main == nullptr) {
        return;
    }
    const auto* window = static_cast<const QMainWindow*>(main);
    const QWidget* work = window->centralWidget() != nullptr ? window->centralWidget() : window;
    const QRect area(work->mapToGlobal(QPoint(0, 0)), work->size());
    const QSize size(std::min(width(), area.width()), std::min(height(), area.height()));
    resize(size);
    move(std::max(area.left(), area.right() - size.width()), area.top());
}
