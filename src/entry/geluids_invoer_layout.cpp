// The widgets of the entry screen: the source block, the track block, the suggestion line and the
// buttons, in tab order, every control under its program name.
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include "entry/geluids_invoer.h"
#include "entry/pick_list_combo.h"
#include "entry/track_time_field.h"
#include "shell/dialog_parts.h"
#include "shell/range_spin_box.h"

namespace {

// Room for `chars` average characters plus the frame of the control.
int WidthFor(const QWidget* widget, int chars) {
    return widget->fontMetrics().averageCharWidth() * chars + 30;
}

QSpinBox* NumberField(QWidget* parent, const char* name, int low, int high, int chars) {
    auto* spin = new RangeSpinBox(parent, name, low, high, int(std::to_string(high).size()));
    spin->setButtonSymbols(QAbstractSpinBox::NoButtons);
    spin->setFixedWidth(WidthFor(spin, chars));
    return spin;
}

QLabel* DisplayLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

}  // namespace

QLabel* TGeluidsInvoer::Caption(const QString& text, EntryControl control) {
    auto* label = new QLabel(text, this);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setBuddy(fields_.at(control));
    captions_[control] = label;
    return label;
}

PickListCombo* TGeluidsInvoer::AddList(const char* name, char code, int maxLength,
                                       EntryControl control) {
    auto* combo = new PickListCombo(this);
    combo->setObjectName(name);
    combo->lineEdit()->setMaxLength(maxLength);
    combo->setMaxVisibleItems(20);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(std::min(maxLength, 40));
    combo->lineEdit()->installEventFilter(this);
    fields_[control] = combo;
    itemCodes_[control] = code;
    return combo;
}

QLineEdit* TGeluidsInvoer::AddText(const char* name, int maxLength, EntryControl control) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setMaxLength(maxLength);
    edit->setMinimumWidth(WidthFor(edit, std::min(maxLength, 40)));
    fields_[control] = edit;
    return edit;
}

QWidget* TGeluidsInvoer::BuildSourceBox() {
    auto* box = new QGroupBox("Source", this);
    auto* grid = new QGridLayout(box);
    grid->setColumnStretch(5, 1);

    invDrager_ = AddList("InvDrager", 'D', 10, EntryControl::InvDrager);
    invDrager_->setMinimumContentsLength(12);
    invNummer_ = NumberField(this, "InvNummer", 1, int(EntrySession::kMaxNummer), 11);
    fields_[EntryControl::InvNummer] = invNummer_;
    PickListCombo* kwaliteit = AddList("InvKwaliteit", 'O', 3, EntryControl::InvKwaliteit);
    kwaliteit->setMinimumContentsLength(5);

    grid->addWidget(Caption("Source:", EntryControl::InvDrager), 0, 0);
    grid->addWidget(invDrager_, 0, 1);
    grid->addWidget(Caption("Number:", EntryControl::InvNummer), 0, 2);
    grid->addWidget(invNummer_, 0, 3, Qt::AlignLeft);
    auto* qualityRow = new QHBoxLayout;
    qualityRow->addWidget(Caption("Quality:", EntryControl::InvKwaliteit));
    qualityRow->addWidget(kwaliteit);
    qualityRow->addStretch();
    grid->addLayout(qualityRow, 0, 4, 1, 2);

    AddList("InvHoofdtitel", 'H', 50, EntryControl::InvHoofdtitel);
    grid->addWidget(Caption("Main title:", EntryControl::InvHoofdtitel), 1, 0);
    grid->addWidget(fields_[EntryControl::InvHoofdtitel], 1, 1, 1, 5);

    AddList("InvGenre1", 'G', 30, EntryControl::InvGenre1);
    AddList("InvLabel", 'L', 30, EntryControl::InvLabel);
    static_cast<PickListCombo*>(fields_[EntryControl::InvGenre1])->setMinimumContentsLength(22);
    static_cast<PickListCombo*>(fields_[EntryControl::InvLabel])->setMinimumContentsLength(22);
    grid->addWidget(Caption("Style:", EntryControl::InvGenre1), 2, 0);
    grid->addWidget(fields_[EntryControl::InvGenre1], 2, 1);
    grid->addWidget(Caption("Label:", EntryControl::InvLabel), 2, 2);
    grid->addWidget(fields_[EntryControl::InvLabel], 2, 3, 1, 3);

    AddList("InvHoofdartiest", 'A', 50, EntryControl::InvHoofdartiest);
    grid->addWidget(Caption("Main artist:", EntryControl::InvHoofdartiest), 3, 0);
    grid->addWidget(fields_[EntryControl::InvHoofdartiest], 3, 1, 1, 5);

    aankoopbut_ = NamedButton(box, "Aankoopbut", "&Purchase");
    tekstbut_ = NamedButton(box, "Tekstbut", "&Memo");
    auto* side = new QVBoxLayout;
    side->addWidget(aankoopbut_);
    side->addWidget(tekstbut_);
    side->addStretch();
    grid->addLayout(side, 0, 6, 4, 1);
    return box;
}

