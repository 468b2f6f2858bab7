// The entry screen's handlers: each passes the user's action to the session and shows the result.
#include "entry/geluids_invoer.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>

#include "base/ui.h"
#include "entry/disc_pick_list.h"
#include "entry/edit_aankoop.h"
#include "entry/editor_parts.h"
#include "entry/entry_cd.h"
#include "entry/geluid_kant.h"
#include "entry/pick_list_combo.h"
#include "entry/tekstblad.h"
#include "entry/verander_combo_items.h"
#include "entry/verb_kwaliteit.h"
#include "shell/help_contexts.h"
#include "shell/table_text.h"
#include "shell/window_placement.h"
#include "store/table_error.h"

namespace {

constexpr int kScreenNumber = 1;

QString TextOf(QWidget* field) {
    if (auto* combo = qobject_cast<QComboBox*>(field))
        return combo->currentText();
    if (auto* edit = qobject_cast<QLineEdit*>(field))
        return edit->text();
    return {};
}

void SetTextOf(QWidget* field, const QString& text) {
    if (TextOf(field) == text)
        return;
    const QSignalBlocker block(field);
    if (auto* combo = qobject_cast<QComboBox*>(field))
        combo->setEditText(text);
    else if (auto* edit = qobject_cast<QLineEdit*>(field))
        edit->setText(text);
}

int MaxLengthOf(QWidget* field) {
    if (auto* combo = qobject_cast<QComboBox*>(field))
        return combo->lineEdit()->maxLength();
    if (auto* edit = qobject_cast<QLineEdit*>(field))
        return edit->maxLength();
    return 0;
}

// contexts.ini maps it to the page of the "Add" screen.
constexpr int kEntryHelpContext = 50;

}  // namespace

TGeluidsInvoer::TGeluidsInvoer(Catalogue& catalogue, QWidget* parent)
    : QWidget(parent), catalogue_(catalogue), session_(catalogue, CurrentEntryCd()) {
    setObjectName("TGeluidsInvoer");
    setProperty(kHelpContextProperty, kEntryHelpContext);
    BuildScreen();
    ConnectHandlers();
    ConnectDiscLookup();
}

void TGeluidsInvoer::ConnectDiscLookup() {
    discLookup_ = MakeEntryDiscLookup(catalogue_);
    session_.SetDiscLookup(discLookup_.get());
    session_.pickRelease = [this](const std::vector<discinfo::DiscCandidate>& releases) {
        return TDiscPickList::Pick(releases, this);
    };
    session_.showSource = [this](const std::string& key) {
        if (showSource_)
            showSource_(key);
    };
    session_.lookupAnswered = [this] { LookupAnswered(); };
    connect(lookupCancel_, &QPushButton::clicked, this,
            [this] { Guarded([this] { session_.CancelLookup(); }); });
    connect(openAlreadyBtn_, &QPushButton::clicked, this,
            [this] { Guarded([this] { session_.ShowAlready(); }); });
}

void TGeluidsInvoer::LookupAnswered() {
    // The blank field being typed in comes first; otherwise the first one the disc fills.
    QWidget* focused = QApplication::focusWidget();
    std::optional<EntryControl> current;
    for (const auto& [control, field] : fields_) {
        auto* combo = qobject_cast<QComboBox*>(field);
        if (focused != nullptr && (focused == field || (combo && combo->lineEdit() == focused)))
            current = control;
    }
    Guarded([this, current] {
        if (current)
            session_.FieldEntered(*current);
        session_.OfferFromDisc();
    });
}

TGeluidsInvoer::~TGeluidsInvoer() {
    disconnect(focusWatch_);
}

