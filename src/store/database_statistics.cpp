#include "store/database_statistics.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <functional>

#include "base/ini.h"
#include "base/text.h"
#include "store/catalogue.h"
#include "store/record_edit.h"
#include "store/record_field.h"
#include "store/saved_position.h"
#include "store/source_key.h"
#include "store/table_error.h"
#include "store/track_time.h"

namespace {

constexpr const char* kStatisticsSection = "DatabaseInformatie";
constexpr const char* kDateKey = "Upgedate";

double Price(std::string_view text) {
    double value = 0;
    const auto [end, fault] = std::from_chars(text.data(), text.data() + text.size(), value);
    return fault == std::errc() && end == text.data() + text.size() ? value : 0;
}

// A count of records whose field is filled in.
struct FilledCount {
    RecordField field;
    uint64_t* count;
};

// Where a count over both tables stands: records read of all, and the hook to tell.
struct Pass {
    uint64_t done = 0;
    uint64_t total = 0;
    const ScanProgress& progress;
};

// One pass over the records that are not deleted: counts them in *records, counts the filled
// fields of `filled`, and hands each record to `more`. False when the hook stopped it.
bool CountRecords(const xbase::Table& table, const std::vector<FilledCount>& filled,
                  uint64_t* records, Pass* pass, const std::function<void(const uint8_t*)>& more) {
    bool stopped = false;
    ThrowIfError(table.ScanRecords(1, [&](uint32_t, const uint8_t* record) {
        if (record[0] != '*') {
            ++*records;
            for (const FilledCount& f : filled)
                *f.count += f.field.Filled(record) ? 1 : 0;
            more(record);
        }
        stopped = !ScanGoesOn(pass->progress, &pass->done, pass->total);
        return !stopped;
    }));
    return !stopped;
}

bool CountMainTitles(const xbase::Table& table, DatabaseStatistics* s, Pass* pass) {
    const RecordField memo(table, "MEMO");
    const RecordField price(table, "AANKPPRS");
    const RecordField carrier(table, "DRAGER");
    const xbase::CodePage& page = table.codePage();
    std::string text;
    std::string code(kCarrierWidth, ' ');
    return CountRecords(table,
                        {{{table, "OPNAME"}, &s->qualities},
                         {{table, "HTITEL"}, &s->mainTitles},
                         {{table, "SOORT"}, &s->sourceStyles},
                         {{table, "LABEL"}, &s->labels},
                         {{table, "HOOFDART"}, &s->mainArtists},
                         {{table, "AANKOOP"}, &s->purchases}},
                        &s->sources, pass, [&](const uint8_t* record) {
                            if (memo.Filled(record)) {
                                ThrowIfError(table.ReadMemo(record, memo.index(), &text));
                                s->memos += std::any_of(text.begin(), text.end(),
                                                        [](char c) { return uint8_t(c) > ' '; });
                            }
                            s->amount += Price(price.Trimmed(record));
                            const std::string_view stored = carrier.In(record);
                            for (size_t i = 0; i < kCarrierWidth; ++i)
                                code[i] =
                                    i < stored.size() ? char(page.Upper(uint8_t(stored[i]))) : ' ';
                            ++s->sourcesPerCarrier[code];
                        });
}

bool CountTracks(const xbase::Table& table, DatabaseStatistics* s, Pass* pass) {
    const RecordField year(table, "JAAR");
    const RecordField minutes(table, "MINUTEN");
    const RecordField seconds(table, "SECONDEN");
    return CountRecords(table,
                        {{{table, "ARTIEST"}, &s->artists},
                         {{table, "TITEL"}, &s->titles},
                         {{table, "COMPONIST"}, &s->composers},
                         {{table, "SOORT"}, &s->trackStyles},
                         {{table, "UITVOER"}, &s->performances},
                         {{table, "TREF"}, &s->keywords}},
                        &s->tracks, pass, [&](const uint8_t* record) {
                            s->years += year.Trimmed(record).size() > 2 ? 1 : 0;
                            const uint64_t m = TimePart(minutes.Trimmed(record));
                            const uint64_t sec = TimePart(seconds.Trimmed(record));
                            s->trackTimes += m > 0 || sec > 0 ? 1 : 0;
                            s->playingSeconds += m * 60 + sec;
                        });
}

// One pass over each table. False when the hook stopped it; *out is then untouched.
bool CountDatabase(Catalogue& catalogue, DatabaseStatistics* out, const ScanProgress& progress) {
    xbase::Table& titles = catalogue.dm2.HfTable.table();
    xbase::Table& tracks = catalogue.dm1.ArtTable.table();
    ThrowIfError(titles.Refresh(false));
    ThrowIfError(tracks.Refresh(false));
    Pass pass{0, uint64_t(titles.recordCount()) + tracks.recordCount(), progress};
    DatabaseStatistics s;
    if (!CountMainTitles(titles, &s, &pass))
        return false;
    s.loans = catalogue.dm3.UitleenAccess.Count();
    if (!CountTracks(tracks, &s, &pass))
        return false;
    *out = std::move(s);
    return true;
}

std::map<std::string, std::string> StatisticTexts(const DatabaseStatistics& s) {
    char amount[64];
    std::snprintf(amount, sizeof amount, "%*.*f", 9, 2, s.amount);
    const uint64_t minutes = s.playingSeconds / 60;
    const auto text = [](uint64_t n) { return std::to_string(n); };
    return {{"Totdragers", text(s.sources)},     {"Kwaliteiten", text(s.qualities)},
            {"Hoofdtitels", text(s.mainTitles)}, {"Genres1", text(s.sourceStyles)},
            {"Labels", text(s.labels)},          {"Hoofdartiesten", text(s.mainArtists)},
            {"Tekstbladen", text(s.memos)},      {"Uitgeleend", text(s.loans)},
            {"Aankopen", text(s.purchases)},     {"Totaalbedrag", amount},
            {"TotTracks", text(s.tracks)},       {"Artiesten", text(s.artists)},
            {"Titels", text(s.titles)},          {"Componisten", text(s.composers)},
            {"Genres2", text(s.trackStyles)},    {"Uitvoeringen", text(s.performances)},
            {"Trefwoorden", text(s.keywords)},   {"Jaren", text(s.years)},
            {"Tracktijden", text(s.trackTimes)}, {"Uren", text(minutes / 60)},
            {"Minuten", text(minutes % 60)}};
}

void WriteStatisticsCache(const DatabaseInformation& information) {
    for (const auto& [key, text] : information.texts) {
        if (!IniWriteString(kStatisticsSection, key, text))
            return;  // the user has been told; the rest would fail the same way
    }
    IniWriteString(kStatisticsSection, kDateKey, information.date);
}

// Writes into AANTAL of every carrier code its number of sources. The items table keeps its
// order and record.
void StoreCarrierCounts(TDataModule3& items, const DatabaseStatistics& statistics) {
    TTableAccess& access = items.ItemsAccess;
    TTable& table = items.ItemsTable;
    SavedPosition saved(access);
    const xbase::CodePage& page = table.table().codePage();
    for (const uint32_t recno : CarrierItems(items)) {
        access.Go(recno);
        std::string code = access.GetString("OMS").bytes().substr(0, kCarrierWidth);
        for (char& c : code)
            c = char(page.Upper(uint8_t(c)));
        const auto it = statistics.sourcesPerCarrier.find(code);
        const std::string count =
            std::to_string(it == statistics.sourcesPerCarrier.end() ? 0 : it->second);
        if (TrimRight(access.GetString("AANTAL").bytes()) == count)
            continue;
        table.Edit();
        try {
            table.SetFieldAsString("AANTAL", count);
            table.Post();
        } catch (const TableError&) {
            table.Cancel();
            throw;
        }
    }
}

}  // namespace

