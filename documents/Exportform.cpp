#include "Exportform.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "ExportWriters.h"
#include "Machine.h"
#include "Notation.h"

namespace orlan {

const QString TExportFrm::kFileBaseName = QStringLiteral("ORLAN_Export");

namespace {

// What differs between the three tabs. The texts are marked for translation in the context
// "orlan::TExportFrm" (the names of the applications are not).
struct TargetDesign {
    const char* sheetName;
    const char* caption;
    const char* prefix;
    const char* switchName;
    const char* switchCaption;
    const char* listLabel;
    const char* listName;
    const char* addName;
    const char* addHint;
    const char* delName;
    const char* delHint;
    const char* addressCaption;
    const char* valueCaption;
    const char* mnemonicCaption;
    bool comments;
    const char* extension;
    MessageId notWritten, notOpened;
};

const TargetDesign kDesigns[] = {
    {"ExcelSheet", "MS Excel", "X", "ToExcel_Check",
     QT_TRANSLATE_NOOP("orlan::TExportFrm", "Передать в MS Excel"),
     QT_TRANSLATE_NOOP("orlan::TExportFrm", "На странице:"), "ExcelPages_Combo",
     "X_AddExcelPage_BTN", QT_TRANSLATE_NOOP("orlan::TExportFrm", "Добавить страницу Excel"),
     "X_DelExcelPage_BTN", QT_TRANSLATE_NOOP("orlan::TExportFrm", "Удалить страницу"),
     QT_TRANSLATE_NOOP("orlan::TExportFrm", "Включая столбец \"№ ячейки ОЗУ\""),
     QT_TRANSLATE_NOOP("orlan::TExportFrm", "Включая столбец \"Значение ячейки ОЗУ\""),
     QT_TRANSLATE_NOOP("orlan::TExportFrm", "Включая столбец \"Команда\""), true, ".xlsx",
     MessageId::ExcelNotWritten, MessageId::ExcelNotOpened},
    {"WordSheet", "MS Word", "W", "ToWord_Check",
     QT_TRANSLATE_NOOP("orlan::TExportFrm", "Передать в MS Word"),
     QT_TRANSLATE_NOOP("orlan::TExportFrm", "В разделе:"), "WordPages_Combo", "W_AddWordPage_BTN",
     QT_TRANSLATE_NOOP("orlan::TExportFrm", "Добавить раздел документа Word"), "W_DelWordPage_BTN",
     QT_TRANSLATE_NOOP("orlan::TExportFrm", "Удалить раздел"),
     QT_TRANSLATE_NOOP("orlan::TExportFrm", "Включая нумерацию \"ячеек ОЗУ\""),
     QT_TRANSLATE_NOOP("orlan::TExportFrm", "Включая \"значения ячеек ОЗУ\""),
     QT_TRANSLATE_NOOP("orlan::TExportFrm", "Включая наименование команд"), false, ".odt",
     MessageId::WordNotWritten, MessageId::WordNotOpened},
    {"TextSheet", QT_TRANSLATE_NOOP("orlan::TExportFrm", "Текстовый файл"), "T", "ToText_Check",
     QT_TRANSLATE_NOOP("orlan::TExportFrm", "Передать в текстовый файл"),
     QT_TRANSLATE_NOOP("orlan::TExportFrm", "В разделе:"), "TextPages_Combo", "T_AddTextPage_BTN",
     QT_TRANSLATE_NOOP("orlan::TExportFrm", "Добавить раздел текстового файла"),
     "T_DelTextPage_BTN", QT_TRANSLATE_NOOP("orlan::TExportFrm", "Удалить раздел"),
     QT_TRANSLATE_NOOP("orlan::TExportFrm", "Включая нумерацию \"ячеек ОЗУ\""),
     QT_TRANSLATE_NOOP("orlan::TExportFrm", "Включая \"значения ячеек ОЗУ\""),
     QT_TRANSLATE_NOOP("orlan::TExportFrm", "Включая наименование команд"), false, ".txt",
     MessageId::TextNotWritten, MessageId::TextNotOpened},
};

// The register boxes in their grid: pairs side by side, then A, SP and PC.
struct RegisterBox {
    ExportRegister reg;
    const char* name;
    const char* caption;
    int row, column;
};
constexpr RegisterBox kRegisterBoxes[] = {
    {ExportRegister::W, "W", "W", 0, 0},
    {ExportRegister::B, "B", "B", 1, 0},
    {ExportRegister::D, "D", "D", 2, 0},
    {ExportRegister::H, "H", "H", 3, 0},
    {ExportRegister::Z, "Z", "Z", 0, 1},
    {ExportRegister::C, "C", "C", 1, 1},
    {ExportRegister::E, "E", "E", 2, 1},
    {ExportRegister::L, "L", "L", 3, 1},
    {ExportRegister::A, "A", QT_TRANSLATE_NOOP("orlan::TExportFrm", "Аккумулятор"), 4, 0},
    {ExportRegister::SP, "SP", QT_TRANSLATE_NOOP("orlan::TExportFrm", "Указатель стека"), 5, 0},
    {ExportRegister::PC, "PC", QT_TRANSLATE_NOOP("orlan::TExportFrm", "Счётчик команд"), 6, 0},
};
static_assert(std::size(kRegisterBoxes) == kExportRegisterCount);

QString named(const char* prefix, const char* rest) {
    return QLatin1String(prefix) + QLatin1Char('_') + QLatin1String(rest);
}

QCheckBox* checkBox(QWidget* parent, const QString& name) {
    auto* c = new QCheckBox(parent);
    c->setObjectName(name);
    return c;
}

QLineEdit* hexField(QWidget* parent, const QString& name, const QString& text) {
    auto* e = new QLineEdit(text, parent);
    e->setObjectName(name);
    e->setMaxLength(4);
    e->setFixedWidth(48);
    return e;
}

QString hex4(uint16_t v) {
    return QString::fromStdString(formatWord(v));
}

// The hourglass over one writer.
struct BusyCursor {
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

struct TExportFrm::Tab {
    Tab(ExportTarget t, const TargetDesign& d) : target(t), design(d) {}

