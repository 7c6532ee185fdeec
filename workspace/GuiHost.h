// The engine's Host inside the window: message boxes through the message service, the editing
// controls and the run button of the main window, and, during a run, the window's pending input.
// Pending input costs a clock read only every few hundred instructions; the window is given its
// events about every 2 ms and repaints its scheme about 60 times a second.
#pragma once

#include <chrono>

#include "Host.h"

namespace orlan {

class TMainFrm;

class GuiHost : public Host {
public:
    explicit GuiHost(TMainFrm& frm) : frm_(frm) {}

    bool showMessage(const MessageBox& box) override;
    void setEditingEnabled(bool enabled) override;
    void setRunMode(bool running) override;
    void setHaltItemEnabled(bool enabled) override;
    void processPendingInput() override;

    // Repaints while running, per second (for the benchmark).
    uint64_t repaints() const { return repaints_; }

private:
    using Clock = std::chrono::steady_clock;
    TMainFrm& frm_;
    uint32_t instructions_ = 0;
    Clock::time_point lastEvents_{};
    Clock::time_point lastPaint_{};
    uint64_t repaints_ = 0;
};

// Events every 2 ms, repaints every 16 ms while a program runs.
inline constexpr std::chrono::microseconds kEventInterval{2000};
inline constexpr std::chrono::microseconds kRepaintInterval{16000};

}  // namespace orlan
