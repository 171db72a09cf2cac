// HttpClient: the one way the online services talk HTTP: bounded in time and size, no redirects, cookies or cache.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>
#include <mutex>
#include <optional>

class QNetworkAccessManager;

struct HttpResult {
    bool ok = false;  // status 200 and the whole body read
    QByteArray body;
    QString failure;  // why it failed, in words for the user
};

// An answer longer than this is refused, not cut.
inline constexpr qint64 kMaxResponseBytes = qint64(1) << 20;

// "Mozilla/4.0 (compatible; MSIE 8.0; Windows NT 5.1; Trident/4.0; <maker's domain>)".
QByteArray HttpUserAgent();

class HttpClient : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void(const HttpResult&)>;

    explicit HttpClient(QObject* parent = nullptr);

    // POST of body when it has one, GET otherwise. timeoutMs bounds every
    // wait for the server, and three of them the whole request. done runs
    // once on this object's thread, unless context has been destroyed by
    // then; a request still running when the client is destroyed never ends.
    void Send(const QUrl& url, const std::optional<QByteArray>& body, int timeoutMs, QObject* context, Handler done);

    // Ends every running request as failed.
    void AbortAll();

private:
    QNetworkAccessManager* m_manager;
};

// Requests made from a worker thread that waits for each; another thread can cancel them.
class BlockingHttp {
public:
    // Runs the request on the calling thread's own event loop and returns its result.
    HttpResult Fetch(const QUrl& url, int timeoutMs);
    // From any thread: the running request fails at once, later ones without being sent.
    void Cancel();

private:
    std::mutex m_mutex;
    HttpClient* m_running = nullptr;
    bool m_cancelled = false;
};
