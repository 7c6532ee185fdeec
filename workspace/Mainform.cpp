#include "Mainform.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <memory>

#include "Aboutform.h"
#include "Asmform.h"
#include "CommandTable.h"
#include "FileCommands.h"
#include "Commhelpform.h"
#include "MemoryModel.h"
#include "MemoryView.h"
#include "PrinterSetup.h"
#include "Printerform.h"
#include "Printform.h"
#include "Exportform.h"
#include "Floppyform.h"
#include "Hdiscform.h"
#include "Helpform.h"
#include "LanguageMenu.h"
#include "Timingform.h"
#include "Monform.h"
#include "Vzusetupform.h"
#include "Netform.h"
#include "Netsettform.h"
#include "SchemeWidget.h"
#include "SpeedControl.h"
#include "UpDown.h"
#include "WindowPlacement.h"
#include "IconButton.h"
#include "Zoom.h"
#include "ZoomMenu.h"
#include "Files.h"
#include "Notation.h"
#include "Paths.h"

namespace orlan {

namespace {

// The register panel's cycle: position, name, digits.
struct CycleEntry {
    const char* name;
    int digits;
};
constexpr CycleEntry kRegisterCycle[] = {{"A", 2}, {"B", 2}, {"C", 2}, {"D", 2}, {"E", 2}, {"H", 2},
                                         {"L", 2}, {"W", 2}, {"Z", 2}, {"SP", 4}, {"PC", 4}};
constexpr int kCycleLength = 11;
static_assert(std::size(kRegisterCycle) == kCycleLength);

int digitsOf(const QString& name) { return name == "SP" || name == "PC" ? 4 : 2; }

bool validRegisterName(const QString& name) {
    for (const CycleEntry& e : kRegisterCycle)
        if (name == QLatin1String(e.name)) return true;
    return false;
}

QString q(const std::string& s) { return QString::fromStdString(s); }

// The register a scheme label shows.
QString registerNameOf(Element e) {
    switch (e) {
        case Element::RegA_Val: return QStringLiteral("A");
        case Element::RegB_Val: return QStringLiteral("B");
        case Element::RegC_Val: return QStringLiteral("C");
        case Element::RegD_Val: return QStringLiteral("D");
        case Element::RegE_Val: return QStringLiteral("E");
        case Element::RegH_Val: return QStringLiteral("H");
        case Element::RegL_Val: return QStringLiteral("L");
        case Element::RegW_Val: return QStringLiteral("W");
        case Element::RegZ_Val: return QStringLiteral("Z");
        case Element::SP_Val: return QStringLiteral("SP");
        case Element::PC_Val: return QStringLiteral("PC");
        default: return {};
    }
}

QFont editorFont(int pointSize) {
    QFont f(QStringLiteral("DejaVu Sans Mono"));
    f.setPointSize(pointSize);
    f.setBold(true);
    return f;
}

}  // namespace

TMainFrm::TMainFrm(MessageService& messages, UrlOpener* urls, QWidget* parent)
    : QMainWindow(parent),
      messages_(messages),
      urls_(urls ? *urls : desktopUrls_),
      host_(*this),
      cpu_(machine_, host_, ports_) {
    setObjectName(QStringLiteral("MainFrm"));
    // The window is laid out to the pixel: a small font keeps the group captions inside.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    setFont(font);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    // The device windows exist from the start: OUT reaches a device whether or not its window
    // has ever been shown.
    monFrm_ = new TMonFrm(messages_, this);
    ports_.setMonitor(&monFrm_->device());
    floppyFrm_ = new TFloppyFrm(messages_, this);
    ports_.setFloppy(&floppyFrm_->device());
    hdiscFrm_ = new THDiscFrm(messages_, this);
    ports_.setHardDisk(&hdiscFrm_->device());
    vzuSetupFrm_ = new TVZUSetupFrm(messages_, this);
    connect(floppyFrm_, &StorageForm::deviceFailed, this, &TMainFrm::stopRunOnDeviceFailure);
    connect(hdiscFrm_, &StorageForm::deviceFailed, this, &TMainFrm::stopRunOnDeviceFailure);

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setFixedSize(667, 463);
    setCentralWidget(client);

    buildScheme(client);
    buildMemoryGroups(client);
    buildRegisterGroup(client);
    buildExecutionGroups(client);
    cpu_.setBreakpoints(&breakpoints_);
    speed_ = new SpeedControl(cpu_, Settings(), this);
    connect(speed_, &SpeedControl::stepped, this, &TMainFrm::refreshView);
    connect(speed_, &SpeedControl::finished, this, &TMainFrm::afterRun);
    files_ = new WorkspaceFiles(*this, std::make_unique<QtFileDialogs>(), this);
    buildMenu();
    retranslate();
    cpu_.setHistory(&history_);

    commPanel_ = new CommPanel(client);
    commPanel_->placeHidden();
    commPanel_->raise();
    connect(commPanel_->table(), &CommandTable::helpRequested, this, &TMainFrm::showHelp);

    helpPopup_ = new TCommHelpFrm(this);
    connect(helpPopup_, &TCommHelpFrm::helpFileMissing, this, [this](const QString& path) {
        messages_.show(makeMessage(MessageId::HelpFileMissing, path.toStdString()), this);
    });
    connect(commPanel_, &CommPanel::hidden, helpPopup_, &QWidget::hide);
    aboutFrm_ = new TAboutFrm(messages_, urls_, this);
    helpFrm_ = new THelpFrm(urls_, this);
    timingFrm_ = new TTimingFrm(machine_, cpu_, messages_, this);
    printerSetup_ = new PrinterSetup(messages_, {}, this);
    printFrm_ = new TPrintFrm(messages_, machine_, *printerSetup_, this);
    printerFrm_ = new TPrinterFrm(*printerSetup_, this);
    exportFrm_ = new TExportFrm(messages_, machine_, this);
    ports_.setPrinter(&printerFrm_->device());
    printFrm_->setPrinterDevice(&printerFrm_->device());
    deviceButtons_[4]->setEnabled(true);  // PF_Printer
    connect(deviceButtons_[4], &QToolButton::clicked, this, &TMainFrm::showPrinter);
    // The adapter starts listening and connecting in startNetwork(), called by the program entry.
    netFrm_ = new TNetFrm(messages_, this);
    ports_.setNetwork(&netFrm_->device());
    connect(netFrm_, &TNetFrm::deviceFailed, this, &TMainFrm::stopRunOnDeviceFailure);
    netSettFrm_ = new TNetSettFrm(netFrm_->device(), messages_, this, /*startNow=*/false);
    deviceButtons_[3]->setEnabled(true);  // PF_LANCard
    connect(deviceButtons_[3], &QToolButton::clicked, this, &TMainFrm::showNet);
    for (const char* name : {"ShowNet_Item", "NetSetup_Item"})
        findChild<QAction*>(QLatin1String(name))->setEnabled(true);
    asmFrm_ = new TAsmFrm(machine_, cpu_, messages_, *printerSetup_, this);
    memoryModel_->setCodeMap(&asmFrm_->codeMap());
    connect(asmFrm_, &TAsmFrm::machineChanged, this, [this] {
        clearHistory();
        refreshView();
    });
    connect(asmFrm_, &TAsmFrm::codeMapChanged, this, [this] { memoryModel_->setCodeMap(&asmFrm_->codeMap()); });
    connect(asmFrm_, &TAsmFrm::tactRequested, this, [this] { if (!locked_) doTime(); });
    connect(asmFrm_, &TAsmFrm::instructionRequested, this, [this] { if (!locked_) doCommand(); });
    connect(asmFrm_, &TAsmFrm::runRequested, this, [this] { if (!locked_) doProgram(); });

    // Pointer movement anywhere in the window but the panel sends the panel back down.
    qApp->installEventFilter(this);

    layout()->setSizeConstraint(QLayout::SetFixedSize);
    // Built at 100 %; from here on the window follows the program's zoom.
    setZoomsItself(scheme_);
    setZoomsItself(commPanel_->table());
    zoomed_ = std::make_unique<ZoomedWidgets>(this);
    connect(&Zoom::instance(), &Zoom::changed, this, &TMainFrm::applyZoom);
    applyZoom(Zoom::instance().factor());
    // The instruction help pops up over the instruction table: it grows with it.
    const QSize popup = helpPopup_->size();
    followZoom(helpPopup_, [this, popup](qreal factor) {
        helpPopup_->setFixedSize(zoomed(popup.width(), factor), zoomed(popup.height(), factor));
    });
    // The selected row is PC from the start.
    followingPc_ = true;
    onAddressTextChanged(ramNum_->text());
    followingPc_ = false;
    refreshView();
}

TMainFrm::~TMainFrm() { qApp->removeEventFilter(this); }

// ---------------------------------------------------------------------------------------------
// Building the window

void TMainFrm::buildScheme(QWidget* client) {
    scheme_ = new SchemeWidget(client);
    scheme_->move(8, 8);
    connect(scheme_, &SchemeWidget::registerLabelClicked, this, [this](Element e) {
        // While an instruction is unfinished a label selects nothing.
        if (!editingEnabled_ || locked_) return;
        selectRegister(registerNameOf(e));
    });

    struct Device {
        const char* name;
        QStyle::StandardPixmap icon;
        int left;
    };
    const Device devices[] = {
        {"PF_Monitor", QStyle::SP_ComputerIcon, 70},
        {"PF_Diskette", QStyle::SP_DriveFDIcon, 98},
        {"PF_HardDisk", QStyle::SP_DriveHDIcon, 126},
        {"PF_LANCard", QStyle::SP_DriveNetIcon, 154},
        {"PF_Printer", QStyle::SP_FileDialogDetailedView, 182},
    };
    for (const Device& d : devices) {
        QToolButton* b = iconButton(client, d.name, d.icon, false);
        b->setGeometry(d.left, 406, 26, 26);
        b->setAutoRaise(true);
        b->setEnabled(false);  // the device windows come with the devices
        deviceButtons_.append(b);
    }
    deviceButtons_[0]->setEnabled(true);  // PF_Monitor
    connect(deviceButtons_[0], &QToolButton::clicked, this, &TMainFrm::showMonitor);
    deviceButtons_[1]->setEnabled(true);  // PF_Diskette
    connect(deviceButtons_[1], &QToolButton::clicked, this, &TMainFrm::showFloppy);
    deviceButtons_[2]->setEnabled(true);  // PF_HardDisk
    connect(deviceButtons_[2], &QToolButton::clicked, this, &TMainFrm::showHDisc);

    statusTxt_ = new QLabel(client);
    statusTxt_->setObjectName(QStringLiteral("Status_TXT"));
    statusTxt_->setGeometry(8, 428, 64, 14);
    statusTxt_->hide();
    stepBackTxt_ = new QLabel(client);
    stepBackTxt_->setObjectName(QStringLiteral("StepBack_TXT"));
    stepBackTxt_->setGeometry(8, 428, 457, 14);
    stepBackTxt_->hide();
    progress_ = new QProgressBar(client);
    progress_->setObjectName(QStringLiteral("Progress"));
    progress_->setGeometry(72, 432, 393, 9);
    progress_->setTextVisible(false);
    progress_->hide();
    runStatus_ = new QLabel(client);
    runStatus_->setObjectName(QStringLiteral("Run_Status_TXT"));
    runStatus_->setGeometry(212, 428, 253, 14);
    runStatus_->hide();
}

void TMainFrm::buildMemoryGroups(QWidget* client) {
    auto* memGroup = new QGroupBox(client);
    memGroup->setObjectName(QStringLiteral("MemGroup"));
    memGroup->setGeometry(471, 8, 189, 257);
    memoryModel_ = new MemoryModel(machine_, this);
    memGrid_ = new MemoryView(memGroup);
    memGrid_->setModel(memoryModel_);
    memoryModel_->setBreakpoints(&breakpoints_);
    connect(memGrid_, &MemoryView::breakpointToggleRequested, this, &TMainFrm::toggleBreakpoint);
    connect(memGrid_, &MemoryView::runToRequested, this, &TMainFrm::runToCursor);
    memGrid_->setGeometry(10, 16, 171, 233);
    connect(memGrid_, &MemoryView::rowChosen, this, &TMainFrm::chooseAddress);
    connect(memGrid_, &MemoryView::opcodeDropped, this, &TMainFrm::onOpcodeDropped);
    // Typing in the list edits the selected cell, as in the value field; it never moves PC.
    connect(memGrid_, &MemoryView::hexDigitTyped, this, [this](QChar digit) {
        if (!ramVal_->isEnabled()) return;
        ramVal_->setFocus();
        ramVal_->selectAll();
        ramVal_->insert(QString(digit.toUpper()));
    });

    auto* cellGroup = new QGroupBox(client);
    cellGroup->setObjectName(QStringLiteral("CellGroup"));
    cellGroup->setGeometry(467, 265, 193, 49);
    ramNum_ = new QLineEdit(QStringLiteral("0000"), cellGroup);
    ramNum_->setObjectName(QStringLiteral("RAM_Num_ED"));
    ramNum_->setMaxLength(4);
    ramNum_->setGeometry(8, 18, 62, 24);
    ramNum_->setFont(editorFont(11));
    ramUpDn_ = new UpDown(0, 0xFFFF, cellGroup);
    ramUpDn_->setObjectName(QStringLiteral("RAM_UpDn"));
    ramUpDn_->setGeometry(70, 18, 16, 24);
    ramVal_ = new QLineEdit(QStringLiteral("00"), cellGroup);
    ramVal_->setObjectName(QStringLiteral("RAM_Val_ED"));
    ramVal_->setMaxLength(2);
    ramVal_->setGeometry(96, 18, 40, 24);
    ramVal_->setFont(editorFont(11));
    ramEnter_ = iconButton(cellGroup, "RAM_Enter_BTN", QStyle::SP_DialogApplyButton, false);
    ramEnter_->setGeometry(146, 18, 38, 24);
    ramVal_->installEventFilter(this);

    connect(ramNum_, &QLineEdit::textChanged, this, &TMainFrm::onAddressTextChanged);
    connect(ramVal_, &QLineEdit::textEdited, this, &TMainFrm::onValueTextEdited);
    connect(ramEnter_, &QToolButton::clicked, this, &TMainFrm::enterValue);
    connect(ramUpDn_, &UpDown::stepped, this, [this](int position, int) { chooseAddress(static_cast<uint16_t>(position)); });
}

void TMainFrm::buildRegisterGroup(QWidget* client) {
    auto* group = new QGroupBox(client);
    group->setObjectName(QStringLiteral("RegGroup"));
    group->setGeometry(467, 313, 193, 49);
    regNam_ = new QLineEdit(QStringLiteral("A"), group);
    regNam_->setObjectName(QStringLiteral("REG_Nam_ED"));
    regNam_->setMaxLength(2);
    regNam_->setGeometry(8, 18, 40, 24);
    regNam_->setFont(editorFont(11));
    QPalette navy = regNam_->palette();
    navy.setColor(QPalette::Text, QColor(0, 0, 128));
    regNam_->setPalette(navy);
    regUpDn_ = new UpDown(-1, kCycleLength, group);
    regUpDn_->setObjectName(QStringLiteral("REG_UpDn"));
    regUpDn_->setGeometry(48, 18, 16, 24);
    regUpDn_->setPosition(0);
    regVal_ = new QLineEdit(QStringLiteral("00"), group);
    regVal_->setObjectName(QStringLiteral("REG_Val_ED"));
    regVal_->setMaxLength(2);
    regVal_->setGeometry(74, 18, 62, 24);
    regVal_->setFont(editorFont(11));
    QPalette green = regVal_->palette();
    green.setColor(QPalette::Text, QColor(0, 128, 0));
    regVal_->setPalette(green);
    regEnter_ = iconButton(group, "REG_Enter_BTN", QStyle::SP_DialogApplyButton, false);
    regEnter_->setGeometry(146, 18, 38, 24);
    regNam_->installEventFilter(this);
    regVal_->installEventFilter(this);

    connect(regNam_, &QLineEdit::textChanged, this, &TMainFrm::onRegisterNameChanged);
    connect(regVal_, &QLineEdit::textChanged, this, &TMainFrm::onRegisterValueChanged);
    connect(regEnter_, &QToolButton::clicked, this, &TMainFrm::writeRegister);
    connect(regUpDn_, &UpDown::stepped, this, [this](int, int direction) {
        // The control's own arrows moved it already; undo that and step with the wrap.
        regUpDn_->setPosition(regUpDn_->position() - direction);
        stepRegister(direction);
    });
}

void TMainFrm::buildExecutionGroups(QWidget* client) {
    auto* exec = new QGroupBox(client);
    exec->setObjectName(QStringLiteral("ExecGroup"));
    exec->setGeometry(467, 362, 112, 49);
    doProgram_ = iconButton(exec, "DoProgram_BTN", QStyle::SP_MediaPlay, false);
    doProgram_->setCheckable(true);
    doCommand_ = iconButton(exec, "DoCommand_BTN", QStyle::SP_MediaSeekForward, false);
    doTime_ = iconButton(exec, "DoTime_BTN", QStyle::SP_MediaSkipForward, false);
    doProgram_->setGeometry(6, 17, 32, 26);
    doCommand_->setGeometry(40, 17, 32, 26);
    doTime_->setGeometry(74, 17, 32, 26);
    // The run button's look follows the run mode, not the click.
    connect(doProgram_, &QToolButton::clicked, this, [this] {
        doProgram_->setChecked(cpu_.running());
        doProgram();
    });
    connect(doCommand_, &QToolButton::clicked, this, &TMainFrm::doCommand);
    connect(doTime_, &QToolButton::clicked, this, &TMainFrm::doTime);

    auto* reset = new QGroupBox(client);
    reset->setObjectName(QStringLiteral("ResetGroup"));
    reset->setGeometry(589, 362, 71, 49);
    resetRam_ = iconButton(reset, "ResetRAM_BTN", QStyle::SP_DialogResetButton, false);
    resetRegs_ = iconButton(reset, "ResetRegs_BTN", QStyle::SP_BrowserReload, false);
    resetRam_->setGeometry(4, 17, 30, 26);
    resetRegs_->setGeometry(37, 17, 30, 26);
    connect(resetRam_, &QToolButton::clicked, this, &TMainFrm::resetMemory);
    connect(resetRegs_, &QToolButton::clicked, this, &TMainFrm::resetRegisters);
}

QAction* TMainFrm::addItem(QMenu* menu, const char* objectName, const QKeySequence& key) {
    QAction* a = menu->addAction(QString());
    a->setObjectName(QLatin1String(objectName));
    if (!key.isEmpty()) a->setShortcut(key);
    return a;
}

void TMainFrm::buildMenu() {
    QMenuBar* bar = menuBar();
    fileMenu_ = bar->addMenu(QString());
    fileMenu_->setObjectName(QStringLiteral("File_Menu"));
    connect(addItem(fileMenu_, "New_Item", QKeySequence("Ctrl+N")),
            &QAction::triggered, this, &TMainFrm::newWorkspace);
    fileMenu_->addSeparator();
    connect(addItem(fileMenu_, "Open_Item", QKeySequence("Ctrl+O")), &QAction::triggered,
            this, [this] { files_->open(); });
    connect(addItem(fileMenu_, "Save_Item", QKeySequence("Ctrl+S")), &QAction::triggered,
            this, [this] { files_->save(); });
    connect(addItem(fileMenu_, "SaveAs_Item", QKeySequence("Ctrl+Shift+S")),
            &QAction::triggered, this, [this] { files_->saveAs(); });
    fileMenu_->addSeparator();
    connect(addItem(fileMenu_, "Export_Item", {}), &QAction::triggered,
            this, [this] { exportFrm_->exec(); });
    fileMenu_->addSeparator();
    connect(addItem(fileMenu_, "Print_Item", QKeySequence("Ctrl+P")),
            &QAction::triggered, this, [this] { printFrm_->exec(); });
    connect(addItem(fileMenu_, "PrinterSetup_Item", {}),
            &QAction::triggered, this, [this] { printerSetup_->showSetupDialog(this); });
    fileMenu_->addSeparator();
    connect(addItem(fileMenu_, "Exit_Item", QKeySequence("Alt+F4")),
            &QAction::triggered, this, &QWidget::close);

    mpMenu_ = bar->addMenu(QString());
    mpMenu_->setObjectName(QStringLiteral("MP_Menu"));
    connect(addItem(mpMenu_, "DoTime_Item", QKeySequence(Qt::Key_F8)),
            &QAction::triggered, this, &TMainFrm::doTime);
    connect(addItem(mpMenu_, "DoCommand_Item", QKeySequence(Qt::Key_F7)),
            &QAction::triggered, this, &TMainFrm::doCommand);
    doProgramItem_ = addItem(mpMenu_, "DoProgram_Item", QKeySequence(Qt::Key_F6));
    connect(doProgramItem_, &QAction::triggered, this, &TMainFrm::doProgram);
    mpMenu_->addSeparator();
    backTactItem_ = addItem(mpMenu_, "BackTime_Item", QKeySequence("Shift+F8"));
    connect(backTactItem_, &QAction::triggered, this, &TMainFrm::stepBackTact);
    backCommandItem_ = addItem(mpMenu_, "BackCommand_Item", QKeySequence("Shift+F7"));
    connect(backCommandItem_, &QAction::triggered, this, &TMainFrm::stepBackCommand);
    connect(addItem(mpMenu_, "ToggleBreak_Item", QKeySequence(Qt::Key_F2)),
            &QAction::triggered, this, [this] {
                const int row = memGrid_->selectedAddress();
                toggleBreakpoint(static_cast<uint16_t>(row < 0 ? machine_.s.pc : row));
            });
    // The row under the pointer when there is one: the selected row is PC itself.
    connect(addItem(mpMenu_, "RunToCursor_Item", QKeySequence(Qt::Key_F4)),
            &QAction::triggered, this, [this] {
                const int row = memGrid_->rowUnderPointer();
                runToCursor(static_cast<uint16_t>(row >= 0 ? row : memGrid_->selectedAddress() >= 0
                                                                      ? memGrid_->selectedAddress()
                                                                      : machine_.s.pc));
            });
    connect(addItem(mpMenu_, "ClearBreaks_Item", {}),
            &QAction::triggered, this, &TMainFrm::clearBreakpoints);
    speed_->addMenu(mpMenu_);
    mpMenu_->addSeparator();
    resetRamItem_ = addItem(mpMenu_, "ResetRAM_Item", QKeySequence(Qt::Key_F10));
    connect(resetRamItem_, &QAction::triggered, this, &TMainFrm::resetMemory);
    resetRegsItem_ = addItem(mpMenu_, "ResetRegs_Item", QKeySequence(Qt::Key_F11));
    connect(resetRegsItem_, &QAction::triggered, this, &TMainFrm::resetRegisters);
    clearHaltItem_ = addItem(mpMenu_, "ClearHLDA_Item", QKeySequence(Qt::Key_F12));
    clearHaltItem_->setEnabled(false);
    connect(clearHaltItem_, &QAction::triggered, this, &TMainFrm::clearHaltFlag);

    viewMenu_ = bar->addMenu(QString());
    viewMenu_->setObjectName(QStringLiteral("View_Menu"));
    connect(addItem(viewMenu_, "ShowMonitor_Item", QKeySequence("Ctrl+Alt+M")),
            &QAction::triggered, this, &TMainFrm::showMonitor);
    connect(addItem(viewMenu_, "ShowFloppy_Item", QKeySequence("Ctrl+Alt+F")),
            &QAction::triggered, this, &TMainFrm::showFloppy);
    connect(addItem(viewMenu_, "ShowHDisc_Item", QKeySequence("Ctrl+Alt+H")),
            &QAction::triggered, this, &TMainFrm::showHDisc);
    // Enabled once the network windows exist (after the menu).
    connect(addItem(viewMenu_, "ShowNet_Item", QKeySequence("Ctrl+Alt+N")),
            &QAction::triggered, this, &TMainFrm::showNet);
    findChild<QAction*>(QStringLiteral("ShowNet_Item"))->setEnabled(false);
    connect(addItem(viewMenu_, "ShowPrinter_Item", QKeySequence("Ctrl+Alt+P")),
            &QAction::triggered, this, &TMainFrm::showPrinter);
    viewMenu_->addSeparator();
    connect(addItem(viewMenu_, "ToggleCommands_Item", QKeySequence(Qt::Key_Space)),
            &QAction::triggered, this, &TMainFrm::toggleCommandTable);
    viewMenu_->addSeparator();
    connect(addItem(viewMenu_, "ShowAsm_Item", QKeySequence("Ctrl+E")),
            &QAction::triggered, this, &TMainFrm::showAsm);
    QAction* operands = addItem(viewMenu_, "ShowOperands_Item", {});
    operands->setCheckable(true);
    connect(operands, &QAction::toggled, this, [this](bool on) { memoryModel_->setShowOperands(on); });
    followPcItem_ = addItem(viewMenu_, "FollowPC_Item", {});
    followPcItem_->setCheckable(true);
    connect(followPcItem_, &QAction::toggled, this, [this](bool on) {
        if (on) memGrid_->revealAddress(machine_.s.pc);
    });
    connect(addItem(viewMenu_, "ShowTiming_Item", {}),
            &QAction::triggered, this, [this] { showBeside(timingFrm_); });
    viewMenu_->addSeparator();
    connect(addItem(viewMenu_, "ShowStack_Item", {}),
            &QAction::triggered, this, &TMainFrm::showStackArea);
    viewMenu_->addSeparator();
    zoomMenu_ = new ZoomMenu(Settings(), this);
    zoomMenu_->addMenu(viewMenu_);

    settingsMenu_ = bar->addMenu(QString());
    settingsMenu_->setObjectName(QStringLiteral("Settings_Menu"));
    connect(addItem(settingsMenu_, "VZUSetup_Item", {}),
            &QAction::triggered, this, [this] { vzuSetupFrm_->exec(); });
    QAction* netSetup = addItem(settingsMenu_, "NetSetup_Item", {});
    netSetup->setEnabled(false);
    connect(netSetup, &QAction::triggered, this, [this] { netSettFrm_->exec(); });
    settingsMenu_->addSeparator();
    languageMenu_ = new LanguageMenu(settingsMenu_);

    helpMenu_ = bar->addMenu(QString());
    helpMenu_->setObjectName(QStringLiteral("Help_Menu"));
    connect(addItem(helpMenu_, "Help_Item", QKeySequence(Qt::Key_F1)),
            &QAction::triggered, this, &TMainFrm::openHelp);
    helpMenu_->addSeparator();
    connect(addItem(helpMenu_, "About_Item", {}), &QAction::triggered, this,
            [this] { aboutFrm_->exec(); });
}

// ---------------------------------------------------------------------------------------------
// The window's texts, in the current language

QString TMainFrm::runHint(bool running) {
    return running ? tr("Остановить выполнение программы") : tr("Выполнить программу");
}

void TMainFrm::retranslate() {
    setWindowTitle(tr("Эмулятор МП-системы на базе МП ОРЛАН-М"));
    fileMenu_->setTitle(tr("Файл"));
    mpMenu_->setTitle(tr("МП-система"));
    viewMenu_->setTitle(tr("Вид"));
    settingsMenu_->setTitle(tr("Настройки"));
    helpMenu_->setTitle(tr("Помощь"));

    struct Text {
        const char* name;
        const char* text;
    };
    static const Text kItems[] = {
        {"New_Item", QT_TR_NOOP("Новый (очистить память и регистры)")},
        {"Open_Item", QT_TR_NOOP("Открыть...")},
        {"Save_Item", QT_TR_NOOP("Сохранить")},
        {"SaveAs_Item", QT_TR_NOOP("Сохранить как...")},
        {"Export_Item", QT_TR_NOOP("Экспорт...")},
        {"Print_Item", QT_TR_NOOP("Печать...")},
        {"PrinterSetup_Item", QT_TR_NOOP("Настройки принтера...")},
        {"Exit_Item", QT_TR_NOOP("Выход из программы")},
        {"DoTime_Item", QT_TR_NOOP("Выполнить такт")},
        {"DoCommand_Item", QT_TR_NOOP("Выполнить текущую команду полностью")},
        {"BackTime_Item", QT_TR_NOOP("Такт назад")},
        {"BackCommand_Item", QT_TR_NOOP("Команда назад")},
        {"ToggleBreak_Item", QT_TR_NOOP("Точка останова")},
        {"RunToCursor_Item", QT_TR_NOOP("Выполнить до курсора")},
        {"ClearBreaks_Item", QT_TR_NOOP("Снять все точки останова")},
        {"ResetRAM_Item", QT_TR_NOOP("Очистить содержимое памяти")},
        {"ResetRegs_Item", QT_TR_NOOP("Очистить все регистры")},
        {"ClearHLDA_Item", QT_TR_NOOP("Снять флаг HLDA")},
        {"ShowMonitor_Item", QT_TR_NOOP("Отобразить \"монитор\"...")},
        {"ShowFloppy_Item", QT_TR_NOOP("Отобразить буфер \"дисковода\"...")},
        {"ShowHDisc_Item", QT_TR_NOOP("Отобразить буфер \"жёсткого диска\"...")},
        {"ShowNet_Item", QT_TR_NOOP("Отобразить буфер \"сетевого адаптера\"...")},
        {"ShowPrinter_Item", QT_TR_NOOP("Отобразить буфер \"принтера\"...")},
        {"ToggleCommands_Item", QT_TR_NOOP("Отобразить/скрыть систему команд МП ОРЛАН-М")},
        {"ShowAsm_Item", QT_TR_NOOP("Ассемблер...")},
        {"ShowOperands_Item", QT_TR_NOOP("Показывать операнды команд")},
        {"FollowPC_Item", QT_TR_NOOP("Следовать за PC")},
        {"ShowTiming_Item", QT_TR_NOOP("Временная диаграмма")},
        {"ShowStack_Item", QT_TR_NOOP("Показать стековую область памяти")},
        {"VZUSetup_Item", QT_TR_NOOP("Установка каталогов для \"внешних ЗУ\"")},
        {"NetSetup_Item", QT_TR_NOOP("Настройки сети для \"сетевого адаптера\"")},
        {"Help_Item", QT_TR_NOOP("Вызвать справку")},
        {"About_Item", QT_TR_NOOP("О программе...")},
    };
    for (const Text& t : kItems) findChild<QAction*>(QLatin1String(t.name))->setText(tr(t.text));
    doProgramItem_->setText(runHint(cpu_.running()));

    static const Text kGroups[] = {
        {"MemGroup", QT_TR_NOOP("Содержимое ячеек ОЗУ")},
        {"CellGroup", QT_TR_NOOP("Ячейка ОЗУ и её значение")},
        {"RegGroup", QT_TR_NOOP("Регистр и его значение")},
        {"ExecGroup", QT_TR_NOOP("Выполнение")},
        {"ResetGroup", QT_TR_NOOP("Сброс")},
    };
    for (const Text& t : kGroups) findChild<QGroupBox*>(QLatin1String(t.name))->setTitle(tr(t.text));

    static const Text kHints[] = {
        {"PF_Monitor", QT_TR_NOOP("Отобразить монитор...")},
        {"PF_Diskette", QT_TR_NOOP("Отобразить буфер дисковода...")},
        {"PF_HardDisk", QT_TR_NOOP("Отобразить буфер жёсткого диска...")},
        {"PF_LANCard", QT_TR_NOOP("Отобразить буфер сетевого адаптера...")},
        {"PF_Printer", QT_TR_NOOP("Отобразить содержимое буфера принтера...")},
        {"RAM_Enter_BTN", QT_TR_NOOP("Записать значение в ячейку")},
        {"REG_Enter_BTN", QT_TR_NOOP("Записать значение в регистр")},
        {"DoCommand_BTN", QT_TR_NOOP("Выполнить команду")},
        {"DoTime_BTN", QT_TR_NOOP("Выполнить такт")},
        {"ResetRAM_BTN", QT_TR_NOOP("Сброс ОЗУ")},
        {"ResetRegs_BTN", QT_TR_NOOP("Сброс регистров")},
    };
    for (const Text& t : kHints) findChild<QToolButton*>(QLatin1String(t.name))->setToolTip(tr(t.text));
    doProgram_->setToolTip(runHint(cpu_.running()));

    stepBackTxt_->setText(tr("Шаг назад прошёл через OUT: выведенное на устройства не отменяется"));
    showRunStatus(runStop_, runStopAddress_);
    languageMenu_->showCurrent();
}

void TMainFrm::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) retranslate();
}

