// What TShowArtHfForm does: loading a source, following the selected row, and the actions of its
// buttons and pop-up menus.
#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>
#include <QTableWidget>
#include <QTimer>

#include "base/feedback.h"
#include "base/ini.h"
#include "base/protection.h"
#include "base/text.h"
#include "base/ui.h"
#include "cd/cd_speler.h"
#include "cd/disc_id_line.h"
#include "cd/install_cd_player.h"
#include "entry/edit_aankoop.h"
#include "entry/editor_parts.h"
#include "entry/tekstblad.h"
#include "entry/wijzig_artiest_gegevens.h"
#include "entry/wijzig_hoofdtitel_gegevens.h"
#include "loans/loan_commands.h"
#include "overview/artiest_info_form.h"
#include "overview/disc_fill_form.h"
#include "overview/record_labels.h"
#include "overview/show_art_hf_form.h"
#include "overview/source_tracks.h"
#include "shell/grid_rows.h"
#include "shell/plain_text_labels.h"
#include "shell/table_text.h"
#include "shell/window_placement.h"
#include "store/catalogue.h"
#include "store/controls_suspended.h"
#include "store/record_edit.h"
#include "store/saved_position.h"
#include "store/source_key.h"
#include "store/title_of_track.h"

namespace {

constexpr int kScreenNumber = 13;
constexpr int kHfBySource = 4;    // UPPER(DRAGER)+STR(CDNUMMER)
constexpr int kLoanBySource = 1;  // the same key in Uitdat.dat
constexpr int kNoTracksHelp = 37;

QTableWidgetItem* Cell(const TableText& text) {
    return new QTableWidgetItem(FromTable(TrimRight(text)));
}

}  // namespace

bool TShowArtHfForm::ShowSource(std::string_view carrier, std::string_view number,
                                uint32_t trackRecNo, bool showModally) {
    const bool found = ShowGuarded(false, [&] { return Load(carrier, number, trackRecNo); });
    if (found && showModally) {
        exec();
    }
    return found;
}

bool TShowArtHfForm::Load(std::string_view carrier, std::string_view number, uint32_t trackRecNo) {
    TTableAccess& art = catalogue_.dm1.ArtAccess;
    TTableAccess& hf = catalogue_.dm2.HfAccess;
    SourceTracks tracks;
    bool found = false;
    std::string rmnr;
    {
        BusyCursor busy;
        StatusShown status("Locating information...");
        loaded_ = false;
        stringGrid2_->setRowCount(0);
        stringGrid2_->setColumnWidth(0, kArtistColumnWidth);
        key_ = SourceSeekKey(carrier, number);
        if (!savedTracks_) {
            savedTracks_ = std::make_unique<SavedPosition>(art);
            savedTitles_ = std::make_unique<SavedPosition>(hf);
        }
        ControlsSuspended tracksQuiet(art.component());
        ControlsSuspended titlesQuiet(hf.component());
        hf.SetOrder(kHfBySource);
        found = hf.Seek(key_);
        if (found) {
            titleRecNo_ = hf.RecNo();
            rmnr = hf.GetString("RMNR").bytes();
            tracks = ReadSourceTracks(art, key_, true);
            FillGrid(tracks);
        }
    }
    if (!found) {
        CurrentUi().Message(MsgKind::Information, "Source is not found!");
        return false;
    }
    if (tracks.count == 0) {
        PlayWave("error.wav");
        CurrentUi().Message(MsgKind::Information, "The tracks from this source are not found!",
                            MsgButtons::Ok, kNoTracksHelp);
    }
    ShowDiscIds(rmnr);
    loaded_ = true;
    int row = trackRecNo != 0 ? RowOf(trackRecNo) : -1;
    if (row < 0 && stringGrid2_->rowCount() > 0) {
        row = 0;
    }
    if (row >= 0) {
        stringGrid2_->setCurrentCell(row, 0);
        StringGrid2SelectCell(row);
    }
    return true;
}

