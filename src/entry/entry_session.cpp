// The source half of an entry: opening and reopening it, numbering, look-up completion, the main
// title and closing.
#include "entry/entry_session.h"

#include <algorithm>
#include <vector>

#include "base/feedback.h"
#include "base/ini.h"
#include "base/text.h"
#include "base/ui.h"
#include "entry/entry_cd.h"
#include "entry/entry_run_memory.h"
#include "entry/table_edit.h"
#include "store/catalogue.h"
#include "store/record_edit.h"
#include "store/source_key.h"

EntrySession::EntrySession(Catalogue& catalogue, EntryCd* cd) : catalogue_(catalogue), cd_(cd) {}

std::string EntrySession::Upper(const std::string& text, bool tracks) const {
    // UPPER() of the index follows the table's code page, so accented letters must too.
    const TTable& table = tracks ? catalogue_.dm1.ArtTable : catalogue_.dm2.HfTable;
    const xbase::CodePage& page = table.table().codePage();
    std::string upper(text);
    for (char& ch : upper)
        ch = char(page.Upper(static_cast<uint8_t>(ch)));
    return upper;
}

std::string EntrySession::SeekKeyOf(const std::string& drager, int64_t nummer) const {
    return SourceSeekKey(drager, nummer);
}

int64_t EntrySession::CarrierCounter() {
    const int counter = IniReadInteger("Geluidsdragers", Trim(fields.drager), 1);
    if (counter >= 1 && counter <= kMaxNummer)
        return counter;
    // Past the last number (after source 999999999) the carrier goes on in its own gaps; a
    // number of another carrier has nothing to do with it.
    const int64_t free = FirstFreeNumber(fields.drager);
    return free == 0 ? kMaxNummer : free;
}

int64_t EntrySession::FirstFreeNumber(const std::string& drager) {
    TTableAccess& hf = catalogue_.dm2.HfAccess;
    hf.SetOrder(4);
    const std::string carrier = SeekKeyOf(drager, 1).substr(0, 10);
    std::vector<int64_t> taken;
    if (hf.Seek(carrier)) {
        for (; !hf.Eof() && Upper(PadRight(hf.GetString("DRAGER").bytes(), 10), false) == carrier;
             hf.Skip(1))
            taken.push_back(hf.GetInteger("CDNUMMER"));
    }
    if (taken.empty())
        return 1;
    if (taken.back() < kMaxNummer)
        return std::max<int64_t>(taken.back() + 1, 1);
    int64_t expected = 1;
    for (const int64_t number : taken) {
        if (number > expected)
            return expected;
        expected = std::max(expected, number + 1);
    }
    return expected <= kMaxNummer ? expected : 0;
}

void EntrySession::ClearCdDisplay() {
    autoTracks_ = " ";
    label19_.clear();
    cdTrackCount_ = 0;
    cdTexts_ = CdDiscTexts();
    // What was found belongs to the disc read for the source that is gone.
    CancelLookup();
    lookupStatus_.clear();
    query_ = {};
    release_.reset();
    discAccepted_ = false;
    filled_.clear();
}

std::optional<EntryControl> EntrySession::TakeFocus() {
    auto focus = focus_;
    focus_.reset();
    return focus;
}

void EntrySession::Start() {
    settings_ = EntrySettings::Read();
    fields.drager = settings_.defaultDrager.substr(0, 10);
    fields.kwaliteit = settings_.defaultKwaliteit.substr(0, 3);
    fields.jaar = settings_.veldJaar;
    fields.nummer = CarrierCounter();
    closing_ = false;
    fields.minuten = 0;
    fields.seconden = 0;
    alertHoofd_ = true;
    alertTrack_ = true;
    reopened_ = false;
    GetKant(fields.drager);
    CheckIfDragerOpen();
    changed_ = false;
    if (!reopened_ && cd_ != nullptr && lookup_ != nullptr) {
        const discinfo::DiscQuery query = cd_->Query();
        if (!query.offsets.empty())
            showItChosen_ = AskCatalogue(query) == InCatalogue::ShowIt;
    }
}

