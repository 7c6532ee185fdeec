#include "FileCommands.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QScopedValueRollback>
#include <optional>
#include <vector>

#include "DialogFolders.h"
#include "Mainform.h"
#include "Subprogform.h"
#include "Files.h"

namespace orlan {

namespace {


constexpr int kCells = 0x10000;
// The window paints the progress and takes input this often: often enough for the bar to move
// smoothly, rarely enough that a whole file takes a few milliseconds.
constexpr int kCellsPerStep = 1024;

// Names as the file system wants them (the engine takes narrow strings).
std::string fsName(const QString& name) {
    return QFile::encodeName(name).toStdString();
}

QString fullName(const QString& name) {
    return QFileInfo(name).absoluteFilePath();
}

// The lock of long operations, released however the operation ends. It restores what it found,
// so an operation run from inside another one leaves the outer one locked.
class WorkspaceLock {
  public:
    explicit WorkspaceLock(TMainFrm& frm) : frm_(frm), wasLocked_(frm.workspaceLocked()) {
        frm_.setWorkspaceLocked(true);
    }
    ~WorkspaceLock() { frm_.setWorkspaceLocked(wasLocked_); }
    WorkspaceLock(const WorkspaceLock&) = delete;
    WorkspaceLock& operator=(const WorkspaceLock&) = delete;

  private:
    TMainFrm& frm_;
    bool wasLocked_;
};

// Status_TXT and Progress shown, then the lock; on the way out the display is hidden first.
class LongOperation {
  public:
    LongOperation(TMainFrm& frm, const QString& status) : frm_(frm) {
        frm_.showProgress(status, kCells);
        lock_.emplace(frm_);
    }
    ~LongOperation() {
        frm_.hideProgress();
        lock_.reset();
    }
    LongOperation(const LongOperation&) = delete;
    LongOperation& operator=(const LongOperation&) = delete;

    // One step of cells done, the last being cell: the bar moves and the window catches up.
    void stepDone(int cell) {
        frm_.setProgress(cell);
        QCoreApplication::processEvents();
    }

