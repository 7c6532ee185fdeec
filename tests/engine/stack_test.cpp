// Stack transfers: PUSH, POP (register pairs and PSW) and XTHL.
#include <gtest/gtest.h>

#include "tact_rows.h"
#include "rig.h"

namespace orlan::test {
namespace {

using rows::fetchAt;
using rows::playRows;
using El = Element;

const std::string kStackRead = "01100001", kStackWrite = "00100000";
const std::string kReadLabel = "Чтение стека", kWriteLabel = "Запись в стек";

TEST(Stack, TactCountsOfEveryForm) {
    const std::pair<uint8_t, int> forms[] = {
        {0xC5, 10}, {0xD5, 10}, {0xE5, 10}, {0xF5, 10},  // PUSH
        {0xC1, 11}, {0xD1, 11}, {0xE1, 11}, {0xF1, 11},  // POP
        {0xE3, 17},                                      // XTHL
    };
    for (const auto& [opcode, tacts] : forms) {
        SCOPED_TRACE(testing::Message() << "opcode " << std::hex << int(opcode));
        Rig r;
        r.poke(0x0100, {opcode});
        r.m.movePC(0x0100);
        r.m.s.sp = 0x5000;
        EXPECT_EQ(r.instruction(), tacts);
        EXPECT_EQ(r.m.s.pc, 0x0101);
    }
}

TEST(Stack, PushBThenPopDCarriesThePair) {
    Rig r;
    r.m.s.sp = 0x2000;
    r.m.s.reg[B] = 0x12;
    r.m.s.reg[C] = 0x34;
    r.poke(0x0100, {0xC5, 0xD1});
    r.m.movePC(0x0100);
    // Flags must come through untouched by register pairs.
    r.m.s.flags = 0x83;
    r.m.setLamp(Lamp::S, true);
    r.m.setLamp(Lamp::C, true);
    const LampSet lamps = r.m.s.lamps;
    EXPECT_EQ(r.instruction(), 10);
    EXPECT_EQ(r.m.s.memory[0x2000], 0x12);
    EXPECT_EQ(r.m.s.memory[0x1FFF], 0x34);
    EXPECT_EQ(r.m.s.sp, 0x1FFE);
    EXPECT_EQ(r.instruction(), 11);
    EXPECT_EQ(r.m.s.reg[D], 0x12);
    EXPECT_EQ(r.m.s.reg[E], 0x34);
    EXPECT_EQ(r.m.s.sp, 0x2000);
    EXPECT_EQ(r.m.s.flags, 0x83);
    EXPECT_EQ(r.m.s.lamps, lamps);
}

TEST(Stack, PushPswTakesTheFlagByteFromAllEightPositions) {
    struct Case {
        uint8_t flags, pushed;
    };
    // 00101000 has only the fixed positions 5 and 3 set; D7h clears position 1.
    for (const Case& c : {Case{0x46, 0x46}, Case{0x28, 0x28}, Case{0xD7, 0xD7}}) {
        SCOPED_TRACE(int(c.flags));
        Rig r;
        r.m.s.sp = 0x3000;
        r.m.s.reg[A] = 0x9C;
        r.m.s.flags = c.flags;
        r.poke(0x0100, {0xF5});
        r.m.movePC(0x0100);
        EXPECT_EQ(r.instruction(), 10);
        EXPECT_EQ(r.m.s.memory[0x3000], 0x9C);
        EXPECT_EQ(r.m.s.memory[0x2FFF], c.pushed);
        EXPECT_EQ(r.m.s.sp, 0x2FFE);
    }
}

TEST(Stack, PopPswWritesAllEightBitsAndTheLamps) {
    struct Case {
        uint8_t byte;
        std::string flagsText;
        bool s, z, ac, p, c;
    };
    const Case cases[] = {
        {0xD7, "11010111", true, true, true, true, true},
        {0x28, "00101000", false, false, false, false, false},  // bit 1 cleared, bits 5 and 3 set
        {0x41, "01000001", false, true, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flagsText);
        Rig r;
        r.m.s.sp = 0x2FFE;
        r.poke(0x2FFF, {c.byte, 0x3C});
        // Lamps start opposite to what the byte asks, so each one must be switched.
        r.m.setLamp(Lamp::S, !c.s);
        r.m.setLamp(Lamp::Z, !c.z);
        r.m.setLamp(Lamp::AC, !c.ac);
        r.m.setLamp(Lamp::P, !c.p);
        r.m.setLamp(Lamp::C, !c.c);
        fetchAt(r, 0x0100, {0xF1});
        r.tacts(4);  // tacts 4 to 7
        playRows(r, {
            {8, els(El::Flags_Reg, El::SP_Val), els(El::Data_Buf, El::Status_Reg, El::PSW_Label),
             {{El::Flags_Reg, c.flagsText}, {El::SP_Val, "3000"}, {El::INC_DEC_Syst, "+1"}}},
            {9, els(El::Addr_Buf, El::Cycle_Num), els(El::SP_Val, El::Flags_Reg),
             {{El::INC_DEC_Syst, ""}, {El::Addr_Buf, "3000"}, {El::Cycle_Num, "3"}}},
            {10, els(El::Data_Buf, El::Status_Reg, El::PSW_Label), els(El::Addr_Buf, El::Cycle_Num),
             {{El::Data_Buf, "3C"}, {El::Status_Reg, kStackRead}}},
            {11, els(El::RegA_Val), els(El::Data_Buf, El::Status_Reg, El::PSW_Label),
             {{El::RegA_Val, "3C"}, {El::Flags_Reg, c.flagsText}}},
        });
        EXPECT_EQ(r.m.lamp(Lamp::S), c.s);
        EXPECT_EQ(r.m.lamp(Lamp::Z), c.z);
        EXPECT_EQ(r.m.lamp(Lamp::AC), c.ac);
        EXPECT_EQ(r.m.lamp(Lamp::P), c.p);
        EXPECT_EQ(r.m.lamp(Lamp::C), c.c);
    }
}

TEST(Stack, PushAndPopWrapAroundTheEndOfMemory) {
    Rig r;
    r.m.s.sp = 0x0000;
    r.m.s.reg[H] = 0xAB;
    r.m.s.reg[L] = 0xCD;
    r.poke(0x0100, {0xE5});
    r.m.movePC(0x0100);
    r.instruction();
    EXPECT_EQ(r.m.s.memory[0x0000], 0xAB);
    EXPECT_EQ(r.m.s.memory[0xFFFF], 0xCD);
    EXPECT_EQ(r.m.s.sp, 0xFFFE);

    Rig p;
    p.m.s.sp = 0xFFFF;
    p.poke(0x0000, {0x34, 0x12});
    p.poke(0x0100, {0xC1});
    p.m.movePC(0x0100);
    p.instruction();
    EXPECT_EQ(p.m.s.reg[C], 0x34);
    EXPECT_EQ(p.m.s.reg[B], 0x12);
    EXPECT_EQ(p.m.s.sp, 0x0001);
}

// The memory view shades SP+1..FFFF: it must hear of every SP change, and only of those.
TEST(Stack, StackAreaFollowsSpTactByTact) {
    struct Case {
        uint8_t opcode;
        std::vector<uint16_t> spAfterTact;  // tacts 4 on
    };
    const Case cases[] = {
        {0xC5, {0x2000, 0x2000, 0x2000, 0x1FFF, 0x1FFF, 0x1FFF, 0x1FFE}},
        {0xC1, {0x2000, 0x2001, 0x2001, 0x2001, 0x2002, 0x2002, 0x2002, 0x2002}},
        {0xE3, {0x2001, 0x2001, 0x2001, 0x2002, 0x2002, 0x2002, 0x2002, 0x2002, 0x2002, 0x2001, 0x2001,
                0x2001, 0x2000, 0x2000}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "opcode " << std::hex << int(c.opcode));
        Rig r;
        r.m.s.sp = 0x2000;
        fetchAt(r, 0x0100, {c.opcode});
        uint16_t sp = 0x2000;
        for (size_t i = 0; i < c.spAfterTact.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "tact " << std::dec << i + 4);
            r.m.changes.spChanged = false;
            r.tacts(1);
            EXPECT_EQ(r.m.s.sp, c.spAfterTact[i]);
            EXPECT_EQ(r.m.changes.spChanged, c.spAfterTact[i] != sp);
            sp = c.spAfterTact[i];
        }
        EXPECT_FALSE(r.cpu.instructionInProgress());
    }
}

TEST(Stack, PushBTactByTact) {
    Rig r;
    r.m.s.sp = 0x2000;
    r.m.s.reg[B] = 0x12;
    r.m.s.reg[C] = 0x34;
    fetchAt(r, 0x0100, {0xC5});
    playRows(r, {
        {4, els(El::PC_Val), els(El::Cmd_DC, El::Cmd_Reg), {{El::PC_Val, "0101"}, {El::INC_DEC_Syst, "+1"}}},
        {5, els(El::Addr_Buf), els(El::PC_Val), {{El::INC_DEC_Syst, ""}, {El::Addr_Buf, "2000"}, {El::Cycle_Num, "1"}}},
        {6, els(El::Data_Buf, El::Status_Reg, El::PSW_Label, El::Cycle_Num), els(El::Addr_Buf),
         {{El::Data_Buf, "12"}, {El::Status_Reg, kStackWrite}, {El::PSW_Label, kWriteLabel}, {El::Cycle_Num, "2"}},
         {{0x2000, 0x12}}},
        {7, els(El::SP_Val), els(El::Cycle_Num, El::Data_Buf, El::Status_Reg, El::PSW_Label),
         {{El::SP_Val, "1FFF"}, {El::INC_DEC_Syst, ""}}},
        {8, els(El::Addr_Buf), els(El::SP_Val), {{El::Addr_Buf, "1FFF"}}},
        {9, els(El::Data_Buf, El::Status_Reg, El::PSW_Label, El::Cycle_Num), els(El::Addr_Buf),
         {{El::Data_Buf, "34"}, {El::Status_Reg, kStackWrite}, {El::Cycle_Num, "3"}},
         {{0x1FFF, 0x34}}},
        {10, els(El::SP_Val), els(El::Cycle_Num, El::Data_Buf, El::Status_Reg, El::PSW_Label),
         {{El::SP_Val, "1FFE"}, {El::INC_DEC_Syst, ""}}},
    });
}

TEST(Stack, PopDTactByTact) {
    Rig r;
    r.m.s.sp = 0x1FFE;
    r.poke(0x1FFF, {0x34, 0x12});
    fetchAt(r, 0x0100, {0xD1});
    playRows(r, {
        {4, els(El::PC_Val), els(El::Cmd_DC, El::Cmd_Reg), {{El::PC_Val, "0101"}, {El::INC_DEC_Syst, "+1"}}},
        {5, els(El::SP_Val), els(El::PC_Val), {{El::INC_DEC_Syst, "+1"}, {El::SP_Val, "1FFF"}}},
        {6, els(El::Addr_Buf, El::Cycle_Num), els(El::SP_Val),
         {{El::INC_DEC_Syst, ""}, {El::Addr_Buf, "1FFF"}, {El::Cycle_Num, "2"}}},
        {7, els(El::Data_Buf, El::Status_Reg, El::PSW_Label), els(El::Addr_Buf, El::Cycle_Num),
         {{El::Data_Buf, "34"}, {El::Status_Reg, kStackRead}, {El::PSW_Label, kReadLabel}}},
        {8, els(El::RegE_Val, El::SP_Val), els(El::Data_Buf, El::Status_Reg, El::PSW_Label),
         {{El::RegE_Val, "34"}, {El::SP_Val, "2000"}, {El::INC_DEC_Syst, "+1"}}},
        {9, els(El::Addr_Buf, El::Cycle_Num), els(El::SP_Val, El::RegE_Val),
         {{El::INC_DEC_Syst, ""}, {El::Addr_Buf, "2000"}, {El::Cycle_Num, "3"}}},
        {10, els(El::Data_Buf, El::Status_Reg, El::PSW_Label), els(El::Addr_Buf, El::Cycle_Num),
         {{El::Data_Buf, "12"}, {El::Status_Reg, kStackRead}}},
        {11, els(El::RegD_Val), els(El::Data_Buf, El::Status_Reg, El::PSW_Label),
         {{El::RegD_Val, "12"}, {El::SP_Val, "2000"}}},
    });
}

TEST(Stack, XthlTactByTact) {
    Rig r;
    r.m.s.sp = 0x3000;
    r.m.s.reg[H] = 0x12;
    r.m.s.reg[L] = 0x34;
    r.poke(0x3001, {0xCD, 0xAB});
    fetchAt(r, 0x0100, {0xE3});
    playRows(r, {
        {4, els(El::PC_Val, El::SP_Val), els(El::Cmd_DC, El::Cmd_Reg),
         {{El::PC_Val, "0101"}, {El::INC_DEC_Syst, "+1"}, {El::SP_Val, "3001"}}},
        {5, els(El::Addr_Buf, El::Cycle_Num), els(El::PC_Val, El::SP_Val),
         {{El::INC_DEC_Syst, ""}, {El::Addr_Buf, "3001"}, {El::Cycle_Num, "2"}}},
        {6, els(El::Status_Reg, El::PSW_Label, El::Data_Buf), els(El::Addr_Buf, El::Cycle_Num),
         {{El::Status_Reg, kStackRead}, {El::PSW_Label, kReadLabel}, {El::Data_Buf, "CD"}}},
        {7, els(El::RegW_Val, El::SP_Val), els(El::Status_Reg, El::PSW_Label, El::Data_Buf),
         {{El::RegW_Val, "CD"}, {El::INC_DEC_Syst, "+1"}, {El::SP_Val, "3002"}}},
        {8, els(El::Addr_Buf, El::Cycle_Num), els(El::RegW_Val, El::SP_Val),
         {{El::INC_DEC_Syst, ""}, {El::Addr_Buf, "3002"}, {El::Cycle_Num, "3"}}},
        {9, els(El::Status_Reg, El::PSW_Label, El::Data_Buf), els(El::Addr_Buf, El::Cycle_Num),
         {{El::Status_Reg, kStackRead}, {El::Data_Buf, "AB"}}},
        {10, els(El::RegZ_Val), els(El::Status_Reg, El::PSW_Label, El::Data_Buf), {{El::RegZ_Val, "AB"}}},
        {11, els(El::Addr_Buf, El::Cycle_Num), els(El::RegZ_Val), {{El::Addr_Buf, "3002"}, {El::Cycle_Num, "4"}}},
        {12, els(El::Status_Reg, El::PSW_Label, El::Data_Buf), els(El::Cycle_Num, El::Addr_Buf),
         {{El::Status_Reg, kStackWrite}, {El::PSW_Label, kWriteLabel}, {El::Data_Buf, "12"}},
         {{0x3002, 0x12}}},
        {13, els(El::SP_Val), els(El::Status_Reg, El::PSW_Label, El::Data_Buf),
         {{El::INC_DEC_Syst, "-1"}, {El::SP_Val, "3001"}}},
        {14, els(El::Addr_Buf, El::Cycle_Num), els(El::SP_Val, El::PC_Val),
         {{El::INC_DEC_Syst, ""}, {El::Addr_Buf, "3001"}, {El::Cycle_Num, "5"}}},
        {15, els(El::Status_Reg, El::PSW_Label, El::Data_Buf), els(El::Cycle_Num, El::Addr_Buf),
         {{El::Status_Reg, kStackWrite}, {El::Data_Buf, "34"}},
         {{0x3001, 0x34}}},
        {16, els(El::SP_Val, El::RegH_Val), els(El::Status_Reg, El::PSW_Label, El::Data_Buf),
         {{El::INC_DEC_Syst, "-1"}, {El::SP_Val, "3000"}, {El::RegH_Val, "AB"}, {El::RegL_Val, "34"}}},
        {17, els(El::RegL_Val), els(El::SP_Val, El::RegH_Val),
         {{El::INC_DEC_Syst, ""}, {El::RegL_Val, "CD"}, {El::RegW_Val, "CD"}, {El::RegZ_Val, "AB"}}},
    });
}

TEST(Stack, XthlTwiceRestoresAndNeverMovesSp) {
    for (uint16_t sp : {0x3000, 0xFFFF, 0xFFFE}) {
        SCOPED_TRACE(sp);
        Rig r;
        r.m.s.sp = sp;
        r.m.s.reg[H] = 0x12;
        r.m.s.reg[L] = 0x34;
        const uint16_t lo = static_cast<uint16_t>(sp + 1), hi = static_cast<uint16_t>(sp + 2);
        r.m.s.memory[lo] = 0xCD;
        r.m.s.memory[hi] = 0xAB;
        r.poke(0x0100, {0xE3, 0xE3});
        r.m.movePC(0x0100);
        EXPECT_EQ(r.instruction(), 17);
        EXPECT_EQ(r.m.s.sp, sp);
        EXPECT_EQ(r.m.hl(), 0xABCD);
        EXPECT_EQ(r.m.s.memory[lo], 0x34);
        EXPECT_EQ(r.m.s.memory[hi], 0x12);
        EXPECT_EQ(r.instruction(), 17);
        EXPECT_EQ(r.m.s.sp, sp);
        EXPECT_EQ(r.m.hl(), 0x1234);
        EXPECT_EQ(r.m.s.memory[lo], 0xCD);
        EXPECT_EQ(r.m.s.memory[hi], 0xAB);
    }
}

}  // namespace
}  // namespace orlan::test
