#include "MemoryView.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QEvent>
#include <QHeaderView>
#include <QContextMenuEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <algorithm>
#include <utility>

#include "MemoryModel.h"
#include "Zoom.h"

namespace orlan {
namespace {

const QString kMimeOpcode = QStringLiteral("application/x-orlan-opcode");

// Plain cell drawing: the model's colours when it gives some (they win over the selection),
// otherwise the palette's, with the text 2 px right of and 1 px below the cell's corner.
class CellDelegate : public QStyledItemDelegate {
public:
    explicit CellDelegate(MemoryView* view) : QStyledItemDelegate(view), view_(view) {}

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QVariant back = index.data(Qt::BackgroundRole);
        const QVariant fore = index.data(Qt::ForegroundRole);
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette::ColorGroup group =
            option.state & QStyle::State_Enabled ? QPalette::Active : QPalette::Disabled;

        QBrush background = option.palette.brush(group, QPalette::Base);
        QColor text = option.palette.color(group, QPalette::Text);
        if (back.canConvert<QBrush>() && !back.isNull()) {
            background = back.value<QBrush>();
            text = fore.value<QBrush>().color();
        } else if (selected) {
            background = option.palette.brush(group, QPalette::Highlight);
            text = option.palette.color(group, QPalette::HighlightedText);
        }
        p->save();
        p->fillRect(option.rect, background);
        p->setClipRect(option.rect);
        const QString shown = index.data(Qt::DisplayRole).toString();
        QFont font = option.font;
        // The longest mnemonics ("LXI SP, d16") are drawn a little smaller rather than cut off.
        const int room = option.rect.width() - 3;
        const int wide = QFontMetrics(font).horizontalAdvance(shown);
        if (wide > room) {
            if (font.pixelSize() > 0)
                font.setPixelSize(std::max(7, font.pixelSize() * room / wide));
            else
                font.setPointSizeF(std::max(5.0, font.pointSizeF() * room / wide));
        }
        p->setFont(font);
        p->setPen(text);
        const QFontMetrics fm(font);
        p->drawText(option.rect.left() + 2, option.rect.top() + 1 + fm.ascent(), shown);
        // The breakpoint marker: a red dot with a white rim, so that it shows on the stack, SP,
        // halt and selection colours alike.
        if (index.column() == MemoryModel::AddressColumn && index.data(MemoryModel::BreakpointRole).toBool()) {
            const int marker = view_->markerWidth();
            const int d = std::min(option.rect.height() - 2, marker - 4);
            const QRect dot(option.rect.right() - marker / 2 - d / 2,
                            option.rect.top() + (option.rect.height() - d) / 2, d, d);
            p->setRenderHint(QPainter::Antialiasing);
            p->setPen(QPen(Qt::white, 1));
            p->setBrush(QColor(220, 0, 0));
            p->drawEllipse(dot);
        }
        p->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return view_->cellSize();
    }

private:
    const MemoryView* view_;
};

int addressUnder(const QTableView* view, const QPoint& pos) { return view->rowAt(pos.y()); }

}  // namespace

MemoryView::MemoryView(QWidget* parent) : QTableView(parent) {
    setObjectName(QStringLiteral("MemGrid"));
    font_ = QFont(QStringLiteral("DejaVu Sans Condensed"));
    font_.setPixelSize(10);
    setFont(font_);

    setItemDelegate(new CellDelegate(this));
    setSelectionBehavior(SelectRows);
    setSelectionMode(SingleSelection);
    setEditTriggers(NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollMode(ScrollPerItem);
    setWordWrap(false);
    setTabKeyNavigation(false);

    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(kRowHeight);
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setMinimumSectionSize(kColumnWidth);
    horizontalHeader()->setDefaultSectionSize(kColumnWidth);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setFixedHeight(kRowHeight + 4);

    setAcceptDrops(true);
    setDropIndicatorShown(false);
    setDragDropMode(DropOnly);
    keepColoursWhenDisabled();
}

void MemoryView::keepColoursWhenDisabled() {
    QPalette p = palette();
    bool same = true;
    for (int role = 0; role < QPalette::NColorRoles; ++role) {
        const auto r = static_cast<QPalette::ColorRole>(role);
        if (p.brush(QPalette::Disabled, r) != p.brush(QPalette::Active, r)) {
            p.setBrush(QPalette::Disabled, r, p.brush(QPalette::Active, r));
            same = false;
        }
    }
    if (!same) setPalette(p);  // reaches the header and the scroll bar too
}

void MemoryView::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    // A new desktop palette would bring the grey back.
    if (event->type() == QEvent::PaletteChange) keepColoursWhenDisabled();
    if (event->type() == QEvent::LanguageChange)
        if (auto* memory = qobject_cast<MemoryModel*>(model())) memory->retranslate();
}

void MemoryView::keyboardSearch(const QString&) {
    // Jumping to the row whose address starts with the typed text would move PC behind the
    // user's back.
}

