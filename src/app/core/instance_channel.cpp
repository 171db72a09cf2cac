// Single-instance hand-over: a per-user local socket through which a second start passes its file to the first.
#include "app/core/instance_channel.h"

#include "app/core/command_ids.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QPointer>
#include <QTimer>
#include <QtEndian>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int kHeaderBytes = 8;
constexpr int kConnectTimeoutMs = 1000;
// Long enough for a busy first instance to reach its event loop.
constexpr int kAnswerTimeoutMs = 3000;

QString LockPath(const QString& socketName) {
    if (QFileInfo(socketName).isAbsolute())
        return socketName + u".lock"_s;
    return QDir::temp().filePath(socketName + u".lock"_s);
}

// The running instance closes the connection once it has read the message:
// that is its answer. One that accepts but never reads (stopped, or held in a
// debugger) gets no hand-over, and this start opens its own window.
bool SendTo(const QString& socketName, const QByteArray& bytes) {
    QLocalSocket socket;
    socket.connectToServer(socketName);
    if (!socket.waitForConnected(kConnectTimeoutMs))
        return false;
    const QDeadlineTimer deadline(kAnswerTimeoutMs);
    socket.write(bytes);
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(int(deadline.remainingTime())))
            return false;
    }
    return socket.state() == QLocalSocket::UnconnectedState
        || socket.waitForDisconnected(int(deadline.remainingTime()));
}

}  // namespace

QByteArray EncodeHandOver(int identifier, const QString& text) {
    const quint32 count = quint32((text.size() + 1) * 2);
    QByteArray bytes(kHeaderBytes, '\0');
    qToLittleEndian<quint32>(quint32(identifier), bytes.data());
    qToLittleEndian<quint32>(count, bytes.data() + 4);
    for (QChar c : text) {
        const char16_t unit = c.unicode();
        bytes.append(char(unit & 0xFF));
        bytes.append(char(unit >> 8));
    }
    bytes.append(2, '\0');
    return bytes;
}

QString DefaultInstanceSocketName() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return QDir(runtime).filePath(u"CScrivoMainFrame"_s);
    return u"CScrivoMainFrame-%1"_s.arg(::getuid());
}

InstanceServer::InstanceServer(QString socketName, int readTimeoutMs, QObject* parent)
    : QObject(parent), m_socketName(std::move(socketName)), m_readTimeoutMs(readTimeoutMs) {}

InstanceServer::~InstanceServer() = default;

bool InstanceServer::Listen() {
    m_server = std::make_unique<QLocalServer>();
    // The socket is ours alone: other users may neither connect nor hand files over.
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(m_socketName);
    if (!m_server->listen(m_socketName)) {
        m_server.reset();
        return false;
    }
    connect(m_server.get(), &QLocalServer::newConnection, this, &InstanceServer::Accept);
    return true;
}

void InstanceServer::Accept() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { Read(socket); });
        // A client that never finishes its message loses its connection.
        QPointer<QLocalSocket> guard(socket);
        QTimer::singleShot(m_readTimeoutMs, socket, [guard] {
            if (guard)
                guard->abort();
        });
        if (socket->bytesAvailable() > 0)
            Read(socket);
    }
}

void InstanceServer::Read(QLocalSocket* socket) {
    if (socket->bytesAvailable() < kHeaderBytes)
        return;
    const QByteArray header = socket->peek(kHeaderBytes);
    const quint32 identifier = qFromLittleEndian<quint32>(header.constData());
    const quint32 count = qFromLittleEndian<quint32>(header.constData() + 4);
    if (count < 2 || count % 2 != 0 || count > quint32(kMaxHandOverBytes)) {
        socket->abort();
        return;
    }
    if (socket->bytesAvailable() < qint64(kHeaderBytes + count))
        return;
    socket->read(kHeaderBytes);
    const QByteArray payload = socket->read(count);
    socket->disconnectFromServer();

    const auto* units = reinterpret_cast<const uchar*>(payload.constData());
    QString text;
    for (quint32 i = 0; i + 1 < count; i += 2)
        text.append(QChar(char16_t(units[i] | (units[i + 1] << 8))));
    if (identifier != quint32(COPYDATA_OPEN_FILE) || !text.endsWith(QChar(0)))
        return;
    text.chop(1);
    // Anything after an embedded terminator is not part of the string.
    text.truncate(text.indexOf(QChar(0)) < 0 ? text.size() : text.indexOf(QChar(0)));
    HandOverMessage message;
    message.compile = text.startsWith(u'1');
    message.path = text.mid(1);
    Q_EMIT HandOver(message);
}

InstanceClaim ClaimInstance(const QString& socketName, const HandOverMessage& message) {
    InstanceClaim claim;
    QLockFile lock(LockPath(socketName));
    lock.setStaleLockTime(10000);
    // Should the lock not come, this start goes on without it: better than not starting.
    lock.tryLock(5000);
    const QString text = (message.compile ? u"1"_s : u"0"_s) + message.path;
    if (SendTo(socketName, EncodeHandOver(COPYDATA_OPEN_FILE, text))) {
        claim.handedOver = true;
        return claim;
    }
    // Without the socket this instance runs on, only without hand-over.
    auto server = std::make_unique<InstanceServer>(socketName, 2000);
    if (server->Listen())
        claim.server = std::move(server);
    return claim;
}
