// One copy per user: a second start exits silently, a crashed copy does not block the next one,
// and a second start with a file hands it to the running copy through the local socket.
#include <QLocalSocket>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>
#include <atomic>
#include <thread>

#include "SingleInstance.h"

class InstanceTest : public QObject {
    Q_OBJECT

    QTemporaryDir tmp;

    QProcess* start(const QStringList& arguments = {}) {
        auto* p = new QProcess(this);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("TMPDIR", tmp.path());  // the lock lives in the user's temporary folder
        p->setProcessEnvironment(env);
        p->setWorkingDirectory(tmp.path());
        p->start(QStringLiteral(ORLAN_EXECUTABLE), arguments);
        p->waitForStarted(5000);
        return p;
    }

  private slots:
    void lockIsHeldOnceAndRecoveredFromADeadOwner() {
        const QString path = tmp.filePath("lock");
        orlan::SingleInstance first(path);
        QVERIFY(first.acquire());
        orlan::SingleInstance second(path);
        QVERIFY(!second.acquire());
    }

    void secondCopyExitsAndCrashedCopyDoesNotBlock() {
        QProcess* first = start();
        QTest::qWait(1500);  // long enough to take the lock and show the window
        QCOMPARE(first->state(), QProcess::Running);

        QProcess* second = start();
        QVERIFY(second->waitForFinished(10000));
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);
        QVERIFY(second->readAllStandardOutput().isEmpty());
        QCOMPARE(first->state(), QProcess::Running);  // the first one goes on

        // With a file: the running copy takes it (and says it is not there) and goes on.
        QProcess* withFile = start({QStringLiteral("missing.vst")});
        QVERIFY(withFile->waitForFinished(15000));
        QCOMPARE(withFile->exitCode(), 0);
        QCOMPARE(first->state(), QProcess::Running);

        first->kill();  // a crash: the lock file stays behind
        QVERIFY(first->waitForFinished(5000));
        QProcess* third = start();
        QTest::qWait(1500);
        QCOMPARE(third->state(), QProcess::Running);
        // The crashed copy's socket is gone too: the new copy listens in its place.
        QProcess* handing = start({QStringLiteral("again.vst")});
        QVERIFY(handing->waitForFinished(15000));
        QCOMPARE(handing->exitCode(), 0);
        third->kill();
        third->waitForFinished(5000);
    }
    // The test is the running copy: the real program, started with a relative name, hands over
    // the absolute path through the socket beside the lock.
    void secondCopyHandsItsFileToTheLockOwner() {
        QString user = qEnvironmentVariable("USER");
        if (user.isEmpty()) user = qEnvironmentVariable("USERNAME");
        if (user.isEmpty()) user = QStringLiteral("user");
        const QString lock = tmp.filePath(QStringLiteral("ORLAN_Mutex-%1.lock").arg(user));
        orlan::SingleInstance owner(lock);
        QVERIFY(owner.acquire());
        orlan::HandOverServer server;
        QVERIFY(server.listen(owner.serverName()));
        QStringList received;
        connect(&server, &orlan::HandOverServer::fileReceived, this,
                [&](const QString& p) { received << p; });

        QProcess* second = start({QStringLiteral("program.vsp")});
        QTRY_COMPARE_WITH_TIMEOUT(received.size(), 1, 15000);
        QCOMPARE(received[0], tmp.filePath(QStringLiteral("program.vsp")));
        QTRY_COMPARE_WITH_TIMEOUT(second->state(), QProcess::NotRunning, 10000);
        QCOMPARE(second->exitCode(), 0);
    }

    // Only one well-formed absolute path per connection is taken; the rest is dropped.
    void theServerTakesOnlyOnePath_data() {
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<QString>("taken");  // null: nothing
        const auto framed = [](const QByteArray& body, quint32 length) {
            char header[4];
            qToBigEndian<quint32>(length, header);
            return QByteArray(header, 4) + body;
        };
        const QByteArray good = QStringLiteral("/дом/урок 1.vst").toUtf8();
        QTest::newRow("absolute path")
            << framed(good, good.size()) << QStringLiteral("/дом/урок 1.vst");
        QTest::newRow("relative path") << framed("urok.vst", 8) << QString();
        QTest::newRow("not UTF-8") << framed("/\xff\xfe.vst", 7) << QString();
        QTest::newRow("NUL inside") << framed(QByteArray("/a\0b.vst", 8), 8) << QString();
        QTest::newRow("too long") << framed(QByteArray(5000, 'a').prepend('/'), 5001) << QString();
        QTest::newRow("two messages")
            << framed(good, good.size()) + framed(good, good.size()) << QString();
        QTest::newRow("cut short") << framed("/a.vst", 40) << QString();
        QTest::newRow("empty") << framed({}, 0) << QString();
    }
    void theServerTakesOnlyOnePath() {
        QFETCH(QByteArray, message);
        QFETCH(QString, taken);
        orlan::HandOverServer server;
        QVERIFY(server.listen(tmp.filePath("frames.socket")));
        QStringList received;
        connect(&server, &orlan::HandOverServer::fileReceived, this,
                [&](const QString& p) { received << p; });
        QLocalSocket client;
        client.connectToServer(server.fullServerName());
        QVERIFY(client.waitForConnected(2000));
        client.write(message);
        client.flush();
        if (taken.isNull()) {
            // The server hangs up at once, or when the sender's time is up.
            QTRY_COMPARE_WITH_TIMEOUT(client.state(), QLocalSocket::UnconnectedState,
                                      orlan::HandOverServer::kTimeoutMs + 2000);
            QVERIFY(received.isEmpty());
        } else {
            QTRY_COMPARE(received, QStringList{taken});
            QTRY_VERIFY(client.bytesAvailable() == 1);
        }
    }

    // A socket file left by a copy that crashed does not keep the next one from listening, and
    // the sender's end (blocking, as in a second copy) gets the answer.
    void aStaleSocketIsReplaced() {
        const QString name = tmp.filePath("stale.socket");
        QFile stale(name);
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.close();
        orlan::HandOverServer server;
        QVERIFY(server.listen(name));
        QStringList received;
        connect(&server, &orlan::HandOverServer::fileReceived, this,
                [&](const QString& p) { received << p; });
        std::atomic<bool> accepted = false;
        std::thread sender([&] { accepted = orlan::handOverFile(name, "/tmp/x.vsp", 5000); });
        const auto joined = qScopeGuard([&] { sender.join(); });
        QTRY_COMPARE(received, QStringList{"/tmp/x.vsp"});
        QTRY_VERIFY(accepted);
    }
};

QTEST_MAIN(InstanceTest)
#include "instance_test.moc"
