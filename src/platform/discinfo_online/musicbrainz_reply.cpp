#include "platform/discinfo_online/musicbrainz_reply.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

namespace discinfo {

namespace {

std::string Utf8Of(const QJsonValue& value) {
    return value.toString().toStdString();
}

// "A feat. B & C": each credited name followed by its join phrase.
std::string CreditOf(const QJsonValue& credits) {
    std::string joined;
    for (const QJsonValue& credit : credits.toArray()) {
        const QJsonObject object = credit.toObject();
        const QJsonValue name = object.value("name");
        joined += Utf8Of(name.isString() ? name : object.value("artist").toObject().value("name"));
        joined += Utf8Of(object.value("joinphrase"));
    }
    return joined;
}

// Milliseconds to whole seconds, rounded; -1 when the service gives no length.
int SecondsOfMs(const QJsonValue& length) {
    if (!length.isDouble() || length.toDouble() < 0)
        return -1;
    return int((length.toDouble() + 500) / 1000);
}

bool MediumHoldsDisc(const QJsonObject& medium, const std::string& discId) {
    if (discId.empty())
        return false;
    for (const QJsonValue& disc : medium.value("discs").toArray()) {
        if (Utf8Of(disc.toObject().value("id")) == discId)
            return true;
    }
    return false;
}

int MediumTrackCount(const QJsonObject& medium) {
    const QJsonValue count = medium.value("track-count");
    return count.isDouble() ? count.toInt() : int(medium.value("tracks").toArray().size());
}

QJsonObject MediumOfDisc(const QJsonArray& media, const DiscQuery& disc) {
    for (const QJsonValue& medium : media) {
        if (MediumHoldsDisc(medium.toObject(), disc.musicBrainzId))
            return medium.toObject();
    }
    for (const QJsonValue& medium : media) {
        if (MediumTrackCount(medium.toObject()) == disc.trackCount())
            return medium.toObject();
    }
    return media.size() == 1 ? media.first().toObject() : QJsonObject();
}

std::string YearOf(const QJsonValue& date) {
    const std::string text = Utf8Of(date);
    if (text.size() < 4)
        return "";
    for (size_t i = 0; i < 4; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return "";
    }
    return text.substr(0, 4);
}

std::string LabelOf(const QJsonValue& labelInfo) {
    for (const QJsonValue& info : labelInfo.toArray()) {
        const std::string name = Utf8Of(info.toObject().value("label").toObject().value("name"));
        if (!name.empty())
            return name;
    }
    return "";
}

CandidateTrack TrackOf(const QJsonObject& track, const std::string& releaseArtist) {
    const QJsonObject recording = track.value("recording").toObject();
    CandidateTrack out;
    out.title = Utf8Of(track.value("title"));
    if (out.title.empty())
        out.title = Utf8Of(recording.value("title"));
    const QJsonValue credits = track.contains("artist-credit") ? track.value("artist-credit")
                                                               : recording.value("artist-credit");
    out.artist = CreditOf(credits);
    if (out.artist == releaseArtist)
        out.artist.clear();
    out.seconds = SecondsOfMs(track.value("length"));
    if (out.seconds < 0)
        out.seconds = SecondsOfMs(recording.value("length"));
    return out;
}

DiscCandidate CandidateOf(const QJsonObject& release, const DiscQuery& disc) {
    DiscCandidate candidate;
    candidate.origin = Origin::MusicBrainz;
    candidate.reference = Utf8Of(release.value("id"));
    candidate.title = Utf8Of(release.value("title"));
    candidate.artist = CreditOf(release.value("artist-credit"));
    candidate.year = YearOf(release.value("date"));
    candidate.country = Utf8Of(release.value("country"));
    candidate.label = LabelOf(release.value("label-info"));
    const QJsonObject medium = MediumOfDisc(release.value("media").toArray(), disc);
    candidate.format = Utf8Of(medium.value("format"));
    for (const QJsonValue& track : medium.value("tracks").toArray())
        candidate.tracks.push_back(TrackOf(track.toObject(), candidate.artist));
    return candidate;
}

}  // namespace

QString MusicBrainzToc(const DiscQuery& disc) {
    QStringList parts{QString::number(disc.firstTrack),
                      QString::number(disc.firstTrack + disc.trackCount() - 1),
                      QString::number(disc.leadOut)};
    for (int offset : disc.offsets)
        parts << QString::number(offset);
    return parts.join('+');
}

bool ParseMusicBrainzReply(const QByteArray& json, const DiscQuery& disc,
                           std::vector<DiscCandidate>* out, QString* error) {
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject()) {
        *error = QStringLiteral("MusicBrainz sent a malformed answer");
        return false;
    }
    const QJsonObject root = document.object();
    if (root.contains("error")) {
        *error = QStringLiteral("MusicBrainz: %1").arg(root.value("error").toString());
        return false;
    }
    const QJsonValue releases = root.value("releases");
    if (!releases.isUndefined() && !releases.isArray()) {
        *error = QStringLiteral("MusicBrainz sent a malformed answer");
        return false;
    }
    for (const QJsonValue& release : releases.toArray()) {
        if (release.isObject())
            out->push_back(CandidateOf(release.toObject(), disc));
    }
    return true;
}

}  // namespace discinfo
