// The main window in English: the language menu switches every text at once and back, nothing
// Russian stays on screen in English, and the help window follows with its manual.
#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>
#include <functional>

#include "Aboutform.h"
#include "FileCommands.h"
#include "Helpform.h"
#include "Mainform.h"
#include "SchemeWidget.h"
#include "Subprogform.h"
#include "Timingform.h"
#include "Translations.h"
#include "Cycles.h"
#include "scripted_messages.h"
#include "settings_file_keeper.h"
#include "ui/english_texts.h"

using namespace orlan;
using orlan::test::ScriptedMessages;
using orlan::test::SettingsFileKeeper;

class EnglishWindowTest : public QObject {
    Q_OBJECT

    LanguageSwitcher* switcher = nullptr;
    SettingsFileKeeper* keeper = nullptr;
    ScriptedMessages* messages = nullptr;
    TMainFrm* frm = nullptr;

    QAction* item(const char* name) { return frm->findChild<QAction*>(QLatin1String(name)); }
    // Chosen from the menu as a user does; the windows hear of it through the event loop.
    void choose(const char* name) {
        item(name)->trigger();
        QCoreApplication::processEvents();
    }
    // The menu bar's titles and items, submenus included, in their order.
    QStringList menuTexts() {
        QStringList texts;
        std::function<void(QMenu*)> walk = [&](QMenu* menu) {
            texts << menu->title();
            for (QAction* a : menu->actions()) {
                texts << a->text();
                if (a->menu()) walk(a->menu());
            }
        };
        for (QAction* a : frm->menuBar()->actions()) walk(a->menu());
        return texts;
    }

  private slots:
    void init() {
        keeper = new SettingsFileKeeper;
        switcher = new LanguageSwitcher(*qApp, QStringLiteral(ORLAN_TRANSLATIONS_DIR));
        switcher->setLanguage(Language::Russian);
        messages = new ScriptedMessages;
        frm = new TMainFrm(*messages);
        frm->show();
        QVERIFY(QTest::qWaitForWindowExposed(frm));
    }
    void cleanup() {
        delete frm;
        delete messages;
        delete switcher;
        delete keeper;
    }

    void languageMenuSwitchesTheWindowAndBackExactly() {
        const QStringList russian = menuTexts();
        const QString caption = frm->windowTitle();
        auto* scheme = frm->findChild<SchemeWidget*>(QStringLiteral("SchemeImg"));
        const QImage russianScheme = scheme->grab().toImage();

        choose("Language_English");
        QCOMPARE(switcher->language(), Language::English);
        QCOMPARE(savedLanguage(Settings()), Language::English);
        QVERIFY(item("Language_English")->isChecked() && !item("Language_Russian")->isChecked());
        const QStringList english = menuTexts();
        QCOMPARE(english.size(), russian.size());
        for (qsizetype i = 0; i < russian.size(); ++i)
            if (test::hasCyrillic(russian[i]) && russian[i] != QStringLiteral("Язык / Language") &&
                russian[i] != QStringLiteral("Русский"))
                QVERIFY2(english[i] != russian[i], qPrintable(russian[i]));
        QCOMPARE(frm->findChild<QMenu*>(QStringLiteral("File_Menu"))->title(),
                 QStringLiteral("File"));
        QVERIFY(scheme->grab().toImage() != russianScheme);  // the captions are drawn anew

        choose("Language_Russian");
        QCOMPARE(menuTexts(), russian);
        QCOMPARE(frm->windowTitle(), caption);
        QCOMPARE(scheme->grab().toImage(), russianScheme);
        QCOMPARE(savedLanguage(Settings()), Language::Russian);
        QVERIFY(item("Language_Russian")->isChecked());
    }