// ---------------------------------------------------------------------------------------------
// Keeping the window in step with the machine

void TMainFrm::refreshView() {
    const bool canBack = cpu_.canStepBack() && !locked_;
    backTactItem_->setEnabled(canBack);
    backCommandItem_->setEnabled(canBack);
    stepBackTxt_->hide();
    scheme_->showState(machine_);
    const ChangeMarks changes = machine_.changes;
    memoryModel_->catchUp(changes);
    if (changes.highestPcSet >= 0) memGrid_->followPc(changes.highestPcSet);
    // Following PC both ways: a backward jump brings its row back on screen too.
    if (followPcItem_->isChecked() && (changes.highestPcSet >= 0 || changes.pcMoved))
        memGrid_->revealAddress(machine_.s.pc);
    // A cell written under the editor's address (a file, a drop, the program itself) is shown,
    // so that Enter never writes a stale value back.
    if (changes.memoryChanged() && machine_.s.pc >= changes.memLo && machine_.s.pc <= changes.memHi)
        ramVal_->setText(q(formatByte(machine_.s.memory[machine_.s.pc])));
    // Likewise the register panel's register.
    if (validRegisterName(regNam_->text())) {
        const QString value = registerValueText(regNam_->text());
        if (value != shownRegisterValue_) showRegisterValue();
    }
    if (changes.pcMoved && !followingPc_) {
        // The memory editor follows PC through its address field.
        followingPc_ = true;
        const QString text = q(formatWord(machine_.s.pc));
        if (ramNum_->text() != text)
            ramNum_->setText(text);
        else
            onAddressTextChanged(text);
        followingPc_ = false;
    }
    if (asmFrm_) asmFrm_->followMachine();
    if (timingFrm_) timingFrm_->followMachine();
    machine_.changes = {};
}

