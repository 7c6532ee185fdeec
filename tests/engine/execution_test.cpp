// The tact sequencer, the fetch cycle, NOP, MOV, MVI, HLT, the undefined opcodes and run control.
#include <gtest/gtest.h>

#include "Notation.h"
#include "rig.h"

using namespace orlan;
using orlan::test::Rig;
using El = Element;

namespace {

std::vector<std::string> lampsOn(const Machine& m) {
    std::vector<std::string> on;
    for (int i = 0; i < kLampCount; ++i)
        if (m.lamp(static_cast<Lamp>(i))) on.emplace_back(kLampNames[i]);
    return on;
}

ElementSet redSet(const Rig& r) { return r.m.s.active; }

}  // namespace

TEST(Fetch, ThreeTactsShowAddressStatusWordAndDecoder) {
    Rig r;
    r.poke(0x0000, {0x3E, 0x41});

    r.tacts(1);
    EXPECT_EQ(r.cpu.currentOpcode(), 0x3E);
    EXPECT_EQ(r.text(El::Addr_Buf), "0000");
    EXPECT_EQ(r.text(El::Time_Num), "1");
    EXPECT_EQ(r.text(El::Cycle_Num), "1");
    EXPECT_EQ(r.text(El::Status_Reg), "00000000");
    EXPECT_EQ(redSet(r), els(El::PC_Val, El::Addr_Buf));
    EXPECT_EQ(lampsOn(r.m), (std::vector<std::string>{"F2", "SYNC", "READY", "INTE", "WR"}));

    r.tacts(1);
    EXPECT_EQ(r.text(El::Status_Reg), "01000101");
    EXPECT_EQ(r.text(El::PSW_Label), "Выборка команды");
    EXPECT_EQ(r.text(El::Data_Buf), "3E");
    EXPECT_EQ(r.text(El::Time_Num), "2");
    EXPECT_EQ(redSet(r), els(El::Status_Reg, El::PSW_Label, El::Data_Buf));
    EXPECT_EQ(lampsOn(r.m), (std::vector<std::string>{"F2", "SYNC", "WAIT", "INTE", "DBIN", "WR"}));

    r.tacts(1);
    EXPECT_EQ(r.text(El::Cmd_Reg), "3E");
    EXPECT_EQ(r.text(El::Cmd_DC), "MVI A, d8");
    EXPECT_EQ(r.text(El::Time_Num), "3");
    // The status word stays written, only idle, after the second tact.
    EXPECT_EQ(r.text(El::Status_Reg), "01000101");
    EXPECT_EQ(redSet(r), els(El::Cmd_Reg, El::Cmd_DC));
    EXPECT_EQ(lampsOn(r.m), (std::vector<std::string>{"F2", "SYNC", "READY", "INTE", "WR"}));
    EXPECT_EQ(r.m.s.pc, 0);  // the fetch cycle does not advance PC
}

TEST(Fetch, FirstTactLeavesCycleNumberAndLabelHighlightsAsTheyWere) {
    Rig r;
    r.poke(0x0000, {0x7E, 0x00});  // MOV A, M leaves Cycle_Num at "2"; then NOP
    ASSERT_EQ(r.instruction(), 7);
    r.m.red(els(El::Cycle_Num, El::PSW_Label));
    r.tacts(1);
    EXPECT_EQ(r.text(El::Cycle_Num), "1");
    EXPECT_TRUE(r.red(El::Cycle_Num));
    EXPECT_TRUE(r.red(El::PSW_Label));
    EXPECT_EQ(r.text(El::PSW_Label), "");
    r.tacts(1);
    EXPECT_FALSE(r.red(El::Cycle_Num));
}

TEST(Fetch, FirstTactTurnsTheRegisterFileGreenAndEmptiesTheMark) {
    Rig r;
    r.m.s.active = ~ElementSet{0};
    r.m.s.incMark = IncMark::Plus;
    r.tacts(1);
    EXPECT_EQ(r.text(El::INC_DEC_Syst), "");
    for (El e : {El::RegA_Val, El::RegB_Val, El::RegC_Val, El::RegD_Val, El::RegE_Val, El::RegH_Val, El::RegL_Val,
                El::RegW_Val, El::RegZ_Val, El::Status_Reg, El::Buf_Reg_1, El::Buf_Reg_2, El::Flags_Reg,
                El::Data_Buf, El::Cmd_Reg, El::Cmd_DC, El::SP_Val})
        EXPECT_FALSE(r.red(e)) << elementName(e);
    for (El e : {El::PC_Val, El::Addr_Buf, El::Cycle_Num, El::PSW_Label}) EXPECT_TRUE(r.red(e)) << elementName(e);
}

