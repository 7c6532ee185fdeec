#include "Netform.h"

#include "DeviceWindow.h"
#include "HexDumpView.h"
#include "WindowPlacement.h"
#include "IconButton.h"
#include "Zoom.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace orlan {

TNetFrm::TNetFrm(MessageService& messages, QWidget* parent, Settings settings, QHostAddress listenOn)
    : QWidget(parent, Qt::Tool), messages_(messages), device_(std::move(settings), std::move(listenOn)) {
    setObjectName(QStringLiteral("NetFrm"));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    setFont(font);

    device_.setFailureHandler([this](MessageBox box) {
        emit deviceFailed(&box);
        messages_.show(box, messageParent(this));
    });

    clear_ = iconButton(this, "ClrBuffer_BTN", QStyle::SP_DialogResetButton);
    keepVisible_ = iconButton(this, "KeepVisible", QStyle::SP_TitleBarShadeButton);
    for (QToolButton* b : {clear_, keepVisible_}) b->setFixedSize(26, 26);
    keepVisible_->setCheckable(true);

    txBuffer_ = new QLineEdit(this);
    txBuffer_->setObjectName(QStringLiteral("NetTxBuffer"));
    txBuffer_->setReadOnly(true);
    txBuffer_->setFixedWidth(40);

    txLabel_ = new QLabel(this);
    linkState_ = new QLabel(this);
    linkState_->setObjectName(QStringLiteral("NetLinkState"));

    rxBuffer_ = makeDumpView(device_.received(), nullptr, QStringLiteral("NetRxBuffer"), /*roomForALine=*/true);

    // The link's state sits under the last byte sent, the buttons at the ends of the top row.
    auto* top = new QGridLayout;
    top->setHorizontalSpacing(4);
    top->setVerticalSpacing(2);
    top->addWidget(clear_, 0, 0);
    top->addWidget(txLabel_, 0, 1);
    top->addWidget(txBuffer_, 0, 2);
    top->setColumnStretch(3, 1);
    top->addWidget(keepVisible_, 0, 4);
    top->addWidget(linkState_, 1, 1, 1, 2);
    rxGroup_ = new QGroupBox(this);
    auto* groupLayout = new QVBoxLayout(rxGroup_);
    groupLayout->setContentsMargins(4, 4, 4, 4);
    groupLayout->addWidget(rxBuffer_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addLayout(top);
    layout->addWidget(rxGroup_);
    resize(rxBuffer_->minimumWidth() + 24, 300);

    connect(&device_, &NetworkDevice::byteReceived, rxBuffer_, &HexDumpView::dumpChanged);
    connect(&device_, &NetworkDevice::sent, this, [this] { txBuffer_->setText(device_.lastSent()); });
    connect(&device_, &NetworkDevice::linkChanged, this, &TNetFrm::showLink);
    connect(&device_, &NetworkDevice::cleared, this, [this] {
        rxBuffer_->refresh();
        txBuffer_->clear();
    });
    connect(clear_, &QToolButton::clicked, this, &TNetFrm::clearBuffers);
    connect(keepVisible_, &QToolButton::toggled, this, &TNetFrm::setKeepOnTop);
    followZoom(this);
    retranslate();
}

void TNetFrm::retranslate() {
    setWindowTitle(tr("Сетевой адаптер"));
    clear_->setToolTip(tr("Очистить буферы сетевого адаптера"));
    keepVisible_->setToolTip(tr("Всегда сверху"));
    txLabel_->setText(tr("Последнее отправленное значение:"));
    rxGroup_->setTitle(tr("Содержимое буфера-приёмника"));
    showLink();
}

void TNetFrm::showLink() {
    switch (device_.link()) {
        case NetLink::Up:
            return linkState_->setText(tr("Связь: установлена"));
        case NetLink::Connecting:
            return linkState_->setText(tr("Связь: устанавливается..."));
        case NetLink::Down:
            break;
    }
    linkState_->setText(tr("Связь: нет"));
}

void TNetFrm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) retranslate();
    QWidget::changeEvent(event);
}

void TNetFrm::clearBuffers() { device_.clear(); }

void TNetFrm::setKeepOnTop(bool on) {
    if (keepVisible_->isChecked() != on) keepVisible_->setChecked(on);  // comes back here once
    if (keepOnTop_ == on) return;
    keepOnTop_ = on;
    setStayOnTop(this, on);
}

}  // namespace orlan
