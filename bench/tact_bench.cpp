// Prints how many tacts per second the engine executes with the scheme model kept current, for
// a few programs. A figure to read, not a test: nothing here fails.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "Commands.h"

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
    uint64_t bytes = 0;
    void output(Device, uint8_t) override { ++bytes; }
};

long residentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

struct Program {
    const char* name;
    std::vector<uint8_t> bytes;
    bool fillWithNopMov;  // memory full of NOP and MOV, wrapping round
};

void measure(const Program& p, uint64_t tacts, bool viaRun) {
    Machine m;
    QuietHost host;
    QuietPorts ports;
    CCommands cpu(m, host, ports);
    if (p.fillWithNopMov)
        for (int i = 0; i < 0x10000; ++i) m.s.memory[i] = (i % 3 == 0) ? 0x00 : (i % 3 == 1 ? 0x41 : 0x7E);
    for (size_t i = 0; i < p.bytes.size(); ++i) m.s.memory[i] = p.bytes[i];
    m.s.sp = 0xF000;

    const auto start = std::chrono::steady_clock::now();
    if (viaRun) {
        cpu.toggleRun(tacts);
    } else {
        for (uint64_t i = 0; i < tacts; ++i) cpu.executeTact();
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double perSecond = static_cast<double>(cpu.tactCount()) / seconds;
    std::printf("%-44s %-13s %12llu tacts %8.3f s %9.1f M tacts/s (%5.1fx a 2 MHz 8080)\n", p.name,
                viaRun ? "run loop" : "single tacts", static_cast<unsigned long long>(cpu.tactCount()), seconds,
                perSecond / 1e6, perSecond / 2e6);
}

}  // namespace

int main(int argc, char** argv) {
    uint64_t tacts = 200'000'000;
    if (argc > 1) tacts = std::strtoull(argv[1], nullptr, 10);

    const Program programs[] = {
        {"NOP / MOV r,r / MOV r,M over all memory", {}, true},
        // A loop of arithmetic, memory, stack and call instructions:
        //   0000 LXI H,2000   LXI SP,F000
        //   0006 loop: MVI A,07  ADD M  INR M  MOV B,A  SUB B  ANI 0F  ORA C  CMP D
        //        PUSH B  PUSH H  CALL sub  POP H  POP B  INX H  DCR E  RLC  DAD D
        //        STA 3000  LDA 3000  JMP loop
        //   sub: XCHG  XCHG  LHLD 2100  SHLD 2100  OUT 07  RET
        {"mix: ALU, memory, stack, CALL/RET loop",
         {0x21, 0x00, 0x20,        // LXI H,2000
          0x31, 0x00, 0xF0,        // LXI SP,F000
          0x3E, 0x07,              // 0006 MVI A,07
          0x86,                    // ADD M
          0x34,                    // INR M
          0x47,                    // MOV B,A
          0x90,                    // SUB B
          0xE6, 0x0F,              // ANI 0F
          0xB1,                    // ORA C
          0xBA,                    // CMP D
          0xC5,                    // PUSH B
          0xE5,                    // PUSH H
          0xCD, 0x30, 0x00,        // CALL 0030
          0xE1,                    // POP H
          0xC1,                    // POP B
          0x23,                    // INX H
          0x1D,                    // DCR E
          0x07,                    // RLC
          0x19,                    // DAD D
          0x32, 0x00, 0x30,        // STA 3000
          0x3A, 0x00, 0x30,        // LDA 3000
          0xC3, 0x06, 0x00,        // JMP 0006   (ends at 0023)
          0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  // 0024..0029
          0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  // 002A..002F
          0xEB,                    // 0030 XCHG
          0xEB,                    // XCHG
          0x2A, 0x00, 0x21,        // LHLD 2100
          0x22, 0x00, 0x21,        // SHLD 2100
          0xD3, 0x07,              // OUT 07
          0xC9},                   // RET
         false},
    };

    std::printf("ORLAN engine speed, %llu tacts per measurement\n", static_cast<unsigned long long>(tacts));
    for (const Program& p : programs) {
        measure(p, tacts, false);
        measure(p, tacts, true);
    }
    std::printf("resident memory: %ld KiB\n", residentKiB());
    return 0;
}
