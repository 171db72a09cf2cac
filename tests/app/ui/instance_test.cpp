// Single-instance hand-over: a real second start, and messages the channel must refuse.
#include "support/frame_fixture.h"
#include "support/eventually.h"

#include "app/core/command_ids.h"
#include "app/core/instance_channel.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QtEndian>

Q_DECLARE_METATYPE(HandOverMessage)

namespace {

// Starts the real program as a second instance and returns its exit code.
int SecondStart(const QString& runtimeDir, const QString& workDir, const QStringList& args) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(workDir);
    QSignalSpy finished(&process, &QProcess::finished);
    process.start(QStringLiteral(SCRIVO_BINARY_DIR "/scrivo"), args);
    // The first instance answers from this thread's event loop, so it keeps running meanwhile.
    if (!finished.wait(20000)) {
        process.kill();
        process.waitForFinished();
        return -1000;
    }
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2000;
}

void SendRaw(const QString& name, const QByteArray& bytes) {
    QLocalSocket socket;
    socket.connectToServer(name);
    ASSERT_TRUE(socket.waitForConnected(2000));
    socket.write(bytes);
    socket.waitForBytesWritten(2000);
    socket.disconnectFromServer();
}

}  // namespace

class HandOverTest : public FrameTest {
protected:
    void SetUp() override {
        qRegisterMetaType<HandOverMessage>();
        FrameTest::SetUp();
        ASSERT_TRUE(m_runtime.isValid());
        m_socketName = m_runtime.filePath(QStringLiteral("CScrivoMainFrame"));
        qputenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit());
        ASSERT_EQ(DefaultInstanceSocketName(), m_socketName);
    }

    QTemporaryDir m_runtime;
    QString m_socketName;
};

TEST_F(HandOverTest, SecondStartHandsItsFileToTheFirstAndExitsWithOne) {
    InstanceClaim first = ClaimInstance(m_socketName, {});
    ASSERT_FALSE(first.handedOver);
    ASSERT_TRUE(first.server);
    QObject::connect(first.server.get(), &InstanceServer::HandOver, m_frame.get(), &CMainFrame::OnHandOver);
    QSignalSpy received(first.server.get(), &InstanceServer::HandOver);
    const QString path = Script(QStringLiteral("handed.nsi"));

    // A relative path is made absolute by the second start, against its own folder.
    EXPECT_EQ(SecondStart(m_runtime.path(), m_dir.path(), {QStringLiteral("/C"), QStringLiteral("handed.nsi")}), 1);
    ASSERT_TRUE(received.count() > 0 || received.wait(5000));
    const auto message = received.at(0).at(0).value<HandOverMessage>();
    EXPECT_TRUE(message.compile);
    // What the frame does with a message is pinned in CompileFrameTest.StartOptionAndHandOverCompileTheActiveDocument.
    EXPECT_EQ(message.path, path);

    // Without a file the second start only brings the first window forward.
    const int tabs = Docs().Count();
    EXPECT_EQ(SecondStart(m_runtime.path(), m_dir.path(), {}), 1);
    ASSERT_TRUE(received.count() > 1 || received.wait(5000));
    const auto bare = received.at(1).at(0).value<HandOverMessage>();
    EXPECT_FALSE(bare.compile);
    EXPECT_TRUE(bare.path.isEmpty());
    EXPECT_EQ(Docs().Count(), tabs);
}

TEST_F(HandOverTest, AnInstanceThatAcceptsButNeverAnswersIsPassedBy) {
    // Connections are queued by the system but never read: as a stopped or debugged instance.
    QLocalServer silent;
    ASSERT_TRUE(silent.listen(m_socketName));
    const QString path = Script(QStringLiteral("own.nsi"));
    InstanceClaim claim = ClaimInstance(m_socketName, {false, path});
    EXPECT_FALSE(claim.handedOver);
    ASSERT_TRUE(claim.server);

    // The new first instance owns the socket: the next start hands over to it.
    QSignalSpy received(claim.server.get(), &InstanceServer::HandOver);
    EXPECT_EQ(SecondStart(m_runtime.path(), m_dir.path(), {QStringLiteral("own.nsi")}), 1);
    ASSERT_TRUE(received.count() > 0 || received.wait(5000));
    EXPECT_EQ(received.at(0).at(0).value<HandOverMessage>().path, path);
}

