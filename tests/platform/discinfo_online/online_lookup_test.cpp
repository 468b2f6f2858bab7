// The online look-up against a local server playing MusicBrainz and gnudb, with answers written
// from the services' published documentation (data/).
#include <gtest/gtest.h>

#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <map>

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
    const std::map<QByteArray, QByteArray> answers = {
        {"cmd=cddb+query+1a02b503+3+150+15000+30000+600", queryAnswer},
        {"cmd=cddb+read+rock+1a02b503", Fixture("cddb_read_rock.txt")},
        {"cmd=cddb+read+jazz+1a02b504", Fixture("cddb_read_jazz.txt")}};
    server.Handle("/~cddb/cddb.cgi", [answers](const HttpRequest& request) {
        const auto it = answers.find(request.query.left(request.query.indexOf('&')));
        return HttpAnswer(200, it != answers.end() ? it->second : "500 Unrecognized command");
    });
}

// "origin: title" of each candidate, joined by '|'.
std::string TitlesOf(const std::vector<DiscCandidate>& found) {
    std::string titles;
    for (const DiscCandidate& candidate : found)
        titles += (titles.empty() ? "" : "|") + std::string(OriginName(candidate.origin)) + ": " +
                  candidate.title;
    return titles;
}

// The paths asked, one letter each: I the disc ID, T the table of contents, G gnudb.
std::string PathsAsked(const LocalHttpServer& server) {
    std::string asked;
    for (const HttpRequest& request : server.requests())
        asked += request.path == QByteArray("/ws/2/discid/-") ? 'T'
                 : request.path.startsWith("/ws/2/discid/")   ? 'I'
                 : request.path == "/~cddb/cddb.cgi"          ? 'G'
                                                              : '?';
    return asked;
}

