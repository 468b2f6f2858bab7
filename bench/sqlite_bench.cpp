// tunelo_sqlite_bench: the single-track inserts of `tunelo_bench measure` done on SQLite, on the
// same tracks with indexes equivalent to the 12 tags of INDEX1.CDX, to put our figures next to
// a well-known engine's on the same machine.
//   tunelo_sqlite_bench load --csv FILE.csv --db FILE.db    one table of artdat.dat's 16 fields,
//                                                            the CSV's rows, the 12 indexes
//   tunelo_sqlite_bench measure --db COPY.db [--journal wal|delete]
// Figures go to stdout in tunelo_bench's format. `measure` adds 12,000 rows: run it on a copy.
#include <sqlite3.h>

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
#include "platform/xbase/csv/csv_reader.h"
#include "store/catalogue_schema.h"

using Clock = std::chrono::steady_clock;

namespace {

double Seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "tunelo_sqlite_bench: %s\n", what.c_str());
    std::exit(2);
}

void Check(sqlite3* db, int rc, const char* doing) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        Fail(std::string(doing) + ": " + sqlite3_errmsg(db));
}

void Exec(sqlite3* db, const std::string& sql) {
    Check(db, sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), sql.c_str());
}

sqlite3_stmt* Prepare(sqlite3* db, const std::string& sql) {
    sqlite3_stmt* stmt = nullptr;
    Check(db, sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr), sql.c_str());
    return stmt;
}

// The single text value a statement such as "PRAGMA journal_mode=wal" answers with.
std::string Query(sqlite3* db, const std::string& sql) {
    sqlite3_stmt* stmt = Prepare(db, sql);
    std::string value;
    if (sqlite3_step(stmt) == SQLITE_ROW && sqlite3_column_text(stmt, 0))
        value = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
    sqlite3_finalize(stmt);
    return value;
}

double FileMb(const std::string& path) {
    return double(std::filesystem::file_size(path)) / 1e6;
}

// A tag expression as index columns: "UPPER(DRAGER)+STR(CDNUMMER)+AKANT" becomes
// "UPPER(DRAGER), CDNUMMER, AKANT". A tag key is its parts padded to fixed widths and joined,
// so it sorts as the parts do one after another: a multi-column index orders the rows alike
// (UPPER aside, which SQLite applies to ASCII letters only). STR() of a number sorts as the
// number does for the non-negative whole numbers CDNUMMER and TRACK hold.
std::string IndexColumns(const std::string& expression) {
    std::string columns;
    size_t start = 0;
    while (start <= expression.size()) {
        size_t end = expression.find('+', start);
        if (end == std::string::npos)
            end = expression.size();
        std::string part = expression.substr(start, end - start);
        if (part.rfind("STR(", 0) == 0 && part.back() == ')')
            part = part.substr(4, part.size() - 5);
        else if (part.find('(') != std::string::npos && part.rfind("UPPER(", 0) != 0)
            Fail("no index column for " + part + " in " + expression);
        columns += (columns.empty() ? "" : ", ") + part;
        start = end + 1;
    }
    return columns;
}

int Load(const bench::CommandOptions& options) {
    const std::string path = options.Get("db"), csvPath = options.Get("csv");
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        std::filesystem::remove(path + suffix);
    sqlite3* db = nullptr;
    if (sqlite3_open(path.c_str(), &db) != SQLITE_OK)
        Fail(path + ": cannot create");
    // The bulk load needs no crash safety; the measurement sets its own modes.
    Exec(db, "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF");
    const TableDefinition& def = TrackTable();
    std::string create = "CREATE TABLE tracks (";
    for (const xbase::FieldSpec& f : def.fields)
        create += f.name +
                  (f.type == 'N' ? " INTEGER NOT NULL DEFAULT 0, " : " TEXT NOT NULL DEFAULT '', ");
    create.resize(create.size() - 2);
    Exec(db, create + ")");

    std::ifstream in(csvPath, std::ios::binary);
    if (!in)
        Fail(csvPath + ": cannot open");
    xbase::CsvReader reader(in);
    std::vector<std::string> header, cells;
    std::string error;
    if (!reader.Next(&header, &error))
        Fail(csvPath + ": no header row " + error);
    std::vector<bool> numeric;
    std::string insert = "INSERT INTO tracks (", values;
    for (const std::string& name : header) {
        auto f = std::find_if(def.fields.begin(), def.fields.end(),
                              [&](const xbase::FieldSpec& s) { return name == s.name; });
        if (f == def.fields.end())
            Fail(csvPath + ": the table has no field " + name);
        numeric.push_back(f->type == 'N');
        insert += (values.empty() ? "" : ", ") + name;
        values += values.empty() ? "?" : ", ?";
    }
    sqlite3_stmt* stmt = Prepare(db, insert + ") VALUES (" + values + ")");
    auto start = Clock::now();
    Exec(db, "BEGIN");
    uint64_t rows = 0;
    while (reader.Next(&cells, &error)) {
        if (cells.size() != header.size())
            Fail(csvPath + ": line " + std::to_string(reader.line()) + " has the wrong width");
        for (size_t i = 0; i < cells.size(); ++i) {
            if (numeric[i])
                sqlite3_bind_int64(stmt, int(i + 1), std::atoll(cells[i].c_str()));
            else
                sqlite3_bind_text(stmt, int(i + 1), cells[i].data(), int(cells[i].size()),
                                  SQLITE_STATIC);
        }
        Check(db, sqlite3_step(stmt), "insert");
        sqlite3_reset(stmt);
        ++rows;
    }
    if (!error.empty())
        Fail(csvPath + ": line " + std::to_string(reader.line()) + ": " + error);
    Exec(db, "COMMIT");
    sqlite3_finalize(stmt);
    const double loaded = Seconds(start);
    auto building = Clock::now();
    for (const TagDefinition& tag : def.tags)
        Exec(db,
             "CREATE INDEX tag" + tag.name + " ON tracks (" + IndexColumns(tag.expression) + ")");
    const double built = Seconds(building);
    sqlite3_close(db);
    std::printf("tracks: %llu\ncsv to table: %.3f s\n12 indexes: %.3f s\ndatabase: %.1f MB\n",
                static_cast<unsigned long long>(rows), loaded, built, FileMb(path));
    return 0;
}

