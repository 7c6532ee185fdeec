// Prints the cost of the tact history: run-loop speed with recording off and on, one step back
// with a full history, and the memory a full history takes. Figures to read, nothing fails.
#include <chrono>
#include <cstdio>

#include "Commands.h"
#include "History.h"

using namespace orlan;

namespace {
struct QuietHost : Host {
    bool showMessage(const MessageBox&) override { return false; }
    void setEditingEnabled(bool) override {}
    void setRunMode(bool) override {}
    void setHaltItemEnabled(bool) override {}
    void processPendingInput() override {}
};
struct QuietPorts : PortMap {
    void output(Device, uint8_t) override {}
};
double since(std::chrono::steady_clock::time_point t) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t).count();
}
}  // namespace

int main() {
    // LXI SP,F000; loop: MVI A,07; ADD M; INR M; PUSH B; POP B; STA 3000; JMP loop
    const uint8_t program[] = {0x31, 0x00, 0xF0, 0x3E, 0x07, 0x86, 0x34, 0xC5, 0xC1, 0x32, 0x00, 0x30, 0xC3, 0x03, 0x00};
    const uint64_t tacts = 100'000'000;
    for (bool recording : {false, true}) {
        Machine m;
        QuietHost host;
        QuietPorts ports;
        CCommands cpu(m, host, ports);
        History history;
        if (recording) cpu.setHistory(&history);
        for (size_t i = 0; i < sizeof program; ++i) m.s.memory[i] = program[i];
        const auto start = std::chrono::steady_clock::now();
        cpu.toggleRun(tacts);
        const double s = since(start);
        std::printf("run loop, history %-3s %9.1f M tacts/s\n", recording ? "on" : "off", tacts / s / 1e6);
        if (!recording) continue;
        const auto back = std::chrono::steady_clock::now();
        const int steps = 1000;
        for (int i = 0; i < steps; ++i) cpu.stepBackTact();
        std::printf("step back, full history (%zu tacts): %.3f us per tact\n", history.size() + steps,
                    since(back) / steps * 1e6);
        std::printf("history memory when full: %.1f MiB for %zu tacts\n", history.bytesWhenFull() / 1048576.0,
                    history.capacity());
    }
}