void EntrySession::PostRecord() {
    TTable& table = catalogue_.dm2.HfTable;
    const AppendOutcome outcome = AppendRecord(catalogue_.dm2.HfAccess, [&table] {
        PendingEdit pending(table);
        table.Insert();
        pending.Post();
    });
    hfRecNo_ = outcome.recno;
    blank_ = true;
    if (outcome.failure)
        throw *outcome.failure;
}

void EntrySession::CheckIfDragerOpen() {
    const std::string open = IniReadString("Diversen", "OpenDrager").substr(0, 20);
    if (IsBlank(open) || open == kIniAbsent) {
        PostRecord();
        return;
    }
    TTableAccess& hf = catalogue_.dm2.HfAccess;
    hf.SetOrder(4);
    if (!hf.Seek(open)) {
        PlayWave("error.wav");
        CurrentUi().Message(MsgKind::Warning,
                            "Cannot open source " + open + std::to_string(fields.nummer));
        IniWriteString("Diversen", "OpenDrager", "");
        IniWriteString("Diversen", "OpenTrackKant", "");
        PostRecord();
        return;
    }
    hfRecNo_ = hf.RecNo();
    const std::string drager = TrimRight(hf.GetString("DRAGER").bytes());
    const int64_t nummer = hf.GetInteger("CDNUMMER");
    const std::string opname = TrimRight(hf.GetString("OPNAME").bytes());
    const std::string htitel = TrimRight(hf.GetString("HTITEL").bytes());
    const std::string hoofdart = TrimRight(hf.GetString("HOOFDART").bytes());
    const std::string soort = TrimRight(hf.GetString("SOORT").bytes());
    const std::string label = TrimRight(hf.GetString("LABEL").bytes());

    fields.drager = drager;
    InvDragerChange();
    fields.nummer = std::clamp<int64_t>(nummer, 1, kMaxNummer);
    fields.kwaliteit = opname;
    SetField(EntryControl::InvHoofdtitel, htitel);
    SetField(EntryControl::InvHoofdartiest, hoofdart);
    SetField(EntryControl::InvGenre1, soort);
    SetField(EntryControl::InvLabel, label);

    // A continued source goes on with the track after the last one typed; a count past the
    // limit means the source is full.
    const std::string nextTrack = Trim(IniReadString("Diversen", "OpenTracknr"));
    int track = 1;
    try {
        track = std::stoi(nextTrack);
    } catch (const std::exception&) {
        track = 1;
    }
    track = std::max(track, 1);
    limitReached_ = track > kMaxTrack;
    trackNr_ = std::min(track, kMaxTrack);
    const std::string side = IniReadString("Diversen", "OpenTrackKant");
    kant_ = side == kIniAbsent ? std::string() : side.substr(0, 1);

    dragerEnabled_ = false;
    nummerEnabled_ = false;
    reopened_ = true;
    blank_ = false;
    IniWriteString("Diversen", "OpenDrager", "");
    IniWriteString("Diversen", "OpenTrackKant", "");
    readCdEnabled_ = false;
    focus_ = EntryControl::InvArtiest;
}

void EntrySession::GetKant(const std::string& carrier) {
    TTableAccess& items = catalogue_.dm3.ItemsAccess;
    items.SetOrder(1);
    if (items.Seek(catalogue_.dm3.ItemKey(carrier, 'D')))
        kant_ = items.GetString("KANT").bytes().substr(0, 1);
}

void EntrySession::InvDragerChange() {
    fields.nummer = CarrierCounter();
    GetKant(fields.drager);
    ClearCdDisplay();
}

