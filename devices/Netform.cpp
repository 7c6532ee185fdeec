#include "Netform.h"

#include "DeviceWindow.h"
#include "WindowPlacement.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace orlan {

namespace {

// The dump view catches up with the bytes at most about 60 times a second.
constexpr int kBufferSyncMs = 16;

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

}  // namespace

TNetFrm::TNetFrm(MessageService& messages, QWidget* parent, Settings settings, QHostAddress listenOn)
    : QWidget(parent, Qt::Tool), messages_(messages), device_(std::move(settings), std::move(listenOn)) {
    setObjectName(QStringLiteral("NetFrm"));
    setWindowTitle(QStringLiteral("Сетевой адаптер"));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    setFont(font);

    device_.setFailureHandler([this](const MessageBox& box) { messages_.show(box, messageParent(this)); });

    QToolButton* clr = toolButton(this, "ClrBuffer_BTN", QStringLiteral("Очистить буферы сетевого адаптера"),
                                  QStyle::SP_DialogResetButton);
    keepVisible_ = toolButton(this, "KeepVisible", QStringLiteral("Всегда сверху"), QStyle::SP_TitleBarShadeButton);
    keepVisible_->setCheckable(true);

    txBuffer_ = new QLineEdit(this);
    txBuffer_->setObjectName(QStringLiteral("NetTxBuffer"));
    txBuffer_->setReadOnly(true);
    txBuffer_->setFixedWidth(40);

    rxBuffer_ = makeDumpView(nullptr, QStringLiteral("NetRxBuffer"), /*roomForALine=*/true);

    auto* top = new QHBoxLayout;
    top->setSpacing(4);
    top->addWidget(clr);
    top->addWidget(new QLabel(QStringLiteral("Последнее отправленное значение:"), this));
    top->addWidget(txBuffer_);
    top->addStretch();
    top->addWidget(keepVisible_);
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

    syncTimer_ = new QTimer(this);
    syncTimer_->setSingleShot(true);
    syncTimer_->setInterval(kBufferSyncMs);
    connect(syncTimer_, &QTimer::timeout, this, &TNetFrm::syncBuffer);

    connect(&device_, &NetworkDevice::byteReceived, this, [this] {
        if (isVisible() && !syncTimer_->isActive()) syncTimer_->start();
    });
    connect(&device_, &NetworkDevice::sent, this, [this] { txBuffer_->setText(device_.lastSent()); });
    connect(&device_, &NetworkDevice::cleared, this, [this] {
        rxBuffer_->clear();
        txBuffer_->clear();
        shownBytes_ = 0;
    });
    connect(clr, &QToolButton::clicked, this, &TNetFrm::clearBuffers);
    connect(keepVisible_, &QToolButton::toggled, this, &TNetFrm::setKeepOnTop);
}

void TNetFrm::clearBuffers() { device_.clear(); }

void TNetFrm::setKeepOnTop(bool on) {
    if (keepVisible_->isChecked() != on) keepVisible_->setChecked(on);  // comes back here once
    if (keepOnTop_ == on) return;
    keepOnTop_ = on;
    setStayOnTop(this, on);
}

void TNetFrm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    syncBuffer();  // bytes that arrived while the window was hidden
}

void TNetFrm::syncBuffer() { appendDumpTail(rxBuffer_->document(), rxBuffer_, device_.received(), shownBytes_); }

}  // namespace orlan
