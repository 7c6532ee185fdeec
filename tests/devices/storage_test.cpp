// The floppy drive and the hard disk: the settings file, the device files and dumps, the windows
// and the storage settings dialog.
#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

#include "Floppyform.h"
#include "Hdiscform.h"
#include "HexDumpView.h"
#include "StorageDevice.h"
#include "Vzusetupform.h"
#include "scripted_messages.h"
#include "Settings.h"

using namespace orlan;

namespace {

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeText(const QString& path, const QByteArray& text) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
}

}  // namespace

class StorageTest : public QObject {
    Q_OBJECT
    QTemporaryDir tmp_;
    QString ini_;
    QString disk_;  // an existing folder for the devices
    int runs_ = 0;

  private slots:
    void initTestCase() {
        QVERIFY(tmp_.isValid());
        // The folders that stand for drives A and C live in the per-user data folder.
        qputenv("XDG_DATA_HOME", tmp_.filePath("data").toUtf8());
    }
    void init() {
        // A folder per test and per row: no row sees the settings of another.
        const QString run = tmp_.filePath(QStringLiteral("%1-%2").arg(QTest::currentTestFunction()).arg(++runs_));
        QDir().mkpath(run + "/disk");
        ini_ = run + "/ORLAN.ini";
        disk_ = run + "/disk";
    }

    void settingsKeepOtherLinesAndPaths() {
        writeText(ini_, "; kept\n[Other]\nFloppy=elsewhere\n\n[vzu]\nfloppy=old\nX=1\n\n[Last]\ny=2\n");
        const Settings s(ini_);
        const QString path = QStringLiteral("C:\\Учёба\\ОРЛАН\\");
        QVERIFY(s.write("VZU", "Floppy", path));
        QVERIFY(s.write("VZU", "HDD", "D:\\"));
        QCOMPARE(s.read("Vzu", "FLOPPY"), path);
        QCOMPARE(s.read("vzu", "hdd"), QStringLiteral("D:\\"));
        QCOMPARE(s.read("OTHER", "floppy"), QStringLiteral("elsewhere"));
        QCOMPARE(s.read("last", "Y"), QStringLiteral("2"));
        QCOMPARE(s.read("VZU", "missing", "dflt"), QStringLiteral("dflt"));
        QCOMPARE(Settings(ini_ + ".none").read("VZU", "Floppy", "A:"), QStringLiteral("A:"));
        // The new key joins its section; nothing else moves.
        QCOMPARE(QString::fromUtf8(contents(ini_)),
                 "; kept\n[Other]\nFloppy=elsewhere\n\n[vzu]\nfloppy=" + path +
                     "\nX=1\nHDD=D:\\\n\n[Last]\ny=2\n");
    }

    void firstByteWritten() {
        Settings(ini_).write("VZU", "Floppy", disk_);
        StorageDevice floppy(kFloppyProfile, Settings(ini_));
        QSignalSpy failures(&floppy, &StorageDevice::failed);
        floppy.byteInput(0x41);
        QCOMPARE(failures.count(), 0);
        QCOMPARE(contents(disk_ + "/Floppy.vdv"), QByteArray("\x41"));
        QCOMPARE(floppy.buffer().text(), QStringLiteral("0000  41"));
    }

    void missingFloppyReportsEveryByte() {
        Settings(ini_).write("VZU", "Floppy", disk_ + "/none");
        test::ScriptedMessages messages;
        TFloppyFrm frm(messages, nullptr, Settings(ini_));
        frm.device().byteInput(0x41);
        frm.device().byteInput(0x42);
        QCOMPARE(messages.shown.size(), size_t(2));
        QCOMPARE(messages.count(MessageId::FloppyWriteFailure), 2);
        QCOMPARE(QString::fromStdString(messages.shown[0].title), QStringLiteral("ОРЛАН - Ошибка УВВ"));
        QCOMPARE(messages.shown[0].icon, MessageIcon::Error);
        QCOMPARE(frm.device().buffer().byteCount(), 0);
        QVERIFY(!QDir(disk_ + "/none").exists());  // a folder the user chose is never made
        // Nor one below a drive: the drive is made, the folder in it is the user's.
        Settings(ini_).write("VZU", "Floppy", "A:\\Gone");
        frm.device().byteInput(0x43);
        QCOMPARE(messages.count(MessageId::FloppyWriteFailure), 3);
        const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QVERIFY(QDir(dataFolder + "/A").exists());
        QVERIFY(!QDir(dataFolder + "/A/Gone").exists());
    }

    void directoryForms_data() {
        QTest::addColumn<bool>("hardDisk");
        QTest::addColumn<QString>("stored");  // null: nothing stored
        QTest::addColumn<QString>("file");    // relative to the data folder, or to disk_ if "~"
        QTest::addColumn<QString>("made");    // a folder the user made in the data folder first
        QTest::newRow("ends in separator") << false << "~/" << "~/Floppy.vdv" << "";
        QTest::newRow("drive root C:\\") << true << "C:\\" << "C/HDisc.vdv" << "";
        QTest::newRow("hard disk default") << true << QString() << "C/HDisc.vdv" << "";
        QTest::newRow("floppy default") << false << QString() << "A/Floppy.vdv" << "";
        QTest::newRow("drive subfolder") << false << "A:\\Sub" << "A/Sub/Floppy.vdv" << "A/Sub";
    }
    void directoryForms() {
        QFETCH(bool, hardDisk);
        QFETCH(QString, stored);
        QFETCH(QString, file);
        QFETCH(QString, made);
        QDir(tmp_.filePath("data")).removeRecursively();
        const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        if (!made.isEmpty()) QDir().mkpath(dataFolder + "/" + made);
        const auto real = [&](QString p) { return p.startsWith('~') ? disk_ + p.mid(1) : dataFolder + "/" + p; };
        const StorageProfile& profile = hardDisk ? kHardDiskProfile : kFloppyProfile;
        if (!stored.isNull()) Settings(ini_).write("VZU", profile.settingsKey, stored.startsWith('~') ? real(stored) : stored);
        StorageDevice device(profile, Settings(ini_));
        QSignalSpy failures(&device, &StorageDevice::failed);
        device.byteInput(0x5A);
        QCOMPARE(failures.count(), 0);
        QCOMPARE(contents(real(file)), QByteArray("\x5A"));
    }

