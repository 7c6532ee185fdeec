#include "Netform.h"

#include "DeviceWindow.h"
#include "HexDumpView.h"
#include "WindowPlacement.h"
#include "Zoom.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace orlan {

namespace {

QToolButton* toolButton(QWidget* parent, const char* name, const QString& hint, QStyle::StandardPixmap icon) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(hint);
    b->setIcon(parent->style()->standardIcon(icon));
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setFixedSize(26, 26);
    return b;
}

QString linkText(NetLink link) {
    switch (link) {
        case NetLink::Up:
            return QStringLiteral("Связь: установлена");
        case NetLink::Connecting:
            return QStringLiteral("Связь: устанавливается...");
        case NetLink::Down:
            break;
    }
    return QStringLiteral("Связь: нет");
}

}  // namespace

TNetFrm::TNetFrm(MessageService& messages, QWidget* parent, Settings settings, QHostAddress listenOn)
    : QWidget(parent, Qt::Tool), messages_(messages), device_(std::move(settings), std::move(listenOn)) {
    setObjectName(QStringLiteral("NetFrm"));
    setWindowTitle(QStringLiteral("Сетевой адаптер"));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    setFont(font);

    device_.setFailureHandler([this](MessageBox box) {
        emit deviceFailed(&box);
        messages_.show(box, messageParent(this));
    });

    QToolButton* clr = toolButton(this, "ClrBuffer_BTN", QStringLiteral("Очистить буферы сетевого адаптера"),
                                  QStyle::SP_DialogResetButton);
    keepVisible_ = toolButton(this, "KeepVisible", QStringLiteral("Всегда сверху"), QStyle::SP_TitleBarShadeButton);
    keepVisible_->setCheckable(true);

    txBuffer_ = new QLineEdit(this);
    txBuffer_->setObjectName(QStringLiteral("NetTxBuffer"));
    txBuffer_->setReadOnly(true);
    txBuffer_->setFixedWidth(40);

    linkState_ = new QLabel(linkText(device_.link()), this);
    linkState_->setObjectName(QStringLiteral("NetLinkState"));

    rxBuffer_ = makeDumpView(device_.received(), nullptr, QStringLiteral("NetRxBuffer"), /*roomForALine=*/true);

    // The link's state sits under the last byte sent, the buttons at the ends of the top row.
    auto* top = new QGridLayout;
    top->setHorizontalSpacing(4);
    top->setVerticalSpacing(2);
    top->addWidget(clr, 0, 0);
    top->addWidget(new QLabel(QStringLiteral("Последнее отправленное значение:"), this), 0, 1);
    top->addWidget(txBuffer_, 0, 2);
    top->setColumnStretch(3, 1);
    top->addWidget(keepVisible_, 0, 4);
    top->addWidget(linkState_, 1, 1, 1, 2);
    auto* group = new QGroupBox(QStringLiteral("Содержимое буфера-приёмника"), this);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->setContentsMargins(4, 4, 4, 4);
    groupLayout->addWidget(rxBuffer_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addLayout(top);
    layout->addWidget(group);
    resize(rxBuffer_->minimumWidth() + 24, 300);

    connect(&device_, &NetworkDevice::byteReceived, rxBuffer_, &HexDumpView::dumpChanged);
    connect(&device_, &NetworkDevice::sent, this, [this] { txBuffer_->setText(device_.lastSent()); });
    connect(&device_, &NetworkDevice::linkChanged, this,
            [this] { linkState_->setText(linkText(device_.link())); });
    connect(&device_, &NetworkDevice::cleared, this, [this] {
        rxBuffer_->refresh();
        txBuffer_->clear();
    });
    connect(clr, &QToolButton::clicked, this, &TNetFrm::clearBuffers);
    connect(keepVisible_, &QToolButton::toggled, this, &TNetFrm::setKeepOnTop);
    followZoom(this);
}

void TNetFrm::clearBuffers() { device_.clear(); }

void TNetFrm::setKeepOnTop(bool on) {
    if (keepVisible_->isChecked() != on) keepVisible_->setChecked(on);  // comes back here once
    if (keepOnTop_ == on) return;
    keepOnTop_ = on;
    setStayOnTop(this, on);
}

}  // namespace orlan
