// The settings file ORLAN.ini: read and written back in the encoding and with the line ends it
// came with, every line the program does not know kept.
#include "Settings.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>

#include "Codepage.h"

using namespace orlan;

namespace {

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeContents(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

}  // namespace

TEST(SettingsFile, KeepsItsEncodingLineEndsAndUnknownLines) {
    struct Case {
        const char* name;
        std::function<QByteArray(const QString&)> encode;
        QByteArray lineEnd;
        bool finalBreak;
        QByteArray mark;
    };
    const auto cp1251 = [](const QString& t) { return toCp1251(t); };
    const auto utf8 = [](const QString& t) { return t.toUtf8(); };
    const Case cases[] = {
        {"windows", cp1251, "\r\n", true, {}},
        {"utf8", utf8, "\n", true, {}},
        {"utf8-mark-no-final-break", utf8, "\r\n", false, "\xEF\xBB\xBF"},
    };
    QTemporaryDir tmp;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto file = [&](const QStringList& lines) {
            QByteArray out = c.mark;
            for (qsizetype i = 0; i < lines.size(); ++i) {
                out += c.encode(lines[i]);
                if (i + 1 < lines.size() || c.finalBreak) out += c.lineEnd;
            }
            return out;
        };
        const QStringList before = {"; Настройки ОРЛАН",
                                    "[VZU]",
                                    "Floppy=C:\\Учёба\\Дискета",
                                    "HDD=D:\\",
                                    "",
                                    "[Лаборатория]",
                                    "Преподаватель=Иванов И. И."};
        const QString path = tmp.filePath(QString::fromLatin1(c.name) + ".ini");
        writeContents(path, file(before));

        const Settings settings(path);
        EXPECT_EQ(settings.read("vzu", "FLOPPY").toStdString(), "C:\\Учёба\\Дискета");
        ASSERT_TRUE(settings.write("VZU", "HDD", "C:\\Работа"));
        ASSERT_TRUE(settings.write("NetSettings", "IP", "127.000.000.001"));

        QStringList after = before;
        after[3] = "HDD=C:\\Работа";
        after << ""
              << "[NetSettings]"
              << "IP=127.000.000.001";
        EXPECT_EQ(contents(path).toStdString(), file(after).toStdString());
        EXPECT_EQ(settings.read("Лаборатория", "Преподаватель").toStdString(), "Иванов И. И.");
    }
}

// A folder name Windows-1251 has no letters for: the file goes over to UTF-8 rather than lose it.
TEST(SettingsFile, AValueOutsideWindows1251TurnsTheFileIntoUtf8) {
    QTemporaryDir tmp;
    const QString path = tmp.filePath("ORLAN.ini");
    writeContents(path, toCp1251("[VZU]\r\nFloppy=C:\\Учёба\r\n"));
    const Settings settings(path);
    ASSERT_TRUE(settings.write("VZU", "HDD", "/home/José"));
    EXPECT_EQ(contents(path).toStdString(), "[VZU]\r\nFloppy=C:\\Учёба\r\nHDD=/home/José\r\n");
    EXPECT_EQ(settings.read("VZU", "Floppy").toStdString(), "C:\\Учёба");
}
