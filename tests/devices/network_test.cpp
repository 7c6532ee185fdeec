// The network adapter behind port 03h: bytes over TCP between adapters on the loopback address,
// the settings it loads and repairs, its failures and its settings dialog.
#include <QLineEdit>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

#include "HexDumpView.h"
#include "NetworkDevice.h"
#include "Netform.h"
#include "Netsettform.h"
#include "scripted_messages.h"

using namespace orlan;
using orlan::test::ScriptedMessages;

namespace {

// A port nothing listens on at the moment.
quint16 freePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

}  // namespace

class NetworkTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    Settings settingsWith(const QString& ip, const QString& port) {
        Settings s(dir.filePath(QStringLiteral("ORLAN-%1.ini").arg(++files)));
        if (!ip.isNull()) s.write(kNetSection, kNetIpKey, ip);
        if (!port.isNull()) s.write(kNetSection, kNetPortKey, port);
        return s;
    }
    int files = 0;

  private slots:
    void sendsToItselfAndToAnotherAdapterOnTheSamePort() {
        const QString port = QString::number(freePort());
        ScriptedMessages messagesA, messagesB;
        TNetFrm a(messagesA, nullptr, settingsWith(kDefaultNetIp, port), QHostAddress::LocalHost);
        a.device().loadSettings();
        QTRY_VERIFY_WITH_TIMEOUT(a.device().clientConnected(), 3000);

        a.device().send(0x5A);
        QCOMPARE(a.findChild<QLineEdit*>("NetTxBuffer")->text(), QStringLiteral("5A"));
        QTRY_COMPARE_WITH_TIMEOUT(a.device().received().text(), QStringLiteral("0000  5A"), 3000);

        // A second copy on the same port cannot listen, says so, and still sends to the first.
        NetworkDevice b(settingsWith(QStringLiteral("127.000.000.001"), port), QHostAddress::LocalHost);
        b.setFailureHandler([&](const MessageBox& box) { messagesB.show(box, nullptr); });
        b.loadSettings();
        QVERIFY(!b.listening());
        QCOMPARE(messagesB.count(MessageId::NetSocketError), 1);
        QVERIFY(QString::fromStdString(messagesB.shown[0].text).contains("одно использование адреса"));
        QTRY_VERIFY_WITH_TIMEOUT(b.clientConnected(), 3000);
        for (int i = 1; i <= 17; ++i) b.send(static_cast<uint8_t>(i));  // faster than shown
        QTRY_COMPARE_WITH_TIMEOUT(a.device().received().byteCount(), qsizetype(18), 3000);
        QCOMPARE(a.device().received().text(),
                 QStringLiteral("0000  5A 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F\n0010  10 11"));

        a.show();
        QTRY_COMPARE_WITH_TIMEOUT(a.findChild<HexDumpView*>("NetRxBuffer")->text(),
                                  a.device().received().text(), 2000);
        a.clearBuffers();
        QVERIFY(a.findChild<HexDumpView*>("NetRxBuffer")->text().isEmpty());
        QVERIFY(a.findChild<QLineEdit*>("NetTxBuffer")->text().isEmpty());
        QVERIFY(b.clientConnected());  // clear leaves the connections alone
        QVERIFY(messagesA.shown.empty());
    }

    void refusedConnectionIsReportedAndLaterBytesAreDropped() {
        // The server listens on 127.0.0.1 only; 127.0.0.2 (loopback too) has no listener.
        ScriptedMessages messages;
        TNetFrm frm(messages, nullptr, settingsWith("127.000.000.002", QString::number(freePort())),
                    QHostAddress::LocalHost);
        frm.device().loadSettings();
        QTRY_COMPARE_WITH_TIMEOUT(messages.shown.size(), size_t(1), 3000);
        const MessageBox& box = messages.shown[0];
        QCOMPARE(box.id, MessageId::NetSocketError);
        QCOMPARE(QString::fromStdString(box.title), QStringLiteral("ОРЛАН - Ошибка сети"));
        QVERIFY(QString::fromStdString(box.text).contains("отверг запрос на подключение"));
        QCOMPARE(box.icon, MessageIcon::Warning);
        QVERIFY(frm.device().listening());

        frm.device().send(0x41);  // shown as sent, dropped without a word
        QCOMPARE(frm.findChild<QLineEdit*>("NetTxBuffer")->text(), QStringLiteral("41"));
        QTest::qWait(50);
        QCOMPARE(messages.shown.size(), size_t(1));
        QCOMPARE(frm.device().received().byteCount(), qsizetype(0));
    }

    void invalidStoredSettingsAreReplacedOnLoad_data() {
        QTest::addColumn<QString>("ip");
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("ipAfter");
        QTest::addColumn<QString>("portAfter");
        const QString free = QString::number(freePort());
        QTest::newRow("short address, letters") << "10.0.0.1" << "abc" << "127.000.000.001" << "30102";
        QTest::newRow("octet 256, port 70000") << "127.000.256.001" << "70000" << "127.000.000.001" << "30102";
        QTest::newRow("comma for a dot, -5") << "127,000.000.002" << "-5" << "127.000.000.001" << "30102";
        QTest::newRow("valid") << "127.000.000.002" << free << "127.000.000.002" << free;
        QTest::newRow("nothing stored") << QString() << QString() << "127.000.000.001" << "30102";
    }
    void invalidStoredSettingsAreReplacedOnLoad() {
        QFETCH(QString, ip);
        QFETCH(QString, port);
        QFETCH(QString, ipAfter);
        QFETCH(QString, portAfter);
        Settings s = settingsWith(ip, port);
        NetworkDevice device(s, QHostAddress::LocalHost);
        device.loadSettings();
        QCOMPARE(device.addressText(), ipAfter);
        QCOMPARE(device.portText(), portAfter);
        if (!ip.isNull()) {
            QCOMPARE(s.read(kNetSection, kNetIpKey), ipAfter);
            QCOMPARE(s.read(kNetSection, kNetPortKey), portAfter);
        }
        device.closeClient();
    }

    void dialogKeepsANonNumericPortOpenAndCancelRestoresTheDefault() {
        ScriptedMessages messages;
        Settings s = settingsWith("127.000.000.001", QString::number(freePort()));
        TNetFrm frm(messages, nullptr, s, QHostAddress::LocalHost);
        TNetSettFrm dialog(frm.device());
        QCOMPARE(dialog.findChild<QLineEdit*>("Adress")->text(), QStringLiteral("127.000.000.001"));
        QCOMPARE(dialog.findChild<QLineEdit*>("Port")->maxLength(), 5);

        dialog.show();
        dialog.findChild<QLineEdit*>("Port")->setText(QStringLiteral("12x"));
        dialog.accept();
        QVERIFY(dialog.isVisible());
        QCOMPARE(messages.count(MessageId::NetPortNotNumber), 1);
        QCOMPARE(s.read(kNetSection, kNetPortKey), QStringLiteral("12x"));  // stored before the error
        QVERIFY(!frm.device().clientConnected());

        dialog.reject();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(s.read(kNetSection, kNetPortKey), QStringLiteral("30102"));
        QCOMPARE(dialog.findChild<QLineEdit*>("Port")->text(), QStringLiteral("30102"));
        frm.device().closeClient();
    }

    void addressGroupsAreDecimal() {
        QCOMPARE(NetworkDevice::parseAddress("192.168.010.020"), QHostAddress("192.168.10.20"));
        QCOMPARE(NetworkDevice::parseAddress("127.000.000.001"), QHostAddress(QHostAddress::LocalHost));
    }

    void failuresPassThroughTheRunStopHook() {
        // The main window hears of a failure before its box is shown, and may stop a run and say so.
        ScriptedMessages messages;
        TNetFrm frm(messages, nullptr, settingsWith("127.000.000.002", QString::number(freePort())),
                    QHostAddress::LocalHost);
        connect(&frm, &TNetFrm::deviceFailed, &frm, [](MessageBox* box) { *box = withRunStopped(*box); });
        frm.device().loadSettings();
        QTRY_COMPARE_WITH_TIMEOUT(messages.shown.size(), size_t(1), 3000);
        QVERIFY(QString::fromStdString(messages.shown[0].text).endsWith("\nВыполнение программы остановлено."));
    }
};

QTEST_MAIN(NetworkTest)
#include "network_test.moc"