void TMainFrm::setEditingEnabled(bool enabled) {
    editingEnabled_ = enabled;
    applyEnabledStates();
}

void TMainFrm::setRunMode(bool running) {
    const QString hint = runHint(running);
    doProgram_->setToolTip(hint);
    doProgram_->setChecked(running);
    doProgramItem_->setText(hint);
    if (!running) refreshView();
    applyEnabledStates();
}

void TMainFrm::setHaltItemEnabled(bool enabled) {
    haltItemEnabled_ = enabled;
    clearHaltItem_->setEnabled(enabled);
}

void TMainFrm::setWorkspaceLocked(bool locked) {
    locked_ = locked;
    applyEnabledStates();
}

void TMainFrm::applyEnabledStates() {
    const bool edit = editingEnabled_ && !locked_;
    memGrid_->setEnabled(edit);
    ramNum_->setEnabled(edit);
    ramUpDn_->setEnabled(edit);
    ramVal_->setEnabled(edit && addressComplete_);
    ramEnter_->setEnabled(edit && addressComplete_ && ramEnterReady_);
    regNam_->setEnabled(edit);
    regUpDn_->setEnabled(edit);
    regVal_->setEnabled(edit);
    regEnter_->setEnabled(edit && regEnterReady_);
    resetRam_->setEnabled(edit);
    resetRegs_->setEnabled(edit);
    fileMenu_->menuAction()->setEnabled(edit);
    resetRamItem_->setEnabled(edit);
    resetRegsItem_->setEnabled(edit);
    if (asmFrm_) asmFrm_->setEditingAllowed(edit);

    for (QToolButton* b : {doProgram_, doCommand_, doTime_}) b->setEnabled(!locked_);
    scheme_->setRegisterLabelsEnabled(!locked_);
    for (QMenu* m : {mpMenu_, viewMenu_, settingsMenu_, helpMenu_}) m->menuAction()->setEnabled(!locked_);
    const bool canBack = cpu_.canStepBack() && !locked_;
    backTactItem_->setEnabled(canBack);
    backCommandItem_->setEnabled(canBack);
}

