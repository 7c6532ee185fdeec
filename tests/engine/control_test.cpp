// Jumps, calls, returns, restarts and PCHL.
#include <gtest/gtest.h>

#include "rig.h"
#include "tact_rows.h"

namespace orlan::test {
namespace {

using E = Element;
using rows::fetchAt;
using rows::playRows;

struct Condition {
    uint8_t opcode;
    Lamp lamp;
    bool selector;  // met when the lamp is in this state
};

// Sets the tested lamp and puts the other three condition lamps in the opposite state, so that
// testing the wrong lamp gives the wrong answer.
void setConditionLamps(Rig& r, Lamp tested, bool on) {
    for (Lamp l : {Lamp::Z, Lamp::C, Lamp::P, Lamp::S}) r.m.setLamp(l, !on);
    r.m.setLamp(tested, on);
}

TEST(Control, ConditionalJumpsBothWays) {
    const Condition jumps[] = {{0xC2, Lamp::Z, false}, {0xCA, Lamp::Z, true}, {0xD2, Lamp::C, false},
                               {0xDA, Lamp::C, true},  {0xE2, Lamp::P, false}, {0xEA, Lamp::P, true},
                               {0xF2, Lamp::S, false}, {0xFA, Lamp::S, true}};
    for (const Condition& c : jumps) {
        for (bool on : {false, true}) {
            SCOPED_TRACE(testing::Message() << std::hex << int(c.opcode) << " lamp " << on);
            Rig r;
            r.poke(0x0400, {c.opcode, 0x78, 0x56});
            r.m.s.pc = 0x0400;
            r.m.s.w = 0xAA;
            r.m.s.z = 0xBB;
            setConditionLamps(r, c.lamp, on);
            EXPECT_EQ(r.instruction(), 10);
            if (on == c.selector) {
                EXPECT_EQ(r.m.s.pc, 0x5678);
                EXPECT_EQ(r.m.wz(), 0x5678);
                EXPECT_EQ(r.text(E::INC_DEC_Syst), "");
            } else {
                EXPECT_EQ(r.m.s.pc, 0x0403);
                EXPECT_EQ(r.m.wz(), 0xAABB);
                EXPECT_EQ(r.text(E::INC_DEC_Syst), "+1");
            }
            EXPECT_TRUE(r.red(E::PC_Val));
        }
    }
}

TEST(Control, ConditionalCallsBothWays) {
    const Condition calls[] = {{0xC4, Lamp::Z, false}, {0xCC, Lamp::Z, true}, {0xD4, Lamp::C, false},
                               {0xDC, Lamp::C, true},  {0xE4, Lamp::P, false}, {0xEC, Lamp::P, true},
                               {0xF4, Lamp::S, false}, {0xFC, Lamp::S, true}};
    for (const Condition& c : calls) {
        for (bool on : {false, true}) {
            SCOPED_TRACE(testing::Message() << std::hex << int(c.opcode) << " lamp " << on);
            Rig r;
            r.poke(0x0400, {c.opcode, 0x78, 0x56});
            r.poke(0x1FFF, {0xEE, 0xEE});
            r.m.s.pc = 0x0400;
            r.m.s.sp = 0x2000;
            setConditionLamps(r, c.lamp, on);
            const bool met = on == c.selector;
            EXPECT_EQ(r.instruction(), met ? 14 : 10);
            EXPECT_EQ(r.m.wz(), 0x5678);  // read whatever the condition
            if (met) {
                EXPECT_EQ(r.m.s.pc, 0x5678);
                EXPECT_EQ(r.m.s.sp, 0x1FFE);
                EXPECT_EQ(r.m.s.memory[0x2000], 0x04);
                EXPECT_EQ(r.m.s.memory[0x1FFF], 0x03);
            } else {
                EXPECT_EQ(r.m.s.pc, 0x0403);
                EXPECT_EQ(r.m.s.sp, 0x2000);
                EXPECT_EQ(r.m.s.memory[0x2000], 0xEE);
                EXPECT_EQ(r.m.s.memory[0x1FFF], 0xEE);
                EXPECT_EQ(r.text(E::Addr_Buf), "0402");
                EXPECT_TRUE(r.red(E::PC_Val));
                EXPECT_TRUE(r.red(E::RegW_Val));
            }
        }
    }
}

TEST(Control, ConditionalReturnsBothWays) {
    const Condition returns[] = {{0xC0, Lamp::Z, false}, {0xC8, Lamp::Z, true}, {0xD0, Lamp::C, false},
                                 {0xD8, Lamp::C, true},  {0xE0, Lamp::P, false}, {0xE8, Lamp::P, true},
                                 {0xF0, Lamp::S, false}, {0xF8, Lamp::S, true}};
    for (const Condition& c : returns) {
        for (bool on : {false, true}) {
            SCOPED_TRACE(testing::Message() << std::hex << int(c.opcode) << " lamp " << on);
            Rig r;
            r.poke(0x0400, {c.opcode});
            r.poke(0x1FFF, {0x34, 0x12});
            r.m.s.pc = 0x0400;
            r.m.s.sp = 0x1FFE;
            setConditionLamps(r, c.lamp, on);
            const bool met = on == c.selector;
            EXPECT_EQ(r.instruction(), met ? 12 : 4);
            EXPECT_EQ(r.m.s.pc, met ? 0x1234 : 0x0401);
            EXPECT_EQ(r.m.s.sp, met ? 0x2000 : 0x1FFE);
        }
    }
}

TEST(Control, JumpToItselfLoops) {
    Rig r;
    r.poke(0x0100, {0xC3, 0x00, 0x01});
    r.m.s.pc = 0x0100;
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(r.instruction(), 10);
        EXPECT_EQ(r.m.s.pc, 0x0100);
    }
}

TEST(Control, CallAndReturnRoundTrip) {
    struct Case {
        uint16_t sp, hiCell, loCell, spAfterCall;
    };
    // The second case wraps: the high byte goes to 0000h, the low byte to FFFFh.
    for (const Case& c : {Case{0x3000, 0x3000, 0x2FFF, 0x2FFE}, Case{0x0000, 0x0000, 0xFFFF, 0xFFFE}}) {
        SCOPED_TRACE(c.sp);
        Rig r;
        r.poke(0x1000, {0xCD, 0x00, 0x20});
        r.poke(0x2000, {0xC9});
        r.m.s.pc = 0x1000;
        r.m.s.sp = c.sp;
        EXPECT_EQ(r.instruction(), 14);
        EXPECT_EQ(r.m.s.pc, 0x2000);
        EXPECT_EQ(r.m.s.sp, c.spAfterCall);
        EXPECT_EQ(r.m.s.memory[c.hiCell], 0x10);
        EXPECT_EQ(r.m.s.memory[c.loCell], 0x03);
        EXPECT_EQ(r.instruction(), 12);
        EXPECT_EQ(r.m.s.pc, 0x1003);
        EXPECT_EQ(r.m.s.sp, c.sp);
    }
}

TEST(Control, RestartsPushReturnAddressAndJumpToVector) {
    const std::pair<uint8_t, uint16_t> restarts[] = {{0xC7, 0x0000}, {0xCF, 0x0008}, {0xD7, 0x0010},
                                                     {0xDF, 0x0018}, {0xE7, 0x0020}, {0xEF, 0x0028},
                                                     {0xF7, 0x0030}, {0xFF, 0x0038}};
    for (const auto& [opcode, target] : restarts) {
        SCOPED_TRACE(int(opcode));
        Rig r;
        r.poke(0x0123, {opcode});
        r.m.s.pc = 0x0123;
        r.m.s.sp = 0x3000;
        EXPECT_EQ(r.instruction(), 9);
        EXPECT_EQ(r.m.s.pc, target);
        EXPECT_EQ(r.m.s.sp, 0x2FFE);
        EXPECT_EQ(r.m.s.memory[0x3000], 0x01);
        EXPECT_EQ(r.m.s.memory[0x2FFF], 0x24);
    }
}

TEST(Control, PchlLoadsPcFromHlInOneTact) {
    Rig r;
    r.m.s.reg[H] = 0x12;
    r.m.s.reg[L] = 0x34;
    fetchAt(r, 0x0500, {0xE9});
    playRows(r, {{4, els(E::PC_Val), els(E::Cmd_Reg, E::Cmd_DC), {{E::PC_Val, "1234"}, {E::INC_DEC_Syst, ""}}}});
}

const std::string kMemRead = "01000001", kStackRead = "01100001", kStackWrite = "00100000";

TEST(Control, JmpTactByTact) {
    Rig r;
    fetchAt(r, 0x0100, {0xC3, 0x34, 0x12});
    playRows(r, {
        {4, els(E::PC_Val), els(E::Cmd_Reg, E::Cmd_DC), {{E::PC_Val, "0101"}, {E::INC_DEC_Syst, "+1"}}},
        {5, els(E::Addr_Buf, E::Cycle_Num), els(E::PC_Val),
         {{E::INC_DEC_Syst, ""}, {E::Addr_Buf, "0101"}, {E::Cycle_Num, "2"}}},
        {6, els(E::Status_Reg, E::PSW_Label, E::Data_Buf), els(E::Cycle_Num, E::Addr_Buf),
         {{E::Status_Reg, kMemRead}, {E::PSW_Label, "Чтение памяти"}, {E::Data_Buf, "34"}}},
        {7, els(E::RegZ_Val, E::PC_Val), els(E::Status_Reg, E::PSW_Label, E::Data_Buf),
         {{E::RegZ_Val, "34"}, {E::PC_Val, "0102"}, {E::INC_DEC_Syst, "+1"}}},
        {8, els(E::Addr_Buf, E::Cycle_Num), els(E::RegZ_Val, E::PC_Val),
         {{E::INC_DEC_Syst, ""}, {E::Addr_Buf, "0102"}, {E::Cycle_Num, "3"}}},
        {9, els(E::Status_Reg, E::PSW_Label, E::Data_Buf), els(E::Addr_Buf, E::Cycle_Num),
         {{E::Status_Reg, kMemRead}, {E::Data_Buf, "12"}}},
        {10, els(E::RegW_Val, E::PC_Val), els(E::Status_Reg, E::PSW_Label, E::Data_Buf),
         {{E::RegW_Val, "12"}, {E::PC_Val, "1234"}, {E::INC_DEC_Syst, ""}}},
    });
}

TEST(Control, CallTactByTact) {
    Rig r;
    r.m.s.sp = 0x3000;
    fetchAt(r, 0x1000, {0xCD, 0x00, 0x20});
    playRows(r, {
        {4, els(E::PC_Val), els(E::Cmd_Reg, E::Cmd_DC), {{E::PC_Val, "1001"}, {E::INC_DEC_Syst, "+1"}}},
        {5, els(E::Addr_Buf, E::Cycle_Num), els(E::PC_Val),
         {{E::INC_DEC_Syst, ""}, {E::Addr_Buf, "1001"}, {E::Cycle_Num, "2"}}},
        {6, els(E::Status_Reg, E::PSW_Label, E::Data_Buf), els(E::Cycle_Num, E::Addr_Buf),
         {{E::Status_Reg, kMemRead}, {E::Data_Buf, "00"}}},
        {7, els(E::RegZ_Val, E::PC_Val), els(E::Status_Reg, E::PSW_Label, E::Data_Buf),
         {{E::RegZ_Val, "00"}, {E::PC_Val, "1002"}, {E::INC_DEC_Syst, "+1"}}},
        {8, els(E::Addr_Buf, E::Cycle_Num), els(E::RegZ_Val, E::PC_Val),
         {{E::INC_DEC_Syst, ""}, {E::Addr_Buf, "1002"}, {E::Cycle_Num, "3"}}},
        {9, els(E::Status_Reg, E::PSW_Label, E::Data_Buf), els(E::Addr_Buf, E::Cycle_Num),
         {{E::Status_Reg, kMemRead}, {E::Data_Buf, "20"}}},
        {10, els(E::RegW_Val, E::PC_Val, E::Addr_Buf), els(E::Status_Reg, E::PSW_Label, E::Data_Buf),
         {{E::RegW_Val, "20"}, {E::PC_Val, "1003"}, {E::INC_DEC_Syst, "+1"}, {E::Addr_Buf, "3000"}}},
        {11, els(E::SP_Val, E::Status_Reg, E::PSW_Label, E::Data_Buf), els(E::RegW_Val, E::PC_Val, E::Addr_Buf),
         {{E::SP_Val, "2FFF"}, {E::INC_DEC_Syst, "-1"}, {E::Status_Reg, kStackWrite},
          {E::PSW_Label, "Запись в стек"}, {E::Data_Buf, "10"}, {E::Cycle_Num, "3"}},
         {{0x3000, 0x10}}},
        {12, els(E::Addr_Buf, E::Cycle_Num), els(E::Status_Reg, E::PSW_Label, E::Data_Buf, E::SP_Val),
         {{E::INC_DEC_Syst, ""}, {E::Addr_Buf, "2FFF"}, {E::Cycle_Num, "4"}}},
        {13, els(E::SP_Val, E::Status_Reg, E::PSW_Label, E::Data_Buf), els(E::Addr_Buf, E::Cycle_Num),
         {{E::SP_Val, "2FFE"}, {E::INC_DEC_Syst, "-1"}, {E::Status_Reg, kStackWrite}, {E::Data_Buf, "03"}},
         {{0x2FFF, 0x03}}},
        {14, els(E::PC_Val), els(E::Status_Reg, E::PSW_Label, E::Data_Buf, E::SP_Val),
         {{E::INC_DEC_Syst, ""}, {E::PC_Val, "2000"}}},
    });
}

TEST(Control, RetTactByTact) {
    Rig r;
    r.poke(0x2FFF, {0x03, 0x10});
    r.m.s.sp = 0x2FFE;
    fetchAt(r, 0x2000, {0xC9});
    playRows(r, {
        {4, els(E::PC_Val), els(E::Cmd_Reg, E::Cmd_DC), {{E::PC_Val, "2001"}, {E::INC_DEC_Syst, "+1"}}},
        {5, els(E::SP_Val, E::Cycle_Num), els(E::PC_Val),
         {{E::SP_Val, "2FFF"}, {E::INC_DEC_Syst, "+1"}, {E::Cycle_Num, "2"}}},
        {6, els(E::Addr_Buf), els(E::SP_Val, E::Cycle_Num), {{E::INC_DEC_Syst, ""}, {E::Addr_Buf, "2FFF"}}},
        {7, els(E::Status_Reg, E::PSW_Label, E::Data_Buf), els(E::Addr_Buf),
         {{E::Status_Reg, kStackRead}, {E::PSW_Label, "Чтение стека"}, {E::Data_Buf, "03"}}},
        {8, els(E::SP_Val, E::RegZ_Val, E::Cycle_Num), els(E::Status_Reg, E::PSW_Label, E::Data_Buf),
         {{E::SP_Val, "3000"}, {E::INC_DEC_Syst, "+1"}, {E::RegZ_Val, "03"}, {E::Cycle_Num, "3"}}},
        {9, els(E::Addr_Buf), els(E::SP_Val, E::Cycle_Num, E::RegZ_Val), {{E::INC_DEC_Syst, ""}, {E::Addr_Buf, "3000"}}},
        {10, els(E::Status_Reg, E::PSW_Label, E::Data_Buf), els(E::Addr_Buf),
         {{E::Status_Reg, kStackRead}, {E::Data_Buf, "10"}}},
        {11, els(E::RegW_Val), els(E::Status_Reg, E::PSW_Label, E::Data_Buf), {{E::RegW_Val, "10"}}},
        {12, els(E::PC_Val), els(E::RegW_Val), {{E::INC_DEC_Syst, ""}, {E::PC_Val, "1003"}, {E::SP_Val, "3000"}}},
    });
}

TEST(Control, RstTactByTact) {
    Rig r;
    r.m.s.sp = 0x3000;
    fetchAt(r, 0x0123, {0xFF});
    playRows(r, {
        {4, els(E::PC_Val), els(E::Cmd_Reg, E::Cmd_DC), {{E::PC_Val, "0124"}, {E::INC_DEC_Syst, "+1"}}},
        {5, els(E::Addr_Buf, E::Cycle_Num), els(E::PC_Val),
         {{E::INC_DEC_Syst, ""}, {E::Addr_Buf, "3000"}, {E::Cycle_Num, "2"}}},
        {6, els(E::SP_Val, E::Status_Reg, E::PSW_Label, E::Data_Buf), els(E::Addr_Buf, E::Cycle_Num),
         {{E::SP_Val, "2FFF"}, {E::INC_DEC_Syst, "-1"}, {E::Status_Reg, kStackWrite},
          {E::PSW_Label, "Запись в стек"}, {E::Data_Buf, "01"}},
         {{0x3000, 0x01}}},
        {7, els(E::Addr_Buf), els(E::Status_Reg, E::PSW_Label, E::Data_Buf),
         {{E::INC_DEC_Syst, ""}, {E::Addr_Buf, "2FFF"}}},
        // Cycle_Num turns green and then red again with the new number.
        {8, els(E::SP_Val, E::Status_Reg, E::PSW_Label, E::Data_Buf, E::Cycle_Num), els(E::Addr_Buf),
         {{E::SP_Val, "2FFE"}, {E::INC_DEC_Syst, "-1"}, {E::Status_Reg, kStackWrite}, {E::Data_Buf, "24"},
          {E::Cycle_Num, "3"}},
         {{0x2FFF, 0x24}}},
        {9, els(E::PC_Val), els(E::Cycle_Num, E::Status_Reg, E::PSW_Label, E::Data_Buf),
         {{E::INC_DEC_Syst, ""}, {E::PC_Val, "0038"}}},
    });
    EXPECT_TRUE(r.red(E::SP_Val));
}

}  // namespace
}  // namespace orlan::test
