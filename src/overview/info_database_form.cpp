#include "overview/info_database_form.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "base/feedback.h"
#include "base/ui.h"
#include "overview/track_rows.h"
#include "shell/dialog_parts.h"
#include "shell/scan_progress_dialog.h"
#include "shell/table_grid_model.h"
#include "shell/window_placement.h"
#include "store/catalogue.h"
#include "store/database_statistics.h"

namespace {

constexpr int kDatabaseInfoScreen = 14;
constexpr const char* kDateKey = "Upgedate";
constexpr const char* kNever = "Unkown";

struct Figure {
    const char* caption;
    const char* key;
};

// The two columns of figures: the sources, then the tracks.
constexpr Figure kSourceFigures[] = {
    {"Sources", "Totdragers"}, {"Qualities", "Kwaliteiten"}, {"Main titles", "Hoofdtitels"},
    {"Styles", "Genres1"},     {"Labels", "Labels"},         {"Main artists", "Hoofdartiesten"},
    {"Memos", "Tekstbladen"},  {"Loans", "Uitgeleend"},      {"Purchases", "Aankopen"},
    {"Amount", "Totaalbedrag"}};
constexpr Figure kTrackFigures[] = {
    {"Tracks", "TotTracks"},      {"Artists", "Artiesten"}, {"Titles", "Titels"},
    {"Composers", "Componisten"}, {"Styles", "Genres2"},    {"Performances", "Uitvoeringen"},
    {"Keywords", "Trefwoorden"},  {"Years", "Jaren"},       {"Track times", "Tracktijden"}};

}  // namespace

TInfoDatabaseForm::TInfoDatabaseForm(Catalogue& catalogue, QWidget* parent)
    : QWidget(parent),
      catalogue_(catalogue),
      carriers_(new TableGridModel(
          catalogue.dm3.ItemsTable,
          {{"Source", "OMS"}, {"Sources", "AANTAL", Qt::AlignRight | Qt::AlignVCenter}}, this)),
      grid_(new QTableView(this)) {
    setObjectName("InfoDatabaseForm");
    setWindowTitle("Database information");

    const auto value = [this](const char* key) {
        auto* label = new QLabel("0", this);
        label->setObjectName(key);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        // Room for a million and more, so that the layout stays put while the figures grow.
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance("00000000000"));
        values_[key] = label;
        return label;
    };
    auto* figures = new QGridLayout;
    figures->setHorizontalSpacing(10);
    figures->setVerticalSpacing(4);
    const auto column = [&](const auto& list, int at) {
        int row = 0;
        for (const Figure& f : list) {
            figures->addWidget(new QLabel(f.caption, this), row, at);
            figures->addWidget(value(f.key), row++, at + 1);
        }
    };
    column(kSourceFigures, 0);
    figures->setColumnMinimumWidth(2, 16);
    column(kTrackFigures, 3);
    const int below = int(std::size(kSourceFigures));

    auto* time = new QHBoxLayout;
    time->setSpacing(6);
    QLabel* hours = value("Uren");
    QLabel* minutes = value("Minuten");
    hours->setMinimumWidth(0);
    minutes->setMinimumWidth(0);
    time->addWidget(hours);
    time->addWidget(new QLabel("hours and", this));
    time->addWidget(minutes);
    time->addWidget(new QLabel("minutes", this));
    time->addStretch();
    figures->addLayout(time, below - 1, 3, 1, 2);
    figures->addWidget(new QLabel("Last updated", this), below, 0);
    QLabel* date = value(kDateKey);
    date->setText(kNever);
    figures->addWidget(date, below, 1);
    figures->setRowStretch(below + 1, 1);

    grid_->setObjectName("DBGrid1");
    grid_->setModel(carriers_);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->setColumnWidth(0, grid_->fontMetrics().averageCharWidth() * 12);

    QPushButton* update = NamedButton(this, "UpdateBtn", "&Update");
    QPushButton* close = NamedButton(this, "CloseBtn", "&Close");
    connect(update, &QPushButton::clicked, this, &TInfoDatabaseForm::UpdateClick);
    connect(close, &QPushButton::clicked, this, [this] { PlacementWindowOf(this)->close(); });
    auto* menu = new QMenu(this);
    menu->setObjectName("PopupMenu1");
    connect(NamedMenuItem(menu, "Update1", "&Update"), &QAction::triggered, this,
            &TInfoDatabaseForm::UpdateClick);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this, menu](const QPoint& at) { menu->popup(mapToGlobal(at)); });

    auto* top = new QHBoxLayout;
    top->addLayout(figures);
    top->addWidget(grid_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(update);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);

    const DatabaseInformation kept = ReadDatabaseInformation();
    ShowFigures(kept.texts, kept.date);
}

void TInfoDatabaseForm::ShowFigures(const std::map<std::string, std::string>& texts,
                                    const std::string& date) {
    for (const auto& [key, text] : texts) {
        if (const auto it = values_.find(key); it != values_.end())
            it->second->setText(QString::fromStdString(text).trimmed());
    }
    if (!date.empty())
        values_[kDateKey]->setText(QString::fromStdString(date));
}

QString TInfoDatabaseForm::Shown(const std::string& key) const {
    const auto it = values_.find(key);
    return it == values_.end() ? QString() : it->second->text();
}

void TInfoDatabaseForm::ListCarriers() {
    ShowingTableErrors([this] { carriers_->SetRecNos(CarrierItems(catalogue_.dm3)); });
}

void TInfoDatabaseForm::UpdateClick() {
    std::optional<DatabaseInformation> counted;
    {
        BusyCursor busy;
        ScanProgressDialog progress(this, "Counting the sources and tracks...");
        ShowingTableErrors(
            [&] { counted = UpdateDatabaseInformation(catalogue_, progress.Hook()); });
    }
    if (!counted)
        return;  // cancelled or failed: the figures shown stay
    ShowFigures(counted->texts, counted->date);
    ListCarriers();
    PlayWave("Opti.wav");
}

void TInfoDatabaseForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    RestoreWindowPlacement(PlacementWindowOf(this), kDatabaseInfoScreen);
    ListCarriers();
    findChild<QPushButton*>("UpdateBtn")->setFocus();
}

void TInfoDatabaseForm::closeEvent(QCloseEvent* event) {
    SaveWindowPlacement(PlacementWindowOf(this), kDatabaseInfoScreen);
    event->accept();
}
