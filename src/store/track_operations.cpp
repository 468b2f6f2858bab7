// The operations of TDataModule1 on single tracks and on the tracks of one source: storing a
// modified track, one value for all tracks, renumbering, moving a source, deleting a track.
#include <string>

#include "base/feedback.h"
#include "base/ini.h"
#include "base/protection.h"
#include "base/text.h"
#include "base/ui.h"
#include "store/controls_suspended.h"
#include "store/data_module1.h"
#include "store/data_module2.h"
#include "store/record_edit.h"
#include "store/saved_position.h"
#include "store/source_key.h"
#include "store/table_error.h"

namespace {

constexpr int kOrderSourceTracks = 10;  // UPPER(DRAGER)+STR(CDNUMMER)+AKANT+STR(TRACK)
constexpr int kOrderSource = 8;         // UPPER(DRAGER)+STR(CDNUMMER)
constexpr int kOrderTitleSource = 4;    // the same key on hfdat.dat
constexpr int kRenumberHelpContext = 38;

// Track fields and the Kapitaliseer flag each is stored with when a track is modified.
struct CapitalisedField {
    const char* field;
    const char* flag;
};
constexpr CapitalisedField kTrackFields[] = {
    {"ARTIEST", "K_Artiest"}, {"TITEL", "K_titel"},        {"COMPONIST", "K_Componist"},
    {"TREF", "K_Trefwoord"},  {"UITVOER", "K_Uitvoering"}, {"SOORT", "K_Genre1"},
};

[[noreturn]] void Refuse(const TTable& table, const std::string& why) {
    throw TableError(xbase::Status::InvalidArgument(table.tableName(), why));
}

int64_t SourceNumber(const TTable& table, std::string_view number) {
    int64_t value = 0;
    if (!ParseWholeNumber(number, 1, 999999999, &value))
        Refuse(table, "\"" + Trim(number) + "\" is not a source number from 1 to 999999999");
    return value;
}

// Every walk starts from a posted record: an edit left open would be written to the wrong record.
void PostPending(TTableAccess& access) {
    access.Commit();
}

}  // namespace

void TDataModule1::KapitaliseerData1(std::string_view year, std::string_view minutes,
                                     std::string_view track, std::string_view seconds) {
    int64_t minuteValue = 0;
    int64_t secondValue = 0;
    int64_t trackValue = 0;
    if (!IsBlank(minutes) && !ParseWholeNumber(minutes, 0, 999, &minuteValue))
        Refuse(ArtTable, "the minutes \"" + Trim(minutes) + "\" are not a number from 0 to 999");
    if (!IsBlank(seconds) && !ParseWholeNumber(seconds, 0, 59, &secondValue))
        Refuse(ArtTable, "the seconds \"" + Trim(seconds) + "\" are not a number from 0 to 59");
    if (!ParseWholeNumber(track, 1, 999, &trackValue))
        Refuse(ArtTable, "the track number \"" + Trim(track) + "\" is not a number from 1 to 999");
    const std::string yearText = Trim(year);
    int64_t yearValue = 0;
    if (yearText.size() >= 3 && !ParseWholeNumber(yearText, 0, 9999, &yearValue))
        Refuse(ArtTable, "the year \"" + yearText + "\" is not a number from 0 to 9999");

    StatusShown status("Upper each word...");
    ArtTable.Edit();  // no effect on a record already being edited or inserted
    ArtTable.SetFieldAsString("DRAGER", TableUpper(ArtTable.FieldAsString("DRAGER").bytes()));
    for (const CapitalisedField& f : kTrackFields) {
        ArtTable.SetFieldAsString(f.field,
                                  KapitaliseerTekst(ArtTable.FieldAsString(f.field).bytes(),
                                                    IniReadBool("Kapitaliseer", f.flag)));
    }
    ArtTable.SetFieldAsString("JAAR", yearText.size() < 3 ? std::string(4, ' ') : yearText);
    ArtTable.SetFieldAsString("WIJZIGDAT", TodayDateText(TableEnv1));
    ArtTable.SetFieldAsString("MINUTEN", TwoDigits(std::to_string(minuteValue)));
    ArtTable.SetFieldAsString("SECONDEN", TwoDigits(std::to_string(secondValue)));
    ArtTable.SetFieldAsInteger("TRACK", trackValue);
    ArtTable.Post();
}

