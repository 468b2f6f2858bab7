#include "search/zoek_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

#include "base/feedback.h"
#include "base/ini.h"
#include "base/protection.h"
#include "base/text.h"
#include "base/ui.h"
#include "cd/cd_speler.h"
#include "cd/install_cd_player.h"
#include "entry/edit_aankoop.h"
#include "entry/editor_parts.h"
#include "entry/pick_list_combo.h"
#include "entry/tekstblad.h"
#include "entry/verander_combo_items.h"
#include "entry/wijzig_artiest_gegevens.h"
#include "entry/wijzig_hoofdtitel_gegevens.h"
#include "loans/loan_commands.h"
#include "overview/show_source.h"
#include "search/hit_list_model.h"
#include "search/source_deletion.h"
#include "search/vertraag_form.h"
#include "shell/dialog_parts.h"
#include "shell/table_text.h"
#include "shell/window_placement.h"
#include "store/catalogue.h"
#include "store/source_key.h"

namespace {

constexpr int kScreenNumber = 5;
constexpr int kRowHeight = 18;
constexpr int kSearchColumnWidth = 292;
constexpr int kDefaultColumnWidth = 600;
constexpr int kTitleSourceOrder = 4;
// The top panel shows the boxes and buttons; the details lie below, reached by scrolling.
constexpr int kTopPanelHeight = 130;
// The boxes and buttons take about this much of it.
constexpr int kControlsHeight = 80;

struct Detail {
    const char* caption;
    std::vector<std::string> fields;
};

const std::vector<Detail>& TrackDetails() {
    static const std::vector<Detail> details = {{"Artist", {"ARTIEST"}},
                                                {"Title", {"TITEL"}},
                                                {"Composer", {"COMPONIST"}},
                                                {"Style", {"SOORT"}},
                                                {"Performance", {"UITVOER"}},
                                                {"Keyword", {"TREF"}},
                                                {"Time", {"MINUTEN", "SECONDEN"}},
                                                {"Track", {"TRACK", "AKANT"}},
                                                {"Year", {"JAAR"}},
                                                {"Source", {"DRAGER", "CDNUMMER"}}};
    return details;
}

const std::vector<Detail>& TitleDetails() {
    static const std::vector<Detail> details = {{"Source", {"DRAGER", "CDNUMMER"}},
                                                {"Main title", {"HTITEL"}},
                                                {"Style", {"SOORT"}},
                                                {"Label", {"LABEL"}},
                                                {"Main artist", {"HOOFDART"}},
                                                {"Purchased", {"AANKOOP"}},
                                                {"Purchase date", {"AANKOOPDAT"}},
                                                {"Amount", {"AANKPPRS"}},
                                                {"Quality", {"OPNAME"}}};
    return details;
}

}  // namespace

TZoekForm::TZoekForm(Catalogue& catalogue, Kind kind, QWidget* parent)
    : QWidget(parent), catalogue_(catalogue), kind_(kind) {
    static const char* const kNames[] = {
        "ZoekArtiestForm", "ZoekHoofdtitelForm", "ZoekGeluidsdragerForm", "ZoekJaarForm",
        "ZoekTijdForm",    "ZoekTekstbladForm",  "ZoekWoordForm"};
    setObjectName(kNames[int(kind)]);
    BuildTopPanel();
    BuildGrid();
    BuildPopupMenus();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(scrollBox_);
    layout->addWidget(grid_, 1);
    switch (kind_) {
        case Kind::Source:
            setWindowTitle("Source");
            break;
        case Kind::Year:
            setWindowTitle("Year");
            break;
        case Kind::Time:
            setWindowTitle("Track time");
            break;
        case Kind::Memo:
            setWindowTitle("Memo fields");
            break;
        case Kind::Word:
            setWindowTitle("Context");
            break;
        default:
            break;
    }
    // The keyboard goes from the search box to the filter box, Search and Auto; set once the
    // panel is in the window, as the focus chain follows the window.
    QWidget* searchInput = zoekstr_    ? static_cast<QWidget*>(zoekstr_)
                           : memoText_ ? static_cast<QWidget*>(memoText_)
                                       : number_;
    QWidget* last = nSec_ ? static_cast<QWidget*>(nSec_) : zoekExact_ ? zoekExact_ : searchInput;
    if (nSec_)
        setTabOrder(searchInput, nSec_);
    if (zoekExact_)
        setTabOrder(searchInput, zoekExact_);
    setTabOrder(last, refStr_);
    setTabOrder(refStr_, zoekBtn_);
    setTabOrder(zoekBtn_, auto_);
    // The word-part search shows the details of whichever table it searches.
    observers_[0] = catalogue_.dm1.ArtTable.AddObserver([this] { UpdateDetails(); });
    observers_[1] = catalogue_.dm2.HfTable.AddObserver([this] { UpdateDetails(); });
    Disable_Buttons();
}

