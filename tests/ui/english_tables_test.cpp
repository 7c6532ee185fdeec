// The English translation of the engine's tables, the assembler and its window: every message box,
// cycle name and assembler diagnostic has its English with the same placeholders, the arguments
// go in after translation, and the assembler window switches to English and back to Russian.
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

#include "Asmform.h"
#include "Assembler.h"
#include "CodeEditor.h"
#include "MessageService.h"
#include "PrinterSetup.h"
#include "Translations.h"
#include "Cycles.h"
#include "engine/rig.h"
#include "english_texts.h"
#include "workspace/scripted_messages.h"

using namespace orlan;
using orlan::test::hasCyrillic;

namespace {

QString q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// "%1", "%2"... in order of appearance, each once.
QStringList placeholders(const QString& text) {
    QStringList found;
    static const QRegularExpression marker(QStringLiteral("%[1-9]"));
    for (const QRegularExpressionMatch& m : marker.globalMatch(text))
        if (!found.contains(m.captured())) found << m.captured();
    found.sort();
    return found;
}

// A template and its English: no Russian left, the same placeholders.
void checkTranslated(const char* context, std::string_view russian) {
    const QString english = translated(context, russian);
    QVERIFY2(!hasCyrillic(english), qPrintable(english));
    QCOMPARE(placeholders(english), placeholders(q(russian)));
}

// Errors with an argument, one inside a macro, and a warning.
const QString kFaultySource = QStringLiteral(
    "TWICE   MACRO\n"
    "        DB 1/0\n"
    "        ENDM\n"
    "        ORG 0\n"
    "        JMP NOWHERE\n"
    "        TWICE\n"
    "        ORG 0\n"
    "        NOP\n");

QStringList listed(const QListWidget* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
    return items;
}

}  // namespace

class EnglishTablesTest : public QObject {
    Q_OBJECT

    LanguageSwitcher* switcher = nullptr;

    // The windows hear of the change through posted events.
    void setLanguage(Language language) {
        switcher->setLanguage(language);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    }

private slots:
    void initTestCase() {
        switcher = new LanguageSwitcher(*QCoreApplication::instance(),
                                        QStringLiteral(ORLAN_TRANSLATIONS_DIR));
        QVERIFY(switcher->setLanguage(Language::English));  // the translation is there
    }
    void cleanupTestCase() { delete switcher; }
    void init() { setLanguage(Language::English); }

    void everyMessageShowsInEnglishWithItsArguments() {
        for (int i = 0; i < kMessageCount; ++i) {
            const auto id = static_cast<MessageId>(i);
            const MessageTemplate& t = messageTemplate(id);
            checkTranslated("Messages", t.title);
            checkTranslated("Messages", t.text);
            const MessageBox box = withRunStopped(makeMessage(id, "ARG1", "ARG2"));
            const QString title = messageTitle(box), text = messageText(box);
            QVERIFY2(!hasCyrillic(title) && !hasCyrillic(text), qPrintable(title + '\n' + text));
            QCOMPARE(text.contains(QStringLiteral("ARG1")),
                     q(t.text).contains(QStringLiteral("%1")));
            QCOMPARE(text.contains(QStringLiteral("ARG2")),
                     q(t.text).contains(QStringLiteral("%2")));
            QVERIFY(!text.contains(QLatin1Char('%')));
        }
        checkTranslated("Messages", kRunStoppedLine);
        // An argument is put in as it is, never searched for placeholders or looked up.
        const MessageBox box = makeMessage(MessageId::NetSendOverflow, "ОРЛАН %2", "9000");
        QVERIFY(messageText(box).contains(QStringLiteral("\"ОРЛАН %2\" (port 9000)")));
    }

    void russianMessagesStayAsTheTableHasThem() {
        setLanguage(Language::Russian);
        for (int i = 0; i < kMessageCount; ++i) {
            const MessageBox box =
                withRunStopped(makeMessage(static_cast<MessageId>(i), "А1", "Б2"));
            QCOMPARE(messageTitle(box), QString::fromStdString(box.title));
            QCOMPARE(messageText(box), QString::fromStdString(box.text));
        }
    }

    void messageBoxAsksInEnglish() {
        QString title, text;
        QStringList buttons;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            title = dialog->windowTitle();
            text = dialog->text();
            for (QAbstractButton* b : dialog->buttons()) buttons << b->text();
            for (QAbstractButton* b : dialog->buttons())
                if (dialog->buttonRole(b) == QMessageBox::YesRole) b->click();
        });
        DialogMessageService service;
        const MessageBox box = makeMessage(MessageId::AsmUnsavedChanges, "prog.asm");
        QVERIFY(service.show(box, nullptr));
        QCOMPARE(title, messageTitle(box));
        QCOMPARE(text, messageText(box));
        buttons.sort();
        QCOMPARE(buttons, QStringList({QStringLiteral("No"), QStringLiteral("Yes")}));
    }

    void cycleNamesAndAssemblerMessagesHaveTheirEnglish() {
        for (const CycleTypeInfo& c : kCycleTypes) checkTranslated("Cycles", c.label);
        for (int i = 0; i < asm8080::kDiagnosticCount; ++i)
            checkTranslated("Assembler",
                            asm8080::diagnosticTemplate(static_cast<asm8080::DiagnosticId>(i)));
        checkTranslated("Assembler", asm8080::kInMacroTemplate);
    }

    void assemblerWindowSwitchesLanguage() {
        setLanguage(Language::Russian);
        test::Rig rig;
        test::ScriptedMessages messages;
        PrinterSetup printer(messages);
        TAsmFrm frm(rig.m, rig.cpu, messages, printer);
        frm.editor()->setPlainText(kFaultySource);
        QVERIFY(!frm.assembleSource());
        const QStringList russian = test::russianTexts(&frm);
        const QStringList russianErrors = listed(frm.errorList());
        QCOMPARE(russianErrors.size(), 3);  // two errors (one in the macro) and the warning

        setLanguage(Language::English);
        QCOMPARE(test::russianTexts(&frm), QStringList());
        const QStringList errors = listed(frm.errorList());
        QVERIFY2(!hasCyrillic(errors.join('\n')), qPrintable(errors.join('\n')));
        QVERIFY(errors[0].contains(QStringLiteral("\"NOWHERE\"")));
        QVERIFY(errors[1].contains(QStringLiteral("TWICE")));

        // The memory view's operand captions come from the window's code map.
        frm.editor()->setPlainText(QStringLiteral(" JMP 0\n"));
        QVERIFY(frm.assembleSource());
        const QString low = QString::fromStdString(frm.codeMap().operandText(rig.m.s.memory, 1));
        QVERIFY2(!low.isEmpty() && !hasCyrillic(low), qPrintable(low));
        frm.editor()->setPlainText(kFaultySource);
        QVERIFY(!frm.assembleSource());

        setLanguage(Language::Russian);
        QCOMPARE(test::russianTexts(&frm), russian);
        QCOMPARE(listed(frm.errorList()), russianErrors);
        frm.editor()->document()->setModified(false);
    }
};

QTEST_MAIN(EnglishTablesTest)
#include "english_tables_test.moc"
