// Where a tool window opens: beside the window it belongs to and wholly on the screen, never over
// the main window's scheme when there is room elsewhere. And which window a message box belongs
// over when the window that reports is hidden.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace orlan {

// Frame top-left for a window of frame size `size`: right of `anchor` if it fits on `screen`,
// otherwise left of it, otherwise on the roomier side pushed back onto the screen (over the
// anchor's edge). The `cascade`-th window placed so is stepped down by that many title bars, so
// several do not hide each other. The result lies on `screen` (top-left wins when the window is
// larger).
QPoint besideWindow(const QRect& anchor, const QSize& size, const QRect& screen, int cascade);

// Moves `window` (a top-level window, shown or not) beside `anchor`'s frame on the anchor's
// screen. The frame of a window never shown yet is taken to be as thick as the anchor's.
void placeBeside(QWidget* window, const QWidget* anchor, int cascade);

// Moves a shown window that now overhangs its screen's right or bottom edge (it grew) back onto
// the screen; one larger than the screen keeps its top-left corner in view.
void keepOnScreen(QWidget* window);

// The window a message about `reporter` belongs over: an open modal dialog first (its user is
// looking at it), then the reporter's window if it is shown, else the window that owns it.
QWidget* messageParent(QWidget* reporter);

}  // namespace orlan
