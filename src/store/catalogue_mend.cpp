#include "store/catalogue_mend.h"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

#include "base/text.h"
#include "store/catalogue.h"
#include "store/record_field.h"
#include "store/source_key.h"

namespace {

// A track field holds at most this number.
constexpr int64_t kMendLastTrack = 9999;

std::string MendSourceKey(std::string_view carrier, int64_t number) {
    return TableUpper(carrier) + '\x1f' + std::to_string(number);
}

char MendSide(std::string_view side) {
    return side.empty() ? ' ' : TableUpper(side.substr(0, 1))[0];
}

std::string MendSourceName(const std::string& carrier, int64_t number) {
    return carrier + " " + std::to_string(number);
}

xbase::Table& MendFile(Catalogue& catalogue, CheckTable table) {
    switch (table) {
        case CheckTable::Tracks:
            return catalogue.dm1.ArtTable.table();
        case CheckTable::MainTitles:
            return catalogue.dm2.HfTable.table();
        case CheckTable::Items:
            return catalogue.dm3.ItemsTable.table();
        case CheckTable::Loans:
            return catalogue.dm3.UitleenTable.table();
        case CheckTable::Playlist:
            break;
    }
    return catalogue.dm3.PlaylistTable.table();
}

// Every record not deleted of `table`, as it is on the disk now.
template <typename Visit>
void MendWalk(xbase::Table& table, Visit visit) {
    ThrowIfError(table.Refresh(false));
    ThrowIfError(table.ScanRecords(1, [&](uint32_t recno, const uint8_t* record) {
        if (record[0] != '*')
            visit(recno, record);
        return true;
    }));
}

// The findings a fresh check still makes among `findings` of the kinds of `kind`.
std::vector<CheckFinding> StillFound(Catalogue& catalogue, MendKind kind,
                                     const std::vector<CheckFinding>& findings) {
    const std::vector<CheckKind> kinds = MendFindingKinds(kind);
    std::set<CheckKind> off;
    for (const CheckKind other : kAllCheckKinds) {
        if (std::ranges::find(kinds, other) == kinds.end())
            off.insert(other);
    }
    std::set<std::tuple<CheckKind, CheckTable, uint32_t>> asked;
    for (const CheckFinding& f : findings)
        asked.emplace(f.kind, f.table, f.recno);
    std::vector<CheckFinding> still;
    for (CheckGroup& group : CheckCatalogue(catalogue, off).groups) {
        for (CheckFinding& f : group.findings) {
            if (asked.count({f.kind, f.table, f.recno}))
                still.push_back(std::move(f));
        }
    }
    return still;
}

// A track's place on its side, as the renumbering orders them.
struct MendSlot {
    std::string key;
    char side;
    int64_t track;
    uint32_t recno;
    std::string carrier, text;
    int64_t number;
    auto Order() const { return std::tie(key, side, track, recno); }
};

void PlanTrackRuns(Catalogue& catalogue, const std::vector<CheckFinding>& findings,
                   MendPlan* plan) {
    std::set<std::string> sources;
    for (const CheckFinding& f : findings)
        sources.insert(MendSourceKey(f.carrier, f.number));
    xbase::Table& tracks = MendFile(catalogue, CheckTable::Tracks);
    const RecordField carrier(tracks, "DRAGER"), number(tracks, "CDNUMMER");
    const RecordField side(tracks, "AKANT"), track(tracks, "TRACK");
    std::vector<MendSlot> slots;
    MendWalk(tracks, [&](uint32_t recno, const uint8_t* record) {
        std::string key = MendSourceKey(carrier.Trimmed(record), number.Number(record));
        if (sources.count(key))
            slots.push_back({std::move(key), MendSide(side.Trimmed(record)), track.Number(record),
                             recno, std::string(carrier.Trimmed(record)),
                             std::string(track.Trimmed(record)), number.Number(record)});
    });
    std::ranges::sort(slots,
                      [](const MendSlot& a, const MendSlot& b) { return a.Order() < b.Order(); });
    // Where the first track of each old number goes: the one a playlist entry means.
    std::map<std::tuple<std::string, char, int64_t>, int64_t> moved;
    for (size_t begin = 0; begin < slots.size();) {
        size_t end = begin;
        while (end < slots.size() && slots[end].key == slots[begin].key &&
               slots[end].side == slots[begin].side)
            ++end;
        const MendSlot& first = slots[begin];
        if (int64_t(end - begin) > kMendLastTrack) {
            plan->left.push_back(MendSourceName(first.carrier, first.number) +
                                 (first.side == ' ' ? "" : std::string(" side ") + first.side) +
                                 ": more than 9999 tracks");
            begin = end;
            continue;
        }
        for (size_t i = begin; i < end; ++i) {
            const MendSlot& slot = slots[i];
            const int64_t next = int64_t(i - begin) + 1;
            moved.try_emplace({slot.key, slot.side, slot.track}, next);
            if (slot.track != next || slot.text != std::to_string(next))
                plan->changes.push_back({CheckTable::Tracks,
                                         slot.recno,
                                         slot.carrier,
                                         slot.number,
                                         "TRACK",
                                         slot.text,
                                         std::to_string(next),
                                         {}});
        }
        begin = end;
    }
    xbase::Table& playlist = MendFile(catalogue, CheckTable::Playlist);
    const RecordField pCarrier(playlist, "DRAGER"), pNumber(playlist, "CDNUMMER");
    const RecordField pSide(playlist, "AKANT"), pTrack(playlist, "TRACK");
    MendWalk(playlist, [&](uint32_t recno, const uint8_t* record) {
        const auto it = moved.find({MendSourceKey(pCarrier.Trimmed(record), pNumber.Number(record)),
                                    MendSide(pSide.Trimmed(record)), pTrack.Number(record)});
        if (it != moved.end() && std::get<2>(it->first) != it->second)
            plan->changes.push_back({CheckTable::Playlist,
                                     recno,
                                     std::string(pCarrier.Trimmed(record)),
                                     pNumber.Number(record),
                                     "TRACK",
                                     std::string(pTrack.Trimmed(record)),
                                     std::to_string(it->second),
                                     {}});
    });
}

void PlanArtists(Catalogue& catalogue, const std::vector<CheckFinding>& findings, MendPlan* plan) {
    std::set<uint32_t> wanted;
    for (const CheckFinding& f : findings) {
        if (f.table == CheckTable::Tracks)
            wanted.insert(f.recno);
    }
    xbase::Table& titles = MendFile(catalogue, CheckTable::MainTitles);
    const RecordField tCarrier(titles, "DRAGER"), tNumber(titles, "CDNUMMER");
    const RecordField mainArtist(titles, "HOOFDART");
    std::map<std::string, std::string> artists;  // by source key; the first main title counts
    MendWalk(titles, [&](uint32_t, const uint8_t* record) {
        artists.try_emplace(MendSourceKey(tCarrier.Trimmed(record), tNumber.Number(record)),
                            mainArtist.Trimmed(record));
    });
    xbase::Table& tracks = MendFile(catalogue, CheckTable::Tracks);
    const RecordField carrier(tracks, "DRAGER"), number(tracks, "CDNUMMER");
    const RecordField artist(tracks, "ARTIEST");
    std::set<std::string> without;
    MendWalk(tracks, [&](uint32_t recno, const uint8_t* record) {
        if (!wanted.count(recno) || artist.Filled(record))
            return;  // a blank title alone is not ours to fill
        const std::string source(carrier.Trimmed(record));
        const auto it = artists.find(MendSourceKey(source, number.Number(record)));
        if (it == artists.end() || it->second.empty()) {
            const std::string name = MendSourceName(source, number.Number(record));
            if (without.insert(name).second)
                plan->left.push_back(name + ": no main artist to fill in");
            return;
        }
        plan->changes.push_back({CheckTable::Tracks,
                                 recno,
                                 source,
                                 number.Number(record),
                                 "ARTIEST",
                                 "",
                                 it->second,
                                 {}});
    });
}

void PlanRemovals(Catalogue& catalogue, const std::vector<CheckFinding>& findings, MendPlan* plan) {
    std::vector<uint8_t> record;
    for (const CheckFinding& f : findings) {
        xbase::Table& table = MendFile(catalogue, f.table);
        record.resize(table.recordLength());
        ThrowIfError(table.ReadRecord(f.recno, record.data()));
        plan->changes.push_back({f.table, f.recno, f.carrier, f.number, "", f.text, "",
                                 std::string(record.begin() + 1, record.end())});
    }
    // By table and record, as the preview lists them.
    std::ranges::stable_sort(plan->changes, [](const MendChange& a, const MendChange& b) {
        return std::tie(a.table, a.recno) < std::tie(b.table, b.recno);
    });
}

}  // namespace