void TGeluidsInvoer::ConnectHandlers() {
    for (const auto& [control, field] : fields_) {
        const EntryControl which = control;
        if (auto* combo = qobject_cast<PickListCombo*>(field)) {
            connect(combo, &QComboBox::editTextChanged, this,
                    [this, which](const QString& text) { TextChanged(which, text); });
            connect(combo, &PickListCombo::dropDown, this,
                    [this, combo, which] { FillList(combo, itemCodes_.at(which)); });
        } else if (auto* edit = qobject_cast<QLineEdit*>(field)) {
            connect(edit, &QLineEdit::textChanged, this,
                    [this, which](const QString& text) { TextChanged(which, text); });
        }
    }
    connect(invNummer_, &QSpinBox::valueChanged, this,
            [this](int value) { session_.fields.nummer = value; });
    connect(invMin_, &QSpinBox::valueChanged, this,
            [this](int value) { session_.fields.minuten = value; });
    connect(invSec_, &QSpinBox::valueChanged, this,
            [this](int value) { session_.fields.seconden = value; });

    connect(plaatsButton_, &QPushButton::clicked, this, &TGeluidsInvoer::PlaatsButtonClick);
    connect(vTrackBut_, &QPushButton::clicked, this, &TGeluidsInvoer::vTrackButClick);
    connect(geluidBut_, &QPushButton::clicked, this, &TGeluidsInvoer::GeluidButClick);
    connect(schrijfBut_, &QPushButton::clicked, this, &TGeluidsInvoer::SchrijfButClick);
    connect(morgenbut_, &QPushButton::clicked, this, &TGeluidsInvoer::MorgenbutClick);
    connect(bitBtn2_, &QPushButton::clicked, this, &TGeluidsInvoer::CloseScreen);
    connect(kantBut_, &QPushButton::clicked, this, &TGeluidsInvoer::KantButClick);
    connect(speedButton1_, &QToolButton::clicked, this, &TGeluidsInvoer::SpeedButton1Click);
    connect(speedButton2_, &QPushButton::clicked, this, &TGeluidsInvoer::SpeedButton2Click);
    connect(aankoopbut_, &QPushButton::clicked, this, &TGeluidsInvoer::AankoopbutClick);
    connect(tekstbut_, &QPushButton::clicked, this, &TGeluidsInvoer::TekstbutClick);
    // An empty field the focus comes to may have a text of the disc's CD-TEXT to offer.
    focusWatch_ = connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now == nullptr)
            return;
        for (const auto& [control, field] : fields_) {
            auto* combo = qobject_cast<QComboBox*>(field);
            if (now == field || (combo && combo->lineEdit() == now)) {
                const EntryControl which = control;
                Guarded([this, which] { session_.FieldEntered(which); });
                return;
            }
        }
    });
}

QWidget* TGeluidsInvoer::PlacementWindow() {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        return sub;
    return window();
}

void TGeluidsInvoer::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    FormShow();
}

void TGeluidsInvoer::FormShow() {
    RestoreWindowPlacement(PlacementWindow(), kScreenNumber);
    Guarded([this] { session_.Start(); });
    ApplySettings();
    ShowSession();
    // The user went to the disc's source instead: nothing was typed, nothing is kept.
    if (session_.showItChosen()) {
        QTimer::singleShot(0, this, &TGeluidsInvoer::CloseScreen);
        return;
    }
    // Once the screen is up, before the first keystroke is handled.
    QTimer::singleShot(0, this, [this] { Guarded([this] { session_.PrepareAlready(); }); });
}

void TGeluidsInvoer::ApplySettings() {
    const EntrySettings& s = session_.settings();
    const std::pair<EntryControl, bool> optional[] = {
        {EntryControl::InvKwaliteit, s.invKwaliteit},
        {EntryControl::InvGenre1, s.invGenre1},
        {EntryControl::InvLabel, s.invLabel},
        {EntryControl::InvHoofdartiest, s.invHoofdArtiest},
        {EntryControl::InvComponist, s.invComponist},
        {EntryControl::InvGenre2, s.invGenre2},
        {EntryControl::InvUitvoering, s.invUitvoering},
        {EntryControl::InvMin, s.invTijd},
        {EntryControl::InvSec, s.invTijd},
        {EntryControl::InvJaar, s.invJaar},
        {EntryControl::InvTrefwoord, s.invTrefwoord}};
    for (const auto& [control, on] : optional) {
        fields_.at(control)->setEnabled(on);
        captions_.at(control)->setEnabled(on);
    }
    defaultButton_ = s.accepteerButton       ? plaatsButton_
                     : s.volgendeTrackButton ? vTrackBut_
                                             : nullptr;
    if (s.hints) {
        geluidBut_->setToolTip("Add new source");
        plaatsButton_->setToolTip("Place found information in the field");
        speedButton2_->setToolTip("Read the tracks and track time from CD");
        speedButton1_->setToolTip("Copy Main artist to artist");
    }
}