// ---------------------------------------------------------------------------------------------
// Execution

void TMainFrm::doTime() {
    showRunStatus(RunStop::None);
    cpu_.executeTact();
    refreshView();
}

void TMainFrm::stepBackTact() { showStepBack(cpu_.stepBackTact()); }

void TMainFrm::stepBackCommand() { showStepBack(cpu_.stepBackInstruction()); }

void TMainFrm::showStepBack(const StepBack& back) {
    refreshView();
    if (back.crossedOutput) {
        stepBackTxt_->show();
    }
}

void TMainFrm::clearHistory() {
    if (cpu_.history()) cpu_.history()->clear();
    const bool canBack = cpu_.canStepBack() && !locked_;
    backTactItem_->setEnabled(canBack);
    backCommandItem_->setEnabled(canBack);
}

void TMainFrm::doCommand() {
    showRunStatus(RunStop::None);
    cpu_.executeInstruction();
    refreshView();
    // A step that ends before a breakpoint's fetch says so, as a run stopping there would.
    if (!cpu_.running() && cpu_.atBreakpoint() && breakpoints_.contains(machine_.s.pc))
        showRunStatus(RunStop::Breakpoint, machine_.s.pc);
}

void TMainFrm::doProgram() {
    if (!cpu_.running() && speed_->paced()) {
        showRunStatus(RunStop::None);
        speed_->startRun();
        return;
    }
    if (!cpu_.running()) showRunStatus(RunStop::None);
    cpu_.toggleRun();
    if (!cpu_.running()) {
        speed_->cancel();
        afterRun();
    }
    refreshView();
}

