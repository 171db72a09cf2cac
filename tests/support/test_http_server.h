// A small HTTP server on loopback for the tests: records each request and answers as the test scripts it.
#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QUrl>

#include <functional>

class QTcpServer;
class QTcpSocket;

struct HttpExchange {
    QByteArray method;
    QByteArray target;                     // path and query as sent
    QMap<QByteArray, QByteArray> headers;  // names in lower case
    QByteArray body;
};

struct ScriptedAnswer {
    int status = 200;
    QByteArray body;
    QList<QPair<QByteArray, QByteArray>> headers;
    // Never answer, keep the connection open.
    bool stall = false;
    // Send this many filler bytes without a length, ending with the connection.
    qint64 fillerBytes = 0;

    static ScriptedAnswer Text(const QByteArray& body) { return {200, body, {}, false, 0}; }
    static ScriptedAnswer Status(int status) { return {status, "failed", {}, false, 0}; }
    static ScriptedAnswer Redirect(const QUrl& to) { return {302, {}, {{"Location", to.toEncoded()}}, false, 0}; }
    static ScriptedAnswer Stall() { return {200, {}, {}, true, 0}; }
    static ScriptedAnswer Filler(qint64 bytes) { return {200, {}, {}, false, bytes}; }
};

class TestHttpServer : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<ScriptedAnswer(const HttpExchange&)>;

    // Listens on 127.0.0.1, on a port of the system's choosing; every request gets a 404 until a handler is set.
    TestHttpServer();
    ~TestHttpServer() override;

    bool IsListening() const;
    // "http://127.0.0.1:<port>"
    QUrl Url() const;
    void SetHandler(Handler handler) { m_handler = std::move(handler); }
    // The same answer for every request.
    void AnswerAlways(const ScriptedAnswer& answer) {
        m_handler = [answer](const HttpExchange&) { return answer; };
    }
    const QList<HttpExchange>& Requests() const { return m_requests; }

private:
    void OnConnection();
    void OnData(QTcpSocket* socket);
    void Answer(QTcpSocket* socket, const ScriptedAnswer& answer);

    QTcpServer* m_server;
    Handler m_handler;
    QList<HttpExchange> m_requests;
    QMap<QTcpSocket*, QByteArray> m_pending;
};
