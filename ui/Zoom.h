// The zoom of the program's windows, for projectors and dense laptop screens: one factor for
// every window, chosen in "Вид → Масштаб" and kept in the settings file ([View] Zoom=100, 125,
// 150, 200 or 300). It works on top of Qt's own high-DPI scaling: all lengths here are in
// device-independent pixels.
//
// Windows laid out to the pixel grow through ZoomedWidgets, which remembers each child's place,
// size limits and font at 100 % once and sets them multiplied. Widgets that paint themselves
// (the scheme, the instruction table, the monitor's screen) take the factor and draw at it with
// vector drawing; ZoomedWidgets only moves them.
#pragma once

#include <QFont>
#include <QIcon>
#include <QMargins>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <array>
#include <functional>
#include <vector>

class QLayout;
class QScrollBar;
class QStyle;
class QWidget;

namespace orlan {

class Settings;

class Zoom : public QObject {
    Q_OBJECT
  public:
    static constexpr std::array<int, 5> kSteps = {100, 125, 150, 200, 300};
    static constexpr int kDefault = 100;

    // The program's one zoom, at 100 % until set.
    static Zoom& instance();

    int percent() const { return percent_; }
    qreal factor() const { return percent_ / 100.0; }
    // A percentage that is not one of kSteps is refused (false) and changes nothing.
    bool setPercent(int percent);
    // One step up or down the list; at either end nothing changes.
    void zoomIn();
    void zoomOut();

  signals:
    void changed(qreal factor);

  private:
    int percent_ = kDefault;
};

// An icon that grows with its button. Qt never draws a bitmap icon larger than its largest
// picture, which at 300 % leaves a small picture in a large button; this one scales that picture
// up smoothly for larger sizes (and leaves smaller ones to the icon itself).
QIcon growingIcon(const QIcon& icon);

// One of Zoom::kSteps, or kDefault for anything else.
int validZoom(int percent);
// [View] Zoom= of the settings file; missing or not one of the steps: 100.
int savedZoom(const Settings& settings);
bool saveZoom(const Settings& settings, int percent);

// Lengths at a zoom, in whole pixels. A rectangle's edges are rounded (not its size), so that
// widgets that touch at 100 % still touch.
int zoomed(int length, qreal factor);
QRect zoomed(const QRect& rect, qreal factor);
QFont zoomed(QFont font, qreal factor);

// Marks a widget that follows the zoom by itself (its own size, font and children):
// ZoomedWidgets then only moves it.
void setZoomsItself(QWidget* widget);

// Remembers a window's tree as it is now (built at 100 %) and sets it at any zoom:
// - children placed by hand (their parent has no layout): geometry;
// - explicit minimum, maximum and fixed sizes, button icon sizes, layouts' margins and spacing;
// - fonts set on a widget (the others inherit them), the root's included, and the fonts of a
//   menu bar's menus (windows of their own, they would not inherit);
// - the scroll bars of scroll areas, through a style that widens them.
// It does not look inside widgets that place their own parts (scroll areas, line edits, combo
// and spin boxes) nor into other windows. A window that may be resized keeps the size the user
// gave it, grown or shrunk by the change of zoom; one of fixed size is left to its owner.
class ZoomedWidgets {
  public:
    explicit ZoomedWidgets(QWidget* root);
    void apply(qreal factor);
    qreal factor() const { return factor_; }

  private:
    struct WidgetAt100 {
        QPointer<QWidget> widget;
        bool placed = false;
        bool movedOnly = false;  // zooms itself
        bool fontOnly = false;   // a menu
        QRect geometry;
        bool hasFont = false;
        QFont font;
        QSize minimum, maximum;  // 0 / QWIDGETSIZE_MAX where not set
        QSize iconSize;          // buttons only
    };
    struct LayoutAt100 {
        QPointer<QLayout> layout;
        QMargins margins;
        int horizontal = -1, vertical = -1;  // spacing
    };
    void record(QWidget* widget, bool isRoot);
    void recordLayout(QLayout* layout);

    QPointer<QWidget> root_;
    std::vector<WidgetAt100> widgets_;
    std::vector<LayoutAt100> layouts_;
    std::vector<QPointer<QScrollBar>> scrollBars_;
    QPointer<QStyle> scrollStyle_;  // theirs at the zoom, owned by the root
    qreal factor_ = 1.0;
};

// Records `window` now and keeps it at the program's zoom from then on, starting at once.
// `after` runs after every change (and at once), for what the window sizes by itself.
void followZoom(QWidget* window, const std::function<void(qreal)>& after = {});

}  // namespace orlan