void TMainFrm::afterRun() {
    if (cpu_.running()) return;
    if (cpu_.lastRunEnd() == RunEnd::Breakpoint) {
        const uint16_t pc = machine_.s.pc;
        const bool target = breakpoints_.target() == pc && !breakpoints_.contains(pc);
        showRunStatus(target ? RunStop::Cursor : RunStop::Breakpoint, pc);
        refreshView();
        memGrid_->selectAddress(pc);
        memGrid_->revealAddress(pc);
    }
    breakpoints_.clearTarget();
}

void TMainFrm::showRunStatus(RunStop stop, uint16_t address) {
    runStop_ = stop;
    runStopAddress_ = address;
    const QString where = q(formatWord(address));
    runStatus_->setText(stop == RunStop::Breakpoint ? tr("Точка останова: %1").arg(where)
                        : stop == RunStop::Cursor   ? tr("Выполнено до курсора: %1").arg(where)
                                                    : QString());
    runStatus_->setVisible(stop != RunStop::None);
}

void TMainFrm::toggleBreakpoint(uint16_t address) {
    breakpoints_.toggle(address);
    memoryModel_->rowMarkChanged(address);
}

void TMainFrm::clearBreakpoints() {
    for (uint16_t a : breakpoints_.addresses()) {
        breakpoints_.set(a, false);
        memoryModel_->rowMarkChanged(a);
    }
}

