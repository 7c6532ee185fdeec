#include "CommandTable.h"

#include <QApplication>
#include <QDrag>
#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "Zoom.h"
#include "Mnemonics.h"

namespace orlan {
namespace {

const QString kMimeOpcode = QStringLiteral("application/x-orlan-opcode");
const QString kCellFont = QStringLiteral("DejaVu Sans Condensed");

QString mnemonicText(int opcode) {
    const auto text = mnemonic(static_cast<uint8_t>(opcode));
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A tint per instruction group, so the table reads at a glance like the pictures it stands for.
QColor groupColour(int opcode) {
    const QString op = mnemonicText(opcode).section(QLatin1Char(' '), 0, 0);
    static const QStringList transfer = {"MOV", "MVI", "LXI", "LDA", "STA", "LHLD", "SHLD",
                                         "LDAX", "STAX", "XCHG", "SPHL", "XTHL"};
    static const QStringList alu = {"ADD", "ADC", "SUB", "SBB", "ANA", "XRA", "ORA", "CMP", "ADI",
                                    "ACI", "SUI", "SBI", "ANI", "XRI", "ORI", "CPI", "INR", "DCR",
                                    "INX", "DCX", "DAD", "DAA", "CMA", "STC", "CMC", "RLC", "RRC",
                                    "RAL", "RAR"};
    if (op == QLatin1String("-")) return {200, 200, 200};
    if (transfer.contains(op)) return {220, 235, 255};
    if (alu.contains(op)) return {255, 250, 210};
    if (op.startsWith(QLatin1Char('J')) || op.startsWith(QLatin1Char('C')) ||
        op.startsWith(QLatin1Char('R')) || op == QLatin1String("PCHL"))
        return {220, 250, 220};
    return {255, 228, 235};  // stack, input/output, interrupts, NOP, HLT
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// CommandTable

CommandTable::CommandTable(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("CommGrid"));
    setFixedSize(sizeHint());
    setCursor(Qt::PointingHandCursor);
    setMouseTracking(true);
    layoutCells();
}

QSize CommandTable::sizeHint() const { return {edge(kCells), edge(kCells)}; }

int CommandTable::edge(int k) const { return zoomed(k * kCellSize, zoom_); }

void CommandTable::setZoom(qreal factor) {
    if (factor <= 0 || qFuzzyCompare(factor, zoom_)) return;
    zoom_ = factor;
    setFixedSize(sizeHint());
    layoutCells();
    update();
}

QString CommandTable::cellText(int row, int column) const {
    if (row < 0 || row >= kCells || column < 0 || column >= kCells) return {};
    if (row == 0 && column == 0) return {};
    if (row == 0) return QString::number(column - 1, 16).toUpper();
    if (column == 0) return QString::number(row - 1, 16).toUpper();
    return mnemonicText(opcodeAt(row, column));
}

QRect CommandTable::cellRect(int row, int column) const {
    return QRect(QPoint(edge(column), edge(row)), QPoint(edge(column + 1) - 1, edge(row + 1) - 1));
}

int CommandTable::opcodeAt(int row, int column) {
    if (row < 1 || row >= kCells || column < 1 || column >= kCells) return -1;
    return 16 * (row - 1) + (column - 1);
}

QPoint CommandTable::cellAt(const QPoint& pos) const {
    if (!rect().contains(pos)) return {-1, -1};
    auto index = [this](int at) {
        int k = std::min(kCells - 1, static_cast<int>(at / (kCellSize * zoom_)));
        while (k > 0 && edge(k) > at) --k;
        while (k + 1 < kCells && edge(k + 1) <= at) ++k;
        return k;
    };
    return {index(pos.x()), index(pos.y())};  // (column, row)
}

void CommandTable::layoutCells() {
    for (int opcode = 0; opcode < 256; ++opcode) {
        const QString text = mnemonicText(opcode);
        QString operands = text.section(QLatin1Char(' '), 1);
        operands.remove(QLatin1Char(' '));
        QStringList& lines = lines_[static_cast<size_t>(opcode)];
        lines = QStringList{text.section(QLatin1Char(' '), 0, 0)};
        if (!operands.isEmpty()) lines.append(operands);
    }
    // One size and width for every cell reads calmer than each cell squeezed on its own. Narrower
    // letters come before smaller ones; where the condensed face is missing, Qt narrows the
    // regular one.
    const int cell = static_cast<int>(kCellSize * zoom_);  // the narrowest at this zoom
    const int room = cell - 2;
    auto fitsEveryCell = [&](const QFont& font) {
        const QFontMetrics fm(font);
        if (2 * fm.height() > cell) return false;
        return std::all_of(lines_.begin(), lines_.end(), [&](const QStringList& lines) {
            return std::all_of(lines.begin(), lines.end(), [&](const QString& line) {
                return fm.horizontalAdvance(line) <= room;
            });
        });
    };
    for (int size = zoomed(11, zoom_); size >= zoomed(kMinTextPixels, zoom_); --size) {
        for (int stretch = 100; stretch >= 70; stretch -= 5) {
            QFont font(kCellFont);
            font.setPixelSize(size);
            font.setStretch(stretch);
            cellFont_ = font;
            if (fitsEveryCell(font)) return;
        }
    }
    // Nothing fits (an odd font): the narrowest readable one, the longest operands a little cut.
}

void CommandTable::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QFont heading(kCellFont);
    heading.setPixelSize(zoomed(12, zoom_));
    heading.setBold(true);
    const QColor frame(128, 128, 128);
    // Whole pixels: a frame line of one and a half would be drawn blurred.
    const int line = std::max(1, static_cast<int>(zoom_));

    for (int row = 0; row < kCells; ++row) {
        for (int column = 0; column < kCells; ++column) {
            const QRect r = cellRect(row, column);
            const int opcode = opcodeAt(row, column);
            if (opcode < 0) {
                p.fillRect(r, QColor(192, 192, 192));
                p.setPen(Qt::black);
                p.setFont(heading);
                p.drawText(r, Qt::AlignCenter, cellText(row, column));
            } else {
                p.fillRect(r, groupColour(opcode));
                const QStringList& lines = lines_[static_cast<size_t>(opcode)];
                p.setFont(cellFont_);
                p.setPen(Qt::black);
                // The two lines sit close together in the middle of the cell.
                const QFontMetrics fm(cellFont_);
                const int height = static_cast<int>(lines.size()) * fm.height();
                int top = r.top() + (r.height() - height) / 2;
                for (const QString& line : lines) {
                    p.drawText(QRect(r.left() + 1, top, r.width() - 2, fm.height()), Qt::AlignCenter, line);
                    top += fm.height();
                }
            }
            // Each cell framed on its own border pixels.
            p.fillRect(r.left(), r.top(), r.width(), line, frame);
            p.fillRect(r.left(), r.bottom() + 1 - line, r.width(), line, frame);
            p.fillRect(r.left(), r.top(), line, r.height(), frame);
            p.fillRect(r.right() + 1 - line, r.top(), line, r.height(), frame);
        }
    }
}

void CommandTable::mousePressEvent(QMouseEvent* event) {
    const QPoint cell = cellAt(event->position().toPoint());
    const int opcode = opcodeAt(cell.y(), cell.x());
    pressedOpcode_ = -1;
    if (event->button() == Qt::LeftButton) {
        pressedOpcode_ = opcode;
        pressPos_ = event->position().toPoint();
    } else if (event->button() == Qt::RightButton && opcode >= 0) {
        emit helpRequested(opcode, mnemonicText(opcode), event->globalPosition().toPoint());
    }
    event->accept();
}

void CommandTable::mouseMoveEvent(QMouseEvent* event) {
    if (pressedOpcode_ >= 0 && (event->buttons() & Qt::LeftButton) &&
        (event->position().toPoint() - pressPos_).manhattanLength() >= kDragDistance) {
        const int opcode = pressedOpcode_;
        pressedOpcode_ = -1;
        startDrag(opcode);
    }
    event->accept();
}

void CommandTable::mouseReleaseEvent(QMouseEvent* event) {
    pressedOpcode_ = -1;
    event->accept();
}

QMimeData* CommandTable::mimeDataFor(int opcode) {
    auto* mime = new QMimeData;
    mime->setData(kMimeOpcode, QByteArray(1, static_cast<char>(opcode)));
    mime->setText(mnemonicText(opcode));
    return mime;
}

void CommandTable::startDrag(int opcode) {
    auto* drag = new QDrag(this);
    drag->setMimeData(mimeDataFor(opcode));
    const QRect r = cellRect(opcode / 16 + 1, opcode % 16 + 1);
    drag->setPixmap(grab(r));
    drag->setHotSpot(pressPos_ - r.topLeft());
    drag->exec(Qt::CopyAction);
}

// ---------------------------------------------------------------------------------------------
// CommPanel

CommPanel::CommPanel(QWidget* parent)
    : QWidget(parent),
      caption_(new QLabel(this)),
      table_(new CommandTable(this)),
      timer_(new QTimer(this)) {
    setObjectName(QStringLiteral("CommPanel"));
    setFixedSize(kWidth, kHeight);
    setAutoFillBackground(true);
    setMouseTracking(true);

    caption_->setObjectName(QStringLiteral("CommCaption"));
    QFont bold = caption_->font();
    bold.setBold(true);
    caption_->setFont(bold);
    QPalette green = caption_->palette();
    green.setColor(QPalette::WindowText, QColor(0, 128, 0));
    caption_->setPalette(green);
    caption_->setAlignment(Qt::AlignCenter);
    caption_->setGeometry(0, 0, kWidth, kCaptionStrip);  // the window's zoom grows it
    caption_->setMouseTracking(true);
    caption_->installEventFilter(this);
    retranslate();

    const int tableSide = CommandTable::kCells * CommandTable::kCellSize;
    table_->move((kWidth - tableSide) / 2, kCaptionStrip + (kHeight - kCaptionStrip - tableSide) / 2);
    table_->installEventFilter(this);

    timer_->setInterval(1);
    connect(timer_, &QTimer::timeout, this, &CommPanel::slideTick);

    x_ = std::sqrt(std::max(0, hiddenTop()));
}

void CommPanel::retranslate() { caption_->setText(tr("Система команд микропроцессора ОРЛАН-М")); }

void CommPanel::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) retranslate();
}
// The caption strip grows with the window's zoom.
int CommPanel::hiddenTop() const { return clientHeight() - caption_->height(); }

