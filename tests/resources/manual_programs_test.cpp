// The programs printed in the user manual do what the manual says. Each is marked in the page as
// <code class="program" data-...>bytes</code>, or as an assembly source
// <pre class="asm-program" data-...>text</pre> that the assembler takes without an error; the test
// loads the bytes at 0000 (a source: its cells, PC at its start), runs them through the engine into
// the real device classes and checks every outcome the marks name:
//   data-halt="AAAA"    the program stops at the HLT at AAAA
//   data-monitor="TEXT" the monitor shows TEXT from its top-left corner, in a visible colour
//   data-printer="TEXT" the printer's print text is TEXT
// The runner examples (--poke 0000=...) in the manual and the README must be marked programs, and
// the manual may call nothing but export unavailable.
#include <QFile>
#include <QRegularExpression>
#include <QtTest>

#include "Assembler.h"
#include "Commands.h"
#include "MonitorDevice.h"
#include "PortWiring.h"
#include "PrinterDevice.h"
#include "Machine.h"

using namespace orlan;

namespace {

struct SilentHost : Host {
    bool showMessage(const MessageBox&) override { return false; }
    void setEditingEnabled(bool) override {}
    void setRunMode(bool) override {}
    void setHaltItemEnabled(bool) override {}
    void processPendingInput() override {}
};

struct Program {
    QByteArray bytes;    // from 0000
    uint16_t start = 0;  // PC
    QString errors;      // what the assembler said about a source
    QMap<QString, QString> expect;  // data-* attributes without the prefix
};

QString readText(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) qFatal("cannot read %s", qPrintable(path));
    return QString::fromUtf8(f.readAll());
}

// The text of a <pre> as the reader sees and copies it.
QString unescaped(QString text) {
    return text.replace(QStringLiteral("&lt;"), QStringLiteral("<"))
        .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
        .replace(QStringLiteral("&quot;"), QStringLiteral("\""))
        .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
}

QList<Program> markedPrograms(const QString& html) {
    QList<Program> found;
    static const QRegularExpression code(
        QStringLiteral("<(code|pre)\\s+class=\"(program|asm-program)\"([^>]*)>(.*?)</\\1>"),
        QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression attribute(QStringLiteral("data-([a-z]+)=\"([^\"]*)\""));
    for (auto it = code.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        Program p;
        if (m.captured(2) == QLatin1String("program")) {
            p.bytes = QByteArray::fromHex(m.captured(4).simplified().remove(' ').toLatin1());
        } else {
            const asm8080::AssemblyResult r = asm8080::assemble(unescaped(m.captured(4)).toStdString(), "manual.asm");
            for (const asm8080::Diagnostic& d : r.errors) p.errors += QString::fromStdString(formatDiagnostic(d)) + '\n';
            int end = 0;
            for (int a = 0; a < static_cast<int>(r.written.size()); ++a)
                if (r.written[static_cast<size_t>(a)]) end = a + 1;
            p.bytes = QByteArray(reinterpret_cast<const char*>(r.image.data()), end);
            p.start = r.start;
        }
        for (auto a = attribute.globalMatch(m.captured(3)); a.hasNext();) {
            const QRegularExpressionMatch am = a.next();
            p.expect.insert(am.captured(1), am.captured(2));
        }
        found << p;
    }
    return found;
}

// Which pixels are lit: the colour may be any, but black is nothing to see.
QVector<bool> litPixels(const QImage& screen) {
    QVector<bool> lit;
    for (int y = 0; y < screen.height(); ++y)
        for (int x = 0; x < screen.width(); ++x) lit << (qGray(screen.pixel(x, y)) > 0);
    return lit;
}

}  // namespace

class ManualProgramsTest : public QObject {
    Q_OBJECT

    QString manual_ = readText(QStringLiteral(ORLAN_HELP_SOURCE_DIR "/ORLAN_Help.html"));
    QString readme_ = readText(QStringLiteral(ORLAN_README));

private slots:
    void programsDoWhatTheManualSays() {
        const QList<Program> programs = markedPrograms(manual_);
        QVERIFY2(programs.size() >= 3, "the worked examples (bytes and assembly) and the printer example are marked");
        for (const Program& p : programs) {
            QVERIFY2(p.errors.isEmpty(), qPrintable(p.errors));
            const QString name = QString::fromLatin1(p.bytes.toHex(' ').toUpper());
            for (const QString& key : p.expect.keys())
                QVERIFY2(QStringList({"halt", "monitor", "printer"}).contains(key),
                         qPrintable(name + ": unknown mark data-" + key));
            QVERIFY2(p.expect.contains("halt") && p.expect.size() >= 2,
                     qPrintable(name + ": says where it stops and what a device shows"));

            Machine machine;
            SilentHost host;
            DevicePorts ports;
            MonitorDevice monitor;
            PrinterDevice printer;
            ports.setMonitor(&monitor);
            ports.setPrinter(&printer);
            CCommands cpu(machine, host, ports);
            for (int i = 0; i < p.bytes.size(); ++i)
                machine.writeMemory(static_cast<uint16_t>(i), static_cast<uint8_t>(p.bytes[i]));
            machine.movePC(p.start);
            QCOMPARE(cpu.toggleRun(100000), RunEnd::Halted);
            QCOMPARE(QStringLiteral("%1").arg(machine.s.pc - 1, 4, 16, QLatin1Char('0')).toUpper(),
                     p.expect.value("halt"));

            if (p.expect.contains("monitor")) {
                MonitorDevice drawn;  // the same text drawn by hand in the brightest colour
                for (QChar c : p.expect.value("monitor")) {
                    drawn.byteInput(0x7F);
                    drawn.byteInput(static_cast<uint8_t>(c.toLatin1()));
                }
                QVERIFY2(litPixels(monitor.screen()) == litPixels(drawn.screen()),
                         qPrintable(name + ": the monitor does not show \"" +
                                    p.expect.value("monitor") + "\""));
            }
            if (p.expect.contains("printer"))
                QCOMPARE(printer.printText(), p.expect.value("printer"));
        }
    }

    void runnerExamplesAreMarkedPrograms() {
        QStringList marked;
        for (const Program& p : markedPrograms(manual_))
            marked << QString::fromLatin1(p.bytes.toHex().toUpper());
        static const QRegularExpression poke(QStringLiteral("--poke 0000=([0-9A-Fa-f]+)"));
        int examples = 0;
        for (const QString& text : {manual_, readme_}) {
            for (auto it = poke.globalMatch(text); it.hasNext(); ++examples) {
                const QString bytes = it.next().captured(1).toUpper();
                QVERIFY2(marked.contains(bytes),
                         qPrintable(bytes + " is not a program the manual checks"));
            }
        }
        QVERIFY(examples >= 3);
    }

    void onlyExportIsCalledUnavailable() {
        QString text = manual_;
        text.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
        static const QRegularExpression notYet(
            QStringLiteral("пока недоступн|пока не работа|в этой версии — никуда"));
        for (auto it = notYet.globalMatch(text); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            const QString before = text.mid(std::max(0, int(m.capturedStart()) - 60), 60);
            QVERIFY2(before.contains(QStringLiteral("кспорт")),
                     qPrintable("unavailable: ..." + before + m.captured()));
        }
    }
};

QTEST_MAIN(ManualProgramsTest)
#include "manual_programs_test.moc"
