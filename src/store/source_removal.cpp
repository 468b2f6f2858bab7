#include "store/source_removal.h"

#include "base/ini.h"
#include "store/catalogue.h"

namespace {

constexpr const char* kSection = "Diversen";
constexpr const char* kPendingKey = "VerwijderBron";

// The orders on "UPPER(DRAGER)+STR(CDNUMMER)" of the track, loan, playlist and main-title tables.
constexpr int kTrackSourceOrder = 8;
constexpr int kLoanSourceOrder = 1;
constexpr int kPlaylistSourceOrder = 5;
constexpr int kTitleSourceOrder = 4;

void DeleteRecords(TTableAccess& access, int order, const std::string& key) {
    const int previous = access.IndexOrd();
    access.SetOrder(order);
    while (access.Seek(key))
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

}  // namespace

bool RemoveSource(Catalogue& catalogue, const std::string& seekKey) {
    if (!IniWriteString(kSection, kPendingKey, seekKey))
        return false;
    DeleteAll(catalogue, seekKey);
    IniWriteString(kSection, kPendingKey, "");
    return true;
}

bool FinishSourceRemoval(Catalogue& catalogue) {
    const std::string key = IniReadString(kSection, kPendingKey, "");
    if (key.empty() || key == "FOUT")
        return false;
    DeleteAll(catalogue, key);
    IniWriteString(kSection, kPendingKey, "");
    return true;
}