int CommPanel::clientHeight() const { return parentWidget() ? parentWidget()->height() : kHeight; }

void CommPanel::placeHidden() {
    timer_->stop();
    move(pos().x(), hiddenTop());
    x_ = std::sqrt(std::max(0, hiddenTop()));
    emit hidden();
}

void CommPanel::placeShown() {
    timer_->stop();
    raise();
    move(pos().x(), shownTop());
}

bool CommPanel::isSliding() const { return timer_->isActive(); }

void CommPanel::toggle() {
    if (isShown())
        placeHidden();
    else
        placeShown();
}

void CommPanel::startSlide() {
    if (timer_->isActive()) return;
    raise();
    timer_->start();
}

bool CommPanel::slideTick() {
    const int target = shownTop();
    if (y() <= target) {
        timer_->stop();
        return false;
    }
    // x^2 eases the rise: big steps low down, small ones near the top. Never past the shown
    // position: once x runs out (or the client area is lower than the panel) the panel settles
    // there instead of x^2 growing again and pushing it back down.
    const int top = x_ > 0 ? static_cast<int>(std::floor(x_ * x_)) : target;
    move(pos().x(), std::max(top, target));
    x_ -= kSlideStep;
    return true;
}

void CommPanel::pointerLeft() { placeHidden(); }

void CommPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // Lines of whole pixels, as thick as the zoom (the panel's height tells it).
    const int line = std::max(1, height() / kHeight);
    const QColor frame(128, 128, 128);
    const QRect r = rect();
    p.fillRect(r.left(), r.top(), r.width(), line, frame);
    p.fillRect(r.left(), r.bottom() + 1 - line, r.width(), line, frame);
    p.fillRect(r.left(), r.top(), line, r.height(), frame);
    p.fillRect(r.right() + 1 - line, r.top(), line, r.height(), frame);
    p.fillRect(r.left(), caption_->height() - line, r.width(), line, frame);
}

bool CommPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove && (watched == caption_ || watched == table_)) startSlide();
    return QWidget::eventFilter(watched, event);
}

void CommPanel::mouseMoveEvent(QMouseEvent* event) {
    startSlide();
    event->accept();
}

}  // namespace orlan