TEST(OnlineLookupTest, AsksEachServiceInTurnAndSaysWhyNothingCame) {
    const QByteArray byId = QByteArray("/ws/2/discid/") + kDiscId;
    const QByteArray byToc = "/ws/2/discid/-";
    using Serve = std::function<void(LocalHttpServer&)>;
    const auto mb = [](QByteArray path, HttpAnswer answer) -> Serve {
        return [=](LocalHttpServer& s) { s.Serve(path, answer); };
    };
    const auto gnudb = [](QByteArray queryAnswer) -> Serve {
        return [=](LocalHttpServer& s) { ServeGnudb(s, queryAnswer); };
    };
    const struct {
        Serve serve;
        std::string found;
        const char* error;  // a part of it; "" for none
        std::string asked;
    } cases[] = {
        {mb(byId, HttpAnswer(200, Fixture("mb_disc.json"))), "MusicBrainz: Harbour Lights", "",
         "I"},
        {mb(byToc, HttpAnswer(200, Fixture("mb_toc.json"))),
         "MusicBrainz: Salt Roads|MusicBrainz: Salt Roads (Remastered)", "", "IT"},
        {gnudb(Fixture("cddb_query_211.txt")), "gnudb: Salt Roads|gnudb: Harbour Nights", "",
         "ITGGG"},
        {[&](LocalHttpServer& s) {
             s.Serve(byToc, HttpAnswer(200, R"({"release-count":0,"releases":[]})"));
             ServeGnudb(s, Fixture("cddb_query_200.txt"));
         },
         "gnudb: Salt Roads", "", "ITGG"},
        {gnudb(Fixture("cddb_query_202.txt")), "", "", "ITG"},
        // Malformed, refused, too long, slow, busy.
        {mb(byId, HttpAnswer(200, R"({"releases": [{"title": )")), "",
         "MusicBrainz sent a malformed answer", "IG"},
        {mb(byId, HttpAnswer(200, R"({"releases": 3})")), "", "malformed", "IG"},
        {gnudb("211 list\r\nnot-a-match\r\n."), "", "gnudb sent a malformed answer", "ITG"},
        {gnudb("409 No handshake\r\n"), "", "gnudb refused the greeting", "ITG"},
        {mb(byId, HttpAnswer(200, QByteArray(5000, ' ') + "{}")), "",
         "MusicBrainz sent an answer too long to read", "IG"},
        {mb(byId, HttpAnswer(200, "{}", 5000)), "", "MusicBrainz did not answer within 1 s", "IG"},
        {[&](LocalHttpServer& s) {
             s.Handle(byId, [calls = 0](const HttpRequest&) mutable {
                 return ++calls == 1 ? HttpAnswer(503, "", 0, {{"Retry-After", "0"}})
                                     : HttpAnswer(200, Fixture("mb_disc.json"));
             });
         },
         "MusicBrainz: Harbour Lights", "", "II"},
        {mb(byId, HttpAnswer(503, "", 0, {{"Retry-After", "0"}})), "", "MusicBrainz is busy",
         "IIG"},
        // Without Retry-After the lookup's own wait, here too long to wait for.
        {mb(byId, HttpAnswer(503, "")), "", "MusicBrainz is busy", "IG"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.asked + " " + c.error);
        LocalHttpServer server;
        c.serve(server);
        OnlineServices services = ServicesOf(server);
        services.timeoutMs = 1000;
        services.maxAnswerBytes = 4000;
        services.retryAfterMs = 60000;
        OnlineLookup lookup(services);
        const Outcome outcome = LookUp(lookup, ThreeTrackDisc());
        EXPECT_EQ(outcome.finishedCount, 1);
        EXPECT_EQ(TitlesOf(outcome.found), c.found);
        EXPECT_TRUE(outcome.error.contains(c.error)) << outcome.error.toStdString();
        EXPECT_EQ(outcome.error.isEmpty(), *c.error == 0) << outcome.error.toStdString();
        EXPECT_EQ(PathsAsked(server), c.asked);
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
    const QByteArray version = OnlineLookup::UserAgent().split(' ')[0].mid(7);
    EXPECT_EQ(server.requests()[2].query,
              "cmd=cddb+query+1a02b503+3+150+15000+30000+600&hello=user+localhost+Tunelo+" +
                  version + "&proto=6");
    for (const HttpRequest& request : server.requests())
        EXPECT_EQ(request.headers.value("user-agent"), OnlineLookup::UserAgent());
    EXPECT_TRUE(OnlineLookup::UserAgent().startsWith("Tunelo/"));
    EXPECT_TRUE(OnlineLookup::UserAgent().contains("( http"));
}

// A candidate as "artist|year|label|country|format|reference", and its tracks as
// "title/artist/seconds" joined by ';'.
std::string Described(const DiscCandidate& c) {
    std::string text = c.artist + '|' + c.year + '|' + c.label + '|' + c.country + '|' + c.format +
                       '|' + c.reference + '\n';
    for (const CandidateTrack& track : c.tracks)
        text += track.title + '/' + track.artist + '/' + std::to_string(track.seconds) + ';';
    return text;
}

TEST(OnlineLookupTest, CandidatesTakeTheirFieldsFromTheAnswers) {
    LocalHttpServer server;
    server.Serve(QByteArray("/ws/2/discid/") + kDiscId, HttpAnswer(200, Fixture("mb_disc.json")));
    ServeGnudb(server, Fixture("cddb_query_211.txt"));
    OnlineServices services = ServicesOf(server);
    OnlineLookup lookup(services);
    const std::vector<DiscCandidate> musicBrainz = LookUp(lookup, ThreeTrackDisc()).found;
    services.musicBrainz = QUrl();
    OnlineLookup gnudbOnly(services);
    const std::vector<DiscCandidate> gnudb = LookUp(gnudbOnly, ThreeTrackDisc()).found;
    ASSERT_EQ(musicBrainz.size(), 1u);
    ASSERT_EQ(gnudb.size(), 2u);
    const struct {
        const DiscCandidate& candidate;
        const char* described;
    } cases[] = {
        // The medium holding the disc; credits joined; a track's own artist; ms rounded.
        {musicBrainz[0],
         "Anna Berg & Carl Dahl|1994|Nordljud|SE|Enhanced CD|6a1d2c6e-3b5f-4e0a-9d7c-1f2e3d4c5b6a\n"
         "Pier//198;Lanterns/Eva Falk/200;Tide//200;"},
        // Values over two lines joined, escapes undone, times from the frame offsets.
        {gnudb[0],
         "Ida Lund|2003||||rock 1a02b503\nNorth//198;"
         "East and a very long title that the record spreads over two lines//200;West Wind//200;"},
        // A compilation's tracks name their artists.
        {gnudb[1],
         "Various|||||jazz 1a02b504\nLanterns/Eva Falk/198;Pier/Carl Dahl/201;Tide//199;"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Described(c.candidate), c.described);
}

TEST(OnlineLookupTest, RequestsToOneServiceKeepTheirDistance) {
    LocalHttpServer server;
    server.Serve("/ws/2/discid/-", HttpAnswer(200, Fixture("mb_toc.json")));
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
    server.Serve(QByteArray("/ws/2/discid/") + kDiscId,
                 HttpAnswer(200, Fixture("mb_disc.json"), 500));
    server.Serve("/ws/2/discid/Other", HttpAnswer(200, Fixture("mb_toc.json")));
    OnlineLookup lookup(ServicesOf(server));
    QSignalSpy spy(&lookup, &OnlineLookup::Finished);
    // Nothing to ask still answers from the event loop, not inside Start.
    OnlineLookup nowhere({QUrl(), QUrl()});
    QSignalSpy nowhereSpy(&nowhere, &OnlineLookup::Finished);
    nowhere.Start(ThreeTrackDisc());
    EXPECT_EQ(nowhereSpy.count(), 0);
    EXPECT_TRUE(nowhereSpy.wait(1000));

    // Each time the first request is out and its answer half a second away.
    lookup.Start(ThreeTrackDisc());
    EXPECT_TRUE(QTest::qWaitFor([&] { return server.requests().size() == 1; }));
    lookup.Cancel();
    EXPECT_FALSE(lookup.busy());
    EXPECT_FALSE(spy.wait(700));

    lookup.Start(ThreeTrackDisc());
    EXPECT_TRUE(QTest::qWaitFor([&] { return server.requests().size() == 2; }));
    DiscQuery other = ThreeTrackDisc();
    other.musicBrainzId = "Other";
    lookup.Start(other);
    ASSERT_TRUE(spy.wait(2000));
    EXPECT_FALSE(spy.wait(700));
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).value<std::vector<DiscCandidate>>().size(), 2u);
    EXPECT_EQ(PathsAsked(server), "III");
}

}  // namespace
}  // namespace discinfo