void TGeluidsInvoer::ShowSession() {
    const EntryFields& f = session_.fields;
    const std::pair<EntryControl, const std::string*> texts[] = {
        {EntryControl::InvDrager, &f.drager},
        {EntryControl::InvKwaliteit, &f.kwaliteit},
        {EntryControl::InvHoofdtitel, &f.hoofdtitel},
        {EntryControl::InvGenre1, &f.genre1},
        {EntryControl::InvLabel, &f.label},
        {EntryControl::InvHoofdartiest, &f.hoofdartiest},
        {EntryControl::InvArtiest, &f.artiest},
        {EntryControl::InvTitel, &f.titel},
        {EntryControl::InvComponist, &f.componist},
        {EntryControl::InvGenre2, &f.genre2},
        {EntryControl::InvUitvoering, &f.uitvoering},
        {EntryControl::InvTrefwoord, &f.trefwoord},
        {EntryControl::InvJaar, &f.jaar}};
    for (const auto& [control, text] : texts)
        SetTextOf(fields_.at(control), FromTable(TableText(*text)));
    const std::pair<QSpinBox*, int64_t> numbers[] = {
        {invNummer_, f.nummer}, {invMin_, f.minuten}, {invSec_, f.seconden}};
    for (const auto& [spin, value] : numbers) {
        if (spin->value() != value) {
            const QSignalBlocker block(spin);
            spin->setValue(int(value));
        }
    }

    lFound_->setText(FromTable(TableText(session_.found())));
    lFoundNote_->setText(QString::fromStdString(session_.foundNote()));
    lLookup_->setText(QString::fromStdString(session_.lookupStatus()));
    lookupCancel_->setVisible(session_.lookingUp());
    lookupRow_->setVisible(!session_.lookupStatus().empty() || session_.lookingUp());
    lAlready_->setText(FromTable(TableText(session_.already())));
    alreadyRow_->setVisible(!session_.already().empty());
    tracknr_->setText(QString::number(session_.trackNr()));
    lKant_->setText(FromTable(TableText(session_.kant())));
    label19_->setText(FromTable(TableText(session_.label19())));
    autoTracks_->setText(FromTable(TableText(session_.autoTracks())));

    invDrager_->setEnabled(session_.dragerEnabled());
    captions_.at(EntryControl::InvDrager)->setEnabled(session_.dragerEnabled());
    invNummer_->setEnabled(session_.nummerEnabled());
    captions_.at(EntryControl::InvNummer)->setEnabled(session_.nummerEnabled());
    plaatsButton_->setEnabled(session_.acceptEnabled());
    vTrackBut_->setEnabled(session_.nextTrackEnabled());
    for (QPushButton* button : {geluidBut_, morgenbut_, schrijfBut_})
        button->setEnabled(session_.endButtonsEnabled());
    kantBut_->setEnabled(session_.sideBEnabled());
    speedButton2_->setEnabled(session_.readCdEnabled());

    if (const auto focus = session_.TakeFocus())
        FocusControl(*focus);
}

void TGeluidsInvoer::FocusControl(EntryControl control) {
    // A field switched off in the settings passes the focus on to the next one that is on.
    auto it = fields_.find(control);
    for (; it != fields_.end(); ++it) {
        if (it->second->isEnabled()) {
            it->second->setFocus(Qt::OtherFocusReason);
            if (auto* spin = qobject_cast<QSpinBox*>(it->second))
                spin->selectAll();
            return;
        }
    }
    vTrackBut_->setFocus(Qt::OtherFocusReason);
}

void TGeluidsInvoer::Guarded(const std::function<void()>& handler) {
    TableGuarded(handler);
    ShowSession();
}

void TGeluidsInvoer::TextChanged(EntryControl control, const QString& text) {
    std::string* target = nullptr;
    EntryFields& f = session_.fields;
    switch (control) {
        case EntryControl::InvDrager:
            target = &f.drager;
            break;
        case EntryControl::InvKwaliteit:
            target = &f.kwaliteit;
            break;
        case EntryControl::InvHoofdtitel:
            target = &f.hoofdtitel;
            break;
        case EntryControl::InvGenre1:
            target = &f.genre1;
            break;
        case EntryControl::InvLabel:
            target = &f.label;
            break;
        case EntryControl::InvHoofdartiest:
            target = &f.hoofdartiest;
            break;
        case EntryControl::InvArtiest:
            target = &f.artiest;
            break;
        case EntryControl::InvTitel:
            target = &f.titel;
            break;
        case EntryControl::InvComponist:
            target = &f.componist;
            break;
        case EntryControl::InvGenre2:
            target = &f.genre2;
            break;
        case EntryControl::InvUitvoering:
            target = &f.uitvoering;
            break;
        case EntryControl::InvTrefwoord:
            target = &f.trefwoord;
            break;
        case EntryControl::InvJaar:
            target = &f.jaar;
            break;
        default:
            return;
    }
    QLabel* caption = captions_.count(control) ? captions_.at(control) : nullptr;
    const std::optional<std::string> bytes =
        TextForTable(text, caption != nullptr ? caption->text() : QString());
    if (!bytes) {
        // Refused: the field goes back to what it held.
        SetTextOf(fields_.at(control), FromTable(TableText(*target)));
        return;
    }
    *target = *bytes;
    Guarded([this, control] {
        if (control == EntryControl::InvDrager)
            session_.InvDragerChange();
        else if (control != EntryControl::InvKwaliteit && control != EntryControl::InvJaar)
            session_.LookupChanged(control);
    });
}