  private:
    TMainFrm& frm_;
    std::optional<WorkspaceLock> lock_;
};

QFileDialog* makeDialog(QWidget* parent, const char* name) {
    auto* dialog = new QFileDialog(parent);
    dialog->setObjectName(QLatin1String(name));
    dialog->setDefaultSuffix(QStringLiteral("vst"));
    // A name typed without an extension gets the one of the file type shown.
    QObject::connect(dialog, &QFileDialog::filterSelected, dialog, [dialog](const QString& filter) {
        dialog->setDefaultSuffix(filter.contains(QLatin1String("*.vsp")) ? QStringLiteral("vsp")
                                                                         : QStringLiteral("vst"));
    });
    return dialog;
}

// The dialog is kept between showings: its caption and file types follow the language, the
// file type chosen last stays chosen.
void setDialogTexts(QFileDialog* dialog, const QString& title) {
    dialog->setWindowTitle(title);
    const QStringList filters{WorkspaceFiles::tr("Файлы данных эмулятора ОРЛАН (*.vst)"),
                              WorkspaceFiles::tr("Файлы подпрограмм ОРЛАН (*.vsp)")};
    if (dialog->nameFilters() == filters) return;
    const qsizetype chosen = dialog->nameFilters().indexOf(dialog->selectedNameFilter());
    dialog->setNameFilters(filters);
    dialog->selectNameFilter(filters.at(chosen > 0 ? chosen : 0));
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The desktop's file dialogs

QString QtFileDialogs::openFileName(QWidget* parent) {
    if (!open_) {
        open_ = makeDialog(parent, "OpenDlg");
        open_->setAcceptMode(QFileDialog::AcceptOpen);
        open_->setFileMode(QFileDialog::ExistingFile);
    }
    setDialogTexts(open_, WorkspaceFiles::tr("Открыть файл данных эмулятора ОРЛАН"));
    return execFileDialog(open_);
}

QString QtFileDialogs::saveFileName(QWidget* parent, const QString& current) {
    if (!save_) {
        save_ = makeDialog(parent, "SaveDlg");
        save_->setAcceptMode(QFileDialog::AcceptSave);
        save_->setFileMode(QFileDialog::AnyFile);
        save_->setOption(QFileDialog::DontConfirmOverwrite, false);
    }
    setDialogTexts(save_, WorkspaceFiles::tr("Сохранить файл данных эмулятора ОРЛАН"));
    return execFileDialog(save_, current);
}

// ---------------------------------------------------------------------------------------------
// The commands

WorkspaceFiles::WorkspaceFiles(TMainFrm& frm, std::unique_ptr<FileDialogs> dialogs, QObject* parent)
    : QObject(parent), frm_(frm), dialogs_(std::move(dialogs)) {
    subProgFrm_ = new TSubProgFrm(&frm_);
    connect(subProgFrm_, &TSubProgFrm::transferRequested, this,
            &WorkspaceFiles::transferSubprogram);
}

WorkspaceFiles::~WorkspaceFiles() = default;

WorkspaceFiles::Kind WorkspaceFiles::kindOf(const QString& name) {
    const QString suffix = QFileInfo(name).suffix();
    if (suffix.compare(QLatin1String("vst"), Qt::CaseInsensitive) == 0) return Kind::State;
    if (suffix.compare(QLatin1String("vsp"), Qt::CaseInsensitive) == 0) return Kind::Subprogram;
    return Kind::Other;
}

void WorkspaceFiles::warn(MessageId id, const QString& name, QWidget* parent) {
    frm_.messages().show(makeMessage(id, QDir::toNativeSeparators(name).toStdString()), parent);
}

void WorkspaceFiles::open() {
    if (busy_) return;
    const QString chosen = dialogs_->openFileName(&frm_);
    if (chosen.isEmpty()) return;
    openFile(chosen, false);
}

void WorkspaceFiles::openFromDesktop(const QString& name) {
    if (busy_) return;
    openFile(name, true);
}

void WorkspaceFiles::openFile(const QString& name, bool fromDesktop) {
    openedName_ = fullName(name);
    // It may have gone since it was chosen; a folder is no file either.
    if (!QFileInfo(openedName_).isFile()) {
        warn(MessageId::FileNotFound, openedName_, &frm_);
        return;
    }
    // The open dialog only offers the two kinds; a name from the desktop can be anything.
    if (fromDesktop && kindOf(openedName_) == Kind::Other) {
        warn(MessageId::UnknownFileKind, openedName_, &frm_);
        return;
    }
    switch (kindOf(openedName_)) {
        case Kind::State:
            openStateFile(openedName_);
            break;
        case Kind::Subprogram:
            subProgFrm_->setMode(TSubProgFrm::Mode::Load);
            subProgFrm_->exec();  // OK loads it
            break;
        case Kind::Other:
            break;
    }
}

void WorkspaceFiles::openStateFile(const QString& name) {
    // The whole file is read and checked before the machine is touched.
    std::vector<uint8_t> image;
    switch (readStateFile(fsName(name), image)) {
        case FileError::None:
            break;
        case FileError::WrongSize:
            warn(MessageId::WrongStateFile, name, &frm_);
            return;
        case FileError::NotFound:
            warn(MessageId::FileNotFound, name, &frm_);
            return;
        default:
            warn(MessageId::CannotReadFile, name, &frm_);
            return;
    }
    currentName_ = name;
    {
        QScopedValueRollback<bool> busy(busy_, true);
        LongOperation operation(frm_, tr("Открытие:"));
        Machine& m = frm_.machine();
        for (int first = 0; first < kCells; first += kCellsPerStep) {
            const int last = first + kCellsPerStep - 1;
            applyStateMemory(image, m, static_cast<uint32_t>(first), static_cast<uint32_t>(last));
            operation.stepDone(last);
        }
        applyStateRegisters(image, m);
        frm_.clearHistory();
    }
    frm_.refreshView();
}

bool WorkspaceFiles::askSaveName() {
    const QString chosen = dialogs_->saveFileName(&frm_, currentName_);
    if (chosen.isEmpty()) return false;
    currentName_ = fullName(chosen);
    return true;
}

void WorkspaceFiles::save() {
    if (busy_) return;
    if (currentName_.isEmpty()) {
        // The first save of a session writes the whole machine whatever the name says.
        if (askSaveName()) writeStateFile(currentName_);
        return;
    }
    switch (kindOf(currentName_)) {
        case Kind::State:
            writeStateFile(currentName_);
            break;
        case Kind::Subprogram:
            // The range of the last subprogram saved, without asking again.
            subProgFrm_->setMode(TSubProgFrm::Mode::Save);
            transferSubprogram();
            break;
        case Kind::Other:
            break;
    }
}

void WorkspaceFiles::saveAs() {
    if (busy_) return;
    if (!askSaveName()) return;
    switch (kindOf(currentName_)) {
        case Kind::State:
            writeStateFile(currentName_);
            break;
        case Kind::Subprogram:
            subProgFrm_->setMode(TSubProgFrm::Mode::Save);
            subProgFrm_->exec();  // OK saves it
            break;
        case Kind::Other:
            break;
    }
}

void WorkspaceFiles::writeStateFile(const QString& name) {
    QScopedValueRollback<bool> busy(busy_, true);
    LongOperation operation(frm_, tr("Сохранение:"));
    // Nothing can change the machine under the lock, so the image taken now is what is written.
    // The bar walks the memory it holds while the window paints; the file is then written in one
    // go by the safe writer, so a failed save leaves the old file as it was.
    const std::vector<uint8_t> image = stateImage(frm_.machine());
    for (int last = kCellsPerStep - 1; last < kCells; last += kCellsPerStep)
        operation.stepDone(last);
    if (const FileError error = writeFileReplacing(fsName(name), image); error != FileError::None)
        warn(writeFailureMessage(error), name, &frm_);
}

void WorkspaceFiles::transferSubprogram() {
    WorkspaceLock lock(frm_);
    if (subProgFrm_->mode() == TSubProgFrm::Mode::Save)
        saveSubprogramFile();
    else
        loadSubprogramFile();
}

void WorkspaceFiles::saveSubprogramFile() {
    const uint16_t from = subProgFrm_->fromCell();
    const uint16_t to = subProgFrm_->toCell();
    if (to < from) {
        // The dialog stays open with the range as typed, to be corrected ("Сохранить" runs this
        // without showing it).
        warn(MessageId::SubprogramRange, {},
             subProgFrm_->isVisible() ? static_cast<QWidget*>(subProgFrm_) : &frm_);
        return;
    }
    subProgFrm_->accept();
    if (const FileError error = saveSubprogram(fsName(currentName_), frm_.machine(), from, to);
        error != FileError::None)
        warn(writeFailureMessage(error), currentName_, &frm_);
}

void WorkspaceFiles::loadSubprogramFile() {
    const uint16_t start = subProgFrm_->fromCell();
    std::vector<uint8_t> bytes;
    const FileError error = readSubprogram(fsName(openedName_), start, bytes);
    if (error == FileError::TooLarge) {
        // Another start cell may make it fit: the dialog stays open.
        warn(MessageId::SubprogramTooLarge, {}, subProgFrm_);
        return;
    }
    subProgFrm_->accept();
    switch (error) {
        case FileError::None:
            applySubprogram(bytes, start, frm_.machine());
            frm_.clearHistory();
            frm_.refreshView();
            break;
        case FileError::NotFound:
            warn(MessageId::FileNotFound, openedName_, &frm_);
            break;
        default:
            warn(MessageId::CannotReadFile, openedName_, &frm_);
            break;
    }
}

}  // namespace orlan
