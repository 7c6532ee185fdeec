// The about box: its first page, the hover look of the links, the site link, the change history,
// and the new-version check against a small HTTP server on this machine.
#include <QEnterEvent>
#include <QFile>
#include <QLabel>
#include <QNetworkProxy>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTextEdit>
#include <QtTest>

#include "Aboutform.h"
#include "Paths.h"
#include "scripted_messages.h"

using namespace orlan;
using orlan::test::ScriptedMessages;

namespace {

const QColor kPurple(128, 0, 128), kGreen(0, 128, 0), kNavy(0, 0, 128), kBlue(0, 0, 255);

const std::string kFailedText =
    "Произошла ошибка подключения к серверу.\nВозможно отсутствует подключение к Интернет.\n\n"
    "Проверьте подключение и повторите попытку снова.";
const std::string kNewText =
    "Имеется новая версия эмулятора. Посетите сайт программы:\nhttps://orlan.example.org/";
const std::string kNoNewText =
    "На данный момент пока нет новой версии эмулятора.\nСледите за обновлениями.";

struct RecordingOpener : UrlOpener {
    QList<QUrl> opened;
    bool open(const QUrl& url) override {
        opened << url;
        return true;
    }
};

// Answers every GET with one fixed HTTP/1.0 response, at once or when told to.
class LocalHttp : public QObject {
  public:
    QByteArray status = "200 OK";
    QByteArray body;
    bool holdAnswers = false;
    int requests = 0;
    QByteArray firstRequestLine;

    LocalHttp() {
        server_.listen(QHostAddress::LocalHost, 0);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = server_.nextPendingConnection())
                connect(s, &QTcpSocket::readyRead, this, [this, s] { onRead(s); });
        });
    }
    QUrl url() const {
        return QUrl(QStringLiteral("http://127.0.0.1:%1/version.txt").arg(server_.serverPort()));
    }
    void answerHeld() {
        for (QTcpSocket* s : std::exchange(held_, {})) answer(s);
    }

  private:
    void onRead(QTcpSocket* s) {
        QByteArray& request = buffers_[s];
        request += s->readAll();
        if (!request.contains("\r\n\r\n")) return;
        if (++requests == 1) firstRequestLine = request.left(request.indexOf("\r\n"));
        if (holdAnswers)
            held_ << s;
        else
            answer(s);
    }
    void answer(QTcpSocket* s) {
        s->write("HTTP/1.0 " + status + "\r\nContent-Type: text/plain\r\nContent-Length: " +
                 QByteArray::number(body.size()) + "\r\n\r\n" + body);
        s->disconnectFromHost();
    }
    QTcpServer server_;
    QHash<QTcpSocket*, QByteArray> buffers_;
    QList<QTcpSocket*> held_;
};

}  // namespace

class AboutTest : public QObject {
    Q_OBJECT

    ScriptedMessages* messages = nullptr;
    RecordingOpener* urls = nullptr;
    TAboutFrm* frm = nullptr;

    template <typename T>
    T* child(const char* name) {
        T* w = frm->findChild<T*>(QLatin1String(name));
        if (!w) qFatal("no control %s", name);
        return w;
    }
    QLabel* label(const char* name) { return child<QLabel>(name); }
    static QColor colour(const QLabel* l) { return l->palette().color(QPalette::WindowText); }
    QString versionFile() const { return besideExecutable(QStringLiteral("TmpVers.tmp")); }

    // Runs one check to its message; returns false when it never finished.
    bool runCheck() {
        QSignalSpy finished(frm, &TAboutFrm::versionCheckFinished);
        QTest::mouseClick(label("NewVersion_Link"), Qt::LeftButton);
        return finished.count() == 1 || finished.wait(10000);
    }