TEST_F(HandOverTest, AClientTooSlowToSendIsDropped) {
    InstanceServer server(m_socketName, 300);
    ASSERT_TRUE(server.Listen());
    QSignalSpy received(&server, &InstanceServer::HandOver);

    QLocalSocket slow;
    slow.connectToServer(m_socketName);
    ASSERT_TRUE(slow.waitForConnected(2000));
    slow.write(EncodeHandOver(COPYDATA_OPEN_FILE, QStringLiteral("0/slow.nsi")).left(10));
    slow.flush();
    QSignalSpy dropped(&slow, &QLocalSocket::disconnected);
    EXPECT_TRUE(dropped.wait(3000));  // the server gave up on it

    SendRaw(m_socketName, EncodeHandOver(COPYDATA_OPEN_FILE, QStringLiteral("1/ok.nsi")));
    ASSERT_TRUE(received.wait(3000));
    ASSERT_EQ(received.count(), 1);
    const auto message = received.at(0).at(0).value<HandOverMessage>();
    EXPECT_TRUE(message.compile);
    EXPECT_EQ(message.path, QStringLiteral("/ok.nsi"));
}

TEST_F(HandOverTest, SilentHugeAndMalformedClientsNeitherBlockNorStopTheNextHandOver) {
    // Read time long enough that every bad client still holds its connection
    // while the good message arrives.
    InstanceServer server(m_socketName, 600000);
    ASSERT_TRUE(server.Listen());
    QSignalSpy received(&server, &InstanceServer::HandOver);

    QByteArray fitsThenMore = EncodeHandOver(COPYDATA_OPEN_FILE, QStringLiteral("0/first.nsi"));
    fitsThenMore += QByteArray(10 * 1024 * 1024, 'y');
    QByteArray headerOnlyThenHuge(8, '\0');
    qToLittleEndian<quint32>(COPYDATA_OPEN_FILE, headerOnlyThenHuge.data());
    qToLittleEndian<quint32>(quint32(kMaxHandOverBytes), headerOnlyThenHuge.data() + 4);
    headerOnlyThenHuge += QByteArray(10 * 1024 * 1024, 'z');
    QByteArray oversized = EncodeHandOver(COPYDATA_OPEN_FILE, QStringLiteral("0/big.nsi"));
    qToLittleEndian<quint32>(quint32(kMaxHandOverBytes + 2), oversized.data() + 4);
    QByteArray unterminated = EncodeHandOver(COPYDATA_OPEN_FILE, QStringLiteral("0/a.nsi"));
    unterminated[unterminated.size() - 2] = 'b';
    const struct {
        const char* name;
        QByteArray bytes;
        int messages;  // what the bad client itself hands over
    } clients[] = {
        {"nothing", {}, 0},
        {"10 MB of text", QByteArray(10 * 1024 * 1024, 'x'), 0},
        {"a message followed by 10 MB", fitsThenMore, 1},
        {"a message of the largest size and 10 MB after it", headerOnlyThenHuge, 0},
        {"a header cut short", QByteArray("\x11\x27\0\0", 4), 0},
        {"an odd byte count", QByteArray("\x11\x27\0\0\x03\0\0\0abc", 11), 0},
        {"another program's message", EncodeHandOver(10002, QStringLiteral("0/foreign.nsi")), 0},
        {"a size over the largest", oversized + QByteArray(1024, 'x'), 0},
        {"a path without its terminator", unterminated, 0},
    };
    int expected = 0;
    for (const auto& client : clients) {
        auto bad = std::make_unique<QLocalSocket>();
        bad->connectToServer(m_socketName);
        ASSERT_TRUE(bad->waitForConnected(2000)) << client.name;
        bad->write(client.bytes);
        expected += client.messages;
        ASSERT_EVENTUALLY(received.count() == expected);

        const QString path = QStringLiteral("/after %1.nsi").arg(QLatin1StringView(client.name));
        SendRaw(m_socketName, EncodeHandOver(COPYDATA_OPEN_FILE, u'1' + path));
        ++expected;
        ASSERT_EVENTUALLY(received.count() == expected);
        EXPECT_EQ(received.last().at(0).value<HandOverMessage>().path, path) << client.name;
        bad.reset();
    }
    EXPECT_EQ(received.count(), expected);
}
