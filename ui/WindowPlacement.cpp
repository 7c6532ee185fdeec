#include "WindowPlacement.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace orlan {

namespace {

constexpr int kGap = 8;           // between the anchor and a window beside it
constexpr int kCascadeStep = 28;  // roughly a title bar

QPoint clampedOnto(QPoint at, const QSize& size, const QRect& screen) {
    // Right and bottom edges first, so that a window larger than the screen keeps its title bar
    // and its top-left corner in view.
    at.setX(std::max(screen.left(), std::min(at.x(), screen.right() + 1 - size.width())));
    at.setY(std::max(screen.top(), std::min(at.y(), screen.bottom() + 1 - size.height())));
    return at;
}

}  // namespace

QPoint besideWindow(const QRect& anchor, const QSize& size, const QRect& screen, int cascade) {
    const int step = cascade * kCascadeStep;
    const int top = anchor.top() + step;
    if (anchor.right() + kGap + size.width() <= screen.right() + 1)
        return clampedOnto({anchor.right() + 1 + kGap, top}, size, screen);
    const QPoint left(anchor.left() - kGap - size.width(), top);
    if (left.x() >= screen.left()) return clampedOnto(left, size, screen);
    // Room on neither side: the roomier one, pushed back onto the screen, so that the window
    // covers the main window's edge rather than its middle.
    const int roomRight = screen.right() - anchor.right();
    const int roomLeft = anchor.left() - screen.left();
    return clampedOnto(roomRight >= roomLeft ? QPoint(anchor.right() + 1 + kGap, top) : left, size,
                       screen);
}

void placeBeside(QWidget* window, const QWidget* anchor, int cascade) {
    const QScreen* screen = anchor->screen();
    if (!screen) return;
    QSize size = window->frameGeometry().size();
    if (!window->testAttribute(Qt::WA_WState_Created) || !window->isVisible()) {
        // Not yet decorated: borrow the anchor's frame, unless the window has none.
        const QSize frame = anchor->frameGeometry().size() - anchor->geometry().size();
        if (!(window->windowFlags() & Qt::FramelessWindowHint)) size = window->size() + frame;
    }
    window->move(besideWindow(anchor->frameGeometry(), size, screen->availableGeometry(), cascade));
}

void keepOnScreen(QWidget* window) {
    const QScreen* screen = window->screen();
    if (!screen || !window->isVisible()) return;
    const QRect frame = window->frameGeometry();
    const QPoint at = clampedOnto(frame.topLeft(), frame.size(), screen->availableGeometry());
    if (at != frame.topLeft()) window->move(at);
}

QWidget* messageParent(QWidget* reporter) {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    if (!reporter) return QApplication::activeWindow();
    if (reporter->isVisible()) return reporter->window();
    QWidget* owner = reporter->window()->parentWidget();
    return owner ? owner->window() : QApplication::activeWindow();
}

}  // namespace orlan
