// The "Файл" menu's Open, Save and Save as in the real main window: state files, subprogram files
// through TSubProgFrm, the workspace lock and the messages, with scripted file dialogs.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <optional>

#include "FileCommands.h"
#include "Mainform.h"
#include "MemoryView.h"
#include "Subprogform.h"
#include "file_size_limit.h"
#include "scripted_messages.h"

using namespace orlan;
using orlan::test::FileSizeLimit;
using orlan::test::ScriptedMessages;

namespace {

// Answers the file dialogs from the test; a hook runs while a dialog is "open".
struct ScriptedDialogs : FileDialogs {
    QString openAnswer, saveAnswer;
    int openShown = 0, saveShown = 0;
    QString saveStartedWith;
    std::function<void()> whileOpen;

    QString openFileName(QWidget*) override {
        ++openShown;
        if (whileOpen) whileOpen();
        return openAnswer;
    }
    QString saveFileName(QWidget*, const QString& current) override {
        ++saveShown;
        saveStartedWith = current;
        return saveAnswer;
    }
};

struct ShowCounter : QObject {
    int shows = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        shows += e->type() == QEvent::Show;
        return false;
    }
};

// The message texts, word for word; name is the file's full path.
QString notFoundText(const QString& name) {
    return "Файл \"" + name +
           "\"\nне найден.\nВозможно: он используется другой программой,\nу Вас нет прав на "
           "открытие этого "
           "файла или он не существует.\n\nДействие отменено.";
}
QString wrongFileText(const QString& name) {
    return "Файл \"" + name +
           "\"\nне является файлом данных эмулятора ПМ системы ОРЛАН.\nВозможно, он принадлежит "
           "другой или "
           "более старой версии эмулятора.\n\nДействие отменено.";
}
QString cannotWriteText(const QString& name) {
    return "Невозможно сохранить файл\n" + name +
           "\nВозможно он защищён от записи или находится на носителе, предназначенном только для "
           "чтения.\n\n"
           "Попробуйте снять защиту от записи или выбрать другой файл (носитель).";
}
QString diskFullText(const QString& name) {
    return "Невозможно сохранить файл\n" + name +
           "\nНа носителе недостаточно свободного места.\n\n"
           "Освободите место на носителе или выберите другой файл (носитель).";
}

const QString kRangeText =
    "Введён неверный диапазон сохраняемых ячеек памяти.\n\nНомер начальной ячейки должен быть "
    "меньше или "
    "равен конечной.\nДействие отменено.\n\nПроверьте правильность введённого диапазона и "
    "продолжите работу с "
    "эмулятором.";
const QString kTooLargeText =
    "Введено неверное значение начальной ячейки ОЗУ и/или файл подпрограммы слишком "
    "велик.\nДействие "
    "отменено.\n\nПроверьте правильность введённого номера начальной ячейки или попробуйте "
    "разместить "
    "подпрограмму, начиная с более младшего адреса.";

// Every control the workspace lock switches, and a few it leaves alone.
const char* const kLockedWidgets[] = {
    "RAM_Num_ED", "RAM_UpDn",     "RAM_Val_ED",    "RAM_Enter_BTN", "REG_Nam_ED",
    "REG_UpDn",   "REG_Val_ED",   "REG_Enter_BTN", "DoProgram_BTN", "DoCommand_BTN",
    "DoTime_BTN", "ResetRAM_BTN", "ResetRegs_BTN", "RegW_Val",      "RegZ_Val",
    "RegA_Val",   "RegB_Val",     "RegC_Val",      "RegD_Val",      "RegE_Val",
    "RegH_Val",   "RegL_Val",     "PC_Val",        "SP_Val",        "MemGrid"};
const char* const kLockedMenus[] = {"File_Menu", "MP_Menu", "View_Menu", "Settings_Menu",
                                    "Help_Menu"};
const char* const kUnlockedWidgets[] = {"Data_Buf", "Addr_Buf", "Flags_Reg", "Cmd_DC", "SchemeImg"};

QByteArray bytesOf(std::initializer_list<int> values) {
    QByteArray b;
    for (int v : values) b.append(static_cast<char>(v));
    return b;
}

}  // namespace

class FilesWindowTest : public QObject {
    Q_OBJECT

    ScriptedMessages* messages = nullptr;
    TMainFrm* frm = nullptr;
    ScriptedDialogs* dialogs = nullptr;
    WorkspaceFiles* files = nullptr;
    QTemporaryDir* dir = nullptr;

