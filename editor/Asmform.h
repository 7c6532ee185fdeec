// TAsmFrm: the assembler window. Holds one source (".asm", saved as UTF-8; read in UTF-8, 1251 or
// 866), assembles it into the machine's memory through the state operations, lists the errors
// under the text, marks the line of the instruction the processor is executing and disassembles a
// memory range back into a source. The listing of the last assembly can be saved and printed.
#pragma once

#include <QDialog>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>

#include "Assembler.h"
#include "CodeMap.h"
#include "SourceEncoding.h"

class QAction;
class QFileDialog;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QToolBar;

namespace orlan {

class AsmHighlighter;
class CCommands;
class CodeEditor;
class Machine;
class MessageService;
class PrinterSetup;

// "Дизассемблировать...": the memory range, two fields of four hex digits.
class TDisasmFrm : public QDialog {
    Q_OBJECT
public:
    explicit TDisasmFrm(QWidget* parent = nullptr);
    // The range typed (a field with fewer than four digits reads as its digits).
    uint16_t from() const;
    uint16_t to() const;
    void setRange(uint16_t from, uint16_t to);

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslate();
    void filter(QLineEdit* field);
    QLineEdit* from_;
    QLineEdit* to_;
    QLabel* fromLabel_;
    QLabel* toLabel_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

class TAsmFrm : public QMainWindow {
    Q_OBJECT
public:
    TAsmFrm(Machine& machine, CCommands& cpu, MessageService& messages, PrinterSetup& printer,
            QWidget* parent = nullptr);
    ~TAsmFrm() override;

    CodeEditor* editor() const { return editor_; }
    QListWidget* errorList() const { return errors_; }
    const CodeMap& codeMap() const { return codeMap_; }
    const QString& fileName() const { return fileName_; }
    // The listing of the last assembly (empty before the first).
    const QString& listing() const { return listing_; }
    TDisasmFrm* disasmFrm() const { return disasmFrm_; }

    // --- the menu items, each asking about unsaved changes where it would drop them ---
    void newSource();
    void openSource();
    bool saveSource();
    bool saveSourceAs();
    // Assembles the text; without errors writes the written cells and moves PC to the start.
    // True when memory was written.
    bool assembleSource();
    void disassemble();  // asks for the range
    void saveListing();
    void printListing();

    // Without dialogs (the items above after their dialog; tests call them directly).
    bool loadFile(const QString& name);
    bool saveTo(const QString& name);
    bool saveListingTo(const QString& name);
    // Replaces the text by the source of from..to (after asking about unsaved changes).
    bool disassembleRange(uint16_t from, uint16_t to);
    // "Да" to go on when the text has unsaved changes.
    bool mayDiscardText();

    // After every refresh of the main window: marks the line of the instruction in progress (or
    // of the one PC points at between instructions).
    void followMachine();
    // The main window's editing lock: assembling writes memory, so it waits for the lock too.
    void setEditingAllowed(bool allowed);

signals:
    // Memory, PC or the code map changed: the main window refreshes its views.
    void machineChanged();
    void codeMapChanged();
    // The processor keys work here too, so a program can be stepped while its source is read.
    void tactRequested();
    void instructionRequested();
    void runRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildMenu();
    // Every text of the window in the current language (from the constructor and on a change of
    // language).
    void retranslate();
    void updateCaption();
    void updatePosition();
    // The status line's text, made again when the language changes.
    void setStatus(std::function<QString()> text);
    void showDiagnostics(const asm8080::AssemblyResult& result);
    void listDiagnostics();
    void takeCodeMap(const asm8080::AssemblyResult& result);
    void jumpToDiagnostic(int row);
    void setText(const QString& text, const QString& name);
    QString displayName() const;
    QString askFileName(bool save, const QString& title, const QString& filter, const QString& suffix,
                        const QString& current);
    void warnSaveFailed(int error, const QString& name);

    Machine& machine_;
    CCommands& cpu_;
    MessageService& messages_;
    PrinterSetup& printer_;
    CodeEditor* editor_ = nullptr;
    AsmHighlighter* highlighter_ = nullptr;
    QListWidget* errors_ = nullptr;
    QLabel* statusTxt_ = nullptr;
    QLabel* position_ = nullptr;
    TDisasmFrm* disasmFrm_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QMenu* programMenu_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QAction* newItem_ = nullptr;
    QAction* openItem_ = nullptr;
    QAction* saveItem_ = nullptr;
    QAction* saveAsItem_ = nullptr;
    QAction* saveListingItem_ = nullptr;
    QAction* printListingItem_ = nullptr;
    QAction* closeItem_ = nullptr;
    QAction* assembleItem_ = nullptr;
    QAction* disasmItem_ = nullptr;
    QAction* tactItem_ = nullptr;
    QAction* instructionItem_ = nullptr;
    QAction* runItem_ = nullptr;
    std::function<QString()> status_;

    QString fileName_;  // empty: not saved yet
    QString listing_;
    std::vector<asm8080::Diagnostic> shownDiagnostics_;  // the errors, then the warnings
    size_t shownErrors_ = 0;
    std::vector<int> lineOfAddress_;  // of the source last assembled or disassembled
    CodeMap codeMap_;
    uint16_t instructionStart_ = 0;  // PC when the instruction in progress began
    bool editingAllowed_ = true;
};

}  // namespace orlan
