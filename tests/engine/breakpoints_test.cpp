// Breakpoints in runs: where a run stops, how it goes on, and that a paced run (the window's slow
// speeds) keeps the rules of the run loop.
#include <gtest/gtest.h>

#include "rig.h"

namespace orlan::test {
namespace {

// 0000 LXI SP,0100h; 0003 CALL 0010h; 0006 NOP; 0007 HLT; 0010 MVI A,05h; 0012 RET
struct CallRig : Rig {
    Breakpoints bp;
    CallRig() {
        poke(0x0000, {0x31, 0x00, 0x01, 0xCD, 0x10, 0x00, 0x00, 0x76});
        poke(0x0010, {0x3E, 0x05, 0xC9});
        cpu.setBreakpoints(&bp);
    }
};

enum class Drive { Loop, PacedTacts, PacedInstructions };

RunEnd runWith(CallRig& r, Drive drive) {
    if (drive == Drive::Loop) return r.cpu.toggleRun();
    r.cpu.beginPacedRun();
    while (r.cpu.pacedStep(drive == Drive::PacedInstructions)) {
    }
    return r.cpu.lastRunEnd();
}

class BreakpointStop : public ::testing::TestWithParam<Drive> {};

TEST_P(BreakpointStop, StopsBeforeTheFetchAndRunsOnFromThere) {
    CallRig r;
    r.bp.set(0x0010, true);
    EXPECT_EQ(runWith(r, GetParam()), RunEnd::Breakpoint);
    EXPECT_EQ(r.m.s.pc, 0x0010);
    EXPECT_FALSE(r.cpu.instructionInProgress());
    EXPECT_FALSE(r.cpu.running());
    EXPECT_EQ(r.m.s.reg[A], 0x00);  // MVI not fetched
    EXPECT_TRUE(r.host.shown.empty());
    EXPECT_TRUE(r.cpu.atBreakpoint());

    // Started again on the breakpoint, the run goes on to the halt and says so as always.
    EXPECT_EQ(runWith(r, GetParam()), RunEnd::Halted);
    EXPECT_EQ(r.m.s.reg[A], 0x05);
    ASSERT_EQ(r.host.shown.size(), 1u);
    EXPECT_EQ(r.host.shown[0].id, MessageId::HaltStop);
    EXPECT_EQ(r.host.runMode, (std::vector<bool>{true, false, true, false}));
}

TEST_P(BreakpointStop, RunToTargetStopsAfterTheCallReturns) {
    CallRig r;
    r.bp.setTarget(0x0006);
    EXPECT_EQ(runWith(r, GetParam()), RunEnd::Breakpoint);
    EXPECT_EQ(r.m.s.pc, 0x0006);
    EXPECT_EQ(r.m.s.reg[A], 0x05);  // the subroutine ran
    EXPECT_EQ(r.m.s.sp, 0x0100);    // and returned
}

INSTANTIATE_TEST_SUITE_P(Drives, BreakpointStop,
                         ::testing::Values(Drive::Loop, Drive::PacedTacts, Drive::PacedInstructions));

TEST(Breakpoints, LoopBackToTheStartRowStopsAgain) {
    // 0000 DCR B; 0001 JNZ 0000h; 0004 HLT: the start row is passed once, not forever.
    Rig r;
    Breakpoints bp;
    r.poke(0x0000, {0x05, 0xC2, 0x00, 0x00, 0x76});
    r.m.s.reg[B] = 3;
    bp.set(0x0000, true);
    r.cpu.setBreakpoints(&bp);
    for (uint8_t left : {2, 1}) {
        EXPECT_EQ(r.cpu.toggleRun(), RunEnd::Breakpoint);
        EXPECT_EQ(r.m.s.reg[B], left);
    }
    // Without passing the start row the run does not move at all (the traced runner's later
    // one-tact runs).
    const uint64_t before = r.cpu.tactCount();
    EXPECT_EQ(r.cpu.toggleRun(UINT64_MAX, false), RunEnd::Breakpoint);
    EXPECT_EQ(r.cpu.tactCount(), before);
}

TEST(Breakpoints, RunBegunInsideAnInstructionStopsAtTheNextFetchOfItsRow) {
    // The row being executed was left already: coming back to it is a stop.
    Rig r;
    Breakpoints bp;
    r.poke(0x0000, {0x05, 0xC2, 0x00, 0x00, 0x76});
    r.m.s.reg[B] = 3;
    bp.set(0x0000, true);
    r.cpu.setBreakpoints(&bp);
    r.tacts(1);
    EXPECT_EQ(r.cpu.toggleRun(), RunEnd::Breakpoint);
    EXPECT_EQ(r.m.s.reg[B], 2);
}

}  // namespace
}  // namespace orlan::test