TEST(Nop, TakesFourTactsAndAdvancesPc) {
    Rig r;
    EXPECT_EQ(r.instruction(), 4);
    EXPECT_EQ(r.cpu.currentOpcode(), -1);
    EXPECT_EQ(r.text(El::Time_Num), "4");
    EXPECT_EQ(r.text(El::Cycle_Num), "1");
    EXPECT_EQ(r.text(El::PC_Val), "0001");
    EXPECT_EQ(r.text(El::INC_DEC_Syst), "+1");
    EXPECT_EQ(redSet(r), bit(El::PC_Val));
    // The next tact starts the next instruction: tact number 1, mark emptied.
    r.tacts(1);
    EXPECT_EQ(r.text(El::Time_Num), "1");
    EXPECT_EQ(r.text(El::Addr_Buf), "0001");
    EXPECT_EQ(r.text(El::INC_DEC_Syst), "");
}

TEST(Mov, RegisterToRegisterInFiveTacts) {
    Rig r;
    r.poke(0, {0x4C});  // MOV C,H
    r.m.s.reg[H] = 0x5A;
    r.tacts(3);
    EXPECT_EQ(r.text(El::Cmd_DC), "MOV C,H");
    r.tacts(1);
    EXPECT_EQ(r.text(El::RegC_Val), "5A");
    EXPECT_EQ(redSet(r), els(El::RegC_Val));
    EXPECT_EQ(r.m.s.pc, 0);
    r.tacts(1);
    EXPECT_EQ(redSet(r), bit(El::PC_Val));
    EXPECT_EQ(r.m.s.pc, 1);
    EXPECT_EQ(r.text(El::INC_DEC_Syst), "+1");
    EXPECT_FALSE(r.cpu.instructionInProgress());
}

TEST(Mov, ToItselfRunsFiveTactsAndKeepsTheValue) {
    Rig r;
    r.poke(0, {0x40});  // MOV B, B
    r.m.s.reg[B] = 0x77;
    EXPECT_EQ(r.instruction(), 5);
    EXPECT_EQ(r.m.s.reg[B], 0x77);
}

TEST(Mov, RegisterToMemoryWritesInTactSeven) {
    Rig r;
    r.poke(0, {0x70});  // MOV M, B
    r.m.s.reg[H] = 0x12;
    r.m.s.reg[L] = 0x34;
    r.m.s.reg[B] = 0x5A;
    r.m.s.reg[A] = 0x99;
    r.tacts(4);
    EXPECT_EQ(r.m.s.pc, 1);
    EXPECT_EQ(redSet(r), bit(El::PC_Val));
    r.tacts(1);
    EXPECT_EQ(r.text(El::Cycle_Num), "2");
    EXPECT_EQ(r.text(El::Addr_Buf), "1234");
    EXPECT_EQ(r.text(El::INC_DEC_Syst), "");
    EXPECT_EQ(redSet(r), els(El::Cycle_Num, El::Addr_Buf));
    r.tacts(1);
    EXPECT_EQ(r.text(El::Data_Buf), "5A");
    EXPECT_EQ(r.text(El::Status_Reg), "00000000");
    EXPECT_EQ(r.text(El::PSW_Label), "Запись в память");
    EXPECT_EQ(redSet(r), els(El::Status_Reg, El::PSW_Label, El::Data_Buf, El::Cycle_Num));
    EXPECT_EQ(r.m.s.memory[0x1234], 0x00);  // not yet
    r.tacts(1);
    EXPECT_EQ(r.m.s.memory[0x1234], 0x5A);
    EXPECT_EQ(redSet(r), 0u);
    EXPECT_FALSE(r.cpu.instructionInProgress());
}

