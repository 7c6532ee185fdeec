#include "Exportform.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
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
#include "machine.h"
#include "notation.h"

namespace orlan {

const QString TExportFrm::kFileBaseName = QStringLiteral("ORLAN_Export");

namespace {

// What differs between the three tabs.
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
    {"ExcelSheet", "MS Excel", "X", "ToExcel_Check", "Передать в MS Excel",
     "На странице:", "ExcelPages_Combo", "X_AddExcelPage_BTN", "Добавить страницу Excel",
     "X_DelExcelPage_BTN", "Удалить страницу", "Включая столбец \"№ ячейки ОЗУ\"",
     "Включая столбец \"Значение ячейки ОЗУ\"", "Включая столбец \"Команда\"", true, ".xlsx",
     MessageId::ExcelNotWritten, MessageId::ExcelNotOpened},
    {"WordSheet", "MS Word", "W", "ToWord_Check", "Передать в MS Word",
     "В разделе:", "WordPages_Combo", "W_AddWordPage_BTN", "Добавить раздел документа Word",
     "W_DelWordPage_BTN", "Удалить раздел", "Включая нумерацию \"ячеек ОЗУ\"",
     "Включая \"значения ячеек ОЗУ\"", "Включая наименование команд", false, ".odt",
     MessageId::WordNotWritten, MessageId::WordNotOpened},
    {"TextSheet", "Текстовый файл", "T", "ToText_Check", "Передать в текстовый файл",
     "В разделе:", "TextPages_Combo", "T_AddTextPage_BTN", "Добавить раздел текстового файла",
     "T_DelTextPage_BTN", "Удалить раздел", "Включая нумерацию \"ячеек ОЗУ\"",
     "Включая \"значения ячеек ОЗУ\"", "Включая наименование команд", false, ".txt",
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
    {ExportRegister::A, "A", "Аккумулятор", 4, 0},
    {ExportRegister::SP, "SP", "Указатель стека", 5, 0},
    {ExportRegister::PC, "PC", "Счётчик команд", 6, 0},
};
static_assert(std::size(kRegisterBoxes) == kExportRegisterCount);

QString named(const char* prefix, const char* rest) {
    return QLatin1String(prefix) + QLatin1Char('_') + QLatin1String(rest);
}

QCheckBox* checkBox(QWidget* parent, const QString& name, const QString& text) {
    auto* c = new QCheckBox(text, parent);
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
    QComboBox* pages = nullptr;
    QLineEdit* from = nullptr;
    QLineEdit* to = nullptr;
    QCheckBox* address = nullptr;
    QCheckBox* value = nullptr;
    QCheckBox* mnemonic = nullptr;
    QCheckBox* comments = nullptr;  // the spreadsheet only
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
    setWindowTitle(QStringLiteral("ОРЛАН - Экспорт данных"));
    setModal(true);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    setFont(font);

    tabWidget_ = new QTabWidget(this);
    tabWidget_->setObjectName(QStringLiteral("PageControl"));
    ok_ = new QPushButton(QStringLiteral("Экспорт"), this);
    ok_->setObjectName(QStringLiteral("OK_BTN"));
    auto* cancel = new QPushButton(QStringLiteral("Отмена"), this);
    cancel->setObjectName(QStringLiteral("Cancel_BTN"));
    // Enter in a page name must not start an export.
    ok_->setAutoDefault(false);
    cancel->setAutoDefault(false);
    for (ExportTarget t :
         {ExportTarget::Spreadsheet, ExportTarget::WordProcessor, ExportTarget::Text})
        buildTab(t);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabWidget_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(ok_, &QPushButton::clicked, this, &TExportFrm::exportAll);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

TExportFrm::~TExportFrm() = default;

void TExportFrm::buildTab(ExportTarget target) {
    const TargetDesign& d = kDesigns[static_cast<int>(target)];
    auto owned = std::make_unique<Tab>(target, d);
    Tab& t = *owned;
    tabs_[static_cast<size_t>(target)] = std::move(owned);
    const char* p = d.prefix;

    auto* sheet = new QWidget;
    sheet->setObjectName(QLatin1String(d.sheetName));
    t.toggle = checkBox(sheet, QLatin1String(d.switchName), QString::fromUtf8(d.switchCaption));

    auto* ram = new QGroupBox(QStringLiteral("Содержимое ОЗУ:"), sheet);
    ram->setObjectName(named(p, "RAM_Group"));
    auto* listLabel = new QLabel(QString::fromUtf8(d.listLabel), ram);
    t.pages = new QComboBox(ram);
    t.pages->setObjectName(QLatin1String(d.listName));
    t.pages->setEditable(true);
    t.pages->setInsertPolicy(QComboBox::NoInsert);
    t.pages->setDuplicatesEnabled(true);  // Enter on a name another page has must not jump there
    t.pages->setCompleter(nullptr);       // completing a typed name would rename the page
    t.pages->setMinimumWidth(200);
    t.pages->addItem(t.list.current().name);
    auto* add = new QToolButton(ram);
    add->setObjectName(QLatin1String(d.addName));
    add->setText(QStringLiteral("+"));
    add->setToolTip(QString::fromUtf8(d.addHint));
    auto* del = new QToolButton(ram);
    del->setObjectName(QLatin1String(d.delName));
    del->setText(QStringLiteral("−"));
    del->setToolTip(QString::fromUtf8(d.delHint));

    auto* fromLabel = new QLabel(QStringLiteral("Ячейки, начиная с:"), ram);
    t.from = hexField(ram, named(p, "From_RAM"), QStringLiteral("0000"));
    auto* fromH = new QLabel(QStringLiteral("h"), ram);
    auto* toLabel = new QLabel(QStringLiteral("по:"), ram);
    t.to = hexField(ram, named(p, "To_RAM"), QStringLiteral("FFFF"));
    auto* toH = new QLabel(QStringLiteral("h"), ram);
    t.address = checkBox(ram, named(p, "NumRam_Check"), QString::fromUtf8(d.addressCaption));
    t.value = checkBox(ram, named(p, "ValRam_Check"), QString::fromUtf8(d.valueCaption));
    t.mnemonic = checkBox(ram, named(p, "ComRam_Check"), QString::fromUtf8(d.mnemonicCaption));
    if (d.comments)
        t.comments = checkBox(ram, named(p, "Comments_Check"),
                              QStringLiteral("Добавить пустой столбец для комментариев"));

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

    auto* ron = new QGroupBox(QStringLiteral("Значения регистров:"), sheet);
    ron->setObjectName(named(p, "RON_Group"));
    auto* ronGrid = new QGridLayout(ron);
    for (const RegisterBox& b : kRegisterBoxes) {
        QCheckBox* c = checkBox(ron,
                                QLatin1String(p) + QStringLiteral("_Reg") + QLatin1String(b.name) +
                                    QStringLiteral("_Check"),
                                QString::fromUtf8(b.caption));
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
    tabWidget_->addTab(sheet, QString::fromUtf8(d.caption));

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
