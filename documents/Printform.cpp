#include "Printform.h"

#include <QCheckBox>
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
#include "machine.h"
#include "notation.h"

namespace orlan {

const QString TPrintFrm::kDocumentTitle = QStringLiteral("ОРЛАН - Текушие данные эмулятора");

namespace {

QLabel* label(QWidget* parent, const char* name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    return l;
}

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& text, bool checked, bool enabled) {
    auto* c = new QCheckBox(text, parent);
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

TPrintFrm::TPrintFrm(MessageService& messages, const Machine& machine, PrinterSetup& printerSetup,
                     QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      messages_(messages), machine_(machine), setup_(printerSetup) {
    setObjectName(QStringLiteral("PrintFrm"));
    setWindowTitle(QStringLiteral("ОРЛАН - Печать текущих данных"));
    setModal(true);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    setFont(font);

    list_ = new QTextDocument(this);
    list_->setObjectName(QStringLiteral("List"));

    auto* heading = label(this, "Label1", QStringLiteral("Выберите набор данных для печати:"));
    auto* nameLabel = label(this, "Label6", QStringLiteral("Название подпрограммы:"));
    progName_ = new QLineEdit(QStringLiteral("Подпрограмма 1"), this);
    progName_->setObjectName(QStringLiteral("ProgName"));
    progName_->setMaxLength(36);

    auto* memGroup = new QGroupBox(QStringLiteral("Значения ячеек"), this);
    memGroup->setObjectName(QStringLiteral("MemGroup"));
    printMem_ = checkBox(memGroup, "PrintMem_Chk", QStringLiteral("содержимого ОЗУ:"), true, true);
    QLabel* memLabels[4] = {label(memGroup, "Label2", QStringLiteral("начиная с ячейки:")),
                            label(memGroup, "Label3", QStringLiteral("заканчивая ячейкой:")),
                            label(memGroup, "Label4", QStringLiteral("h")),
                            label(memGroup, "Label5", QStringLiteral("h"))};
    from_ = hexField(memGroup, "From_Ed", QStringLiteral("0000"));
    to_ = hexField(memGroup, "To_Ed", QStringLiteral("FFFF"));
    auto* memGrid = new QGridLayout(memGroup);
    memGrid->addWidget(printMem_, 0, 0, 1, 3);
    memGrid->addWidget(memLabels[0], 1, 0);
    memGrid->addWidget(from_, 1, 1);
    memGrid->addWidget(memLabels[2], 1, 2);
    memGrid->addWidget(memLabels[1], 2, 0);
    memGrid->addWidget(to_, 2, 1);
    memGrid->addWidget(memLabels[3], 2, 2);

    auto* regGroup = new QGroupBox(QStringLiteral("Значения"), this);
    regGroup->setObjectName(QStringLiteral("RegGroup"));
    printReg_ = checkBox(regGroup, "PrintReg_Chk", QStringLiteral("содержимого регистров:"), false, true);
    a_ = checkBox(regGroup, "A_Chk", QStringLiteral("Аккумулятор"), false, false);
    bc_ = checkBox(regGroup, "BC_Chk", QStringLiteral("Пара B C"), false, false);
    de_ = checkBox(regGroup, "DE_Chk", QStringLiteral("Пара D E"), false, false);
    hl_ = checkBox(regGroup, "HL_Chk", QStringLiteral("Пара H L"), false, false);
    pc_ = checkBox(regGroup, "PC_Chk", QStringLiteral("Счётчик команд (PC)"), false, false);
    sp_ = checkBox(regGroup, "SP_Chk", QStringLiteral("Указатель стека (SP)"), false, false);
    auto* regGrid = new QGridLayout(regGroup);
    regGrid->addWidget(printReg_, 0, 0, 1, 2);
    regGrid->addWidget(a_, 1, 0);
    regGrid->addWidget(bc_, 2, 0);
    regGrid->addWidget(de_, 3, 0);
    regGrid->addWidget(hl_, 1, 1);
    regGrid->addWidget(pc_, 2, 1);
    regGrid->addWidget(sp_, 3, 1);

    auto* setup = new QPushButton(QStringLiteral("Настройки принтера"), this);
    setup->setObjectName(QStringLiteral("Setup_BTN"));
    setup->setAutoDefault(false);
    auto* cancel = new QPushButton(QStringLiteral("Отмена"), this);
    cancel->setObjectName(QStringLiteral("Cance_BTN"));
    cancel->setAutoDefault(false);
    prnt_ = new QPushButton(QStringLiteral("Печать"), this);
    prnt_->setObjectName(QStringLiteral("Prnt_BTN"));
    prnt_->setDefault(true);

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(nameLabel);
    nameRow->addWidget(progName_, 1);
    auto* groups = new QHBoxLayout;
    groups->addWidget(memGroup);
    groups->addWidget(regGroup);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(setup);
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(prnt_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
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
    connect(setup, &QPushButton::clicked, this, &TPrintFrm::printerSetup);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(prnt_, &QPushButton::clicked, this, &TPrintFrm::print);
}

TPrintFrm::~TPrintFrm() = default;

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
    setup_.print(kDocumentTitle, this, [&] {
        ListingComposer::fill(*list_, ListingComposer::compose(machine_.s, request));
        return list_;
    });
}

}  // namespace orlan
