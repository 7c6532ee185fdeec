#include "Prnsetupform.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
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
    setModal(true);

    printers_ = new QComboBox(this);
    printers_->setObjectName(QStringLiteral("Printer_Cmb"));
    printers_->setMinimumContentsLength(28);
    paper_ = new QLabel(this);
    paper_->setObjectName(QStringLiteral("Paper_Lbl"));
    pageSetup_ = new QPushButton(this);
    pageSetup_->setObjectName(QStringLiteral("PageSetup_BTN"));
    pageSetup_->setAutoDefault(false);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OK_BTN"));
    ok->setDefault(true);
    cancel_ = buttons->addButton(QString(), QDialogButtonBox::RejectRole);
    cancel_->setObjectName(QStringLiteral("Cancel_BTN"));

    printerLabel_ = new QLabel(this);
    paperLabel_ = new QLabel(this);
    auto* form = new QFormLayout;
    form->addRow(printerLabel_, printers_);
    form->addRow(paperLabel_, paper_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(pageSetup_, 0, Qt::AlignLeft);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(printers_, &QComboBox::currentIndexChanged, this, &TPrnSetupFrm::onPrinterChosen);
    connect(pageSetup_, &QPushButton::clicked, this, &TPrnSetupFrm::pageSetup);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    retranslate();
}

TPrnSetupFrm::~TPrnSetupFrm() = default;

void TPrnSetupFrm::load(const QString& printer, const QPageLayout& layout) {
    const QSignalBlocker quiet(printers_);
    printers_->clear();
    for (const QString& name : setup_.system().printerNames()) printers_->addItem(name, name);
    printers_->addItem(tr("PDF-файл"), QString());  // named in retranslate()
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
    paper_->setText(
        (layout.orientation() == QPageLayout::Landscape ? tr("%1, альбомная") : tr("%1, книжная"))
            .arg(layout.pageSize().name()));
}

void TPrnSetupFrm::retranslate() {
    setWindowTitle(tr("ОРЛАН - Настройки принтера"));
    printerLabel_->setText(tr("Принтер:"));
    paperLabel_->setText(tr("Бумага:"));
    pageSetup_->setText(tr("Параметры страницы..."));
    cancel_->setText(tr("Отмена"));
    // The PDF choice is the last item (its data is empty, not a printer's name).
    if (const int last = printers_->count() - 1; last >= 0)
        printers_->setItemText(last, tr("PDF-файл"));
    if (printer_) showPaper();
}

void TPrnSetupFrm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) retranslate();
    QDialog::changeEvent(event);
}

}  // namespace orlan
