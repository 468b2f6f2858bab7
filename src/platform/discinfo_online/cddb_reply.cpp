#include "platform/discinfo_online/cddb_reply.h"

#include "platform/discinfo/disc_data_folder.h"

#include <QStringList>

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
    // The record itself is an xmcd record, from the line after the status to the lone ".".
    const qsizetype begin = answer.indexOf('\n') + 1;
    qsizetype end = answer.indexOf("\n.\r\n", begin);
    if (end < 0)
        end = answer.indexOf("\n.\n", begin);
    const QByteArray body = answer.mid(begin, end < 0 ? -1 : end + 1 - begin);
    XmcdRecord record;
    std::string why;
    if (!ParseXmcd(std::string_view(body.constData(), size_t(body.size())), &record, &why)) {
        *error = QStringLiteral("gnudb sent a record that cannot be read: %1")
                     .arg(QString::fromStdString(why));
        return false;
    }
    *out = std::move(record.candidate);
    out->origin = Origin::Gnudb;
    out->reference = (match.category + ' ' + match.discId).toStdString();
    return true;
}

}  // namespace discinfo
