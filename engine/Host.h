// The two small interfaces through which the engine reaches the outside: Host (message boxes,
// the halt question, enabling the editing controls, letting the window breathe during a run)
// and PortMap (OUT hands a byte to a device). The window implements both; the command-line
// runner and the tests implement them without windows.
#pragma once

#include <cstdint>
#include <string>

#include "Messages.h"

namespace orlan {

class Host {
public:
    virtual ~Host() = default;
    // Shows a message box; returns true for "Да" (Yes) where the box asks a question.
    virtual bool showMessage(const MessageBox& box) = 0;
    // The editing controls: memory view and editor, register editor, both reset buttons, the
    // menu "Файл" and the two memory/register clearing items. Called only on a change.
    virtual void setEditingEnabled(bool enabled) = 0;
    // A run started (true) or ended (false): the run button's hint, its pressed look, the menu
    // caption; at the end also the menus "Файл" and "МП-система".
    virtual void setRunMode(bool running) = 0;
    // The menu item "Снять флаг HLDA".
    virtual void setHaltItemEnabled(bool enabled) = 0;
    // Between two instructions of a run: handle pending input (may re-enter the engine with a
    // stop, a tact or an instruction).
    virtual void processPendingInput() = 0;
};

// The five output devices OUT can reach. Ports 05h..FFh reach none.
enum class Device : uint8_t { Monitor = 0, Floppy = 1, HardDisk = 2, Network = 3, Printer = 4 };
inline constexpr int kDeviceCount = 5;

class PortMap {
public:
    virtual ~PortMap() = default;
    virtual void output(Device device, uint8_t value) = 0;
};

}  // namespace orlan
