// A small HTTP server on loopback for the tests: records each request and answers as the test scripts it.
#include "test_http_server.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

namespace {

constexpr qint64 kMaxRequestBytes = 64 * 1024;
constexpr qint64 kFillerChunk = 64 * 1024;

QByteArray StatusLine(int status) {
    switch (status) {
    case 200: return "200 OK";
    case 302: return "302 Found";
    case 404: return "404 Not Found";
    default: return QByteArray::number(status) + " Error";
    }
}

// Fills the request from the bytes received so far; false while it is incomplete.
bool ParseRequest(const QByteArray& data, HttpExchange& exchange) {
    const qsizetype headerEnd = data.indexOf("\r\n\r\n");
    if (headerEnd < 0)
        return false;
    const QList<QByteArray> lines = data.left(headerEnd).split('\n');
    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    exchange.method = requestLine.value(0);
    exchange.target = requestLine.value(1);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        if (colon > 0)
            exchange.headers.insert(lines[i].left(colon).trimmed().toLower(), lines[i].mid(colon + 1).trimmed());
    }
    const qsizetype length = exchange.headers.value("content-length", "0").toLongLong();
    if (data.size() - (headerEnd + 4) < length)
        return false;
    exchange.body = data.mid(headerEnd + 4, length);
    return true;
}

}  // namespace

TestHttpServer::TestHttpServer() : m_server(new QTcpServer(this)) {
    m_handler = [](const HttpExchange&) { return ScriptedAnswer::Status(404); };
    m_server->listen(QHostAddress::LocalHost, 0);
    connect(m_server, &QTcpServer::newConnection, this, &TestHttpServer::OnConnection);
}

TestHttpServer::~TestHttpServer() = default;

bool TestHttpServer::IsListening() const { return m_server->isListening(); }

QUrl TestHttpServer::Url() const {
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(QStringLiteral("127.0.0.1"));
    url.setPort(m_server->serverPort());
    return url;
}

void TestHttpServer::OnConnection() {
    while (QTcpSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { OnData(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            m_pending.remove(socket);
            socket->deleteLater();
        });
    }
}

void TestHttpServer::OnData(QTcpSocket* socket) {
    QByteArray& data = m_pending[socket];
    data += socket->readAll();
    if (data.size() > kMaxRequestBytes) {
        socket->abort();
        return;
    }
    HttpExchange exchange;
    if (!ParseRequest(data, exchange))
        return;
    data.clear();
    m_requests.append(exchange);
    Answer(socket, m_handler(exchange));
}

void TestHttpServer::Answer(QTcpSocket* socket, const ScriptedAnswer& answer) {
    if (answer.stall)
        return;
    QByteArray head = "HTTP/1.1 " + StatusLine(answer.status) + "\r\nConnection: close\r\n";
    for (const auto& [name, value] : answer.headers)
        head += name + ": " + value + "\r\n";
    if (answer.fillerBytes == 0)
        head += "Content-Length: " + QByteArray::number(answer.body.size()) + "\r\n";
    socket->write(head + "\r\n" + answer.body);
    // Filler goes out a chunk at a time, as the client takes it, so a client
    // that stops reading is not sent the rest.
    auto left = std::make_shared<qint64>(answer.fillerBytes);
    const auto sendMore = [socket, left] {
        if (*left <= 0 || socket->bytesToWrite() > 0)
            return;
        const qint64 chunk = std::min(*left, kFillerChunk);
        *left -= chunk;
        socket->write(QByteArray(chunk, 'x'));
    };
    connect(socket, &QTcpSocket::bytesWritten, socket, [socket, left, sendMore] {
        sendMore();
        if (*left <= 0 && socket->bytesToWrite() == 0)
            socket->disconnectFromHost();
    });
}
