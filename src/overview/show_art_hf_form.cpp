// The window of TShowArtHfForm: its button bar, the scrolling block of the main title and the
// current track, the track grid and the two pop-up menus.
#include "overview/show_art_hf_form.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "base/ini.h"
#include "base/text.h"
#include "cd/disc_id_line.h"
#include "overview/info_rows.h"
#include "overview/loan_picture.h"
#include "overview/record_labels.h"
#include "shell/dialog_parts.h"
#include "store/catalogue.h"
#include "store/saved_position.h"
#include "store/table_access.h"

namespace {

constexpr int kPanelHeight = 107;
constexpr int kTitlePartHeight = 114;
constexpr int kRowHeight = 18;

QLabel* Caption(QWidget* owner, const char* text) {
    auto* caption = new QLabel(text, owner);
    caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return caption;
}

// One line of the block: captions and values side by side, the values taking the room.
QHBoxLayout* Line(std::initializer_list<std::pair<QWidget*, int>> parts) {
    auto* line = new QHBoxLayout;
    line->setSpacing(6);
    for (const auto& [widget, stretch] : parts) {
        line->addWidget(widget, stretch);
    }
    return line;
}

}  // namespace

TShowArtHfForm::TShowArtHfForm(Catalogue& catalogue, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      catalogue_(catalogue),
      titleLabels_(std::make_unique<RecordLabels>(catalogue.dm2.HfAccess)),
      trackLabels_(std::make_unique<RecordLabels>(catalogue.dm1.ArtAccess)),
      scrollBox1_(new QScrollArea(this)),
      trackPart_(nullptr),
      toonTijd_(new QLabel("00:00", this)),
      tracknum_(new QLabel("0", this)),
      image1_(new QLabel(this)),
      trackNumber_(nullptr),
      autoBox_(new QCheckBox("Auto", this)),
      stringGrid2_(new QTableWidget(0, 3, this)),
      popupMenu1_(new QMenu(this)),
      popupMenu2_(new QMenu(this)),
      removeId1_(nullptr),
      discIds_(new DiscIdLine(this)) {
    setObjectName("ShowArtHfForm");
    setWindowTitle("Contents");
    setModal(true);

    const struct {
        const char* text;
        const char* name;
        void (TShowArtHfForm::*action)();
    } buttons[] = {{"&Delete", "DeleteBtn", &TShowArtHfForm::FormVerwijder},
                   {"&Loan", "LoanBtn", &TShowArtHfForm::UitleenClick},
                   {"&Read CD info", "ReadCdInfoBtn", &TShowArtHfForm::LeesAlleTrackTijden},
                   {"&Memo", "MemoBtn", &TShowArtHfForm::FormTekstblad},
                   {"&Edit", "EditBtn", &TShowArtHfForm::FormTrack},
                   {"In&formation", "InfoBtn", &TShowArtHfForm::FormInfo}};
    auto* bar = new QHBoxLayout;
    for (const auto& b : buttons) {
        QPushButton* button = NamedButton(this, b.name, b.text);
        connect(button, &QPushButton::clicked, this,
                [this, action = b.action] { (this->*action)(); });
        bar->addWidget(button);
    }
    bar->addStretch();
    QPushButton* close = NamedButton(this, "CloseBtn", "&Close");
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    bar->addWidget(close);

    scrollBox1_->setObjectName("ScrollBox1");
    scrollBox1_->setFixedHeight(kPanelHeight);
    scrollBox1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollBox1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    scrollBox1_->setWidgetResizable(true);
    scrollBox1_->setWidget(MakeBlock());

    stringGrid2_->setObjectName("StringGrid2");
    stringGrid2_->setHorizontalHeaderLabels({"Artist", "Title", ""});
    stringGrid2_->setColumnHidden(2, true);
    stringGrid2_->setColumnWidth(0, kArtistColumnWidth);
    stringGrid2_->horizontalHeader()->setStretchLastSection(true);
    stringGrid2_->verticalHeader()->hide();
    stringGrid2_->verticalHeader()->setDefaultSectionSize(kRowHeight);
    stringGrid2_->verticalHeader()->setMinimumSectionSize(kRowHeight);
    stringGrid2_->setSelectionBehavior(QAbstractItemView::SelectRows);
    stringGrid2_->setSelectionMode(QAbstractItemView::SingleSelection);
    stringGrid2_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    stringGrid2_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    stringGrid2_->setWordWrap(false);
    stringGrid2_->setMinimumHeight(10 * kRowHeight);
    stringGrid2_->installEventFilter(this);
    connect(stringGrid2_, &QTableWidget::currentCellChanged, this,
            [this](int row) { StringGrid2SelectCell(row); });
    connect(stringGrid2_, &QTableWidget::cellDoubleClicked, this, [this] { FormInfo(); });
    MakeMenus();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(bar);
    layout->addWidget(scrollBox1_);
    layout->addWidget(stringGrid2_, 1);
    resize(640, 460);
}

TShowArtHfForm::~TShowArtHfForm() = default;

QLabel* TShowArtHfForm::Bound(RecordLabels& labels, const char* name, const std::string& field) {
    return Bound(labels, name,
                 [field](const TTableAccess& access) { return Trim(access.GetString(field)); });
}

QLabel* TShowArtHfForm::Bound(RecordLabels& labels, const char* name, RecordLabels::Reader reader) {
    auto* label = new QLabel(this);
    label->setObjectName(name);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->setMinimumWidth(40);
    labels.Bind(label, std::move(reader));
    return label;
}

QWidget* TShowArtHfForm::MakeBlock() {
    auto* block = new QWidget;
    block->setObjectName("Panel1");
    block->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(block, &QWidget::customContextMenuRequested, this,
            [this, block](const QPoint& at) { popupMenu2_->popup(block->mapToGlobal(at)); });
    auto* layout = new QVBoxLayout(block);
    layout->setContentsMargins(4, 2, 4, 4);
    layout->setSpacing(0);
    layout->addWidget(MakeTitlePart());
    trackPart_ = MakeTrackPart();
    layout->addWidget(trackPart_);
    layout->addStretch(1);  // extra height goes below the block, never between its lines
    return block;
}

QWidget* TShowArtHfForm::MakeTitlePart() {
    auto* part = new QWidget;
    part->setMinimumHeight(kTitlePartHeight);
    RecordLabels& t = *titleLabels_;
    toonTijd_->setObjectName("ToonTijd");
    QFont bold = toonTijd_->font();
    bold.setBold(true);
    toonTijd_->setFont(bold);

    auto* rows = new QVBoxLayout;
    rows->setSpacing(2);
    rows->addLayout(Line({{Caption(part, "Source:"), 0},
                          {Bound(t, "HfDRAGER", "DRAGER"), 2},
                          {Caption(part, "Number:"), 0},
                          {Bound(t, "HfCDNUMMER", "CDNUMMER"), 2},
                          {Caption(part, "Quality:"), 0},
                          {Bound(t, "HfOPNAME", "OPNAME"), 2},
                          {Caption(part, "Playing time:"), 0},
                          {toonTijd_, 2},
                          {Caption(part, "Date:"), 0},
                          {Bound(t, "HfINVOERDAT", "INVOERDAT"), 3}}));
    rows->addLayout(Line({{Caption(part, "Main title:"), 0},
                          {Bound(t, "HfHTITEL", "HTITEL"), 3},
                          {Caption(part, "Style:"), 0},
                          {Bound(t, "HfSOORT", "SOORT"), 2}}));
    rows->addLayout(Line({{Caption(part, "Label:"), 0},
                          {Bound(t, "HfLABEL", "LABEL"), 3},
                          {Caption(part, "Main artist:"), 0},
                          {Bound(t, "HfHOOFDART", "HOOFDART"), 3}}));
    QLabel* purchaseCaption = Caption(part, "&Purchase:");
    rows->addLayout(Line({{purchaseCaption, 0},
                          {Bound(t, "HfAANKOOP", "AANKOOP"), 3},
                          {Caption(part, "on:"), 0},
                          {Bound(t, "HfAANKOOPDAT", "AANKOOPDAT"), 2},
                          {Caption(part, "amount:"), 0},
                          {Bound(t, "HfAANKPPRS", "AANKPPRS"), 2}}));
    rows->addWidget(discIds_);
    rows->addStretch();

    image1_->setObjectName("Image1");
    image1_->setPixmap(LoanPicture(32));
    image1_->setFixedSize(32, 32);
    image1_->installEventFilter(this);
    image1_->hide();
    QPushButton* title = NamedButton(part, "MainTitleBtn", "&Main title");
    QPushButton* purchase = NamedButton(part, "PurchaseBtn", "&Purchase");
    purchaseCaption->setBuddy(purchase);
    connect(title, &QPushButton::clicked, this, [this] { HoofdtitelClick(); });
    connect(purchase, &QPushButton::clicked, this, [this] { AankoopClick(); });
    autoBox_->setObjectName("AutoBox");
    connect(autoBox_, &QCheckBox::clicked, this,
            [](bool checked) { IniWriteBool("Diversen", "AutoInhoud", checked); });
    auto* side = new QVBoxLayout;
    side->setSpacing(2);
    side->addWidget(image1_, 0, Qt::AlignHCenter);
    side->addWidget(title);
    side->addWidget(purchase);
    side->addWidget(autoBox_);
    side->addStretch();

    auto* layout = new QHBoxLayout(part);
    layout->setContentsMargins(0, 0, 0, 4);
    layout->addLayout(rows, 1);
    layout->addLayout(side);
    return part;
}

QWidget* TShowArtHfForm::MakeTrackPart() {
    auto* part = new QWidget;
    RecordLabels& a = *trackLabels_;
    tracknum_->setObjectName("Tracknum");
    tracknum_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    trackNumber_ = Bound(a, "ArtTRACK", "TRACK");
    trackNumber_->setToolTip("Double click to play the track");
    trackNumber_->installEventFilter(this);
    QLabel* time = Bound(a, "ArtTIJD", &TrackTimeText);

    auto* rows = new QVBoxLayout(part);
    rows->setContentsMargins(0, 4, 0, 0);
    rows->setSpacing(2);
    rows->addLayout(Line({{Caption(part, "Artist:"), 0},
                          {Bound(a, "ArtARTIEST", "ARTIEST"), 6},
                          {tracknum_, 1},
                          {new QLabel("Track(s)", part), 0}}));
    rows->addLayout(Line({{Caption(part, "Title:"), 0}, {Bound(a, "ArtTITEL", "TITEL"), 1}}));
    rows->addLayout(Line({{Caption(part, "Composer:"), 0},
                          {Bound(a, "ArtCOMPONIST", "COMPONIST"), 3},
                          {Caption(part, "Style:"), 0},
                          {Bound(a, "ArtSOORT", "SOORT"), 2}}));
    rows->addLayout(Line({{Caption(part, "Performance:"), 0},
                          {Bound(a, "ArtUITVOER", "UITVOER"), 3},
                          {Caption(part, "Keyword:"), 0},
                          {Bound(a, "ArtTREF", "TREF"), 2}}));
    rows->addLayout(Line({{Caption(part, "Time:"), 0},
                          {time, 1},
                          {Caption(part, "Track:"), 0},
                          {trackNumber_, 0},
                          {Bound(a, "ArtAKANT", "AKANT"), 1},
                          {Caption(part, "Year:"), 0},
                          {Bound(a, "ArtJAAR", "JAAR"), 1},
                          {Caption(part, "Source:"), 0},
                          {Bound(a, "ArtDRAGER", "DRAGER"), 1},
                          {Bound(a, "ArtCDNUMMER", "CDNUMMER"), 1}}));
    return part;
}

void TShowArtHfForm::MakeMenus() {
    popupMenu1_->setObjectName("PopupMenu1");
    const struct {
        const char* text;
        const char* name;
        std::function<void()> action;
    } items[] = {
        {"In&formation", "Information1", [this] { FormInfo(); }},
        {"&Edit", "Edit1", [this] { FormTrack(); }},
        {"&Delete", "Delete1", [this] { FormVerwijder(); }},
        {"&Memo", "Memo1", [this] { FormTekstblad(); }},
        {"&Purchase", "Purchase1", [this] { AankoopClick(); }},
        {"Ma&in title", "Maintitle1", [this] { scrollBox1_->verticalScrollBar()->setValue(0); }},
        {"&Loan", "Loan1", [this] { UitleenClick(); }},
        {"&Add to playlist", "Addtoplaylist1", [this] { AddToPlaylistClick(); }},
        {"Pla&y track", "Playtrack1", [this] { PlayTrackClick(); }},
        {"Stop &track", "Stoptrack1", [this] { StopTrackClick(); }},
        {"E&ject", "Eject1", [this] { EjectClick(); }},
        {"&Renumber tracks", "Renumbertracks1", [this] { HernummerClick(); }},
        {"Pre&vious window", "Previouswindow1", [this] { reject(); }},
    };
    for (const auto& item : items) {
        QAction* action = popupMenu1_->addAction(item.text);
        action->setObjectName(item.name);
        connect(action, &QAction::triggered, this, item.action);
        const QString name = item.name;
        if (name == "Loan1" || name == "Addtoplaylist1" || name == "Renumbertracks1" ||
            name == "Previouswindow1") {
            popupMenu1_->insertSeparator(action);
        }
    }
    stringGrid2_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(stringGrid2_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        popupMenu1_->popup(stringGrid2_->viewport()->mapToGlobal(at));
    });

    popupMenu2_->setObjectName("PopupMenu2");
    removeId1_ = popupMenu2_->addAction("&Remove ID");
    removeId1_->setObjectName("RemoveID1");
    connect(removeId1_, &QAction::triggered, this, [this] { RemoveID(); });
}

bool TShowArtHfForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == stringGrid2_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            FormInfo();
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == image1_) {
            UitleenClick();
            return true;
        }
        if (watched == trackNumber_) {
            PlayTrackClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