void TShowArtHfForm::FillGrid(const SourceTracks& tracks) {
    stringGrid2_->setUpdatesEnabled(false);
    stringGrid2_->setRowCount(int(tracks.rows.size()));
    for (size_t i = 0; i < tracks.rows.size(); ++i) {
        const SourceTrackRow& track = tracks.rows[i];
        stringGrid2_->setItem(int(i), 0, Cell(track.artist));
        stringGrid2_->setItem(int(i), 1, Cell(track.title));
        stringGrid2_->setItem(int(i), 2, new QTableWidgetItem(QString::number(track.recno)));
    }
    stringGrid2_->setUpdatesEnabled(true);
    tracknum_->setText(QString::number(tracks.count));
    toonTijd_->setText(QString::fromStdString(PlayingTime(tracks.minutes, tracks.seconds)));
}

int TShowArtHfForm::RowOf(uint32_t recno) const {
    const QString text = QString::number(recno);
    for (int row = 0; row < stringGrid2_->rowCount(); ++row) {
        if (stringGrid2_->item(row, 2)->text() == text) {
            return row;
        }
    }
    return -1;
}

uint32_t TShowArtHfForm::RecNoOf(int row) const {
    const QTableWidgetItem* item = stringGrid2_->item(row, 2);
    return item != nullptr ? item->text().toUInt() : 0;
}

void TShowArtHfForm::StringGrid2SelectCell(int row) {
    if (!loaded_ || row < 0) {
        return;
    }
    const uint32_t recno = RecNoOf(row);
    if (recno != 0) {
        ShowGuarded(0, [&] {
            catalogue_.dm1.ArtAccess.Go(recno);
            return 0;
        });
    }
}

bool TShowArtHfForm::GoToSelectedTrack() {
    const int row = stringGrid2_->currentRow();
    const uint32_t recno = row >= 0 ? RecNoOf(row) : 0;
    if (recno == 0) {
        CurrentUi().Beep();
        return false;
    }
    catalogue_.dm1.ArtAccess.Go(recno);
    return true;
}

bool TShowArtHfForm::SeekTitleOfSelectedTrack() {
    if (GoToSelectedTrack())
        return SeekTitleOfTrack(catalogue_);
    TTableAccess& hf = catalogue_.dm2.HfAccess;
    hf.SetOrder(kHfBySource);
    return hf.Seek(key_);
}

void TShowArtHfForm::Guarded(const std::function<void()>& action) {
    TableGuarded(action, [this] {
        if (catalogue_.dm1.ArtTable.state() != TTable::State::Browse) {
            catalogue_.dm1.ArtTable.Cancel();
        }
        if (catalogue_.dm2.HfTable.state() != TTable::State::Browse) {
            catalogue_.dm2.HfTable.Cancel();
        }
    });
    stringGrid2_->setFocus();
}

// --- Showing and closing ---

void TShowArtHfForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        FormShow();
    }
}

void TShowArtHfForm::FormShow() {
    RestoreWindowPlacement(this, kScreenNumber);
    autoBox_->setChecked(IniReadBool("Diversen", "AutoInhoud", true));
    Guarded([this] { CheckUitgeleend(); });
    stringGrid2_->setToolTip(IniReadBool("Opstart", "Hints")
                                 ? "Double click or Enter: information, right click: more"
                                 : QString());
    removeId1_->setEnabled(NietBeveiligd());
}

bool TShowArtHfForm::event(QEvent* event) {
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::WindowActivate && !activated_) {
        activated_ = true;
        FormActivate();
    }
    return handled;
}

void TShowArtHfForm::FormActivate() {
    stringGrid2_->setFocus();
    // Room below the track part, so that it can come to the top of the panel; the panel takes
    // the new height in its next layout pass, so it scrolls after that.
    scrollBox1_->widget()->setMinimumHeight(trackPart_->y() + scrollBox1_->viewport()->height());
    if (autoBox_->isChecked()) {
        QTimer::singleShot(0, this,
                           [this] { scrollBox1_->verticalScrollBar()->setValue(trackPart_->y()); });
    }
}

void TShowArtHfForm::done(int result) {
    SaveWindowPlacement(this, kScreenNumber);
    loaded_ = false;
    // Tracks first: the main titles' observers then see the caller's track as well.
    savedTracks_.reset();
    savedTitles_.reset();
    QDialog::done(result);
}

// --- The state shown ---

void TShowArtHfForm::CheckUitgeleend() {
    TTableAccess& loans = catalogue_.dm3.UitleenAccess;
    SavedPosition kept(loans);
    loans.SetOrder(kLoanBySource);
    if (loans.Seek(key_)) {
        image1_->setToolTip(
            PlainToolTip("Source is loan to " + FromTable(Trim(loans.GetString("AANWIE")))));
        image1_->show();
    } else {
        image1_->setToolTip(QString());
        image1_->hide();
    }
}