void TDataModule1::ReplaceVeld(std::string_view carrier, std::string_view number,
                               std::string_view value, std::string_view fieldName) {
    BusyCursor busy;
    StatusShown status("Replacing fields...");
    PostPending(ArtAccess);
    SavedPosition position(ArtAccess);
    ControlsSuspended suspended(ArtTable);
    ArtAccess.SetOrder(kOrderSourceTracks);
    const std::string field(fieldName);
    const std::string text(value);
    for (uint32_t recno : CollectSourceRecords(ArtAccess, SourceSeekKey(carrier, number)))
        ChangeRecord(ArtAccess, recno, [&](TTable& t) { t.SetFieldAsString(field, text); });
}

bool TDataModule1::HernummerTrackVeld(std::string_view carrier, std::string_view number) {
    if (ChkBeveiliging())
        return false;
    if (CurrentUi().Message(MsgKind::Confirmation,
                            "Do you want to renumber the tracks in chronological order?",
                            MsgButtons::YesNo, kRenumberHelpContext) != MsgAnswer::Yes) {
        return false;
    }
    {
        StatusShown status("Renumbering tracks...");
        BusyCursor busy;
        PostPending(ArtAccess);
        SavedPosition position(ArtAccess, false);
        ControlsSuspended suspended(ArtTable);
        ArtAccess.SetOrder(kOrderSourceTracks);
        int64_t next = 1;
        for (uint32_t recno : CollectSourceRecords(ArtAccess, SourceSeekKey(carrier, number))) {
            const int64_t trackNumber = next++;
            ChangeRecord(ArtAccess, recno,
                         [&](TTable& t) { t.SetFieldAsInteger("TRACK", trackNumber); });
        }
    }
    CurrentUi().Message(MsgKind::Information, "Tracks are renumbered.");
    return true;
}

bool TDataModule1::ChangeTracks(TDataModule2& titles, std::string_view oldCarrier,
                                std::string_view oldNumber, std::string_view newNumber,
                                std::string_view newCarrier) {
    const std::string newKey = SourceSeekKey(newCarrier, newNumber);
    if (SourceSeekKey(oldCarrier, oldNumber) == newKey)
        return true;
    SourceNumber(titles.HfTable, newNumber);  // refused before anything changes
    const int64_t oldValue = SourceNumber(titles.HfTable, oldNumber);
    if (IsBlank(newCarrier))
        Refuse(titles.HfTable, "a source needs a carrier code");

    StatusShown status("Moving source...");
    BusyCursor busy;
    TTableAccess& hf = titles.HfAccess;
    PostPending(hf);
    SavedPosition position(hf);
    hf.SetOrder(kOrderTitleSource);
    // Any other main title with the new key makes it taken, whether or not the caller stored
    // this one with the new key first: two sources must never share their tracks.
    bool taken = false;
    for (uint32_t recno : CollectSourceRecords(hf, newKey))
        taken = taken || recno != position.recno();
    if (taken) {
        PlayWave("error.wav");
        CurrentUi().Message(MsgKind::Warning, "Source " + Utf8(TableText(Trim(newCarrier))) + " " +
                                                  Trim(newNumber) +
                                                  " already exist. Canceling changes.");
        const std::string carrierBack = TableUpper(Trim(oldCarrier));
        ChangeRecord(hf, position.recno(), [&](TTable& t) {
            t.SetFieldAsString("DRAGER", carrierBack);
            t.SetFieldAsInteger("CDNUMMER", oldValue);
        });
        return false;
    }
    HernummerTracks(oldCarrier, oldNumber, newNumber, newCarrier);
    return true;
}

void TDataModule1::HernummerTracks(std::string_view oldCarrier, std::string_view oldNumber,
                                   std::string_view newNumber, std::string_view newCarrier) {
    const int64_t newValue = SourceNumber(ArtTable, newNumber);
    const std::string carrier = TableUpper(Trim(newCarrier));
    PostPending(ArtAccess);
    ControlsSuspended suspended(ArtTable);
    ArtAccess.SetOrder(kOrderSource);
    for (uint32_t recno : CollectSourceRecords(ArtAccess, SourceSeekKey(oldCarrier, oldNumber))) {
        ChangeRecord(ArtAccess, recno, [&](TTable& t) {
            t.SetFieldAsString("DRAGER", carrier);
            t.SetFieldAsInteger("CDNUMMER", newValue);
        });
    }
}

bool TDataModule1::DeleteOneTrack() {
    if (ArtTable.state() == TTable::State::Insert || ArtAccess.Eof())
        return false;
    if (CurrentUi().Message(MsgKind::Confirmation, "Do you want to delete this track?",
                            MsgButtons::YesNo) != MsgAnswer::Yes) {
        return false;
    }
    ArtAccess.Delete();
    return true;
}
