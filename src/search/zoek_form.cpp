// Building TZoekForm: its top panel, details, grid and pop-up menus from the row of its kind, and
// what it does when shown and closed.
#include "search/zoek_form.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

#include "base/ini.h"
#include "entry/pick_list_combo.h"
#include "search/hit_list_model.h"
#include "shell/dialog_parts.h"
#include "shell/plain_edit_combo.h"
#include "shell/range_spin_box.h"
#include "shell/table_text.h"
#include "shell/window_placement.h"
#include "store/catalogue.h"

namespace {

constexpr int kScreenNumber = 5;
constexpr int kRowHeight = 18;
constexpr int kDefaultColumnWidth = 600;
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
    : QWidget(parent), catalogue_(catalogue), kind_(kind), traits_(ZoekKindOf(kind)) {
    setObjectName(traits_.objectName);
    BuildTopPanel();
    BuildGrid();
    BuildPopupMenus();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(scrollBox_);
    layout->addWidget(grid_, 1);
    if (traits_.title)
        setWindowTitle(traits_.title);
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
    return traits_.bothTables ? wordTracks_ : traits_.tracks;
}

TTableAccess& TZoekForm::access() const {
    return tracks() ? catalogue_.dm1.ArtAccess : catalogue_.dm2.HfAccess;
}

QString TZoekForm::SearchCaption() const {
    return traits_.searchCaption ? QString(traits_.searchCaption) : profile_.SearchCaption;
}

QString TZoekForm::FilterCaption() const {
    return traits_.filterCaption ? QString(traits_.filterCaption) : profile_.FilterCaption;
}

const char* TZoekForm::AutoKey() const {
    return traits_.autoKey;
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
    if (traits_.box == SearchBox::Time) {
        // Typed as it is; a search refuses what is out of range instead of quietly changing it.
        minutes_ = new RangeSpinBox(panel, "Zoekstr", 0, 999, 3);
        minutes_->setValue(0);
        nSec_ = new RangeSpinBox(panel, "nSec", 0, 59, 2);
        nSec_->setValue(0);
        number_ = minutes_;
        searchInput = number_;
        searchRow->addWidget(number_);
        searchRow->addWidget(new QLabel(":", panel));
        searchRow->addWidget(nSec_);
        zoekBtn_->setEnabled(true);
    } else if (traits_.box == SearchBox::Year) {
        number_ = new QSpinBox(panel);
        number_->setObjectName("Zoekstr");
        number_->setRange(0, 9999);
        searchInput = number_;
        searchRow->addWidget(number_);
        zoekBtn_->setEnabled(true);  // a spin edit always holds a number
    } else if (traits_.box == SearchBox::Text) {
        memoText_ = new QLineEdit(panel);
        memoText_->setObjectName("Zoekstr");
        memoText_->setMaxLength(traits_.boxLength);
        memoText_->setMinimumWidth(traits_.boxWidth);
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
        zoekstr_->lineEdit()->setMaxLength(traits_.boxLength);
        zoekstr_->setMinimumWidth(traits_.boxWidth);
        // Keys reach the combo box, the double click its edit field.
        zoekstr_->installEventFilter(this);
        zoekstr_->lineEdit()->installEventFilter(this);
        connect(zoekstr_, &QComboBox::editTextChanged, this,
                [this](const QString& text) { zoekBtn_->setEnabled(!text.isEmpty()); });
        connect(zoekstr_, &PickListCombo::dropDown, this, [this] {
            const std::string code = traits_.lookupCode ? traits_.lookupCode : profile_.LookupCode;
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
    if (!traits_.bothTables)
        searchRow->addWidget(auto_);
    if (number_ == nullptr)
        zoekBtn_->setEnabled(false);  // until something is typed

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
    if (traits_.bothTables) {
        QPushButton* preference = NamedButton(panel, "VoorkeurBtn", "&Preference");
        buttonRow->insertWidget(buttonRow->count() - 1, preference);
        connect(preference, &QPushButton::clicked, this, [this] { Preference(); });
    }
    buttonRow->addStretch();
    // The word-part search counts on a line of its own for each table, each with its Auto box.
    QHBoxLayout* counterRow = traits_.bothTables ? new QHBoxLayout : buttonRow;
    if (traits_.bothTables)
        counterRow->addStretch();
    const auto addCounter = [&](const char* name, const char* caption, bool forTracks) {
        auto* counter = new QLabel("0", panel);
        counter->setObjectName(name);
        counter->setMinimumWidth(60);
        counter->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        counterRow->addWidget(counter);
        counterRow->addWidget(new QLabel(caption, panel));
        if (traits_.bothTables)
            counterRow->addWidget(forTracks ? autoTracks_ : auto_);
        return counter;
    };
    if (traits_.bothTables) {
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
    if (traits_.bothTables) {
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
    if (traits_.memo) {
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
    // The configurable screens get theirs from InitZoek.
    model_ = new HitListModel(access().component(), traits_.columns, this);
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
    for (size_t i = 0; i < traits_.widths.size(); ++i)
        grid_->setColumnWidth(int(i), traits_.widths[i]);
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
    if (tracks() || traits_.bothTables) {
        playlistItem_ = NamedMenuItem(popupMenu1_, "Addtoplaylist1", "&Add to playlist");
        connect(playlistItem_, &QAction::triggered, this, [this] { AddToPlaylist(); });
        popupMenu1_->addSeparator();
        playItem_ = NamedMenuItem(popupMenu1_, "Playtrack1", "Pla&y track");
        connect(playItem_, &QAction::triggered, this, [this] { PlayTrack(); });
        connect(NamedMenuItem(popupMenu1_, "Stoptrack1", "Stop &track"), &QAction::triggered, this,
                [this] { StopTrack(); });
        connect(NamedMenuItem(popupMenu1_, "Eject1", "E&ject"), &QAction::triggered, this,
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
    if (traits_.bothTables) {
        for (QMenu* menu : {popupMenu1_, popupMenu2_})
            connect(NamedMenuItem(menu, "Preference1", "P&reference"), &QAction::triggered, this,
                    [this] { Preference(); });
    }
    if (traits_.memo) {
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
        ShowAsPlainEdit(zoekstr_);
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

void TZoekForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (traits_.box == SearchBox::Year) {
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
    if (traits_.searchCaption) {
        searchLabel_->setText(SearchCaption() + ":");
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
