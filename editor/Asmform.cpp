#include "Asmform.h"

#include <QAction>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QEvent>
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
#include "Translations.h"
#include "Machine.h"
#include "Notation.h"

namespace orlan {

namespace {

// The name of a source not saved yet where it goes into files (the listing's print job); the
// window shows it translated.
const QString kUntitled = QStringLiteral("Без имени");

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
    auto* form = new QFormLayout(this);
    from_ = new QLineEdit(QStringLiteral("0000"), this);
    from_->setObjectName(QStringLiteral("From_ED"));
    to_ = new QLineEdit(QStringLiteral("00FF"), this);
    to_->setObjectName(QStringLiteral("To_ED"));
    for (QLineEdit* field : {from_, to_}) {
        field->setMaxLength(4);
        connect(field, &QLineEdit::textChanged, this, [this, field] { filter(field); });
    }
    fromLabel_ = new QLabel(this);
    toLabel_ = new QLabel(this);
    form->addRow(fromLabel_, from_);
    form->addRow(toLabel_, to_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setObjectName(QStringLiteral("OK_BTN"));
    cancel_ = buttons->button(QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    retranslate();
}

void TDisasmFrm::retranslate() {
    setWindowTitle(tr("ОРЛАН - Дизассемблирование"));
    for (QLineEdit* field : {from_, to_})
        field->setToolTip(tr("Номер ячейки памяти: четыре шестнадцатеричные цифры"));
    fromLabel_->setText(tr("Начальная ячейка:"));
    toLabel_->setText(tr("Конечная ячейка:"));
    cancel_->setText(tr("Отмена"));
}

void TDisasmFrm::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) retranslate();
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
    position_ = new QLabel(this);
    position_->setObjectName(QStringLiteral("Position_TXT"));
    statusBar()->addPermanentWidget(position_);
    connect(editor_, &QPlainTextEdit::cursorPositionChanged, this, &TAsmFrm::updatePosition);
    connect(editor_->document(), &QTextDocument::modificationChanged, this, &TAsmFrm::updateCaption);

