// The network adapter behind port 03h: bytes over TCP between adapters on the loopback address,
// the settings it loads and repairs, its failures and its settings dialog.
#include <QLabel>
#include <QLineEdit>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <memory>
#include <vector>

#ifdef Q_OS_LINUX
#include <sys/resource.h>
#include <unistd.h>
#endif

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

// Two copies on one machine: each listens on its own loopback address and sends to the other's.
const QHostAddress kHostA(QStringLiteral("127.0.0.1"));
const QHostAddress kHostB(QStringLiteral("127.0.0.2"));

// One running copy of the adapter with the message boxes it showed.
struct Copy {
    ScriptedMessages messages;
    NetworkDevice device;
    Copy(Settings settings, const QHostAddress& listenOn) : device(std::move(settings), listenOn) {
        device.setFailureHandler([this](const MessageBox& box) { messages.show(box, nullptr); });
        device.loadSettings();
    }
};

HexDump dumpOf(const QByteArray& bytes) {
    HexDump dump;
    for (char c : bytes) dump.append(static_cast<unsigned char>(c));
    return dump;
}

// Remembers the window the last box was shown over.
struct ParentedMessages : ScriptedMessages {
    QWidget* parent = nullptr;
    bool show(const MessageBox& box, QWidget* over) override {
        parent = over;
        return ScriptedMessages::show(box, over);
    }
};

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

    void refusedConnectionIsReportedOncePerOutageAndALatePeerIsReached() {
        // The server listens on 127.0.0.1 only; 127.0.0.2 (loopback too) has no listener yet.
        const quint16 port = freePort();
        ScriptedMessages messages;
        TNetFrm frm(messages, nullptr, settingsWith("127.000.000.002", QString::number(port)),
                    kHostA);
        const QLabel* link = frm.findChild<QLabel*>("NetLinkState");
        frm.device().loadSettings();
        QTRY_COMPARE_WITH_TIMEOUT(messages.shown.size(), size_t(1), 3000);
        const MessageBox& box = messages.shown[0];
        QCOMPARE(box.id, MessageId::NetSocketError);
        QCOMPARE(QString::fromStdString(box.title), QStringLiteral("ОРЛАН - Ошибка сети"));
        QVERIFY(QString::fromStdString(box.text).contains("отверг запрос на подключение"));
        QCOMPARE(box.icon, MessageIcon::Warning);
        QVERIFY(frm.device().listening());
        QCOMPARE(link->text(), QStringLiteral("Связь: нет"));

        for (uint8_t b : {0x41, 0x42}) {  // each tries again, in vain, without a word
            frm.device().send(b);
            QTRY_COMPARE_WITH_TIMEOUT(frm.device().link(), NetLink::Down, 3000);
        }
        QCOMPARE(frm.findChild<QLineEdit*>("NetTxBuffer")->text(), QStringLiteral("42"));
        QCOMPARE(messages.shown.size(), size_t(1));

        // The peer comes up late: the next bytes connect and arrive in order.
        QTcpServer peer;
        QVERIFY(peer.listen(kHostB, port));
        frm.device().send('D');
        frm.device().send('E');
        QTRY_VERIFY_WITH_TIMEOUT(peer.hasPendingConnections(), 3000);
        QTcpSocket* from = peer.nextPendingConnection();
        QByteArray got;
        QTRY_COMPARE_WITH_TIMEOUT((got += from->readAll()), QByteArray("DE"), 3000);
        QCOMPARE(link->text(), QStringLiteral("Связь: установлена"));

        // It goes away again: a new outage, said once more.
        peer.close();
        from->abort();
        QTRY_COMPARE_WITH_TIMEOUT(link->text(), QStringLiteral("Связь: нет"), 3000);
        frm.device().send(0x46);
        frm.device().send(0x47);
        QTRY_COMPARE_WITH_TIMEOUT(messages.shown.size(), size_t(2), 3000);
        QTest::qWait(50);
        QCOMPARE(messages.shown.size(), size_t(2));
    }

    void twoCopiesLinkBothWaysWhicheverStartsFirstAndThroughReloads() {
        const QString port = QString::number(freePort());
        Copy a(settingsWith("127.000.000.002", port), kHostA);  // alone: refused, once
        QTRY_COMPARE_WITH_TIMEOUT(a.messages.shown.size(), size_t(1), 3000);
        Copy b(settingsWith("127.000.000.001", port), kHostB);
        QByteArray toA, toB;
        const auto ok = [](NetworkDevice& d) {  // the dialog's OK without changes
            QVERIFY(d.storeSettings(d.addressText(), d.portText()));
            d.loadSettings();
        };
        const std::function<void()> reloads[] = {
            [] {}, [&] { a.device.loadSettings(); }, [&] { b.device.loadSettings(); },
            [&] { ok(a.device); }, [&] { ok(b.device); }};
        for (const auto& reload : reloads) {
            reload();
            for (int i = 0; i < 3; ++i) {  // sent at once: the later ones wait for the link
                const char byte = char(toB.size());
                a.device.send(byte);
                toB += byte;
                b.device.send(byte ^ 0x80);
                toA += char(byte ^ 0x80);
            }
            QTRY_COMPARE_WITH_TIMEOUT(b.device.received().text(), dumpOf(toB).text(), 3000);
            QTRY_COMPARE_WITH_TIMEOUT(a.device.received().text(), dumpOf(toA).text(), 3000);
        }
        QCOMPARE(a.messages.shown.size(), size_t(1));
        QVERIFY(b.messages.shown.empty());
        QTRY_COMPARE_WITH_TIMEOUT(a.device.peerCount() + b.device.peerCount(), qsizetype(2), 3000);
    }

    void bytesWaitingForThePeerAreBoundedAndTheOverflowSaidOnce() {
        Copy a(settingsWith("127.000.000.002", QString::number(freePort())), kHostA);
        // No event is handled in between, so all of them wait for the attempt under way.
        for (qsizetype i = 0; i < NetworkDevice::kMaxWaitingBytes + 100; ++i) a.device.send(0x55);
        QCOMPARE(a.messages.count(MessageId::NetSendOverflow), 1);
        QTRY_COMPARE_WITH_TIMEOUT(a.messages.count(MessageId::NetSocketError), 1, 3000);
    }

    void theServerKeepsAtMostItsPeersAndTakesNewOnesWhenThereIsRoom() {
        const quint16 port = freePort();
        Copy a(settingsWith("127.000.000.002", QString::number(port)), kHostA);
        std::vector<std::unique_ptr<QTcpSocket>> peers;
        const auto connectPeers = [&](int n) {
            for (int i = 0; i < n; ++i) {
                peers.push_back(std::make_unique<QTcpSocket>());
                peers.back()->connectToHost(kHostA, port);
            }
        };
        const auto stillConnected = [&] {
            std::erase_if(peers,
                          [](auto& p) { return p->state() == QAbstractSocket::UnconnectedState; });
            return peers.size();
        };
        const int kMax = NetworkDevice::kMaxPeers;
        connectPeers(kMax + 4);
        QTRY_COMPARE_WITH_TIMEOUT(stillConnected(), size_t(kMax), 3000);  // 4 closed at once
        QCOMPARE(a.device.peerCount(), qsizetype(kMax));

        peers.erase(peers.begin(), peers.begin() + 2);  // two leave, two others come
        QTRY_COMPARE_WITH_TIMEOUT(a.device.peerCount(), qsizetype(kMax - 2), 3000);
        connectPeers(2);
        QTRY_COMPARE_WITH_TIMEOUT(a.device.peerCount(), qsizetype(kMax), 3000);
        peers.back()->write("~");
        QTRY_COMPARE_WITH_TIMEOUT(a.device.received().text(), QStringLiteral("0000  7E"), 3000);
        QCOMPARE(stillConnected(), size_t(kMax));
    }