TZoekForm::~TZoekForm() {
    catalogue_.dm1.ArtTable.RemoveObserver(observers_[0]);
    catalogue_.dm2.HfTable.RemoveObserver(observers_[1]);
}

bool TZoekForm::tracks() const {
    if (kind_ == Kind::Word)
        return wordTracks_;
    return kind_ == Kind::Tracks || kind_ == Kind::Year || kind_ == Kind::Time;
}

TTableAccess& TZoekForm::access() const {
    return tracks() ? catalogue_.dm1.ArtAccess : catalogue_.dm2.HfAccess;
}

QString TZoekForm::SearchCaption() const {
    switch (kind_) {
        case Kind::Source:
            return "Source";
        case Kind::Year:
            return "Year";
        case Kind::Time:
            return "Time";
        case Kind::Memo:
            return "Text";
        default:
            return profile_.SearchCaption;
    }
}

QString TZoekForm::FilterCaption() const {
    switch (kind_) {
        case Kind::Source:
        case Kind::Memo:
            return "Main title";
        case Kind::Year:
            return "Title";
        case Kind::Time:
            return "Artist";
        default:
            return profile_.FilterCaption;
    }
}

const char* TZoekForm::AutoKey() const {
    static const char* const kKeys[] = {"AutoArtiest",        "AutoHoofdtitel", "AutoGeluidsdrager",
                                        "AutoJaar",           "AutoTracktijd",  "AutoTekstblad",
                                        "AutoWoordHoofdtitel"};
    return kKeys[int(kind_)];
}

QCheckBox* TZoekForm::AutoBox() const {
    return autoTracks_ != nullptr && tracks() ? autoTracks_ : auto_;
}

void TZoekForm::SetCounters(int rows) {
    counter_->setText(QString::number(rows));
    if (counterTracks_)
        counterTracks_->setText(QString::number(rows));
}

