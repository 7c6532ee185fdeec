#include "Zoom.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QGridLayout>
#include <QIconEngine>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QProxyStyle>
#include <QScrollBar>
#include <QWidget>
#include <algorithm>
#include <utility>

#include "WindowPlacement.h"
#include "Settings.h"

namespace orlan {

namespace {

class GrowingIconEngine : public QIconEngine {
  public:
    explicit GrowingIconEngine(QIcon icon) : icon_(std::move(icon)) {}

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap picture = icon_.pixmap(size, mode, state);
        if (picture.isNull() || (picture.width() >= size.width() && picture.height() >= size.height()))
            return picture;
        return picture.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        QPixmap picture = pixmap(rect.size() * ratio, mode, state);
        picture.setDevicePixelRatio(ratio);
        const QSize shown = picture.deviceIndependentSize().toSize();
        const QPoint at = rect.topLeft() + QPoint((rect.width() - shown.width()) / 2,
                                                  (rect.height() - shown.height()) / 2);
        painter->drawPixmap(at, picture);
    }
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }
    QIconEngine* clone() const override { return new GrowingIconEngine(icon_); }

  private:
    QIcon icon_;
};

}  // namespace

QIcon growingIcon(const QIcon& icon) { return QIcon(new GrowingIconEngine(icon)); }

namespace {

const QString kSection = QStringLiteral("View");
const QString kKey = QStringLiteral("Zoom");
const char* const kZoomsItself = "orlanZoomsItself";

bool isFixedSize(const QWidget* w) {
    return w->minimumSize() == w->maximumSize();
}

// Widgets whose parts are placed by the widget itself: their children are left alone.
bool placesOwnParts(const QWidget* w) {
    return qobject_cast<const QAbstractScrollArea*>(w) || qobject_cast<const QLineEdit*>(w) ||
           qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSpinBox*>(w);
}

int stepIndex(int percent) {
    const auto& steps = Zoom::kSteps;
    const auto at = std::find(steps.begin(), steps.end(), percent);
    return at == steps.end() ? -1 : static_cast<int>(at - steps.begin());
}

// The application's style with scroll bars as much wider as the zoom.
class ZoomedScrollStyle : public QProxyStyle {
  public:
    explicit ZoomedScrollStyle(qreal factor) : factor_(factor) {}
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        const int length = QProxyStyle::pixelMetric(metric, option, widget);
        if (metric == PM_ScrollBarExtent || metric == PM_ScrollBarSliderMin)
            return zoomed(length, factor_);
        return length;
    }

  private:
    qreal factor_;
};

// Keeps one window at the program's zoom; lives as long as the window.
class ZoomFollower : public QObject {
  public:
    ZoomFollower(QWidget* window, std::function<void(qreal)> after)
        : QObject(window), widgets_(window), after_(std::move(after)) {
        connect(&Zoom::instance(), &Zoom::changed, this, &ZoomFollower::follow);
        follow(Zoom::instance().factor());
    }

  private:
    void follow(qreal factor) {
        widgets_.apply(factor);
        if (after_) after_(factor);
        if (auto* window = qobject_cast<QWidget*>(parent())) keepOnScreen(window);
    }

    ZoomedWidgets widgets_;
    std::function<void(qreal)> after_;
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// The factor

Zoom& Zoom::instance() {
    static Zoom zoom;
    return zoom;
}

bool Zoom::setPercent(int percent) {
    if (stepIndex(percent) < 0) return false;
    if (percent != percent_) {
        percent_ = percent;
        emit changed(factor());
    }
    return true;
}

void Zoom::zoomIn() {
    const int i = stepIndex(percent_);
    if (i + 1 < static_cast<int>(kSteps.size())) setPercent(kSteps[static_cast<size_t>(i + 1)]);
}

void Zoom::zoomOut() {
    const int i = stepIndex(percent_);
    if (i > 0) setPercent(kSteps[static_cast<size_t>(i - 1)]);
}

int validZoom(int percent) {
    return stepIndex(percent) < 0 ? Zoom::kDefault : percent;
}

int savedZoom(const Settings& settings) {
    bool number = false;
    const int percent = settings.read(kSection, kKey).trimmed().toInt(&number);
    return number ? validZoom(percent) : Zoom::kDefault;
}

bool saveZoom(const Settings& settings, int percent) {
    return settings.write(kSection, kKey, QString::number(validZoom(percent)));
}

int zoomed(int length, qreal factor) {
    return qRound(length * factor);
}

QRect zoomed(const QRect& rect, qreal factor) {
    const int left = zoomed(rect.x(), factor);
    const int top = zoomed(rect.y(), factor);
    return {left, top, zoomed(rect.x() + rect.width(), factor) - left,
            zoomed(rect.y() + rect.height(), factor) - top};
}

QFont zoomed(QFont font, qreal factor) {
    if (font.pixelSize() > 0)
        font.setPixelSize(std::max(1, zoomed(font.pixelSize(), factor)));
    else if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * factor);
    return font;
}

void setZoomsItself(QWidget* widget) {
    widget->setProperty(kZoomsItself, true);
}

// ---------------------------------------------------------------------------------------------
// A window's tree at 100 %