void TShowArtHfForm::ShowDiscIds(const std::string& rmnr) {
    const bool stored = !IsBlank(rmnr);
    discIds_->SetIds(stored && HasCdPlayer() ? CdPlayer().DiscIdsOf(rmnr) : cdaudio::DiscIds(),
                     stored ? "Disc ID: shown while the disc is in the drive" : "");
}

void TShowArtHfForm::ReadTime() {
    TTableAccess& art = catalogue_.dm1.ArtAccess;
    BusyCursor busy;
    StatusShown status("Reading track time...");
    ControlsSuspended quiet(art.component());
    SavedPosition kept(art, false);
    const SourceTracks tracks = ReadSourceTracks(art, key_, false);
    toonTijd_->setText(QString::fromStdString(PlayingTime(tracks.minutes, tracks.seconds)));
}

void TShowArtHfForm::UpdateData1(int row) {
    const uint32_t recno = RecNoOf(row);
    if (recno == 0) {
        return;
    }
    TTableAccess& art = catalogue_.dm1.ArtAccess;
    art.Go(recno);
    if (art.Eof()) {
        return;
    }
    stringGrid2_->item(row, 0)->setText(FromTable(TrimRight(art.GetString("ARTIEST"))));
    stringGrid2_->item(row, 1)->setText(FromTable(TrimRight(art.GetString("TITEL"))));
}

// --- Actions on the selected track ---

void TShowArtHfForm::FormInfo() {
    Guarded([this] {
        if (!GoToSelectedTrack()) {
            return;
        }
        const int row = stringGrid2_->currentRow();
        TArtiestInfoForm info(catalogue_, this);
        info.exec();
        UpdateData1(row);
    });
}

void TShowArtHfForm::FormTrack() {
    Guarded([this] {
        if (!GoToSelectedTrack()) {
            return;
        }
        const int row = stringGrid2_->currentRow();
        TWijzigArtiestGegevens screen(catalogue_, this);
        if (screen.exec() == QDialog::Accepted) {
            UpdateData1(row);
            ReadTime();
        }
    });
}

void TShowArtHfForm::FormVerwijder() {
    Guarded([this] {
        if (ChkBeveiliging() || !GoToSelectedTrack()) {
            return;
        }
        const int row = stringGrid2_->currentRow();
        if (!catalogue_.dm1.DeleteOneTrack()) {
            return;
        }
        catalogue_.dm1.ArtTable.Sync();
        DeleteGridRow(stringGrid2_, row);
        tracknum_->setText(QString::number(std::max(0, tracknum_->text().toInt() - 1)));
        ReadTime();
        StringGrid2SelectCell(stringGrid2_->currentRow());
    });
}

void TShowArtHfForm::FormTekstblad() {
    Guarded([this] {
        if (SeekTitleOfSelectedTrack()) {
            TTekstblad::Show(catalogue_, catalogue_.dm2.HfAccess.RecNo(), this);
        }
    });
}

void TShowArtHfForm::AankoopClick() {
    Guarded([this] {
        catalogue_.dm2.HfAccess.Go(titleRecNo_);
        TEditAankoop::Show(catalogue_, titleRecNo_, this);
        catalogue_.dm2.HfAccess.Go(titleRecNo_);
    });
}

void TShowArtHfForm::HoofdtitelClick() {
    Guarded([this] {
        TTableAccess& hf = catalogue_.dm2.HfAccess;
        hf.Go(titleRecNo_);
        TWijzigHoofdtitelGegevens screen(catalogue_, this);
        if (screen.exec() != QDialog::Accepted) {
            return;
        }
        // A new carrier or number moved the source with its tracks: follow it.
        hf.Go(titleRecNo_);
        const std::string key = SourceSeekKey(hf.GetString("DRAGER"), hf.GetString("CDNUMMER"));
        if (key != key_) {
            Load(key.substr(0, 10), key.substr(10), catalogue_.dm1.ArtAccess.RecNo());
        }
    });
}

void TShowArtHfForm::UitleenClick() {
    Guarded([this] {
        catalogue_.dm2.HfAccess.Go(titleRecNo_);
        ShowLoanForSource(catalogue_, this);
        CheckUitgeleend();
    });
}

