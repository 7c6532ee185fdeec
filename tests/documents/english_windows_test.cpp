// The device windows and the document dialogs switch to English while they are open, leave no
// Russian behind, and come back to their Russian texts exactly.
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <memory>

#include "Exportform.h"
#include "Floppyform.h"
#include "Hdiscform.h"
#include "Monform.h"
#include "Netform.h"
#include "Netsettform.h"
#include "PrinterSetup.h"
#include "Printerform.h"
#include "Printform.h"
#include "Prnsetupform.h"
#include "Vzusetupform.h"
#include "english_texts.h"
#include "fake_printing.h"
#include "Machine.h"
#include "scripted_messages.h"

using namespace orlan;

class EnglishWindowsTest : public QObject {
    Q_OBJECT

    struct Window {
        const char* name;
        std::function<QWidget*()> make;
        QStringList allowed;  // texts that stay Russian on purpose
    };

    QTemporaryDir dir_;
    test::ScriptedMessages messages_;
    Machine machine_;
    std::unique_ptr<PrinterSetup> setup_;
    std::unique_ptr<LanguageSwitcher> switcher_;
    std::vector<Window> windows_;
    std::vector<std::unique_ptr<QWidget>> open_;  // windows_' windows, in that order

    Settings settings() const { return Settings(dir_.filePath(QStringLiteral("ORLAN.ini"))); }

    // Every window and dialog of the two folders; a dialog is made over the window it serves.
    std::vector<Window> windows() {
        return {
            {"floppy drive", [this] { return new TFloppyFrm(messages_, nullptr, settings()); }, {}},
            {"hard disk", [this] { return new THDiscFrm(messages_, nullptr, settings()); }, {}},
            {"monitor", [this] { return new TMonFrm(messages_); }, {}},
            {"network adapter and its settings",
             [this] {
                 auto* frm = new TNetFrm(messages_, nullptr, settings(), QHostAddress::LocalHost);
                 new TNetSettFrm(frm->device(), messages_, frm, /*startNow=*/false);
                 return frm;
             },
             {}},
            {"printer and its set-up",
             [this] {
                 auto* frm = new TPrinterFrm(*setup_);
                 (new TPrnSetupFrm(*setup_, frm))->load(QString(), QPageLayout());
                 return frm;
             },
             {}},
            {"storage folders",
             [this] { return new TVZUSetupFrm(messages_, nullptr, settings()); },
             {}},
            {"print", [this] { return new TPrintFrm(messages_, machine_, *setup_); }, {}},
            // The export's page names are the user's and go into the files as they are.
            {"export",
             [this] { return new TExportFrm(messages_, machine_); },
             {ExportPageList::defaultName(1)}},
        };
    }

    void switchTo(Language language) {
        QVERIFY(switcher_->setLanguage(language));
        QCoreApplication::processEvents();  // the windows hear of it through posted events
    }

  private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        setup_ = std::make_unique<PrinterSetup>(messages_, std::make_unique<test::FakePrinting>());
        switcher_ = std::make_unique<LanguageSwitcher>(*QCoreApplication::instance(),
                                                       QStringLiteral(ORLAN_TRANSLATIONS_DIR));
        // Opened in Russian: English has to reach them while they are open.
        windows_ = windows();
        for (const Window& w : windows_) open_.emplace_back(w.make());
    }

    void init() { switchTo(Language::Russian); }  // whatever the last test left

    void cleanupTestCase() {
        open_.clear();
        switcher_.reset();
    }

    void englishLeavesNoRussian() {
        for (size_t i = 0; i < open_.size(); ++i)  // the check sees the Russian texts to begin with
            QVERIFY2(!test::russianTexts(open_[i].get()).isEmpty(), windows_[i].name);
        switchTo(Language::English);
        for (size_t i = 0; i < open_.size(); ++i) {
            const QStringList left = test::russianTexts(open_[i].get(), windows_[i].allowed);
            QVERIFY2(left.isEmpty(), qPrintable(QStringLiteral("%1: %2").arg(
                                         QLatin1String(windows_[i].name), left.join("; "))));
        }
    }

    void russianComesBackExactly() {
        std::vector<QStringList> before;
        for (const auto& w : open_) before.push_back(test::russianTexts(w.get()));
        switchTo(Language::English);
        switchTo(Language::Russian);
        for (size_t i = 0; i < open_.size(); ++i)
            QCOMPARE(test::russianTexts(open_[i].get()), before[i]);
    }
};

QTEST_MAIN(EnglishWindowsTest)
#include "english_windows_test.moc"
