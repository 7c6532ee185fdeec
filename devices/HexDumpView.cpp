#include "HexDumpView.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>

#include "HexDump.h"

namespace orlan {

namespace {

constexpr int kCatchUpMs = 16;
constexpr int kMargin = 4;  // left of the text, as a text field leaves it

}  // namespace

HexDumpView::HexDumpView(const HexDump& dump, QWidget* parent)
    : QAbstractScrollArea(parent), dump_(dump) {
    setFocusPolicy(Qt::StrongFocus);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setCursor(Qt::IBeamCursor);

    catchUp_ = new QTimer(this);
    catchUp_->setSingleShot(true);
    catchUp_->setInterval(kCatchUpMs);
    connect(catchUp_, &QTimer::timeout, this, &HexDumpView::refresh);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (!adjusting_) followsEnd_ = value == verticalScrollBar()->maximum();
    });
}

void HexDumpView::dumpChanged() {
    if (isVisible() && !catchUp_->isActive()) catchUp_->start();
}

void HexDumpView::refresh() {
    catchUp_->stop();
    const qsizetype before = lines_;
    lines_ = dump_.lineCount();
    if (lines_ < before) {
        // A clear: the lines that went cannot stay selected, and the view follows the new ones.
        if (current_ >= lines_ || anchor_ >= lines_) anchor_ = current_ = -1;
        followsEnd_ = true;
    }
    updateScrollBars();
    viewport()->update();
}

QString HexDumpView::text() const {
    return dump_.linesText(0, lines_);
}

int HexDumpView::firstVisibleLine() const {
    return verticalScrollBar()->value();
}

int HexDumpView::visibleLineCount() const {
    return std::max(1, viewport()->height() / lineHeight());
}

qsizetype HexDumpView::selectionFirst() const {
    return current_ < 0 ? -1 : std::min(anchor_, current_);
}

qsizetype HexDumpView::selectionLast() const {
    return current_ < 0 ? -1 : std::max(anchor_, current_);
}

void HexDumpView::selectLines(qsizetype anchor, qsizetype current) {
    if (lines_ == 0) {
        anchor_ = current_ = -1;
    } else {
        anchor_ = std::clamp<qsizetype>(anchor, 0, lines_ - 1);
        current_ = std::clamp<qsizetype>(current, 0, lines_ - 1);
    }
    viewport()->update();
}

void HexDumpView::selectAll() {
    selectLines(0, lines_ - 1);
}

QString HexDumpView::selectedText() const {
    if (current_ < 0) return {};
    return dump_.linesText(selectionFirst(), selectionLast() + 1);
}

void HexDumpView::copy() const {
    if (current_ >= 0) QApplication::clipboard()->setText(selectedText());
}

int HexDumpView::lineHeight() const {
    return std::max(1, fontMetrics().lineSpacing());
}

qsizetype HexDumpView::lineAt(int y) const {
    const qsizetype line = firstVisibleLine() + (y < 0 ? -1 : y / lineHeight());
    return std::clamp<qsizetype>(line, 0, std::max<qsizetype>(lines_ - 1, 0));
}

void HexDumpView::updateScrollBars() {
    const QScopedValueRollback<bool> quiet(adjusting_, true);
    const int page = visibleLineCount();
    // A scroll bar counts in int; a dump of 32 GiB would be needed to overflow it.
    const int lines = static_cast<int>(std::min<qsizetype>(lines_, INT_MAX));
    QScrollBar* v = verticalScrollBar();
    v->setRange(0, std::max(0, lines - page));
    v->setPageStep(page);
    v->setSingleStep(1);
    if (followsEnd_) v->setValue(v->maximum());

    const int width =
        2 * kMargin + fontMetrics().horizontalAdvance(QLatin1Char('0')) * dump_.widestLine();
    QScrollBar* h = horizontalScrollBar();
    h->setRange(0, std::max(0, width - viewport()->width()));
    h->setPageStep(viewport()->width());
    h->setSingleStep(fontMetrics().horizontalAdvance(QLatin1Char('0')));
}