    QString path(const QString& name) { return dir->filePath(name); }
    void writeFile(const QString& name, const QByteArray& bytes) {
        QFile f(name);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray readFile(const QString& name) {
        QFile f(name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    Machine& m() { return frm->machine(); }
    TSubProgFrm* dlg() { return files->subProgFrm(); }
    template <typename T>
    T* child(QObject* parent, const char* name) {
        T* w = parent->findChild<T*>(QLatin1String(name));
        if (!w) qFatal("no control %s", name);
        return w;
    }
    QLineEdit* fromEd() { return child<QLineEdit>(dlg(), "From_Ed"); }
    QLineEdit* toEd() { return child<QLineEdit>(dlg(), "To_Ed"); }
    QPushButton* okBtn() { return child<QPushButton>(dlg(), "OK_BTN"); }
    QPushButton* cancelBtn() { return child<QPushButton>(dlg(), "Cancel_BTN"); }

    // The listed controls all off and the others on (locked), or the listed ones all on.
    bool workspaceLocked() {
        for (const char* name : kLockedWidgets)
            if (child<QWidget>(frm, name)->isEnabled()) return false;
        for (const char* name : kLockedMenus)
            if (child<QMenu>(frm, name)->menuAction()->isEnabled()) return false;
        for (const char* name : kUnlockedWidgets)
            if (!child<QWidget>(frm, name)->isEnabled()) return false;
        return true;
    }
    bool workspaceFree() {
        for (const char* name : kLockedWidgets)
            if (!child<QWidget>(frm, name)->isEnabled()) return false;
        for (const char* name : kLockedMenus)
            if (!child<QMenu>(frm, name)->menuAction()->isEnabled()) return false;
        return !child<QLabel>(frm, "Status_TXT")->isVisible() &&
               !child<QProgressBar>(frm, "Progress")->isVisible();
    }

    // The subprogram dialog runs its own event loop: act on it once it is up.
    void onDialog(std::function<void()> act) {
        auto* poll = new QTimer(frm);
        poll->setInterval(5);
        connect(poll, &QTimer::timeout, frm, [this, poll, act] {
            if (!dlg()->isVisible()) return;
            poll->stop();
            poll->deleteLater();
            act();
            if (dlg()->isVisible())
                cancelBtn()->click();  // never leave a test hanging in the dialog
        });
        poll->start();
    }
    void fill(const QString& from, const QString& to = {}) {
        fromEd()->setText(from);
        if (!to.isNull()) toEd()->setText(to);
    }
    void fillMemory(int seed) {
        for (int i = 0; i < 0x10000; ++i)
            m().writeMemory(static_cast<uint16_t>(i), static_cast<uint8_t>(i * 7 + seed));
        frm->refreshView();
    }
    void saveSubprogramAs(const QString& name, const QString& from, const QString& to) {
        dialogs->saveAnswer = name;
        onDialog([=, this] {
            fill(from, to);
            okBtn()->click();
        });
        files->saveAs();
    }

  private slots:
    void init() {
        dir = new QTemporaryDir;
        QVERIFY(dir->isValid());
        messages = new ScriptedMessages;
        frm = new TMainFrm(*messages);
        auto scripted = std::make_unique<ScriptedDialogs>();
        dialogs = scripted.get();
        files = new WorkspaceFiles(*frm, std::move(scripted), frm);
        frm->show();
        QVERIFY(QTest::qWaitForWindowExposed(frm));
    }
    void cleanup() {
        delete frm;
        delete messages;
        delete dir;
    }

    void stateFileSavedAndReopenedRestoresTheMachineButNotTheFlags() {
        fillMemory(3);
        MachineState& s = m().s;
        const uint8_t regs[] = {0xA1, 0xB2, 0xC3, 0xD4, 0xE5, 0x48, 0x4C};  // A B C D E H L
        const Reg order[] = {A, B, C, D, E, H, L};
        for (int i = 0; i < 7; ++i) s.reg[order[i]] = regs[i];
        s.w = 0x57;
        s.z = 0x5A;
        m().setPC(0x1234);
        m().setSP(0xFFFF);
        frm->refreshView();
        const std::array<uint8_t, 65536> memory = s.memory;

        dialogs->saveAnswer = path("work.vst");
        files->saveAs();
        QVERIFY(messages->shown.empty());
        QCOMPARE(files->currentFileName(), path("work.vst"));
        const QByteArray file = readFile(path("work.vst"));
        QCOMPARE(file.size(), 65549);
        QCOMPARE(file.mid(65536), bytesOf({0xA1, 0xB2, 0xC3, 0xD4, 0xE5, 0x48, 0x4C, 0x57, 0x5A,
                                           0x34, 0x12, 0xFF, 0xFF}));
        QCOMPARE(file.left(4), bytesOf({0x03, 0x0A, 0x11, 0x18}));

        // Everything different, the flags included, before opening it again.
        fillMemory(0x55);
        s.reg = {};
        s.w = s.z = 0;
        m().setPC(0x0040);
        m().setSP(0x2000);
        s.flags = 0xD7;
        frm->refreshView();
        dialogs->saveAnswer.clear();

        dialogs->openAnswer = path("work.vst");
        files->open();
        QVERIFY(messages->shown.empty());
        QVERIFY(s.memory == memory);
        for (int i = 0; i < 7; ++i) QCOMPARE(s.reg[order[i]], regs[i]);
        QCOMPARE(int(s.w), 0x57);
        QCOMPARE(int(s.z), 0x5A);
        QCOMPARE(int(s.pc), 0x1234);
        QCOMPARE(int(s.sp), 0xFFFF);
        QCOMPARE(int(s.flags), 0xD7);
        QCOMPARE(files->currentFileName(), path("work.vst"));
        // The window shows what was opened: the scheme, PC's row and cell.
        QCOMPARE(child<QLabel>(frm, "RegA_Val")->text(), QStringLiteral("A1"));
        QCOMPARE(child<QLabel>(frm, "PC_Val")->text(), QStringLiteral("1234"));
        QCOMPARE(child<QLabel>(frm, "SP_Val")->text(), QStringLiteral("FFFF"));
        QCOMPARE(child<MemoryView>(frm, "MemGrid")->selectedAddress(), 0x1234);
        QCOMPARE(child<QLineEdit>(frm, "RAM_Num_ED")->text(), QStringLiteral("1234"));
        QCOMPARE(child<QLineEdit>(frm, "RAM_Val_ED")->text(),
                 QStringLiteral("6F"));  // 1234h * 7 + 3 = 7F6Fh
        QVERIFY(workspaceFree());
    }

    void theLockHoldsExactlyTheListedControlsWhileAStateFileIsReadOrWritten() {
        int steps = 0;
        bool alwaysLocked = true;
        QString status;
        auto* bar = child<QProgressBar>(frm, "Progress");
        connect(bar, &QProgressBar::valueChanged, this, [&](int value) {
            if (value == 0) return;  // the reset when the bar appears
            ++steps;
            alwaysLocked =
                alwaysLocked && workspaceLocked() && bar->isVisible() && bar->maximum() == 0x10000;
            status = child<QLabel>(frm, "Status_TXT")->text();
        });

        dialogs->saveAnswer = path("lock.vst");
        files->saveAs();
        QVERIFY(steps > 0);
        QVERIFY(alwaysLocked);
        QCOMPARE(status, QStringLiteral("Сохранение:"));
        QVERIFY(workspaceFree());

        steps = 0;
        dialogs->openAnswer = path("lock.vst");
        files->open();
        QVERIFY(steps > 0);
        QVERIFY(alwaysLocked);
        QCOMPARE(status, QStringLiteral("Открытие:"));
        QVERIFY(workspaceFree());
    }

    void stateFilesOfTheWrongSizeAreRefused_data() {
        QTest::addColumn<int>("size");
        QTest::newRow("one byte short") << 65548;
        QTest::newRow("one byte long") << 65550;
        QTest::newRow("empty") << 0;
    }
    void stateFilesOfTheWrongSizeAreRefused() {
        QFETCH(int, size);
        fillMemory(1);
        const MachineState before = m().s;
        const QString name = path("odd.vst");
        writeFile(name, QByteArray(size, '\x42'));

        dialogs->openAnswer = name;
        files->open();
        QCOMPARE(messages->shown.size(), size_t(1));
        const MessageBox& box = messages->shown[0];
        QCOMPARE(QString::fromStdString(box.title),
                 QStringLiteral("ОРЛАН - Ошибка открытия файла"));
        QCOMPARE(QString::fromStdString(box.text), wrongFileText(name));
        QCOMPARE(box.icon, MessageIcon::Warning);
        QCOMPARE(box.buttons, MessageButtons::Ok);
        QVERIFY(m().s == before);
        QVERIFY(files->currentFileName().isEmpty());
        QVERIFY(workspaceFree());
    }

    void anOpenedFileThatIsNotThereIsReported_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("deleted after choosing") << "deleted";
        QTest::newRow("folder named like a state file") << "folder.vst";
        QTest::newRow("folder") << "folder";
        QTest::newRow("relative name") << "relative";
    }
    void anOpenedFileThatIsNotThereIsReported() {
        QFETCH(QString, kind);
        const MachineState before = m().s;
        QString expectedName;
        if (kind == "deleted") {
            expectedName = path("gone.vst");
            writeFile(expectedName, QByteArray(65549, '\x11'));
            dialogs->openAnswer = expectedName;
            dialogs->whileOpen = [&] { QFile::remove(expectedName); };
        } else if (kind == "relative") {
            QVERIFY(QDir::setCurrent(dir->path()));
            dialogs->openAnswer = "missing.vst";
            expectedName = path("missing.vst");
        } else {
            expectedName = path(kind);
            QVERIFY(QDir().mkdir(expectedName));
            dialogs->openAnswer = expectedName;
        }
        files->open();
        QCOMPARE(messages->shown.size(), size_t(1));
        QCOMPARE(QString::fromStdString(messages->shown[0].title),
                 QStringLiteral("ОРЛАН - Ошибка открытия файла"));
        QCOMPARE(QString::fromStdString(messages->shown[0].text), notFoundText(expectedName));
        QVERIFY(m().s == before);
        QVERIFY(files->currentFileName().isEmpty());
        QVERIFY(workspaceFree());
    }

    void aStateFileThatCannotBeReadIsReported() {
        const QString name = path("secret.vst");
        writeFile(name, QByteArray(65549, '\x22'));
        QVERIFY(QFile::setPermissions(name, QFileDevice::WriteOwner));
        if (QFile probe(name); probe.open(QIODevice::ReadOnly)) QSKIP("this user reads any file");
        const MachineState before = m().s;
        dialogs->openAnswer = name;
        files->open();
        QCOMPARE(messages->count(MessageId::CannotReadFile), 1);
        QVERIFY(
            QString::fromStdString(messages->shown[0].text).startsWith("Файл \"" + name + "\"\n"));
        QVERIFY(m().s == before);
        QVERIFY(files->currentFileName().isEmpty());
        QVERIFY(workspaceFree());
    }

    void aSaveThatCannotWriteKeepsThePreviousFile_data() {
        QTest::addColumn<QString>("where");
        QTest::newRow("new file in a read-only folder") << "folder";
        QTest::newRow("write-protected file") << "file";
        QTest::newRow("a folder chosen as the file") << "chosen folder";
        QTest::newRow("medium full") << "full";
    }
    void aSaveThatCannotWriteKeepsThePreviousFile() {
        QFETCH(QString, where);
        QString name;
        QByteArray previous(65549, '\x33');
        std::optional<FileSizeLimit> full;
        if (where == "folder") {
            QVERIFY(QDir().mkdir(path("ro")));
            name = path("ro/state.vst");
            previous.clear();
            QVERIFY(QFile::setPermissions(path("ro"),
                                          QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                              QFileDevice::ReadGroup | QFileDevice::ExeGroup |
                                              QFileDevice::ReadOther | QFileDevice::ExeOther));
        } else if (where == "file") {
            name = path("locked.vst");
            writeFile(name, previous);
            QVERIFY(QFile::setPermissions(name, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
        } else if (where == "full") {
            name = path("full.vst");
            writeFile(name, previous);
            full.emplace(8192);
        } else {
            name = path("dir.vst");
            QVERIFY(QDir().mkdir(name));
        }
        fillMemory(9);
        const MachineState before = m().s;
        bool lockedWhileShown = false;
        messages->whileShown = [&](const MessageBox&) { lockedWhileShown = workspaceLocked(); };

        dialogs->saveAnswer = name;
        files->saveAs();
        full.reset();
        QCOMPARE(messages->shown.size(), size_t(1));
        QCOMPARE(QString::fromStdString(messages->shown[0].title),
                 QStringLiteral("ОРЛАН - Ошибка записи файла"));
        QCOMPARE(QString::fromStdString(messages->shown[0].text),
                 where == "full" ? diskFullText(name) : cannotWriteText(name));
        QVERIFY(lockedWhileShown);
        QVERIFY(workspaceFree());
        QVERIFY(m().s == before);
        if (where == "chosen folder")
            QVERIFY(QFileInfo(name).isDir());
        else
            QCOMPARE(readFile(name), previous);
        QCOMPARE(QDir(QFileInfo(name).path()).entryList(QDir::Files | QDir::Hidden).size(),
                 where == "chosen folder" || previous.isEmpty() ? 0 : 1);
        QFile::setPermissions(
            path("ro"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

    // Which command each chosen name leads to, whatever its letter case.
    void saveAsGoesByTheExtension_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("outcome");
        QTest::newRow(".vst") << "a.vst"
                              << "state";
        QTest::newRow(".VsT") << "b.VsT"
                              << "state";
        QTest::newRow(".vsp") << "c.vsp"
                              << "dialog";
        QTest::newRow(".VSP") << "d.VSP"
                              << "dialog";
        QTest::newRow(".txt") << "e.txt"
                              << "nothing";
        QTest::newRow("no extension") << "f"
                                      << "nothing";
        QTest::newRow(".vst.bak") << "g.vst.bak"
                                  << "nothing";
        QTest::newRow("vst without the dot") << "hvst"
                                             << "nothing";
    }
    void saveAsGoesByTheExtension() {
        QFETCH(QString, name);
        QFETCH(QString, outcome);
        ShowCounter counter;
        dlg()->installEventFilter(&counter);
        QString caption;
        onDialog([&] {
            caption = dlg()->windowTitle();
            cancelBtn()->click();
        });
        dialogs->saveAnswer = path(name);
        files->saveAs();

        QVERIFY(messages->shown.empty());
        QCOMPARE(files->currentFileName(), path(name));  // a confirmed name is kept whatever it is
        QCOMPARE(QFileInfo::exists(path(name)), outcome == "state");
        if (outcome == "state") QCOMPARE(QFileInfo(path(name)).size(), 65549);
        QCOMPARE(counter.shows, outcome == "dialog" ? 1 : 0);
        if (outcome == "dialog") QCOMPARE(caption, QStringLiteral("Сохранение подпрограммы"));

        // "Сохранить" after it: a state file is written again, anything else is left alone.
        dialogs->saveAnswer.clear();
        QFile::remove(path(name));
        files->save();
        QCOMPARE(QFileInfo::exists(path(name)), outcome != "nothing");
        QCOMPARE(dialogs->saveShown, 1);
        QCOMPARE(counter.shows, outcome == "dialog" ? 1 : 0);
        QVERIFY(workspaceFree());
    }

    void openingAnotherExtensionDoesNothing() {
        const QString name = path("state.bin");
        writeFile(name, QByteArray(65549, '\x44'));
        const MachineState before = m().s;
        ShowCounter counter;
        dlg()->installEventFilter(&counter);
        dialogs->openAnswer = name;
        files->open();
        QVERIFY(messages->shown.empty());
        QVERIFY(m().s == before);
        QCOMPARE(counter.shows, 0);
        QVERIFY(files->currentFileName().isEmpty());
    }

    void subprogramRangesGiveFilesOfTheirLength_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("size");
        QTest::newRow("sixteen bytes") << "0100"
                                       << "010F" << 0x0100 << 16;
        QTest::newRow("from = to") << "ABCD"
                                   << "ABCD" << 0xABCD << 1;
        QTest::newRow("whole memory") << "0000"
                                      << "FFFF" << 0 << 65536;
        QTest::newRow("last cell") << "FFFF"
                                   << "FFFF" << 0xFFFF << 1;
    }
    void subprogramRangesGiveFilesOfTheirLength() {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(int, first);
        QFETCH(int, size);
        fillMemory(5);
        QString caption, operation;
        bool endFieldShown = false;
        dialogs->saveAnswer = path("part.vsp");
        onDialog([&] {
            caption = dlg()->windowTitle();
            operation = child<QLabel>(dlg(), "Label3")->text();
            endFieldShown = toEd()->isVisible() && child<QLabel>(dlg(), "Label2")->isVisible();
            fill(from, to);
            okBtn()->click();
        });
        files->saveAs();
        QCOMPARE(caption, QStringLiteral("Сохранение подпрограммы"));
        QCOMPARE(operation, QStringLiteral("Сохранить подпрограмму в файл"));
        QVERIFY(endFieldShown);
        QVERIFY(messages->shown.empty());
        QVERIFY(!dlg()->isVisible());
        const QByteArray file = readFile(path("part.vsp"));
        QCOMPARE(file.size(), size);
        QCOMPARE(static_cast<uint8_t>(file[0]), static_cast<uint8_t>(first * 7 + 5));
        QCOMPARE(static_cast<uint8_t>(file[size - 1]),
                 static_cast<uint8_t>((first + size - 1) * 7 + 5));
        QVERIFY(workspaceFree());
    }

    void aReversedRangeIsRefusedAndTheDialogStaysOpen() {
        writeFile(path("keep.vsp"), "previous");
        bool openAfterMessage = false, lockedWhileShown = false;
        QString fromAfter, toAfter;
        messages->whileShown = [&](const MessageBox&) { lockedWhileShown = workspaceLocked(); };
        dialogs->saveAnswer = path("keep.vsp");
        onDialog([&] {
            fill("0200", "01FF");
            okBtn()->click();
            openAfterMessage = dlg()->isVisible();
            fromAfter = fromEd()->text();
            toAfter = toEd()->text();
            cancelBtn()->click();
        });
        files->saveAs();
        QCOMPARE(messages->shown.size(), size_t(1));
        QCOMPARE(QString::fromStdString(messages->shown[0].title),
                 QStringLiteral("ОРЛАН - Ошибка сохранения подпрограммы"));
        QCOMPARE(QString::fromStdString(messages->shown[0].text), kRangeText);
        QVERIFY(openAfterMessage);
        QCOMPARE(fromAfter, QStringLiteral("0200"));
        QCOMPARE(toAfter, QStringLiteral("01FF"));
        QVERIFY(lockedWhileShown);
        QVERIFY(workspaceFree());
        QCOMPARE(readFile(path("keep.vsp")), QByteArray("previous"));
    }

    void saveWithASubprogramNameSavesTheLastRangeAgainWithoutAsking() {
        fillMemory(0);
        saveSubprogramAs(path("again.vsp"), "0200", "0203");
        QCOMPARE(readFile(path("again.vsp")), bytesOf({0x00, 0x07, 0x0E, 0x15}));

        frm->newWorkspace();  // "Новый" keeps the name; memory is all NOP afterwards
        m().writeMemory(0x201, 0x76);
        ShowCounter counter;
        dlg()->installEventFilter(&counter);
        files->save();
        QCOMPARE(counter.shows, 0);
        QCOMPARE(dialogs->saveShown, 1);
        QVERIFY(messages->shown.empty());
        QCOMPARE(readFile(path("again.vsp")), bytesOf({0x00, 0x76, 0x00, 0x00}));

        // The fields keep the range the next time the dialog appears.
        QString from, to;
        onDialog([&] {
            from = fromEd()->text();
            to = toEd()->text();
            cancelBtn()->click();
        });
        files->saveAs();
        QCOMPARE(from, QStringLiteral("0200"));
        QCOMPARE(to, QStringLiteral("0203"));
        QCOMPARE(dialogs->saveStartedWith, path("again.vsp"));
    }

    void theFirstSaveWritesAStateFileEvenUnderASubprogramName() {
        dialogs->saveAnswer = path("first.vsp");
        ShowCounter counter;
        dlg()->installEventFilter(&counter);
        files->save();
        QCOMPARE(dialogs->saveShown, 1);
        QCOMPARE(counter.shows, 0);
        QCOMPARE(QFileInfo(path("first.vsp")).size(), 65549);
        QCOMPARE(files->currentFileName(), path("first.vsp"));
    }

    void cancellingTheSaveDialogWritesNothing() {
        files->save();
        files->saveAs();
        QCOMPARE(dialogs->saveShown, 2);
        QVERIFY(files->currentFileName().isEmpty());
        QVERIFY(QDir(dir->path()).isEmpty());
        QVERIFY(messages->shown.empty());
        QVERIFY(workspaceFree());
    }

    void aSubprogramLoadsWhereItFits() {
        writeFile(path("sixteen.vsp"), QByteArray::fromHex("000102030405060708090A0B0C0D0E0F"));
        fillMemory(0x80);
        const MachineState before = m().s;
        QString caption, operation;
        bool endFieldHidden = false, openAfterMessage = false;
        dialogs->openAnswer = path("sixteen.vsp");
        onDialog([&] {
            caption = dlg()->windowTitle();
            operation = child<QLabel>(dlg(), "Label3")->text();
            endFieldHidden = !toEd()->isVisible() && !child<QLabel>(dlg(), "Label2")->isVisible();
            fill("FFF1");
            okBtn()->click();  // one byte too far
            openAfterMessage = dlg()->isVisible();
            fill("FFF0");
            okBtn()->click();
        });
        files->open();
        QCOMPARE(caption, QStringLiteral("Открытие подпрограммы"));
        QCOMPARE(operation, QStringLiteral("Загрузить подпрограмму в область ОЗУ"));
        QVERIFY(endFieldHidden);
        QCOMPARE(messages->shown.size(), size_t(1));
        QCOMPARE(QString::fromStdString(messages->shown[0].title),
                 QStringLiteral("ОРЛАН - Ошибка открытия подпрограммы"));
        QCOMPARE(QString::fromStdString(messages->shown[0].text), kTooLargeText);
        QVERIFY(openAfterMessage);
        QVERIFY(!dlg()->isVisible());
        for (int k = 0; k < 16; ++k) QCOMPARE(int(m().s.memory[0xFFF0 + k]), k);
        for (int a = 0; a < 0xFFF0; ++a)
            if (m().s.memory[a] != before.memory[a]) QFAIL("a cell below the subprogram changed");
        QCOMPARE(child<MemoryView>(frm, "MemGrid")->model()->index(0xFFF5, 1).data().toString(),
                 QStringLiteral("05"));
        QVERIFY(files->currentFileName().isEmpty());
        QVERIFY(workspaceFree());
    }

    void subprogramsThatChangeNothing_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("start");
        QTest::addColumn<bool>("refused");
        QTest::newRow("empty at 0000") << 0 << "0000" << false;
        QTest::newRow("empty at FFFF") << 0 << "FFFF" << false;
        QTest::newRow("64 KiB and one byte at 0000") << 65537 << "0000" << true;
        QTest::newRow("64 KiB at 0001") << 65536 << "0001" << true;
        QTest::newRow("cancelled") << 4 << "" << false;
    }
    void subprogramsThatChangeNothing() {
        QFETCH(int, size);
        QFETCH(QString, start);
        QFETCH(bool, refused);
        writeFile(path("p.vsp"), QByteArray(size, '\x99'));
        fillMemory(2);
        const MachineState before = m().s;
        dialogs->openAnswer = path("p.vsp");
        onDialog([&] {
            if (start.isEmpty()) {
                fill("0010");
                cancelBtn()->click();
                return;
            }
            fill(start);
            okBtn()->click();
        });
        files->open();
        QCOMPARE(messages->count(MessageId::SubprogramTooLarge), refused ? 1 : 0);
        QCOMPARE(messages->shown.size(), size_t(refused ? 1 : 0));
        QVERIFY(m().s == before);
        QVERIFY(workspaceFree());
    }

    void theFieldsKeepOnlyHexDigitsAndGateOk() {
        dialogs->saveAnswer = path("t.vsp");
        QString afterG;
        bool okAfterG = true, okAfterFour = false, okAfterShortEnd = true, okAfterFullEnd = false;
        onDialog([&] {
            fromEd()->selectAll();
            QTest::keyClick(fromEd(), Qt::Key_Delete);
            for (char c : {'1', '2', 'G', '4'}) QTest::keyClick(fromEd(), c);
            afterG = fromEd()->text();
            okAfterG = okBtn()->isEnabled();
            QTest::keyClick(fromEd(), 'a');  // lower case comes out upper case
            okAfterFour = okBtn()->isEnabled() && fromEd()->text() == "124A";
            toEd()->selectAll();
            QTest::keyClick(toEd(), Qt::Key_Delete);
            QTest::keyClicks(toEd(), "1x2");
            okAfterShortEnd = okBtn()->isEnabled() || toEd()->text() != "12";
            QTest::keyClicks(toEd(), "bc");
            okAfterFullEnd = okBtn()->isEnabled() && toEd()->text() == "12BC";
            cancelBtn()->click();
        });
        files->saveAs();
        QCOMPARE(afterG, QStringLiteral("124"));
        QVERIFY(!okAfterG);
        QVERIFY(okAfterFour);
        QVERIFY(!okAfterShortEnd);
        QVERIFY(okAfterFullEnd);
        QVERIFY(!QFileInfo::exists(path("t.vsp")));
    }

    void theDialogIsFixedAndCentredOnTheMainWindow() {
        QRect shownAt;
        bool fixed = false;
        dialogs->saveAnswer = path("x.vsp");
        onDialog([&] {
            shownAt = dlg()->frameGeometry();
            fixed = dlg()->minimumSize() == dlg()->maximumSize();
            cancelBtn()->click();
        });
        files->saveAs();
        QVERIFY(fixed);
        QVERIFY((shownAt.center() - frm->frameGeometry().center()).manhattanLength() <= 2);
        QVERIFY(child<QPushButton>(dlg(), "OK_BTN")->isDefault());
        QCOMPARE(okBtn()->text(), QStringLiteral("ОК"));
        QCOMPARE(child<QLabel>(dlg(), "Label1")->text(), QStringLiteral("начиная с ячейки:"));
        QCOMPARE(child<QLabel>(dlg(), "Label2")->text(), QStringLiteral("и заканчивая:"));
        QCOMPARE(fromEd()->maxLength(), 4);
    }

    void theDesktopDialogsAskWithTheirTitlesAndFilters() {
        writeFile(path("there.vst"), "x");
        QtFileDialogs desktop;
        struct Seen {
            QString title, suffix;
            QStringList filters;
            QFileDialog::FileMode fileMode = QFileDialog::AnyFile;
            QFileDialog::AcceptMode acceptMode = QFileDialog::AcceptOpen;
            bool confirmsOverwrite = false;
        } seen;
        // Looks at the dialog once it is up, then answers it with a file.
        auto answerWith = [&](const QString& file, const QString& filter) {
            auto* poll = new QTimer(frm);
            poll->setInterval(5);
            connect(poll, &QTimer::timeout, frm, [&, poll, file, filter] {
                auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                if (!d) return;
                poll->deleteLater();
                poll->stop();
                seen = {d->windowTitle(), d->defaultSuffix(),
                        d->nameFilters(), d->fileMode(),
                        d->acceptMode(),  !d->testOption(QFileDialog::DontConfirmOverwrite)};
                if (!filter.isEmpty()) {
                    d->selectNameFilter(filter);
                    emit d->filterSelected(filter);
                    seen.suffix = d->defaultSuffix();
                }
                // Typed into the name field, as a user does (the dialog keeps the field's text
                // while it has the focus).
                d->setDirectory(QFileInfo(file).path());
                child<QLineEdit>(d, "fileNameEdit")->setText(QFileInfo(file).fileName());
                static_cast<QDialog*>(d)->accept();  // as the "Open"/"Save" button
            });
            poll->start();
        };
        const QStringList filters{"Файлы данных эмулятора ОРЛАН (*.vst)",
                                  "Файлы подпрограмм ОРЛАН (*.vsp)"};

        answerWith(path("there.vst"), {});
        QCOMPARE(desktop.openFileName(frm), path("there.vst"));
        QCOMPARE(seen.title, QStringLiteral("Открыть файл данных эмулятора ОРЛАН"));
        QCOMPARE(seen.filters, filters);
        QCOMPARE(seen.suffix, QStringLiteral("vst"));
        QCOMPARE(seen.fileMode, QFileDialog::ExistingFile);

        answerWith(path("new"), {});
        QCOMPARE(desktop.saveFileName(frm, {}), path("new.vst"));  // the default extension added
        QCOMPARE(seen.title, QStringLiteral("Сохранить файл данных эмулятора ОРЛАН"));
        QCOMPARE(seen.filters, filters);
        QCOMPARE(seen.acceptMode, QFileDialog::AcceptSave);
        QVERIFY(seen.confirmsOverwrite);

        answerWith(path("part"), filters[1]);
        QCOMPARE(desktop.saveFileName(frm, path("new.vst")), path("part.vsp"));
        QCOMPARE(seen.suffix, QStringLiteral("vsp"));
    }
    // `orlan FILE` and a file handed over by a second copy go through TMainFrm::openFile.
    void filesFromTheDesktopOpenByTheirKind_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");  // null: no such file
        QTest::addColumn<int>("message");       // -1: none
        QTest::addColumn<int>("cell");
        QTest::addColumn<int>("value");
        QByteArray state(65549, '\x5A');
        QTest::newRow("state file") << "good.vst" << state << -1 << 0x0100 << 0x5A;
        QTest::newRow("short state file") << "short.vst" << QByteArray(100, '\x5A')
                                          << int(MessageId::WrongStateFile) << 0x0100 << 0;
        QTest::newRow("subprogram at 1000")
            << "prog.VSP" << QByteArray::fromHex("3E7FD300") << -1 << 0x1003 << 0x00;
        QTest::newRow("subprogram first byte")
            << "prog.vsp" << QByteArray::fromHex("3E7FD300") << -1 << 0x1000 << 0x3E;
        QTest::newRow("missing") << "gone.vst" << QByteArray() << int(MessageId::FileNotFound)
                                 << 0x0100 << 0;
        QTest::newRow("other kind")
            << "notes.txt" << QByteArray("3E 7F") << int(MessageId::UnknownFileKind) << 0x0100 << 0;
    }
    void filesFromTheDesktopOpenByTheirKind() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(int, message);
        QFETCH(int, cell);
        QFETCH(int, value);
        files = frm->files();  // the window's own commands, with the desktop's dialogs
        m().writeMemory(0x1003, 0x77);
        if (!bytes.isNull()) writeFile(path(name), bytes);
        bool asked = false;
        onDialog([&] {
            asked = true;
            fill("1000");
            okBtn()->click();
        });
        frm->openFile(path(name));
        QCOMPARE(asked, name.endsWith("vsp", Qt::CaseInsensitive));
        if (message < 0) {
            QCOMPARE(messages->shown.size(), size_t(0));
        } else {
            QCOMPARE(messages->shown.size(), size_t(1));
            QCOMPARE(int(messages->shown[0].id), message);
            QVERIFY(QString::fromStdString(messages->shown[0].text)
                        .contains(QDir::toNativeSeparators(path(name))));
        }
        QCOMPARE(int(m().s.memory[cell]), value);
        QVERIFY(workspaceFree());
    }

    void aFileHandedOverWhileTheWorkspaceIsBusyOpensAfterwards() {
        writeFile(path("later.vst"), QByteArray(65549, '\x33'));
        frm->setWorkspaceLocked(true);
        frm->openFile(path("later.vst"));
        QTest::qWait(50);
        QCOMPARE(int(m().s.memory[0x0200]), 0);
        frm->setWorkspaceLocked(false);
        QTRY_COMPARE(int(m().s.memory[0x0200]), 0x33);
        QVERIFY(messages->shown.empty());
    }
};

QTEST_MAIN(FilesWindowTest)
#include "files_window_test.moc"