    ExportTarget target;
    const TargetDesign& design;
    ExportPageList list;
    QCheckBox* toggle = nullptr;
    QGroupBox* ram = nullptr;
    QLabel* listLabel = nullptr;
    QComboBox* pages = nullptr;
    QToolButton* add = nullptr;
    QToolButton* del = nullptr;
    QLabel* fromLabel = nullptr;
    QLabel* toLabel = nullptr;
    QLineEdit* from = nullptr;
    QLineEdit* to = nullptr;
    QCheckBox* address = nullptr;
    QCheckBox* value = nullptr;
    QCheckBox* mnemonic = nullptr;
    QCheckBox* comments = nullptr;  // the spreadsheet only
    QGroupBox* ron = nullptr;
    std::array<QCheckBox*, kExportRegisterCount> registers{};
    std::vector<QWidget*> controls;  // everything the switch enables

    bool rangeComplete() const { return from->text().size() == 4 && to->text().size() == 4; }
    ExportRegisters ticked() const {
        ExportRegisters regs;
        for (int r = 0; r < kExportRegisterCount; ++r)
            regs.set(static_cast<ExportRegister>(r),
                     registers[static_cast<size_t>(r)]->isChecked());
        return regs;
    }
};

TExportFrm::TExportFrm(MessageService& messages, const Machine& machine, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      messages_(messages),
      machine_(machine) {
    setObjectName(QStringLiteral("ExportFrm"));
    setModal(true);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    setFont(font);

    tabWidget_ = new QTabWidget(this);
    tabWidget_->setObjectName(QStringLiteral("PageControl"));
    ok_ = new QPushButton(this);
    ok_->setObjectName(QStringLiteral("OK_BTN"));
    cancel_ = new QPushButton(this);
    cancel_->setObjectName(QStringLiteral("Cancel_BTN"));
    // Enter in a page name must not start an export.
    ok_->setAutoDefault(false);
    cancel_->setAutoDefault(false);
    for (ExportTarget t :
         {ExportTarget::Spreadsheet, ExportTarget::WordProcessor, ExportTarget::Text})
        buildTab(t);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabWidget_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(ok_, &QPushButton::clicked, this, &TExportFrm::exportAll);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    retranslate();
}

TExportFrm::~TExportFrm() = default;

void TExportFrm::retranslate() {
    setWindowTitle(tr("ОРЛАН - Экспорт данных"));
    ok_->setText(tr("Экспорт"));
    cancel_->setText(tr("Отмена"));
    // The page names in the lists are the user's and go into the files: they stay as they are.
    for (const auto& owned : tabs_) {
        Tab& t = *owned;
        const TargetDesign& d = t.design;
        tabWidget_->setTabText(static_cast<int>(t.target), tr(d.caption));
        t.toggle->setText(tr(d.switchCaption));
        t.ram->setTitle(tr("Содержимое ОЗУ:"));
        t.listLabel->setText(tr(d.listLabel));
        t.add->setToolTip(tr(d.addHint));
        t.del->setToolTip(tr(d.delHint));
        t.fromLabel->setText(tr("Ячейки, начиная с:"));
        t.toLabel->setText(tr("по:"));
        t.address->setText(tr(d.addressCaption));
        t.value->setText(tr(d.valueCaption));
        t.mnemonic->setText(tr(d.mnemonicCaption));
        if (t.comments) t.comments->setText(tr("Добавить пустой столбец для комментариев"));
        t.ron->setTitle(tr("Значения регистров:"));
        for (const RegisterBox& b : kRegisterBoxes)
            t.registers[static_cast<size_t>(b.reg)]->setText(tr(b.caption));
    }
}

void TExportFrm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) retranslate();
    QDialog::changeEvent(event);
}

void TExportFrm::buildTab(ExportTarget target) {
    const TargetDesign& d = kDesigns[static_cast<int>(target)];
    auto owned = std::make_unique<Tab>(target, d);
    Tab& t = *owned;
    tabs_[static_cast<size_t>(target)] = std::move(owned);
    const char* p = d.prefix;

    auto* sheet = new QWidget;
    sheet->setObjectName(QLatin1String(d.sheetName));
    t.toggle = checkBox(sheet, QLatin1String(d.switchName));

    auto* ram = t.ram = new QGroupBox(sheet);
    ram->setObjectName(named(p, "RAM_Group"));
    auto* listLabel = t.listLabel = new QLabel(ram);
    t.pages = new QComboBox(ram);
    t.pages->setObjectName(QLatin1String(d.listName));
    t.pages->setEditable(true);
    t.pages->setInsertPolicy(QComboBox::NoInsert);
    t.pages->setDuplicatesEnabled(true);  // Enter on a name another page has must not jump there
    t.pages->setCompleter(nullptr);       // completing a typed name would rename the page
    t.pages->setMinimumWidth(200);
    t.pages->addItem(t.list.current().name);
    auto* add = t.add = new QToolButton(ram);
    add->setObjectName(QLatin1String(d.addName));
    add->setText(QStringLiteral("+"));
    auto* del = t.del = new QToolButton(ram);
    del->setObjectName(QLatin1String(d.delName));
    del->setText(QStringLiteral("−"));

    auto* fromLabel = t.fromLabel = new QLabel(ram);
    t.from = hexField(ram, named(p, "From_RAM"), QStringLiteral("0000"));
    auto* fromH = new QLabel(QStringLiteral("h"), ram);
    auto* toLabel = t.toLabel = new QLabel(ram);
    t.to = hexField(ram, named(p, "To_RAM"), QStringLiteral("FFFF"));
    auto* toH = new QLabel(QStringLiteral("h"), ram);
    t.address = checkBox(ram, named(p, "NumRam_Check"));
    t.value = checkBox(ram, named(p, "ValRam_Check"));
    t.mnemonic = checkBox(ram, named(p, "ComRam_Check"));
    if (d.comments) t.comments = checkBox(ram, named(p, "Comments_Check"));

    auto* listRow = new QHBoxLayout;
    listRow->addWidget(listLabel);
    listRow->addWidget(t.pages, 1);
    listRow->addWidget(add);
    listRow->addWidget(del);
    auto* rangeRow = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{fromLabel, t.from, fromH, toLabel, t.to, toH})
        rangeRow->addWidget(w);
    rangeRow->addStretch();
    auto* ramLayout = new QVBoxLayout(ram);
    ramLayout->addLayout(listRow);
    ramLayout->addLayout(rangeRow);
    for (QCheckBox* c : {t.address, t.value, t.mnemonic, t.comments})
        if (c) ramLayout->addWidget(c);