    disasmFrm_ = new TDisasmFrm(this);
    buildMenu();
    retranslate();
}

TAsmFrm::~TAsmFrm() = default;

void TAsmFrm::buildMenu() {
    auto item = [this](QMenu* menu, const char* name, const QKeySequence& key,
                       QStyle::StandardPixmap icon = QStyle::SP_CustomBase) {
        QAction* a = menu->addAction(QString());
        a->setObjectName(QLatin1String(name));
        if (!key.isEmpty()) a->setShortcut(key);
        if (icon != QStyle::SP_CustomBase) a->setIcon(style()->standardIcon(icon));
        return a;
    };
    fileMenu_ = menuBar()->addMenu(QString());
    fileMenu_->setObjectName(QStringLiteral("AsmFile_Menu"));
    newItem_ = item(fileMenu_, "AsmNew_Item", QKeySequence("Ctrl+N"), QStyle::SP_FileIcon);
    connect(newItem_, &QAction::triggered, this, &TAsmFrm::newSource);
    openItem_ =
        item(fileMenu_, "AsmOpen_Item", QKeySequence("Ctrl+O"), QStyle::SP_DialogOpenButton);
    connect(openItem_, &QAction::triggered, this, &TAsmFrm::openSource);
    saveItem_ =
        item(fileMenu_, "AsmSave_Item", QKeySequence("Ctrl+S"), QStyle::SP_DialogSaveButton);
    connect(saveItem_, &QAction::triggered, this, &TAsmFrm::saveSource);
    saveAsItem_ = item(fileMenu_, "AsmSaveAs_Item", QKeySequence("Ctrl+Shift+S"));
    connect(saveAsItem_, &QAction::triggered, this, &TAsmFrm::saveSourceAs);
    fileMenu_->addSeparator();
    saveListingItem_ = item(fileMenu_, "SaveListing_Item", {});
    connect(saveListingItem_, &QAction::triggered, this, &TAsmFrm::saveListing);
    printListingItem_ = item(fileMenu_, "PrintListing_Item", QKeySequence("Ctrl+P"));
    connect(printListingItem_, &QAction::triggered, this, &TAsmFrm::printListing);
    saveListingItem_->setEnabled(false);
    printListingItem_->setEnabled(false);
    fileMenu_->addSeparator();
    closeItem_ = item(fileMenu_, "AsmClose_Item", QKeySequence("Ctrl+W"));
    connect(closeItem_, &QAction::triggered, this, &QWidget::close);

    programMenu_ = menuBar()->addMenu(QString());
    programMenu_->setObjectName(QStringLiteral("AsmProgram_Menu"));
    assembleItem_ =
        item(programMenu_, "Assemble_Item", QKeySequence(Qt::Key_F9), QStyle::SP_MediaPlay);
    connect(assembleItem_, &QAction::triggered, this, &TAsmFrm::assembleSource);
    disasmItem_ =
        item(programMenu_, "Disassemble_Item", QKeySequence("Ctrl+D"), QStyle::SP_ArrowBack);
    connect(disasmItem_, &QAction::triggered, this, &TAsmFrm::disassemble);
    programMenu_->addSeparator();
    tactItem_ = item(programMenu_, "AsmDoTime_Item", QKeySequence(Qt::Key_F8));
    connect(tactItem_, &QAction::triggered, this, &TAsmFrm::tactRequested);
    instructionItem_ = item(programMenu_, "AsmDoCommand_Item", QKeySequence(Qt::Key_F7));
    connect(instructionItem_, &QAction::triggered, this, &TAsmFrm::instructionRequested);
    runItem_ = item(programMenu_, "AsmDoProgram_Item", QKeySequence(Qt::Key_F6));
    connect(runItem_, &QAction::triggered, this, &TAsmFrm::runRequested);

    toolBar_ = addToolBar(QString());
    toolBar_->setObjectName(QStringLiteral("AsmToolBar"));
    toolBar_->setMovable(false);
    toolBar_->addActions({newItem_, openItem_, saveItem_});
    toolBar_->addSeparator();
    toolBar_->addActions({assembleItem_, disasmItem_});
}

void TAsmFrm::retranslate() {
    fileMenu_->setTitle(tr("Файл"));
    newItem_->setText(tr("Новый"));
    openItem_->setText(tr("Открыть..."));
    saveItem_->setText(tr("Сохранить"));
    saveAsItem_->setText(tr("Сохранить как..."));
    saveListingItem_->setText(tr("Сохранить листинг..."));
    printListingItem_->setText(tr("Печать листинга..."));
    closeItem_->setText(tr("Закрыть окно"));
    programMenu_->setTitle(tr("Программа"));
    assembleItem_->setText(tr("Ассемблировать"));
    assembleItem_->setToolTip(tr("Ассемблировать программу и записать её в память"));
    disasmItem_->setText(tr("Дизассемблировать..."));
    disasmItem_->setToolTip(tr("Получить текст программы из ячеек памяти"));
    tactItem_->setText(tr("Выполнить такт"));
    instructionItem_->setText(tr("Выполнить текущую команду полностью"));
    runItem_->setText(tr("Выполнить программу / остановить"));
    toolBar_->setWindowTitle(tr("Панель инструментов"));
    newItem_->setToolTip(tr("Новый текст программы"));
    openItem_->setToolTip(tr("Открыть текст программы"));
    saveItem_->setToolTip(tr("Сохранить текст программы"));
    errors_->setToolTip(tr("Ошибки ассемблирования: щелчок переводит курсор к месту ошибки"));
    updateCaption();
    if (!position_->text().isEmpty()) updatePosition();  // empty until the cursor first moves
    listDiagnostics();
    if (status_) statusTxt_->setText(status_());
}

void TAsmFrm::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) retranslate();
}

void TAsmFrm::updatePosition() {
    const QTextCursor c = editor_->textCursor();
    position_->setText(
        tr("Строка %1, столбец %2").arg(c.blockNumber() + 1).arg(c.positionInBlock() + 1));
}

void TAsmFrm::setStatus(std::function<QString()> text) {
    status_ = std::move(text);
    statusTxt_->setText(status_ ? status_() : QString());
}

