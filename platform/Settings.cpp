#include "Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QStandardPaths>
#include <QStringDecoder>

#include "SafeFile.h"
#include "Codepage.h"
#include "Paths.h"

namespace orlan {

namespace {

const QString kFileName = QStringLiteral("ORLAN.ini");
const QByteArray kUtf8Mark = QByteArrayLiteral("\xEF\xBB\xBF");

// The file as it lies on the disk: its lines with their own line ends, in the encoding it was
// written in (a copy made on Windows is Windows-1251 with CR LF). A line the program does not
// change goes back byte for byte.
struct IniFile {
    struct Line {
        QString text;    // decoded, without its line end
        QByteArray raw;  // as read, without its line end
        QByteArray end;  // "\r\n", "\n", or nothing on a last line without a break
        bool changed = false;
    };
    QList<Line> lines;
    bool utf8 = true;  // a new file is UTF-8
    bool utf8Mark = false;
    QByteArray lineEnd = "\n";  // for new lines: the file's own

    QString decode(const QByteArray& raw) const {
        return utf8 ? QString::fromUtf8(raw) : fromCp1251(raw);
    }

    // A new line before `at`, with the line end the file uses. A file that ended without a break
    // keeps ending so.
    void insert(qsizetype at, const QString& text) {
        QByteArray end = lineEnd;
        if (at == lines.size() && !lines.isEmpty() && lines.last().end.isEmpty()) {
            lines.last().end = lineEnd;
            end.clear();
        }
        lines.insert(at, Line{text, {}, end, true});
    }

    // Back to bytes in the file's encoding. A value that Windows-1251 cannot hold turns the whole
    // file into UTF-8 rather than into question marks: the program reads either.
    QByteArray bytes() const {
        bool fits = true;
        QByteArray out = utf8Mark ? kUtf8Mark : QByteArray();
        for (const Line& line : lines) {
            bool ok = true;
            out += !line.changed ? line.raw : utf8 ? line.text.toUtf8() : toCp1251(line.text, &ok);
            out += line.end;
            fits = fits && ok;
        }
        if (fits) return out;
        out.clear();
        for (const Line& line : lines) out += line.text.toUtf8() + line.end;
        return out;
    }
};

bool isUtf8(QByteArrayView bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    [[maybe_unused]] const QString text = decoder.decode(bytes);  // decodes when converted
    return !decoder.hasError();
}

IniFile readFile(const QString& path) {
    IniFile file;
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly)) return file;
    QByteArray bytes = in.readAll();
    file.utf8 = isUtf8(bytes);
    if (file.utf8 && bytes.startsWith(kUtf8Mark)) {
        file.utf8Mark = true;
        bytes.remove(0, kUtf8Mark.size());
    }
    for (qsizetype start = 0; start < bytes.size();) {
        const qsizetype lf = bytes.indexOf('\n', start);
        const qsizetype next = lf < 0 ? bytes.size() : lf + 1;
        qsizetype textEnd = lf < 0 ? bytes.size() : lf;
        if (lf > start && bytes[lf - 1] == '\r') --textEnd;
        IniFile::Line line;
        line.raw = bytes.mid(start, textEnd - start);
        line.end = bytes.mid(textEnd, next - textEnd);
        line.text = file.decode(line.raw);
        file.lines.push_back(std::move(line));
        start = next;
    }
    for (const IniFile::Line& line : file.lines)
        if (!line.end.isEmpty()) {
            file.lineEnd = line.end;
            break;
        }
    return file;
}

// "[name]" gives name; anything else a null string.
QString sectionName(const QString& line) {
    const QString t = line.trimmed();
    if (t.size() < 2 || !t.startsWith(QLatin1Char('[')) || !t.endsWith(QLatin1Char(']'))) return {};
    return t.mid(1, t.size() - 2).trimmed();
}

bool isKeyLine(const QString& line, const QString& key, QString* value = nullptr) {
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0 || line.left(eq).trimmed().compare(key, Qt::CaseInsensitive) != 0) return false;
    // As the profile functions do: blanks round the value are not part of it.
    if (value) *value = line.mid(eq + 1).trimmed();
    return true;
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

}  // namespace

Settings::Settings() : path_(defaultPath()) {}

Settings::Settings(QString path) : path_(std::move(path)) {}

QString Settings::defaultPath() {
    const QFileInfo folder(executableFolder());
    if (folder.isDir() && folder.isWritable()) return besideExecutable(kFileName);
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
        .filePath(kFileName);
}

QString Settings::read(const QString& section, const QString& key, const QString& fallback) const {
    bool inSection = false;
    for (const IniFile::Line& line : readFile(path_).lines) {
        const QString name = sectionName(line.text);
        if (!name.isNull()) {
            inSection = sameName(name, section);
            continue;
        }
        QString value;
        if (inSection && isKeyLine(line.text, key, &value)) return value;
    }
    return fallback;
}

bool Settings::write(const QString& section, const QString& key, const QString& value) const {
    IniFile file = readFile(path_);
    auto& lines = file.lines;

    qsizetype sectionAt = -1;  // the header line
    qsizetype lastEntry = -1;  // the last non-blank line of the section
    bool inSection = false;
    bool done = false;
    for (qsizetype i = 0; i < lines.size() && !done; ++i) {
        const QString name = sectionName(lines[i].text);
        if (!name.isNull()) {
            if (inSection) break;  // the section ended without the key
            inSection = sameName(name, section);
            if (inSection) lastEntry = sectionAt = i;
            continue;
        }
        if (!inSection) continue;
        if (isKeyLine(lines[i].text, key)) {
            // The key keeps the spelling it has in the file.
            QString& text = lines[i].text;
            text = text.left(text.indexOf(QLatin1Char('=')) + 1) + value;
            lines[i].changed = true;
            done = true;
        } else if (!lines[i].text.trimmed().isEmpty()) {
            lastEntry = i;
        }
    }
    if (!done) {
        const QString entry = key + QLatin1Char('=') + value;
        if (sectionAt >= 0) {
            file.insert(lastEntry + 1, entry);
        } else {
            if (!lines.isEmpty() && !lines.last().text.trimmed().isEmpty())
                file.insert(lines.size(), {});
            file.insert(lines.size(), QLatin1Char('[') + section + QLatin1Char(']'));
            file.insert(lines.size(), entry);
        }
    }

    QDir().mkpath(QFileInfo(path_).absolutePath());
    const QByteArray bytes = file.bytes();
    return writeFileSafely(QFile::encodeName(path_).toStdString(),
                           std::span(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                     static_cast<size_t>(bytes.size())))
        .ok();
}

}  // namespace orlan
