// TMainFrm: the main window. It owns the machine, the engine and its host, lays out the scheme,
// the memory view and editor, the register panel, the execution and reset buttons, the menu and
// the sliding instruction table, and copies the machine onto them after every tact (about 60
// times a second while a program runs).
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QSet>
#include <QStringList>
#include <memory>

#include "Breakpoints.h"
#include "Commands.h"
#include "History.h"
#include "GuiHost.h"
#include "MessageService.h"
#include "PortWiring.h"
#include "UrlOpener.h"

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QToolButton;

namespace orlan {

class CommPanel;
class LanguageMenu;
class MemoryModel;
class MemoryView;
class SchemeWidget;
class SpeedControl;
class TAboutFrm;
class TAsmFrm;
class TExportFrm;
class TMonFrm;
class TFloppyFrm;
class THDiscFrm;
class TVZUSetupFrm;
class TCommHelpFrm;
class THelpFrm;
class TTimingFrm;
class PrinterSetup;
class TPrinterFrm;
class TPrintFrm;
class TNetFrm;
class TNetSettFrm;
class UpDown;
class WorkspaceFiles;
class ZoomedWidgets;
class ZoomMenu;

class TMainFrm : public QMainWindow {
    Q_OBJECT
public:
    // urls: how links and the user manual are opened (the desktop when null).
    explicit TMainFrm(MessageService& messages, UrlOpener* urls = nullptr, QWidget* parent = nullptr);
    ~TMainFrm() override;

    Machine& machine() { return machine_; }
    CCommands& cpu() { return cpu_; }
    // Opening a file, a reset or an edit by hand: the steps so far can no longer be undone.
    void clearHistory();
    MessageService& messages() { return messages_; }
    GuiHost& host() { return host_; }
    TCommHelpFrm* helpPopup() const { return helpPopup_; }
    THelpFrm* helpFrm() const { return helpFrm_; }
    TTimingFrm* timingFrm() const { return timingFrm_; }
    TAboutFrm* aboutBox() const { return aboutFrm_; }
    TMonFrm* monFrm() const { return monFrm_; }
    TFloppyFrm* floppyFrm() const { return floppyFrm_; }
    THDiscFrm* hdiscFrm() const { return hdiscFrm_; }
    TVZUSetupFrm* vzuSetupFrm() const { return vzuSetupFrm_; }
    WorkspaceFiles* files() const { return files_; }
    CommPanel* commPanel() const { return commPanel_; }
    TPrinterFrm* printerFrm() const { return printerFrm_; }
    TPrintFrm* printFrm() const { return printFrm_; }
    PrinterSetup* printerSetup() const { return printerSetup_; }
    TExportFrm* exportFrm() const { return exportFrm_; }
    TNetFrm* netFrm() const { return netFrm_; }
    TNetSettFrm* netSettFrm() const { return netSettFrm_; }
    TAsmFrm* asmFrm() const { return asmFrm_; }
    MemoryModel* memoryModel() const { return memoryModel_; }
    Breakpoints& breakpoints() { return breakpoints_; }
    SpeedControl* speedControl() const { return speed_; }

    // Copies the machine onto the scheme, the memory view and the memory editor, then clears the
    // machine's change marks.
    void refreshView();

    // --- called by the engine's host ---
    void setEditingEnabled(bool enabled);
    void setRunMode(bool running);
    void setHaltItemEnabled(bool enabled);

    // --- commands (buttons, menu items) ---
    void doTime();
    void stepBackTact();
    void stepBackCommand();
    void doCommand();
    void doProgram();
    void clearHaltFlag();
    // Breakpoints: the row's marker on or off; "Выполнить до курсора" runs until PC reaches the row.
    void toggleBreakpoint(uint16_t address);
    void clearBreakpoints();
    void runToCursor(uint16_t address);
    void resetMemory();
    void resetRegisters();
    void newWorkspace();
    void toggleCommandTable();
    void showStackArea();
    // "Отобразить буфер \"принтера\"..." and PF_Printer.
    void showPrinter();
    // "Вызвать справку": the user manual Help/ORLAN_Help.html beside the executable, in THelpFrm.
    void openHelp();
    // "Отобразить \"монитор\"..." and PF_Monitor.
    void showMonitor();
    // "Отобразить буфер \"дисковода\"..." / PF_Diskette and "... \"жёсткого диска\"..." / PF_HardDisk.
    void showFloppy();
    void showHDisc();
    // "Отобразить буфер \"сетевого адаптера\"..." and PF_LANCard.
    void showNet();
    // "Ассемблер...": the source window.
    void showAsm();
    // Starts the network adapter (server and client) with the stored peer; the program entry
    // calls it once the windows exist.
    void startNetwork();
    // A file from the desktop (the command line or a second copy): the window comes to the front
    // and opens it as "Файл → Открыть" would. While the "Файл" menu is unusable (a run, an
    // unfinished instruction, a file operation) or a dialog is open, it waits its turn.
    void openFile(const QString& name);

    // The workspace lock of long operations (memory reset, files).
    void setWorkspaceLocked(bool locked);
    bool workspaceLocked() const { return locked_; }
    // Status_TXT and Progress over the 65536 cells of a long operation.
    void showProgress(const QString& status, int maximum);
    void setProgress(int position);
    void hideProgress();

