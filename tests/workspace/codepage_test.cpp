// The hand-written code page tables: letters, the typographic extras, the classic screen glyphs
// of 866, and that no two codes share a character.
#include <QTest>

#include "Codepage.h"

using namespace orlan;

namespace {

QByteArray bytesFrom(int first, int count) {
    QByteArray out;
    for (int i = 0; i < count; ++i) out.append(static_cast<char>(first + i));
    return out;
}

const QString kUpper = QStringLiteral("АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ");
const QString kLower = QStringLiteral("абвгдежзийклмнопрстуфхцчшщъыьэюя");

}  // namespace

class CodePageTest : public QObject {
    Q_OBJECT
private slots:
    void cyrillicAlphabets() {
        QCOMPARE(kUpper.size(), 32);
        QCOMPARE(kLower.size(), 32);

        QCOMPARE(toCp1251(kUpper), bytesFrom(0xC0, 32));
        QCOMPARE(toCp1251(kLower), bytesFrom(0xE0, 32));
        QCOMPARE(fromCp1251(bytesFrom(0xC0, 32)), kUpper);
        QCOMPARE(fromCp1251(bytesFrom(0xE0, 32)), kLower);

        // 866 splits the lower case round the box-drawing block.
        QCOMPARE(toCp866(kUpper), bytesFrom(0x80, 32));
        QCOMPARE(toCp866(kLower), bytesFrom(0xA0, 16) + bytesFrom(0xE0, 16));
        QCOMPARE(fromCp866(bytesFrom(0x80, 32)), kUpper);
        QCOMPARE(fromCp866(bytesFrom(0xA0, 16) + bytesFrom(0xE0, 16)), kLower);
    }

    // -1: the character has no code in that page and must come out as '?'.
    void extras_data() {
        QTest::addColumn<QString>("ch");
        QTest::addColumn<int>("cp1251");
        QTest::addColumn<int>("cp866");
        QTest::newRow("Ё") << QStringLiteral("Ё") << 0xA8 << 0xF0;
        QTest::newRow("ё") << QStringLiteral("ё") << 0xB8 << 0xF1;
        QTest::newRow("№") << QStringLiteral("№") << 0xB9 << 0xFC;
        QTest::newRow("«") << QStringLiteral("«") << 0xAB << -1;
        QTest::newRow("»") << QStringLiteral("»") << 0xBB << -1;
        QTest::newRow("—") << QStringLiteral("—") << 0x97 << -1;
        QTest::newRow("€") << QStringLiteral("€") << 0x88 << -1;
        QTest::newRow("џ") << QStringLiteral("џ") << 0x9F << -1;
        QTest::newRow("Ґ") << QStringLiteral("Ґ") << 0xA5 << -1;
        QTest::newRow("І") << QStringLiteral("І") << 0xB2 << -1;
        QTest::newRow("Є") << QStringLiteral("Є") << 0xAA << 0xF2;
        QTest::newRow("Ї") << QStringLiteral("Ї") << 0xAF << 0xF4;
        QTest::newRow("Ў") << QStringLiteral("Ў") << 0xA1 << 0xF6;
        QTest::newRow("°") << QStringLiteral("°") << 0xB0 << 0xF8;
        QTest::newRow("nbsp") << QStringLiteral("\u00A0") << 0xA0 << 0xFF;
        QTest::newRow("√") << QStringLiteral("√") << -1 << 0xFB;
        QTest::newRow("■") << QStringLiteral("■") << -1 << 0xFE;
        QTest::newRow("░") << QStringLiteral("░") << -1 << 0xB0;
        QTest::newRow("─") << QStringLiteral("─") << -1 << 0xC4;
        QTest::newRow("═") << QStringLiteral("═") << -1 << 0xCD;
        QTest::newRow("█") << QStringLiteral("█") << -1 << 0xDB;
    }
    void extras() {
        QFETCH(QString, ch);
        QFETCH(int, cp1251);
        QFETCH(int, cp866);

        bool ok = cp1251 < 0;
        const QByteArray one = toCp1251(ch, &ok);
        if (cp1251 < 0) {
            QCOMPARE(one, QByteArray("?"));
            QVERIFY(!ok);
        } else {
            QCOMPARE(one, QByteArray(1, char(cp1251)));
            QVERIFY(ok);
            QCOMPARE(fromCp1251(one), ch);
        }
        const QByteArray two = toCp866(ch);
        if (cp866 < 0) {
            QCOMPARE(two, QByteArray("?"));
        } else {
            QCOMPARE(two, QByteArray(1, char(cp866)));
            QCOMPARE(fromCp866(two), ch);
        }
    }

    void cp866ClassicGlyphs() {
        const QString glyphs = QStringLiteral("☺☻♥♦♣♠•◘○◙♂♀♪♫☼►◄↕‼¶§▬↨↑↓→←∟↔▲▼");
        QCOMPARE(fromCp866(bytesFrom(0x01, 31)), glyphs);
        QCOMPARE(toCp866(glyphs), bytesFrom(0x01, 31));
        QCOMPARE(fromCp866(QByteArray("\x7F")), QStringLiteral("⌂"));
        QCOMPARE(toCp866(QStringLiteral("⌂")), QByteArray("\x7F"));
        // The control characters themselves still encode to their codes.
        QCOMPARE(toCp866(QStringLiteral("a\r\nb\x7F")), QByteArray("a\r\nb\x7F"));
        QCOMPARE(fromCp866(QByteArray("A~ z")), QStringLiteral("A~ z"));
    }

    // A slip in a table (two codes with one character) shows up as a byte that does not survive
    // the trip, wherever it is.
    void everyByteSurvivesTheRoundTrip() {
        for (int b = 0; b < 256; ++b) {
            const QByteArray one(1, char(b));
            const QString via866 = fromCp866(one);
            QCOMPARE(via866.size(), 1);
            QCOMPARE(toCp866(via866), one);
            if (b == 0x98) continue;
            bool ok = false;
            const QString via1251 = fromCp1251(one);
            QCOMPARE(via1251.size(), 1);
            QCOMPARE(toCp1251(via1251, &ok), one);
            QVERIFY2(ok, qPrintable(QString::number(b, 16)));
        }
        QCOMPARE(fromCp1251(bytesFrom(0x20, 0x5F)), fromCp866(bytesFrom(0x20, 0x5F)));
    }

    void cp1251UnassignedAndUnknown() {
        QCOMPARE(fromCp1251(QByteArray("a\x98z")), QStringLiteral("a\uFFFDz"));
        bool ok = true;
        QCOMPARE(toCp1251(QStringLiteral("\uFFFD"), &ok), QByteArray("?"));
        QVERIFY(!ok);

        QCOMPARE(toCp1251(QStringLiteral("Привет, мир!"), &ok),
                 QByteArray("\xCF\xF0\xE8\xE2\xE5\xF2, \xEC\xE8\xF0!"));
        QVERIFY(ok);
        QCOMPARE(toCp1251(QStringLiteral("a☺b"), &ok), QByteArray("a?b"));
        QVERIFY(!ok);
        // A character beyond the 16-bit range is one character, so one '?'.
        QCOMPARE(toCp1251(QStringLiteral("x😀y"), &ok), QByteArray("x?y"));
        QVERIFY(!ok);
        QCOMPARE(toCp866(QStringLiteral("x😀y")), QByteArray("x?y"));
        QCOMPARE(toCp1251(QString(), &ok), QByteArray());
        QVERIFY(ok);
    }
};

QTEST_APPLESS_MAIN(CodePageTest)
#include "codepage_test.moc"
