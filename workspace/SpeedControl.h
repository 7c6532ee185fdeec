// The run speed of the main window: the "Скорость" submenu (1, 2, 5, 10, 50 tacts a second,
// 1 000 instructions a second, full speed), remembered in ORLAN.ini as [View] Speed. Full speed is
// the engine's own run loop; the slower ones are paced here by a timer, one step per tick, so the
// window shows every tact and a stop is taken between two ticks rather than after a busy wait.
#pragma once

#include <QObject>
#include <QTimer>

#include "Settings.h"

class QActionGroup;
class QMenu;

namespace orlan {

class CCommands;

class SpeedControl : public QObject {
    Q_OBJECT
public:
    struct Step {
        const char* key;      // the value in ORLAN.ini
        const char* caption;  // the menu item (marked for translation)
        int perSecond;        // 0: full speed
        bool instructions;    // whole instructions rather than tacts
    };
    static const Step kSteps[7];
    static constexpr int kFullSpeed = 6;

    SpeedControl(CCommands& cpu, Settings settings, QObject* parent = nullptr);

    // Adds the submenu "Скорость" to `menu`; its items are named Speed_<key>.
    void addMenu(QMenu* menu);
    int speed() const { return speed_; }
    // Chooses and remembers the speed (the menu items call it).
    void setSpeed(int index);
    bool paced() const { return speed_ != kFullSpeed; }
    // Begins a paced run at the chosen speed; `stepped` after every tick, `finished` at its end.
    void startRun();
    // The run was stopped from outside: no more ticks.
    void cancel();
    bool pacing() const { return timer_.isActive() || ticking_; }

signals:
    void stepped();
    void finished();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void tick();
    void retranslate();

    CCommands& cpu_;
    Settings settings_;
    int speed_ = kFullSpeed;
    QTimer timer_;
    QMenu* menu_ = nullptr;
    QActionGroup* group_ = nullptr;
    bool ticking_ = false;
};

}  // namespace orlan