QWidget* TGeluidsInvoer::BuildTrackBox() {
    auto* box = new QGroupBox("Track", this);
    auto* grid = new QGridLayout(box);
    grid->setColumnStretch(3, 1);

    // Number, side, dash and the disc's track count in one line.
    tracknr_ = DisplayLabel(box, "Tracknr", "1");
    QFont bold = tracknr_->font();
    bold.setBold(true);
    tracknr_->setFont(bold);
    lKant_ = DisplayLabel(box, "lKant", "");
    lKant_->setFont(bold);
    label19_ = DisplayLabel(box, "Label19", "");
    autoTracks_ = DisplayLabel(box, "AutoTracks", " ");
    auto* trackRow = new QHBoxLayout;
    trackRow->setSpacing(6);
    for (QLabel* label : {tracknr_, lKant_, label19_, autoTracks_})
        trackRow->addWidget(label);
    trackRow->addStretch();
    auto* trackCaption = new QLabel("Track:", box);
    trackCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(trackCaption, 0, 0);
    grid->addLayout(trackRow, 0, 1, 1, 3);
    kantBut_ = NamedButton(box, "KantBut", "Side &B");
    grid->addWidget(kantBut_, 0, 4);

    AddText("InvArtiest", 50, EntryControl::InvArtiest);
    // A plain button with a word on it: an arrow would pass for the drop-down of a list.
    speedButton1_ = new QToolButton(box);
    speedButton1_->setObjectName("SpeedButton1");
    speedButton1_->setText("Copy");
    speedButton1_->setAccessibleName("Copy Main artist to artist");
    speedButton1_->setFocusPolicy(Qt::StrongFocus);
    grid->addWidget(Caption("Artist:", EntryControl::InvArtiest), 1, 0);
    grid->addWidget(fields_[EntryControl::InvArtiest], 1, 1, 1, 3);
    grid->addWidget(speedButton1_, 1, 4, Qt::AlignLeft);

    AddText("InvTitel", 50, EntryControl::InvTitel);
    grid->addWidget(Caption("Title:", EntryControl::InvTitel), 2, 0);
    grid->addWidget(fields_[EntryControl::InvTitel], 2, 1, 1, 3);

    AddText("InvComponist", 50, EntryControl::InvComponist);
    grid->addWidget(Caption("Composer:", EntryControl::InvComponist), 3, 0);
    grid->addWidget(fields_[EntryControl::InvComponist], 3, 1, 1, 3);

    AddList("InvGenre2", 'G', 30, EntryControl::InvGenre2);
    AddList("InvUitvoering", 'U', 30, EntryControl::InvUitvoering);
    static_cast<PickListCombo*>(fields_[EntryControl::InvGenre2])->setMinimumContentsLength(22);
    static_cast<PickListCombo*>(fields_[EntryControl::InvUitvoering])->setMinimumContentsLength(22);
    grid->addWidget(Caption("Style:", EntryControl::InvGenre2), 4, 0);
    grid->addWidget(fields_[EntryControl::InvGenre2], 4, 1);
    grid->addWidget(Caption("Performance:", EntryControl::InvUitvoering), 4, 2);
    grid->addWidget(fields_[EntryControl::InvUitvoering], 4, 3);

    AddList("InvTrefwoord", 'T', 30, EntryControl::InvTrefwoord);
    static_cast<PickListCombo*>(fields_[EntryControl::InvTrefwoord])->setMinimumContentsLength(22);
    grid->addWidget(Caption("Keyword:", EntryControl::InvTrefwoord), 5, 0);
    grid->addWidget(fields_[EntryControl::InvTrefwoord], 5, 1);

    invMin_ = new TrackTimeField(box, "InvMin", 999);
    invSec_ = new TrackTimeField(box, "InvSec", 59);
    for (QSpinBox* spin : {invMin_, invSec_}) {
        spin->setButtonSymbols(QAbstractSpinBox::NoButtons);
        spin->setFixedWidth(WidthFor(spin, 3));
    }
    fields_[EntryControl::InvMin] = invMin_;
    fields_[EntryControl::InvSec] = invSec_;
    auto* timeRow = new QHBoxLayout;
    timeRow->addWidget(invMin_);
    auto* colon = new QLabel(":", box);
    timeRow->addWidget(colon);
    timeRow->addWidget(invSec_);
    timeRow->addStretch();
    grid->addWidget(Caption("Track time:", EntryControl::InvMin), 6, 0);
    captions_[EntryControl::InvSec] = colon;
    grid->addLayout(timeRow, 6, 1);

    QLineEdit* jaar = AddText("InvJaar", 4, EntryControl::InvJaar);
    jaar->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,4}"), jaar));
    jaar->setMinimumWidth(0);
    jaar->setFixedWidth(WidthFor(jaar, 5));
    auto* yearRow = new QHBoxLayout;
    yearRow->addWidget(jaar);
    yearRow->addStretch();
    grid->addWidget(Caption("Year:", EntryControl::InvJaar), 6, 2);
    grid->addLayout(yearRow, 6, 3);

    speedButton2_ = NamedButton(box, "SpeedButton2", "&Read CD info");
    grid->addWidget(speedButton2_, 6, 4);
    return box;
}

