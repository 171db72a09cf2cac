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
#include <algorithm>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

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
    const qint64 wanted = std::min<qint64>(socket->bytesAvailable(), kHandOverHeaderBytes + kMaxHandOverBytes);
    const DecodedHandOver decoded = DecodeHandOver(socket->peek(wanted));
    switch (decoded.read) {
    case HandOverRead::NeedMore: return;
    case HandOverRead::Malformed: socket->abort(); return;
    case HandOverRead::Ignored: socket->disconnectFromServer(); return;
    case HandOverRead::Message:
        socket->disconnectFromServer();
        Q_EMIT HandOver(decoded.message);
        return;
    }
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