std::vector<CheckKind> MendFindingKinds(MendKind kind) {
    switch (kind) {
        case MendKind::RenumberTracks:
            return {CheckKind::TrackNumbers};
        case MendKind::FillArtists:
            return {CheckKind::BlankTitleOrArtist};
        case MendKind::RemoveBroken:
            return {CheckKind::LoanWithoutSource, CheckKind::PlaylistWithoutTrack};
        case MendKind::RemoveUnusedItems:
            return {CheckKind::UnusedItem};
    }
    return {};
}

std::string MendTitle(MendKind kind) {
    switch (kind) {
        case MendKind::RenumberTracks:
            return "Renumber tracks";
        case MendKind::FillArtists:
            return "Fill blank artists";
        case MendKind::RemoveBroken:
            return "Remove loans and playlist entries of nothing";
        case MendKind::RemoveUnusedItems:
            return "Remove unused lookup items";
    }
    return "";
}

MendPlan PlanMend(Catalogue& catalogue, MendKind kind, const std::vector<CheckFinding>& findings) {
    MendPlan plan;
    plan.kind = kind;
    const std::vector<CheckFinding> still = StillFound(catalogue, kind, findings);
    switch (kind) {
        case MendKind::RenumberTracks:
            PlanTrackRuns(catalogue, still, &plan);
            break;
        case MendKind::FillArtists:
            PlanArtists(catalogue, still, &plan);
            break;
        case MendKind::RemoveBroken:
        case MendKind::RemoveUnusedItems:
            PlanRemovals(catalogue, still, &plan);
            break;
    }
    return plan;
}
