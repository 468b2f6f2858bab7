// What TZoekForm does: the search with what its boxes hold, the outcome shown, and the actions on
// the selected row of its hits.
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableView>

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
#include "search/zoek_form.h"
#include "shell/range_spin_box.h"
#include "shell/table_guard.h"
#include "shell/table_text.h"
#include "store/catalogue.h"
#include "store/title_of_track.h"

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

QString TZoekForm::SearchText() const {
    if (number_)
        return number_->text();  // the year, or the minutes as the not-found message names them
    const QString text = memoText_ ? memoText_->text() : zoekstr_->currentText();
    return traits_.trimmed ? text.trimmed() : text;
}

FieldSearch TZoekForm::MakeSearch(const std::string& bytes, const std::string& filter) const {
    FieldSearch search;
    search.order = traits_.order != 0 ? traits_.order : profile_.OrderNo;
    search.keyFields = {traits_.keyField ? traits_.keyField : profile_.SearchField};
    search.key = SearchKey(bytes, traits_.keyLength);
    if (traits_.exactKey)
        search.key = PadRight(search.key, int(traits_.keyLength));
    search.filterField = traits_.filterField ? traits_.filterField : profile_.FilterField;
    search.filterText = filter;
    return search;
}

SearchResult TZoekForm::RunSearch(const std::string& key, const std::string& filter,
                                  const SearchProgress& progress) {
    if (traits_.memo) {
        return RunMemoSearch(access(), traits_.keyField, MemoPattern(key, zoekExact_->isChecked()),
                             traits_.filterField, filter, progress);
    }
    if (traits_.box == SearchBox::Time) {
        return RunTimeSearch(access(), traits_.order, minutes_->value(), nSec_->value(),
                             traits_.filterField, filter, progress);
    }
    return RunFieldSearch(access(), MakeSearch(key, filter), progress);
}

void TZoekForm::Zoek() {
    if (minutes_ && (RefusedOutOfRange(minutes_, "Minutes") || RefusedOutOfRange(nSec_, "Seconds")))
        return;
    const QString text = SearchText();
    if (text.isEmpty())
        return;
    resultsShown_ = false;
    counter_->setText("0");
    Disable_Buttons();
    model_->Clear();
    if (traits_.columns.empty() || traits_.memo)
        grid_->setColumnWidth(0, kSearchColumnWidth);
    refStr_->setText(refStr_->text().trimmed());
    // A text with a character the tables cannot hold is in none of their records: a key such as
    // that is not found, and a filter such as that leaves no hit.
    const std::optional<std::string> key = ToTable(text);
    const std::optional<std::string> filter = ToTable(refStr_->text());
    if (!key) {
        ShowHits({SearchOutcome::KeyNotFound, {}}, text);
        return;
    }
    const std::string filterBytes = filter ? Trim(*filter) : std::string();
    // The first batch is painted at once; the rest follows when the walk ends.
    bool painted = false;
    const SearchProgress progress = [&](const std::vector<uint32_t>& rows, size_t from) {
        if (!filter)
            return true;  // hits of the key only: none of them is shown
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
        result = RunSearch(*key, filterBytes, progress);
    });
    if (!ran) {
        // Nothing is known of what the tables hold: no "not found".
        model_->Clear();
        counter_->setText("0");
        return;
    }
    if (!filter && result.outcome == SearchOutcome::Found) {
        result.outcome = SearchOutcome::FilterNotFound;
        result.rows.clear();
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
            // As far as the details of the searched table (the memo when it is wanted).
            const int moves = traits_.bothTables                         ? (tracks() ? 235 : 117)
                              : !traits_.memo                            ? 120
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
        if (traits_.bothTables && forTracks != tracks())
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
        if (tracks() && !SeekTitleOfTrack(catalogue_)) {
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
        if (zoekstr_ && watched == zoekstr_->lineEdit() && traits_.chooser) {
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
