#include "Printerform.h"

#include "DeviceWindow.h"
#include "HexDumpView.h"
#include "PrinterSetup.h"
#include "WindowPlacement.h"
#include "IconButton.h"
#include "Zoom.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QStyle>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>

namespace orlan {

TPrinterFrm::TPrinterFrm(PrinterSetup& setup, QWidget* parent)
    : QWidget(parent, Qt::Tool), setup_(setup) {
    setObjectName(QStringLiteral("PrinterFrm"));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    setFont(font);

    clear_ = iconButton(this, "ClrBuffer_BTN", QStyle::SP_DialogResetButton);
    print_ = iconButton(this, "PrintBuffer_BTN", QStyle::SP_FileDialogDetailedView);
    keepVisible_ = iconButton(this, "KeepVisible", QStyle::SP_TitleBarShadeButton);
    for (QToolButton* b : {clear_, print_, keepVisible_}) b->setFixedSize(26, 26);
    keepVisible_->setCheckable(true);

    printerBuffer_ =
        makeDumpView(device_.buffer(), this, QStringLiteral("PrinterBuffer"), /*roomForALine=*/true);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(2);
    buttons->addWidget(clear_);
    buttons->addWidget(print_);
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
    connect(clear_, &QToolButton::clicked, this, &TPrinterFrm::clearBuffer);
    connect(print_, &QToolButton::clicked, this, &TPrinterFrm::printBuffer);
    connect(keepVisible_, &QToolButton::toggled, this, &TPrinterFrm::setKeepOnTop);
    followZoom(this);
    retranslate();
}

void TPrinterFrm::retranslate() {
    setWindowTitle(tr("Принтер ОРЛАН"));
    clear_->setToolTip(tr("Очистить буфер дисковода"));  // the drives' hint, as it always was
    print_->setToolTip(tr("Печатать"));
    keepVisible_->setToolTip(tr("Всегда сверху"));
}

void TPrinterFrm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) retranslate();
    QWidget::changeEvent(event);
}

TPrinterFrm::~TPrinterFrm() = default;

void TPrinterFrm::clearBuffer() {
    device_.clear();
}

void TPrinterFrm::printBuffer() {
    std::unique_ptr<QTextDocument> doc;
    setup_.print(
        PrinterDevice::kDocumentTitle, this,
        [&] {
            doc = device_.document();
            return doc.get();
        },
        PrinterDevice::shownDocumentTitle());
}

void TPrinterFrm::setKeepOnTop(bool on) {
    if (keepVisible_->isChecked() != on) keepVisible_->setChecked(on);  // comes back here once
    if (keepOnTop_ == on) return;
    keepOnTop_ = on;
    setStayOnTop(this, on);
}

}  // namespace orlan
