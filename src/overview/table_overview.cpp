#include "overview/table_overview.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "base/ini.h"
#include "base/ui.h"
#include "entry/editor_parts.h"
#include "overview/sort_form_data.h"
#include "platform/xbase/cursor.h"
#include "shell/window_placement.h"
#include "store/table_access.h"
#include "store/table_error.h"

namespace {

constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;

std::vector<TableGridModel::Column> ModelColumns(
    const std::vector<TableOverview::GridColumn>& columns) {
    std::vector<TableGridModel::Column> out;
    for (const TableOverview::GridColumn& column : columns) {
        out.push_back({column.caption, column.field,
                       column.right ? kRight : Qt::AlignLeft | Qt::AlignVCenter});
    }
    return out;
}

std::string OrderName(const TTableAccess& access) {
    const xbase::OpenTag* order = access.component().cursor().order();
    return order != nullptr ? order->name() : std::string();
}

}  // namespace

TableOverview::TableOverview(Catalogue& catalogue, TTableAccess& access, const SortChoices& sort,
                             int screenNumber, const std::vector<GridColumn>& columns,
                             QWidget* parent)
    : QWidget(parent),
      catalogue_(catalogue),
      access_(access),
      sort_(sort),
      screenNumber_(screenNumber),
      model_(new TableGridModel(access.component(), ModelColumns(columns), this)),
      grid_(new QTableView(this)),
      popupMenu_(new QMenu(this)),
      buttons_(new QHBoxLayout) {
    grid_->setObjectName("DBGrid1");
    grid_->setModel(model_);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid_, &QTableView::customContextMenuRequested, this, [this](const QPoint& at) {
        const QModelIndex index = grid_->indexAt(at);
        if (index.isValid()) {
            grid_->setCurrentIndex(index);
        }
        popupMenu_->popup(grid_->viewport()->mapToGlobal(at));
    });
    // The always visible selection marks the current record; row numbers would only be clipped.
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
    grid_->horizontalHeader()->setHighlightSections(false);
    const int average = grid_->fontMetrics().averageCharWidth();
    const QFontMetrics header = grid_->horizontalHeader()->fontMetrics();
    for (int i = 0; i < int(columns.size()); ++i) {
        const GridColumn& column = columns[size_t(i)];
        // Digits are wider than the average letter: number columns are measured in nines.
        const int text = column.right ? grid_->fontMetrics().horizontalAdvance(
                                            QString(column.characters, QLatin1Char('9')))
                                      : column.characters * average;
        grid_->setColumnWidth(i, std::max(text, header.horizontalAdvance(column.caption)) + 12);
    }
    grid_->installEventFilter(this);
    connect(grid_, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { GridDoubleClick(index.column()); });
    popupMenu_->setObjectName("PopupMenu1");

    // The record navigator.
    auto* navigator = new QHBoxLayout;
    navigator->setSpacing(0);
    const struct {
        const char* name;
        const char* text;
        const char* hint;
        std::function<void()> go;
    } moves[] = {
        {"FirstButton", "|<", "First record", [this] { grid_->selectRow(0); }},
        {"PriorButton", "<", "Previous record",
         [this] { grid_->selectRow(std::max(0, grid_->currentIndex().row() - 1)); }},
        {"NextButton", ">", "Next record",
         [this] {
             grid_->selectRow(std::min(model_->rowCount() - 1, grid_->currentIndex().row() + 1));
         }},
        {"LastButton", ">|", "Last record", [this] { grid_->selectRow(model_->rowCount() - 1); }},
    };
    for (const auto& move : moves) {
        auto* button = new QToolButton(this);
        button->setObjectName(move.name);
        button->setText(move.text);
        button->setToolTip(move.hint);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QToolButton::clicked, this, [this, go = move.go] {
            go();
            grid_->setFocus();
        });
        navigator->addWidget(button);
    }
    buttons_->addLayout(navigator);
    buttons_->addSpacing(12);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(buttons_);
    layout->addWidget(grid_);
}

TableOverview::~TableOverview() = default;

