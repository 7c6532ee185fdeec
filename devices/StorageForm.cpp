#include "StorageForm.h"

#include "DeviceWindow.h"
#include "HexDumpView.h"
#include "WindowPlacement.h"
#include "IconButton.h"
#include "Zoom.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace orlan {

StorageForm::StorageForm(const StorageProfile& profile, const char* objectName, const char* caption,
                         const char* bufferName, MessageService& messages, Settings settings,
                         QWidget* parent)
    : QWidget(parent, Qt::Tool), messages_(messages), device_(profile, std::move(settings)),
      caption_(caption) {
    setObjectName(QLatin1String(objectName));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    setFont(font);
    resize(420, 300);

    clear_ = iconButton(this, "ClrBuffer_BTN", QStyle::SP_DialogResetButton);
    keepVisible_ = iconButton(this, "KeepVisible", QStyle::SP_TitleBarShadeButton);
    keepVisible_->setCheckable(true);

    buffer_ = makeDumpView(device_.buffer(), this, QLatin1String(bufferName), /*roomForALine=*/false);

    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(0, 0, 0, 0);
    bar->addWidget(clear_);
    bar->addWidget(keepVisible_);
    bar->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);
    layout->addLayout(bar);
    layout->addWidget(buffer_);

    connect(&device_, &StorageDevice::changed, buffer_, &HexDumpView::dumpChanged);
    connect(&device_, &StorageDevice::cleared, buffer_, &HexDumpView::refresh);
    connect(&device_, &StorageDevice::failed, this, [this](MessageId id) {
        MessageBox box = makeMessage(id);
        emit deviceFailed(&box);
        messages_.show(box, messageParent(this));
    });
    connect(clear_, &QToolButton::clicked, this, &StorageForm::clearBuffer);
    connect(keepVisible_, &QToolButton::toggled, this, &StorageForm::setKeepOnTop);
    followZoom(this);
    retranslate();
}

void StorageForm::retranslate() {
    setWindowTitle(tr(caption_));
    clear_->setToolTip(tr("Очистить буфер дисковода"));
    keepVisible_->setToolTip(tr("Всегда сверху"));
}

void StorageForm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) retranslate();
    QWidget::changeEvent(event);
}

void StorageForm::clearBuffer() { device_.clear(); }

void StorageForm::setKeepOnTop(bool on) {
    if (keepVisible_->isChecked() != on) keepVisible_->setChecked(on);  // comes back here once
    if (keepOnTop_ == on) return;
    keepOnTop_ = on;
    setStayOnTop(this, on);
}

void StorageForm::syncBuffer() { buffer_->refresh(); }

}  // namespace orlan