void TShowArtHfForm::AddToPlaylistClick() {
    Guarded([this] {
        if (GoToSelectedTrack()) {
            catalogue_.dm3.AddToPlayList(catalogue_.dm1,
                                         std::to_string(catalogue_.dm1.ArtAccess.RecNo()));
        }
    });
}

void TShowArtHfForm::PlayTrackClick() {
    Guarded([this] {
        if (GoToSelectedTrack() && HasCdPlayer()) {
            CdPlayer().PlayTrack(std::to_string(catalogue_.dm1.ArtAccess.RecNo()));
        }
    });
}

void TShowArtHfForm::StopTrackClick() {
    Guarded([] {
        if (HasCdPlayer()) {
            CdPlayer().StopTrack();
        }
    });
}

void TShowArtHfForm::EjectClick() {
    Guarded([] {
        if (HasCdPlayer()) {
            CdPlayer().EjectCD();
        }
    });
}

void TShowArtHfForm::HernummerClick() {
    Guarded([this] {
        const std::string carrier = key_.substr(0, 10);
        const std::string number = key_.substr(10);
        if (catalogue_.dm1.HernummerTrackVeld(carrier, number)) {
            Load(carrier, number, 0);
        }
    });
}

// --- The disc ---

void TShowArtHfForm::LeesAlleTrackTijden() {
    Guarded([this] {
        if (ChkBeveiliging()) {
            return;
        }
        if (!HasCdPlayer()) {
            CurrentUi().Beep();
            return;
        }
        TCdSpeler& speler = CdPlayer();
        speler.OpenCDPlayer();
        if (!GoToSelectedTrack() || !speler.ChkCD(0)) {
            return;
        }
        // The disc is the source's now, its ID perhaps just stored.
        ShowDiscIds(std::to_string(speler.GetCDID()));
        const std::string previous = toonTijd_->text().left(6).toStdString();
        const int onDisc = speler.GetTracks();
        const QString shown = tracknum_->text().trimmed();
        if (onDisc != shown.toInt()) {
            PlayWave("error.wav");
            CurrentUi().Message(MsgKind::Information,
                                "On the CD are " + std::to_string(onDisc) +
                                    " track(s). In the database are " + shown.toStdString() +
                                    " tracks. Check if this is the right CD, or add the tracks.");
            RemoveID();
            return;
        }
        {
            BusyCursor busy;
            StatusShown status("Updating track time...");
            TTableAccess& art = catalogue_.dm1.ArtAccess;
            ControlsSuspended quiet(art.component());
            SavedPosition kept(art, false);
            art.SetOrder(kArtBySideAndTrack);
            for (const uint32_t recno : CollectSourceRecords(art, key_)) {
                art.Go(recno);
                if (speler.GetTrackTime(int(art.GetInteger("TRACK"))) == MsgAnswer::Abort) {
                    break;
                }
            }
        }
        ReadTime();
        speler.OpenCDPlayer();
        if (previous != "00:00") {
            CurrentUi().Message(MsgKind::Information, "The previous playing time was \"" +
                                                          previous +
                                                          "\", the new playing time is \"" +
                                                          toonTijd_->text().toStdString() + "\".");
        }
        FillBlanksFromDisc();
    });
}

void TShowArtHfForm::FillBlanksFromDisc() {
    const std::optional<discinfo::DiscCandidate> found = LookUpDiscForFill(catalogue_, this);
    if (found && OfferDiscFill(catalogue_, key_, *found, this) > 0) {
        Load(key_.substr(0, 10), key_.substr(10), 0);
    }
}

void TShowArtHfForm::RemoveID() {
    Guarded([this] {
        TTableAccess& hf = catalogue_.dm2.HfAccess;
        if (!SeekTitleOfSelectedTrack()) {
            return;
        }
        if (IsBlank(hf.GetString("RMNR"))) {
            CurrentUi().Message(MsgKind::Information,
                                "This Source has no ID yet! Place the right source and click on "
                                "the option play track.");
            return;
        }
        if (CurrentUi().Message(MsgKind::Confirmation, "Do you want to remove the ID?",
                                MsgButtons::YesNo) != MsgAnswer::Yes) {
            return;
        }
        ChangeRecord(hf, hf.RecNo(), [](TTable& titles) { titles.ClearField("RMNR"); });
        hf.component().Sync();
        ShowDiscIds("");
    });
}
