#include "Timingform.h"

#include <QBuffer>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>
#include <utility>
#include <vector>

#include "Commands.h"
#include "MessageService.h"
#include "SafeFile.h"
#include "Machine.h"

namespace orlan {

namespace {

constexpr int kMinRepaintMs = 1000 / 60;

QString hexText(unsigned value, int digits) {
    return QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0')).toUpper();
}

}  // namespace

TTimingCanvas::TTimingCanvas(QWidget* parent) : QWidget(parent) { setSamples({}); }

void TTimingCanvas::setSamples(std::vector<TimingSample> samples) {
    samples_ = std::move(samples);
    using namespace timing;
    setFixedSize(kLabelWidth + static_cast<int>(samples_.size()) * kTactWidth + 8,
                 kTop + kRowCount * kRowHeight + 8);
    update();
}

// The same picture as the SVG writer draws, with the same geometry.
void TTimingCanvas::paintEvent(QPaintEvent*) {
    using namespace timing;
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    const int n = static_cast<int>(samples_.size());
    if (n > 0)
        p.fillRect(kLabelWidth + (n - 1) * kTactWidth, kTop, kTactWidth, kRowCount * kRowHeight,
                   QColor(0xff, 0xd0, 0xd0));
    p.setPen(QColor(0xd8, 0xd8, 0xd8));
    for (int i = 0; i <= n; ++i)
        p.drawLine(kLabelWidth + i * kTactWidth, kTop, kLabelWidth + i * kTactWidth, kTop + kRowCount * kRowHeight);
    QFont font(QStringLiteral("monospace"));
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(11);
    p.setFont(font);
    // The names are drawn last, in a column pinned to the visible left edge, so they stay in
    // sight however far the tacts are scrolled.
    std::vector<std::pair<int, QString>> labels;
    auto label = [&](int row, const QString& text) { labels.emplace_back(row, text); };
    p.setRenderHint(QPainter::Antialiasing);
    for (int row = 0; row < kLampCount; ++row) {
        const Lamp l = kTimingLampOrder[row];
        label(row, QString::fromLatin1(lampName(l).data(), static_cast<int>(lampName(l).size())));
        const int high = kTop + row * kRowHeight + 4, low = kTop + (row + 1) * kRowHeight - 4;
        QPolygonF line;
        for (int i = 0; i < n; ++i) {
            const int y = samples_[i].lamp(l) ? high : low;
            line << QPointF(kLabelWidth + i * kTactWidth, y) << QPointF(kLabelWidth + (i + 1) * kTactWidth, y);
        }
        p.setPen(QPen(QColor(0x00, 0x60, 0x00), 1.5));
        p.drawPolyline(line);
    }
    auto bus = [&](int row, bool address) {
        label(row, address ? QStringLiteral("A15-0") : QStringLiteral("D7-0"));
        const double top = kTop + row * kRowHeight + 3, bottom = top + kRowHeight - 6, middle = (top + bottom) / 2;
        for (int from = 0; from < n;) {
            const unsigned value = address ? samples_[from].address : samples_[from].data;
            int to = from + 1;
            while (to < n && (address ? samples_[to].address : samples_[to].data) == value) ++to;
            const double x0 = kLabelWidth + from * kTactWidth, x1 = kLabelWidth + to * kTactWidth, e = 3;
            const QPolygonF band{QPointF(x0, middle), QPointF(x0 + e, top),    QPointF(x1 - e, top),
                                 QPointF(x1, middle), QPointF(x1 - e, bottom), QPointF(x0 + e, bottom)};
            p.setPen(QColor(0x80, 0x60, 0x00));
            p.setBrush(QColor(0xff, 0xf8, 0xc0));
            p.drawPolygon(band);
            p.setPen(Qt::black);
            p.drawText(QRectF(x0, top, x1 - x0, bottom - top), Qt::AlignCenter, hexText(value, address ? 4 : 2));
            from = to;
        }
        p.setBrush(Qt::NoBrush);
    };
    bus(kAddressRow, true);
    bus(kDataRow, false);
    label(kCycleRow, QStringLiteral("M"));
    label(kTactRow, QStringLiteral("T"));
    p.setPen(Qt::black);
    for (int i = 0; i < n; ++i) {
        const int x = kLabelWidth + i * kTactWidth;
        p.drawText(QRect(x, kTop + kCycleRow * kRowHeight, kTactWidth, kRowHeight), Qt::AlignCenter,
                   QString::number(samples_[i].cycle));
        p.drawText(QRect(x, kTop + kTactRow * kRowHeight, kTactWidth, kRowHeight), Qt::AlignCenter,
                   QString::number(samples_[i].tact));
    }
    const int left = visibleRegion().boundingRect().left();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(left, 0, kLabelWidth, height(), Qt::white);
    p.setPen(QColor(0xd8, 0xd8, 0xd8));
    p.drawLine(left + kLabelWidth - 1, kTop, left + kLabelWidth - 1, kTop + kRowCount * kRowHeight);
    p.setPen(Qt::black);
    for (const auto& [row, text] : labels)
        p.drawText(QRect(left + 4, kTop + row * kRowHeight, kLabelWidth - 4, kRowHeight), Qt::AlignVCenter, text);
}

TTimingFrm::TTimingFrm(const Machine& machine, const CCommands& cpu, MessageService& messages, QWidget* parent)
    : QWidget(parent, Qt::Window), machine_(machine), cpu_(cpu), messages_(messages) {
    setObjectName(QStringLiteral("TimingFrm"));
    canvas_ = new TTimingCanvas;
    scroll_ = new QScrollArea;
    scroll_->setWidget(canvas_);
    scroll_->setWidgetResizable(false);
    // Scrolling moves the picture by copying it; the pinned names must be drawn anew.
    connect(scroll_->horizontalScrollBar(), &QScrollBar::valueChanged, canvas_, qOverload<>(&QWidget::update));
    save_ = new QPushButton;
    save_->setObjectName(QStringLiteral("TimingSave_Btn"));
    connect(save_, &QPushButton::clicked, this, &TTimingFrm::askAndSave);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scroll_);
    layout->addLayout(buttons);
    resize(900, timing::kTop + timing::kRowCount * timing::kRowHeight + 90);
    pending_ = new QTimer(this);
    pending_->setSingleShot(true);
    connect(pending_, &QTimer::timeout, this, &TTimingFrm::reload);
    retranslate();
}