void TMainFrm::runToCursor(uint16_t address) {
    if (cpu_.running()) return;
    breakpoints_.setTarget(address);
    doProgram();
}

void TMainFrm::stopRunOnDeviceFailure(MessageBox* box) {
    // A port number mistyped in the network settings is the user's slip, not the device failing.
    if (!cpu_.running() || box->id == MessageId::NetPortNotNumber) return;
    // The run loop ends after the instruction under way, which completes as always.
    cpu_.toggleRun();
    *box = withRunStopped(std::move(*box));
}

void TMainFrm::clearHaltFlag() {
    cpu_.clearHaltFlag();
    refreshView();
}

void TMainFrm::openFile(const QString& name) {
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
    waitingFiles_.append(name);
    if (waitingFiles_.size() > 1) return;  // the retry below is already on its way
    const auto tryOpen = [this](const auto& self) -> void {
        if (!fileMenu_->menuAction()->isEnabled() || files_->busy() ||
            QApplication::activeModalWidget() != nullptr) {
            QTimer::singleShot(250, this, [this, self] { self(self); });
            return;
        }
        // One at a time: the next waits until this one's dialogs are closed.
        const QString next = waitingFiles_.takeFirst();
        if (QFileInfo(next).suffix().compare(QStringLiteral("asm"), Qt::CaseInsensitive) == 0) {
            // A source goes to the assembler window, which asks about unsaved text first.
            showAsm();
            if (asmFrm_->mayDiscardText()) asmFrm_->loadFile(next);
        } else {
            files_->openFromDesktop(next);
        }
        if (!waitingFiles_.isEmpty()) QTimer::singleShot(0, this, [this, self] { self(self); });
    };
    tryOpen(tryOpen);
}

