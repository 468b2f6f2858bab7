// The track half of an entry: saving a track, numbering and sides, the repeat of values, the copy
// of the main artist and the track times read from the CD.
#include <algorithm>

#include "base/feedback.h"
#include "base/ini.h"
#include "base/range_refusal.h"
#include "base/text.h"
#include "base/ui.h"
#include "entry/entry_cd.h"
#include "entry/entry_run_memory.h"
#include "entry/entry_session.h"
#include "entry/table_edit.h"
#include "store/catalogue.h"
#include "store/record_edit.h"
#include "store/table_error.h"

namespace {

void LimitMessage() {
    PlayWave("error.wav");
    CurrentUi().Message(
        MsgKind::Warning,
        "The maximum of 999 tracks per source has been reach. Choose for a new source.");
}

// A number the field holds outside its range (empty is -1) is refused, never corrected.
bool Refused(int64_t value, int64_t low, int64_t high, const char* field) {
    if (value >= low && value <= high)
        return false;
    PlayWave("error.wav");
    CurrentUi().Message(MsgKind::Warning,
                        RangeRefusal(field, value < 0 ? "" : std::to_string(value), low, high));
    return true;
}

}  // namespace

bool EntrySession::WriteTracks(bool keepValues) {
    const bool trackTyped = !fields.artiest.empty() && !fields.titel.empty();
    const struct {
        int64_t value, low, high;
        const char* field;
        EntryControl control;
        bool used;
    } numbers[] = {
        {fields.nummer, 1, kMaxNummer, "Number", EntryControl::InvNummer, nummerEnabled_},
        {fields.minuten, 0, 999, "Minutes", EntryControl::InvMin, trackTyped},
        {fields.seconden, 0, 59, "Seconds", EntryControl::InvSec, trackTyped},
    };
    for (const auto& n : numbers) {
        if (n.used && Refused(n.value, n.low, n.high, n.field)) {
            focus_ = n.control;
            return false;
        }
    }
    if (SourceExists())
        return false;
    if (IsBlank(fields.drager)) {
        PlayWave("error.wav");
        CurrentUi().Message(MsgKind::Warning, "There is no source!");
        focus_ = EntryControl::InvDrager;
        return false;
    }
    if (trackTyped && limitReached_) {
        // The source is full: a 1000th track is refused rather than stored under number 999.
        LimitMessage();
        return false;
    }

    std::optional<TableError> failed;
    if (trackTyped) {
        // Throws when nothing was stored; a failure after the track reached the table still
        // moves the entry on, so that saving again never stores the track twice.
        failed = StoreTrack();
        tracksStored_ = true;
        if (!failed) {
            try {
                TDataModule3& items = catalogue_.dm3;
                items.WriteItems(KapitaliseerTekst(fields.uitvoering, settings_.kUitvoering), 'U');
                items.WriteItems(KapitaliseerTekst(fields.genre2, settings_.kGenre2), 'G');
                items.WriteItems(KapitaliseerTekst(fields.trefwoord, settings_.kTrefwoord), 'T');
            } catch (const TableError& error) {
                // The track is stored: the entry moves on, and the failure is reported afterwards.
                failed = error;
            }
        }
        ShowStatus("");
    }

    if (kant_ == "A")
        sideBEnabled_ = true;
    ++trackNr_;
    if (trackNr_ > kMaxTrack) {
        trackNr_ = kMaxTrack;
        limitReached_ = true;
        LimitMessage();
    }
    focus_ = EntryControl::InvArtiest;
    endButtonsEnabled_ = true;
    dragerEnabled_ = false;
    nummerEnabled_ = false;

    if (keepValues) {
        HerhaalVelden();
    } else {
        SetField(EntryControl::InvUitvoering, "");
        SetField(EntryControl::InvArtiest, "");
        SetField(EntryControl::InvTitel, "");
        SetField(EntryControl::InvComponist, "");
        SetField(EntryControl::InvGenre2, "");
        SetField(EntryControl::InvTrefwoord, "");
        fields.jaar.clear();
    }
    UpdateNextTrack();

    fields.minuten = 0;
    fields.seconden = 0;
    if (cdTrackCount_ > 0 && trackNr_ <= cdTrackCount_) {
        const EntryRunMemory& memory = EntryRunMemory::Instance();
        fields.minuten = memory.cdMinuten[size_t(trackNr_)];
        fields.seconden = memory.cdSeconden[size_t(trackNr_)];
    }
    if (trackNr_ > 1)
        readCdEnabled_ = false;
    blank_ = false;
    if (discAccepted_)
        FillFromDisc();
    FieldEntered(IsBlank(fields.artiest) ? EntryControl::InvArtiest : EntryControl::InvTitel);
    if (failed)
        throw *failed;
    return true;
}

