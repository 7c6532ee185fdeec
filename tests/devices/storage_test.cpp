// The floppy drive and the hard disk: the settings file, the device files and dumps, the windows
// and the storage settings dialog.
#include <QAbstractButton>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QtTest>

#include "Floppyform.h"
#include "Hdiscform.h"
#include "StorageDevice.h"
#include "Vzusetupform.h"
#include "scripted_messages.h"
#include "settings.h"

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

  private slots:
    void initTestCase() {
        QVERIFY(tmp_.isValid());
        // The folders that stand for drives A and C live in the per-user data folder.
        qputenv("XDG_DATA_HOME", tmp_.filePath("data").toUtf8());
    }
    void init() {
        const QString run = tmp_.filePath(QTest::currentTestFunction());
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
        QVERIFY(!QDir(disk_ + "/none").exists());  // a floppy folder is never made
    }

    void directoryForms_data() {
        QTest::addColumn<bool>("hardDisk");
        QTest::addColumn<QString>("stored");  // null: nothing stored
        QTest::addColumn<QString>("file");    // relative to the data folder, or to disk_ if "~"
        QTest::newRow("ends in separator") << false << "~/" << "~/Floppy.vdv";
        QTest::newRow("drive root C:\\") << true << "C:\\" << "C/HDisc.vdv";
        QTest::newRow("hard disk default") << true << QString() << "C/HDisc.vdv";
        QTest::newRow("drive subfolder") << false << "A:\\Sub" << "A/Sub/Floppy.vdv";
    }
    void directoryForms() {
        QFETCH(bool, hardDisk);
        QFETCH(QString, stored);
        QFETCH(QString, file);
        QDir(tmp_.filePath("data")).removeRecursively();
        const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QDir().mkpath(dataFolder + "/A/Sub");
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
        auto* view = frm.findChild<QPlainTextEdit*>("FloppyBuffer");
        QVERIFY(view);
        StorageDevice& floppy = frm.device();
        floppy.byteInput(0x41);
        frm.syncBuffer();
        // No file: nothing happens, the dump keeps its text.
        QVERIFY(QFile::remove(disk_ + "/Floppy.vdv"));
        frm.findChild<QAbstractButton*>("ClrBuffer_BTN")->click();
        QCOMPARE(floppy.buffer().text(), QStringLiteral("0000  41"));
        QCOMPARE(view->toPlainText(), QStringLiteral("0000  41"));
        QVERIFY(messages.shown.empty());
        // A file: it goes, and the dump with it; the next byte starts a new file.
        floppy.byteInput(0x42);
        frm.clearBuffer();
        QVERIFY(!QFile::exists(disk_ + "/Floppy.vdv"));
        QCOMPARE(floppy.buffer().byteCount(), 0);
        QCOMPARE(view->toPlainText(), QString());
        floppy.byteInput(0x43);
        frm.syncBuffer();
        QCOMPARE(contents(disk_ + "/Floppy.vdv"), QByteArray("\x43"));
        QCOMPARE(view->toPlainText(), QStringLiteral("0000  43"));
        QVERIFY(messages.shown.empty());
    }

    void dialogStoresDriveWhenFloppyNotReady() {
        QDir(tmp_.filePath("data")).removeRecursively();
        TVZUSetupFrm dlg(nullptr, Settings(ini_));
        dlg.refresh();  // as on showing
        auto* floppy = dlg.findChild<DirSelection*>("Floppy_DirSelection");
        auto* hdd = dlg.findChild<DirSelection*>("HDD_DirSelection");
        auto* ready = dlg.findChild<QAbstractButton*>("Ready_BTN");
        QVERIFY(floppy && hdd && ready);
        QVERIFY(floppy->isHidden());
        QVERIFY(!ready->isHidden());
        hdd->field()->setText(disk_);
        dlg.findChild<QAbstractButton*>("Cancel_BTN")->click();
        QVERIFY(!QFile::exists(ini_));  // Отмена stores nothing
        dlg.findChild<QAbstractButton*>("OK_BTN")->click();
        QCOMPARE(Settings(ini_).read("VZU", "Floppy"), QStringLiteral("A:"));
        QCOMPARE(Settings(ini_).read("VZU", "HDD"), disk_);
        // A "diskette" in the drive: "Готово" offers the folder.
        QVERIFY(QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/A"));
        ready->click();
        QVERIFY(!floppy->isHidden());
        QVERIFY(ready->isHidden());
        floppy->field()->setText(disk_);
        dlg.accept();
        QCOMPARE(Settings(ini_).read("VZU", "Floppy"), disk_);
    }
};

QTEST_MAIN(StorageTest)
#include "storage_test.moc"
