#include "platform/discinfo_online/online_lookup.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <algorithm>

#include "platform/discinfo_online/cddb_reply.h"
#include "platform/discinfo_online/musicbrainz_reply.h"

#ifndef TUNELO_VERSION
#define TUNELO_VERSION "0"
#endif
#ifndef TUNELO_CONTACT_URL
#define TUNELO_CONTACT_URL ""
#endif

namespace discinfo {

namespace {

// A server asking for a longer pause than this is treated as having refused.
constexpr qint64 kLongestRetryWaitMs = 30000;
// A query listing more matches than this reads only the first ones: each read is a request.
constexpr size_t kMostGnudbReads = 10;

quint64 NextRunNumber() {
    static quint64 runs = 0;
    return ++runs;
}

QUrl UrlUnder(const QUrl& root, const QString& path, const QString& query) {
    QUrl url = root;
    QString base = root.path();
    while (base.endsWith('/'))
        base.chop(1);
    url.setPath(base + path);
    url.setQuery(query);
    return url;
}

QString ServiceName(int service) {
    return service == 0 ? QStringLiteral("MusicBrainz") : QStringLiteral("gnudb");
}

// A CDDB command as the cgi takes it: words joined by '+'.
QString CddbCgiQuery(const QString& command) {
    return QStringLiteral("cmd=%1&hello=user+localhost+Tunelo+%2&proto=6")
        .arg(QString(command).replace(' ', '+'), QStringLiteral(TUNELO_VERSION));
}

}  // namespace

struct OnlineLookup::Answer {
    int status = 0;  // the HTTP status; 0 when none came
    QByteArray body;
    QString error;  // why no answer came: timeout, too long, the network
};

struct OnlineLookup::Run {
    explicit Run(const DiscQuery& disc) : query(disc) { timeout.setSingleShot(true); }
    ~Run() {
        if (reply) {
            QObject::disconnect(reply, nullptr, &context, nullptr);
            reply->abort();
            reply->deleteLater();
        }
    }

