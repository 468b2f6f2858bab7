#include "store/entry_recovery.h"

#include <algorithm>
#include <map>

#include "base/ini.h"
#include "base/text.h"
#include "base/ui.h"
#include "store/catalogue.h"
#include "store/record_edit.h"
#include "store/source_key.h"

namespace {

// One side of a source holds at most 999 tracks, so one unfinished source is at most this many
// records at the end of the track table.
constexpr int kTracksPerSource = 2 * 999;

struct Orphan {
    RecoveredSource source;
    std::string seekKey;
    std::string lastSide;
    int lastTrack = 0;
};

std::string KeyOf(TTableAccess& access) {
    return SourceSeekKey(access.GetString("DRAGER"), access.GetInteger("CDNUMMER"));
}

// The sources of the tracks saved last that have no main title, newest first. The walk stops at
// the first track of a source that has one: what lies before it was finished.
std::vector<Orphan> FindOrphans(Catalogue& catalogue, size_t most) {
    TTableAccess& tracks = catalogue.dm1.ArtAccess;
    TTableAccess& titles = catalogue.dm2.HfAccess;
    titles.SetOrder(4);
    tracks.SetOrder(0);
    std::vector<Orphan> orphans;
    std::map<std::string, size_t> seen;
    tracks.GoBottom();
    for (size_t walked = 0; !tracks.Bof() && !tracks.Eof() && walked < most * kTracksPerSource;
         ++walked, tracks.Skip(-1)) {
        const std::string key = KeyOf(tracks);
        if (const auto it = seen.find(key); it != seen.end()) {
            ++orphans[it->second].source.tracks;
            continue;
        }
        if (orphans.size() == most || titles.Seek(key))
            break;
        Orphan orphan;
        orphan.source.carrier = Trim(tracks.GetString("DRAGER"));
        orphan.source.number = tracks.GetInteger("CDNUMMER");
        orphan.source.tracks = 1;
        orphan.seekKey = key;
        orphan.lastSide = tracks.GetString("AKANT").bytes().substr(0, 1);
        orphan.lastTrack = int(tracks.GetInteger("TRACK"));
        seen[key] = orphans.size();
        orphans.push_back(orphan);
    }
    return orphans;
}

void TellRecovery(const RecoveredSource& source) {
    const std::string name =
        "\"" + Utf8(source.carrier) + " " + std::to_string(source.number) + "\"";
    CurrentUi().Message(
        MsgKind::Information,
        "The program ended while source " + name + " was being entered: its " +
            std::to_string(source.tracks) + (source.tracks == 1 ? " track was" : " tracks were") +
            " saved, its main title was not.\n" +
            (source.keptOpen ? "The source is kept open: choose Add to finish it."
                             : "Another source is still open; finish that one first, then "
                               "choose Reopen to finish this one."));
}

}  // namespace

std::vector<RecoveredSource> RecoverUnfinishedEntries(Catalogue& catalogue) {
    TTableAccess& titles = catalogue.dm2.HfAccess;
    titles.SetOrder(4);
    std::vector<uint32_t> blanks = CollectSourceRecords(titles, SourceSeekKey("", int64_t{0}));
    if (blanks.empty())
        return {};
    std::sort(blanks.begin(), blanks.end());
    // An unfinished entry's blank record (which may hold its disc identity, purchase data and
    // memo) becomes the main title of its tracks: the newest blank for the newest source.
    std::vector<Orphan> orphans = FindOrphans(catalogue, blanks.size());
    std::vector<RecoveredSource> recovered;
    for (const Orphan& orphan : orphans) {
        const uint32_t recno = blanks.back();
        blanks.pop_back();
        const std::string date = TodayDateText(catalogue.dm2.HfTable.env());
        ChangeRecord(titles, recno, [&](TTable& t) {
            t.SetFieldAsString("DRAGER", TableUpper(orphan.source.carrier.bytes()));
            t.SetFieldAsInteger("CDNUMMER", orphan.source.number);
            t.SetFieldAsString("INVOERDAT", date);
        });
        // The carrier's next number never was moved on past this source.
        const std::string carrier = TableUpper(orphan.source.carrier.bytes());
        if (IniReadInteger("Geluidsdragers", carrier, 1) <= orphan.source.number)
            IniWriteInteger("Geluidsdragers", carrier, int(orphan.source.number + 1));

        RecoveredSource source = orphan.source;
        const std::string open = IniReadString("Diversen", "OpenDrager");
        if (open == kIniAbsent || IsBlank(open)) {
            IniWriteString("Diversen", "OpenDrager", orphan.seekKey);
            IniWriteString("Diversen", "OpenTracknr", std::to_string(orphan.lastTrack + 1));
            IniWriteString("Diversen", "OpenTrackKant", orphan.lastSide);
            source.keptOpen = true;
        }
        recovered.push_back(source);
    }
    for (const uint32_t recno : blanks) {
        titles.Go(recno);
        titles.Delete();
    }
    for (const RecoveredSource& source : recovered)
        TellRecovery(source);
    return recovered;
}
