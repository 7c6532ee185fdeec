#include "Monform.h"

#include "DeviceWindow.h"
#include "HexDumpView.h"
#include "DialogFolders.h"
#include "IconButton.h"
#include "Zoom.h"
#include "Files.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QToolButton>
#include <QWindow>

namespace orlan {

namespace {

// The picture, laid out round the screen at (54, 26).
const QRectF kCase(30, 6, 360, 316);
const QRectF kRecess(46, 18, 328, 265);
const QPoint kScreenAt(54, 26);
const QPolygonF kNeck({QPointF(182, 321), QPointF(238, 321), QPointF(250, 350), QPointF(170, 350)});
const QRectF kBase(120, 348, 180, 24);
constexpr int kButtonTop = 292;
constexpr int kButtonSize = 22;

QPainterPath monitorShape() {
    QPainterPath shape;
    shape.addRoundedRect(kCase, 16, 16);
    shape.addPolygon(kNeck);
    shape.addRoundedRect(kBase, 8, 8);
    return shape.simplified();
}

// MonImg: the monitor drawn in code. Mouse presses go on to the window, which drags itself.
class MonitorPicture : public QWidget {
  public:
    explicit MonitorPicture(QWidget* parent) : QWidget(parent) {}
    void setZoom(qreal factor) {
        zoom_ = factor;
        update();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(zoom_, zoom_);  // drawn anew at the window's zoom
        const QColor outline(84, 84, 78);

        QLinearGradient stand(0, kNeck.boundingRect().top(), 0, kBase.bottom());
        stand.setColorAt(0, QColor(128, 125, 115));
        stand.setColorAt(1, QColor(178, 174, 160));
        p.setPen(QPen(outline, 1));
        p.setBrush(stand);
        p.drawPolygon(kNeck);
        p.drawRoundedRect(kBase, 8, 8);

        QLinearGradient body(0, kCase.top(), 0, kCase.bottom());
        body.setColorAt(0, QColor(218, 214, 200));
        body.setColorAt(1, QColor(168, 164, 150));
        p.setBrush(body);
        p.drawRoundedRect(kCase.adjusted(0.5, 0.5, -0.5, -0.5), 16, 16);

        p.setPen(Qt::NoPen);
        p.setBrush(QColor(44, 44, 44));
        p.drawRoundedRect(kRecess, 6, 6);

        // The maker's name and the power lamp on the front.
        QFont brand(QStringLiteral("DejaVu Sans"));
        brand.setPixelSize(12);
        brand.setBold(true);
        p.setFont(brand);
        p.setPen(QColor(70, 70, 64));
        p.drawText(QRectF(kScreenAt.x(), kButtonTop, 100, kButtonSize),
                   Qt::AlignVCenter | Qt::AlignLeft,
                   QCoreApplication::translate("orlan::TMonFrm", "ОРЛАН"));
        p.setPen(QPen(QColor(40, 70, 40), 1));
        p.setBrush(QColor(40, 200, 60));
        p.drawEllipse(QPointF(kScreenAt.x() + 112, kButtonTop + kButtonSize / 2.0), 4, 4);
    }

  private:
    qreal zoom_ = 1.0;
};

// ScreenImg: the monitor's picture, pixel for pixel.
class ScreenView : public QWidget {
  public:
    ScreenView(const MonitorDevice& device, QWidget* parent) : QWidget(parent), device_(device) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

  protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter p(this);
        const QImage& screen = device_.screen();
        if (size() == screen.size())
            p.drawImage(event->rect(), screen, event->rect());
        else  // zoomed: each of the monitor's pixels a sharp block, never smoothed
            p.drawImage(rect(), screen);
    }