void MemoryView::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (plain && text.size() == 1 && QStringLiteral("0123456789ABCDEFabcdef").contains(text.at(0))) {
        emit hexDigitTyped(text.at(0));
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

int MemoryView::rowUnderPointer() const {
    const QPoint pos = viewport()->mapFromGlobal(QCursor::pos());
    if (!viewport()->rect().contains(pos)) return -1;
    return rowAt(pos.y());
}

void MemoryView::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    const int row = rowAt(pos.y());
    const int markerLeft = columnViewportPosition(0) + columnWidth(0) - markerWidth_;
    if (event->button() == Qt::LeftButton && row >= 0 && columnAt(pos.x()) == 0 && pos.x() >= markerLeft) {
        emit breakpointToggleRequested(static_cast<uint16_t>(row));
        event->accept();
        return;
    }
    // The right button opens the context menu of the row under it without choosing the row:
    // choosing moves PC.
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

void MemoryView::contextMenuEvent(QContextMenuEvent* event) {
    const int row = event->reason() == QContextMenuEvent::Mouse ? rowAt(event->pos().y()) : selectedAddress();
    if (row < 0) return;
    const auto address = static_cast<uint16_t>(row);
    QMenu menu(this);
    QAction* toggle = menu.addAction(tr("Точка останова"));
    toggle->setObjectName(QStringLiteral("ToggleBreak_Popup"));
    toggle->setCheckable(true);
    toggle->setChecked(model()->index(row, 0).data(MemoryModel::BreakpointRole).toBool());
    QAction* runTo = menu.addAction(tr("Выполнить до курсора"));
    runTo->setObjectName(QStringLiteral("RunToCursor_Popup"));
    QAction* chosen = menu.exec(event->globalPos());
    if (chosen == toggle) emit breakpointToggleRequested(address);
    if (chosen == runTo) emit runToRequested(address);
}

void MemoryView::setModel(QAbstractItemModel* model) {
    QTableView::setModel(model);
    // The header resets its sections with every model; keep the fixed geometry.
    verticalHeader()->setDefaultSectionSize(rowHeight_);
    horizontalHeader()->setDefaultSectionSize(columnWidth_);
}

void MemoryView::setZoom(qreal factor) {
    const int first = firstVisibleAddress();
    rowHeight_ = zoomed(kRowHeight, factor);
    columnWidth_ = zoomed(kColumnWidth, factor);
    markerWidth_ = zoomed(kMarkerWidth, factor);
    setFont(zoomed(font_, factor));
    // Sections below a new minimum are resized one by one (65 536 rows: seconds), so the sizes
    // change before a larger minimum and after a smaller one.
    for (auto [header, length] : {std::pair(verticalHeader(), rowHeight_),
                                  std::pair(horizontalHeader(), columnWidth_)}) {
        if (length > header->minimumSectionSize()) {
            header->setDefaultSectionSize(length);
            header->setMinimumSectionSize(length);
        } else {
            header->setMinimumSectionSize(length);
            header->setDefaultSectionSize(length);
        }
    }
    horizontalHeader()->setFixedHeight(zoomed(kRowHeight + 4, factor));
    scrollToFirstVisible(first);
}

void MemoryView::selectAddress(uint16_t a) {
    if (!model() || !selectionModel()) return;
    const QModelIndex target = model()->index(a, 0);
    const bool wasQuiet = quiet_;
    const bool autoScroll = hasAutoScroll();
    quiet_ = true;
    setAutoScroll(false);  // the current-index change would otherwise scroll the row into view
    selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    setAutoScroll(autoScroll);
    quiet_ = wasQuiet;
}

void MemoryView::revealAddress(uint16_t a) {
    if (model()) scrollTo(model()->index(a, 0), EnsureVisible);
}

int MemoryView::selectedAddress() const {
    const QModelIndex current = selectionModel() ? selectionModel()->currentIndex() : QModelIndex();
    return current.isValid() ? current.row() : -1;
}

int MemoryView::firstVisibleAddress() const { return verticalScrollBar()->value(); }

void MemoryView::scrollToFirstVisible(int address) {
    // The scroll range is laid out lazily; bring it up to date before clamping against it.
    executeDelayedItemsLayout();
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(std::clamp(address, bar->minimum(), bar->maximum()));
}

void MemoryView::followPc(int highestPcSet) {
    if (highestPcSet < 0) return;
    if (highestPcSet - firstVisibleAddress() > kPcLead) scrollToFirstVisible(highestPcSet - kPcLead);
}

void MemoryView::showStackArea(uint16_t sp) { scrollToFirstVisible(std::max(0, sp - kStackLead)); }

void MemoryView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (quiet_ || !current.isValid() || current.row() == previous.row()) return;
    emit rowChosen(static_cast<uint16_t>(current.row()));
}

void MemoryView::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasFormat(kMimeOpcode)) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void MemoryView::dragMoveEvent(QDragMoveEvent* event) {
    if (!event->mimeData()->hasFormat(kMimeOpcode)) {
        event->ignore();
        return;
    }
    const int row = addressUnder(this, event->position().toPoint());
    if (row < 0) {
        event->ignore();
        return;
    }
    // The row under the pointer becomes PC, as if the user had clicked it.
    if (row != selectedAddress()) {
        selectAddress(static_cast<uint16_t>(row));
        emit rowChosen(static_cast<uint16_t>(row));
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();

    // Scroll while the pointer rests near the top or bottom edge.
    const int y = event->position().toPoint().y();
    if (y < autoScrollMargin() || y > viewport()->height() - autoScrollMargin()) startAutoScroll();
}

void MemoryView::dragLeaveEvent(QDragLeaveEvent* event) {
    stopAutoScroll();
    event->accept();
}

void MemoryView::dropEvent(QDropEvent* event) {
    stopAutoScroll();
    const QByteArray bytes = event->mimeData()->data(kMimeOpcode);
    const int row = addressUnder(this, event->position().toPoint());
    if (bytes.size() != 1 || row < 0) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    emit opcodeDropped(static_cast<uint16_t>(row), static_cast<uint8_t>(bytes[0]));
}

}  // namespace orlan
