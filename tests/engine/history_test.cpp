// Step back: every undone tact leaves the machine exactly as it stood, on random programs.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

#include "History.h"
#include "rig.h"

namespace orlan::test {
namespace {

struct Point {
    MachineState state;
    int16_t opcode;
    uint64_t tactCount;
    size_t outputs;
};

// A random program in the low page, random registers and stack, and a host that sometimes
// answers the halt question "Yes".
void randomMachine(Rig& r, std::mt19937& rng) {
    std::uniform_int_distribution<int> byte(0, 255);
    for (int i = 0; i < 256; ++i) r.m.s.memory[i] = static_cast<uint8_t>(byte(rng));
    for (Reg reg : {A, B, C, D, E, H, L}) r.m.s.reg[reg] = static_cast<uint8_t>(byte(rng));
    r.m.s.sp = static_cast<uint16_t>(byte(rng) << 8 | byte(rng));
    r.m.s.flags = static_cast<uint8_t>(byte(rng) & 0xD5) | flag::kStart;
    r.host.answerYes = byte(rng) & 1;
}

Point here(Rig& r) { return {r.m.s, r.cpu.currentOpcode(), r.cpu.tactCount(), r.ports.calls.size()}; }

void expectAt(Rig& r, const Point& p, const char* where, size_t i) {
    ASSERT_TRUE(r.m.s == p.state) << where << " tact " << i;
    ASSERT_EQ(r.cpu.currentOpcode(), p.opcode) << where << " tact " << i;
    ASSERT_EQ(r.cpu.tactCount(), p.tactCount) << where << " tact " << i;
}

// Forward N tacts, back N one at a time, forward N again: the same states all the way, device
// outputs reported where they were made, and instruction steps landing on instruction starts.
TEST(History, StepBackRestoresEveryEarlierStateOnRandomPrograms) {
    std::mt19937 rng(20261209);
    std::vector<Point> points;
    points.reserve(64);
    for (int program = 0; program < 2000; ++program) {
        Rig r;
        History history(1000);
        r.cpu.setHistory(&history);
        randomMachine(r, rng);
        const size_t n = std::uniform_int_distribution<size_t>(1, 60)(rng);
        points.clear();
        for (size_t i = 0; i < n; ++i) {
            points.push_back(here(r));
            r.cpu.executeTact();
        }
        points.push_back(here(r));
        const size_t outputsMade = r.ports.calls.size();

        for (size_t i = n; i-- > 0;) {
            const StepBack back = r.cpu.stepBackTact();
            ASSERT_EQ(back.tacts, 1u);
            EXPECT_EQ(back.crossedOutput, points[i + 1].outputs != points[i].outputs) << "tact " << i;
            expectAt(r, points[i], "back", i);
        }
        EXPECT_FALSE(r.cpu.canStepBack());
        EXPECT_EQ(r.ports.calls.size(), outputsMade) << "outputs are never taken back";

        r.ports.calls.resize(points[0].outputs);
        for (size_t i = 0; i < n; ++i) {
            r.cpu.executeTact();
            expectAt(r, points[i + 1], "forward again", i);
            ASSERT_EQ(r.ports.calls.size(), points[i + 1].outputs);
        }

        // By instructions: each step lands on the newest instruction start before where it stood.
        size_t at = n;
        while (r.cpu.canStepBack()) {
            size_t start = at - 1;
            while (start > 0 && points[start].opcode >= 0) --start;
            const StepBack back = r.cpu.stepBackInstruction();
            ASSERT_EQ(back.tacts, at - start);
            expectAt(r, points[start], "instruction back", start);
            at = start;
        }
        ASSERT_EQ(at, 0u);
    }
}

TEST(History, KeepsOnlyTheNewestTactsAndRefusesToGoFurther) {
    Rig r;
    History history(100);
    r.cpu.setHistory(&history);
    // LXI SP,0200; loop: PUSH B; JMP loop -- a write every few tacts, the stack running down.
    r.poke(0, {0x31, 0x00, 0x02, 0xC5, 0xC3, 0x03, 0x00});
    std::vector<Point> points;
    for (int i = 0; i < 250; ++i) {
        points.push_back(here(r));
        r.cpu.executeTact();
    }
    ASSERT_EQ(history.size(), 100u);
    for (int i = 249; i >= 150; --i) {
        ASSERT_EQ(r.cpu.stepBackTact().tacts, 1u);
        expectAt(r, points[i], "back", i);
    }
    const MachineState before = r.m.s;
    EXPECT_EQ(r.cpu.stepBackTact().tacts, 0u);
    EXPECT_EQ(r.cpu.stepBackInstruction().tacts, 0u);
    EXPECT_TRUE(r.m.s == before);
}

TEST(History, DefaultRingHoldsAMillionTactsIn64MiB) {
    History history;
    EXPECT_GE(history.capacity(), 1'000'000u);
    EXPECT_LE(history.bytesWhenFull(), size_t{64} << 20);
}

TEST(History, AMemoryEditByHandStartsANewHistoryAndNothingIsUndoneWhileRunning) {
    Rig r;
    History history;
    r.cpu.setHistory(&history);
    r.tacts(2);
    r.m.writeMemory(0x1234, 0x55);  // by hand, between tacts
    EXPECT_FALSE(r.cpu.canStepBack());
    r.tacts(1);
    EXPECT_EQ(r.cpu.stepBackTact().tacts, 1u);
    EXPECT_EQ(r.cpu.stepBackTact().tacts, 0u);
    EXPECT_EQ(r.m.s.memory[0x1234], 0x55);
    // A step asked for while a run goes on (from the window's pending input) does nothing.
    StepBack during;
    r.host.onPendingInput = [&] {
        during = r.cpu.stepBackTact();
        r.cpu.toggleRun();
    };
    r.cpu.toggleRun();
    EXPECT_EQ(during.tacts, 0u);
}

}  // namespace
}  // namespace orlan::test
