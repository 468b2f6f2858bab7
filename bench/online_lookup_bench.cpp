// online_lookup_bench: what the online look-up itself costs, against a local server that answers
// at once: the time from Start to Finished for a disc MusicBrainz knows by its ID (one request),
// and for one only gnudb knows (five requests: disc ID, table of contents, query, two reads).
// Network and service times are left out; what remains is our own overhead.
//   online_lookup_bench [RUNS]
#include <QCoreApplication>
#include <QFile>
#include <QSignalSpy>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench_clock.h"
#include "platform/discinfo_online/online_lookup.h"
#include "support/local_http_server.h"

namespace {

using Steady = std::chrono::steady_clock;

QByteArray Fixture(const char* name) {
    QFile file(QStringLiteral(TUNELO_SOURCE_DIR "/tests/platform/discinfo_online/data/") + name);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "missing %s\n", name);
        std::exit(2);
    }
    return file.readAll();
}

void Measure(const char* what, const discinfo::OnlineServices& services, size_t expected,
             int runs) {
    discinfo::DiscQuery disc;
    disc.musicBrainzId = "Tx3dpKX1bNkVqPa0LmR5u.gZ9cE-";
    disc.freedbId = "1a02b503";
    disc.offsets = {150, 15000, 30000};
    disc.leadOut = 45000;
    discinfo::OnlineLookup lookup(services);
    QSignalSpy spy(&lookup, &discinfo::OnlineLookup::Finished);
    std::vector<double> wall;
    std::vector<double> cpu;
    for (int i = 0; i < runs; ++i) {
        spy.clear();
        const auto start = Steady::now();
        const double cpuStart = CpuMs();
        lookup.Start(disc);
        if (!spy.wait(5000) ||
            spy.at(0).at(0).value<std::vector<discinfo::DiscCandidate>>().size() != expected) {
            std::fprintf(stderr, "%s: no answer\n", what);
            std::exit(1);
        }
        wall.push_back(Ms(start));
        cpu.push_back(CpuMs() - cpuStart);
    }
    ReportRuns((std::string(what) + ", wall").c_str(), wall);
    ReportRuns((std::string(what) + ", processor").c_str(), cpu);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::atoi(argv[1]) : 200;
    LocalHttpServer musicBrainz;
    musicBrainz.Serve("/ws/2/discid/Tx3dpKX1bNkVqPa0LmR5u.gZ9cE-",
                      HttpAnswer(200, Fixture("mb_disc.json")));
    LocalHttpServer gnudb;
    gnudb.Handle("/~cddb/cddb.cgi", [](const HttpRequest& request) {
        if (request.query.startsWith("cmd=cddb+query"))
            return HttpAnswer(200, Fixture("cddb_query_211.txt"));
        return HttpAnswer(200, Fixture(request.query.contains("+rock+") ? "cddb_read_rock.txt"
                                                                        : "cddb_read_jazz.txt"));
    });
    discinfo::OnlineServices services;
    services.musicBrainz = musicBrainz.url();
    services.gnudb = gnudb.url();
    services.minIntervalMs = 0;
    Measure("found by disc ID (1 request)", services, 1, runs);
    services.musicBrainz = gnudb.url();  // knows no disc: 404 for both MusicBrainz requests
    Measure("found by gnudb (5 requests)", services, 2, runs);
    return 0;
}