    DiscQuery query;
    quint64 number = NextRunNumber();
    // Every connection and timer of the run is bound to it, so nothing of the run outlives it.
    QObject context;
    QTimer timeout;
    QPointer<QNetworkReply> reply;
    bool timedOut = false;
    bool tooLong = false;
    std::vector<CddbMatch> toRead;
    std::vector<DiscCandidate> found;
    QStringList errors;
};

OnlineLookup::OnlineLookup(OnlineServices services, QObject* parent)
    : QObject(parent), services_(std::move(services)), network_(new QNetworkAccessManager(this)) {}

OnlineLookup::~OnlineLookup() = default;

void OnlineLookup::Start(const DiscQuery& query) {
    run_ = std::make_unique<Run>(query);
    Run* run = run_.get();
    connect(&run->timeout, &QTimer::timeout, &run->context, [run] {
        run->timedOut = true;
        if (run->reply)
            run->reply->abort();
    });
    // Even an answer known at once comes from the event loop, after Start has returned.
    QTimer::singleShot(0, &run->context, [this, run] {
        const DiscQuery& disc = run->query;
        const bool hasToc = disc.trackCount() > 0 && disc.leadOut > 0;
        if (services_.musicBrainz.isValid() && (!disc.musicBrainzId.empty() || hasToc))
            AskMusicBrainz(disc.musicBrainzId.empty());
        else
            AskGnudb();
    });
}

void OnlineLookup::Cancel() {
    run_.reset();
}

bool OnlineLookup::busy() const {
    return run_ != nullptr;
}

QByteArray OnlineLookup::UserAgent() {
    const QByteArray contact(TUNELO_CONTACT_URL);
    return "Tunelo/" TUNELO_VERSION + (contact.isEmpty() ? QByteArray() : " ( " + contact + " )");
}

void OnlineLookup::AskMusicBrainz(bool byToc) {
    const quint64 number = run_->number;
    emit Progress(tr("Asking MusicBrainz…"));
    if (!run_ || run_->number != number)
        return;
    const DiscQuery& disc = run_->query;
    const QString id = byToc ? QStringLiteral("-") : QString::fromStdString(disc.musicBrainzId);
    QString query = QStringLiteral("inc=recordings+artist-credits+labels&fmt=json&cdstubs=no");
    if (byToc)
        query = QStringLiteral("toc=%1&").arg(MusicBrainzToc(disc)) + query;
    Ask(kMusicBrainz,
        UrlUnder(services_.musicBrainz,
                 QStringLiteral("/ws/2/discid/") + QString::fromLatin1(QUrl::toPercentEncoding(id)),
                 query),
        [this, byToc](const Answer& answer) { OnMusicBrainz(byToc, answer); });
}

void OnlineLookup::OnMusicBrainz(bool byToc, const Answer& answer) {
    Run* run = run_.get();
    const bool hasToc = run->query.trackCount() > 0 && run->query.leadOut > 0;
    if (answer.status == 404 && !byToc && hasToc)
        return AskMusicBrainz(true);
    if (answer.status == 404)
        return AskGnudb();
    if (answer.status != 200) {
        run->errors << (answer.error.isEmpty() ? tr("MusicBrainz answered %1").arg(answer.status)
                                               : answer.error);
        return AskGnudb();
    }
    std::vector<DiscCandidate> found;
    QString error;
    if (!ParseMusicBrainzReply(answer.body, run->query, &found, &error)) {
        run->errors << error;
        return AskGnudb();
    }
    if (!found.empty())
        return Finish(std::move(found));
    if (!byToc && hasToc)
        return AskMusicBrainz(true);
    AskGnudb();
}

void OnlineLookup::AskGnudb() {
    const DiscQuery& disc = run_->query;
    if (!services_.gnudb.isValid() || disc.freedbId.empty() || disc.trackCount() == 0)
        return Finish({});
    const quint64 number = run_->number;
    emit Progress(tr("Asking gnudb…"));
    if (!run_ || run_->number != number)
        return;
    Ask(kGnudb,
        UrlUnder(services_.gnudb, QStringLiteral("/~cddb/cddb.cgi"),
                 CddbCgiQuery(CddbQueryCommand(disc))),
        [this](const Answer& answer) {
            Run* run = run_.get();
            QString error = answer.error;
            if (error.isEmpty() && answer.status != 200)
                error = tr("gnudb answered %1").arg(answer.status);
            if (error.isEmpty() && ParseCddbQuery(answer.body, &run->toRead, &error)) {
                if (run->toRead.size() > kMostGnudbReads)
                    run->toRead.resize(kMostGnudbReads);
                std::reverse(run->toRead.begin(), run->toRead.end());
                return ReadNextGnudbMatch();
            }
            run->errors << error;
            Finish({});
        });
}

void OnlineLookup::ReadNextGnudbMatch() {
    Run* run = run_.get();
    if (run->toRead.empty())
        return Finish(std::move(run->found));
    const CddbMatch match = run->toRead.back();
    run->toRead.pop_back();
    const QString command = QStringLiteral("cddb read %1 %2").arg(match.category, match.discId);
    Ask(kGnudb, UrlUnder(services_.gnudb, QStringLiteral("/~cddb/cddb.cgi"), CddbCgiQuery(command)),
        [this](const Answer& answer) {
            Run* current = run_.get();
            QString error = answer.error;
            if (error.isEmpty() && answer.status != 200)
                error = tr("gnudb answered %1").arg(answer.status);
            DiscCandidate candidate;
            if (error.isEmpty() && ParseCddbRead(answer.body, &candidate, &error))
                current->found.push_back(std::move(candidate));
            else
                current->errors << error;
            ReadNextGnudbMatch();
        });
}

void OnlineLookup::Ask(Service service, const QUrl& url, std::function<void(const Answer&)> done,
                       bool isRetry) {
    const qint64 wait =
        lastSent_[service].isValid() ? services_.minIntervalMs - lastSent_[service].elapsed() : 0;
    if (wait <= 0)
        return Send(service, url, std::move(done), isRetry);
    QTimer::singleShot(wait, &run_->context,
                       [this, service, url, done, isRetry] { Send(service, url, done, isRetry); });
}

void OnlineLookup::Send(Service service, const QUrl& url, std::function<void(const Answer&)> done,
                        bool isRetry) {
    Run* run = run_.get();
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, UserAgent());
    request.setRawHeader("Accept", service == kMusicBrainz ? "application/json" : "text/plain");
    lastSent_[service].start();
    QNetworkReply* reply = network_->get(request);
    run->reply = reply;
    run->timedOut = false;
    run->tooLong = false;
    run->timeout.start(services_.timeoutMs);
    const qint64 maxBytes = services_.maxAnswerBytes;
    connect(reply, &QNetworkReply::downloadProgress, &run->context,
            [run, reply, maxBytes](qint64 received, qint64 total) {
                if (received > maxBytes || total > maxBytes) {
                    run->tooLong = true;
                    reply->abort();
                }
            });
    connect(
        reply, &QNetworkReply::finished, &run->context,
        [this, run, reply, service, url, done, isRetry] {
            run->timeout.stop();
            run->reply = nullptr;
            reply->deleteLater();
            // The distance counts from the answer too: a request that took long to leave (a new
            // connection) never brings the next one closer to it at the service.
            lastSent_[service].start();
            Answer answer;
            answer.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
            const QString name = ServiceName(service);
            if (run->timedOut) {
                answer.status = 0;
                answer.error =
                    tr("%1 did not answer within %2 s").arg(name).arg(services_.timeoutMs / 1000.0);
            } else if (run->tooLong) {
                answer.status = 0;
                answer.error = tr("%1 sent an answer too long to read").arg(name);
            } else if (answer.status == 503 && !isRetry) {
                bool isNumber = false;
                const qint64 seconds =
                    reply->rawHeader("Retry-After").trimmed().toLongLong(&isNumber);
                const qint64 wait =
                    isNumber && seconds >= 0 ? seconds * 1000 : services_.retryAfterMs;
                if (wait <= kLongestRetryWaitMs) {
                    QTimer::singleShot(wait, &run->context, [this, service, url, done] {
                        Ask(service, url, done, true);
                    });
                    return;
                }
                answer.error = tr("%1 is busy").arg(name);
            } else if (answer.status == 503) {
                answer.error = tr("%1 is busy").arg(name);
            } else if (answer.status == 0) {
                answer.error = tr("%1: %2").arg(name, reply->errorString());
            } else {
                answer.body = reply->readAll();
            }
            done(answer);
        });
}

void OnlineLookup::Finish(std::vector<DiscCandidate> found) {
    const QString error = found.empty() ? run_->errors.join(QStringLiteral("; ")) : QString();
    run_.reset();
    emit Finished(found, error);
}

}  // namespace discinfo