void TZoekForm::BuildTopPanel() {
    auto* panel = new QWidget;
    panel->setObjectName("Panel1");
    searchLabel_ = new QLabel(panel);
    filterLabel_ = new QLabel(panel);
    refStr_ = new QLineEdit(panel);
    refStr_->setObjectName("RefStr");
    refStr_->setMaxLength(50);
    refStr_->installEventFilter(this);
    zoekBtn_ = NamedButton(panel, "ZoekBtn", "&Search");
    auto_ = new QCheckBox("Auto", panel);
    auto_->setObjectName("AutoCheck");
    connect(auto_, &QCheckBox::clicked, this,
            [this](bool on) { IniWriteBool("Diversen", AutoKey(), on); });
    connect(zoekBtn_, &QPushButton::clicked, this, [this] { Zoek(); });

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(searchLabel_);
    QWidget* searchInput = nullptr;
    if (kind_ == Kind::Year || kind_ == Kind::Time) {
        number_ = new QSpinBox(panel);
        number_->setObjectName("Zoekstr");
        number_->setRange(0, kind_ == Kind::Year ? 9999 : 999);
        searchInput = number_;
        searchRow->addWidget(number_);
        if (kind_ == Kind::Time) {
            nSec_ = new QSpinBox(panel);
            nSec_->setObjectName("nSec");
            nSec_->setRange(0, 59);
            searchRow->addWidget(new QLabel(":", panel));
            searchRow->addWidget(nSec_);
        }
        zoekBtn_->setEnabled(true);  // a spin edit always holds a number
    } else if (kind_ == Kind::Memo || kind_ == Kind::Word) {
        memoText_ = new QLineEdit(panel);
        memoText_->setObjectName("Zoekstr");
        memoText_->setMaxLength(kind_ == Kind::Memo ? 100 : 50);
        memoText_->setMinimumWidth(260);
        memoText_->installEventFilter(this);
        connect(memoText_, &QLineEdit::textChanged, this,
                [this](const QString& text) { zoekBtn_->setEnabled(!text.isEmpty()); });
        zoekExact_ = new QCheckBox("Exact", panel);
        zoekExact_->setObjectName("ZoekExact");
        searchInput = memoText_;
        searchRow->addWidget(memoText_);
        searchRow->addWidget(zoekExact_);
    } else {
        zoekstr_ = new PickListCombo(panel);
        zoekstr_->setObjectName("Zoekstr");
        zoekstr_->setEditable(true);
        zoekstr_->setInsertPolicy(QComboBox::NoInsert);
        zoekstr_->lineEdit()->setMaxLength(kind_ == Kind::Source ? 10 : 50);
        zoekstr_->setMinimumWidth(kind_ == Kind::Source ? 120 : 260);
        // Keys reach the combo box, the double click its edit field.
        zoekstr_->installEventFilter(this);
        zoekstr_->lineEdit()->installEventFilter(this);
        connect(zoekstr_, &QComboBox::editTextChanged, this,
                [this](const QString& text) { zoekBtn_->setEnabled(!text.isEmpty()); });
        connect(zoekstr_, &PickListCombo::dropDown, this, [this] {
            const std::string code = kind_ == Kind::Source ? "D" : profile_.LookupCode;
            const QString text = zoekstr_->currentText();
            zoekstr_->clear();
            if (!code.empty()) {
                Guarded([&] {
                    std::vector<std::string> items;
                    catalogue_.dm3.GetItems(items, code[0]);
                    for (const std::string& item : items)
                        zoekstr_->addItem(FromTable(TableText(item)).trimmed());
                });
            }
            zoekstr_->setEditText(text);
        });
        searchInput = zoekstr_;
        searchRow->addWidget(zoekstr_);
    }
    searchLabel_->setBuddy(searchInput);
    filterLabel_->setBuddy(refStr_);
    searchRow->addWidget(filterLabel_);
    searchRow->addWidget(refStr_, 1);
    searchRow->addWidget(zoekBtn_);
    if (kind_ != Kind::Word)
        searchRow->addWidget(auto_);
    if (kind_ != Kind::Year && kind_ != Kind::Time)
        zoekBtn_->setEnabled(false);

    auto* buttonRow = new QHBoxLayout;
    const std::pair<const char*, const char*> buttons[] = {
        {"VerwijderBtn", "&Delete"}, {"MemoBtn", "&Memo"},       {"WijzigBtn", "&Edit"},
        {"InfoBtn", "In&fo"},        {"InhoudBtn", "&Contents"}, {"SluitBtn", "&Close"}};
    for (const auto& [name, text] : buttons) {
        QPushButton* button = NamedButton(panel, name, text);
        buttonRow->addWidget(button);
        if (std::string_view(name) != "SluitBtn")
            actionButtons_.push_back(button);
    }
    connect(actionButtons_[0], &QPushButton::clicked, this, [this] { FormVerwijder(); });
    connect(actionButtons_[1], &QPushButton::clicked, this, [this] { FormTekstblad(); });
    connect(actionButtons_[2], &QPushButton::clicked, this, [this] { FormWijzig(); });
    connect(actionButtons_[3], &QPushButton::clicked, this, [this] { ShowInfo(); });
    connect(actionButtons_[4], &QPushButton::clicked, this, [this] { FormInhoud(); });
    connect(panel->findChild<QPushButton*>("SluitBtn"), &QPushButton::clicked, this,
            [this] { PlacementWindow()->close(); });
    if (kind_ == Kind::Word) {
        QPushButton* preference = NamedButton(panel, "VoorkeurBtn", "&Preference");
        buttonRow->insertWidget(buttonRow->count() - 1, preference);
        connect(preference, &QPushButton::clicked, this, [this] { Preference(); });
    }
    buttonRow->addStretch();
    // The word-part search counts on a line of its own for each table, each with its Auto box.
    QHBoxLayout* counterRow = kind_ == Kind::Word ? new QHBoxLayout : buttonRow;
    if (kind_ == Kind::Word)
        counterRow->addStretch();
    const auto addCounter = [&](const char* name, const char* caption, bool forTracks) {
        auto* counter = new QLabel("0", panel);
        counter->setObjectName(name);
        counter->setMinimumWidth(60);
        counter->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        counterRow->addWidget(counter);
        counterRow->addWidget(new QLabel(caption, panel));
        if (kind_ == Kind::Word)
            counterRow->addWidget(forTracks ? autoTracks_ : auto_);
        return counter;
    };
    if (kind_ == Kind::Word) {
        autoTracks_ = new QCheckBox("Auto", panel);
        autoTracks_->setObjectName("AutoCheckTracks");
        connect(autoTracks_, &QCheckBox::clicked, this,
                [](bool on) { IniWriteBool("Diversen", "AutoWoordArtiest", on); });
        counter_ = addCounter("Aantal", "Main titles", false);
        counterTracks_ = addCounter("AantalTracks", "Track(s)", true);
    } else {
        counter_ = addCounter("Aantal", tracks() ? "Track(s)" : "Main titles", tracks());
    }

    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(8, 6, 8, 6);
    column->addLayout(searchRow);
    column->addLayout(buttonRow);
    if (counterRow != buttonRow)
        column->addLayout(counterRow);
    else
        column->addSpacing(kTopPanelHeight - kControlsHeight);
    column->addWidget(BuildDetails(tracks()));
    if (kind_ == Kind::Word) {
        column->addWidget(BuildDetails(false));
        detailBlocks_[0]->hide();
    }

    scrollBox_ = new QScrollArea(this);
    scrollBox_->setObjectName("ScrollBox1");
    scrollBox_->setWidget(panel);
    scrollBox_->setWidgetResizable(true);
    scrollBox_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollBox_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    scrollBox_->setFixedHeight(kTopPanelHeight);
    scrollBox_->setContextMenuPolicy(Qt::CustomContextMenu);
    panel->setContextMenuPolicy(Qt::CustomContextMenu);
    auto popup = [this](const QPoint& at) {
        popupMenu2_->popup(QCursor::pos());
        Q_UNUSED(at);
    };
    connect(panel, &QWidget::customContextMenuRequested, this, popup);
}

