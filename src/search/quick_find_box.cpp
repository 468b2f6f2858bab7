#include "search/quick_find_box.h"

#include <QAction>
#include <QApplication>
#include <QFocusEvent>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <utility>

#include "entry/editor_parts.h"
#include "overview/show_source.h"
#include "search/quick_find.h"
#include "search/quick_find_model.h"
#include "shell/main_form.h"
#include "shell/table_text.h"
#include "store/catalogue.h"
#include "store/table_error.h"

namespace {

// A step short enough that typing never waits on it.
constexpr auto kStep = std::chrono::milliseconds(8);
// Enough hits to fill the list: shown the moment they are found.
constexpr uint64_t kFirstHits = 200;
// Fewer hits are shown once the find has run this long: a rare text should not wait for the end.
constexpr qint64 kFirstWaitMs = 40;
// After the first hits the list grows at this pace while the find goes on, and slower when laying
// out its rows takes a good part of that.
constexpr qint64 kRepublishMs = 150;
constexpr qint64 kPublishShare = 4;

}  // namespace

QuickFindBox::QuickFindBox(TMainForm& form, Catalogue& catalogue)
    : QObject(&form),
      form_(form),
      catalogue_(catalogue),
      edit_(new QLineEdit),
      popup_(new QFrame(&form)),
      count_(new QLabel(popup_)),
      list_(new QTableView(popup_)),
      model_(new QuickFindModel(catalogue.dm1.ArtTable, catalogue.dm2.HfTable, this)),
      steps_(new QTimer(this)) {
    edit_->setObjectName("QuickFindEdit");
    edit_->setPlaceholderText("Quick find (Ctrl+F)");
    edit_->setToolTip("Find a part of an artist, title, composer, main title or main artist");
    edit_->setStatusTip(edit_->toolTip());
    edit_->setClearButtonEnabled(true);
    edit_->setFixedWidth(180);  // leaves the CD player its room on a 1024-pixel screen
    edit_->installEventFilter(this);
    form_.addToolWidget(edit_);

    popup_->setObjectName("QuickFindPopup");
    popup_->setFrameStyle(QFrame::Box | QFrame::Plain);  // it floats over the work area
    popup_->setAutoFillBackground(true);
    popup_->setBackgroundRole(QPalette::Base);
    auto* layout = new QVBoxLayout(popup_);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    count_->setObjectName("QuickFindCount");
    count_->setContentsMargins(6, 3, 6, 3);
    list_->setObjectName("QuickFindList");
    list_->setModel(model_);
    // A table view of one column: it lays out a million rows from their one height, where a
    // list view would ask for every row.
    list_->horizontalHeader()->hide();
    list_->horizontalHeader()->setStretchLastSection(true);
    list_->verticalHeader()->hide();
    list_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 4);
    list_->setShowGrid(false);
    list_->setWordWrap(false);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setFocusPolicy(Qt::NoFocus);  // typing goes on in the box
    list_->setFocusProxy(edit_);         // also when a closing window hands the focus back
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    layout->addWidget(count_);
    layout->addWidget(list_);
    popup_->hide();

    steps_->setObjectName("QuickFindSteps");
    steps_->setInterval(0);
    connect(steps_, &QTimer::timeout, this, &QuickFindBox::RunStep);
    connect(edit_, &QLineEdit::textChanged, this, &QuickFindBox::Restart);
    connect(list_, &QTableView::activated, this, [this] { OpenCurrent(); });
}

QuickFindBox::~QuickFindBox() {
    model_->Publish(nullptr);
}

QAbstractItemView* QuickFindBox::list() const {
    return list_;
}

bool QuickFindBox::finding() const {
    return find_ && !find_->done();
}

void QuickFindBox::Focus() {
    QToolBar* toolbar = form_.speedPanel();
    if (!toolbar->isVisible()) {
        toolbar->show();
        toolbarForFind_ = true;
    }
    // In a narrow window the box sits behind the toolbar's overflow button: open it.
    if (!edit_->isVisible() && ToggleOverflow(toolbar))
        overflowForFind_ = true;
    edit_->setFocus(Qt::ShortcutFocusReason);
    edit_->selectAll();
}

void QuickFindBox::Restart() {
    steps_->stop();
    model_->Publish(nullptr);  // before the find it shows goes
    // Typing on looks only among the hits of the text before, finished or not.
    const std::unique_ptr<QuickFind> previous = std::move(find_);
    published_ = false;
    const QString text = edit_->text().trimmed();
    TTable& tracks = catalogue_.dm1.ArtTable;
    TTable& mainTitles = catalogue_.dm2.HfTable;
    if (text.isEmpty() || !tracks.Active() || !mainTitles.Active()) {
        popup_->hide();
        return;
    }
    // A character the tables cannot hold occurs in no record: an empty find says so.
    find_ = std::make_unique<QuickFind>(tracks.table(), mainTitles.table(),
                                        ToTable(text).value_or(std::string()), previous.get());
    ShowList();
    sincePublish_.start();
    RunStep();
    if (!find_->done())
        steps_->start();
}