void TGeluidsInvoer::FillList(PickListCombo* combo, char code) {
    const QString typed = combo->currentText();
    const QSignalBlocker block(combo);
    combo->clear();
    TableGuarded([&] {
        const int width = combo->lineEdit()->maxLength();
        for (const std::string& item : session_.PickList(code)) {
            // An item longer than the field could only be stored cut: it is not offered.
            if (int(item.size()) <= width)
                combo->addItem(FromTable(TableText(item)));
        }
    });
    combo->setCurrentIndex(-1);
    combo->setEditText(typed);
}

void TGeluidsInvoer::PutText(EntryControl control, const QString& text) {
    QWidget* field = fields_.at(control);
    if (text.size() > MaxLengthOf(field)) {
        CurrentUi().Message(MsgKind::Warning,
                            QString("\"%1\" is longer than the %2 characters this field holds.")
                                .arg(text)
                                .arg(MaxLengthOf(field))
                                .toStdString());
        return;
    }
    if (auto* combo = qobject_cast<QComboBox*>(field))
        combo->setEditText(text);  // runs the change handling
}

void TGeluidsInvoer::ItemEditor(EntryControl control) {
    QWidget* field = fields_.at(control);
    if (!field->isEnabled())
        return;
    const QString text = TextOf(field);
    if (control == EntryControl::InvDrager)
        PutText(control, TGeluidKant::Show(catalogue_, text, this));
    else if (control == EntryControl::InvKwaliteit)
        PutText(control, TVerbKwaliteit::Show(catalogue_, text, this));
    else
        PutText(control, TVeranderComboItems::Show(catalogue_, text, itemCodes_.at(control), this));
    if (control == EntryControl::InvDrager)
        Guarded([this] { session_.GetKant(session_.fields.drager); });
}

bool TGeluidsInvoer::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        for (const auto& [control, field] : fields_) {
            auto* combo = qobject_cast<QComboBox*>(field);
            if (combo != nullptr && combo->lineEdit() == watched) {
                ItemEditor(control);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TGeluidsInvoer::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Enter presses the button that has the focus, otherwise the default button.
        auto* focused = qobject_cast<QAbstractButton*>(focusWidget());
        QAbstractButton* target = focused != nullptr ? focused : defaultButton_;
        if (target != nullptr && target->isEnabled()) {
            target->click();
            event->accept();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

void TGeluidsInvoer::PlaatsButtonClick() {
    Guarded([this] { session_.Accept(); });
}

void TGeluidsInvoer::vTrackButClick() {
    bool saved = false;
    Guarded([this, &saved] { saved = session_.WriteTracks(true); });
    // A repeated artist needs no typing: straight on to the title.
    if (saved && !session_.fields.artiest.empty())
        FocusControl(EntryControl::InvTitel);
}

void TGeluidsInvoer::GeluidButClick() {
    Guarded([this] { session_.NewSource(); });
}

void TGeluidsInvoer::SchrijfButClick() {
    bool close = false;
    Guarded([this, &close] { close = session_.SaveAndClose(); });
    if (close)
        CloseScreen();
}

void TGeluidsInvoer::MorgenbutClick() {
    bool close = false;
    Guarded([this, &close] { close = session_.ToMorrow(); });
    if (close)
        CloseScreen();
}

void TGeluidsInvoer::KantButClick() {
    Guarded([this] { session_.SideB(); });
}

void TGeluidsInvoer::SpeedButton1Click() {
    Guarded([this] { session_.CopyMainArtist(); });
}

void TGeluidsInvoer::SpeedButton2Click() {
    Guarded([this] { session_.ReadCdInfo(); });
}

void TGeluidsInvoer::AankoopbutClick() {
    TEditAankoop::Show(catalogue_, session_.hfRecNo(), this);
    session_.MarkChanged();
}

void TGeluidsInvoer::TekstbutClick() {
    TTekstblad::Show(catalogue_, session_.hfRecNo(), this);
    session_.MarkChanged();
}

void TGeluidsInvoer::CloseScreen() {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->close();
    else
        close();
}

void TGeluidsInvoer::closeEvent(QCloseEvent* event) {
    if (closedDone_) {
        event->accept();
        return;
    }
    bool goAhead = true;
    TableGuarded([&] { goAhead = session_.CanClose(); });
    if (!goAhead) {
        event->ignore();
        return;
    }
    SaveWindowPlacement(PlacementWindow(), kScreenNumber);
    session_.CancelLookup();
    try {
        session_.Closing();
    } catch (const TableError& error) {
        // The tracks are stored already; the user learns that the main title is not.
        ShowTableError(error);
    }
    closedDone_ = true;
    event->accept();
    emit closed();
}
