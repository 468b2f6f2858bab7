#include "overview/disc_fill.h"

#include <QString>
#include <algorithm>
#include <cstdio>

#include "base/table_text.h"
#include "overview/source_tracks.h"
#include "shell/table_text.h"
#include "store/record_edit.h"
#include "store/saved_position.h"

namespace {

struct FillTrackRecord {
    uint32_t recno = 0;
    int track = 0;
    std::string side;
    bool titleBlank = false;
    bool artistBlank = false;
    bool timeBlank = false;
};

// Both time fields blank: a time that reads 00:00 was written by someone and stays.
bool FillTimeBlank(TTableAccess& tracks) {
    return IsBlank(tracks.GetString("MINUTEN")) && IsBlank(tracks.GetString("SECONDEN"));
}

std::string FillTimeText(int seconds) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d", seconds / 60, seconds % 60);
    return text;
}

// The change of a text field to `utf8`, cut to the field's width and marked as such, or refused
// when the tables cannot hold one of its characters (as typing it would be refused).
FillChange FillText(const FillTrackRecord& record, FillField field, const std::string& utf8,
                    size_t width) {
    FillChange change{record.recno, record.track, record.side, field, utf8, "", false, false};
    const std::optional<std::string> bytes = ToTable(QString::fromStdString(utf8));
    if (!bytes) {
        change.refused = true;
        return change;
    }
    change.bytes = *bytes;
    if (change.bytes.size() > width) {
        change.bytes.resize(width);
        change.cut = true;
        change.shown = Utf8(TableText(change.bytes)) + "…";
    }
    return change;
}

std::vector<FillTrackRecord> FillRecordsOf(TTableAccess& tracks, const std::string& key) {
    SavedPosition kept(tracks);
    tracks.SetOrder(kArtBySideAndTrack);
    std::vector<FillTrackRecord> records;
    for (const uint32_t recno : CollectSourceRecords(tracks, key)) {
        tracks.Go(recno);
        records.push_back({recno, int(tracks.GetInteger("TRACK")),
                           Trim(tracks.GetString("AKANT")).bytes(),
                           IsBlank(tracks.GetString("TITEL")), IsBlank(tracks.GetString("ARTIEST")),
                           FillTimeBlank(tracks)});
    }
    return records;
}

// Writes one change where its field is still blank.
void WriteFillChange(TTableAccess& tracks, const FillChange& change) {
    ChangeRecord(tracks, change.recno, [&change](TTable& art) {
        if (change.field == FillField::Time) {
            if (IsBlank(art.FieldAsString("MINUTEN")) && IsBlank(art.FieldAsString("SECONDEN"))) {
                art.SetFieldAsString("MINUTEN", change.bytes.substr(0, change.bytes.find(':')));
                art.SetFieldAsString("SECONDEN", change.bytes.substr(change.bytes.find(':') + 1));
            }
            return;
        }
        const char* name = change.field == FillField::Title ? "TITEL" : "ARTIEST";
        if (IsBlank(art.FieldAsString(name)))
            art.SetFieldAsString(name, change.bytes);
    });
}

}  // namespace

const char* FillFieldName(FillField field) {
    switch (field) {
        case FillField::Title:
            return "Title";
        case FillField::Artist:
            return "Artist";
        case FillField::Time:
            return "Time";
    }
    return "";
}

std::vector<FillChange> PlanDiscFill(TTableAccess& tracks, const std::string& key,
                                     const discinfo::DiscCandidate& candidate) {
    const std::vector<FillTrackRecord> records = FillRecordsOf(tracks, key);
    const size_t titleWidth = tracks.component().Field("TITEL").length;
    const size_t artistWidth = tracks.component().Field("ARTIEST").length;
    std::vector<FillChange> changes;
    for (size_t i = 0; i < records.size() && i < candidate.tracks.size(); ++i) {
        const FillTrackRecord& record = records[i];
        const discinfo::CandidateTrack& found = candidate.tracks[i];
        if (record.titleBlank && !found.title.empty())
            changes.push_back(FillText(record, FillField::Title, found.title, titleWidth));
        // A release without artists per track is by its main artist.
        const std::string& artist = found.artist.empty() ? candidate.artist : found.artist;
        if (record.artistBlank && !artist.empty())
            changes.push_back(FillText(record, FillField::Artist, artist, artistWidth));
        if (record.timeBlank && found.seconds >= 0 && found.seconds / 60 < 1000) {
            const std::string time = FillTimeText(found.seconds);
            changes.push_back({record.recno, record.track, record.side, FillField::Time, time, time,
                               false, false});
        }
    }
    return changes;
}

std::string ApplyDiscFill(TTableAccess& tracks, const std::vector<FillChange>& changes) {
    SavedPosition kept(tracks);
    // What each record held before, to put back when a later record fails.
    struct Before {
        uint32_t recno;
        TableText title, artist, minutes, seconds;
    };
    std::vector<Before> written;
    for (const FillChange& change : changes) {
        if (change.refused)
            continue;
        try {
            const bool seen = std::any_of(written.begin(), written.end(),
                                          [&](const Before& b) { return b.recno == change.recno; });
            if (!seen) {
                tracks.Go(change.recno);
                written.push_back({change.recno, tracks.GetString("TITEL"),
                                   tracks.GetString("ARTIEST"), tracks.GetString("MINUTEN"),
                                   tracks.GetString("SECONDEN")});
            }
            WriteFillChange(tracks, change);
        } catch (const TableError& error) {
            for (auto back = written.rbegin(); back != written.rend(); ++back) {
                try {
                    ChangeRecord(tracks, back->recno, [&back](TTable& art) {
                        art.SetFieldAsString("TITEL", back->title.bytes());
                        art.SetFieldAsString("ARTIEST", back->artist.bytes());
                        art.SetFieldAsString("MINUTEN", back->minutes.bytes());
                        art.SetFieldAsString("SECONDEN", back->seconds.bytes());
                    });
                } catch (const TableError&) {
                    // The first failure is the one to report; the table refuses the same way.
                }
            }
            return "Track " + std::to_string(change.track) + change.side + " (record " +
                   std::to_string(change.recno) + ") could not be written: " + error.what();
        }
    }
    tracks.component().Sync();
    return "";
}
