#include "Printform.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

#include "ListingComposer.h"
#include "PrinterDevice.h"
#include "PrinterSetup.h"
#include "Machine.h"
#include "Notation.h"

namespace orlan {

namespace {

const char* const kDocumentTitleSource =
    QT_TRANSLATE_NOOP("orlan::TPrintFrm", "ОРЛАН - Текушие данные эмулятора");

QLabel* label(QWidget* parent, const char* name, const QString& text = {}) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    return l;
}

QCheckBox* checkBox(QWidget* parent, const char* name, bool checked, bool enabled) {
    auto* c = new QCheckBox(parent);
    c->setObjectName(QLatin1String(name));
    c->setChecked(checked);
    c->setEnabled(enabled);
    return c;
}

QLineEdit* hexField(QWidget* parent, const char* name, const QString& text) {
    auto* e = new QLineEdit(text, parent);
    e->setObjectName(QLatin1String(name));
    e->setMaxLength(4);
    e->setFixedWidth(48);
    return e;
}

// Puts the printer's print text back however printing ends.
struct PrintTextLoan {
    PrinterDevice* device;
    QTextDocument& list;
    QString kept;
    PrintTextLoan(PrinterDevice* d, QTextDocument& l) : device(d), list(l) {
        kept = device ? device->printText() : list.toPlainText();
        if (device) device->setPrintText({});
        list.clear();
    }
    ~PrintTextLoan() {
        list.setDocumentLayout(nullptr);  // the listing's pages: between prints List is text
        list.clear();
        list.setPlainText(kept);
        if (device) device->setPrintText(kept);
    }
};

}  // namespace

const QString TPrintFrm::kDocumentTitle = QString::fromUtf8(kDocumentTitleSource);

TPrintFrm::TPrintFrm(MessageService& messages, const Machine& machine, PrinterSetup& printerSetup,
                     QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      messages_(messages), machine_(machine), setup_(printerSetup) {
    setObjectName(QStringLiteral("PrintFrm"));
    setModal(true);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    setFont(font);

    list_ = new QTextDocument(this);
    list_->setObjectName(QStringLiteral("List"));

    heading_ = label(this, "Label1");
    nameLabel_ = label(this, "Label6");
    // The name heads the listing, which stays Russian: so does the name it starts with.
    progName_ = new QLineEdit(QStringLiteral("Подпрограмма 1"), this);
    progName_->setObjectName(QStringLiteral("ProgName"));
    progName_->setMaxLength(36);

    memGroup_ = new QGroupBox(this);
    memGroup_->setObjectName(QStringLiteral("MemGroup"));
    printMem_ = checkBox(memGroup_, "PrintMem_Chk", true, true);
    fromLabel_ = label(memGroup_, "Label2");
    toLabel_ = label(memGroup_, "Label3");
    QLabel* memLabels[4] = {fromLabel_, toLabel_, label(memGroup_, "Label4", QStringLiteral("h")),
                            label(memGroup_, "Label5", QStringLiteral("h"))};
    from_ = hexField(memGroup_, "From_Ed", QStringLiteral("0000"));
    to_ = hexField(memGroup_, "To_Ed", QStringLiteral("FFFF"));
    auto* memGrid = new QGridLayout(memGroup_);
    memGrid->addWidget(printMem_, 0, 0, 1, 3);
    memGrid->addWidget(memLabels[0], 1, 0);
    memGrid->addWidget(from_, 1, 1);
    memGrid->addWidget(memLabels[2], 1, 2);
    memGrid->addWidget(memLabels[1], 2, 0);
    memGrid->addWidget(to_, 2, 1);
    memGrid->addWidget(memLabels[3], 2, 2);

    regGroup_ = new QGroupBox(this);
    regGroup_->setObjectName(QStringLiteral("RegGroup"));
    printReg_ = checkBox(regGroup_, "PrintReg_Chk", false, true);
    a_ = checkBox(regGroup_, "A_Chk", false, false);
    bc_ = checkBox(regGroup_, "BC_Chk", false, false);
    de_ = checkBox(regGroup_, "DE_Chk", false, false);
    hl_ = checkBox(regGroup_, "HL_Chk", false, false);
    pc_ = checkBox(regGroup_, "PC_Chk", false, false);
    sp_ = checkBox(regGroup_, "SP_Chk", false, false);
    auto* regGrid = new QGridLayout(regGroup_);
    regGrid->addWidget(printReg_, 0, 0, 1, 2);
    regGrid->addWidget(a_, 1, 0);
    regGrid->addWidget(bc_, 2, 0);
    regGrid->addWidget(de_, 3, 0);
    regGrid->addWidget(hl_, 1, 1);
    regGrid->addWidget(pc_, 2, 1);
    regGrid->addWidget(sp_, 3, 1);

    setupButton_ = new QPushButton(this);
    setupButton_->setObjectName(QStringLiteral("Setup_BTN"));
    setupButton_->setAutoDefault(false);
    cancel_ = new QPushButton(this);
    cancel_->setObjectName(QStringLiteral("Cance_BTN"));
    cancel_->setAutoDefault(false);
    prnt_ = new QPushButton(this);
    prnt_->setObjectName(QStringLiteral("Prnt_BTN"));
    prnt_->setDefault(true);

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(nameLabel_);
    nameRow->addWidget(progName_, 1);
    auto* groups = new QHBoxLayout;
    groups->addWidget(memGroup_);
    groups->addWidget(regGroup_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(setupButton_);
    buttons->addStretch();
    buttons->addWidget(cancel_);
    buttons->addWidget(prnt_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading_);
    layout->addLayout(nameRow);
    layout->addLayout(groups);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(printMem_, &QCheckBox::toggled, this, [this, memLabels](bool on) {
        for (QWidget* w : {static_cast<QWidget*>(from_), static_cast<QWidget*>(to_)}) w->setEnabled(on);
        for (QLabel* l : memLabels) l->setEnabled(on);
    });
    connect(printReg_, &QCheckBox::toggled, this, [this](bool on) {
        for (QCheckBox* c : {a_, bc_, de_, hl_, pc_, sp_}) c->setEnabled(on);
    });
    connect(from_, &QLineEdit::textChanged, this, [this] { onRangeEdited(from_); });
    connect(to_, &QLineEdit::textChanged, this, [this] { onRangeEdited(to_); });
    connect(setupButton_, &QPushButton::clicked, this, &TPrintFrm::printerSetup);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(prnt_, &QPushButton::clicked, this, &TPrintFrm::print);
    retranslate();
}

TPrintFrm::~TPrintFrm() = default;

void TPrintFrm::retranslate() {
    setWindowTitle(tr("ОРЛАН - Печать текущих данных"));
    heading_->setText(tr("Выберите набор данных для печати:"));
    nameLabel_->setText(tr("Название подпрограммы:"));
    memGroup_->setTitle(tr("Значения ячеек"));
    printMem_->setText(tr("содержимого ОЗУ:"));
    fromLabel_->setText(tr("начиная с ячейки:"));
    toLabel_->setText(tr("заканчивая ячейкой:"));
    regGroup_->setTitle(tr("Значения"));
    printReg_->setText(tr("содержимого регистров:"));
    a_->setText(tr("Аккумулятор"));
    bc_->setText(tr("Пара B C"));
    de_->setText(tr("Пара D E"));
    hl_->setText(tr("Пара H L"));
    pc_->setText(tr("Счётчик команд (PC)"));
    sp_->setText(tr("Указатель стека (SP)"));
    setupButton_->setText(tr("Настройки принтера"));
    cancel_->setText(tr("Отмена"));
    prnt_->setText(tr("Печать"));
}

void TPrintFrm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) retranslate();
    QDialog::changeEvent(event);
}