void HexDumpView::ensureVisible(qsizetype line) {
    QScrollBar* v = verticalScrollBar();
    if (line < v->value())
        v->setValue(static_cast<int>(line));
    else if (line >= v->value() + visibleLineCount())
        v->setValue(static_cast<int>(line - visibleLineCount() + 1));
}

void HexDumpView::moveCurrent(qsizetype to, bool extend) {
    if (lines_ == 0) return;
    to = std::clamp<qsizetype>(to, 0, lines_ - 1);
    selectLines(extend && current_ >= 0 ? anchor_ : to, to);
    ensureVisible(to);
}

bool HexDumpView::event(QEvent* event) {
    // Copy and select all belong to the view while it has the focus, whatever else uses the keys.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::SelectAll)) {
            event->accept();
            return true;
        }
    }
    // A new font (the window's zoom) changes the lines' height and width.
    if (event->type() == QEvent::FontChange) {
        updateScrollBars();
        viewport()->update();
    }
    return QAbstractScrollArea::event(event);
}

void HexDumpView::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    p.setFont(font());
    const int height = lineHeight();
    const int ascent = fontMetrics().ascent();
    const int x = kMargin - horizontalScrollBar()->value();
    const qsizetype first = firstVisibleLine();
    const qsizetype selFirst = selectionFirst();
    const qsizetype selLast = selectionLast();
    const QPalette::ColorGroup group = hasFocus() ? QPalette::Active : QPalette::Inactive;
    for (int row = 0; row * height < viewport()->height(); ++row) {
        const qsizetype line = first + row;
        if (line >= lines_) break;
        const int y = row * height;
        const bool selected = line >= selFirst && line <= selLast && selFirst >= 0;
        if (selected)
            p.fillRect(0, y, viewport()->width(), height,
                       palette().brush(group, QPalette::Highlight));
        p.setPen(palette().color(group, selected ? QPalette::HighlightedText : QPalette::Text));
        p.drawText(x, y + ascent, dump_.lineText(line));
    }
}

void HexDumpView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void HexDumpView::showEvent(QShowEvent* event) {
    QAbstractScrollArea::showEvent(event);
    refresh();  // bytes that arrived while the view was hidden
}

void HexDumpView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || lines_ == 0)
        return QAbstractScrollArea::mousePressEvent(event);
    const qsizetype line = lineAt(event->position().toPoint().y());
    moveCurrent(line, event->modifiers().testFlag(Qt::ShiftModifier));
}

void HexDumpView::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton) || current_ < 0)
        return QAbstractScrollArea::mouseMoveEvent(event);
    // Dragging past an edge scrolls a line at a time.
    moveCurrent(lineAt(event->position().toPoint().y()), true);
}

void HexDumpView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) return copy();
    if (event->matches(QKeySequence::SelectAll)) return selectAll();
    const bool extend = event->modifiers().testFlag(Qt::ShiftModifier);
    const qsizetype from = current_ >= 0 ? current_ : firstVisibleLine();
    const int page = visibleLineCount();
    switch (event->key()) {
        case Qt::Key_Up:
            return moveCurrent(from - 1, extend);
        case Qt::Key_Down:
            return moveCurrent(current_ >= 0 ? from + 1 : from, extend);
        case Qt::Key_PageUp:
            return moveCurrent(from - page, extend);
        case Qt::Key_PageDown:
            return moveCurrent(from + page, extend);
        case Qt::Key_Home:
            return moveCurrent(0, extend);
        case Qt::Key_End:
            return moveCurrent(lines_ - 1, extend);
        default:
            QAbstractScrollArea::keyPressEvent(event);
    }
}

void HexDumpView::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* copyItem = menu.addAction(tr("Копировать"), this, &HexDumpView::copy);
    copyItem->setShortcut(QKeySequence::Copy);
    copyItem->setEnabled(current_ >= 0);
    QAction* allItem = menu.addAction(tr("Выделить всё"), this, &HexDumpView::selectAll);
    allItem->setShortcut(QKeySequence::SelectAll);
    allItem->setEnabled(lines_ > 0);
    menu.exec(event->globalPos());
}

void HexDumpView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();  // the selection takes the active colours
}

void HexDumpView::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

}  // namespace orlan