void TTimingFrm::retranslate() {
    setWindowTitle(tr("ОРЛАН - Временная диаграмма"));
    save_->setText(tr("Сохранить..."));
}

void TTimingFrm::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) retranslate();
}

void TTimingFrm::showEvent(QShowEvent*) { reload(); }

void TTimingFrm::followMachine() {
    if (!isVisible() || pending_->isActive()) return;
    if (!lastPaint_.isValid() || lastPaint_.elapsed() >= kMinRepaintMs)
        reload();
    else
        pending_->start(static_cast<int>(kMinRepaintMs - lastPaint_.elapsed()));
}

void TTimingFrm::reload() {
    lastPaint_.start();
    QScrollBar* bar = scroll_->horizontalScrollBar();
    const bool atEnd = bar->value() >= bar->maximum();
    canvas_->setSamples(timingSamples(cpu_.history(), machine_.s));
    // Keep the current tact in view unless the user scrolled back to look at older ones.
    if (atEnd) {
        scroll_->widget()->adjustSize();
        bar->setValue(bar->maximum());
        QTimer::singleShot(0, this, [bar] { bar->setValue(bar->maximum()); });
    }
}

void TTimingFrm::askAndSave() {
    QString filter;
    const QString name = QFileDialog::getSaveFileName(
        this, tr("Сохранить временную диаграмму"), QStringLiteral("timing.svg"),
        tr("Рисунок SVG (*.svg);;Рисунок PNG (*.png)"), &filter);
    if (name.isEmpty()) return;
    QString chosen = name;
    if (QFileInfo(chosen).suffix().isEmpty())
        chosen += filter.contains(QLatin1String("png")) ? QStringLiteral(".png") : QStringLiteral(".svg");
    saveTo(chosen);
}

bool TTimingFrm::saveTo(const QString& name) {
    QByteArray bytes;
    if (name.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
        const std::string svg = timingSvg(canvas_->samples());
        bytes = QByteArray(svg.data(), static_cast<qsizetype>(svg.size()));
    } else {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        canvas_->grab().save(&buffer, "PNG");
    }
    const SaveResult r = writeFileSafely(
        QFile::encodeName(name).toStdString(),
        std::span(reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size())));
    if (r.ok()) return true;
    const MessageId id = r.error == SaveError::NoSpace ? MessageId::DiskFull : MessageId::CannotWriteFile;
    messages_.show(makeMessage(id, QDir::toNativeSeparators(name).toStdString()), this);
    return false;
}

}  // namespace orlan