void TPrintFrm::onRangeEdited(QLineEdit* field) {
    const QString filtered = QString::fromStdString(filterHexDigits(field->text().toStdString()));
    if (filtered != field->text()) {
        const int cursor = field->cursorPosition() - static_cast<int>(field->text().size() - filtered.size());
        field->setText(filtered);  // comes back here once, with nothing left to remove
        field->setCursorPosition(std::max(0, cursor));
        return;
    }
    prnt_->setEnabled(field->text().size() == 4);
}

void TPrintFrm::printerSetup() { setup_.showSetupDialog(this); }

void TPrintFrm::reject() {
    if (!setup_.busy()) QDialog::reject();
}

void TPrintFrm::print() {
    if (setup_.busy()) return;  // a click that waited while the listing printed
    // The range is checked even when the memory part is not chosen.
    const uint32_t from = parseHex(from_->text().toStdString()).value_or(0);
    const uint32_t to = parseHex(to_->text().toStdString()).value_or(0);
    if (to < from) {
        messages_.show(makeMessage(MessageId::PrintRange), this);
        return;
    }

    const PrintTextLoan loan(device_, *list_);
    ListingRequest request;
    request.programName = progName_->text();
    request.memory = printMem_->isChecked();
    request.from = static_cast<uint16_t>(from);
    request.to = static_cast<uint16_t>(to);
    request.fromText = from_->text();
    request.toText = to_->text();
    request.registers = printReg_->isChecked();
    request.a = a_->isChecked();
    request.bc = bc_->isChecked();
    request.de = de_->isChecked();
    request.hl = hl_->isChecked();
    request.pc = pc_->isChecked();
    request.sp = sp_->isChecked();
    setup_.print(
        kDocumentTitle, this,
        [&] {
            ListingComposer::fill(*list_, ListingComposer::compose(machine_.s, request));
            return list_;
        },
        tr(kDocumentTitleSource));
}

}  // namespace orlan
