// One copy per user: a second start exits silently, a crashed copy does not block the next one.
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "singleinstance.h"

class InstanceTest : public QObject {
    Q_OBJECT

    QTemporaryDir tmp;

    QProcess* start() {
        auto* p = new QProcess(this);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("TMPDIR", tmp.path());  // the lock lives in the user's temporary folder
        p->setProcessEnvironment(env);
        p->start(QStringLiteral(ORLAN_EXECUTABLE), {});
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

        first->kill();  // a crash: the lock file stays behind
        QVERIFY(first->waitForFinished(5000));
        QProcess* third = start();
        QTest::qWait(1500);
        QCOMPARE(third->state(), QProcess::Running);
        third->kill();
        third->waitForFinished(5000);
    }
};

QTEST_MAIN(InstanceTest)
#include "instance_test.moc"