std::string* EntrySession::FieldText(EntryControl control) {
    switch (control) {
        case EntryControl::InvDrager:
            return &fields.drager;
        case EntryControl::InvKwaliteit:
            return &fields.kwaliteit;
        case EntryControl::InvHoofdtitel:
            return &fields.hoofdtitel;
        case EntryControl::InvGenre1:
            return &fields.genre1;
        case EntryControl::InvLabel:
            return &fields.label;
        case EntryControl::InvHoofdartiest:
            return &fields.hoofdartiest;
        case EntryControl::InvArtiest:
            return &fields.artiest;
        case EntryControl::InvTitel:
            return &fields.titel;
        case EntryControl::InvComponist:
            return &fields.componist;
        case EntryControl::InvGenre2:
            return &fields.genre2;
        case EntryControl::InvUitvoering:
            return &fields.uitvoering;
        case EntryControl::InvTrefwoord:
            return &fields.trefwoord;
        case EntryControl::InvJaar:
            return &fields.jaar;
        default:
            return nullptr;
    }
}

// A programmatic change of a field runs its change handling, as typing would.
void EntrySession::SetField(EntryControl control, const std::string& text) {
    std::string* field = FieldText(control);
    if (field == nullptr || *field == text)
        return;
    *field = text;
    if (control != EntryControl::InvJaar)
        LookupChanged(control);
}

namespace {

struct LookupField {
    EntryControl control;
    bool tracks;
    const char* fieldName;
    int order;
    EntryControl next;
};

const LookupField kLookups[] = {
    {EntryControl::InvHoofdtitel, false, "HTITEL", 1, EntryControl::InvGenre1},
    {EntryControl::InvGenre1, false, "SOORT", 2, EntryControl::InvLabel},
    {EntryControl::InvLabel, false, "LABEL", 6, EntryControl::InvHoofdartiest},
    {EntryControl::InvHoofdartiest, false, "HOOFDART", 7, EntryControl::InvArtiest},
    {EntryControl::InvArtiest, true, "ARTIEST", 1, EntryControl::InvTitel},
    {EntryControl::InvTitel, true, "TITEL", 2, EntryControl::InvComponist},
    {EntryControl::InvComponist, true, "COMPONIST", 5, EntryControl::InvGenre2},
    {EntryControl::InvGenre2, true, "SOORT", 7, EntryControl::InvUitvoering},
    {EntryControl::InvUitvoering, true, "UITVOER", 11, EntryControl::InvTrefwoord},
    {EntryControl::InvTrefwoord, true, "TREF", 3, EntryControl::InvMin},
};

const LookupField* FindLookup(EntryControl control) {
    for (const LookupField& field : kLookups) {
        if (field.control == control)
            return &field;
    }
    return nullptr;
}

}  // namespace

void EntrySession::LookupChanged(EntryControl control) {
    const LookupField* lookup = FindLookup(control);
    if (lookup == nullptr)
        return;
    lastLookup_ = control;
    const std::string& text = *FieldText(control);
    if (lookup->tracks)
        Seek_it1(text, lookup->fieldName, lookup->order);
    else
        Seek_it2(text, lookup->fieldName, lookup->order);
    if (control == EntryControl::InvArtiest || control == EntryControl::InvTitel)
        UpdateNextTrack();
    if (control == EntryControl::InvHoofdtitel || control == EntryControl::InvHoofdartiest)
        CheckAlready();
    if (IsBlank(text))
        FieldEntered(control);
}

void EntrySession::UpdateNextTrack() {
    nextTrackEnabled_ = !fields.artiest.empty() && !fields.titel.empty() && !limitReached_;
}

void EntrySession::Seek_it1(const std::string& text, const char* fieldName, int order) {
    Seek(true, text, fieldName, order);
}

void EntrySession::Seek_it2(const std::string& text, const char* fieldName, int order) {
    Seek(false, text, fieldName, order);
}

