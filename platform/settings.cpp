#include "settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>

#include "paths.h"

namespace orlan {

namespace {

const QString kFileName = QStringLiteral("ORLAN.ini");

QStringList readLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (QString& line : lines)
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();  // the final line break
    return lines;
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

bool sameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

}  // namespace

Settings::Settings() : path_(defaultPath()) {}

Settings::Settings(QString path) : path_(std::move(path)) {}

QString Settings::defaultPath() {
    const QFileInfo folder(executableFolder());
    if (folder.isDir() && folder.isWritable()) return besideExecutable(kFileName);
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)).filePath(kFileName);
}

QString Settings::read(const QString& section, const QString& key, const QString& fallback) const {
    bool inSection = false;
    for (const QString& line : readLines(path_)) {
        const QString name = sectionName(line);
        if (!name.isNull()) {
            inSection = sameName(name, section);
            continue;
        }
        QString value;
        if (inSection && isKeyLine(line, key, &value)) return value;
    }
    return fallback;
}

bool Settings::write(const QString& section, const QString& key, const QString& value) const {
    QStringList lines = readLines(path_);
    const QString entry = key + QLatin1Char('=') + value;

    qsizetype sectionAt = -1;  // the header line
    qsizetype lastEntry = -1;  // the last non-blank line of the section
    bool inSection = false;
    bool done = false;
    for (qsizetype i = 0; i < lines.size() && !done; ++i) {
        const QString name = sectionName(lines[i]);
        if (!name.isNull()) {
            if (inSection) break;  // the section ended without the key
            inSection = sameName(name, section);
            if (inSection) lastEntry = sectionAt = i;
            continue;
        }
        if (!inSection) continue;
        if (isKeyLine(lines[i], key)) {
            // The key keeps the spelling it has in the file.
            lines[i] = lines[i].left(lines[i].indexOf(QLatin1Char('=')) + 1) + value;
            done = true;
        } else if (!lines[i].trimmed().isEmpty()) {
            lastEntry = i;
        }
    }
    if (!done) {
        if (sectionAt >= 0) {
            lines.insert(lastEntry + 1, entry);
        } else {
            if (!lines.isEmpty() && !lines.last().trimmed().isEmpty()) lines << QString();
            lines << QLatin1Char('[') + section + QLatin1Char(']') << entry;
        }
    }

    QDir().mkpath(QFileInfo(path_).absolutePath());
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write((lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    return file.commit();
}

}  // namespace orlan