  private:
    const MonitorDevice& device_;
};

QToolButton* caseButton(QWidget* parent, const char* name, QStyle::StandardPixmap icon, int left) {
    QToolButton* b = iconButton(parent, name, icon);
    b->setGeometry(left, kButtonTop, kButtonSize, kButtonSize);
    return b;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The save dialog

QString QtScreenshotDialog::saveFileName(QWidget* parent) {
    if (!dialog_) {
        dialog_ = new QFileDialog(parent);
        dialog_->setObjectName(QStringLiteral("SaveScrDlg"));
        dialog_->setAcceptMode(QFileDialog::AcceptSave);
        dialog_->setFileMode(QFileDialog::AnyFile);
        dialog_->setDefaultSuffix(QStringLiteral("bmp"));
    }
    // Set on every use: the language may have changed since the last one.
    dialog_->setNameFilter(
        QCoreApplication::translate("orlan::TMonFrm", "Файлы растровых рисунков (*.bmp)"));
    return execFileDialog(dialog_, QCoreApplication::translate("orlan::TMonFrm", "Экран ОРЛАН"));
}

// ---------------------------------------------------------------------------------------------
// The window

TMonFrm::TMonFrm(MessageService& messages, QWidget* parent)
    : QWidget(parent), messages_(messages), dialog_(std::make_unique<QtScreenshotDialog>()) {
    setObjectName(QStringLiteral("MonFrm"));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    setFont(font);
    // Round the monitor the window is see-through.
    setAttribute(Qt::WA_TranslucentBackground);

    monImg_ = new MonitorPicture(this);
    monImg_->setObjectName(QStringLiteral("MonImg"));
    monImg_->setGeometry(0, 0, kClientWidth, kHeightBufferHidden);

    screenImg_ = new ScreenView(device_, monImg_);
    screenImg_->setObjectName(QStringLiteral("ScreenImg"));
    screenImg_->setGeometry(
        QRect(kScreenAt, QSize(MonitorDevice::kScreenWidth, MonitorDevice::kScreenHeight)));

    int left = kScreenAt.x() + MonitorDevice::kScreenWidth - 5 * (kButtonSize + 4) + 4;
    auto next = [&left] {
        const int at = left;
        left += kButtonSize + 4;
        return at;
    };
    clear_ = caseButton(monImg_, "ClrBuffer_BTN", QStyle::SP_DialogResetButton, next());
    save_ = caseButton(monImg_, "SaveScr_BTN", QStyle::SP_DialogSaveButton, next());
    keepVisible_ = caseButton(monImg_, "KeepVisible", QStyle::SP_TitleBarShadeButton, next());
    keepVisible_->setCheckable(true);
    shBuff_ = caseButton(monImg_, "ShBuff_Img", QStyle::SP_ArrowDown, next());
    close_ = caseButton(monImg_, "CloseMon_Img", QStyle::SP_TitleBarCloseButton, next());

    bufferGroup_ = new QGroupBox(this);
    bufferGroup_->setObjectName(QStringLiteral("BufferGroup"));
    bufferGroup_->setGeometry(6, kHeightBufferHidden, kClientWidth - 12,
                              kHeightBufferShown - kHeightBufferHidden - 6);
    monBuffer_ = makeDumpView(device_.buffer(), bufferGroup_, QStringLiteral("MonBuffer"),
                              /*roomForALine=*/false);
    monBuffer_->setGeometry(8, 18, bufferGroup_->width() - 16, bufferGroup_->height() - 26);

    connect(&device_, &MonitorDevice::changed, this, &TMonFrm::onDeviceChanged);
    connect(&device_, &MonitorDevice::cleared, monBuffer_, &HexDumpView::refresh);
    connect(clear_, &QToolButton::clicked, this, &TMonFrm::clearBuffer);
    connect(save_, &QToolButton::clicked, this, &TMonFrm::saveScreen);
    connect(keepVisible_, &QToolButton::toggled, this, &TMonFrm::setKeepOnTop);
    connect(shBuff_, &QToolButton::clicked, this, [this] { setBufferShown(!bufferShown_); });
    connect(close_, &QToolButton::clicked, this, &QWidget::hide);

    retranslate();
    applyLook();
    followZoom(this, [this](qreal factor) {
        zoom_ = factor;
        static_cast<MonitorPicture*>(monImg_)->setZoom(factor);
        applyLook();
    });
}

TMonFrm::~TMonFrm() = default;

void TMonFrm::clearBuffer() {
    device_.clear();
}

void TMonFrm::saveScreen() {
    const QString name = dialog_->saveFileName(this);
    if (name.isEmpty()) return;
    // Drawn in memory, then written by the safe writer that keeps every user file: a failed save
    // leaves an older picture of that name intact.
    QByteArray picture;
    QBuffer buffer(&picture);
    FileError error = FileError::CannotWrite;
    if (buffer.open(QIODevice::WriteOnly) && device_.screen().save(&buffer, "BMP"))
        error = writeFileReplacing(
            QFile::encodeName(name).toStdString(),
            std::span(reinterpret_cast<const uint8_t*>(picture.constData()),
                      static_cast<size_t>(picture.size())));
    if (error != FileError::None)
        messages_.show(
            makeMessage(writeFailureMessage(error), QDir::toNativeSeparators(name).toStdString()),
            this);
}

void TMonFrm::setKeepOnTop(bool on) {
    if (keepVisible_->isChecked() != on) keepVisible_->setChecked(on);  // comes back here once
    if (keepOnTop_ == on) return;
    keepOnTop_ = on;
    applyLook();
}

void TMonFrm::setBufferShown(bool shown) {
    if (bufferShown_ == shown) return;
    bufferShown_ = shown;
    applyLook();
}

void TMonFrm::setVisible(bool visible) {
    if (visible && !isVisible() && !changingLook_ && bufferShown_) {
        bufferShown_ = false;
        applyLook();  // the window is still hidden: nothing flickers
    }
    QWidget::setVisible(visible);
}

void TMonFrm::retranslate() {
    setWindowTitle(tr("Монитор ОРЛАН"));
    clear_->setToolTip(tr("Очистить видеобуфер"));
    save_->setToolTip(tr("Сохранить изображение на мониторе в файл..."));
    keepVisible_->setToolTip(tr("Всегда сверху"));
    shBuff_->setToolTip(bufferHint());
    close_->setToolTip(tr("Закрыть"));
    bufferGroup_->setTitle(tr("Содержимое видеобуфера"));
}

QString TMonFrm::bufferHint() const {
    return bufferShown_ ? tr("Скрыть видеобуфер") : tr("Отобразить видеобуфер");
}

void TMonFrm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) retranslate();  // the brand repaints itself
    QWidget::changeEvent(event);
}