QWidget* TZoekForm::BuildDetails(bool forTracks) {
    auto* block = new QWidget;
    detailBlocks_[forTracks ? 1 : 0] = block;
    // Two fields a line, so that the whole block fits in the panel once scrolled into view.
    auto* details = new QGridLayout(block);
    details->setContentsMargins(0, 0, 0, 0);
    details->setVerticalSpacing(2);
    details->setColumnStretch(1, 1);
    details->setColumnStretch(3, 1);
    int cell = 0;
    for (const Detail& detail : forTracks ? TrackDetails() : TitleDetails()) {
        auto* value = new QLabel(block);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        details->addWidget(new QLabel(QString(detail.caption) + ":", block), cell / 2,
                           (cell % 2) * 2);
        details->addWidget(value, cell / 2, (cell % 2) * 2 + 1);
        ++cell;
        details_.push_back({detail.fields, value, forTracks});
        if (detail.fields[0] == "AANKOOP") {
            value->setObjectName("AankoopLabel");
            value->installEventFilter(this);
        }
    }
    if (kind_ == Kind::Memo) {
        auto* memo = new QLabel(block);
        memo->setObjectName("MemoLabel");
        memo->setWordWrap(true);
        memo->setAlignment(Qt::AlignTop | Qt::AlignLeft);
        memo->installEventFilter(this);
        const int row = (cell + 1) / 2;
        details->addWidget(new QLabel("Memo:", block), row, 0, Qt::AlignTop);
        details->addWidget(memo, row, 1, 1, 3);
        details_.push_back({{"MEMO"}, memo, false});
    }
    return block;
}

void TZoekForm::BuildGrid() {
    std::vector<HitListModel::Column> columns;
    std::vector<int> widths;
    switch (kind_) {
        case Kind::Source:
            columns = {
                {"Source", {"DRAGER"}}, {"Number:", {"CDNUMMER"}}, {"Main title", {"HTITEL"}}};
            widths = {140, 140, kDefaultColumnWidth};
            break;
        case Kind::Year:
            columns = {{"Year", {"JAAR"}}, {"Artist", {"ARTIEST"}}, {"Title", {"TITEL"}}};
            widths = {50, 265, 400};
            break;
        case Kind::Time:
            columns = {
                {"Time", {"MINUTEN", "SECONDEN"}}, {"Artist", {"ARTIEST"}}, {"Title", {"TITEL"}}};
            widths = {50, 265, 400};
            break;
        case Kind::Memo:
            columns = {{"Main title", {"HTITEL"}}, {"Main artist", {"HOOFDART"}}};
            widths = {kSearchColumnWidth, kDefaultColumnWidth};
            break;
        default:
            break;  // InitZoek gives them
    }
    model_ = new HitListModel(access().component(), columns, this);
    grid_ = new QTableView(this);
    grid_->setObjectName("StringGrid1");
    grid_->setModel(model_);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setMinimumSectionSize(kRowHeight);
    grid_->verticalHeader()->setDefaultSectionSize(kRowHeight);
    grid_->horizontalHeader()->setHighlightSections(false);
    grid_->horizontalHeader()->setDefaultSectionSize(kDefaultColumnWidth);
    for (size_t i = 0; i < widths.size(); ++i)
        grid_->setColumnWidth(int(i), widths[i]);
    grid_->installEventFilter(this);
    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (resultsShown_ && current.isValid())
                    Guarded([&] { access().Go(model_->RecNoAt(current.row())); });
            });
    connect(grid_, &QTableView::doubleClicked, this, [this] { FormInhoud(); });
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid_, &QTableView::customContextMenuRequested, this, [this](const QPoint& at) {
        if (!resultsShown_)
            return;  // the pop-up opens only over results
        const QModelIndex index = grid_->indexAt(at);
        if (index.isValid())
            grid_->selectRow(index.row());
        popupMenu1_->popup(grid_->viewport()->mapToGlobal(at));
    });
}