QPushButton* TableOverview::AddButton(const char* name, const QString& text,
                                      std::function<void()> handler) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(name);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, std::move(handler));
    buttons_->addWidget(button);
    return button;
}

QAction* TableOverview::AddItem(const char* name, const QString& text,
                                std::function<void()> handler) {
    QAction* action = popupMenu_->addAction(text);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, std::move(handler));
    return action;
}

void TableOverview::AddSeparator() {
    popupMenu_->addSeparator();
}

QWidget* TableOverview::PlacementWindow() {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        return sub;
    }
    return window();
}

void TableOverview::CloseWindow() {
    PlacementWindow()->close();
}

void TableOverview::Guarded(const std::function<void()>& handler) {
    TableGuarded(
        [&] {
            handler();
            model_->RecordChanged(model_->RecNoAt(grid_->currentIndex().row()));
        },
        [this] {
            if (access_.component().state() != TTable::State::Browse) {
                access_.component().Cancel();
            }
        });
    grid_->setFocus();
}

void TableOverview::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (shown_) {
        return;
    }
    shown_ = true;
    FormShow();
}

void TableOverview::FormShow() {
    RestoreWindowPlacement(PlacementWindow(), screenNumber_);
    if (IniReadBool("Opstart", "Hints")) {
        grid_->setToolTip("Click on the right mouse button for more options");
    }
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()); sub && sub->mdiArea()) {
        // Only a change from another child counts: a modal dialog closing hands the activation
        // back to the frame without passing through another child.
        connect(sub->mdiArea(), &QMdiArea::subWindowActivated, this,
                [this, sub,
                 previous = static_cast<QMdiSubWindow*>(sub)](QMdiSubWindow* active) mutable {
                    if (active == nullptr) {
                        return;
                    }
                    if (active == sub && previous != sub) {
                        FormActivate();
                    }
                    previous = active;
                });
    }
    TableGuarded([&] {
        ApplyStoredOrder();
        access_.GoTop();
    });
    grid_->setFocus();
}

void TableOverview::FormActivate() {
    TableGuarded([&] {
        // Another screen may have set another order on the shared table or changed its records.
        if (OrderName(access_) != listedOrder_ ||
            access_.component().table().changeCount() != listedChanges_) {
            Relist();
        }
        access_.GoTop();
    });
    grid_->selectRow(0);
    grid_->setFocus();
}

void TableOverview::ApplyStoredOrder() {
    access_.SetOrder(TSortFormData::StoredOrder(sort_, 1));
    Relist();
}

void TableOverview::Relist() {
    const uint32_t selected = model_->RecNoAt(grid_->currentIndex().row());
    model_->Reload();
    listedOrder_ = OrderName(access_);
    listedChanges_ = access_.component().table().changeCount();
    const int row = model_->RowOf(selected);
    grid_->selectRow(row < 0 ? 0 : row);
    grid_->scrollTo(grid_->currentIndex());
}

void TableOverview::SortClick() {
    TSortFormData sort(sort_, this);
    sort.exec();
    Guarded([this] { ApplyStoredOrder(); });
}

bool TableOverview::GoToSelected() {
    const uint32_t recno = model_->RecNoAt(grid_->currentIndex().row());
    if (recno == 0) {
        CurrentUi().Beep();
        return false;
    }
    access_.Go(recno);
    return true;
}

void TableOverview::WithSelected(const std::function<void()>& action) {
    Guarded([this, &action] {
        if (GoToSelected()) {
            action();
        }
    });
}

void TableOverview::RemoveSelectedRow() {
    const int row = grid_->currentIndex().row();
    model_->RecordRemoved(model_->RecNoAt(row));
    listedChanges_ = access_.component().table().changeCount();
    grid_->selectRow(std::min(row, model_->rowCount() - 1));
}

bool TableOverview::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape) {
            CloseWindow();
            return true;
        }
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            ContentsClick();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TableOverview::closeEvent(QCloseEvent* event) {
    const QWidget* placed = PlacementWindow();
    if (!placed->isMinimized() && !placed->isMaximized()) {
        SaveWindowPlacement(PlacementWindow(), screenNumber_);
    }
    event->accept();
}
