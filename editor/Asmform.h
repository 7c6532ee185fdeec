// TAsmFrm: the assembler window. Holds one source (".asm", saved as UTF-8; read in UTF-8, 1251 or
// 866), assembles it into the machine's memory through the state operations, lists the errors
// under the text, marks the line of the instruction the processor is executing and disassembles a
// memory range back into a source. The listing of the last assembly can be saved and printed.
#pragma once

#include <QDialog>
#include <QMainWindow>
#include <QPointer>
#include <memory>

#include "Assembler.h"
#include "CodeMap.h"
#include "SourceEncoding.h"

class QAction;
class QFileDialog;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

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

private:
    void filter(QLineEdit* field);
    QLineEdit* from_;
    QLineEdit* to_;
    QPushButton* ok_;
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

private:
    void buildMenu();
    void updateCaption();
    void showDiagnostics(const asm8080::AssemblyResult& result);
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
    TDisasmFrm* disasmFrm_ = nullptr;
    QAction* assembleItem_ = nullptr;
    QAction* saveListingItem_ = nullptr;
    QAction* printListingItem_ = nullptr;

    QString fileName_;  // empty: not saved yet
    QString listing_;
    std::vector<asm8080::Diagnostic> shownDiagnostics_;
    std::vector<int> lineOfAddress_;  // of the source last assembled or disassembled
    CodeMap codeMap_;
    uint16_t instructionStart_ = 0;  // PC when the instruction in progress began
    bool editingAllowed_ = true;
};

}  // namespace orlan
