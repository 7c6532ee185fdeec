#include "StorageForm.h"

#include "DeviceWindow.h"
#include "WindowPlacement.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStyle>
#include <QTextCursor>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace orlan {

namespace {

// A program writing to the device may send thousands of bytes a second: the view catches up at
// most about 60 times a second.
constexpr int kBufferSyncMs = 16;

QToolButton* barButton(QWidget* parent, const char* name, const QString& hint, QStyle::StandardPixmap icon) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(hint);
    b->setIcon(parent->style()->standardIcon(icon));
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

}  // namespace

StorageForm::StorageForm(const StorageProfile& profile, const char* objectName, const QString& caption,
                         const char* bufferName, MessageService& messages, Settings settings,
                         QWidget* parent)
    : QWidget(parent, Qt::Tool), messages_(messages), device_(profile, std::move(settings)) {
    setObjectName(QLatin1String(objectName));
    setWindowTitle(caption);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    setFont(font);
    resize(420, 300);

    auto* clr = barButton(this, "ClrBuffer_BTN", QStringLiteral("Очистить буфер дисковода"),
                          QStyle::SP_DialogResetButton);
    keepVisible_ = barButton(this, "KeepVisible", QStringLiteral("Всегда сверху"),
                             QStyle::SP_TitleBarShadeButton);
    keepVisible_->setCheckable(true);

    buffer_ = makeDumpView(this, QLatin1String(bufferName), /*roomForALine=*/false);

    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(0, 0, 0, 0);
    bar->addWidget(clr);
    bar->addWidget(keepVisible_);
    bar->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);
    layout->addLayout(bar);
    layout->addWidget(buffer_);

    syncTimer_ = new QTimer(this);
    syncTimer_->setSingleShot(true);
    syncTimer_->setInterval(kBufferSyncMs);
    connect(syncTimer_, &QTimer::timeout, this, &StorageForm::syncBuffer);

    connect(&device_, &StorageDevice::changed, this, &StorageForm::onDeviceChanged);
    connect(&device_, &StorageDevice::cleared, this, [this] {
        buffer_->clear();
        shownBytes_ = 0;
    });
    connect(&device_, &StorageDevice::failed, this,
            [this](MessageId id) { messages_.show(makeMessage(id), messageParent(this)); });
    connect(clr, &QToolButton::clicked, this, &StorageForm::clearBuffer);
    connect(keepVisible_, &QToolButton::toggled, this, &StorageForm::setKeepOnTop);
}

void StorageForm::clearBuffer() { device_.clear(); }

void StorageForm::setKeepOnTop(bool on) {
    if (keepVisible_->isChecked() != on) keepVisible_->setChecked(on);  // comes back here once
    if (keepOnTop_ == on) return;
    keepOnTop_ = on;
    setStayOnTop(this, on);
}

void StorageForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    syncBuffer();
}

void StorageForm::onDeviceChanged() {
    if (isVisible() && !syncTimer_->isActive()) syncTimer_->start();
}

void StorageForm::syncBuffer() { appendDumpTail(buffer_->document(), buffer_, device_.buffer(), shownBytes_); }

}  // namespace orlan