void TZoekForm::BuildPopupMenus() {
    popupMenu1_ = new QMenu(this);
    popupMenu1_->setObjectName("PopupMenu1");
    connect(NamedMenuItem(popupMenu1_, "Contents1", "&Contents"), &QAction::triggered, this,
            [this] { FormInhoud(); });
    connect(NamedMenuItem(popupMenu1_, "Information1", "In&formation"), &QAction::triggered, this,
            [this] { ShowInfo(); });
    connect(NamedMenuItem(popupMenu1_, "Edit1", "&Edit"), &QAction::triggered, this,
            [this] { FormWijzig(); });
    connect(NamedMenuItem(popupMenu1_, "Memo1", "&Memo"), &QAction::triggered, this,
            [this] { FormTekstblad(); });
    connect(NamedMenuItem(popupMenu1_, "Purchase1", "&Purchase"), &QAction::triggered, this,
            [this] { FormAankoop(); });
    if (tracks() || kind_ == Kind::Word) {
        playlistItem_ = NamedMenuItem(popupMenu1_, "Addtoplaylist1", "Add to &playlist");
        connect(playlistItem_, &QAction::triggered, this, [this] { AddToPlaylist(); });
        popupMenu1_->addSeparator();
        playItem_ = NamedMenuItem(popupMenu1_, "Playtrack1", "&Play track");
        connect(playItem_, &QAction::triggered, this, [this] { PlayTrack(); });
        connect(NamedMenuItem(popupMenu1_, "Stoptrack1", "Stop &track"), &QAction::triggered, this,
                [this] { StopTrack(); });
        connect(NamedMenuItem(popupMenu1_, "Eject1", "&Eject"), &QAction::triggered, this,
                [this] { EjectCD(); });
    } else {
        connect(NamedMenuItem(popupMenu1_, "Loan1", "&Loan"), &QAction::triggered, this,
                [this] { FormLening(); });
    }
    popupMenu1_->addSeparator();
    connect(NamedMenuItem(popupMenu1_, "Delete1", "&Delete"), &QAction::triggered, this,
            [this] { FormVerwijder(); });
    connect(NamedMenuItem(popupMenu1_, "Searchagain1", "&Search again"), &QAction::triggered, this,
            [this] { SearchAgain(); });

    popupMenu2_ = new QMenu(this);
    popupMenu2_->setObjectName("PopupMenu2");
    connect(NamedMenuItem(popupMenu2_, "Delay1", "&Delay"), &QAction::triggered, this,
            [this] { Vertraag(); });
    if (kind_ == Kind::Word) {
        for (QMenu* menu : {popupMenu1_, popupMenu2_})
            connect(NamedMenuItem(menu, "Preference1", "&Preference"), &QAction::triggered, this,
                    [this] { Preference(); });
    }
    if (kind_ == Kind::Memo) {
        scrollToMemo_ = NamedMenuItem(popupMenu2_, "Scrolltomemo1", "&Scroll to memo");
        scrollToMemo_->setCheckable(true);
        connect(scrollToMemo_, &QAction::triggered, this, [this] {
            // The item's check mark flipped on the click; the key takes the new state.
            IniWriteBool("Diversen", "NaarTekstblad", scrollToMemo_->isChecked());
            scrollToMemo_->setChecked(IniReadBool("Diversen", "NaarTekstblad"));
        });
    }
}

void TZoekForm::InitZoek(const SearchProfile& profile, bool simpleStyle) {
    profile_ = profile;
    setWindowTitle(profile_.SearchCaption);
    if (profile_.SearchBoxWidth > 0) {
        zoekstr_->setFixedWidth(profile_.SearchBoxWidth);
        zoekstr_->lineEdit()->setMaxLength(30);
    }
    if (profile_.FilterBoxWidth > 0) {
        refStr_->setFixedWidth(profile_.FilterBoxWidth);
        refStr_->setMaxLength(30);
    }
    if (simpleStyle)
        zoekstr_->setStyleSheet("QComboBox::drop-down { width: 0px; border: 0px; }");
    ShowProfile();
}

void TZoekForm::ShowProfile() {
    model_->setColumns({{profile_.SearchCaption, {profile_.SearchField}},
                        {profile_.FilterCaption, {profile_.FilterField}}});
    grid_->setColumnWidth(0, kSearchColumnWidth);
    grid_->setColumnWidth(1, kDefaultColumnWidth);
    searchLabel_->setText(profile_.SearchCaption + ":");
    filterLabel_->setText(profile_.FilterCaption + ":");
}

QWidget* TZoekForm::PlacementWindow() {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        return sub;
    return window();
}

void TZoekForm::Guarded(const std::function<void()>& action) {
    TableGuarded(action);
}

bool TZoekForm::GuardedSearch(const std::function<void()>& search) {
    for (bool again = false;; again = true) {
        try {
            search();
            return true;
        } catch (const TableError& error) {
            if (!ShowTableError(error) || again)
                return false;
        }
    }
}

void TZoekForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (kind_ == Kind::Year) {
        // The year last used in entry, each time the window comes forward; a text that is no
        // year (the configuration file's "FOUT" when none was ever stored) is shown as it is.
        const QString stored = QString::fromStdString(IniReadString("diversen", "VeldJaar"));
        bool isYear = false;
        const int year = stored.trimmed().toInt(&isYear);
        const bool asText = !isYear && !stored.trimmed().isEmpty();
        number_->setMinimum(asText ? -1 : 0);
        number_->setSpecialValueText(asText ? stored.trimmed() : QString());
        number_->setValue(asText ? -1 : isYear ? year : 0);
    }
    if (shown_)
        return;
    shown_ = true;
    FormShow();
}

