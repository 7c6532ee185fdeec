#include "GuiHost.h"

#include <QCoreApplication>

#include "Mainform.h"

namespace orlan {

bool GuiHost::showMessage(const MessageBox& box) {
    // The box should find the scheme as the tact left it.
    frm_.refreshView();
    return frm_.messages().show(box, &frm_);
}

void GuiHost::setEditingEnabled(bool enabled) { frm_.setEditingEnabled(enabled); }

void GuiHost::setRunMode(bool running) {
    frm_.setRunMode(running);
    lastEvents_ = lastPaint_ = Clock::now();
    instructions_ = 0;
}

void GuiHost::setHaltItemEnabled(bool enabled) { frm_.setHaltItemEnabled(enabled); }

void GuiHost::processPendingInput() {
    // Reading the clock after every instruction would cost as much as the instruction itself.
    if ((++instructions_ & 0xFF) != 0) return;
    const Clock::time_point now = Clock::now();
    if (now - lastEvents_ < kEventInterval) return;
    lastEvents_ = now;
    if (now - lastPaint_ >= kRepaintInterval) {
        lastPaint_ = lastEvents_;
        ++repaints_;
        frm_.refreshView();
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

}  // namespace orlan