void EntrySession::Seek(bool tracks, const std::string& text, const char* fieldName, int order) {
    bool& alert = tracks ? alertTrack_ : alertHoofd_;
    if (IsBlank(text)) {
        found_.clear();
        foundNote_.clear();
        foundFromDisc_ = false;
        acceptEnabled_ = false;
    } else {
        TTableAccess& access = tracks ? catalogue_.dm1.ArtAccess : catalogue_.dm2.HfAccess;
        access.SetOrder(order);
        foundFromDisc_ = false;
        foundNote_.clear();
        if (access.Seek(Upper(text, tracks))) {
            found_ = TrimRight(access.GetString(fieldName).bytes());
            acceptEnabled_ = true;
            alert = true;
        } else {
            found_ = "Nothing found.";
            if (alert && settings_.zoekBeep) {
                PlayWave("oww.wav");
                alert = false;
            }
            acceptEnabled_ = false;
        }
    }
    changed_ = true;
}

void EntrySession::Accept() {
    if (!lastLookup_ || !acceptEnabled_)
        return;
    const LookupField* lookup = FindLookup(*lastLookup_);
    const EntryControl accepted = *lastLookup_;
    const bool fromDisc = foundFromDisc_;  // the look-up the change runs forgets it
    SetField(accepted, found_);
    acceptEnabled_ = false;
    found_.clear();
    foundNote_.clear();
    // The year has no look-up of its own: after it the artist is next.
    focus_ = lookup != nullptr ? lookup->next : EntryControl::InvArtiest;
    if (fromDisc) {
        foundFromDisc_ = false;
        filled_[accepted] = *FieldText(accepted);
        discAccepted_ = true;
        FillFromDisc();
    }
}

bool EntrySession::SourceExists() {
    if (reopened_)
        return false;
    TTableAccess& hf = catalogue_.dm2.HfAccess;
    hf.SetOrder(4);
    const std::string key = SeekKeyOf(fields.drager, fields.nummer);
    if (!hf.Seek(key))
        return false;
    if (hf.RecNo() == hfRecNo_) {
        // The entry's own record has the key once a save of its main title failed part way.
        hf.Skip(1);
        if (hf.Eof() || SeekKeyOf(hf.GetString("DRAGER").bytes(), hf.GetInteger("CDNUMMER")) != key)
            return false;
    }
    const MsgAnswer answer =
        CurrentUi().Message(MsgKind::Confirmation,
                            "Source \"" + fields.drager + " " + std::to_string(fields.nummer) +
                                "\" does already exist! Do you want the first available number?",
                            MsgButtons::YesNo);
    if (answer == MsgAnswer::Yes) {
        // Each carrier keeps its own numbers: a high number of another carrier is no reason to
        // jump, and the highest number there is does not stop this carrier.
        const int64_t next = FirstFreeNumber(fields.drager);
        if (next == 0) {
            CurrentUi().Message(MsgKind::Warning,
                                "Every number of source " + Trim(fields.drager) + " is used.");
        } else {
            fields.nummer = next;
        }
    }
    focus_ = EntryControl::InvNummer;
    return true;
}