std::vector<uint32_t> CarrierItems(TDataModule3& items) {
    xbase::Cursor walk(&items.ItemsTable.table());
    ThrowIfError(walk.SetOrder("2"));
    bool found = false;
    ThrowIfError(walk.Seek(reinterpret_cast<const uint8_t*>("D"), 1, &found));
    const RecordField code(items.ItemsTable.table(), "CODE");
    std::vector<uint32_t> recnos;
    for (; !walk.Eof() && code.In(walk.record()) == "D"; ThrowIfError(walk.Skip(1)))
        recnos.push_back(walk.RecNo());
    return recnos;
}

DatabaseInformation ReadDatabaseInformation() {
    DatabaseInformation information{StatisticTexts({}),
                                    IniReadString(kStatisticsSection, kDateKey, "")};
    for (auto& [key, text] : information.texts)
        text = IniReadString(kStatisticsSection, key, "0");
    return information;
}

std::optional<DatabaseInformation> UpdateDatabaseInformation(Catalogue& catalogue,
                                                             const ScanProgress& progress) {
    DatabaseStatistics statistics;
    if (!CountDatabase(catalogue, &statistics, progress))
        return std::nullopt;
    // Written only now, in one go, so that a stopped count leaves every kept figure as it was.
    StoreCarrierCounts(catalogue.dm3, statistics);
    DatabaseInformation information{StatisticTexts(statistics),
                                    TodayDateText(catalogue.dm1.TableEnv1)};
    WriteStatisticsCache(information);
    return information;
}
