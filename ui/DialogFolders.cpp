#include "DialogFolders.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace orlan {

namespace {

QString& lastFolder() {
    static QString folder;
    return folder;
}

}  // namespace

QString dialogStartFolder() {
    if (!lastFolder().isEmpty() && QFileInfo(lastFolder()).isDir()) return lastFolder();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir()) return documents;
    return QDir::homePath();
}

void rememberDialogFolder(const QString& chosenFile) {
    if (chosenFile.isEmpty()) return;
    lastFolder() = QFileInfo(chosenFile).absolutePath();
}

QString execFileDialog(QFileDialog* dialog, const QString& name) {
    if (!QFileInfo(name).isAbsolute()) dialog->setDirectory(dialogStartFolder());
    dialog->selectFile(name);
    if (dialog->exec() != QDialog::Accepted) return {};
    const QString chosen = dialog->selectedFiles().value(0);
    rememberDialogFolder(chosen);
    return chosen;
}

}  // namespace orlan
