#include "support/twelve_tones.h"

#include "support/local_http_server.h"

namespace testutil {

namespace {

constexpr int kTwelveTonesFps = 75;

std::string TwelveTonesTitle(int track) {
    return "Tone " + std::to_string(track);
}

// A disc ID answer of the MusicBrainz web service (version 2, JSON) with the recordings and
// artist credits the look-up includes: one release, its one medium holding the disc.
QByteArray MusicBrainzRelease(const std::string& discId) {
    std::string tracks, offsets;
    int at = 150;
    const std::vector<int> frames = TwelveTonesFrames();
    for (int track = 1; track <= kTwelveTonesTracks; ++track) {
        const std::string n = std::to_string(track);
        const std::string ms = std::to_string(TwelveTonesSeconds(track) * 1000);
        tracks += std::string(track > 1 ? "," : "") + R"({"position":)" + n + R"(,"number":")" + n +
                  R"(","title":")" + TwelveTonesTitle(track) + R"(","length":)" + ms +
                  R"(,"recording":{"id":"rec-)" + n + R"(","title":")" + TwelveTonesTitle(track) +
                  R"(","length":)" + ms + "}}";
        offsets += (track > 1 ? "," : "") + std::to_string(at);
        at += frames[size_t(track - 1)];
    }
    const std::string sectors = std::to_string(at);
    return QByteArray::fromStdString(
        R"({"id":")" + discId + R"(","sectors":)" + sectors + R"(,"offset-count":12,"offsets":[)" +
        offsets + R"(],"releases":[{"id":")" + kTwelveTonesRelease +
        R"(","title":"Twelve Tones",)"
        R"("status":"Official","date":"1999-03-01","country":"NL",)"
        R"("artist-credit":[{"name":"The Testers","joinphrase":"",)"
        R"("artist":{"id":"a-1","name":"The Testers"}}],)"
        R"("label-info":[{"catalog-number":"TT 12","label":{"id":"l-1","name":"Test Tones"}}],)"
        R"("media":[{"position":1,"format":"CD","track-count":12,"discs":[{"id":")" +
        discId + R"(","sectors":)" + sectors + R"(}],"tracks":[)" + tracks + "]}]}]}");
}

}  // namespace

std::vector<int> TwelveTonesFrames() {
    std::vector<int> frames;
    for (int track = 1; track <= kTwelveTonesTracks; ++track)
        frames.push_back(TwelveTonesSeconds(track) * kTwelveTonesFps);
    frames.back() += 1;
    return frames;
}

int TwelveTonesSeconds(int track) {
    return 2 + (track - 1) % 3;
}

std::string TwelveTonesXmcd(const std::string& freedbId) {
    std::string record = "# xmcd\n#\n# Track frame offsets:\n";
    int at = 150;
    for (const int frames : TwelveTonesFrames()) {
        record += "#\t" + std::to_string(at) + "\n";
        at += frames;
    }
    record += "#\n# Disc length: " + std::to_string(at / kTwelveTonesFps) +
              " seconds\n#\nDISCID=" + freedbId +
              "\nDTITLE=The Testers / Twelve Tones\nDYEAR=1999\nDGENRE=Rock\n";
    for (int track = 1; track <= kTwelveTonesTracks; ++track)
        record += "TTITLE" + std::to_string(track - 1) + "=" + TwelveTonesTitle(track) + "\n";
    return record + "EXTD=\nPLAYORDER=\n";
}

void ServeTwelveTones(LocalHttpServer& server, TwelveTonesService service,
                      const std::string& musicBrainzId, const std::string& freedbId) {
    const QByteArray byId = QByteArray::fromStdString("/ws/2/discid/" + musicBrainzId);
    if (service == TwelveTonesService::MusicBrainz) {
        server.Serve(byId, HttpAnswer(200, MusicBrainzRelease(musicBrainzId), 0,
                                      {{"Content-Type", "application/json"}}));
        return;
    }
    const QByteArray id = QByteArray::fromStdString(freedbId);
    const QByteArray record = QByteArray::fromStdString(TwelveTonesXmcd(freedbId));
    server.Handle("/~cddb/cddb.cgi", [id, record](const HttpRequest& request) {
        if (request.query.startsWith("cmd=cddb+query+" + id + "+12+"))
            return HttpAnswer(200, "200 rock " + id + " The Testers / Twelve Tones\r\n");
        if (request.query.startsWith("cmd=cddb+read+rock+" + id + "&"))
            return HttpAnswer(200, "210 rock " + id +
                                       " CD database entry follows (until "
                                       "terminating `.')\r\n" +
                                       record + ".\r\n");
        return HttpAnswer(200, "500 Unrecognized command\r\n");
    });
}

}  // namespace testutil