    void nothingRussianIsLeftInEnglish() {
        // Texts that depend on what happened, set while the window was Russian: a stop before a
        // breakpoint, the subprogram dialog in its save mode.
        frm->toggleBreakpoint(0x0001);
        frm->doCommand();
        QVERIFY(frm->findChild<QLabel*>(QStringLiteral("Run_Status_TXT"))->isVisibleTo(frm));
        TSubProgFrm* subprogram = frm->files()->subProgFrm();
        subprogram->setMode(TSubProgFrm::Mode::Save);
        frm->timingFrm()->show();

        choose("Language_English");
        QVERIFY(!test::hasCyrillic(frm->windowTitle()));
        // The window's own parts; the device, assembler and export windows are looked at by
        // their own tests.
        QStringList allowed{QStringLiteral("Язык / Language"), QStringLiteral("Русский")};
        // The cycle's name on the scheme comes from the engine's table: it may stay Russian only
        // while the translation has no English for it.
        for (const CycleTypeInfo& cycle : kCycleTypes)
            if (const QString name = QString::fromUtf8(cycle.label.data(), cycle.label.size());
                translated("Cycles", cycle.label) == name)
                allowed << name;
        QStringList found;
        for (QWidget* root :
             {frm->centralWidget(), static_cast<QWidget*>(frm->menuBar()),
              static_cast<QWidget*>(frm->aboutBox()), static_cast<QWidget*>(subprogram),
              static_cast<QWidget*>(frm->timingFrm())})
            found << test::russianTexts(root, allowed);
        subprogram->setMode(TSubProgFrm::Mode::Load);
        found << test::russianTexts(subprogram);
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));
    }

    void helpShowsTheManualOfTheLanguageAndFallsBackToRussian() {
        QTemporaryDir dir;
        const auto write = [&](const char* name, const char* title) {
            QFile f(dir.filePath(QLatin1String(name)));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray("<html><head><title>") + title +
                    "</title></head><body><a name=\"keys\">k</a></body></html>");
        };
        write("ORLAN_Help.html", "Справка");
        THelpFrm* help = frm->helpFrm();
        help->setManualFile(dir.filePath(QStringLiteral("ORLAN_Help.html")));
        QTextBrowser* browser = help->browser();
        const auto shownFile = [&] {
            return QFileInfo(browser->source().toLocalFile()).fileName();
        };

        // No English manual: the Russian one serves in English too.
        choose("Language_English");
        item("Help_Item")->trigger();
        QCOMPARE(shownFile(), QStringLiteral("ORLAN_Help.html"));

        // With it, a switch brings the other manual into the open window, at the same place.
        write("ORLAN_Help.en.html", "Help");
        browser->setSource(browser->source().resolved(QUrl(QStringLiteral("#keys"))));
        choose("Language_Russian");
        choose("Language_English");
        QCOMPARE(shownFile(), QStringLiteral("ORLAN_Help.en.html"));
        QCOMPARE(browser->source().fragment(), QStringLiteral("keys"));
        QCOMPARE(help->windowTitle(), QStringLiteral("Help"));
        choose("Language_Russian");
        QCOMPARE(shownFile(), QStringLiteral("ORLAN_Help.html"));
        QCOMPARE(help->windowTitle(), QStringLiteral("Справка"));
    }

    void englishWithoutItsTranslationLeavesEverythingRussian() {
        delete switcher;
        switcher = new LanguageSwitcher(*qApp, QStringLiteral("/nonexistent"));
        saveLanguage(Settings(), Language::Russian);
        const QStringList russian = menuTexts();
        choose("Language_English");
        QCOMPARE(switcher->language(), Language::Russian);
        QCOMPARE(menuTexts(), russian);
        QCOMPARE(savedLanguage(Settings()), Language::Russian);
        QVERIFY(item("Language_Russian")->isChecked());
        QVERIFY(!item("Language_English")->isEnabled());
        QVERIFY(!item("Language_English")->toolTip().isEmpty());
    }
};

QTEST_MAIN(EnglishWindowTest)
#include "english_window_test.moc"
