// The online look-up against a local server playing MusicBrainz and gnudb, with answers written
// from the services' published documentation (data/).
#include <gtest/gtest.h>

#include <QFile>
#include <QSignalSpy>
#include <functional>

#include "platform/discinfo_online/online_lookup.h"
#include "support/local_http_server.h"

namespace discinfo {
namespace {

const char kDiscId[] = "Tx3dpKX1bNkVqPa0LmR5u.gZ9cE-";

QByteArray Fixture(const char* name) {
    QFile file(QStringLiteral(TUNELO_SOURCE_DIR "/tests/platform/discinfo_online/data/") + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

DiscQuery ThreeTrackDisc() {
    DiscQuery disc;
    disc.musicBrainzId = kDiscId;
    disc.freedbId = "1a02b503";
    disc.offsets = {150, 15000, 30000};
    disc.leadOut = 45000;
    return disc;
}

// What a look-up ended with.
struct Outcome {
    std::vector<DiscCandidate> found;
    QString error;
    int finishedCount = 0;
};

Outcome LookUp(OnlineLookup& lookup, const DiscQuery& disc, int waitMs = 5000) {
    QSignalSpy spy(&lookup, &OnlineLookup::Finished);
    lookup.Start(disc);
    Outcome outcome;
    if (spy.wait(waitMs)) {
        outcome.found = spy.at(0).at(0).value<std::vector<DiscCandidate>>();
        outcome.error = spy.at(0).at(1).toString();
    }
    outcome.finishedCount = int(spy.count());
    return outcome;
}

HttpAnswer Reply(int status, QByteArray body, int delayMs = 0) {
    HttpAnswer answer;
    answer.status = status;
    answer.body = std::move(body);
    answer.delayMs = delayMs;
    return answer;
}

OnlineServices ServicesOf(const LocalHttpServer& server) {
    OnlineServices services;
    services.musicBrainz = server.url();
    services.gnudb = server.url();
    services.minIntervalMs = 0;
    services.retryAfterMs = 0;
    return services;
}

// gnudb's cgi: the answer for a query, and a read per "category discid".
void ServeGnudb(LocalHttpServer& server, QByteArray queryAnswer) {
    server.Handle("/~cddb/cddb.cgi", [queryAnswer](const HttpRequest& request) {
        HttpAnswer answer;
        if (request.query.startsWith("cmd=cddb+query+1a02b503+3+150+15000+30000+600&"))
            answer.body = queryAnswer;
        else if (request.query.startsWith("cmd=cddb+read+rock+1a02b503&"))
            answer.body = Fixture("cddb_read_rock.txt");
        else if (request.query.startsWith("cmd=cddb+read+jazz+1a02b504&"))
            answer.body = Fixture("cddb_read_jazz.txt");
        else if (request.query.startsWith("cmd=cddb+read+misc+1a02b503&"))
            answer.body = Fixture("cddb_read_rock.txt").replace("210 rock", "210 misc");
        else
            answer.body = "500 Unrecognized command\r\n";
        return answer;
    });
}

std::vector<std::string> TitlesOf(const std::vector<DiscCandidate>& found) {
    std::vector<std::string> titles;
    for (const DiscCandidate& candidate : found)
        titles.push_back(std::string(OriginName(candidate.origin)) + ": " + candidate.title);
    return titles;
}

TEST(OnlineLookupTest, AsksEachServiceInTurnAndSaysWhyNothingCame) {
    const QByteArray discPath = QByteArray("/ws/2/discid/") + kDiscId;
    const struct {
        const char* name;
        std::function<void(LocalHttpServer&)> serve;
        std::vector<std::string> found;
        const char* error;  // a part of it; "" for none
        std::vector<const char*> paths;
    } cases[] = {
        {"by disc ID",
         [&](LocalHttpServer& s) { s.Serve(discPath, Reply(200, Fixture("mb_disc.json"))); },
         {"MusicBrainz: Harbour Lights"},
         "",
         {discPath}},
        {"unknown ID, then by table of contents, several releases",
         [](LocalHttpServer& s) { s.Serve("/ws/2/discid/-", Reply(200, Fixture("mb_toc.json"))); },
         {"MusicBrainz: Salt Roads", "MusicBrainz: Salt Roads (Remastered)"},
         "",
         {discPath, "/ws/2/discid/-"}},
        {"MusicBrainz has nothing, gnudb lists two",
         [](LocalHttpServer& s) { ServeGnudb(s, Fixture("cddb_query_211.txt")); },
         {"gnudb: Salt Roads", "gnudb: Harbour Nights"},
         "",
         {discPath, "/ws/2/discid/-", "/~cddb/cddb.cgi", "/~cddb/cddb.cgi", "/~cddb/cddb.cgi"}},
        {"gnudb's one exact match",
         [](LocalHttpServer& s) {
             s.Serve("/ws/2/discid/-", Reply(200, R"({"release-count":0,"releases":[]})"));
             ServeGnudb(s, Fixture("cddb_query_200.txt"));
         },
         {"gnudb: Salt Roads"},
         "",
         {discPath, "/ws/2/discid/-", "/~cddb/cddb.cgi", "/~cddb/cddb.cgi"}},
        {"nowhere",
         [](LocalHttpServer& s) { ServeGnudb(s, Fixture("cddb_query_202.txt")); },
         {},
         "",
         {discPath, "/ws/2/discid/-", "/~cddb/cddb.cgi"}},
        {"malformed JSON",
         [&](LocalHttpServer& s) { s.Serve(discPath, Reply(200, R"({"releases": [{"title": )")); },
         {},
         "MusicBrainz sent a malformed answer",
         {discPath, "/~cddb/cddb.cgi"}},
        {"releases not a list",
         [&](LocalHttpServer& s) { s.Serve(discPath, Reply(200, R"({"releases": 3})")); },
         {},
         "malformed",
         {discPath, "/~cddb/cddb.cgi"}},
        {"malformed CDDB",
         [](LocalHttpServer& s) { ServeGnudb(s, "211 list\r\nnot-a-match\r\n."); },
         {},
         "gnudb sent a malformed answer",
         {discPath, "/ws/2/discid/-", "/~cddb/cddb.cgi"}},
        {"gnudb refuses the greeting",
         [](LocalHttpServer& s) { ServeGnudb(s, "409 No handshake\r\n"); },
         {},
         "gnudb refused the greeting",
         {discPath, "/ws/2/discid/-", "/~cddb/cddb.cgi"}},
        {"an answer too long",
         [&](LocalHttpServer& s) { s.Serve(discPath, Reply(200, QByteArray(5000, ' ') + "{}")); },
         {},
         "MusicBrainz sent an answer too long to read",
         {discPath, "/~cddb/cddb.cgi"}},
        {"a slow answer",
         [&](LocalHttpServer& s) { s.Serve(discPath, Reply(200, "{}", 3000)); },
         {},
         "MusicBrainz did not answer within 0.3 s",
         {discPath, "/~cddb/cddb.cgi"}},
        {"busy, then found",
         [&](LocalHttpServer& s) {
             s.Handle(discPath, [calls = 0](const HttpRequest&) mutable {
                 return ++calls == 1 ? HttpAnswer{503, "", {{"Retry-After", "0"}}, 0}
                                     : Reply(200, Fixture("mb_disc.json"));
             });
         },
         {"MusicBrainz: Harbour Lights"},
         "",
         {discPath, discPath}},
        {"busy twice",
         [&](LocalHttpServer& s) { s.Serve(discPath, Reply(503, "")); },
         {},
         "MusicBrainz is busy",
         {discPath, discPath, "/~cddb/cddb.cgi"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LocalHttpServer server;
        c.serve(server);
        OnlineServices services = ServicesOf(server);
        services.timeoutMs = 300;
        services.maxAnswerBytes = 4000;
        OnlineLookup lookup(services);
        const Outcome outcome = LookUp(lookup, ThreeTrackDisc());
        EXPECT_EQ(outcome.finishedCount, 1);
        EXPECT_EQ(TitlesOf(outcome.found), c.found);
        EXPECT_TRUE(outcome.error.contains(c.error)) << outcome.error.toStdString();
        EXPECT_EQ(outcome.error.isEmpty(), *c.error == 0) << outcome.error.toStdString();
        std::vector<QByteArray> paths;
        for (const HttpRequest& request : server.requests())
            paths.push_back(request.path);
        EXPECT_EQ(paths, std::vector<QByteArray>(c.paths.begin(), c.paths.end()));
        EXPECT_FALSE(lookup.busy());
    }
}

// What is asked carries the disc's IDs and table of contents, and the program's name.
TEST(OnlineLookupTest, SendsTheDiscAndTheUserAgentTheServicesAskFor) {
    LocalHttpServer server;
    ServeGnudb(server, Fixture("cddb_query_202.txt"));
    OnlineLookup lookup(ServicesOf(server));
    LookUp(lookup, ThreeTrackDisc());
    ASSERT_EQ(server.requests().size(), 3u);
    const QByteArray include = "inc=recordings+artist-credits+labels&fmt=json&cdstubs=no";
    EXPECT_EQ(server.requests()[0].query, include);
    EXPECT_EQ(server.requests()[1].query, "toc=1+3+45000+150+15000+30000&" + include);
    EXPECT_TRUE(server.requests()[2].query.endsWith(
        "&hello=user+localhost+Tunelo+" + OnlineLookup::UserAgent().mid(7, 5) + "&proto=6"))
        << server.requests()[2].query.toStdString();
    for (const HttpRequest& request : server.requests())
        EXPECT_EQ(request.headers.value("user-agent"), OnlineLookup::UserAgent());
    EXPECT_TRUE(OnlineLookup::UserAgent().startsWith("Tunelo/"));
    EXPECT_TRUE(OnlineLookup::UserAgent().contains("( http"));
}

TEST(OnlineLookupTest, ReleaseFieldsComeFromTheMediumHoldingTheDisc) {
    LocalHttpServer server;
    server.Serve(QByteArray("/ws/2/discid/") + kDiscId, Reply(200, Fixture("mb_disc.json")));
    OnlineLookup lookup(ServicesOf(server));
    const Outcome outcome = LookUp(lookup, ThreeTrackDisc());
    ASSERT_EQ(outcome.found.size(), 1u);
    const DiscCandidate& release = outcome.found[0];
    EXPECT_EQ(release.artist, "Anna Berg & Carl Dahl");
    EXPECT_EQ(release.year, "1994");
    EXPECT_EQ(release.label, "Nordljud");
    EXPECT_EQ(release.country, "SE");
    EXPECT_EQ(release.format, "Enhanced CD");
    EXPECT_EQ(release.reference, "6a1d2c6e-3b5f-4e0a-9d7c-1f2e3d4c5b6a");
    const std::vector<std::tuple<std::string, std::string, int>> tracks = {
        {"Pier", "", 198}, {"Lanterns", "Eva Falk", 200}, {"Tide", "", 200}};
    ASSERT_EQ(release.tracks.size(), tracks.size());
    for (size_t i = 0; i < tracks.size(); ++i) {
        EXPECT_EQ(release.tracks[i].title, std::get<0>(tracks[i]));
        EXPECT_EQ(release.tracks[i].artist, std::get<1>(tracks[i]));
        EXPECT_EQ(release.tracks[i].seconds, std::get<2>(tracks[i]));
    }
}

TEST(OnlineLookupTest, GnudbRecordsGiveTitlesArtistsAndTimes) {
    LocalHttpServer server;
    ServeGnudb(server, Fixture("cddb_query_211.txt"));
    OnlineServices services = ServicesOf(server);
    services.musicBrainz = QUrl();
    OnlineLookup lookup(services);
    const Outcome outcome = LookUp(lookup, ThreeTrackDisc());
    ASSERT_EQ(outcome.found.size(), 2u);
    const DiscCandidate& rock = outcome.found[0];
    EXPECT_EQ(rock.reference, "rock 1a02b503");
    EXPECT_EQ(rock.artist, "Ida Lund");
    EXPECT_EQ(rock.year, "2003");
    const DiscCandidate& jazz = outcome.found[1];
    EXPECT_EQ(jazz.artist, "Various");
    EXPECT_EQ(jazz.year, "");
    const std::vector<std::tuple<const DiscCandidate*, size_t, std::string, std::string, int>>
        tracks = {
            {&rock, 1, "East and a very long title that the record spreads over two lines", "",
             200},
            {&rock, 2, "West Wind", "", 200},
            {&jazz, 0, "Lanterns", "Eva Falk", 198},
            {&jazz, 1, "Pier", "Carl Dahl", 201},
            {&jazz, 2, "Tide", "", 199},
        };
    for (const auto& [candidate, index, title, artist, seconds] : tracks) {
        ASSERT_LT(index, candidate->tracks.size());
        EXPECT_EQ(candidate->tracks[index].title, title);
        EXPECT_EQ(candidate->tracks[index].artist, artist);
        EXPECT_EQ(candidate->tracks[index].seconds, seconds);
    }
}

TEST(OnlineLookupTest, RequestsToOneServiceKeepTheirDistance) {
    LocalHttpServer server;
    server.Serve("/ws/2/discid/-", Reply(200, Fixture("mb_toc.json")));
    OnlineServices services = ServicesOf(server);
    services.minIntervalMs = 300;
    OnlineLookup lookup(services);
    ASSERT_EQ(LookUp(lookup, ThreeTrackDisc()).found.size(), 2u);
    // The next look-up keeps the distance too.
    LookUp(lookup, ThreeTrackDisc());
    ASSERT_EQ(server.requests().size(), 4u);
    for (size_t i = 1; i < 4; ++i)
        EXPECT_GE(server.requests()[i].atMs - server.requests()[i - 1].atMs, 290) << i;
}

// A look-up cancelled, or replaced by a new one, never reports; a late answer is dropped.
TEST(OnlineLookupTest, CancelledOrReplacedLookUpsNeverReport) {
    LocalHttpServer server;
    server.Serve(QByteArray("/ws/2/discid/") + kDiscId, Reply(200, Fixture("mb_disc.json"), 200));
    server.Serve("/ws/2/discid/Other", Reply(200, Fixture("mb_toc.json")));
    OnlineLookup lookup(ServicesOf(server));
    QSignalSpy spy(&lookup, &OnlineLookup::Finished);
    lookup.Start(ThreeTrackDisc());
    lookup.Cancel();
    EXPECT_FALSE(lookup.busy());
    EXPECT_FALSE(spy.wait(500));

    lookup.Start(ThreeTrackDisc());
    DiscQuery other = ThreeTrackDisc();
    other.musicBrainzId = "Other";
    lookup.Start(other);
    ASSERT_TRUE(spy.wait(2000));
    EXPECT_FALSE(spy.wait(500));
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(TitlesOf(spy.at(0).at(0).value<std::vector<DiscCandidate>>()).size(), 2u);
}

}  // namespace
}  // namespace discinfo