    auto* ron = t.ron = new QGroupBox(sheet);
    ron->setObjectName(named(p, "RON_Group"));
    auto* ronGrid = new QGridLayout(ron);
    for (const RegisterBox& b : kRegisterBoxes) {
        QCheckBox* c = checkBox(ron, QLatin1String(p) + QStringLiteral("_Reg") +
                                         QLatin1String(b.name) + QStringLiteral("_Check"));
        t.registers[static_cast<size_t>(b.reg)] = c;
        ronGrid->addWidget(c, b.row, b.column, 1, b.row >= 4 ? 2 : 1);
    }
    ronGrid->setRowStretch(7, 1);

    auto* groups = new QHBoxLayout;
    groups->addWidget(ram, 1);
    groups->addWidget(ron);
    auto* sheetLayout = new QVBoxLayout(sheet);
    sheetLayout->addWidget(t.toggle);
    sheetLayout->addLayout(groups);
    tabWidget_->addTab(sheet, QString());  // named in retranslate()

    t.controls = {ram,     listLabel, t.pages, add,       del,     fromLabel,  t.from, fromH,
                  toLabel, t.to,      toH,     t.address, t.value, t.mnemonic, ron};
    if (t.comments) t.controls.push_back(t.comments);
    for (QCheckBox* c : t.registers) t.controls.push_back(c);
    loadPage(t);
    setSwitch(t, false);