void TZoekForm::FormShow() {
    if (kind_ != Kind::Tracks && kind_ != Kind::MainTitles && kind_ != Kind::Word) {
        searchLabel_->setText(SearchCaption() == "Text" ? "Text:" : SearchCaption() + ":");
        filterLabel_->setText(FilterCaption() + ":");
    }
    RestoreWindowPlacement(PlacementWindow(), kScreenNumber);
    auto_->setChecked(IniReadBool("Diversen", AutoKey()));
    if (autoTracks_)
        autoTracks_->setChecked(IniReadBool("Diversen", "AutoWoordArtiest"));
    if (IniReadBool("Opstart", "Hints"))
        grid_->setToolTip("Click on the right mouse button for more options");
    if (scrollToMemo_)
        scrollToMemo_->setChecked(IniReadBool("Diversen", "NaarTekstblad"));
    UpdateDetails();
    SearchAgain();
}

void TZoekForm::closeEvent(QCloseEvent* event) {
    SaveWindowPlacement(PlacementWindow(), kScreenNumber);
    resultsShown_ = false;
    event->accept();
}

QString TZoekForm::SearchText() const {
    if (number_)
        return number_->text();  // the year, or the minutes as the not-found message names them
    if (memoText_)
        return kind_ == Kind::Word ? memoText_->text().trimmed() : memoText_->text();
    // The carrier code is sought as typed; the other boxes trimmed.
    return kind_ == Kind::Source ? zoekstr_->currentText() : zoekstr_->currentText().trimmed();
}

FieldSearch TZoekForm::MakeSearch(const QString& text) const {
    FieldSearch search;
    search.filterText = Trim(ToTable(refStr_->text()).value_or(""));
    const std::string bytes = ToTable(text).value_or("");
    switch (kind_) {
        case Kind::Source:
            search.order = 4;
            search.keyFields = {"DRAGER"};
            search.key = PadRight(SearchKey(bytes, 10), 10);
            search.filterField = "HTITEL";
            break;
        case Kind::Year:
            search.order = 12;
            search.keyFields = {"JAAR"};
            search.key = SearchKey(bytes, 4);
            search.filterField = "TITEL";
            break;
        case Kind::Time:
            search.order = 6;
            search.keyFields = {"MINUTEN", "SECONDEN"};
            search.key = TrackTimeKey(number_->value(), nSec_->value());
            search.filterField = "ARTIEST";
            break;
        default:
            search.order = profile_.OrderNo;
            search.keyFields = {profile_.SearchField};
            search.key = SearchKey(bytes, 50);
            search.filterField = profile_.FilterField;
            break;
    }
    return search;
}

void TZoekForm::Zoek() {
    const QString text = SearchText();
    if (text.isEmpty())
        return;
    resultsShown_ = false;
    counter_->setText("0");
    Disable_Buttons();
    model_->Clear();
    if (kind_ != Kind::Source && kind_ != Kind::Year && kind_ != Kind::Time)
        grid_->setColumnWidth(0, kSearchColumnWidth);
    refStr_->setText(refStr_->text().trimmed());
    // The first batch is painted at once; the rest follows when the walk ends.
    bool painted = false;
    const SearchProgress progress = [&](const std::vector<uint32_t>& rows, size_t from) {
        model_->Append(rows, from);
        if (!painted) {
            painted = true;
            counter_->setText(QString::number(model_->rowCount()));
            grid_->viewport()->repaint();
        }
        return true;
    };
    SearchResult result;
    const bool ran = GuardedSearch([&] {
        model_->Clear();  // what a failed try listed goes
        painted = false;
        BusyCursor busy;
        if (kind_ == Kind::Memo) {
            const std::string bytes = ToTable(text).value_or("");
            result = RunMemoSearch(access(), "MEMO", MemoPattern(bytes, zoekExact_->isChecked()),
                                   "HTITEL", Trim(ToTable(refStr_->text()).value_or("")), progress);
        } else {
            result = RunFieldSearch(access(), MakeSearch(text), progress);
        }
    });
    if (!ran) {
        // Nothing is known of what the tables hold: no "not found".
        model_->Clear();
        counter_->setText("0");
        return;
    }
    ShowOutcome(result, text);
    counter_->setText(QString::number(model_->rowCount()));
}

QString TZoekForm::SearchBoxText() const {
    return memoText_ ? memoText_->text() : zoekstr_ ? zoekstr_->currentText() : number_->text();
}

QString TZoekForm::FilterBoxText() const {
    return refStr_->text();
}

bool TZoekForm::Exact() const {
    return zoekExact_ != nullptr && zoekExact_->isChecked();
}