#ifdef Q_OS_LINUX
    void acceptingRestsWhileNoDescriptorIsLeftAndResumesAfter() {
        const quint16 port = freePort();
        Copy a(settingsWith("127.000.000.002", QString::number(port)), kHostA);
        // One peer taken first: the server has found no more waiting once, which is when Qt's
        // own accepting spins on a later failure instead of giving up.
        QTcpSocket first, peer;
        first.connectToHost(kHostA, port);
        QTRY_COMPARE_WITH_TIMEOUT(a.device.peerCount(), qsizetype(1), 3000);
        peer.connectToHost(kHostA, port);  // its descriptor exists before the limit

        // Allow no descriptor above those in use: the server cannot take the connection.
        rlimit saved{};
        QCOMPARE(getrlimit(RLIMIT_NOFILE, &saved), 0);
        rlimit tight = saved;
        tight.rlim_cur = static_cast<rlim_t>(dup(0));
        close(static_cast<int>(tight.rlim_cur));
        QCOMPARE(setrlimit(RLIMIT_NOFILE, &tight), 0);
        struct SocketEvents : QObject {
            int count = 0;
            bool eventFilter(QObject*, QEvent* e) override {
                count += e->type() == QEvent::SockAct;
                return false;
            }
        } events;
        qApp->installEventFilter(&events);
        QTest::qWait(300);
        qApp->removeEventFilter(&events);
        setrlimit(RLIMIT_NOFILE, &saved);
        QCOMPARE(a.device.peerCount(), qsizetype(1));
        QVERIFY2(events.count < 20, qPrintable(QString::number(events.count)));  // no busy loop
        QTRY_COMPARE_WITH_TIMEOUT(a.device.peerCount(), qsizetype(2), 3000);
    }