void TMainFrm::closeEvent(QCloseEvent* event) {
    // An unsaved source is not dropped without asking.
    if (!asmFrm_->mayDiscardText()) {
        event->ignore();
        return;
    }
    // The run loop lives below this handler: end the run so that it returns.
    if (cpu_.running()) cpu_.toggleRun();
    helpPopup_->hide();
    netFrm_->device().closeClient();
    event->accept();
}

// ---------------------------------------------------------------------------------------------
// Resets

void TMainFrm::showProgress(const QString& status, int maximum) {
    statusTxt_->setText(status);
    progress_->setRange(0, maximum);
    progress_->setValue(0);
    statusTxt_->show();
    progress_->show();
}

void TMainFrm::setProgress(int position) { progress_->setValue(position); }

void TMainFrm::hideProgress() {
    statusTxt_->hide();
    progress_->hide();
}

void TMainFrm::resetMemory() {
    setWorkspaceLocked(true);
    showProgress(tr("Сброс ОЗУ:"), 0x10000);
    for (int cell = 0; cell < 0x10000; ++cell) {
        machine_.writeMemory(static_cast<uint16_t>(cell), 0);
        if (cell % 1000 == 0) {
            setProgress(cell);
            QCoreApplication::processEvents();
        }
    }
    setProgress(0x10000);
    ramVal_->setText(QStringLiteral("00"));
    hideProgress();
    setWorkspaceLocked(false);
    refreshView();
}

void TMainFrm::resetRegisters() {
    cpu_.resetRegisters();
    clearHistory();
    ramNum_->setText(QStringLiteral("0000"));
    regUpDn_->setPosition(0);
    regNam_->setText(QStringLiteral("A"));
    regVal_->setMaxLength(2);
    regVal_->setText(QStringLiteral("00"));
    refreshView();
    memGrid_->selectAddress(0);
}

void TMainFrm::newWorkspace() {
    resetMemory();
    resetRegisters();
}

void TMainFrm::toggleCommandTable() {
    if (commPanel_->isShown())
        commPanel_->placeHidden();
    else
        commPanel_->placeShown();
}

void TMainFrm::showStackArea() { memGrid_->showStackArea(machine_.s.sp); }

