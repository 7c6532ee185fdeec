// A machine with a scripted host and a recording port map, for driving the engine in tests.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "Commands.h"
#include "Machine.h"

namespace orlan::test {

struct ScriptedHost : Host {
    std::vector<MessageBox> shown;
    bool answerYes = false;
    std::vector<bool> editing;  // every change of the editing controls, in order
    std::vector<bool> runMode;
    std::vector<bool> haltItem;
    int pendingInputCalls = 0;
    std::function<void()> onPendingInput;

    bool showMessage(const MessageBox& box) override {
        shown.push_back(box);
        return answerYes;
    }
    void setEditingEnabled(bool enabled) override { editing.push_back(enabled); }
    void setRunMode(bool running) override { runMode.push_back(running); }
    void setHaltItemEnabled(bool enabled) override { haltItem.push_back(enabled); }
    void processPendingInput() override {
        ++pendingInputCalls;
        if (onPendingInput) onPendingInput();
    }
};

struct RecordingPorts : PortMap {
    std::vector<std::pair<Device, uint8_t>> calls;
    void output(Device device, uint8_t value) override { calls.emplace_back(device, value); }
};

struct Rig {
    Machine m;
    ScriptedHost host;
    RecordingPorts ports;
    CCommands cpu{m, host, ports};

    // Bytes from address on.
    void poke(uint16_t address, std::initializer_list<uint8_t> bytes) {
        for (uint8_t b : bytes) m.s.memory[address++] = b;
    }
    void tacts(int n) {
        for (int i = 0; i < n; ++i) cpu.executeTact();
    }
    // Tacts until the instruction ends; returns how many were needed (0 if it never ends).
    int instruction(int limit = 40) {
        for (int n = 1; n <= limit; ++n) {
            cpu.executeTact();
            if (!cpu.instructionInProgress()) return n;
        }
        return 0;
    }
    std::string text(Element e) const { return m.text(e); }
    bool red(Element e) const { return m.isRed(e); }
};

}  // namespace orlan::test