    void restartAppendsAfterEarlierRuns() {
        Settings(ini_).write("VZU", "HDD", disk_);
        {
            StorageDevice earlier(kHardDiskProfile, Settings(ini_));
            earlier.byteInput(0x01);
            earlier.byteInput(0x02);
        }
        StorageDevice hdd(kHardDiskProfile, Settings(ini_));
        QCOMPARE(hdd.buffer().text(), QString());
        hdd.byteInput(0x03);
        QCOMPARE(contents(disk_ + "/HDisc.vdv"), QByteArray("\x01\x02\x03"));
        QCOMPARE(hdd.buffer().text(), QStringLiteral("0000  03"));
    }

    void clearDeletesTheFileOnly() {
        Settings(ini_).write("VZU", "Floppy", disk_);
        test::ScriptedMessages messages;
        TFloppyFrm frm(messages, nullptr, Settings(ini_));
        auto* view = frm.findChild<HexDumpView*>("FloppyBuffer");
        QVERIFY(view);
        StorageDevice& floppy = frm.device();
        floppy.byteInput(0x41);
        frm.syncBuffer();
        // No file: nothing happens, the dump keeps its text.
        QVERIFY(QFile::remove(disk_ + "/Floppy.vdv"));
        frm.findChild<QAbstractButton*>("ClrBuffer_BTN")->click();
        QCOMPARE(floppy.buffer().text(), QStringLiteral("0000  41"));
        QCOMPARE(view->text(), QStringLiteral("0000  41"));
        QVERIFY(messages.shown.empty());
        // A file: it goes, and the dump with it; the next byte starts a new file.
        floppy.byteInput(0x42);
        frm.clearBuffer();
        QVERIFY(!QFile::exists(disk_ + "/Floppy.vdv"));
        QCOMPARE(floppy.buffer().byteCount(), 0);
        QCOMPARE(view->text(), QString());
        floppy.byteInput(0x43);
        frm.syncBuffer();
        QCOMPARE(contents(disk_ + "/Floppy.vdv"), QByteArray("\x43"));
        QCOMPARE(view->text(), QStringLiteral("0000  43"));
        QVERIFY(messages.shown.empty());
    }

    void dialogOffersTheDefaultFloppyAndStoresOnlyExistingFolders() {
        QDir(tmp_.filePath("data")).removeRecursively();
        test::ScriptedMessages messages;
        TVZUSetupFrm dlg(messages, nullptr, Settings(ini_));
        auto* floppy = dlg.findChild<DirSelection*>("Floppy_DirSelection");
        auto* hdd = dlg.findChild<DirSelection*>("HDD_DirSelection");
        auto* ready = dlg.findChild<QAbstractButton*>("Ready_BTN");
        QVERIFY(floppy && hdd && ready);
        // A fresh system: drive A's folder is made, so the drive is ready.
        dlg.show();
        QVERIFY(dlg.floppyReady());
        QVERIFY(floppy->isVisible() && !ready->isVisible());
        QVERIFY(QDir(floppy->directory()).exists());
        dlg.findChild<QAbstractButton*>("Cancel_BTN")->click();
        QVERIFY(!QFile::exists(ini_));  // Отмена stores nothing

        // Fields as they were filled keep the stored values; a typed folder must exist.
        dlg.show();
        hdd->field()->setText(disk_ + "/none");
        dlg.findChild<QAbstractButton*>("OK_BTN")->click();
        QCOMPARE(messages.count(MessageId::FolderNotFound), 1);
        QCOMPARE(QString::fromStdString(messages.shown[0].title), QStringLiteral("ОРЛАН - Ошибка выбора каталога"));
        QVERIFY(QString::fromStdString(messages.shown[0].text).contains(disk_ + "/none"));
        QVERIFY(dlg.isVisible());
        QVERIFY(!QFile::exists(ini_));
        hdd->field()->setText(disk_);
        dlg.findChild<QAbstractButton*>("OK_BTN")->click();
        QVERIFY(!dlg.isVisible());
        QCOMPARE(Settings(ini_).read("VZU", "Floppy"), QStringLiteral("A:"));
        QCOMPARE(Settings(ini_).read("VZU", "HDD"), disk_);

        // A chosen folder that is gone: not ready, yet "Готово" and another folder both serve.
        Settings(ini_).write("VZU", "Floppy", disk_ + "/stick");
        dlg.show();
        QVERIFY(!dlg.floppyReady());
        QVERIFY(ready->isVisible() && floppy->isVisible());
        QVERIFY(dlg.findChild<QLabel*>("NotReady_TXT1")->isVisible());
        QVERIFY(QDir().mkpath(disk_ + "/stick"));  // the "diskette" goes in
        ready->click();
        QVERIFY(dlg.floppyReady() && !ready->isVisible());
        QVERIFY(QDir(disk_ + "/stick").removeRecursively());
        ready->click();
        QVERIFY(!dlg.floppyReady());
        floppy->field()->setText(disk_);
        dlg.accept();
        QCOMPARE(Settings(ini_).read("VZU", "Floppy"), disk_);
        QCOMPARE(messages.shown.size(), size_t(1));
    }
};

QTEST_MAIN(StorageTest)
#include "storage_test.moc"