QWidget* TGeluidsInvoer::BuildFoundRow() {
    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::StyledPanel);
    auto* row = new QHBoxLayout(frame);
    auto* caption = new QLabel("Found:", frame);
    lFound_ = DisplayLabel(frame, "lFound", "");
    QFont font = lFound_->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.15);
    lFound_->setFont(font);
    lFound_->setStyleSheet("color: #1a3d8f;");
    lFound_->setTextInteractionFlags(Qt::NoTextInteraction);
    lFound_->setMinimumWidth(WidthFor(lFound_, 40));
    plaatsButton_ = NamedButton(frame, "PlaatsButton", "&Accept");
    // What was changed to make a found text fit, so that nothing is stored altered unseen.
    lFoundNote_ = DisplayLabel(frame, "lFoundNote", "");
    lFoundNote_->setStyleSheet("color: #a04000;");
    auto* texts = new QVBoxLayout;
    texts->setSpacing(0);
    texts->addWidget(lFound_);
    texts->addWidget(lFoundNote_);
    row->addWidget(caption);
    row->addLayout(texts, 1);
    row->addWidget(plaatsButton_);
    return frame;
}

QWidget* TGeluidsInvoer::BuildLookupRow() {
    lookupRow_ = new QWidget(this);
    lookupRow_->setObjectName("LookupRow");
    auto* row = new QHBoxLayout(lookupRow_);
    row->setContentsMargins(0, 0, 0, 0);
    lLookup_ = DisplayLabel(lookupRow_, "lLookup", "");
    lookupCancel_ = NamedButton(lookupRow_, "LookupCancel", "Cancel");
    lookupCancel_->setToolTip("Stop looking the disc up on the internet");
    row->addWidget(lLookup_, 1);
    row->addWidget(lookupCancel_);
    lookupRow_->hide();
    return lookupRow_;
}

