#include "store/source_removal.h"

#include "base/ini.h"
#include "base/text.h"
#include "store/catalogue.h"
#include "store/record_edit.h"
#include "store/saved_position.h"
#include "store/source_key.h"

namespace {

constexpr const char* kSection = "Diversen";
constexpr const char* kPendingKey = "VerwijderBron";
constexpr const char* kRefusedKey = "VerwijderBronGeweigerd";

// The orders on "UPPER(DRAGER)+STR(CDNUMMER)" of the track, loan, playlist and main-title tables.

// Only records whose whole key is `key` go: a seek alone also finds longer keys it begins.
void DeleteRecords(TTableAccess& access, int order, const std::string& key) {
    const int previous = access.IndexOrd();
    access.SetOrder(order);
    while (access.Seek(key) &&
           SourceSeekKey(access.GetString("DRAGER"), access.GetInteger("CDNUMMER")) == key)
        access.Delete();
    access.SetOrder(previous);
    access.component().Sync();
}

void DeleteAll(Catalogue& catalogue, const std::string& key) {
    DeleteRecords(catalogue.dm1.ArtAccess, kTrackSourceOrder, key);
    DeleteRecords(catalogue.dm3.UitleenAccess, kLoanSourceOrder, key);
    DeleteRecords(catalogue.dm3.PlaylistAccess, kPlaylistSourceOrder, key);
    DeleteRecords(catalogue.dm2.HfAccess, kTitleSourceOrder, key);
}

// "CD 7" for a key SourceSeekKey made; empty for any other text.
std::string SourceOfKey(const std::string& key) {
    if (key.size() != 2 * kCarrierWidth)
        return {};
    const std::string carrier = TrimRight(key.substr(0, kCarrierWidth));
    int64_t number = 0;
    if (carrier.empty() ||
        !ParseWholeNumber(key.substr(kCarrierWidth), 0, kLastSourceNumber, &number) ||
        SourceSeekKey(carrier, number) != key)
        return {};
    return carrier + " " + std::to_string(number);
}

size_t TitlesWithKey(Catalogue& catalogue, const std::string& key) {
    TTableAccess& titles = catalogue.dm2.HfAccess;
    SavedPosition position(titles);
    titles.SetOrder(kTitleSourceOrder);
    return CollectSourceRecords(titles, key).size();
}

RecoveryOutcome RefuseRemoval(const std::string& key, const std::string& why) {
    const std::string note =
        std::string("[") + kSection + "] " + kPendingKey + " in " + IniFileName();
    std::string text = "The note " + note + " reads \"" + key + "\", which " + why +
                       ". A removal of a source was cut short, but this note cannot say which "
                       "one, so nothing was removed.\n";
    return RecoveryOutcome::Refused(
        text + SetNoteAside(kPendingKey, kRefusedKey, key) +
        "Look up the source you were removing and remove it again if it is still there.");
}

}  // namespace

bool RemoveSource(Catalogue& catalogue, const std::string& seekKey) {
    if (!IniWriteString(kSection, kPendingKey, seekKey))
        return false;
    DeleteAll(catalogue, seekKey);
    IniWriteString(kSection, kPendingKey, "");
    return true;
}

RecoveryOutcome FinishSourceRemoval(Catalogue& catalogue) {
    const std::string key = IniReadString(kSection, kPendingKey, "");
    if (key.empty() || key == kIniAbsent)
        return {};
    const std::string source = SourceOfKey(key);
    if (source.empty())
        return RefuseRemoval(key, "is not the key of a source");
    const size_t titles = TitlesWithKey(catalogue, key);
    if (titles > 1)
        return RefuseRemoval(key, "is carried by " + std::to_string(titles) + " main titles");
    std::string text = "The removal of source " + source + " was cut short. ";
    if (titles == 1) {
        DeleteAll(catalogue, key);
        text +=
            "It has been finished: the source, with its tracks, loans and playlist entries, "
            "is gone.";
    } else {
        // The main title goes last: without it, every record of the source had gone.
        text += "Its records had all gone; nothing more was removed.";
    }
    if (!IniWriteString(kSection, kPendingKey, ""))
        text += " The note in cd.ini could not be cleared; the next start finds the removal done.";
    return RecoveryOutcome::Finished(text);
}
