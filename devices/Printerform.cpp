#include "Printerform.h"

#include "DeviceWindow.h"
#include "HexDumpView.h"
#include "WindowPlacement.h"

#include <QHBoxLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace orlan {

namespace {

QToolButton* toolButton(QWidget* parent, const char* name, const QString& hint,
                        QStyle::StandardPixmap icon) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(hint);
    b->setIcon(parent->style()->standardIcon(icon));
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setFixedSize(26, 26);
    return b;
}

}  // namespace

std::unique_ptr<QPrinter> SystemPrinterChoice::defaultPrinter() {
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    // A desktop may have printers and none marked as the default: the first one serves.
    if (info.isNull()) info = QPrinterInfo::availablePrinters().value(0);
    if (info.isNull()) return nullptr;
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

TPrinterFrm::TPrinterFrm(MessageService& messages, QWidget* parent)
    : QWidget(parent, Qt::Tool), messages_(messages),
      printers_(std::make_unique<SystemPrinterChoice>()) {
    setObjectName(QStringLiteral("PrinterFrm"));
    setWindowTitle(QStringLiteral("Принтер ОРЛАН"));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    setFont(font);

    QToolButton* clr = toolButton(this, "ClrBuffer_BTN", QStringLiteral("Очистить буфер дисковода"),
                                  QStyle::SP_DialogResetButton);
    QToolButton* print =
        toolButton(this, "PrintBuffer_BTN", QStringLiteral("Печатать"), QStyle::SP_FileDialogDetailedView);
    keepVisible_ = toolButton(this, "KeepVisible", QStringLiteral("Всегда сверху"),
                              QStyle::SP_TitleBarShadeButton);
    keepVisible_->setCheckable(true);

    printerBuffer_ =
        makeDumpView(device_.buffer(), this, QStringLiteral("PrinterBuffer"), /*roomForALine=*/true);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(2);
    buttons->addWidget(clr);
    buttons->addWidget(print);
    buttons->addStretch();
    buttons->addWidget(keepVisible_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addLayout(buttons);
    layout->addWidget(printerBuffer_);
    resize(printerBuffer_->minimumWidth() + 12, 300);

    connect(&device_, &PrinterDevice::changed, printerBuffer_, &HexDumpView::dumpChanged);
    connect(&device_, &PrinterDevice::cleared, printerBuffer_, &HexDumpView::refresh);
    connect(clr, &QToolButton::clicked, this, &TPrinterFrm::clearBuffer);
    connect(print, &QToolButton::clicked, this, &TPrinterFrm::printBuffer);
    connect(keepVisible_, &QToolButton::toggled, this, &TPrinterFrm::setKeepOnTop);
}

TPrinterFrm::~TPrinterFrm() = default;

void TPrinterFrm::clearBuffer() {
    device_.clear();
}

void TPrinterFrm::printBuffer() {
    std::unique_ptr<QPrinter> printer = printers_->defaultPrinter();
    if (!printer) {
        messages_.show(makeMessage(MessageId::NoPrinter), messageParent(this));
        return;
    }
    device_.print(*printer);
}

void TPrinterFrm::setKeepOnTop(bool on) {
    if (keepVisible_->isChecked() != on) keepVisible_->setChecked(on);  // comes back here once
    if (keepOnTop_ == on) return;
    keepOnTop_ = on;
    setStayOnTop(this, on);
}

}  // namespace orlan
