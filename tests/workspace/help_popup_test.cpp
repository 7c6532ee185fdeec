// The instruction help popup: which bytes of the help file it shows, what it does when the file
// is short or missing, which file it reads in English, and when it goes away.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "Commhelpform.h"
#include "Translations.h"

using namespace orlan;

namespace {

constexpr int kRecord = 1000;

// Every record filled with '#' and no zero byte, except where the test puts its own bytes.
QByteArray fullFile() { return QByteArray(256 * kRecord, '#'); }

void put(QByteArray& file, int record, const QByteArray& bytes) {
    file.replace(record * kRecord, bytes.size(), bytes);
}

}  // namespace

class HelpPopupTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    QString writeFile(const QString& name, const QByteArray& bytes) {
        const QString path = dir_.filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) return {};
        return path;
    }
    static QString title(TCommHelpFrm& frm) {
        return frm.findChild<QLabel*>(QStringLiteral("CommName"))->text();
    }
    static QString text(TCommHelpFrm& frm) {
        return frm.findChild<QPlainTextEdit*>(QStringLiteral("HlpText"))->toPlainText();
    }

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    void cleanup() {
        // A popup left open would swallow the next test's clicks.
        if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    }

    void windowAndControls() {
        TCommHelpFrm frm;
        QCOMPARE(frm.objectName(), QStringLiteral("CommHelpFrm"));
        QVERIFY(frm.isWindow());
        QVERIFY(frm.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(frm.windowModality(), Qt::NonModal);
        QCOMPARE(frm.size(), QSize(287, 136));
        QCOMPARE(frm.helpFile(), QCoreApplication::applicationDirPath() + "/CommHlp.vhp");

        auto* close = frm.findChild<QToolButton*>(QStringLiteral("Close_BTN"));
        auto* name = frm.findChild<QLabel*>(QStringLiteral("CommName"));
        auto* hlp = frm.findChild<QPlainTextEdit*>(QStringLiteral("HlpText"));
        QVERIFY(close && name && hlp);
        QCOMPARE(close->geometry(), QRect(0, 0, 16, 16));
        QCOMPARE(close->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(close->toolTip(), QStringLiteral("Закрыть справку по команде"));

        QVERIFY(name->geometry().left() >= 16);
        QVERIFY(name->alignment() & Qt::AlignHCenter);
        QVERIFY(name->font().bold());
        QVERIFY(hlp->geometry().top() >= 16);
        QVERIFY(frm.rect().contains(hlp->geometry()));
        QVERIFY(hlp->isReadOnly());
        QCOMPARE(hlp->palette().color(QPalette::Base), QColor(255, 255, 0));
        QVERIFY(QFontInfo(hlp->font()).fixedPitch());
    }

    void titles_data() {
        QTest::addColumn<int>("opcode");
        QTest::addColumn<QString>("mnemonic");
        QTest::addColumn<QString>("expected");
        QTest::newRow("00") << 0x00 << "NOP" << "00h  NOP";
        QTest::newRow("0A") << 0x0A << "LDAX B" << "0Ah  LDAX B";
        QTest::newRow("3E") << 0x3E << "MVI A, d8" << "3Eh  MVI A, d8";
        QTest::newRow("FF") << 0xFF << "RST 7" << "FFh  RST 7";
    }
    void titles() {
        QFETCH(int, opcode);
        QFETCH(QString, mnemonic);
        QFETCH(QString, expected);
        TCommHelpFrm frm;
        frm.setHelpFile(QStringLiteral(ORLAN_COMMHLP_FILE));
        QVERIFY(frm.showHelp(opcode, mnemonic));
        QCOMPARE(title(frm), expected);
    }

    void generatedFileFirstAndLastRecords() {
        TCommHelpFrm frm;
        frm.setHelpFile(QStringLiteral(ORLAN_COMMHLP_FILE));
        QVERIFY(frm.showHelp(0x00, QStringLiteral("NOP")));
        QCOMPARE(title(frm), QStringLiteral("00h  NOP"));
        QCOMPARE(text(frm), QStringLiteral("NOP — нет операции: процессор\n"
                                           "только увеличивает PC на 1.\n"
                                           "Длина: 1 байт (код 00).\n"
                                           "Тактов: 4.\n"
                                           "Циклы: Выборка команды.\n"
                                           "Флаги: не изменяются."));

        QVERIFY(frm.showHelp(0xFF, QStringLiteral("RST 7")));
        QVERIFY2(text(frm).startsWith(QStringLiteral("RST 7 — рестарт: адрес возврата в\nстек")),
                 qPrintable(text(frm)));
    }

    void recordsAreCutAtTheirZeroByte() {
        QByteArray bytes = fullFile();
        put(bytes, 0xFE, QByteArray("FE\0", 3));
        // "МАРКЕР FF", a CR LF line break, and junk after the zero byte.
        put(bytes, 0xFF, QByteArray("\xCC\xC0\xD0\xCA\xC5\xD0 FF\r\nline 2\0junk", 22));
        put(bytes, 0x10, QByteArray(kRecord - 1, 'x') + 'y');
        const QString path = writeFile(QStringLiteral("marked.vhp"), bytes);
        QVERIFY(!path.isEmpty());

        TCommHelpFrm frm;
        frm.setHelpFile(path);
        QVERIFY(frm.showHelp(0xFF, QStringLiteral("RST 7")));
        QCOMPARE(text(frm), QStringLiteral("МАРКЕР FF\nline 2"));
        QVERIFY(frm.showHelp(0xFE, QStringLiteral("CPI d8")));
        QCOMPARE(text(frm), QStringLiteral("FE"));
        // No zero byte at all: the whole record, and not a byte of the next one.
        QVERIFY(frm.showHelp(0x10, QStringLiteral("-")));
        QCOMPARE(text(frm), QString(kRecord - 1, 'x') + 'y');
    }

    void shortFileShowsWhatItHas() {
        QByteArray bytes = QByteArray("first\0", 6) + QByteArray(kRecord - 6, '\0');
        bytes += QByteArray(499, 'q') + 'E';  // record 01h: only 500 bytes, no zero byte
        const QString path = writeFile(QStringLiteral("short.vhp"), bytes);
        QVERIFY(!path.isEmpty());

        TCommHelpFrm frm;
        frm.setHelpFile(path);
        QVERIFY(frm.showHelp(0x00, QStringLiteral("NOP")));
        QCOMPARE(text(frm), QStringLiteral("first"));
        QVERIFY(frm.showHelp(0x01, QStringLiteral("LXI B, d16")));
        QCOMPARE(text(frm), QString(499, 'q') + 'E');
        // Beyond the end: an empty text, not the previous one.
        QVERIFY(frm.showHelp(0x02, QStringLiteral("STAX B")));
        QCOMPARE(title(frm), QStringLiteral("02h  STAX B"));
        QCOMPARE(text(frm), QString());
        QVERIFY(frm.showHelp(0xFF, QStringLiteral("RST 7")));
        QCOMPARE(text(frm), QString());
    }

    void missingFileChangesNothing() {
        TCommHelpFrm frm;
        frm.setHelpFile(QStringLiteral(ORLAN_COMMHLP_FILE));
        QVERIFY(frm.showHelp(0x00, QStringLiteral("NOP")));
        const QString oldText = text(frm);

        const QString missing = dir_.filePath(QStringLiteral("absent/CommHlp.vhp"));
        frm.setHelpFile(missing);
        QSignalSpy spy(&frm, &TCommHelpFrm::helpFileMissing);
        QVERIFY(!frm.showHelp(0x3E, QStringLiteral("MVI A, d8")));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), missing);
        QCOMPARE(title(frm), QStringLiteral("00h  NOP"));
        QCOMPARE(text(frm), oldText);
        QVERIFY(!frm.isVisible());
    }

    // In English the record comes from CommHlp.en.vhp, read again when the language changes
    // under an open popup; without that file the Russian record is shown, without complaint.
    void englishFileFollowsTheLanguage() {
        QByteArray russian = fullFile();
        QByteArray english = fullFile();
        put(russian, 0x3E, QByteArray("\xC7\xE0\xE3\xF0\xF3\xE7\xEA\xE0\0", 9));  // "Загрузка"
        put(english, 0x3E, QByteArray("Load\0", 5));
        QVERIFY(QDir(dir_.path()).mkpath(QStringLiteral("lang")));
        const QString russianPath = writeFile(QStringLiteral("lang/CommHlp.vhp"), russian);
        const QString englishPath = writeFile(QStringLiteral("lang/CommHlp.en.vhp"), english);
        QVERIFY(!russianPath.isEmpty() && !englishPath.isEmpty());

        LanguageSwitcher switcher(*qApp, QStringLiteral(ORLAN_TRANSLATIONS_DIR));
        TCommHelpFrm frm;
        frm.setHelpFile(russianPath);
        QCOMPARE(frm.englishHelpFile(), englishPath);
        QSignalSpy missing(&frm, &TCommHelpFrm::helpFileMissing);
        auto* close = frm.findChild<QToolButton*>(QStringLiteral("Close_BTN"));
        QVERIFY(frm.showHelp(0x3E, QStringLiteral("MVI A, d8")));
        QCOMPARE(text(frm), QStringLiteral("Загрузка"));

        QVERIFY(switcher.setLanguage(Language::English));
        QTRY_COMPARE(text(frm), QStringLiteral("Load"));
        QCOMPARE(title(frm), QStringLiteral("3Eh  MVI A, d8"));
        QCOMPARE(close->toolTip(), QStringLiteral("Close instruction help"));

        QVERIFY(QFile::remove(englishPath));
        QVERIFY(frm.showHelp(0x3E, QStringLiteral("MVI A, d8")));
        QCOMPARE(text(frm), QStringLiteral("Загрузка"));
        QCOMPARE(missing.count(), 0);

        // The generated English file lies beside the Russian one.
        frm.setHelpFile(QStringLiteral(ORLAN_COMMHLP_FILE));
        QVERIFY(frm.showHelp(0x00, QStringLiteral("NOP")));
        QVERIFY2(text(frm).startsWith(QStringLiteral("NOP - no operation")), qPrintable(text(frm)));

        QVERIFY(switcher.setLanguage(Language::Russian));
        QTRY_COMPARE(close->toolTip(), QStringLiteral("Закрыть справку по команде"));
        QVERIFY(text(frm).startsWith(QStringLiteral("NOP — нет операции")));
    }

    void popsUpBelowTheClickAndClosesWithItsButton() {
        TCommHelpFrm frm;
        frm.setHelpFile(QStringLiteral(ORLAN_COMMHLP_FILE));
        QVERIFY(frm.showHelp(0x00, QStringLiteral("NOP")));
        frm.popUpAt(QPoint(100, 200));
        QVERIFY(frm.isVisible());
        QCOMPARE(frm.geometry(), QRect(100, 220, 287, 136));

        QTest::mouseClick(frm.findChild<QToolButton*>(QStringLiteral("Close_BTN")),
                          Qt::LeftButton);
        QTRY_VERIFY(!frm.isVisible());

        // Only hidden: the same window comes back with what it showed.
        frm.popUpAt(QPoint(10, 10));
        QVERIFY(frm.isVisible());
        QCOMPARE(title(frm), QStringLiteral("00h  NOP"));
    }

    // A press outside closes it, whether it comes through the window system (as a real click
    // does) or is handed straight to a widget (as most widget tests do).
    void clickOutsideClosesIt_data() {
        QTest::addColumn<bool>("onParent");
        QTest::addColumn<bool>("throughWindowSystem");
        QTest::newRow("main window, window system") << true << true;
        QTest::newRow("main window, widget") << true << false;
        QTest::newRow("other window, window system") << false << true;
        QTest::newRow("other window, widget") << false << false;
    }
    void clickOutsideClosesIt() {
        QFETCH(bool, onParent);
        QFETCH(bool, throughWindowSystem);
        QWidget mainWindow;
        mainWindow.setGeometry(0, 0, 500, 400);
        mainWindow.show();
        QWidget otherWindow;
        otherWindow.setGeometry(520, 0, 200, 200);
        otherWindow.show();
        QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
        QVERIFY(QTest::qWaitForWindowExposed(&otherWindow));

        TCommHelpFrm frm(&mainWindow);
        frm.setHelpFile(QStringLiteral(ORLAN_COMMHLP_FILE));
        QVERIFY(frm.showHelp(0x76, QStringLiteral("HLT")));
        frm.popUpAt(mainWindow.mapToGlobal(QPoint(20, 20)));
        QVERIFY(QTest::qWaitForWindowExposed(&frm));

        // A press inside keeps it open.
        QTest::mouseClick(frm.findChild<QPlainTextEdit*>(QStringLiteral("HlpText"))->viewport(),
                          Qt::LeftButton, {}, QPoint(30, 30));
        QVERIFY(frm.isVisible());

        QWidget& target = onParent ? mainWindow : otherWindow;
        const QPoint at = onParent ? QPoint(450, 350) : QPoint(100, 100);  // clear of the popup
        if (throughWindowSystem)
            QTest::mouseClick(target.windowHandle(), Qt::LeftButton, {}, at);
        else
            QTest::mouseClick(&target, Qt::LeftButton, {}, at);
        QTRY_VERIFY(!frm.isVisible());
    }

    void leavingTheApplicationClosesIt() {
        TCommHelpFrm frm;
        frm.setHelpFile(QStringLiteral(ORLAN_COMMHLP_FILE));
        QVERIFY(frm.showHelp(0x00, QStringLiteral("NOP")));
        frm.popUpAt(QPoint(50, 50));
        QVERIFY(frm.isVisible());
        emit qApp->applicationStateChanged(Qt::ApplicationInactive);
        QVERIFY(!frm.isVisible());
    }
};

QTEST_MAIN(HelpPopupTest)
#include "help_popup_test.moc"