TEST(Mov, MemoryToRegisterReadsInTactSix) {
    Rig r;
    r.poke(0, {0x7E});  // MOV A, M
    r.poke(0x0300, {0xC4});
    r.m.s.reg[H] = 0x03;
    r.tacts(5);
    EXPECT_EQ(r.text(El::Cycle_Num), "2");
    r.tacts(1);
    EXPECT_EQ(r.text(El::Data_Buf), "C4");
    EXPECT_EQ(r.text(El::Status_Reg), "01000001");
    EXPECT_EQ(r.text(El::PSW_Label), "Чтение памяти");
    EXPECT_EQ(r.m.s.reg[A], 0);
    EXPECT_EQ(redSet(r), els(El::Status_Reg, El::PSW_Label, El::Data_Buf, El::Cycle_Num));
    r.tacts(1);
    EXPECT_EQ(r.text(El::RegA_Val), "C4");
    EXPECT_EQ(redSet(r), bit(El::RegA_Val));
    EXPECT_EQ(r.text(El::Time_Num), "7");
    EXPECT_FALSE(r.cpu.instructionInProgress());
}

TEST(Mvi, LoadsARegisterInSevenTacts) {
    Rig r;
    r.poke(0, {0x06, 0xA5});  // MVI B, A5h
    r.tacts(4);
    EXPECT_EQ(r.m.s.pc, 1);
    r.tacts(1);
    EXPECT_EQ(redSet(r), els(El::Cycle_Num, El::Addr_Buf));
    EXPECT_EQ(r.text(El::Addr_Buf), "0001");
    r.tacts(1);
    EXPECT_EQ(r.text(El::RegB_Val), "A5");
    EXPECT_EQ(r.text(El::Status_Reg), "01000001");
    EXPECT_EQ(redSet(r), els(El::Data_Buf, El::RegB_Val, El::PSW_Label, El::Status_Reg));
    r.tacts(1);
    EXPECT_EQ(r.m.s.pc, 2);
    EXPECT_EQ(redSet(r), bit(El::PC_Val));
    EXPECT_EQ(r.text(El::INC_DEC_Syst), "+1");
    EXPECT_FALSE(r.cpu.instructionInProgress());
}

TEST(Mvi, MemoryFormAtTheEndOfMemoryWrapsPc) {
    Rig r;
    r.m.movePC(0xFFFE);
    r.poke(0xFFFE, {0x36, 0x5C});  // MVI M, 5Ch
    r.m.s.reg[H] = 0x20;
    r.tacts(6);
    EXPECT_EQ(r.text(El::RegW_Val), "5C");
    EXPECT_TRUE(r.red(El::RegW_Val));
    r.tacts(1);
    EXPECT_EQ(r.m.s.pc, 0x0000);  // the operand was at FFFF
    r.tacts(1);
    EXPECT_EQ(r.text(El::Addr_Buf), "2000");
    EXPECT_EQ(r.text(El::Cycle_Num), "3");
    r.tacts(1);
    EXPECT_EQ(r.m.s.memory[0x2000], 0x5C);
    EXPECT_EQ(r.text(El::Status_Reg), "00000000");
    EXPECT_EQ(r.text(El::PSW_Label), "Запись в память");
    EXPECT_EQ(r.text(El::Data_Buf), "5C");  // still the operand, and idle
    EXPECT_EQ(redSet(r), els(El::Status_Reg, El::PSW_Label));
    r.tacts(1);
    EXPECT_EQ(redSet(r), 0u);
    EXPECT_EQ(r.text(El::Time_Num), "10");
    EXPECT_FALSE(r.cpu.instructionInProgress());
}

TEST(Hlt, SetsTheHaltFlagAndAdvancesPc) {
    Rig r;
    r.m.movePC(0x0100);
    r.poke(0x0100, {0x76});
    EXPECT_EQ(r.instruction(), 4);
    EXPECT_EQ(r.m.s.pc, 0x0101);
    EXPECT_EQ(r.text(El::INC_DEC_Syst), "+1");
    EXPECT_TRUE(r.m.lamp(Lamp::HLDA));
    EXPECT_EQ(r.host.haltItem, std::vector<bool>{true});
    EXPECT_TRUE(r.m.changes.haltChanged);
    EXPECT_TRUE(r.host.shown.empty());  // no message outside a run
}

