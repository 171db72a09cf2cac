// Single-instance hand-over: a per-user local socket through which a second start passes its file to the first.
#pragma once

#include "app/core/hand_over_message.h"

#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;
class QLocalSocket;

// "$XDG_RUNTIME_DIR/CScrivoMainFrame", else a name that holds the user id.
QString DefaultInstanceSocketName();

// The first instance's end: reads one message per connection and reports it.
// Malformed, oversized, foreign or slow messages are dropped.
class InstanceServer : public QObject {
    Q_OBJECT
public:
    InstanceServer(QString socketName, int readTimeoutMs, QObject* parent = nullptr);
    ~InstanceServer() override;
    bool Listen();

Q_SIGNALS:
    void HandOver(const HandOverMessage& message);

private:
    void Accept();
    void Read(QLocalSocket* socket);

    QString m_socketName;
    int m_readTimeoutMs;
    std::unique_ptr<QLocalServer> m_server;
};

// Either hands the command line over to a running instance or becomes the
// first instance; one that accepts but does not take the message within a
// few seconds counts as none, and its socket is taken over. A lock file beside the socket keeps two first starts from
// both taking the socket.
struct InstanceClaim {
    bool handedOver = false;
    std::unique_ptr<InstanceServer> server;  // set when this is the first instance
};
InstanceClaim ClaimInstance(const QString& socketName, const HandOverMessage& message);
