#include "support/local_http_server.h"

#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace {

QByteArray ReasonOf(int status) {
    switch (status) {
        case 200:
            return "OK";
        case 404:
            return "Not Found";
        case 503:
            return "Service Unavailable";
        default:
            return "Status";
    }
}

bool ParseRequestHead(const QByteArray& head, HttpRequest* request) {
    const QList<QByteArray> lines = head.split('\n');
    const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
    if (first.size() != 3)
        return false;
    request->method = first[0];
    const QByteArray target = first[1];
    const qsizetype question = target.indexOf('?');
    request->path = question < 0 ? target : target.left(question);
    request->query = question < 0 ? QByteArray() : target.mid(question + 1);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        if (colon > 0)
            request->headers.insert(lines[i].left(colon).trimmed().toLower(),
                                    lines[i].mid(colon + 1).trimmed());
    }
    return true;
}

}  // namespace

LocalHttpServer::LocalHttpServer() : server_(new QTcpServer(this)) {
    clock_.start();
    server_->listen(QHostAddress::LocalHost);
    connect(server_, &QTcpServer::newConnection, this, [this] { Accept(); });
}

LocalHttpServer::~LocalHttpServer() = default;

QUrl LocalHttpServer::url() const {
    if (!server_->isListening())
        return QUrl();
    return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(server_->serverPort()));
}

void LocalHttpServer::Handle(const QByteArray& prefix, Handler handler) {
    handlers_.emplace_back(prefix, std::move(handler));
}

void LocalHttpServer::Serve(const QByteArray& prefix, HttpAnswer answer) {
    Handle(prefix, [answer](const HttpRequest&) { return answer; });
}

void LocalHttpServer::Accept() {
    while (QTcpSocket* socket = server_->nextPendingConnection()) {
        socket->setParent(this);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Read(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void LocalHttpServer::Read(QTcpSocket* socket) {
    // The head is all a GET has; it is answered once complete.
    QByteArray buffered = socket->property("head").toByteArray() + socket->readAll();
    const qsizetype end = buffered.indexOf("\r\n\r\n");
    if (end < 0) {
        socket->setProperty("head", buffered);
        return;
    }
    socket->setProperty("head", QByteArray());
    HttpRequest request;
    request.atMs = clock_.elapsed();
    if (!ParseRequestHead(buffered.left(end), &request)) {
        socket->disconnectFromHost();
        return;
    }
    requests_.push_back(request);
    Answer(socket, request);
}

void LocalHttpServer::Answer(QTcpSocket* socket, const HttpRequest& request) {
    const std::pair<QByteArray, Handler>* best = nullptr;
    for (const auto& handler : handlers_) {
        if (request.path.startsWith(handler.first) &&
            (!best || handler.first.size() > best->first.size()))
            best = &handler;
    }
    HttpAnswer answer;
    if (best)
        answer = best->second(request);
    else
        answer.status = 404;
    QByteArray bytes = "HTTP/1.1 " + QByteArray::number(answer.status) + ' ' +
                       ReasonOf(answer.status) +
                       "\r\nContent-Length: " + QByteArray::number(answer.body.size()) +
                       "\r\nConnection: close\r\n";
    for (const auto& [name, value] : answer.headers)
        bytes += name + ": " + value + "\r\n";
    bytes += "\r\n" + answer.body;
    QPointer<QTcpSocket> target(socket);
    QTimer::singleShot(answer.delayMs, this, [target, bytes] {
        if (!target || target->state() != QAbstractSocket::ConnectedState)
            return;
        target->write(bytes);
        target->disconnectFromHost();
    });
}
