// The "Масштаб" submenu of "Вид": the zoom steps as exclusive items, then one step larger, one
// smaller and back to 100 %. A choice goes to the program's Zoom, which every window follows, and
// is remembered in ORLAN.ini ([View] Zoom); the program's entry restores it at start.
#pragma once

#include <QObject>

#include "Settings.h"

class QAction;
class QActionGroup;
class QMenu;

namespace orlan {

class ZoomMenu : public QObject {
    Q_OBJECT
  public:
    explicit ZoomMenu(Settings settings, QObject* parent = nullptr);

    // Adds the submenu "Масштаб" (Zoom_Menu) to `menu`: items Zoom_100 .. Zoom_300, ZoomIn_Item,
    // ZoomOut_Item, ZoomReset_Item.
    void addMenu(QMenu* menu);
    // Zooms and remembers the choice (the items call it); false for a percentage not offered.
    bool choose(int percent);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void retranslate();
    void showPercent();  // the checked item and the ends of the steps

    Settings settings_;
    QMenu* menu_ = nullptr;
    QActionGroup* group_ = nullptr;
    QAction* in_ = nullptr;
    QAction* out_ = nullptr;
    QAction* reset_ = nullptr;
};

}  // namespace orlan