TEST(Hlt, HaltQuestionNoChangesNothingYesClearsTheFlag) {
    Rig r;
    r.poke(0, {0x76});
    r.instruction();
    const MachineState halted = r.m.s;
    const uint64_t tacts = r.cpu.tactCount();

    r.host.answerYes = false;
    r.tacts(1);
    ASSERT_EQ(r.host.shown.size(), 1u);
    EXPECT_EQ(r.host.shown[0].title, "ОРЛАН - Останов");
    EXPECT_EQ(r.host.shown[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(r.host.shown[0].icon, MessageIcon::Stop);
    EXPECT_EQ(r.m.s, halted);
    EXPECT_EQ(r.cpu.tactCount(), tacts);

    r.host.answerYes = true;
    r.tacts(1);
    EXPECT_FALSE(r.m.lamp(Lamp::HLDA));
    EXPECT_EQ(r.host.haltItem, (std::vector<bool>{true, false}));
    MachineState expected = halted;
    expected.lamps &= static_cast<LampSet>(~lampBit(Lamp::HLDA));
    EXPECT_EQ(r.m.s, expected);  // the answer executes no tact
    r.tacts(1);
    EXPECT_EQ(r.text(El::Addr_Buf), "0001");  // execution goes on after the HLT
}

TEST(Undefined, ReportsAddressAndCodeAndLeavesPc) {
    for (uint8_t op : {0x08, 0x10, 0x18, 0x20, 0x28, 0x30, 0x38, 0xCB, 0xD9, 0xDD, 0xED, 0xFD}) {
        Rig r;
        r.m.movePC(0x0200);
        r.poke(0x0200, {op});
        EXPECT_EQ(r.instruction(), 4) << int(op);
        ASSERT_EQ(r.host.shown.size(), 1u);
        const MessageBox& box = r.host.shown[0];
        EXPECT_EQ(box.title, "ОРЛАН - Ошибка!");
        EXPECT_EQ(box.buttons, MessageButtons::Ok);
        const std::string code = formatByte(op);
        EXPECT_EQ(box.text.substr(0, box.text.find('\n')), "Произошла ошибка программы по адресу 0200h");
        EXPECT_NE(box.text.find("несуществующую команду с кодом " + code + "h.\n\n"), std::string::npos);
        EXPECT_EQ(r.m.s.pc, 0x0200);
        EXPECT_FALSE(r.red(El::PC_Val));
        EXPECT_EQ(r.text(El::INC_DEC_Syst), "");
        EXPECT_EQ(r.text(El::Time_Num), "4");
        // Executing it again repeats the message.
        EXPECT_EQ(r.instruction(), 4);
        EXPECT_EQ(r.host.shown.size(), 2u);
    }
}

TEST(RunControl, ExecuteInstructionFinishesOneBegunWithSingleTacts) {
    Rig r;
    r.poke(0, {0x7E, 0x00});
    r.tacts(2);
    r.cpu.executeInstruction();
    EXPECT_EQ(r.cpu.tactCount(), 7u);
    EXPECT_FALSE(r.cpu.instructionInProgress());
    r.cpu.executeInstruction();  // with none in progress, a whole new one
    EXPECT_EQ(r.cpu.tactCount(), 11u);
}

TEST(RunControl, ExecuteInstructionWhileHaltedOnlyAsks) {
    Rig r;
    r.poke(0, {0x76});
    r.cpu.executeInstruction();
    r.cpu.executeInstruction();
    EXPECT_EQ(r.host.shown.size(), 1u);
    EXPECT_EQ(r.cpu.tactCount(), 4u);
}

TEST(RunControl, EditingControlsLockDuringAnInstruction) {
    Rig r;
    r.poke(0, {0x06, 0x01});
    r.tacts(1);
    EXPECT_EQ(r.host.editing, std::vector<bool>{false});
    r.tacts(5);
    EXPECT_EQ(r.host.editing, std::vector<bool>{false});  // told once, not every tact
    r.tacts(1);
    EXPECT_EQ(r.host.editing, (std::vector<bool>{false, true}));
    EXPECT_TRUE(r.cpu.editingEnabled());
}

TEST(RunControl, ProgramRunsToHaltWithTheMessage) {
    Rig r;
    r.poke(0, {0x3E, 0x05, 0x76});
    EXPECT_EQ(r.cpu.toggleRun(), RunEnd::Halted);
    EXPECT_EQ(r.m.s.pc, 0x0003);
    EXPECT_EQ(r.m.s.reg[A], 0x05);
    EXPECT_TRUE(r.m.lamp(Lamp::HLDA));
    ASSERT_EQ(r.host.shown.size(), 1u);
    EXPECT_EQ(r.host.shown[0].id, MessageId::HaltStop);
    EXPECT_EQ(r.host.shown[0].icon, MessageIcon::None);
    EXPECT_EQ(r.host.runMode, (std::vector<bool>{true, false}));
    // Locked at the first tact, kept locked between instructions, released at the end.
    EXPECT_EQ(r.host.editing, (std::vector<bool>{false, true}));
    EXPECT_EQ(r.host.haltItem.back(), true);
    EXPECT_EQ(r.host.pendingInputCalls, 2);  // after MVI and after HLT
    EXPECT_FALSE(r.cpu.running());
    r.tacts(1);
    EXPECT_EQ(r.host.shown.back().id, MessageId::HaltQuestion);
}

TEST(RunControl, StartedWhileHaltedExecutesNothing) {
    Rig r;
    r.poke(0, {0x76, 0x00});
    r.instruction();
    const uint64_t tacts = r.cpu.tactCount();
    EXPECT_EQ(r.cpu.toggleRun(), RunEnd::Halted);
    EXPECT_EQ(r.cpu.tactCount(), tacts);
    ASSERT_EQ(r.host.shown.size(), 1u);
    EXPECT_EQ(r.host.shown[0].id, MessageId::HaltStop);
    EXPECT_FALSE(r.cpu.running());
}

TEST(RunControl, StopBetweenInstructionsEndsTheRun) {
    Rig r;
    r.poke(0, {0xC3 /* filler: any endless program of NOPs works */});
    r.m.s.memory[0] = 0x00;  // all NOP: the program never halts
    r.host.onPendingInput = [&] {
        if (r.host.pendingInputCalls == 3) r.cpu.toggleRun();
    };
    EXPECT_EQ(r.cpu.toggleRun(), RunEnd::Stopped);
    EXPECT_EQ(r.cpu.tactCount(), 12u);  // three NOPs, then the stop
    EXPECT_EQ(r.host.runMode, (std::vector<bool>{true, false}));
    EXPECT_TRUE(r.cpu.editingEnabled());
    EXPECT_TRUE(r.host.shown.empty());
}

TEST(RunControl, UndefinedOpcodeEndsTheRun) {
    Rig r;
    r.poke(0, {0x00, 0xDD});
    EXPECT_EQ(r.cpu.toggleRun(), RunEnd::UndefinedOpcode);
    EXPECT_EQ(r.cpu.tactCount(), 8u);
    ASSERT_EQ(r.host.shown.size(), 1u);
    EXPECT_EQ(r.host.shown[0].id, MessageId::UndefinedOpcode);
    EXPECT_EQ(r.host.runMode, (std::vector<bool>{true, false}));
    EXPECT_TRUE(r.cpu.editingEnabled());
    EXPECT_EQ(r.m.s.pc, 1);
}

TEST(RunControl, TactLimitStopsMidInstruction) {
    Rig r;
    r.poke(0, {0x06, 0x01});
    EXPECT_EQ(r.cpu.toggleRun(3), RunEnd::TactLimit);
    EXPECT_EQ(r.cpu.tactCount(), 3u);
    EXPECT_TRUE(r.cpu.instructionInProgress());
    EXPECT_FALSE(r.cpu.editingEnabled());  // the instruction is unfinished
}

TEST(RunControl, RunRestartedFromPendingInputShowsOneHaltMessage) {
    Rig r;
    r.poke(0, {0x00, 0x00, 0x76});
    r.host.onPendingInput = [&] {
        if (r.host.pendingInputCalls == 1) {
            r.cpu.toggleRun();  // stop
            r.cpu.toggleRun();  // and start again: runs to the HLT in here
        }
    };
    r.cpu.toggleRun();
    int haltMessages = 0;
    for (const auto& box : r.host.shown) haltMessages += box.id == MessageId::HaltStop;
    EXPECT_EQ(haltMessages, 1);
    EXPECT_FALSE(r.cpu.running());
    EXPECT_EQ(r.m.s.pc, 3);
}

TEST(RunControl, ClearingTheHaltFlagAndRegisterReset) {
    Rig r;
    r.poke(0, {0x76});
    r.instruction();
    r.m.changes = {};
    r.cpu.clearHaltFlag();
    EXPECT_FALSE(r.m.lamp(Lamp::HLDA));
    EXPECT_TRUE(r.m.changes.haltChanged);
    EXPECT_EQ(r.host.haltItem.back(), false);

    r.instruction();
    r.host.haltItem.clear();
    r.cpu.resetRegisters();
    EXPECT_FALSE(r.m.lamp(Lamp::HLDA));
    EXPECT_EQ(r.host.haltItem, std::vector<bool>{false});
}