    // --- register panel ---
    void selectRegister(const QString& name);
    void stepRegister(int direction);
    void writeRegister();
    int registerCyclePosition() const;

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildScheme(QWidget* client);
    void buildMemoryGroups(QWidget* client);
    void buildRegisterGroup(QWidget* client);
    void buildExecutionGroups(QWidget* client);
    void buildMenu();
    // Every text of the window, menus and hints in the current language; again on a switch.
    void retranslate();
    static QString runHint(bool running);
    // A device failed while it may be running a program: the run stops as by the run button, so
    // that a program writing in a loop raises one box, and the box says so. F6 continues.
    void stopRunOnDeviceFailure(MessageBox* box);
    // After a run or a step: the status text of a breakpoint stop, the run-to target dropped.
    void afterRun();
    enum class RunStop { None, Breakpoint, Cursor };  // why the last run stopped
    void showRunStatus(RunStop stop, uint16_t address = 0);
    QAction* addItem(QMenu* menu, const char* objectName, const QKeySequence& key);
    void applyEnabledStates();
    // Shows a window of the program's own; the first time it opens beside the main window.
    void showBeside(QWidget* window);
    // The whole window at the program's zoom, kept on the screen.
    void applyZoom(qreal factor);

    // Memory editor and view.
    void onAddressTextChanged(const QString& text);
    void onValueTextEdited(const QString& text);
    void chooseAddress(uint16_t address);  // as the user selecting a row
    void enterValue();
    void onOpcodeDropped(uint16_t address, uint8_t opcode);
    void showHelp(int opcode, const QString& mnemonic, const QPoint& globalPos);

    // Register panel.
    void onRegisterNameChanged(const QString& text);
    void onRegisterValueChanged(const QString& text);
    bool registerNameKey(int key, const QString& text);
    void showRegisterValue();
    QString registerValueText(const QString& name) const;

    Machine machine_;
    MessageService& messages_;
    DesktopUrlOpener desktopUrls_;
    UrlOpener& urls_;
    GuiHost host_;
    DevicePorts ports_;
    CCommands cpu_;
    Breakpoints breakpoints_;
    SpeedControl* speed_ = nullptr;
    History history_;

    SchemeWidget* scheme_ = nullptr;
    MemoryModel* memoryModel_ = nullptr;
    MemoryView* memGrid_ = nullptr;
    QLineEdit* ramNum_ = nullptr;
    UpDown* ramUpDn_ = nullptr;
    QLineEdit* ramVal_ = nullptr;
    QToolButton* ramEnter_ = nullptr;
    QLineEdit* regNam_ = nullptr;
    UpDown* regUpDn_ = nullptr;
    QLineEdit* regVal_ = nullptr;
    QToolButton* regEnter_ = nullptr;
    QToolButton* doProgram_ = nullptr;
    QToolButton* doCommand_ = nullptr;
    QToolButton* doTime_ = nullptr;
    QToolButton* resetRam_ = nullptr;
    QToolButton* resetRegs_ = nullptr;
    QList<QToolButton*> deviceButtons_;
    QLabel* statusTxt_ = nullptr;
    QLabel* runStatus_ = nullptr;  // why the last run stopped
    RunStop runStop_ = RunStop::None;
    uint16_t runStopAddress_ = 0;
    QProgressBar* progress_ = nullptr;
    CommPanel* commPanel_ = nullptr;
    TCommHelpFrm* helpPopup_ = nullptr;
    THelpFrm* helpFrm_ = nullptr;
    TTimingFrm* timingFrm_ = nullptr;
    QSet<QWidget*> placedWindows_;  // windows shown beside the main window once already
    PrinterSetup* printerSetup_ = nullptr;  // the listing and the printer print on its choice
    TPrinterFrm* printerFrm_ = nullptr;
    TPrintFrm* printFrm_ = nullptr;
    TExportFrm* exportFrm_ = nullptr;
    TNetFrm* netFrm_ = nullptr;
    TNetSettFrm* netSettFrm_ = nullptr;
    TAsmFrm* asmFrm_ = nullptr;
    TAboutFrm* aboutFrm_ = nullptr;
    TMonFrm* monFrm_ = nullptr;
    TFloppyFrm* floppyFrm_ = nullptr;
    THDiscFrm* hdiscFrm_ = nullptr;
    TVZUSetupFrm* vzuSetupFrm_ = nullptr;
    WorkspaceFiles* files_ = nullptr;
    std::unique_ptr<ZoomedWidgets> zoomed_;  // the window as built, at 100 %
    ZoomMenu* zoomMenu_ = nullptr;
    QStringList waitingFiles_;  // handed over while the workspace could not open them

    QMenu* fileMenu_ = nullptr;
    QMenu* mpMenu_ = nullptr;
    QMenu* viewMenu_ = nullptr;
    QMenu* settingsMenu_ = nullptr;
    QMenu* helpMenu_ = nullptr;
    LanguageMenu* languageMenu_ = nullptr;
    QAction* doProgramItem_ = nullptr;
    QAction* resetRamItem_ = nullptr;
    QAction* resetRegsItem_ = nullptr;
    QAction* clearHaltItem_ = nullptr;
    QAction* followPcItem_ = nullptr;
    QAction* backTactItem_ = nullptr;
    QAction* backCommandItem_ = nullptr;
    QLabel* stepBackTxt_ = nullptr;  // says that device outputs were not taken back
    void showStepBack(const StepBack& back);

    bool editingEnabled_ = true;
    bool locked_ = false;
    bool addressComplete_ = true;  // RAM_Num_ED holds four digits
    bool ramEnterReady_ = true;
    bool regEnterReady_ = true;
    bool haltItemEnabled_ = false;
    bool followingPc_ = false;
    QString shownRegisterValue_;  // what the register panel last showed of its register
};

}  // namespace orlan
