// disc_bench: identifying a disc offline, on a big catalogue and a big disc data folder.
//   disc_bench titles FOLDER          gives every source of the catalogue's tracks a main title
//                                     with a CD ID (RMNR), unless it has main titles already
//                                     (changes FOLDER: give it a copy)
//   disc_bench match FOLDER [SAMPLES] the catalogue's match of SAMPLES discs (default 1,000) of
//                                     sources without sides: by CD ID, by track times, and of
//                                     discs the catalogue does not hold
//   disc_bench discdata DIR COUNT [SAMPLES]
//                                     writes COUNT xmcd records of generated discs into the genre
//                                     folders of DIR (unless DIR holds them already), then looks
//                                     up SAMPLES of them (default 1,000) and as many unknown IDs
// Figures go to stdout: how many runs, and the median, 99th percentile and slowest in ms.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "base/text.h"
#include "base/work_dir.h"
#include "bench_clock.h"
#include "platform/discinfo/disc_data_folder.h"
#include "platform/xbase/cursor.h"
#include "platform/xbase/field_codec.h"
#include "split_mix.h"
#include "store/catalogue.h"
#include "store/disc_match.h"
#include "store/source_key.h"
#include "store/table_error.h"
#include "store/track_time.h"

namespace {

using Steady = std::chrono::steady_clock;

using Random = bench::SplitMix;

// Wall and processor time of each run: on a shared machine the wall time waits for the others.
struct Runs {
    std::vector<double> wall, cpu;
    template <typename Work>
    auto Time(Work work) {
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = CpuMs();
        auto result = work();
        wall.push_back(Ms(start));
        cpu.push_back(CpuMs() - cpuStart);
        return result;
    }
};

void Report(const char* what, Runs runs) {
    if (runs.wall.empty())
        return;
    for (std::vector<double>* ms : {&runs.wall, &runs.cpu})
        std::sort(ms->begin(), ms->end());
    const size_t n = runs.wall.size();
    std::printf(
        "%s: %zu runs, wall median %.3f ms, p99 %.3f ms, max %.3f ms; processor median "
        "%.3f ms, p99 %.3f ms\n",
        what, n, runs.wall[n / 2], runs.wall[n * 99 / 100], runs.wall.back(), runs.cpu[n / 2],
        runs.cpu[n * 99 / 100]);
}

// A disc whose tracks last the given seconds, each with some frames over.
discinfo::DiscQuery DiscOfSeconds(const std::vector<int>& seconds, Random& r) {
    discinfo::DiscQuery q;
    int at = 150;
    for (int s : seconds) {
        q.offsets.push_back(at);
        at += s * 75 + int(r.Below(75));
    }
    q.leadOut = at;
    return q;
}

// ---- the catalogue

struct Source {
    std::string carrier;
    int64_t number = 0;
    std::vector<int> seconds;
    bool sides = false;
};

// Every source of the track table, in key order, with its track times.
std::vector<Source> ReadSources(Catalogue& catalogue) {
    TTable& art = catalogue.dm1.ArtTable;
    xbase::Cursor walk(&art.table());
    ThrowIfError(walk.SetOrder("10"));
    ThrowIfError(walk.GoTop());
    const xbase::FieldDef& carrier = art.Field("DRAGER");
    const xbase::FieldDef& number = art.Field("CDNUMMER");
    const xbase::FieldDef& side = art.Field("AKANT");
    const xbase::FieldDef& minutes = art.Field("MINUTEN");
    const xbase::FieldDef& seconds = art.Field("SECONDEN");
    std::vector<Source> sources;
    std::string last;
    for (; !walk.Eof(); ThrowIfError(walk.Skip(1))) {
        const uint8_t* rec = walk.record();
        const std::string key = SourceSeekKey(xbase::GetText(rec, carrier),
                                              std::string_view(xbase::GetText(rec, number)));
        if (key != last) {
            sources.push_back({Trim(xbase::GetText(rec, carrier)),
                               std::atoll(xbase::GetText(rec, number).c_str()),
                               {},
                               false});
            last = key;
        }
        sources.back().sides |= !IsBlank(xbase::GetText(rec, side));
        sources.back().seconds.push_back(int(TimePart(xbase::GetText(rec, minutes)) * 60 +
                                             TimePart(xbase::GetText(rec, seconds))));
    }
    return sources;
}

std::string CdIdOf(size_t index) {
    return std::to_string(10000000 + index * 7919);
}

int Titles(const std::string& folder) {
    Catalogue catalogue(folder);
    catalogue.OpenIndexes();
    TTable& hf = catalogue.dm2.HfTable;
    if (hf.table().recordCount() > 0) {
        std::printf("main titles: already there\n");
        return 0;
    }
    const std::vector<Source> sources = ReadSources(catalogue);
    const auto start = Steady::now();
    for (size_t i = 0; i < sources.size(); ++i) {
        hf.Insert();
        hf.SetFieldAsString("DRAGER", sources[i].carrier);
        hf.SetFieldAsInteger("CDNUMMER", sources[i].number);
        hf.SetFieldAsString("HTITEL", "Title " + std::to_string(i));
        hf.SetFieldAsString("HOOFDART", "Artist " + std::to_string(i % 20000));
        hf.SetFieldAsString("RMNR", CdIdOf(i));
        hf.Post();
    }
    hf.Sync();
    std::printf("main titles: %zu written in %.1f s\n", sources.size(), Ms(start) / 1000);
    return 0;
}

int Match(const std::string& folder, int samples) {
    Catalogue catalogue(folder, Catalogue::Access::ReadOnly);
    catalogue.OpenIndexes();
    const std::vector<Source> sources = ReadSources(catalogue);
    std::vector<size_t> picked;
    // Sources on sides (LP, MC) number their tracks per side: no CD is one of them.
    for (size_t i = 0; i < sources.size() && picked.size() < size_t(samples);
         i += std::max<size_t>(1, sources.size() / size_t(2 * samples))) {
        if (!sources[i].sides)
            picked.push_back(i);
    }
    std::printf("catalogue: %u tracks, %zu sources, %u main titles; %zu sample discs\n",
                catalogue.dm1.ArtTable.table().recordCount(), sources.size(),
                catalogue.dm2.HfTable.table().recordCount(), picked.size());
    Random r(7);
    Runs byId, byTimes, unknown;
    size_t idFound = 0, timesFound = 0, candidates = 0, strays = 0;
    for (size_t i : picked) {
        const Source& s = sources[i];
        const std::string reference = s.carrier + " " + std::to_string(s.number);
        discinfo::DiscQuery q = DiscOfSeconds(s.seconds, r);
        q.cdId = CdIdOf(i);
        std::vector<discinfo::DiscCandidate> found =
            byId.Time([&] { return FindDiscInCatalogue(catalogue, q); });
        idFound += found.size() == 1 && found[0].reference == reference && found[0].byIdentity;

        q.cdId.clear();
        found = byTimes.Time([&] { return FindDiscInCatalogue(catalogue, q); });
        candidates += found.size();
        timesFound += std::any_of(found.begin(), found.end(),
                                  [&](const auto& c) { return c.reference == reference; });

        std::vector<int> seconds(s.seconds.size());
        for (int& t : seconds)
            t = 60 + int(r.Below(480));
        const discinfo::DiscQuery other = DiscOfSeconds(seconds, r);
        strays += unknown.Time([&] { return FindDiscInCatalogue(catalogue, other); }).size();
    }
    Report("match by CD ID", byId);
    Report("match by track times", byTimes);
    Report("match of discs not held", unknown);
    std::printf(
        "found by CD ID: %zu of %zu; by times: %zu of %zu (%zu candidates in all); "
        "candidates for discs not held: %zu\n",
        idFound, picked.size(), timesFound, picked.size(), candidates, strays);
    return idFound == picked.size() && timesFound == picked.size() ? 0 : 1;
}

// ---- the disc data folder

const std::array<const char*, 11> kGenres = {"blues",  "classical", "country",   "data",
                                             "folk",   "jazz",      "misc",      "newage",
                                             "reggae", "rock",      "soundtrack"};

struct GeneratedDisc {
    discinfo::DiscQuery query;
};

int DigitSum(int n) {
    int sum = 0;
    for (; n > 0; n /= 10)
        sum += n % 10;
    return sum;
}

// Disc `index` of the folder: the same index gives the same disc.
GeneratedDisc DiscNumber(uint64_t index) {
    Random r(index * 0x9E3779B97F4A7C15ull + 1);
    std::vector<int> seconds(size_t(8 + int(r.Below(13))));
    for (int& s : seconds)
        s = 90 + int(r.Below(360));
    GeneratedDisc disc{DiscOfSeconds(seconds, r)};
    discinfo::DiscQuery& q = disc.query;
    int checksum = 0;
    for (int offset : q.offsets)
        checksum += DigitSum(offset / 75);
    const int length = q.leadOut / 75 - q.offsets.front() / 75;
    char id[9];
    std::snprintf(id, sizeof id, "%08x",
                  unsigned((checksum % 255) << 24 | length << 8 | int(q.offsets.size())));
    q.freedbId = id;
    return disc;
}

std::string RecordText(const GeneratedDisc& disc, uint64_t index) {
    std::string text = "# xmcd\n#\n# Track frame offsets:\n";
    for (int offset : disc.query.offsets)
        text += "#\t" + std::to_string(offset) + "\n";
    text += "#\n# Disc length: " + std::to_string(disc.query.lengthSeconds()) +
            " seconds\n#\n# Revision: 0\n# Submitted via: disc_bench 1.0\n#\nDISCID=" +
            disc.query.freedbId + "\nDTITLE=Artist " + std::to_string(index % 50000) + " / Album " +
            std::to_string(index) + "\nDYEAR=" + std::to_string(1960 + index % 60) + "\nDGENRE=\n";
    for (size_t t = 0; t < disc.query.offsets.size(); ++t)
        text += "TTITLE" + std::to_string(t) + "=Song " + std::to_string(t + 1) + " of album " +
                std::to_string(index) + "\n";
    text += "EXTD=\n";
    for (size_t t = 0; t < disc.query.offsets.size(); ++t)
        text += "EXTT" + std::to_string(t) + "=\n";
    return text + "PLAYORDER=\n";
}

int DiscData(const std::string& dir, uint64_t count, int samples) {
    const std::string done = dir + "/.written-" + std::to_string(count);
    if (!std::filesystem::exists(done)) {
        const auto start = Steady::now();
        std::filesystem::remove_all(dir);
        for (const char* genre : kGenres)
            std::filesystem::create_directories(dir + "/" + genre);
        for (uint64_t i = 0; i < count; ++i) {
            const GeneratedDisc disc = DiscNumber(i);
            const std::string text = RecordText(disc, i);
            // A disc whose ID another disc of its genre has goes to the next genre that has none,
            // as the published dumps hold colliding discs.
            size_t genre = size_t(i % kGenres.size());
            int fd = -1;
            for (size_t tried = 0; tried < kGenres.size() && fd < 0; ++tried) {
                const std::string path = dir + "/" + kGenres[(genre + tried) % kGenres.size()] +
                                         "/" + disc.query.freedbId;
                fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
                if (fd < 0 && errno != EEXIST) {
                    std::perror(path.c_str());
                    return 2;
                }
            }
            if (fd < 0)
                continue;  // eleven discs of one ID: the twelfth is left out
            const bool written = ::write(fd, text.data(), text.size()) == ssize_t(text.size());
            ::close(fd);
            if (!written) {
                std::perror(dir.c_str());
                return 2;
            }
        }
        std::ofstream(done) << count << "\n";
        std::printf("disc data: %llu records written in %.1f s\n", (unsigned long long)count,
                    Ms(start) / 1000);
    }
    uint64_t files = 0;
    for (const char* genre : kGenres) {
        for (const auto& entry : std::filesystem::directory_iterator(dir + "/" + genre)) {
            (void)entry;
            ++files;
        }
    }
    std::printf("disc data: %llu files in %zu genre folders\n", (unsigned long long)files,
                kGenres.size());
    Runs known, unknown;
    size_t own = 0;
    for (int k = 0; k < samples; ++k) {
        const uint64_t index = uint64_t(k) * (count / uint64_t(samples));
        const GeneratedDisc disc = DiscNumber(index);
        std::string error;
        const std::vector<discinfo::DiscCandidate> found =
            known.Time([&] { return discinfo::LookUpDiscData(dir, disc.query, &error); });
        const bool ownFound = std::any_of(found.begin(), found.end(), [&](const auto& c) {
            return c.title == "Album " + std::to_string(index);
        });
        own += ownFound;
        if (!ownFound && own + 3 > size_t(k))
            std::printf("not found: disc %llu, ID %s, %zu candidates, %s\n",
                        (unsigned long long)index, disc.query.freedbId.c_str(), found.size(),
                        error.c_str());
        discinfo::DiscQuery missing = disc.query;
        missing.freedbId.replace(6, 2, "63");  // 99 tracks: no generated disc has as many
        unknown.Time([&] { return discinfo::LookUpDiscData(dir, missing, &error); });
    }
    Report("disc data look-up of a record", known);
    Report("disc data look-up of an unknown ID", unknown);
    std::printf("found its own record: %zu of %d\n", own, samples);
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr,
                     "usage: disc_bench titles FOLDER | match FOLDER [SAMPLES] | discdata DIR "
                     "COUNT [SAMPLES]\n");
        return 2;
    }
    const std::string command = argv[1];
    const std::string folder = argv[2];
    try {
        if (command == "titles") {
            SetWorkDir(folder);
            return Titles(folder);
        }
        if (command == "match") {
            SetWorkDir(folder);
            return Match(folder, argc > 3 ? std::atoi(argv[3]) : 1000);
        }
        if (command == "discdata" && argc > 3)
            return DiscData(folder, std::strtoull(argv[3], nullptr, 10),
                            argc > 4 ? std::atoi(argv[4]) : 1000);
    } catch (const TableError& e) {
        std::fprintf(stderr, "disc_bench: %s\n", e.what());
        return 2;
    }
    std::fprintf(stderr, "disc_bench: unknown command %s\n", command.c_str());
    return 2;
}
