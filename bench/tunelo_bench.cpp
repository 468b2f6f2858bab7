// tunelo_bench: measures the table engine on a generated track catalogue.
//   tunelo_bench generate --tracks N --out FILE.csv [--seed S]
//   tunelo_bench load --csv FILE.csv --keep DIR       loads artdat.dat and builds the 12 tags of
//   INDEX1.CDX tunelo_bench measure --keep DIR                   opens, searches, scans, lists,
//   inserts, packs
// Figures go to stdout, one "name: value" per line.
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "bench_clock.h"
#include "bench_options.h"
#include "platform/xbase/cursor.h"
#include "platform/xbase/field_codec.h"
#include "platform/xbase/table.h"
#include "platform/xbase/text_search.h"
#include "store/catalogue_schema.h"
#include "track_generator.h"
#include "track_loader.h"

using namespace xbase;
using Clock = std::chrono::steady_clock;

namespace {

double Seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

void Check(const Status& s) {
    if (!s.ok()) {
        std::fprintf(stderr, "tunelo_bench: %s\n", s.ToString().c_str());
        std::exit(2);
    }
}

long MemoryKb(const char* key) {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(key, 0) == 0)
            return std::atol(line.c_str() + std::strlen(key));
    }
    return -1;
}

double FileMb(const std::string& path) {
    return double(std::filesystem::file_size(path)) / 1e6;
}

int Generate(const bench::CommandOptions& options) {
    std::ofstream out(options.Get("out"), std::ios::binary);
    bench::GenerateTrackCsv(out, std::stoull(options.Get("tracks")),
                            std::stoull(options.Get("seed", "1")));
    return out ? 0 : 2;
}

int Load(const bench::CommandOptions& options) {
    const std::string dir = options.Get("keep");
    std::filesystem::create_directories(dir);
    const TableDefinition& def = TrackTable();
    std::filesystem::remove(dir + "/" + def.file);
    std::filesystem::remove(dir + "/" + def.indexFile);
    auto start = Clock::now();
    std::unique_ptr<Table> table;
    Check(Table::Create(dir + "/" + def.file, def.fields, &table));
    uint64_t rows = 0;
    Check(bench::LoadTrackCsv(options.Get("csv"), table.get(), &rows));
    const double loaded = Seconds(start);
    std::vector<std::pair<std::string, std::string>> tags;
    for (const TagDefinition& tag : def.tags)
        tags.emplace_back(tag.name, tag.expression);
    auto building = Clock::now();
    Check(table->CreateTags(dir + "/" + def.indexFile, tags));
    const double built = Seconds(building);
    std::printf("tracks: %llu\n", static_cast<unsigned long long>(rows));
    std::printf("csv to table: %.3f s\n", loaded);
    std::printf("12 tags: %.3f s\n", built);
    std::printf("load and build 12 tags: %.3f s\n", Seconds(start));
    std::printf("table: %.1f MB, index: %.1f MB\n", FileMb(dir + "/" + def.file),
                FileMb(dir + "/" + def.indexFile));
    std::printf("peak resident memory during load: %.1f MB\n", MemoryKb("VmHWM:") / 1024.0);
    return 0;
}

std::unique_ptr<Table> OpenTracks(const std::string& dir, bool exclusive) {
    Table::Options options;
    options.exclusive = exclusive;
    std::unique_ptr<Table> table;
    Check(Table::Open(dir + "/" + TrackTable().file, options, &table));
    Check(table->OpenIndex(dir + "/" + TrackTable().indexFile));
    return table;
}

