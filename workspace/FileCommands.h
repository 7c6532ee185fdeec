// The "Файл" menu's Open, Save and Save as: the state file (".vst", the whole machine) and the
// subprogram file (".vsp", a memory range loaded at any start cell). The file formats live in the
// engine; this is the part with windows: the file dialogs, the subprogram dialog, the workspace
// lock and the progress display, and the messages when a file is wrong or cannot be written.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>

#include "Messages.h"

class QFileDialog;
class QWidget;

namespace orlan {

class TMainFrm;
class TSubProgFrm;

// Choosing a file to open or a name to save under; an empty result means the user cancelled.
class FileDialogs {
  public:
    virtual ~FileDialogs() = default;
    virtual QString openFileName(QWidget* parent) = 0;
    // current: the name the dialog starts with (the current file name, possibly empty).
    virtual QString saveFileName(QWidget* parent, const QString& current) = 0;
};

// The desktop's file dialogs. Each is created on first use and kept, so it remembers its folder.
class QtFileDialogs : public FileDialogs {
  public:
    QString openFileName(QWidget* parent) override;
    QString saveFileName(QWidget* parent, const QString& current) override;

  private:
    QPointer<QFileDialog> open_;
    QPointer<QFileDialog> save_;
};

class WorkspaceFiles : public QObject {
    Q_OBJECT
  public:
    WorkspaceFiles(TMainFrm& frm, std::unique_ptr<FileDialogs> dialogs, QObject* parent = nullptr);
    ~WorkspaceFiles() override;

    // --- the menu items ---
    void open();
    void save();
    void saveAs();
    // A file named on the command line or handed over by a second copy: opened as the open
    // dialog's choice would be, by its extension; any other kind is refused with a message.
    void openFromDesktop(const QString& name);
    bool busy() const { return busy_; }

    // Writes the whole machine under name, showing the progress under the workspace lock.
    void writeStateFile(const QString& name);
    // Loads or saves the range in the subprogram dialog's fields, as its mode says.
    void transferSubprogram();

    // The name "Сохранить" writes to: empty at start, the name last confirmed in the save
    // dialog or the last state file opened.
    const QString& currentFileName() const { return currentName_; }
    TSubProgFrm* subProgFrm() const { return subProgFrm_; }
    void setFileDialogs(std::unique_ptr<FileDialogs> dialogs) { dialogs_ = std::move(dialogs); }

  private:
    enum class Kind { State, Subprogram, Other };
    static Kind kindOf(const QString& name);

    bool askSaveName();
    void openFile(const QString& name, bool fromDesktop);
    void openStateFile(const QString& name);
    void saveSubprogramFile();
    void loadSubprogramFile();
    void warn(MessageId id, const QString& name, QWidget* parent);

    TMainFrm& frm_;
    std::unique_ptr<FileDialogs> dialogs_;
    TSubProgFrm* subProgFrm_ = nullptr;
    QString currentName_;
    QString openedName_;  // the file last chosen in the open dialog: a subprogram loads from it
    bool busy_ = false;   // a state file is being read or written (the window processes input)
};

}  // namespace orlan
