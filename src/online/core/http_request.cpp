// HttpClient: the one way the online services talk HTTP: bounded in time and size, no redirects, cookies or cache.
#include "online/core/http_request.h"

#include "platform/maker_hosts.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QTimer>

#include <memory>

namespace {

// Connect, send and receive each get the time-out once.
constexpr int kPhases = 3;

QNetworkRequest MakeRequest(const QUrl& url, int timeoutMs, bool withBody) {
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, HttpUserAgent());
    // The scrambled body is not a form; without a type Qt would call it one.
    if (withBody)
        request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/octet-stream"));
    // A redirect could lead the user's credentials to another host.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    request.setTransferTimeout(timeoutMs);
    return request;
}

// The body as it arrives, refused as soon as it is known to be too long.
struct ReplyReader {
    QByteArray body;
    bool refused = false;

    void Refuse(QNetworkReply& reply) {
        refused = true;
        body.clear();
        reply.abort();
    }
    void CheckAnnouncedLength(QNetworkReply& reply) {
        const QVariant length = reply.header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > kMaxResponseBytes)
            Refuse(reply);
    }
    void Read(QNetworkReply& reply) {
        // An aborted reply is closed and has nothing more to give.
        if (refused || !reply.isOpen())
            return;
        if (body.size() + reply.bytesAvailable() > kMaxResponseBytes) {
            Refuse(reply);
            return;
        }
        body += reply.readAll();
    }
    HttpResult Result(QNetworkReply& reply) {
        Read(reply);
        const int status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (refused)
            return {false, {}, QStringLiteral("服务器的回答过长")};
        if (status != 0 && status != 200)
            return {false, {}, QStringLiteral("服务器返回 HTTP %1").arg(status)};
        if (reply.error() != QNetworkReply::NoError)
            return {false, {}, reply.errorString()};
        return {true, std::move(body), {}};
    }
};

}  // namespace

QByteArray HttpUserAgent() {
    return QByteArrayLiteral("Mozilla/4.0 (compatible; MSIE 8.0; Windows NT 5.1; Trident/4.0; ") + kMakerDomain + ")";
}

HttpClient::HttpClient(QObject* parent) : QObject(parent), m_manager(new QNetworkAccessManager(this)) {
    // Nothing answers authenticationRequired or proxyAuthenticationRequired:
    // such a request fails instead of asking anyone for credentials.
}

void HttpClient::Send(const QUrl& url, const std::optional<QByteArray>& body, int timeoutMs, QObject* context,
                      Handler done) {
    const QNetworkRequest request = MakeRequest(url, timeoutMs, body.has_value());
    QNetworkReply* reply = body ? m_manager->post(request, *body) : m_manager->get(request);
    auto reader = std::make_shared<ReplyReader>();
    connect(reply, &QNetworkReply::metaDataChanged, reply, [reply, reader] { reader->CheckAnnouncedLength(*reply); });
    connect(reply, &QNetworkReply::readyRead, reply, [reply, reader] { reader->Read(*reply); });
    // The transfer time-out restarts with every byte; this bounds a server that trickles.
    QTimer::singleShot(kPhases * timeoutMs, reply, [reply] { reply->abort(); });
    const bool guarded = context != nullptr;
    connect(reply, &QNetworkReply::finished, this,
            [reply, reader, guarded, target = QPointer<QObject>(context), done = std::move(done)] {
                const HttpResult result = reader->Result(*reply);
                reply->deleteLater();
                if (!guarded || target)
                    done(result);
            });
}

void HttpClient::AbortAll() {
    for (QNetworkReply* reply : m_manager->findChildren<QNetworkReply*>())
        reply->abort();
}

HttpResult BlockingHttp::Fetch(const QUrl& url, int timeoutMs) {
    QEventLoop loop;
    HttpClient client;
    HttpResult result;
    {
        std::lock_guard lock(m_mutex);
        if (m_cancelled)
            return {};
        m_running = &client;
    }
    client.Send(url, std::nullopt, timeoutMs, &loop, [&](const HttpResult& r) {
        result = r;
        loop.quit();
    });
    loop.exec();
    std::lock_guard lock(m_mutex);
    m_running = nullptr;
    return result;
}

void BlockingHttp::Cancel() {
    std::lock_guard lock(m_mutex);
    m_cancelled = true;
    if (m_running)
        QMetaObject::invokeMethod(m_running, &HttpClient::AbortAll, Qt::QueuedConnection);
}
