#include "playlist/playlist_form.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include "base/ini.h"
#include "base/ui.h"
#include "entry/editor_parts.h"
#include "playlist/info_playlist.h"
#include "playlist/oms_playlist_form.h"
#include "playlist/sort_form_playlist.h"
#include "shell/dialog_parts.h"
#include "shell/table_grid_model.h"
#include "shell/window_placement.h"
#include "store/catalogue.h"

namespace {

constexpr int kScreenNumber = 12;
constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;

struct GridColumn {
    const char* caption;
    const char* field;
    int characters;  // the width, in average characters
    bool right;
};

constexpr GridColumn kColumns[] = {
    {"TITLE", "TITEL", 28, false},    {"ARTIST", "ARTIEST", 22, false},
    {"TRACK", "TRACK", 6, true},      {"MINUTES", "MINUTEN", 8, true},
    {"SECONDS", "SECONDEN", 8, true}, {"YEAR", "JAAR", 6, true},
    {"NUMBER", "CDNUMMER", 10, true}, {"SOURCE", "DRAGER", 10, false},
    {"SIDE", "AKANT", 5, false}};

TPlaylistForm::Printer& PlaylistPrinter() {
    static TPlaylistForm::Printer printer;
    return printer;
}

}  // namespace

TPlaylistForm::TPlaylistForm(Catalogue& catalogue, QWidget* parent)
    : QWidget(parent),
      catalogue_(catalogue),
      grid_(new QTableView(this)),
      popupMenu_(new QMenu(this)) {
    setObjectName("PlaylistForm");
    setWindowTitle("Playlist");

    std::vector<TableGridModel::Column> columns;
    for (const GridColumn& column : kColumns) {
        columns.push_back({column.caption, column.field,
                           column.right ? kRight : Qt::AlignLeft | Qt::AlignVCenter});
    }
    model_ = new TableGridModel(catalogue_.dm3.PlaylistTable, std::move(columns), this);

    grid_->setObjectName("DBGrid1");
    grid_->setModel(model_);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid_, &QTableView::customContextMenuRequested, this, [this](const QPoint& at) {
        const QModelIndex index = grid_->indexAt(at);
        if (index.isValid())
            grid_->selectRow(index.row());
        popupMenu_->popup(grid_->viewport()->mapToGlobal(at));
    });
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
    grid_->horizontalHeader()->setHighlightSections(false);
    const int average = grid_->fontMetrics().averageCharWidth();
    const QFontMetrics header = grid_->horizontalHeader()->fontMetrics();
    for (int i = 0; i < int(std::size(kColumns)); ++i) {
        grid_->setColumnWidth(i, std::max(kColumns[i].characters * average,
                                          header.horizontalAdvance(kColumns[i].caption)) +
                                     12);
    }
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->installEventFilter(this);
    connect(grid_, &QTableView::doubleClicked, this, [this] { InformationClick(); });

    auto* bitBtn1 = NamedButton(this, "BitBtn1", "&Close");
    auto* bitBtn2 = NamedButton(this, "BitBtn2", "&Delete");
    auto* bitBtn3 = NamedButton(this, "BitBtn3", "&Print");
    auto* bitBtn4 = NamedButton(this, "BitBtn4", "In&formation");
    bitBtn3->setEnabled(bool(PlaylistPrinter()));
    connect(bitBtn3, &QPushButton::clicked, this, [this] { PrintClick(); });
    connect(bitBtn1, &QPushButton::clicked, this, [this] { PlacementWindow()->close(); });
    connect(bitBtn2, &QPushButton::clicked, this, [this] { DeleteClick(); });
    connect(bitBtn4, &QPushButton::clicked, this, [this] { InformationClick(); });

    popupMenu_->setObjectName("PopupMenu1");
    connect(NamedMenuItem(popupMenu_, "Information1", "&Information"), &QAction::triggered, this,
            [this] { InformationClick(); });
    QAction* print1 = NamedMenuItem(popupMenu_, "Print1", "&Print");
    print1->setEnabled(bool(PlaylistPrinter()));
    connect(print1, &QAction::triggered, this, [this] { PrintClick(); });
    connect(NamedMenuItem(popupMenu_, "Sort1", "&Sort"), &QAction::triggered, this,
            [this] { SortClick(); });
    popupMenu_->addSeparator();
    connect(NamedMenuItem(popupMenu_, "Deletetrack1", "&Delete track"), &QAction::triggered, this,
            [this] { DeleteClick(); });
    connect(NamedMenuItem(popupMenu_, "Deleteplaylist1", "Delete play&list"), &QAction::triggered,
            this, [this] { DeletePlaylistClick(); });

    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {bitBtn1, bitBtn2, bitBtn3, bitBtn4})
        buttons->addWidget(button);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(buttons);
    layout->addWidget(grid_);

    observer_ = catalogue_.dm3.PlaylistTable.AddObserver([this] { TableChanged(); });
}

