#include "Asmform.h"

#include <QAction>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTextDocument>
#include <QToolBar>

#include "AsmHighlighter.h"
#include "CodeEditor.h"
#include "Commands.h"
#include "DialogFolders.h"
#include "Disassembler.h"
#include "MessageService.h"
#include "PrinterSetup.h"
#include "SafeFile.h"
#include "machine.h"
#include "notation.h"

namespace orlan {

namespace {

const QString kCaption = QStringLiteral("ОРЛАН - Ассемблер");
const QString kUntitled = QStringLiteral("Без имени");
const QString kSourceFilter = QStringLiteral("Программы на ассемблере (*.asm)");
const QString kListingFilter = QStringLiteral("Листинги (*.lst)");
const QString kAllFilter = QStringLiteral("Все файлы (*)");

QString q(const std::string& s) { return QString::fromStdString(s); }

std::string fsName(const QString& name) { return QFile::encodeName(name).toStdString(); }

QFont listingFont() {
    QFont f(QStringLiteral("DejaVu Sans Mono"));
    f.setPointSize(9);
    return f;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The range dialog

TDisasmFrm::TDisasmFrm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("DisasmFrm"));
    setWindowTitle(QStringLiteral("ОРЛАН - Дизассемблирование"));
    auto* form = new QFormLayout(this);
    from_ = new QLineEdit(QStringLiteral("0000"), this);
    from_->setObjectName(QStringLiteral("From_ED"));
    to_ = new QLineEdit(QStringLiteral("00FF"), this);
    to_->setObjectName(QStringLiteral("To_ED"));
    for (QLineEdit* field : {from_, to_}) {
        field->setMaxLength(4);
        field->setToolTip(QStringLiteral("Номер ячейки памяти: четыре шестнадцатеричные цифры"));
        connect(field, &QLineEdit::textChanged, this, [this, field] { filter(field); });
    }
    form->addRow(QStringLiteral("Начальная ячейка:"), from_);
    form->addRow(QStringLiteral("Конечная ячейка:"), to_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setObjectName(QStringLiteral("OK_BTN"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Отмена"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

void TDisasmFrm::filter(QLineEdit* field) {
    const QString filtered = q(filterHexDigits(field->text().toStdString()));
    if (filtered != field->text()) field->setText(filtered);
    ok_->setEnabled(!from_->text().isEmpty() && !to_->text().isEmpty());
}

uint16_t TDisasmFrm::from() const {
    return static_cast<uint16_t>(parseHex(from_->text().toStdString()).value_or(0));
}

uint16_t TDisasmFrm::to() const { return static_cast<uint16_t>(parseHex(to_->text().toStdString()).value_or(0)); }

void TDisasmFrm::setRange(uint16_t from, uint16_t to) {
    from_->setText(q(formatWord(from)));
    to_->setText(q(formatWord(to)));
}

// ---------------------------------------------------------------------------------------------
// The window

TAsmFrm::TAsmFrm(Machine& machine, CCommands& cpu, MessageService& messages, PrinterSetup& printer,
                 QWidget* parent)
    : QMainWindow(parent), machine_(machine), cpu_(cpu), messages_(messages), printer_(printer) {
    setObjectName(QStringLiteral("AsmFrm"));
    setWindowFlag(Qt::Window);
    resize(720, 620);

    auto* split = new QSplitter(Qt::Vertical, this);
    editor_ = new CodeEditor(split);
    editor_->setObjectName(QStringLiteral("Source_ED"));
    highlighter_ = new AsmHighlighter(editor_->document());
    errors_ = new QListWidget(split);
    errors_->setObjectName(QStringLiteral("Errors_LST"));
    errors_->setToolTip(QStringLiteral("Ошибки ассемблирования: щелчок переводит курсор к месту ошибки"));
    split->addWidget(editor_);
    split->addWidget(errors_);
    split->setStretchFactor(0, 4);
    split->setStretchFactor(1, 1);
    setCentralWidget(split);
    connect(errors_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { jumpToDiagnostic(errors_->row(item)); });
    connect(errors_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) { jumpToDiagnostic(errors_->row(item)); });

    statusTxt_ = new QLabel(this);
    statusTxt_->setObjectName(QStringLiteral("Status_TXT"));
    statusBar()->addWidget(statusTxt_, 1);
    auto* position = new QLabel(this);
    position->setObjectName(QStringLiteral("Position_TXT"));
    statusBar()->addPermanentWidget(position);
    connect(editor_, &QPlainTextEdit::cursorPositionChanged, this, [this, position] {
        const QTextCursor c = editor_->textCursor();
        position->setText(QStringLiteral("Строка %1, столбец %2").arg(c.blockNumber() + 1).arg(c.positionInBlock() + 1));
    });
    connect(editor_->document(), &QTextDocument::modificationChanged, this, &TAsmFrm::updateCaption);

    disasmFrm_ = new TDisasmFrm(this);
    buildMenu();
    updateCaption();
}

TAsmFrm::~TAsmFrm() = default;

void TAsmFrm::buildMenu() {
    auto item = [this](QMenu* menu, const char* name, const QString& text, const QKeySequence& key,
                       QStyle::StandardPixmap icon = QStyle::SP_CustomBase) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QLatin1String(name));
        if (!key.isEmpty()) a->setShortcut(key);
        if (icon != QStyle::SP_CustomBase) a->setIcon(style()->standardIcon(icon));
        return a;
    };
    QMenu* file = menuBar()->addMenu(QStringLiteral("Файл"));
    file->setObjectName(QStringLiteral("AsmFile_Menu"));
    QAction* newItem = item(file, "AsmNew_Item", QStringLiteral("Новый"), QKeySequence("Ctrl+N"), QStyle::SP_FileIcon);
    connect(newItem, &QAction::triggered, this, &TAsmFrm::newSource);
    QAction* openItem =
        item(file, "AsmOpen_Item", QStringLiteral("Открыть..."), QKeySequence("Ctrl+O"), QStyle::SP_DialogOpenButton);
    connect(openItem, &QAction::triggered, this, &TAsmFrm::openSource);
    QAction* saveItem =
        item(file, "AsmSave_Item", QStringLiteral("Сохранить"), QKeySequence("Ctrl+S"), QStyle::SP_DialogSaveButton);
    connect(saveItem, &QAction::triggered, this, &TAsmFrm::saveSource);
    connect(item(file, "AsmSaveAs_Item", QStringLiteral("Сохранить как..."), QKeySequence("Ctrl+Shift+S")),
            &QAction::triggered, this, &TAsmFrm::saveSourceAs);
    file->addSeparator();
    saveListingItem_ = item(file, "SaveListing_Item", QStringLiteral("Сохранить листинг..."), {});
    connect(saveListingItem_, &QAction::triggered, this, &TAsmFrm::saveListing);
    printListingItem_ = item(file, "PrintListing_Item", QStringLiteral("Печать листинга..."), QKeySequence("Ctrl+P"));
    connect(printListingItem_, &QAction::triggered, this, &TAsmFrm::printListing);
    saveListingItem_->setEnabled(false);
    printListingItem_->setEnabled(false);
    file->addSeparator();
    connect(item(file, "AsmClose_Item", QStringLiteral("Закрыть окно"), QKeySequence("Ctrl+W")), &QAction::triggered,
            this, &QWidget::close);

    QMenu* program = menuBar()->addMenu(QStringLiteral("Программа"));
    program->setObjectName(QStringLiteral("AsmProgram_Menu"));
    assembleItem_ =
        item(program, "Assemble_Item", QStringLiteral("Ассемблировать"), QKeySequence(Qt::Key_F9), QStyle::SP_MediaPlay);
    assembleItem_->setToolTip(QStringLiteral("Ассемблировать программу и записать её в память"));
    connect(assembleItem_, &QAction::triggered, this, &TAsmFrm::assembleSource);
    QAction* disasmItem = item(program, "Disassemble_Item", QStringLiteral("Дизассемблировать..."),
                               QKeySequence("Ctrl+D"), QStyle::SP_ArrowBack);
    disasmItem->setToolTip(QStringLiteral("Получить текст программы из ячеек памяти"));
    connect(disasmItem, &QAction::triggered, this, &TAsmFrm::disassemble);
    program->addSeparator();
    connect(item(program, "AsmDoTime_Item", QStringLiteral("Выполнить такт"), QKeySequence(Qt::Key_F8)),
            &QAction::triggered, this, &TAsmFrm::tactRequested);
    connect(item(program, "AsmDoCommand_Item", QStringLiteral("Выполнить текущую команду полностью"),
                 QKeySequence(Qt::Key_F7)),
            &QAction::triggered, this, &TAsmFrm::instructionRequested);
    connect(item(program, "AsmDoProgram_Item", QStringLiteral("Выполнить программу / остановить"),
                 QKeySequence(Qt::Key_F6)),
            &QAction::triggered, this, &TAsmFrm::runRequested);

    QToolBar* bar = addToolBar(QStringLiteral("Панель инструментов"));
    bar->setObjectName(QStringLiteral("AsmToolBar"));
    bar->setMovable(false);
    newItem->setToolTip(QStringLiteral("Новый текст программы"));
    openItem->setToolTip(QStringLiteral("Открыть текст программы"));
    saveItem->setToolTip(QStringLiteral("Сохранить текст программы"));
    bar->addActions({newItem, openItem, saveItem});
    bar->addSeparator();
    bar->addActions({assembleItem_, disasmItem});
}

QString TAsmFrm::displayName() const { return fileName_.isEmpty() ? kUntitled : QFileInfo(fileName_).fileName(); }

void TAsmFrm::updateCaption() {
    setWindowTitle(QStringLiteral("%1 - %2%3").arg(kCaption, displayName(),
                                                     editor_->document()->isModified() ? QStringLiteral(" *") : QString()));
}

// ---------------------------------------------------------------------------------------------
// Files

bool TAsmFrm::mayDiscardText() {
    if (!editor_->document()->isModified()) return true;
    return messages_.show(makeMessage(MessageId::AsmUnsavedChanges, displayName().toStdString()), this);
}

void TAsmFrm::setText(const QString& text, const QString& name) {
    editor_->setExecutionLine(0);
    editor_->setPlainText(text);
    fileName_ = name;
    errors_->clear();
    shownDiagnostics_.clear();
    editor_->document()->setModified(false);
    updateCaption();
}

void TAsmFrm::newSource() {
    if (!mayDiscardText()) return;
    setText({}, {});
    statusTxt_->clear();
}

QString TAsmFrm::askFileName(bool save, const QString& title, const QString& filter, const QString& suffix,
                             const QString& current) {
    QFileDialog dialog(this, title);
    dialog.setNameFilters({filter, kAllFilter});
    dialog.setDefaultSuffix(suffix);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    return execFileDialog(&dialog, current);
}

void TAsmFrm::openSource() {
    if (!mayDiscardText()) return;
    const QString name = askFileName(false, QStringLiteral("Открыть текст программы"), kSourceFilter,
                                     QStringLiteral("asm"), {});
    if (!name.isEmpty()) loadFile(name);
}

bool TAsmFrm::loadFile(const QString& name) {
    QFile file(name);
    if (!QFileInfo(name).isFile()) {
        messages_.show(makeMessage(MessageId::FileNotFound, QDir::toNativeSeparators(name).toStdString()), this);
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        messages_.show(makeMessage(MessageId::CannotReadFile, QDir::toNativeSeparators(name).toStdString()), this);
        return false;
    }
    const QByteArray bytes = file.readAll();
    const DecodedSource source = decodeSource(bytes);
    setText(source.text, QFileInfo(name).absoluteFilePath());
    static const char* const kCodecNames[] = {"UTF-8", "Windows-1251", "DOS 866"};
    statusTxt_->setText(QStringLiteral("Открыт файл в кодировке %1").arg(QLatin1String(kCodecNames[static_cast<int>(source.codec)])));
    return true;
}

void TAsmFrm::warnSaveFailed(int error, const QString& name) {
    const MessageId id = static_cast<SaveError>(error) == SaveError::NoSpace ? MessageId::DiskFull : MessageId::CannotWriteFile;
    messages_.show(makeMessage(id, QDir::toNativeSeparators(name).toStdString()), this);
}

bool TAsmFrm::saveTo(const QString& name) {
    const QByteArray bytes = editor_->toPlainText().toUtf8();
    const SaveResult r = writeFileSafely(
        fsName(name), std::span(reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size())));
    if (!r.ok()) {
        warnSaveFailed(static_cast<int>(r.error), name);
        return false;
    }
    fileName_ = QFileInfo(name).absoluteFilePath();
    editor_->document()->setModified(false);
    updateCaption();
    statusTxt_->setText(QStringLiteral("Файл сохранён"));
    return true;
}

bool TAsmFrm::saveSource() {
    if (fileName_.isEmpty()) return saveSourceAs();
    return saveTo(fileName_);
}

bool TAsmFrm::saveSourceAs() {
    const QString name = askFileName(true, QStringLiteral("Сохранить текст программы"), kSourceFilter,
                                     QStringLiteral("asm"), fileName_);
    return !name.isEmpty() && saveTo(name);
}

void TAsmFrm::closeEvent(QCloseEvent* event) {
    if (mayDiscardText())
        event->accept();
    else
        event->ignore();
}

// ---------------------------------------------------------------------------------------------
// Assembling

void TAsmFrm::setEditingAllowed(bool allowed) {
    editingAllowed_ = allowed;
    assembleItem_->setEnabled(allowed);
}

void TAsmFrm::showDiagnostics(const asm8080::AssemblyResult& result) {
    errors_->clear();
    shownDiagnostics_.clear();
    auto add = [this](const asm8080::Diagnostic& d, const QString& kind) {
        errors_->addItem(QStringLiteral("Строка %1, столбец %2: %3: %4").arg(d.line).arg(d.column).arg(kind, q(d.message)));
        shownDiagnostics_.push_back(d);
    };
    for (const asm8080::Diagnostic& d : result.errors) add(d, QStringLiteral("ошибка"));
    for (const asm8080::Diagnostic& d : result.warnings) add(d, QStringLiteral("предупреждение"));
}

void TAsmFrm::jumpToDiagnostic(int row) {
    if (row < 0 || row >= static_cast<int>(shownDiagnostics_.size())) return;
    const asm8080::Diagnostic& d = shownDiagnostics_[static_cast<size_t>(row)];
    editor_->moveCursorTo(d.line, d.column);
}

void TAsmFrm::takeCodeMap(const asm8080::AssemblyResult& result) {
    codeMap_.clear();
    for (uint16_t start : result.instructionStarts) codeMap_.addInstruction(start);
    // EQU constants that happen to equal an address are no labels of it: only cells the source
    // wrote carry a name.
    for (const auto& [name, value] : result.symbols)
        if (value < result.written.size() && result.written[value] && codeMap_.label(value).empty())
            codeMap_.setLabel(value, name);
    lineOfAddress_ = result.lineOfAddress;
    emit codeMapChanged();
}

bool TAsmFrm::assembleSource() {
    // Memory changes only between instructions and outside a run, as with every other editor.
    if (!editingAllowed_ || cpu_.running() || cpu_.instructionInProgress()) return false;
    const std::string name = (fileName_.isEmpty() ? kUntitled + QStringLiteral(".asm") : QFileInfo(fileName_).fileName()).toStdString();
    const asm8080::AssemblyResult result = asm8080::assemble(editor_->toPlainText().toStdString(), name);
    showDiagnostics(result);
    listing_ = q(result.listing);
    saveListingItem_->setEnabled(!listing_.isEmpty());
    printListingItem_->setEnabled(!listing_.isEmpty());
    if (!result.ok()) {
        statusTxt_->setText(QStringLiteral("Ошибок: %1. Память не изменена.").arg(result.errors.size()));
        editor_->setExecutionLine(0);
        return false;
    }
    int cells = 0;
    for (size_t a = 0; a < result.written.size() && a < result.image.size(); ++a) {
        if (!result.written[a]) continue;
        machine_.writeMemory(static_cast<uint16_t>(a), result.image[a]);
        ++cells;
    }
    machine_.movePC(result.start);
    instructionStart_ = result.start;
    takeCodeMap(result);
    statusTxt_->setText(QStringLiteral("Записано ячеек: %1, начало программы %2h")
                            .arg(cells)
                            .arg(q(formatWord(result.start))));
    emit machineChanged();
    followMachine();
    return true;
}

// ---------------------------------------------------------------------------------------------
// Following the processor

void TAsmFrm::followMachine() {
    // Between instructions PC is the next one; during one, PC has moved past its start.
    if (!cpu_.instructionInProgress()) instructionStart_ = machine_.s.pc;
    int line = 0;
    if (instructionStart_ < lineOfAddress_.size()) line = lineOfAddress_[instructionStart_];
    editor_->setExecutionLine(line);
}

// ---------------------------------------------------------------------------------------------
// Disassembling

void TAsmFrm::disassemble() {
    if (disasmFrm_->exec() != QDialog::Accepted) return;
    disassembleRange(disasmFrm_->from(), disasmFrm_->to());
}

bool TAsmFrm::disassembleRange(uint16_t from, uint16_t to) {
    if (from > to) {
        messages_.show(makeMessage(MessageId::AsmDisassemblyRange), this);
        return false;
    }
    if (!mayDiscardText()) return false;
    const std::string source = asm8080::disassemble(machine_.s.memory.data(), from, to);
    setText(q(source), {});
    // The generated text names every instruction of the range: assembling it (without writing)
    // gives the map of its lines and operands.
    const asm8080::AssemblyResult result = asm8080::assemble(source, kUntitled.toStdString() + ".asm");
    if (result.ok()) takeCodeMap(result);
    followMachine();
    statusTxt_->setText(QStringLiteral("Дизассемблированы ячейки %1h - %2h").arg(q(formatWord(from)), q(formatWord(to))));
    show();
    raise();
    return true;
}

// ---------------------------------------------------------------------------------------------
// The listing

void TAsmFrm::saveListing() {
    if (listing_.isEmpty()) return;
    QString suggested;
    if (!fileName_.isEmpty()) suggested = QFileInfo(fileName_).completeBaseName() + QStringLiteral(".lst");
    const QString name =
        askFileName(true, QStringLiteral("Сохранить листинг"), kListingFilter, QStringLiteral("lst"), suggested);
    if (!name.isEmpty()) saveListingTo(name);
}

bool TAsmFrm::saveListingTo(const QString& name) {
    const QByteArray bytes = listing_.toUtf8();
    const SaveResult r = writeFileSafely(
        fsName(name), std::span(reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size())));
    if (!r.ok()) {
        warnSaveFailed(static_cast<int>(r.error), name);
        return false;
    }
    statusTxt_->setText(QStringLiteral("Листинг сохранён"));
    return true;
}

void TAsmFrm::printListing() {
    if (listing_.isEmpty() || printer_.busy()) return;
    QTextDocument document;
    printer_.print(QStringLiteral("Листинг %1").arg(displayName()), this, [&] {
        document.setDefaultFont(listingFont());
        document.setPlainText(listing_);
        return &document;
    });
}

}  // namespace orlan
