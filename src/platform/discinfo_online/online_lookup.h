// OnlineLookup: asks the online disc databases about a disc, only once the user has allowed it.
// MusicBrainz (web service version 2, JSON) by disc ID, then by table of contents when the ID is
// unknown; gnudb (CDDB over HTTP: query, then read) when MusicBrainz has nothing. It sends the
// disc's IDs and table of contents and nothing else, at most one request per second per service,
// with a 10 s timeout per request; a 503 is retried once after a wait. Asynchronous: Start returns
// at once and Finished comes from the event loop.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QUrl>
#include <functional>
#include <memory>
#include <vector>

#include "platform/discinfo/disc_candidate.h"

class QNetworkAccessManager;

namespace discinfo {

// Where the services are and how patiently they are asked. An empty address leaves a service out.
struct OnlineServices {
    QUrl musicBrainz{"https://musicbrainz.org"};  // the service root; /ws/2/… is added
    QUrl gnudb{"https://gnudb.gnudb.org"};        // the server root; /~cddb/cddb.cgi is added
    int timeoutMs = 10000;
    int minIntervalMs = 1000;         // between two requests to one service
    int retryAfterMs = 2000;          // wait before the one retry of a 503 without Retry-After
    qint64 maxAnswerBytes = 4 << 20;  // a longer answer is refused, not read
};

class OnlineLookup : public QObject {
    Q_OBJECT
public:
    explicit OnlineLookup(OnlineServices services, QObject* parent = nullptr);
    ~OnlineLookup() override;

    // Starts a look-up of `query`, cancelling one still running.
    void Start(const DiscQuery& query);
    // Stops the running look-up; Finished does not come for it.
    void Cancel();
    bool busy() const;

    // The User-Agent sent: program name, version and contact address.
    static QByteArray UserAgent();

signals:
    // What the services found (MusicBrainz candidates, or gnudb ones when MusicBrainz found
    // nothing), and "" or, when nothing was found, why a service could not be asked (timeout,
    // refused, malformed answer; several joined by "; ").
    void Finished(const std::vector<discinfo::DiscCandidate>& found, const QString& error);
    // What is being asked now, for a status line ("Asking MusicBrainz…").
    void Progress(const QString& what);

private:
    struct Run;
    struct Answer;
    enum Service { kMusicBrainz, kGnudb, kServiceCount };

    void AskMusicBrainz(bool byToc);
    void OnMusicBrainz(bool byToc, const Answer& answer);
    void AskGnudb();
    void ReadNextGnudbMatch();
    // Sends a GET once the service's pace allows it; `done` gets the answer unless the run ends.
    void Ask(Service service, const QUrl& url, std::function<void(const Answer&)> done,
             bool isRetry = false);
    void Send(Service service, const QUrl& url, std::function<void(const Answer&)> done,
              bool isRetry);
    void Finish(std::vector<DiscCandidate> found);

    OnlineServices services_;
    QNetworkAccessManager* network_;
    std::unique_ptr<Run> run_;
    QElapsedTimer lastSent_[kServiceCount];  // per service, across look-ups
};

}  // namespace discinfo