void EntrySession::WriteHoofdtitel(bool newBlank) {
    ShowStatus("Saving main title...");
    const std::string drager = Upper(Trim(fields.drager), false);
    const std::string htitel = KapitaliseerTekst(fields.hoofdtitel, settings_.kHoofdtitel);
    const std::string soort = KapitaliseerTekst(fields.genre1, settings_.kGenre1);
    const std::string hoofdart = KapitaliseerTekst(fields.hoofdartiest, settings_.kHoofdartiest);
    const std::string label = KapitaliseerTekst(fields.label, settings_.kLabel);
    {
        TTable& table = catalogue_.dm2.HfTable;
        catalogue_.dm2.HfAccess.Go(hfRecNo_);
        PendingEdit pending(table);
        table.Edit();
        table.SetFieldAsInteger("CDNUMMER", fields.nummer);
        table.SetFieldAsString("DRAGER", drager);
        table.SetFieldAsString("HTITEL", htitel);
        table.SetFieldAsString("SOORT", soort);
        table.SetFieldAsString("HOOFDART", hoofdart);
        table.SetFieldAsString("LABEL", label);
        table.SetFieldAsString("OPNAME", fields.kwaliteit);
        table.SetFieldAsString("INVOERDAT", TodayDateText(table.env()));
        try {
            pending.Post();
            table.Sync();
        } catch (...) {
            ShowStatus("");
            throw;  // saving again writes the same record: nothing is counted twice
        }
    }
    ShowStatus("");
    if (similar_)
        similar_->Add(hfRecNo_, htitel, hoofdart);
    if (!settings_.meldBackupWindow && !reopened_) {
        const int counter = IniReadInteger("Diversen", "MeldBackup", 1);
        IniWriteInteger("Diversen", "MeldBackup", std::clamp(counter + 1, 0, 255));
    }

    TDataModule3& items = catalogue_.dm3;
    items.WriteItems(drager, 'D');
    items.WriteItems(Upper(fields.kwaliteit, false), 'O');
    items.WriteItems(htitel, 'H');
    items.WriteItems(label, 'L');
    items.WriteItems(soort, 'G');
    items.WriteItems(hoofdart, 'A');

    if (!reopened_)
        IniWriteInteger("Geluidsdragers", Trim(drager), int(fields.nummer + 1));

    SetField(EntryControl::InvHoofdtitel, "");
    SetField(EntryControl::InvGenre1, "");
    SetField(EntryControl::InvHoofdartiest, "");
    SetField(EntryControl::InvLabel, "");
    trackNr_ = 1;
    limitReached_ = false;
    UpdateNextTrack();
    GetKant(fields.drager);
    readCdEnabled_ = true;
    ClearCdDisplay();
    fields.minuten = 0;
    fields.seconden = 0;
    changed_ = false;
    dragerEnabled_ = true;
    nummerEnabled_ = true;
    endButtonsEnabled_ = false;
    blank_ = false;
    reopened_ = false;
    tracksStored_ = false;
    fields.nummer = CarrierCounter();
    focus_ = EntryControl::InvHoofdtitel;
    if (newBlank)
        PostRecord();
}

void EntrySession::NewSource() {
    if (WriteTracks(false))
        WriteHoofdtitel(true);
}

bool EntrySession::SaveAndClose() {
    if (!WriteTracks(false))
        return false;
    WriteHoofdtitel(false);
    closing_ = true;
    return true;
}

bool EntrySession::ToMorrow() {
    // Worked out before the save moves the track number on; written only once the track is in.
    const std::string open = SeekKeyOf(fields.drager, fields.nummer);
    const bool trackTyped = !fields.artiest.empty() && !fields.titel.empty();
    // A full source stays full: the next entry must not hand out number 999 a second time.
    const int next = limitReached_ ? kMaxTrack + 1 : trackNr_ + (trackTyped ? 1 : 0);
    const std::string side = kant_;
    if (!WriteTracks(false))
        return false;
    IniWriteString("Diversen", "OpenDrager", open);
    IniWriteString("Diversen", "OpenTracknr", std::to_string(next));
    IniWriteString("Diversen", "OpenTrackKant", side);
    WriteHoofdtitel(false);
    closing_ = true;
    return true;
}

bool EntrySession::CanClose() {
    if (!changed_ || closing_)
        return true;
    return CurrentUi().Message(MsgKind::Warning, "Information will be lost. Do you want to abort?",
                               MsgButtons::YesNo) == MsgAnswer::Yes;
}

void EntrySession::Closing() {
    if (blank_) {
        catalogue_.dm2.HfAccess.Go(hfRecNo_);
        catalogue_.dm2.HfAccess.Delete();
        blank_ = false;
    }
    // The track number alone does not tell: "Side B" sets it back to 1.
    if (trackNr_ > 1 || tracksStored_)
        WriteHoofdtitel(false);
}

std::vector<std::string> EntrySession::PickList(char code) {
    std::vector<std::string> list;
    catalogue_.dm3.GetItems(list, code);
    return list;
}