    connect(t.toggle, &QCheckBox::toggled, this, [this, &t](bool on) { setSwitch(t, on); });
    connect(t.from, &QLineEdit::textChanged, this, [this, &t] { onRangeEdited(t, true); });
    connect(t.to, &QLineEdit::textChanged, this, [this, &t] { onRangeEdited(t, false); });
    connect(t.pages, &QComboBox::activated, this, [this, &t](int index) { selectPage(t, index); });
    connect(t.pages->lineEdit(), &QLineEdit::textEdited, this,
            [this, &t](const QString& text) { renamePage(t, text); });
    connect(add, &QToolButton::clicked, this, [this, &t] { addPage(t); });
    connect(del, &QToolButton::clicked, this, [this, &t] { deletePage(t); });
    connect(t.address, &QCheckBox::clicked, this, [&t](bool on) { t.list.current().address = on; });
    connect(t.value, &QCheckBox::clicked, this, [&t](bool on) { t.list.current().value = on; });
    connect(t.mnemonic, &QCheckBox::clicked, this,
            [&t](bool on) { t.list.current().mnemonic = on; });
    if (t.comments)
        connect(t.comments, &QCheckBox::clicked, this,
                [&t](bool on) { t.list.current().comments = on; });
}

const ExportPageList& TExportFrm::pages(ExportTarget target) const {
    return tab(target).list;
}

QString TExportFrm::filePath(ExportTarget target) const {
    const QString folder = folder_.isEmpty() ? exportFolderPath() : folder_;
    return QDir(folder).filePath(kFileBaseName +
                                 QLatin1String(kDesigns[static_cast<int>(target)].extension));
}

void TExportFrm::setSwitch(Tab& t, bool on) {
    for (QWidget* w : t.controls) w->setEnabled(on);
    // A range still being typed keeps its page list shut.
    if (on) t.pages->setEnabled(t.rangeComplete());
}

void TExportFrm::onRangeEdited(Tab& t, bool from) {
    QLineEdit* field = from ? t.from : t.to;
    const QString filtered = QString::fromStdString(filterHexDigits(field->text().toStdString()));
    if (filtered != field->text()) {
        const int cursor =
            field->cursorPosition() - static_cast<int>(field->text().size() - filtered.size());
        field->setText(filtered);  // comes back here once, with nothing left to remove
        field->setCursorPosition(std::max(0, cursor));
        return;
    }
    const bool complete = t.rangeComplete();
    ok_->setEnabled(complete);
    for (const auto& other : tabs_)
        if (other && other.get() != &t)
            tabWidget_->setTabEnabled(static_cast<int>(other->target), complete);
    t.pages->setEnabled(complete && t.toggle->isChecked());
    if (!complete) return;
    const auto value = static_cast<uint16_t>(parseHex(field->text().toStdString()).value_or(0));
    (from ? t.list.current().from : t.list.current().to) = value;
}

void TExportFrm::loadPage(Tab& t) {
    const ExportPage page = t.list.current();  // a copy: loading the fields stores them back
    t.from->setText(hex4(page.from));
    t.to->setText(hex4(page.to));
    t.address->setChecked(page.address);
    t.value->setChecked(page.value);
    t.mnemonic->setChecked(page.mnemonic);
    if (t.comments) t.comments->setChecked(page.comments);
}

void TExportFrm::selectPage(Tab& t, int index) {
    t.list.select(index);
    loadPage(t);
}

void TExportFrm::renamePage(Tab& t, const QString& name) {
    t.list.renameCurrent(name);
    t.pages->setItemText(t.list.selected(), name);
}

void TExportFrm::addPage(Tab& t) {
    t.list.add();
    t.pages->addItem(t.list.current().name);
    t.pages->setCurrentIndex(t.list.selected());
    loadPage(t);
}

void TExportFrm::deletePage(Tab& t) {
    if (!t.list.removeCurrent()) return;
    t.pages->clear();
    for (const ExportPage& page : t.list.pages()) t.pages->addItem(page.name);
    t.pages->setCurrentIndex(0);
    loadPage(t);
}

void TExportFrm::exportAll() {
    for (ExportTarget target :
         {ExportTarget::Spreadsheet, ExportTarget::WordProcessor, ExportTarget::Text}) {
        const Tab& t = tab(target);
        if (!t.toggle->isChecked()) continue;
        const ExportContent content{t.list.pages(), t.ticked()};
        if (const auto refusal = checkExport(target, content)) {
            messages_.show(*refusal, this);
            continue;
        }
        writeTarget(target, content);
    }
}

void TExportFrm::writeTarget(ExportTarget target, const ExportContent& content) {
    const TargetDesign& d = kDesigns[static_cast<int>(target)];
    const QString path = filePath(target);
    const QString folder = QFileInfo(path).absolutePath();
    bool written = false;
    {
        const BusyCursor busy;
        const MachineState& s = machine_.s;
        if (prepareExportFolder(folder)) {
            switch (target) {
                case ExportTarget::Spreadsheet:
                    written = writeExportSpreadsheet(path, folder, s, content);
                    break;
                case ExportTarget::WordProcessor:
                    written = writeExportDocument(path, s, content);
                    break;
                case ExportTarget::Text:
                    written = writeExportText(path, s, content);
                    break;
            }
        }
    }
    const std::string shown = QDir::toNativeSeparators(path).toStdString();
    if (!written)
        messages_.show(makeMessage(d.notWritten, shown), this);
    else if (!opener_->open(path))
        messages_.show(makeMessage(d.notOpened, shown), this);
}

}  // namespace orlan
