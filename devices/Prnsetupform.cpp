#include "Prnsetupform.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include "PrinterSetup.h"

namespace orlan {

TPrnSetupFrm::TPrnSetupFrm(PrinterSetup& setup, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      setup_(setup) {
    setObjectName(QStringLiteral("PrnSetupFrm"));
    setWindowTitle(QStringLiteral("ОРЛАН - Настройки принтера"));
    setModal(true);

    printers_ = new QComboBox(this);
    printers_->setObjectName(QStringLiteral("Printer_Cmb"));
    printers_->setMinimumContentsLength(28);
    paper_ = new QLabel(this);
    paper_->setObjectName(QStringLiteral("Paper_Lbl"));
    auto* pageSetupButton = new QPushButton(QStringLiteral("Параметры страницы..."), this);
    pageSetupButton->setObjectName(QStringLiteral("PageSetup_BTN"));
    pageSetupButton->setAutoDefault(false);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OK_BTN"));
    ok->setDefault(true);
    QPushButton* cancel =
        buttons->addButton(QStringLiteral("Отмена"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("Cancel_BTN"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Принтер:"), printers_);
    form->addRow(QStringLiteral("Бумага:"), paper_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(pageSetupButton, 0, Qt::AlignLeft);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(printers_, &QComboBox::currentIndexChanged, this, &TPrnSetupFrm::onPrinterChosen);
    connect(pageSetupButton, &QPushButton::clicked, this, &TPrnSetupFrm::pageSetup);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

TPrnSetupFrm::~TPrnSetupFrm() = default;

void TPrnSetupFrm::load(const QString& printer, const QPageLayout& layout) {
    const QSignalBlocker quiet(printers_);
    printers_->clear();
    for (const QString& name : setup_.system().printerNames()) printers_->addItem(name, name);
    printers_->addItem(PrinterSetup::kPdfChoice, QString());
    const int index = printer.isEmpty() ? printers_->count() - 1 : printers_->findData(printer);
    printers_->setCurrentIndex(std::max(index, 0));
    printer_ = setup_.makePrinter(chosenPrinter(), layout);
    showPaper();
}

QString TPrnSetupFrm::chosenPrinter() const {
    return printers_->currentData().toString();
}

std::unique_ptr<QPrinter> TPrnSetupFrm::takePrinter() {
    return std::move(printer_);
}

void TPrnSetupFrm::onPrinterChosen() {
    printer_ =
        setup_.makePrinter(chosenPrinter(), printer_ ? printer_->pageLayout() : QPageLayout());
    showPaper();
}

void TPrnSetupFrm::pageSetup() {
    if (!printer_) return;
    QPageSetupDialog dialog(printer_.get(), this);
    if (dialog.exec() == QDialog::Accepted) showPaper();
}

void TPrnSetupFrm::showPaper() {
    const QPageLayout layout = printer_->pageLayout();
    paper_->setText(layout.pageSize().name() + QStringLiteral(", ") +
                    (layout.orientation() == QPageLayout::Landscape ? QStringLiteral("альбомная")
                                                                    : QStringLiteral("книжная")));
}

}  // namespace orlan
