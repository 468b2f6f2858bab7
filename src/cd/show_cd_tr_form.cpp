#include "cd/show_cd_tr_form.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "base/feedback.h"
#include "base/ui.h"
#include "cd/cd_speler.h"
#include "cd/disc_id_line.h"
#include "cd/hint_filter.h"
#include "cd/player_icons.h"
#include "shell/table_guard.h"
#include "store/disc_match.h"
#include "store/source_key.h"

TShowCdTrForm::TShowCdTrForm(TCdSpeler& speler, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      speler_(speler),
      listBox1_(new QListWidget(this)),
      addButton_(new QPushButton("&Add to playlist", this)),
      discIds_(new DiscIdLine(this)),
      catalogueLine_(new QLabel(this)),
      showItButton_(new QPushButton("&Show it", this)) {
    setObjectName("ShowCdTrForm");
    setWindowTitle("Tracks & times");

    listBox1_->setObjectName("ListBox1");
    QFont fixed("Monospace");
    fixed.setStyleHint(QFont::TypeWriter);
    listBox1_->setFont(fixed);
    listBox1_->setMinimumSize(230, 260);
    connect(listBox1_, &QListWidget::itemDoubleClicked, this, [this] { PlayTheTrack(); });

    auto* speedButton1 = new QToolButton(this);
    speedButton1->setObjectName("SpeedButton1");
    speedButton1->setIcon(SourceJumpIcon());
    speedButton1->setIconSize(QSize(20, 20));
    speedButton1->setFixedSize(32, 30);
    speedButton1->setToolTip("Directly to source information");
    speedButton1->setAccessibleName("Directly to source information");
    HintFilter::Install(speedButton1);
    connect(speedButton1, &QToolButton::clicked, this, [this] { DirectNaarCDInhoud(); });

    addButton_->setObjectName("AddToPlaylistBtn");
    addButton_->setAutoDefault(false);
    addButton_->setEnabled(false);
    connect(addButton_, &QPushButton::clicked, this, [this] { AddToPlaylistClick(); });
    connect(listBox1_, &QListWidget::currentRowChanged, this,
            [this](int row) { LineChanged(row); });

    auto* button1 = new QPushButton("&Play track", this);
    button1->setObjectName("Button1");
    button1->setDefault(true);
    connect(button1, &QPushButton::clicked, this, [this] { PlayTheTrack(); });
    auto* button2 = new QPushButton("&Cancel", this);
    button2->setObjectName("Button2");
    button2->setAutoDefault(false);
    connect(button2, &QPushButton::clicked, this, &QDialog::reject);

    catalogueLine_->setObjectName("lCatalogue");
    catalogueLine_->setWordWrap(true);
    catalogueLine_->setTextFormat(Qt::PlainText);
    catalogueLine_->hide();
    showItButton_->setObjectName("ShowItBtn");
    showItButton_->setAutoDefault(false);
    showItButton_->hide();
    connect(showItButton_, &QPushButton::clicked, this, [this] { ShowItClick(); });
    auto* catalogueRow = new QHBoxLayout;
    catalogueRow->addWidget(catalogueLine_, 1);
    catalogueRow->addWidget(showItButton_);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(speedButton1);
    buttons->addStretch();
    buttons->addWidget(addButton_);
    buttons->addWidget(button1);
    buttons->addWidget(button2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(listBox1_);
    layout->addWidget(discIds_);
    layout->addLayout(catalogueRow);
    layout->addLayout(buttons);
}

void TShowCdTrForm::FillTracks() {
    BusyCursor busy;
    ShowStatus("Reading tracks...");
    listBox1_->clear();
    for (const std::string& line : speler_.ReadTrackList()) {
        listBox1_->addItem(QString::fromStdString(line));
    }
    discIds_->SetIds(speler_.DiscIds(), "No disc ID");
    std::optional<discinfo::DiscCandidate> source;
    TableGuarded([&] { source = speler_.SourceOfDisc(); });
    sourceKey_ = source ? SourceSeekKey(source->carrier, source->number) : "";
    catalogueLine_->setText(source ? QString::fromStdString(DiscInCatalogueText(*source)) : "");
    catalogueLine_->setVisible(source.has_value());
    showItButton_->setVisible(source.has_value());
    ShowStatus("");
}

void TShowCdTrForm::ShowTracks() {
    FillTracks();
    setFixedSize(sizeHint());
    exec();
}

void TShowCdTrForm::PlayTheTrack() {
    // Nothing selected plays the first track rather than a track 0 the disc does not have.
    const int row = std::max(listBox1_->currentRow(), 0);
    speler_.PlayCdTrack(row + 1);
    accept();
}

void TShowCdTrForm::LineChanged(int row) {
    bool known = false;
    TableGuarded([&] { known = row >= 0 && speler_.CatalogueTrack(row + 1) != 0; });
    addButton_->setEnabled(known);
}

void TShowCdTrForm::AddToPlaylistClick() {
    const int row = listBox1_->currentRow();
    TableGuarded([&] {
        if (row >= 0)
            speler_.AddToPlayList(row + 1);
    });
}

void TShowCdTrForm::DirectNaarCDInhoud() {
    TableGuarded([this] { speler_.DirectNaarCDInhoud(); });
}

void TShowCdTrForm::ShowItClick() {
    if (sourceKey_.empty())
        return;
    TableGuarded([this] { speler_.OpenSource(sourceKey_); });
}