TPlaylistForm::~TPlaylistForm() {
    catalogue_.dm3.PlaylistTable.RemoveObserver(observer_);
}

QWidget* TPlaylistForm::PlacementWindow() {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        return sub;
    return window();
}

void TPlaylistForm::Guarded(const std::function<void()>& handler) {
    TableGuarded(handler);
}

void TPlaylistForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    FormShow();
}

void TPlaylistForm::FormShow() {
    RestoreWindowPlacement(PlacementWindow(), kScreenNumber);
    if (IniReadBool("Opstart", "Hints"))
        grid_->setToolTip("Click on the right mouse button for more options");
    Guarded([this] { ShowInOrder(TSortFormPlaylist::StoredOrder(0)); });
    grid_->selectRow(0);
    grid_->setFocus();
}

void TPlaylistForm::ShowInOrder(int order) {
    TTableAccess& list = catalogue_.dm3.PlaylistAccess;
    const uint32_t selected = model_->RecNoAt(grid_->currentIndex().row());
    order_ = order;
    list.SetOrder(order_);
    model_->Reload();
    knownRecords_ = catalogue_.dm3.PlaylistTable.table().recordCount();
    const int row = model_->RowOf(selected);
    grid_->selectRow(row < 0 ? 0 : row);
    grid_->scrollTo(grid_->currentIndex());
}

bool TPlaylistForm::GoToSelected() {
    const uint32_t recno = model_->RecNoAt(grid_->currentIndex().row());
    if (recno == 0)
        return false;
    catalogue_.dm3.PlaylistAccess.Go(recno);
    return true;
}

void TPlaylistForm::TableChanged() {
    // Told on every move of the shared record: only a changed number of records (an entry added
    // by another screen) is worth a new listing, once the change is done.
    if (refreshQueued_ || catalogue_.dm3.PlaylistTable.table().recordCount() == knownRecords_)
        return;
    refreshQueued_ = true;
    QTimer::singleShot(0, this, [this] {
        refreshQueued_ = false;
        Guarded([this] { ShowInOrder(order_); });
    });
}

void TPlaylistForm::InformationClick() {
    Guarded([this] {
        TInfoPlaylist info(catalogue_.dm3.PlaylistAccess, this);
        info.exec();
    });
}

void TPlaylistForm::DeleteClick() {
    Guarded([this] {
        const int row = grid_->currentIndex().row();
        const uint32_t recno = model_->RecNoAt(row);
        if (!GoToSelected() || !catalogue_.dm3.DeletePlaylistTrack())
            return;
        model_->RecordRemoved(recno);
        grid_->selectRow(std::min(row, model_->rowCount() - 1));
    });
}

void TPlaylistForm::DeletePlaylistClick() {
    bool emptied = false;
    Guarded([this, &emptied] { emptied = catalogue_.dm3.DeletePlaylist(); });
    if (!emptied)
        return;
    // An empty playlist is not shown ("&Playlist" says so instead): the window goes.
    PlacementWindow()->close();
}

void TPlaylistForm::SortClick() {
    TSortFormPlaylist sort(this);
    sort.exec();
    Guarded([this] { ShowInOrder(TSortFormPlaylist::StoredOrder(1)); });
}

bool TPlaylistForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape) {
            PlacementWindow()->close();
            return true;
        }
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            InformationClick();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TPlaylistForm::closeEvent(QCloseEvent* event) {
    SaveWindowPlacement(PlacementWindow(), kScreenNumber);
    event->accept();
}

void TPlaylistForm::SetPrinter(Printer printer) {
    PlaylistPrinter() = std::move(printer);
}

void TPlaylistForm::PrintClick() {
    if (!PlaylistPrinter() ||
        CurrentUi().Message(MsgKind::Confirmation, "Do you want to print the playlist?",
                            MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    TOmsPlaylistForm description(this);
    description.exec();
    // The shown order, not the table's: another screen's "Add to playlist" seeks in an order of
    // its own.
    Guarded([this] { PlaylistPrinter()(catalogue_, order_, this); });
}