void TMonFrm::applyLook() {
    Qt::WindowFlags flags = Qt::Tool;
    if (bufferShown_)
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    else
        flags |= Qt::FramelessWindowHint;
    if (keepOnTop_) flags |= Qt::WindowStaysOnTopHint;

    const int height = bufferShown_ ? kHeightBufferShown : kHeightBufferHidden;
    setFixedSize(zoomed(kClientWidth, zoom_), zoomed(height, zoom_));
    bufferGroup_->setVisible(bufferShown_);
    shBuff_->setToolTip(bufferHint());
    shBuff_->setIcon(growingIcon(
        style()->standardIcon(bufferShown_ ? QStyle::SP_ArrowUp : QStyle::SP_ArrowDown)));
    // An X11 desktop may have no compositor to blend a see-through window; the shape cut from the
    // window works there all the same. Other desktops always blend.
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        if (bufferShown_)
            clearMask();
        else
            setMask(QRegion(
                monitorShape().toFillPolygon(QTransform::fromScale(zoom_, zoom_)).toPolygon()));
    }

    if (windowFlags() != flags) {
        // New flags take the window off the screen; it comes back where it was.
        const bool wasVisible = isVisible();
        const QPoint at = pos();
        changingLook_ = true;
        setWindowFlags(flags);
        if (wasVisible) {
            move(at);
            show();
        }
        changingLook_ = false;
    }
    update();
}

void TMonFrm::paintEvent(QPaintEvent*) {
    // With the buffer shown the window is an ordinary tool window; otherwise only the monitor
    // picture is drawn and the rest stays see-through.
    if (!bufferShown_) return;
    QPainter p(this);
    p.fillRect(rect(), palette().button());
}

void TMonFrm::mousePressEvent(QMouseEvent* event) {
    if (bufferShown_ || event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    if (QWindow* window = windowHandle(); window && window->startSystemMove()) return;
    dragging_ = true;
    dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void TMonFrm::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_) return QWidget::mouseMoveEvent(event);
    move(event->globalPosition().toPoint() - dragOffset_);
}

void TMonFrm::mouseReleaseEvent(QMouseEvent* event) {
    dragging_ = false;
    QWidget::mouseReleaseEvent(event);
}

void TMonFrm::onDeviceChanged() {
    screenImg_->update();  // Qt folds many of these into one repaint
    monBuffer_->dumpChanged();
}

}  // namespace orlan