int Measure(const bench::CommandOptions& options) {
    const std::string path = options.Get("db");
    const std::string journal = options.Get("journal", "wal");
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        Fail(path + ": cannot open");
    std::printf("database: %.1f MB, SQLite %s\n", FileMb(path), sqlite3_libversion());
    // Without sync in WAL mode by default, as the durable run: the two runs then differ in the
    // sync alone, and WAL is SQLite's quicker mode for small transactions. In the default rollback
    // mode each insert also creates, fills and deletes a journal file (--journal delete).
    const std::string mode = Query(db, "PRAGMA journal_mode=" + journal);
    Exec(db, "PRAGMA synchronous=OFF");
    std::printf("without sync: journal_mode=%s, synchronous=OFF, cache_size=%s\n", mode.c_str(),
                Query(db, "PRAGMA cache_size").c_str());

    sqlite3_stmt* select = Prepare(db, "SELECT * FROM tracks WHERE rowid = ?");
    const int columns = sqlite3_column_count(select);
    std::string marks = "?";
    for (int c = 1; c < columns; ++c)
        marks += ", ?";
    sqlite3_stmt* insert = Prepare(db, "INSERT INTO tracks VALUES (" + marks + ")");
    int titel = -1;
    for (int c = 0; c < columns; ++c)
        titel = std::strcmp(sqlite3_column_name(select, c), "TITEL") == 0 ? c : titel;
    int64_t rowCount = std::stoll(Query(db, "SELECT max(rowid) FROM tracks"));

    // As tunelo_bench: the same seed, so the same rows are copied in the same order; only the
    // insert itself is timed (one statement in autocommit mode: a transaction of its own).
    std::mt19937_64 rng(42);
    const auto timeInserts = [&](int count, const char* what) {
        std::vector<double> took;
        for (int i = 0; i < count; ++i) {
            sqlite3_bind_int64(select, 1, int64_t(1 + rng() % uint64_t(rowCount)));
            if (sqlite3_step(select) != SQLITE_ROW)
                Fail("a row to copy is missing");
            for (int c = 0; c < columns; ++c)
                sqlite3_bind_value(insert, c + 1, sqlite3_column_value(select, c));
            const std::string title = "Inserted " + std::to_string(rng() % 100000);
            sqlite3_bind_text(insert, titel + 1, title.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_reset(select);
            auto ti = Clock::now();
            Check(db, sqlite3_step(insert), "insert");
            sqlite3_reset(insert);
            took.push_back(Seconds(ti));
            rowCount = sqlite3_last_insert_rowid(db);
        }
        ReportLatencies(what, std::move(took));
    };
    timeInserts(10000, "single-track insert");
    // Durable: every commit appends to the write-ahead log and syncs it before returning.
    const std::string durableMode = Query(db, "PRAGMA journal_mode=wal");
    Exec(db, "PRAGMA synchronous=FULL");
    std::printf("durable: journal_mode=%s, synchronous=FULL\n", durableMode.c_str());
    timeInserts(2000, "durable insert (synced)");
    sqlite3_finalize(select);
    sqlite3_finalize(insert);
    sqlite3_close(db);
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: tunelo_sqlite_bench load|measure [--option value]...\n");
        return 2;
    }
    const bench::CommandOptions options("tunelo_sqlite_bench", argc, argv);
    const std::string command = argv[1];
    if (command == "load")
        return Load(options);
    if (command == "measure")
        return Measure(options);
    Fail("unknown command " + command);
}