QString TAsmFrm::displayName() const {
    return fileName_.isEmpty() ? tr("Без имени") : QFileInfo(fileName_).fileName();
}

void TAsmFrm::updateCaption() {
    setWindowTitle(QStringLiteral("%1 - %2%3")
                       .arg(tr("ОРЛАН - Ассемблер"), displayName(),
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
    shownErrors_ = 0;
    editor_->document()->setModified(false);
    updateCaption();
}

void TAsmFrm::newSource() {
    if (!mayDiscardText()) return;
    setText({}, {});
    setStatus({});
}

QString TAsmFrm::askFileName(bool save, const QString& title, const QString& filter, const QString& suffix,
                             const QString& current) {
    QFileDialog dialog(this, title);
    dialog.setNameFilters({filter, tr("Все файлы (*)")});
    dialog.setDefaultSuffix(suffix);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    return execFileDialog(&dialog, current);
}

void TAsmFrm::openSource() {
    if (!mayDiscardText()) return;
    const QString name =
        askFileName(false, tr("Открыть текст программы"), tr("Программы на ассемблере (*.asm)"),
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
    const QLatin1String codec(kCodecNames[static_cast<int>(source.codec)]);
    setStatus([codec] { return tr("Открыт файл в кодировке %1").arg(codec); });
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
    setStatus([] { return tr("Файл сохранён"); });
    return true;
}

bool TAsmFrm::saveSource() {
    if (fileName_.isEmpty()) return saveSourceAs();
    return saveTo(fileName_);
}

bool TAsmFrm::saveSourceAs() {
    const QString name =
        askFileName(true, tr("Сохранить текст программы"), tr("Программы на ассемблере (*.asm)"),
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
    shownDiagnostics_ = result.errors;
    shownErrors_ = result.errors.size();
    shownDiagnostics_.insert(shownDiagnostics_.end(), result.warnings.begin(),
                             result.warnings.end());
    listDiagnostics();
}

void TAsmFrm::listDiagnostics() {
    const int current = errors_->currentRow();
    errors_->clear();
    const asm8080::TranslateTemplate translate = [](std::string_view text) {
        return translated("Assembler", text).toStdString();
    };
    for (size_t i = 0; i < shownDiagnostics_.size(); ++i) {
        const asm8080::Diagnostic& d = shownDiagnostics_[i];
        const QString text = q(asm8080::diagnosticMessage(d, translate));
        const QString line = i < shownErrors_ ? tr("Строка %1, столбец %2: ошибка: %3")
                                              : tr("Строка %1, столбец %2: предупреждение: %3");
        errors_->addItem(line.arg(d.line).arg(d.column).arg(text));
    }
    if (current >= 0 && current < errors_->count()) errors_->setCurrentRow(current);
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
        const qsizetype errors = static_cast<qsizetype>(result.errors.size());
        setStatus([errors] { return tr("Ошибок: %1. Память не изменена.").arg(errors); });
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
    const QString start = q(formatWord(result.start));
    setStatus([cells, start] {
        return tr("Записано ячеек: %1, начало программы %2h").arg(cells).arg(start);
    });
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
    const QString first = q(formatWord(from)), last = q(formatWord(to));
    setStatus([first, last] { return tr("Дизассемблированы ячейки %1h - %2h").arg(first, last); });
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
    const QString name = askFileName(true, tr("Сохранить листинг"), tr("Листинги (*.lst)"),
                                     QStringLiteral("lst"), suggested);
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
    setStatus([] { return tr("Листинг сохранён"); });
    return true;
}

void TAsmFrm::printListing() {
    if (listing_.isEmpty() || printer_.busy()) return;
    QTextDocument document;
    // The job's title names the PDF file and goes into it: Russian, like the listing.
    const QString name = fileName_.isEmpty() ? kUntitled : QFileInfo(fileName_).fileName();
    printer_.print(QStringLiteral("Листинг %1").arg(name), this, [&] {
        document.setDefaultFont(listingFont());
        document.setPlainText(listing_);
        return &document;
    });
}

}  // namespace orlan