#endif

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
        TNetSettFrm dialog(frm.device(), messages);
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

    void anAddressTypedWithDotsIsKeptAndAnInvalidOneSaidOverTheDialog() {
        ParentedMessages messages;
        Settings s = settingsWith("127.000.000.001", QString::number(freePort()));
        TNetFrm frm(messages, nullptr, s, QHostAddress::LocalHost);
        TNetSettFrm dialog(frm.device(), messages);
        auto* address = dialog.findChild<QLineEdit*>("Adress");
        const auto typeAndOk = [&](const char* keys) {
            dialog.show();
            address->setFocus();
            address->selectAll();
            QTest::keyClicks(address, QLatin1String(keys));
            dialog.accept();
        };
        typeAndOk("127.0.0.2");
        QVERIFY(!dialog.isVisible());
        QCOMPARE(s.read(kNetSection, kNetIpKey), QStringLiteral("127.000.000.002"));
        QCOMPARE(address->text(), QStringLiteral("127.000.000.002"));

        typeAndOk("127..1");
        QVERIFY(dialog.isVisible());
        QCOMPARE(messages.shown.size(), size_t(1));
        QCOMPARE(messages.shown[0].id, MessageId::NetAddressInvalid);
        QCOMPARE(messages.parent, &dialog);
        QCOMPARE(s.read(kNetSection, kNetIpKey), QStringLiteral("127.000.000.002"));
        dialog.reject();
        frm.device().closeClient();
    }

    void typingTheAddress_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("stored");  // what OK stores; null: OK refuses it
        const QString blank = AddressTyping::blank();
        QTest::newRow("dots move on and pad") << blank << 0 << "10.0.0.1" << "010.000.000.1  " << "010.000.000.001";
        QTest::newRow("commas do too") << blank << 0 << "10,0,0,1" << "010.000.000.1  " << "010.000.000.001";
        QTest::newRow("a dot after a full group") << blank << 0 << "127.0.0.1" << "127.000.000.1  " << "127.000.000.001";
        QTest::newRow("digits step over the dots") << blank << 0 << "192168001002" << "192.168.001.002" << "192.168.001.002";
        QTest::newRow("a dot pads where the cursor is") << "127.5  .000.001" << 5 << "." << "127.005.000.001" << "127.005.000.001";
        QTest::newRow("a full field takes no more") << "127.000.000.001" << 15 << "9." << "127.000.000.001" << "127.000.000.001";
        QTest::newRow("other keys are the field's") << blank << 0 << "1a-2" << "12 .   .   .   " << QString();
        QTest::newRow("an empty group stays empty") << blank << 0 << "1..5" << "001.   .5  .   " << QString();
        QTest::newRow("above 255") << blank << 0 << "256.1.1.1" << "256.001.001.1  " << QString();
    }
    void typingTheAddress() {
        QFETCH(QString, before);
        QFETCH(int, cursor);
        QFETCH(QString, keys);
        QFETCH(QString, after);
        QFETCH(QString, stored);
        AddressTyping typing(before, cursor);
        for (QChar key : keys) typing.type(key);
        QCOMPARE(typing.text(), after);
        QCOMPARE(AddressTyping::complete(typing.text()).value_or(QString()), stored);
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
