#include "platform/discinfo_online/cddb_reply.h"

#include <QStringList>
#include <map>

namespace discinfo {

namespace {

QStringList CddbLines(const QByteArray& answer) {
    QStringList lines = QString::fromUtf8(answer).split('\n');
    for (QString& line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    return lines;
}

int CddbCode(const QString& line) {
    bool ok = false;
    const int code = line.left(3).toInt(&ok);
    return ok && (line.size() == 3 || line[3] == ' ') ? code : 0;
}

QString CddbFailure(const QString& statusLine) {
    switch (CddbCode(statusLine)) {
        case 403:
            return QStringLiteral("gnudb: the disc record is damaged");
        case 409:
            return QStringLiteral("gnudb refused the greeting");
        case 0:
            return QStringLiteral("gnudb sent a malformed answer");
        default:
            return QStringLiteral("gnudb: %1").arg(statusLine.left(200));
    }
}

bool CddbMatchOf(const QString& text, CddbMatch* match) {
    const QStringList parts = text.split(' ');
    if (parts.size() < 2 || parts[0].isEmpty() || parts[1].size() != 8)
        return false;
    match->category = parts[0];
    match->discId = parts[1];
    match->title = parts.mid(2).join(' ');
    return true;
}

// The escapes of record values: \n, \t and \\.
std::string Unescape(const QString& value) {
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size()) {
            const QChar next = value[++i];
            out += next == 'n' ? QChar(' ') : next == 't' ? QChar(' ') : next;
        } else {
            out += value[i];
        }
    }
    return out.trimmed().toStdString();
}

// "Artist / Title"; a value without the separator is both, as the format has it.
void SplitArtistTitle(const std::string& both, std::string* artist, std::string* title) {
    const size_t slash = both.find(" / ");
    if (slash == std::string::npos) {
        *artist = both;
        *title = both;
        return;
    }
    *artist = both.substr(0, slash);
    *title = both.substr(slash + 3);
}

struct RecordTimes {
    std::vector<int> offsets;
    int lengthSeconds = 0;
};

// "# Track frame offsets:" then one "#\t<frames>" per track, and "# Disc length: N seconds".
void ReadTimeComment(const QString& line, bool* inOffsets, RecordTimes* times) {
    const QString text = line.mid(1).trimmed();
    if (text.startsWith(QStringLiteral("Track frame offsets"), Qt::CaseInsensitive)) {
        *inOffsets = true;
        return;
    }
    bool isNumber = false;
    const int frames = text.toInt(&isNumber);
    if (*inOffsets && isNumber) {
        times->offsets.push_back(frames);
        return;
    }
    *inOffsets = false;
    if (text.startsWith(QStringLiteral("Disc length:"), Qt::CaseInsensitive))
        times->lengthSeconds = text.mid(12).trimmed().section(' ', 0, 0).toInt();
}

int TrackSecondsOf(const RecordTimes& times, size_t index) {
    if (index >= times.offsets.size())
        return -1;
    const int end =
        index + 1 < times.offsets.size() ? times.offsets[index + 1] : times.lengthSeconds * 75;
    return end > times.offsets[index] ? (end - times.offsets[index]) / 75 : -1;
}

}  // namespace

QString CddbQueryCommand(const DiscQuery& disc) {
    QStringList parts{QStringLiteral("cddb query"), QString::fromStdString(disc.freedbId),
                      QString::number(disc.trackCount())};
    for (int offset : disc.offsets)
        parts << QString::number(offset);
    parts << QString::number(disc.lengthSeconds());
    return parts.join(' ');
}

bool ParseCddbQuery(const QByteArray& answer, std::vector<CddbMatch>* matches, QString* error) {
    const QStringList lines = CddbLines(answer);
    const QString status = lines.value(0);
    const int code = CddbCode(status);
    if (code == 202)
        return true;
    if (code == 200) {
        CddbMatch match;
        if (!CddbMatchOf(status.mid(4), &match)) {
            *error = CddbFailure(QString());
            return false;
        }
        matches->push_back(match);
        return true;
    }
    if (code != 210 && code != 211) {
        *error = CddbFailure(status);
        return false;
    }
    for (qsizetype i = 1; i < lines.size() && lines[i] != "."; ++i) {
        CddbMatch match;
        if (!lines[i].isEmpty() && !CddbMatchOf(lines[i], &match)) {
            *error = CddbFailure(QString());
            return false;
        }
        if (!lines[i].isEmpty())
            matches->push_back(match);
    }
    return true;
}

bool ParseCddbRead(const QByteArray& answer, DiscCandidate* out, QString* error) {
    const QStringList lines = CddbLines(answer);
    const QString status = lines.value(0);
    CddbMatch match;
    if (CddbCode(status) != 210 || !CddbMatchOf(status.mid(4), &match)) {
        *error = CddbFailure(CddbCode(status) == 210 ? QString() : status);
        return false;
    }
    // Values of one key may be spread over several lines; they join in order.
    std::map<QString, QString> values;
    RecordTimes times;
    bool inOffsets = false;
    for (qsizetype i = 1; i < lines.size() && lines[i] != "."; ++i) {
        const QString& line = lines[i];
        if (line.startsWith('#')) {
            ReadTimeComment(line, &inOffsets, &times);
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (equals > 0)
            values[line.left(equals).trimmed().toUpper()] += line.mid(equals + 1);
    }
    if (!values.count("DTITLE")) {
        *error = QStringLiteral("gnudb sent a record without a title");
        return false;
    }
    DiscCandidate candidate;
    candidate.origin = Origin::Gnudb;
    candidate.reference = (match.category + ' ' + match.discId).toStdString();
    SplitArtistTitle(Unescape(values["DTITLE"]), &candidate.artist, &candidate.title);
    const std::string year = Unescape(values["DYEAR"]);
    if (year.size() == 4 && year.find_first_not_of("0123456789") == std::string::npos)
        candidate.year = year;
    // Compilations name each track "Artist / Title".
    const bool various = QString::fromStdString(candidate.artist)
                             .startsWith(QStringLiteral("Various"), Qt::CaseInsensitive);
    for (size_t n = 0;; ++n) {
        const auto it = values.find(QStringLiteral("TTITLE%1").arg(n));
        if (it == values.end())
            break;
        CandidateTrack track;
        const std::string text = Unescape(it->second);
        if (various && text.find(" / ") != std::string::npos)
            SplitArtistTitle(text, &track.artist, &track.title);
        else
            track.title = text;
        track.seconds = TrackSecondsOf(times, n);
        candidate.tracks.push_back(std::move(track));
    }
    *out = std::move(candidate);
    return true;
}

}  // namespace discinfo
