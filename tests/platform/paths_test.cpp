// Where the data files are looked for: beside the program (the build tree), else the installed
// share folder, which must be the one the install fills.
#include "Paths.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

void touch(const QString& name) {
    QDir().mkpath(QFileInfo(name).path());
    QFile f(name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

}  // namespace

TEST(DataPaths, InstalledFolderIsWhereTheInstallPutsTheData) {
    QTemporaryDir prefix;
    const QString bin = QDir(prefix.path()).filePath(QStringLiteral(ORLAN_INSTALL_BINDIR));
    const QString data =
        QDir(prefix.path()).filePath(QStringLiteral(ORLAN_INSTALL_DATADIR "/orlan"));
    EXPECT_EQ(orlan::installedDataFolder(bin), QDir::cleanPath(data));
}

TEST(DataPaths, BesideFirstThenInstalledThenWhatAMessageShouldName) {
    struct Case {
        const char* what;
        bool beside, installed, shareFolder;
        const char* expected;  // "beside" or "installed"
    };
    const Case cases[] = {
        {"build tree", true, false, false, "beside"},
        {"both: the build tree wins", true, true, true, "beside"},
        {"installed", false, true, true, "installed"},
        {"installed, file missing", false, false, true, "installed"},
        {"nowhere", false, false, false, "beside"},
    };
    for (const Case& c : cases) {
        QTemporaryDir prefix;
        const QString bin = QDir(prefix.path()).filePath(QStringLiteral(ORLAN_INSTALL_BINDIR));
        const QString share = orlan::installedDataFolder(bin);
        QDir().mkpath(bin);
        const QString name = QStringLiteral("Help/ORLAN_Help.html");
        if (c.beside) touch(QDir(bin).filePath(name));
        if (c.shareFolder) QDir().mkpath(share);
        if (c.installed) touch(QDir(share).filePath(name));
        const QString expected = QDir(QString(c.expected) == "beside" ? bin : share).filePath(name);
        EXPECT_EQ(orlan::dataFileFor(bin, name), expected) << c.what;
    }
}