void TZoekForm::SetWordProfile(const SearchProfile& profile, bool forTracks) {
    if (forTracks == wordTracks_ && profile.SearchField == profile_.SearchField &&
        profile.FilterField == profile_.FilterField)
        return;  // the rows shown stay as they are
    // Rows of another field, or of the other table, no longer fit the grid.
    profile_ = profile;
    resultsShown_ = false;
    Disable_Buttons();
    wordTracks_ = forTracks;
    model_->Clear();
    model_->setTable(access().component());
    SetCounters(0);
    detailBlocks_[0]->setVisible(!forTracks);
    detailBlocks_[1]->setVisible(forTracks);
    playlistItem_->setEnabled(forTracks);
    UpdateDetails();
    ShowProfile();
}

void TZoekForm::ShowHits(const SearchResult& result, const QString& text) {
    resultsShown_ = false;
    Disable_Buttons();
    model_->Clear();
    if (result.outcome == SearchOutcome::Found)
        model_->Append(result.rows, 0);
    ShowOutcome(result, text);
    SetCounters(model_->rowCount());
}

void TZoekForm::ShowOutcome(const SearchResult& result, const QString& text) {
    if (result.outcome == SearchOutcome::Found) {
        resultsShown_ = true;
        Enable_Buttons();
        if (AutoBox()->isChecked()) {
            const int moves = kind_ == Kind::Word                        ? (tracks() ? 235 : 117)
                              : kind_ != Kind::Memo                      ? 120
                              : IniReadBool("Diversen", "NaarTekstblad") ? 240
                                                                         : 117;
            AutoScroll(moves);
        }
        grid_->setFocus();
        return;
    }
    model_->Clear();
    PlayWave("ngev.wav");
    if (result.outcome == SearchOutcome::FilterNotFound) {
        CurrentUi().Message(MsgKind::Information,
                            "In the field " + FilterCaption().toStdString() + " is \"" +
                                refStr_->text().trimmed().toStdString() + "\" not found.");
        refStr_->setFocus();
        return;
    }
    if (result.outcome == SearchOutcome::KeyNotFound) {
        CurrentUi().Message(MsgKind::Information, SearchCaption().toStdString() + " \"" +
                                                      text.toStdString() + "\" is not found.");
    }
    SearchAgain();
}

void TZoekForm::Enable_Buttons() {
    for (QPushButton* button : actionButtons_)
        button->setEnabled(true);
    if (playItem_)
        playItem_->setEnabled(tracks() && IniReadBool("Opstart", "ToonCdSpeler"));
}

void TZoekForm::Disable_Buttons() {
    for (QPushButton* button : actionButtons_)
        button->setEnabled(false);
}

void TZoekForm::UpdateDetails() {
    TTable& table = access().component();
    if (table.ControlsDisabled())
        return;
    for (const auto& [fields, label, forTracks] : details_) {
        if (kind_ == Kind::Word && forTracks != tracks())
            continue;
        QStringList parts;
        try {
            if (!access().Eof()) {
                for (const std::string& field : fields)
                    parts << FromTable(table.FieldAsString(field)).trimmed();
            }
        } catch (const TableError&) {
            parts.clear();
        }
        label->setText(parts.join(fields[0] == "MINUTEN" ? ":" : " "));
    }
}

uint32_t TZoekForm::GoToSelected() {
    const uint32_t recno = model_->RecNoAt(grid_->currentIndex().row());
    if (recno != 0)
        access().Go(recno);
    return recno;
}

void TZoekForm::UpdateData(int row) {
    const uint32_t recno = model_->RecNoAt(row);
    if (recno != 0)
        access().Go(recno);
    model_->RowChanged(row);
    grid_->setFocus();
}

bool TZoekForm::SeekTitleOfTrack() {
    TTableAccess& titles = catalogue_.dm2.HfAccess;
    titles.SetOrder(kTitleSourceOrder);
    return titles.Seek(SourceSeekKey(catalogue_.dm1.ArtAccess.GetString("DRAGER"),
                                     catalogue_.dm1.ArtAccess.GetInteger("CDNUMMER")));
}

void TZoekForm::OnSelectedRow(const std::function<void(uint32_t recno)>& action) {
    if (!resultsShown_)
        return;
    Guarded([&] {
        const int row = grid_->currentIndex().row();
        const uint32_t recno = GoToSelected();
        if (recno == 0)
            return;
        action(recno);
        UpdateData(row);
    });
}

void TZoekForm::FormInhoud() {
    OnSelectedRow([this](uint32_t recno) {
        const std::string carrier = TrimRight(access().GetString("DRAGER").bytes());
        const std::string number = std::to_string(access().GetInteger("CDNUMMER"));
        if (tracks())
            ShowSource(catalogue_, carrier, number, recno, this);
        else
            ShowSource(catalogue_, PadRight(carrier, 10), PadLeft(number, 10), 0, this);
    });
}

void TZoekForm::ShowInfo() {
    OnSelectedRow([this](uint32_t) {
        if (tracks())
            ShowTrackInfo(catalogue_, this);
        else
            ShowMainTitleInfo(catalogue_, this);
    });
}

