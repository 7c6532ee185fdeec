#include "ExportFiles.h"

#include "SafeFile.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace orlan {

namespace {

bool fail(QString* error, const QString& why) {
    if (error) *error = why;
    return false;
}

}  // namespace

bool writeExportFile(const QString& path, const QByteArray& bytes, QString* error) {
    // An export names a fixed file in its folder: a link found there was not made by us, so it is
    // taken away rather than followed.
    if (QFileInfo(path).isSymLink() && !QFile::remove(path))
        return fail(error, QStringLiteral("cannot replace the link ") + path);
    const SaveResult saved = writeFileSafely(
        QFile::encodeName(path).toStdString(),
        std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                 static_cast<size_t>(bytes.size())));
    if (!saved.ok()) return fail(error, QString::fromStdString(std::string(describe(saved.error))));
    return true;
}

QString exportFolderPath() {
    QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (cache.isEmpty()) cache = QDir::homePath() + QStringLiteral("/.cache");
    return cache + QStringLiteral("/orlan/export");
}

bool prepareExportFolder(const QString& folder, QString* error) {
    if (QFileInfo(folder).isSymLink()) return fail(error, folder + QStringLiteral(" is a link"));
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir())
        return fail(error, QStringLiteral("cannot create ") + folder);
    if (!QFile::setPermissions(
            folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner))
        return fail(error, QStringLiteral("cannot make ") + folder + QStringLiteral(" private"));
    return true;
}

namespace {

// On freedesktop systems the opener (xdg-open) starts whether or not any application takes the
// file's type, and then fails out of sight: ask for the type's application first. Anything but
// a clear "none" (no xdg-mime, an error) leaves the decision to the desktop.
bool noApplicationFor(const QString& path) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    const QString type =
        QMimeDatabase().mimeTypeForFile(path, QMimeDatabase::MatchExtension).name();
    QProcess query;
    query.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"), type});
    if (!query.waitForFinished(3000)) {
        query.kill();
        query.waitForFinished(1000);
        return false;
    }
    return query.exitStatus() == QProcess::NormalExit && query.exitCode() == 0 &&
           query.readAllStandardOutput().trimmed().isEmpty();
#else
    Q_UNUSED(path);
    return false;
#endif
}

}  // namespace

bool DesktopFileOpener::open(const QString& path) {
    if (noApplicationFor(path)) return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace orlan