bool QuickFindBox::FindCurrent() const {
    TTable& tracks = catalogue_.dm1.ArtTable;
    TTable& mainTitles = catalogue_.dm2.HfTable;
    return find_ && tracks.Active() && mainTitles.Active() &&
           find_->Current(tracks.table(), mainTitles.table());
}

void QuickFindBox::RunStep() {
    if (!find_)
        return;
    if (!FindCurrent()) {  // the tables changed under the find (a pack): find again
        Restart();
        return;
    }
    const xbase::Status status = find_->Step(kStep, published_ ? UINT64_MAX : kFirstHits);
    if (find_->done())
        steps_->stop();
    if (find_->done() ||
        (published_
             ? sincePublish_.elapsed() >= std::max(kRepublishMs, kPublishShare * publishCost_)
             : find_->hits() >= kFirstHits ||
                   (find_->hits() > 0 && sincePublish_.elapsed() >= kFirstWaitMs)))
        Publish();
    UpdateCount();
    if (!status.ok())
        count_->setText(QString::fromStdString(status.ToString()));
}

void QuickFindBox::Publish() {
    const QModelIndex current = list_->currentIndex();
    const QuickFindModel::Target kept =
        current.isValid() ? model_->TargetAt(current.row()) : QuickFindModel::Target{};
    QElapsedTimer cost;
    cost.start();
    model_->Publish(find_.get());
    published_ = true;
    const int row = kept.sourceKey.empty() ? 0 : std::max(0, model_->RowOf(kept));
    if (model_->rowCount() > 0) {
        list_->setCurrentIndex(model_->index(row));
        list_->scrollTo(list_->currentIndex());
    }
    publishCost_ = cost.elapsed();
    sincePublish_.start();
}

void QuickFindBox::UpdateCount() {
    if (!find_)
        return;
    const auto hits = qulonglong(find_->hits());
    const auto sources = qulonglong(find_->groupCount());
    QString text = find_->done() && hits == 0 ? QString("Not found")
                                              : QString("%L1 %2 in %L3 %4")
                                                    .arg(hits)
                                                    .arg(hits == 1 ? "hit" : "hits")
                                                    .arg(sources)
                                                    .arg(sources == 1 ? "source" : "sources");
    if (!find_->done())
        text = "Searching... " + text;
    count_->setText(text);
}

void QuickFindBox::ShowList() {
    const QPoint below = edit_->mapTo(&form_, QPoint(0, edit_->height() + 2));
    const int width = std::min(640, form_.width() - 16);
    const int x = std::clamp(below.x(), 8, std::max(8, form_.width() - width - 8));
    const int bottom = form_.height() - (form_.statusBar()->isVisible() ? 32 : 8);
    popup_->setGeometry(x, below.y(), width, std::clamp(bottom - below.y(), 80, 460));
    popup_->raise();
    popup_->show();
}

void QuickFindBox::CloseList() {
    steps_->stop();
    popup_->hide();
    model_->Publish(nullptr);
    find_.reset();
}

void QuickFindBox::OpenCurrent() {
    const QModelIndex current = list_->currentIndex();
    if (!popup_->isVisible() || !current.isValid())
        return;
    if (!FindCurrent()) {
        Restart();
        return;
    }
    const QuickFindModel::Target target = model_->TargetAt(current.row());
    opening_ = true;
    try {
        if (target.track == 0)
            ShowSourceByKey(catalogue_, target.sourceKey, &form_);
        else
            ShowSource(catalogue_, target.sourceKey.substr(0, 10), target.sourceKey.substr(10),
                       target.track, &form_);
    } catch (const TableError& error) {
        ShowTableError(error);
    }
    opening_ = false;
    edit_->setFocus();
    // A track edited or deleted on the source screen: list what the tables hold now.
    if (!FindCurrent())
        Restart();
}

bool QuickFindBox::ToggleOverflow(QToolBar* toolbar) {
    auto* more = toolbar->findChild<QToolButton*>("qt_toolbar_ext_button");
    if (more == nullptr || !more->isVisible())
        return false;
    // At once rather than sliding, so that the box can take the keys that follow.
    const bool animated = form_.isAnimated();
    form_.setAnimated(false);
    more->click();
    form_.setAnimated(animated);
    return true;
}

void QuickFindBox::Leave() {
    CloseList();
    if (std::exchange(overflowForFind_, false))
        ToggleOverflow(form_.speedPanel());
    if (toolbarForFind_ && !form_.command("Toolbar1")->isChecked())
        form_.speedPanel()->hide();
    toolbarForFind_ = false;
}

bool QuickFindBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched != edit_)
        return false;
    if (event->type() == QEvent::FocusOut && !opening_) {
        // A pop-up menu of the box itself takes the focus only for a moment.
        if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
            Leave();
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            if (popup_->isVisible())
                QApplication::sendEvent(list_, key);
            else
                Restart();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (popup_->isVisible())
                OpenCurrent();
            else
                Restart();
            return true;
        case Qt::Key_Escape:
            if (popup_->isVisible()) {
                CloseList();
            } else {
                // A second Esc gives the keys back to the window the user came from.
                if (QWidget* window = form_.mdiArea()->activeSubWindow())
                    window->setFocus();
                else
                    form_.mdiArea()->setFocus();
            }
            return true;
        default:
            return false;
    }
}