void TMainFrm::showBeside(QWidget* window) {
    // Only the first time: afterwards the window opens where the user left it.
    if (!placedWindows_.contains(window)) {
        placeBeside(window, this, static_cast<int>(placedWindows_.size()));
        placedWindows_.insert(window);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

void TMainFrm::applyZoom(qreal factor) {
    const bool panelShown = commPanel_->isShown();
    zoomed_->apply(factor);
    scheme_->setZoom(factor);
    memGrid_->setZoom(factor);
    commPanel_->table()->setZoom(factor);
    // The panel was put back where it was built; it goes where it was.
    if (panelShown)
        commPanel_->placeShown();
    else
        commPanel_->placeHidden();
    if (isVisible()) {
        adjustSize();
        keepOnScreen(this);
    }
}

void TMainFrm::showPrinter() { showBeside(printerFrm_); }

void TMainFrm::showMonitor() { showBeside(monFrm_); }

void TMainFrm::showFloppy() { showBeside(floppyFrm_); }

void TMainFrm::showHDisc() { showBeside(hdiscFrm_); }

void TMainFrm::startNetwork() { netSettFrm_->load(); }

void TMainFrm::showNet() { showBeside(netFrm_); }

void TMainFrm::showAsm() { showBeside(asmFrm_); }

void TMainFrm::openHelp() {
    if (helpFrm_->loadManual()) {
        showBeside(helpFrm_);
        return;
    }
    // No manual: the desktop is asked as before, and what it says about the missing file is its
    // own affair.
    urls_.open(QUrl::fromLocalFile(helpFrm_->manualFile()));
}

// ---------------------------------------------------------------------------------------------
// Memory editor

void TMainFrm::onAddressTextChanged(const QString& text) {
    const QString filtered = q(filterHexDigits(text.toStdString()));
    if (filtered != text) {
        ramNum_->setText(filtered);  // runs this rule again on the filtered text
        return;
    }
    addressComplete_ = filtered.size() == 4;
    if (addressComplete_) {
        const auto address = static_cast<uint16_t>(*parseHex(filtered.toStdString()));
        ramUpDn_->setPosition(address);
        memGrid_->selectAddress(address);
        ramVal_->setText(q(formatByte(machine_.s.memory[address])));
        ramEnterReady_ = true;
        if (!followingPc_) {
            // The user named this cell: show it, and show PC on the scheme.
            memGrid_->revealAddress(address);
            if (machine_.s.pc != address) {
                machine_.movePC(address);
                clearHistory();
            }
            applyEnabledStates();
            refreshView();
            return;
        }
    }
    applyEnabledStates();
}

void TMainFrm::onValueTextEdited(const QString& text) {
    const QString filtered = q(filterHexDigits(text.toStdString()));
    if (filtered != text) ramVal_->setText(filtered);
    ramEnterReady_ = filtered.size() == 2;
    applyEnabledStates();
}

void TMainFrm::chooseAddress(uint16_t address) {
    const QString text = q(formatWord(address));
    if (ramNum_->text() != text)
        ramNum_->setText(text);
    else
        onAddressTextChanged(text);
    refreshView();
}

void TMainFrm::enterValue() {
    const uint16_t address = machine_.s.pc;
    const auto value = static_cast<uint8_t>(parseHex(ramVal_->text().toStdString()).value_or(0));
    machine_.writeMemory(address, value);
    chooseAddress(address == 0xFFFF ? address : static_cast<uint16_t>(address + 1));
    ramVal_->setFocus();
    ramVal_->selectAll();
}

void TMainFrm::onOpcodeDropped(uint16_t address, uint8_t opcode) {
    if (!editingEnabled_ || locked_) return;
    machine_.writeMemory(address, opcode);
    ramVal_->setText(q(formatByte(opcode)));
    ramUpDn_->setPosition(address);
    refreshView();
}

void TMainFrm::showHelp(int opcode, const QString& mnemonic, const QPoint& globalPos) {
    if (helpPopup_->showHelp(opcode, mnemonic)) helpPopup_->popUpAt(globalPos);
}

// ---------------------------------------------------------------------------------------------
// Register panel

int TMainFrm::registerCyclePosition() const { return regUpDn_->position(); }

void TMainFrm::selectRegister(const QString& name) {
    regVal_->setMaxLength(digitsOf(name));
    if (regNam_->text() != name)
        regNam_->setText(name);
    else
        showRegisterValue();
    regVal_->setFocus();
    regVal_->selectAll();
}

void TMainFrm::stepRegister(int direction) {
    int position = regUpDn_->position() + direction;
    if (position >= kCycleLength) position = 0;
    if (position < 0) position = kCycleLength - 1;
    regUpDn_->setPosition(position);
    selectRegister(QLatin1String(kRegisterCycle[position].name));
}

void TMainFrm::onRegisterNameChanged(const QString& text) {
    if (text.size() >= 2 && text != "SP" && text != "PC") {
        regNam_->setText(text.left(1));
        return;
    }
    if (!validRegisterName(text)) {
        if (!text.isEmpty()) regNam_->setText(QString());
        return;
    }
    showRegisterValue();
}

QString TMainFrm::registerValueText(const QString& name) const {
    const MachineState& s = machine_.s;
    if (name == "SP") return q(formatWord(s.sp));
    if (name == "PC") return q(formatWord(s.pc));
    if (name == "W") return q(formatByte(s.w));
    if (name == "Z") return q(formatByte(s.z));
    return q(formatByte(s.reg[std::string("BCDEHL_A").find(name.toStdString()[0])]));
}

void TMainFrm::showRegisterValue() {
    const QString name = regNam_->text();
    regVal_->setMaxLength(digitsOf(name));
    shownRegisterValue_ = registerValueText(name);
    regVal_->setText(shownRegisterValue_);
}

void TMainFrm::onRegisterValueChanged(const QString& text) {
    const QString filtered = q(filterHexDigits(text.toStdString()));
    if (filtered != text) {
        regVal_->setText(filtered);
        return;
    }
    regEnterReady_ = filtered.size() == regVal_->maxLength();
    applyEnabledStates();
}

// A key typed into the name field; returns true when the key was taken.
bool TMainFrm::registerNameKey(int key, const QString& text) {
    if (text.isEmpty() && key != Qt::Key_Backspace && key != Qt::Key_Delete) return false;
    if (!text.isEmpty() && !text.at(0).isPrint()) return false;
    regEnterReady_ = true;
    const QChar c = text.isEmpty() ? QChar() : text.at(0).toUpper();
    if (QStringLiteral("ABCDEHLWZ").contains(c) && !c.isNull()) {
        selectRegister(QString(c));
    } else if (c == 'S') {
        selectRegister(QStringLiteral("SP"));
    } else if (c == 'P') {
        selectRegister(QStringLiteral("PC"));
    } else {
        regNam_->clear();
        regVal_->clear();
        regEnterReady_ = false;
    }
    applyEnabledStates();
    return true;
}

void TMainFrm::writeRegister() {
    const QString name = regNam_->text();
    if (name.isEmpty()) return;
    const uint32_t value = parseHex(regVal_->text().toStdString()).value_or(0);
    MachineState& s = machine_.s;
    switch (name.at(0).toLatin1()) {
        case 'S': machine_.setSP(static_cast<int32_t>(value & 0xFFFF)); break;
        case 'P': machine_.movePC(static_cast<uint16_t>(value)); break;
        case 'W': s.w = static_cast<uint8_t>(value); break;
        case 'Z': s.z = static_cast<uint8_t>(value); break;
        case 'A': s.reg[A] = static_cast<uint8_t>(value); break;
        case 'B': s.reg[B] = static_cast<uint8_t>(value); break;
        case 'C': s.reg[C] = static_cast<uint8_t>(value); break;
        case 'D': s.reg[D] = static_cast<uint8_t>(value); break;
        case 'E': s.reg[E] = static_cast<uint8_t>(value); break;
        case 'H': s.reg[H] = static_cast<uint8_t>(value); break;
        case 'L': s.reg[L] = static_cast<uint8_t>(value); break;
        default: return;
    }
    machine_.changes.haltChanged = true;  // the PC row and the stack colours are drawn again
    clearHistory();
    refreshView();
    regVal_->setFocus();
    regVal_->selectAll();
}

// ---------------------------------------------------------------------------------------------
// Keys of the edit fields and the pointer leaving the instruction table

bool TMainFrm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Enter && watched->isWidgetType() && commPanel_) {
        auto* w = static_cast<QWidget*>(watched);
        if (w->window() == this && w != commPanel_ && !commPanel_->isAncestorOf(w)) commPanel_->pointerLeft();
        return false;
    }
    if (watched == regNam_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        return registerNameKey(key->key(), key->text());
    }
    if (watched == regVal_ && event->type() == QEvent::KeyRelease) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            writeRegister();  // the Enter key writes short values too
            return true;
        }
    }
    if (watched == regVal_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Down || key->key() == Qt::Key_Up) {
            stepRegister(key->key() == Qt::Key_Down ? +1 : -1);
            return true;
        }
    }
    if (watched == ramVal_ && event->type() == QEvent::KeyRelease) {
        auto* key = static_cast<QKeyEvent*>(event);
        const uint16_t address = machine_.s.pc;
        switch (key->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
                enterValue();
                return true;
            case Qt::Key_Up:
                if (address < 0xFFFF) chooseAddress(static_cast<uint16_t>(address + 1));
                ramVal_->setFocus();
                ramVal_->selectAll();
                return true;
            case Qt::Key_Down:
                if (address > 0) chooseAddress(static_cast<uint16_t>(address - 1));
                ramVal_->setFocus();
                ramVal_->selectAll();
                return true;
            default:
                break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace orlan