void TZoekForm::FormWijzig() {
    OnSelectedRow([this](uint32_t) {
        if (tracks()) {
            TWijzigArtiestGegevens editor(catalogue_, this);
            editor.exec();
        } else {
            TWijzigHoofdtitelGegevens editor(catalogue_, this);
            editor.exec();
        }
    });
}

void TZoekForm::EditTitleOfRow(const std::function<void(uint32_t titleRecNo)>& edit) {
    OnSelectedRow([&](uint32_t) {
        if (tracks() && !SeekTitleOfTrack()) {
            CurrentUi().Beep();
            return;
        }
        edit(catalogue_.dm2.HfAccess.RecNo());
    });
}

void TZoekForm::FormTekstblad() {
    EditTitleOfRow([this](uint32_t recno) { TTekstblad::Show(catalogue_, recno, this); });
}

void TZoekForm::FormAankoop() {
    EditTitleOfRow([this](uint32_t recno) { TEditAankoop::Show(catalogue_, recno, this); });
}

void TZoekForm::FormVerwijder() {
    if (!resultsShown_ || (tracks() && ChkBeveiliging()))
        return;
    Guarded([this] {
        const int row = grid_->currentIndex().row();
        const uint32_t recno = GoToSelected();
        if (recno == 0)
            return;
        const bool deleted =
            tracks() ? catalogue_.dm1.DeleteOneTrack() : DeleteSource(catalogue_, recno);
        if (!deleted)
            return;
        model_->RemoveRow(row);
        SetCounters(model_->rowCount());
        if (model_->rowCount() > 0)
            grid_->selectRow(std::min(row, model_->rowCount() - 1));
        grid_->setFocus();
    });
}

void TZoekForm::AddToPlaylist() {
    if (!resultsShown_ || !tracks())
        return;
    Guarded([this] {
        const uint32_t recno = GoToSelected();
        if (recno != 0)
            catalogue_.dm3.AddToPlayList(catalogue_.dm1, std::to_string(recno));
        grid_->setFocus();
    });
}

void TZoekForm::PlayTrack() {
    if (!resultsShown_ || !tracks())
        return;
    Guarded([this] {
        const uint32_t recno = GoToSelected();
        if (recno != 0 && HasCdPlayer())
            CdPlayer().PlayTrack(std::to_string(recno));
    });
}

void TZoekForm::StopTrack() {
    if (HasCdPlayer())
        CdPlayer().StopTrack();
}

void TZoekForm::EjectCD() {
    if (HasCdPlayer())
        CdPlayer().EjectCD();
}

void TZoekForm::FormLening() {
    Guarded([this] {
        if (GoToSelected() != 0)
            ShowLoanForSource(catalogue_, this);
        grid_->setFocus();
    });
}

void TZoekForm::SearchAgain() {
    scrollBox_->verticalScrollBar()->setValue(0);
    FocusSearchBox();
}

void TZoekForm::FocusSearchBox() {
    if (zoekstr_)
        zoekstr_->setFocus();
    else if (memoText_)
        memoText_->setFocus();
    else
        number_->setFocus();
}

void TZoekForm::Vertraag() {
    TVertraagForm delay(this);
    delay.exec();
}

void TZoekForm::AutoScroll(int moves) {
    if (IniReadBool("Diversen", "VertraagScrollBalk"))
        PlayWave("Scrlwin.wav");
    int step = IniReadInteger("Diversen", "ScrollIncrement", 1);
    if (step <= 0)
        step = 1;
    QScrollBar* bar = scrollBox_->verticalScrollBar();
    for (int i = 0; i <= moves; ++i) {
        bar->setValue(bar->value() + step);
        scrollBox_->viewport()->repaint();
    }
}

bool TZoekForm::eventFilter(QObject* watched, QEvent* event) {
    const bool searchBox = (zoekstr_ && (watched == zoekstr_ || watched == zoekstr_->lineEdit())) ||
                           watched == memoText_;
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
        if (enter && (searchBox || watched == refStr_)) {
            Zoek();
            return true;
        }
        if (watched == grid_) {
            if (enter) {
                FormInhoud();
                return true;
            }
            if (key == Qt::Key_Insert) {
                SearchAgain();
                return true;
            }
            if (key == Qt::Key_Escape) {
                PlacementWindow()->close();
                return true;
            }
        }
    }
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (zoekstr_ && watched == zoekstr_->lineEdit() &&
            (kind_ == Kind::Tracks || kind_ == Kind::MainTitles)) {
            const std::string code = profile_.LookupCode;
            const QString chosen = TVeranderComboItems::Show(catalogue_, zoekstr_->currentText(),
                                                             code.empty() ? ' ' : code[0], this);
            zoekstr_->setEditText(chosen);
            return true;
        }
        if (watched->objectName() == "AankoopLabel" && resultsShown_) {
            FormAankoop();
            return true;
        }
        if (watched->objectName() == "MemoLabel" && resultsShown_) {
            FormTekstblad();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