// A source the catalogue has already: said, never asked, so that typing goes on undisturbed.
QWidget* TGeluidsInvoer::BuildAlreadyRow() {
    alreadyRow_ = new QWidget(this);
    alreadyRow_->setObjectName("AlreadyRow");
    auto* row = new QHBoxLayout(alreadyRow_);
    row->setContentsMargins(0, 0, 0, 0);
    lAlready_ = DisplayLabel(alreadyRow_, "lAlready", "");
    lAlready_->setStyleSheet("color: #a04000;");
    openAlreadyBtn_ = NamedButton(alreadyRow_, "OpenAlreadyBtn", "Show &it");
    openAlreadyBtn_->setToolTip("Open the source the catalogue has already");
    row->addWidget(lAlready_, 1);
    row->addWidget(openAlreadyBtn_);
    alreadyRow_->hide();
    return alreadyRow_;
}

QWidget* TGeluidsInvoer::BuildButtonRow() {
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    vTrackBut_ = NamedButton(bar, "vTrackBut", "&Next track");
    geluidBut_ = NamedButton(bar, "GeluidBut", "New s&ource");
    morgenbut_ = NamedButton(bar, "Morgenbut", "&To-morrow");  // Alt+M is the memo's
    schrijfBut_ = NamedButton(bar, "SchrijfBut", "&Save and close");
    bitBtn2_ = NamedButton(bar, "BitBtn2", "&Cancel");
    row->addWidget(vTrackBut_);
    row->addSpacing(12);
    row->addWidget(geluidBut_);
    row->addWidget(morgenbut_);
    row->addWidget(schrijfBut_);
    row->addStretch();
    row->addWidget(bitBtn2_);
    return bar;
}

void TGeluidsInvoer::BuildScreen() {
    setWindowTitle("Add");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildSourceBox());
    layout->addWidget(BuildTrackBox());
    layout->addWidget(BuildFoundRow());
    layout->addWidget(BuildLookupRow());
    // Under the rows above, so that showing it moves no field.
    layout->addWidget(BuildAlreadyRow());
    layout->addStretch();
    layout->addWidget(BuildButtonRow());

    // Tab order follows the fields, then the buttons.
    const QList<QWidget*> order = {fields_[EntryControl::InvDrager],
                                   fields_[EntryControl::InvNummer],
                                   fields_[EntryControl::InvKwaliteit],
                                   fields_[EntryControl::InvHoofdtitel],
                                   fields_[EntryControl::InvGenre1],
                                   fields_[EntryControl::InvLabel],
                                   fields_[EntryControl::InvHoofdartiest],
                                   openAlreadyBtn_,
                                   speedButton1_,
                                   fields_[EntryControl::InvArtiest],
                                   fields_[EntryControl::InvTitel],
                                   fields_[EntryControl::InvComponist],
                                   fields_[EntryControl::InvGenre2],
                                   fields_[EntryControl::InvUitvoering],
                                   fields_[EntryControl::InvTrefwoord],
                                   invMin_,
                                   invSec_,
                                   fields_[EntryControl::InvJaar],
                                   speedButton2_,
                                   plaatsButton_,
                                   vTrackBut_,
                                   kantBut_,
                                   geluidBut_,
                                   morgenbut_,
                                   schrijfBut_,
                                   bitBtn2_,
                                   aankoopbut_,
                                   tekstbut_};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    // Disabled until a track or a suggestion makes them useful.
    for (QPushButton* button :
         {geluidBut_, kantBut_, plaatsButton_, vTrackBut_, morgenbut_, schrijfBut_})
        button->setEnabled(false);
}
