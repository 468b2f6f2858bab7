// A small HTTP/1.1 server on the loopback for the tests: each path prefix has a handler that
// gives status, headers, body and an optional delay, and every request is kept for checks.
// One answer per connection (it closes after answering), which every client copes with.
#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPair>
#include <QUrl>
#include <functional>
#include <vector>

class QTcpServer;
class QTcpSocket;

struct HttpRequest {
    QByteArray method;
    QByteArray path;                       // without the query, still percent-encoded
    QByteArray query;                      // after '?', as sent
    QMap<QByteArray, QByteArray> headers;  // names in lower case
    qint64 atMs = 0;                       // when it came, since the server started
};

struct HttpAnswer {
    using Headers = QList<QPair<QByteArray, QByteArray>>;
    HttpAnswer(int code = 200, QByteArray content = {}, int delay = 0, Headers extra = {})
        : status(code), body(std::move(content)), headers(std::move(extra)), delayMs(delay) {}

    int status;
    QByteArray body;
    Headers headers;
    int delayMs;  // waits this long before answering
};

class LocalHttpServer : public QObject {
public:
    using Handler = std::function<HttpAnswer(const HttpRequest&)>;

    LocalHttpServer();
    ~LocalHttpServer() override;

    // The root to point a client at: http://127.0.0.1:<port>; invalid when listening failed.
    QUrl url() const;
    // Requests whose path starts with `prefix` go to `handler` (the longest prefix wins); others
    // get a 404.
    void Handle(const QByteArray& prefix, Handler handler);
    // The same answer to every request under `prefix`.
    void Serve(const QByteArray& prefix, HttpAnswer answer);
    const std::vector<HttpRequest>& requests() const { return requests_; }

private:
    void Accept();
    void Read(QTcpSocket* socket);
    void Answer(QTcpSocket* socket, const HttpRequest& request);

    QTcpServer* server_;
    QElapsedTimer clock_;
    std::vector<std::pair<QByteArray, Handler>> handlers_;
    std::vector<HttpRequest> requests_;
};