int Measure(const bench::CommandOptions& options) {
    const std::string dir = options.Get("keep");
    // --parts open,search,scan,list,insert,durable,pack picks measurements (all by default).
    const std::string parts =
        "," + options.Get("parts", "open,search,scan,list,insert,durable,pack") + ",";
    const auto want = [&](const char* part) {
        return parts.find("," + std::string(part) + ",") != std::string::npos;
    };
    const std::string tablePath = dir + "/" + TrackTable().file,
                      indexPath = dir + "/" + TrackTable().indexFile;
    std::printf("table: %.1f MB, index: %.1f MB, together %.1f MB\n", FileMb(tablePath),
                FileMb(indexPath), FileMb(tablePath) + FileMb(indexPath));

    // Opening: the median of repeated opens of the table with its index file.
    std::vector<double> opens;
    for (int i = 0; i < (want("open") ? 50 : 1); ++i) {
        auto t = Clock::now();
        auto table = OpenTracks(dir, false);
        opens.push_back(Seconds(t));
    }
    std::sort(opens.begin(), opens.end());
    std::printf("open table and index (median of 50): %.3f ms\n", opens[opens.size() / 2] * 1e3);

    // --exclusive 1 measures a table in exclusive use (no locks taken, nothing re-read per call).
    auto table = OpenTracks(dir, options.Get("exclusive", "0") == "1");
    const Schema& s = table->schema();
    const FieldDef& artiest = s[size_t(s.Find("ARTIEST"))];
    const FieldDef& titel = s[size_t(s.Find("TITEL"))];
    std::mt19937_64 rng(42);
    Cursor cursor(table.get());

    // 1,000 artist-prefix searches on tag 1, each walking every hit and reading two fields.
    Check(cursor.SetOrder("1"));
    uint64_t hits = 0, bytes = 0;
    auto t = Clock::now();
    for (int i = 0; i < (want("search") ? 1000 : 0); ++i) {
        std::string prefix;
        for (int k = 0, n = 2 + int(rng() % 2); k < n; ++k)
            prefix.push_back(char('A' + rng() % 26));
        bool found = false;
        Check(cursor.Seek(reinterpret_cast<const uint8_t*>(prefix.data()), prefix.size(), &found));
        while (found && !cursor.Eof()) {
            std::string a = GetText(cursor.record(), artiest), b = GetText(cursor.record(), titel);
            bytes += a.size() + b.size();
            ++hits;
            Check(cursor.Skip(1));
            if (cursor.Eof())
                break;
            uint8_t first[3];
            for (size_t k = 0; k < prefix.size(); ++k)
                first[k] = table->codePage().Upper(cursor.record()[artiest.offset + k]);
            if (std::memcmp(first, prefix.data(), prefix.size()) != 0)
                break;
        }
    }
    // The bytes read are printed so that the reads cannot be optimised away.
    std::printf(
        "1000 artist prefix searches: %.3f s (%llu hits walked, %llu bytes of ARTIEST and TITEL)\n",
        Seconds(t), static_cast<unsigned long long>(hits), static_cast<unsigned long long>(bytes));

    // Word-part scan: every TITEL tested for "OVE" without regard to case.
    CaseInsensitiveFinder finder(table->codePage(), "ove");
    uint64_t matches = 0;
    std::vector<double> scans;
    for (int round = 0; round < (want("scan") ? 5 : 1); ++round) {
        matches = 0;
        t = Clock::now();
        Check(table->ScanRecords(1, [&](uint32_t, const uint8_t* rec) {
            if (finder.FoundIn(rec + titel.offset, titel.length))
                ++matches;
            return true;
        }));
        scans.push_back(Seconds(t));
    }
    std::sort(scans.begin(), scans.end());
    std::printf("word-part scan for OVE (median of 5): %.3f s (%llu matches)\n", scans[2],
                static_cast<unsigned long long>(matches));

    // 10,000 listings of one source's tracks in tag 10 order.
    Check(cursor.SetOrder("10"));
    const FieldDef& number = s[size_t(s.Find("CDNUMMER"))];
    std::vector<std::string> keys;
    Check(table->ScanRecords(1, [&](uint32_t recno, const uint8_t* rec) {
        if (recno % 97 != 0)
            return true;
        char buf[32];
        std::snprintf(buf, sizeof buf, "%10.0f", GetNumber(rec, number));
        keys.push_back(
            std::string(reinterpret_cast<const char*>(rec + s[size_t(s.Find("DRAGER"))].offset),
                        10) +
            buf);
        return true;
    }));
    uint64_t listed = 0;
    const size_t drager = s[size_t(s.Find("DRAGER"))].offset;
    t = Clock::now();
    for (int i = 0; i < (want("list") ? 10000 : 0); ++i) {
        const std::string& key = keys[rng() % keys.size()];
        const double wanted = std::atof(key.c_str() + 10);
        bool found = false;
        Check(cursor.Seek(reinterpret_cast<const uint8_t*>(key.data()), key.size(), &found));
        // A listing reads its tracks until the source changes.
        while (found && !cursor.Eof() &&
               std::memcmp(cursor.record() + drager, key.data(), 10) == 0 &&
               GetNumber(cursor.record(), number) == wanted) {
            ++listed;
            Check(cursor.Skip(1));
        }
    }
    std::printf("10000 source listings in tag 10 order: %.3f s (%llu tracks)\n", Seconds(t),
                static_cast<unsigned long long>(listed));

    // Single-track inserts with all 12 tags maintained: 10,000 as fast as they come, then 2,000
    // durable ones, each saved track put on the disk before the next.
    std::vector<uint8_t> rec(table->recordLength());
    const auto timeInserts = [&](int count, bool durable, const char* what) {
        std::vector<double> took;
        for (int i = 0; i < count; ++i) {
            Check(table->ReadRecord(uint32_t(1 + rng() % table->recordCount()), rec.data()));
            Check(SetText(rec.data(), titel, "Inserted " + std::to_string(rng() % 100000)));
            uint32_t recno = 0;
            auto ti = Clock::now();
            Check(table->Append(rec.data(), {}, &recno));
            if (durable)
                Check(table->Sync());
            took.push_back(Seconds(ti));
        }
        ReportLatencies(what, std::move(took));
    };
    timeInserts(want("insert") ? 10000 : 1, false, "single-track insert");
    if (want("durable")) {
        table->SetSyncAhead(true);  // as the program's tables do
        timeInserts(2000, true, "durable insert (synced)");
    }
    std::printf("resident memory: now %.1f MB, peak %.1f MB\n", MemoryKb("VmRSS:") / 1024.0,
                MemoryKb("VmHWM:") / 1024.0);
    table.reset();
    if (!want("pack"))
        return 0;

    // Delete 10% of the tracks, then pack (which rebuilds every tag).
    table = OpenTracks(dir, true);
    t = Clock::now();
    for (uint32_t r = 1; r <= table->recordCount(); r += 10)
        Check(table->SetDeleted(r, true));
    std::printf("delete 10%% of the tracks: %.3f s\n", Seconds(t));
    t = Clock::now();
    Check(table->Pack(nullptr));
    std::printf("pack and reindex: %.3f s (%u tracks left)\n", Seconds(t), table->recordCount());
    std::printf("table: %.1f MB, index: %.1f MB after pack\n", FileMb(tablePath),
                FileMb(indexPath));
    std::printf("resident memory at the end: now %.1f MB, peak %.1f MB\n",
                MemoryKb("VmRSS:") / 1024.0, MemoryKb("VmHWM:") / 1024.0);
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: tunelo_bench generate|load|measure [--option value]...\n");
        return 2;
    }
    const bench::CommandOptions options("tunelo_bench", argc, argv);
    const std::string command = argv[1];
    if (command == "generate")
        return Generate(options);
    if (command == "load")
        return Load(options);
    if (command == "measure")
        return Measure(options);
    std::fprintf(stderr, "tunelo_bench: unknown command %s\n", command.c_str());
    return 2;
}