  private slots:
    void initTestCase() { QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy); }

    void init() {
        messages = new ScriptedMessages;
        urls = new RecordingOpener;
        frm = new TAboutFrm(*messages, *urls);
        QFile::remove(versionFile());
    }
    void cleanup() {
        delete frm;
        delete urls;
        delete messages;
    }

    void firstPageTextsAndColours() {
        QCOMPARE(frm->objectName(), QStringLiteral("AboutFrm"));
        QVERIFY(frm->isModal());
        auto* pages = child<QTabWidget>("Pages");
        QCOMPARE(pages->count(), 2);
        QCOMPARE(pages->tabText(0), QStringLiteral("О программе"));
        QCOMPARE(pages->tabText(1), QStringLiteral("Что нового"));

        struct Line {
            const char* name;
            QString text;
            QColor colour;
        };
        const Line lines[] = {
            {"Title1_Lbl", QStringLiteral("Программа-эмулятор микропроцессорной"), kPurple},
            {"Title2_Lbl", QStringLiteral("системы на базе микропроцессора ОРЛАН-М"), kPurple},
            {"Version_Lbl", QStringLiteral("Версия 1.0.2.1735"), kGreen},
            {"Site_Link", QStringLiteral("https://orlan.example.org/"), kNavy},
            {"NewVersion_Link", QStringLiteral("Получить сведенья о новой версии"), kNavy},
        };
        for (const Line& l : lines) {
            QCOMPARE(label(l.name)->text(), l.text);
            QCOMPARE(colour(label(l.name)), l.colour);
        }
        for (const char* link : {"Site_Link", "NewVersion_Link"}) {
            QVERIFY(label(link)->font().underline());
            QCOMPARE(label(link)->font().family(), QStringLiteral("MS Sans Serif"));
        }
        QCOMPARE(label("NewVersion_Link")->toolTip(),
                 QStringLiteral("Сведенья о новой версии эмулятора"));
        QVERIFY(!label("Icon_Img")->pixmap().isNull());
        QCOMPARE(TAboutFrm::localBuild(), 1735);
    }

    void hoverChangesLinkLookAndLeaveRestoresIt() {
        for (const char* name : {"Site_Link", "NewVersion_Link"}) {
            QLabel* link = label(name);
            QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
            QApplication::sendEvent(link, &enter);
            QCOMPARE(colour(link), kBlue);
            QCOMPARE(link->font().family(), QStringLiteral("Comic Sans MS"));
            QVERIFY(link->font().underline());
            QEvent leave(QEvent::Leave);
            QApplication::sendEvent(link, &leave);
            QCOMPARE(colour(link), kNavy);
            QCOMPARE(link->font().family(), QStringLiteral("MS Sans Serif"));
            QVERIFY(link->font().underline());
        }
    }

    void siteLinkOpensTheSiteThroughTheOpener() {
        QTest::mouseClick(label("Site_Link"), Qt::LeftButton);
        QCOMPARE(urls->opened, QList<QUrl>{QUrl(QStringLiteral("https://orlan.example.org/"))});
        QVERIFY(messages->shown.empty());
        QVERIFY(!frm->checking());
    }

    void whatsNewIsReadOnlyHistoryNewestFirst() {
        auto* memo = child<QTextEdit>("WhatsNew_Memo");
        QVERIFY(memo->isReadOnly());
        const QString text = memo->toPlainText();
        const int window = text.indexOf(QStringLiteral("Главное окно"));
        const int engine = text.indexOf(QStringLiteral("Ядро эмулятора"));
        QVERIFY(window >= 0 && engine >= 0);
        QVERIFY(window < engine);
    }

    void okClosesAndTheBoxIsCentredOnItsOwner() {
        QWidget owner;
        owner.setGeometry(40, 30, 700, 540);
        owner.show();
        auto* box = new TAboutFrm(*messages, *urls, &owner);
        box->open();
        QVERIFY(box->isVisible());
        const QPoint offset = box->geometry().center() - owner.geometry().center();
        QVERIFY2(offset.manhattanLength() <= 4,
                 qPrintable(QStringLiteral("offset %1,%2").arg(offset.x()).arg(offset.y())));
        QTest::mouseClick(box->findChild<QPushButton*>(QStringLiteral("OK_BTN")), Qt::LeftButton);
        QVERIFY(!box->isVisible());
        QCOMPARE(box->result(), int(QDialog::Accepted));
    }

    void versionCheck_data() {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("outcome");  // MessageId
        const int newer = int(MessageId::NewVersionAvailable);
        const int none = int(MessageId::NoNewVersion);
        const int failed = int(MessageId::VersionCheckFailed);
        QTest::newRow("newer build") << QByteArray("vers 1800 of 2027") << newer;
        QTest::newRow("one build newer") << QByteArray("vers 1736") << newer;
        QTest::newRow("same build") << QByteArray("vers 1735\r\n") << none;
        QTest::newRow("older build") << QByteArray("vers 1000") << none;
        // Only the 4 characters at offset 5 count.
        QTest::newRow("offset 5, not 0") << QByteArray("9999 1000") << none;
        QTest::newRow("four digits, not five") << QByteArray("vers 09999") << none;
        QTest::newRow("too short") << QByteArray("vers 18") << failed;
        QTest::newRow("not a number") << QByteArray("vers 18a0") << failed;
        QTest::newRow("empty page") << QByteArray() << failed;
    }
    void versionCheck() {
        QFETCH(QByteArray, body);
        QFETCH(int, outcome);
        LocalHttp server;
        server.body = body;
        frm->setVersionPageUrl(server.url());
        QByteArray duringMessage = "(none)";
        messages->whileShown = [&](const MessageBox&) {
            QFile file(versionFile());
            duringMessage = file.open(QIODevice::ReadOnly) ? file.readAll() : "(none)";
        };

        QVERIFY(runCheck());
        QCOMPARE(server.requests, 1);
        QCOMPARE(server.firstRequestLine.left(21), QByteArray("GET /version.txt HTTP"));
        QCOMPARE(messages->shown.size(), size_t(1));
        const MessageBox& box = messages->shown[0];
        QCOMPARE(int(box.id), outcome);
        switch (MessageId(outcome)) {
            case MessageId::NewVersionAvailable:
                QCOMPARE(box.title, std::string("ORLAN - Новая версия!"));
                QCOMPARE(box.text, kNewText);
                QCOMPARE(box.icon, MessageIcon::Warning);
                break;
            case MessageId::NoNewVersion:
                QCOMPARE(box.title, std::string("ORLAN - Нет новой версии"));
                QCOMPARE(box.text, kNoNewText);
                QCOMPARE(box.icon, MessageIcon::Warning);
                break;
            default:
                QCOMPARE(box.title, std::string("ORLAN - Ошибка"));
                QCOMPARE(box.text, kFailedText);
                QCOMPARE(box.icon, MessageIcon::Error);
                break;
        }
        // The page was kept in TmpVers.tmp beside the program while the message was up...
        QCOMPARE(duringMessage, body);
        // ...and is gone afterwards.
        QVERIFY(!QFile::exists(versionFile()));
        QVERIFY(!frm->checking());
    }

    void serverErrorPageIsAFailedCheck() {
        LocalHttp server;
        server.status = "404 Not Found";
        server.body = "vers 1800";
        frm->setVersionPageUrl(server.url());
        QVERIFY(runCheck());
        QCOMPARE(messages->shown.size(), size_t(1));
        QCOMPARE(messages->shown[0].id, MessageId::VersionCheckFailed);
        QVERIFY(!QFile::exists(versionFile()));
    }

    void refusedConnectionIsAFailedCheck() {
        quint16 closedPort;
        {
            QTcpServer probe;
            QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
            closedPort = probe.serverPort();
        }
        frm->setVersionPageUrl(
            QUrl(QStringLiteral("http://127.0.0.1:%1/version.txt").arg(closedPort)));
        QVERIFY(runCheck());
        QCOMPARE(messages->shown.size(), size_t(1));
        QCOMPARE(messages->shown[0].id, MessageId::VersionCheckFailed);
        QCOMPARE(messages->shown[0].title, std::string("ORLAN - Ошибка"));
        QVERIFY(!QFile::exists(versionFile()));
    }

    void silentServerTimesOut() {
        LocalHttp server;
        server.holdAnswers = true;
        frm->setVersionPageUrl(server.url());
        frm->setCheckTimeout(300);
        QVERIFY(runCheck());
        QCOMPARE(messages->shown.size(), size_t(1));
        QCOMPARE(messages->shown[0].id, MessageId::VersionCheckFailed);
        QVERIFY(!QFile::exists(versionFile()));
    }

    void secondClickWhileCheckingIsIgnored() {
        LocalHttp server;
        server.holdAnswers = true;
        server.body = "vers 1800";
        frm->setVersionPageUrl(server.url());
        QSignalSpy finished(frm, &TAboutFrm::versionCheckFinished);
        QTest::mouseClick(label("NewVersion_Link"), Qt::LeftButton);
        QVERIFY(frm->checking());
        QTRY_COMPARE_WITH_TIMEOUT(server.requests, 1, 5000);
        // The box keeps working meanwhile: a second click starts nothing.
        QTest::mouseClick(label("NewVersion_Link"), Qt::LeftButton);
        QTest::qWait(100);
        QCOMPARE(server.requests, 1);
        QVERIFY(messages->shown.empty());

        server.holdAnswers = false;
        server.answerHeld();
        QVERIFY(finished.wait(10000));
        QTest::qWait(100);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(messages->shown.size(), size_t(1));
        QCOMPARE(messages->shown[0].id, MessageId::NewVersionAvailable);

        // Once finished, the link checks again.
        QVERIFY(runCheck());
        QCOMPARE(server.requests, 2);
    }

    void closingTheProgramMidCheckLeavesNoFileAndNoMessage() {
        LocalHttp server;
        server.holdAnswers = true;
        frm->setVersionPageUrl(server.url());
        frm->checkNewVersion();
        QTRY_COMPARE_WITH_TIMEOUT(server.requests, 1, 5000);
        QVERIFY(QFile::exists(versionFile()));
        delete frm;
        frm = nullptr;
        QVERIFY(messages->shown.empty());
        QVERIFY(!QFile::exists(versionFile()));
    }
};

QTEST_MAIN(AboutTest)
#include "about_test.moc"