ZoomedWidgets::ZoomedWidgets(QWidget* root) : root_(root) {
    record(root, true);
}

void ZoomedWidgets::record(QWidget* widget, bool isRoot) {
    WidgetAt100 at;
    at.widget = widget;
    at.movedOnly = widget->property(kZoomsItself).toBool();
    at.hasFont = widget->testAttribute(Qt::WA_SetFont);
    at.font = widget->font();
    if (!isRoot) {
        // The root is a window: its own place is the user's, its size follows its contents.
        at.placed = widget->parentWidget() && widget->parentWidget()->layout() == nullptr;
        at.geometry = widget->geometry();
        at.minimum = widget->minimumSize();
        at.maximum = widget->maximumSize();
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) at.iconSize = button->iconSize();
    }
    widgets_.push_back(at);
    if (at.movedOnly) return;
    // A main window's layout is Qt's own (menu bar, central widget): nothing of ours to grow.
    if (widget->layout() && !qobject_cast<QMainWindow*>(widget)) recordLayout(widget->layout());
    if (qobject_cast<QMenuBar*>(widget)) {
        for (QMenu* menu : widget->findChildren<QMenu*>()) {
            WidgetAt100 font;
            font.widget = menu;
            font.fontOnly = font.hasFont = true;
            font.font = menu->font();
            widgets_.push_back(font);
        }
    }
    if (auto* area = qobject_cast<QAbstractScrollArea*>(widget)) {
        scrollBars_.emplace_back(area->verticalScrollBar());
        scrollBars_.emplace_back(area->horizontalScrollBar());
    }
    if (placesOwnParts(widget)) return;
    for (QWidget* child : widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!child->isWindow()) record(child, false);
}

void ZoomedWidgets::recordLayout(QLayout* layout) {
    LayoutAt100 at;
    at.layout = layout;
    at.margins = layout->contentsMargins();
    if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
        at.horizontal = grid->horizontalSpacing();
        at.vertical = grid->verticalSpacing();
    } else {
        at.horizontal = layout->spacing();
    }
    layouts_.push_back(at);
    for (int i = 0; i < layout->count(); ++i)
        if (QLayout* inner = layout->itemAt(i)->layout()) recordLayout(inner);
}

void ZoomedWidgets::apply(qreal factor) {
    const qreal change = factor / factor_;
    factor_ = factor;
    auto length = [factor](int at100) { return at100 > 0 ? zoomed(at100, factor) : at100; };
    auto limit = [factor](int at100) {
        return at100 >= QWIDGETSIZE_MAX ? QWIDGETSIZE_MAX : zoomed(at100, factor);
    };

    for (const LayoutAt100& at : layouts_) {
        if (!at.layout) continue;
        const QMargins& m = at.margins;
        at.layout->setContentsMargins(length(m.left()), length(m.top()), length(m.right()),
                                      length(m.bottom()));
        if (auto* grid = qobject_cast<QGridLayout*>(at.layout.data())) {
            if (at.horizontal >= 0) grid->setHorizontalSpacing(length(at.horizontal));
            if (at.vertical >= 0) grid->setVerticalSpacing(length(at.vertical));
        } else if (at.horizontal >= 0) {
            at.layout->setSpacing(length(at.horizontal));
        }
    }

    for (const WidgetAt100& at : widgets_) {
        QWidget* w = at.widget;
        if (!w) continue;
        if (at.hasFont) w->setFont(zoomed(at.font, factor));
        if (w == root_ || at.fontOnly) continue;
        if (!at.movedOnly) {
            const QSize minimum(length(at.minimum.width()), length(at.minimum.height()));
            const QSize maximum(limit(at.maximum.width()), limit(at.maximum.height()));
            // In this order the minimum never exceeds the maximum on the way.
            w->setMinimumSize(0, 0);
            w->setMaximumSize(maximum);
            w->setMinimumSize(minimum);
            if (at.iconSize.isValid())
                static_cast<QAbstractButton*>(w)->setIconSize(QSize(
                    zoomed(at.iconSize.width(), factor), zoomed(at.iconSize.height(), factor)));
        }
        if (!at.placed) continue;
        QRect place = zoomed(at.geometry, factor);
        if (at.movedOnly)
            w->move(place.topLeft());
        else if (isFixedSize(w))
            w->setGeometry(QRect(place.topLeft(), w->minimumSize()));
        else
            w->setGeometry(place);
    }

    if (!scrollBars_.empty()) {
        QStyle* old = scrollStyle_;
        scrollStyle_ = qFuzzyCompare(factor, 1.0) ? nullptr : new ZoomedScrollStyle(factor);
        if (scrollStyle_) scrollStyle_->setParent(root_);
        for (const QPointer<QScrollBar>& bar : scrollBars_)
            if (bar) bar->setStyle(scrollStyle_);  // none: the application's again
        delete old;
    }

    if (root_ && root_->isWindow() && !isFixedSize(root_) && !qFuzzyCompare(change, 1.0))
        root_->resize((QSizeF(root_->size()) * change).toSize());
}

void followZoom(QWidget* window, const std::function<void(qreal)>& after) {
    new ZoomFollower(window, after);
}

}  // namespace orlan
