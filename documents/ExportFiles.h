// Where the export's files go and how they reach the disk and the desktop.
//
// Every file the export writes goes through writeExportFile: written beside its target and
// renamed over it, so an older export is replaced whole or not at all, and a link planted at the
// target's name is replaced, never written through.
#pragma once

#include <QByteArray>
#include <QString>

namespace orlan {

bool writeExportFile(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// The user's own folder for exported files (the shared temporary folder would let others read
// them or plant links in their place), under the per-user cache folder.
QString exportFolderPath();
// Creates the folder when it is missing and makes it readable by its owner only; refuses a link.
bool prepareExportFolder(const QString& folder, QString* error = nullptr);

// Opens a written file with the desktop's application for its type, behind a seam so tests see
// what would be opened without an application starting.
class FileOpener {
  public:
    virtual ~FileOpener() = default;
    // False when the desktop has nothing to open it with.
    virtual bool open(const QString& path) = 0;
};

class DesktopFileOpener : public FileOpener {
  public:
    bool open(const QString& path) override;
};

}  // namespace orlan