std::optional<TableError> EntrySession::StoreTrack() {
    ShowStatus("Saving track...");
    TTable& table = catalogue_.dm1.ArtTable;
    const auto post = [&] {
        PendingEdit pending(table);
        table.Insert();
        table.SetFieldAsInteger("CDNUMMER", fields.nummer);
        table.SetFieldAsString("DRAGER", Upper(Trim(fields.drager), false));
        table.SetFieldAsString("ARTIEST", KapitaliseerTekst(fields.artiest, settings_.kArtiest));
        table.SetFieldAsString("TITEL", KapitaliseerTekst(fields.titel, settings_.kTitel));
        table.SetFieldAsString("COMPONIST",
                               KapitaliseerTekst(fields.componist, settings_.kComponist));
        table.SetFieldAsString("SOORT", KapitaliseerTekst(fields.genre2, settings_.kGenre2));
        table.SetFieldAsString("UITVOER",
                               KapitaliseerTekst(fields.uitvoering, settings_.kUitvoering));
        table.SetFieldAsString("TREF", KapitaliseerTekst(fields.trefwoord, settings_.kTrefwoord));
        table.SetFieldAsString("MINUTEN", TwoDigits(std::to_string(fields.minuten)));
        table.SetFieldAsString("SECONDEN", TwoDigits(std::to_string(fields.seconden)));
        if (Trim(fields.jaar).size() > 2)
            table.SetFieldAsString("JAAR", fields.jaar);
        table.SetFieldAsInteger("TRACK", trackNr_);
        table.SetFieldAsString("AKANT", kant_);
        pending.Post();
        table.Sync();  // a saved track survives a power cut
    };
    try {
        return AppendRecord(catalogue_.dm1.ArtAccess, post).failure;
    } catch (...) {
        ShowStatus("");
        throw;
    }
}

void EntrySession::HerhaalVelden() {
    EntryRunMemory& memory = EntryRunMemory::Instance();
    const auto repeat = [this](EntryControl control, std::string& remembered, size_t width,
                               const std::string& cleared) {
        const std::string text = *FieldText(control);
        if (text == remembered && !remembered.empty())
            return;
        remembered = text.substr(0, width);
        SetField(control, cleared);
    };
    repeat(EntryControl::InvArtiest, memory.artiest, 50, "");
    repeat(EntryControl::InvTitel, memory.titel, 50, "");
    repeat(EntryControl::InvComponist, memory.componist, 50, "");
    repeat(EntryControl::InvGenre2, memory.genre2, 50, "");
    repeat(EntryControl::InvUitvoering, memory.uitvoering, 50, "");
    repeat(EntryControl::InvTrefwoord, memory.trefwoord, 50, "");
    repeat(EntryControl::InvJaar, memory.jaar, 4, settings_.veldJaar);
}

void EntrySession::SideB() {
    kant_ = "B";
    trackNr_ = 1;
    limitReached_ = false;
    UpdateNextTrack();
    sideBEnabled_ = false;
    focus_ = EntryControl::InvArtiest;
}

void EntrySession::CopyMainArtist() {
    if (fields.hoofdartiest.empty()) {
        CurrentUi().Message(MsgKind::Information, "Field main artist has no information.");
        return;
    }
    SetField(EntryControl::InvArtiest, fields.hoofdartiest);
    focus_ = EntryControl::InvTitel;
    // With the suggestion gone, Accept would blank the copied artist.
    found_.clear();
    acceptEnabled_ = false;
}

void EntrySession::ReadCdInfo() {
    if (cd_ == nullptr) {
        PlayWave("error.wav");
        CurrentUi().Message(MsgKind::Information, "CD-ROM drive is not ready!", MsgButtons::Ok, 34);
        return;
    }
    cd_->OpenCDPlayer();
    const discinfo::DiscQuery query = lookup_ != nullptr ? cd_->Query() : discinfo::DiscQuery();
    InCatalogue known = InCatalogue::No;
    if (!query.offsets.empty()) {
        known = AskCatalogue(query);
        if (known == InCatalogue::ShowIt)
            return;
    }
    catalogue_.dm2.HfAccess.Go(hfRecNo_);
    // A disc whose identity another source holds is read all the same once the user said so;
    // only the tie to this source is left out.
    if (known != InCatalogue::AddAnywayTied && !cd_->ChkCD(hfRecNo_))
        return;
    ShowStatus("Reading track time...");
    dragerEnabled_ = false;
    const int count = std::clamp(cd_->GetTracks(), 0, kMaxTrack);
    cdTrackCount_ = count;
    autoTracks_ = std::to_string(count);
    label19_ = "-";
    EntryRunMemory& memory = EntryRunMemory::Instance();
    for (int track = 1; track <= kMaxTrack; ++track) {
        CdTrackLength length;
        if (track <= count)
            length = cd_->TrackLength(track);
        memory.cdMinuten[size_t(track)] = length.minutes;
        memory.cdSeconden[size_t(track)] = length.seconds;
    }
    fields.minuten = memory.cdMinuten[size_t(trackNr_)];
    fields.seconden = memory.cdSeconden[size_t(trackNr_)];
    cd_->OpenCDPlayer();
    changed_ = true;
    ShowStatus("");
    if (IniReadBool("Invoer", "MeldIngelezenTracks", false))
        CurrentUi().Message(MsgKind::Information, "Reading CD is complete.");
    cdTexts_ = cd_->DiscTexts();
    if (!query.offsets.empty())
        LookUpDisc(query);
    // With texts for the disc, the main title comes first: its text is offered at once.
    focus_ = SuggestionFor(EntryControl::InvHoofdtitel).text.empty() || !IsBlank(fields.hoofdtitel)
                 ? EntryControl::InvArtiest
                 : EntryControl::InvHoofdtitel;
    FieldEntered(*focus_);
}
