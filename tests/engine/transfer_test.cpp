// Register-pair and memory transfers: LXI, STAX, LDAX, INX, DCX, SHLD, LHLD, STA, LDA, XCHG, SPHL.
#include <gtest/gtest.h>

#include "tact_rows.h"
#include "rig.h"

namespace orlan::test {
namespace {

using rows::fetchAt;
using rows::playRows;
using rows::TactRow;
using El = Element;

const std::string kRead = "01000001", kWrite = "00000000";
const std::string kReadLabel = "Чтение памяти", kWriteLabel = "Запись в память";

uint16_t pairValue(const Rig& r, int code) {
    switch (code) {
        case 0: return r.m.pair(B, C);
        case 1: return r.m.pair(D, E);
        case 2: return r.m.pair(H, L);
        default: return r.m.s.sp;
    }
}

void setPair(Rig& r, int code, uint16_t v) {
    if (code == 3) {
        r.m.s.sp = v;
        return;
    }
    r.m.s.reg[code * 2] = static_cast<uint8_t>(v >> 8);
    r.m.s.reg[code * 2 + 1] = static_cast<uint8_t>(v);
}

// Tacts 4 to 10 shared by STA, LDA, SHLD and LHLD: the operand at pc+1, pc+2 into Z, then W.
std::vector<TactRow> addressRows(const std::string& pc1, const std::string& pc2, const std::string& pc3,
                                 const std::string& lo, const std::string& hi) {
    return {
        {4, els(El::PC_Val), els(El::Cmd_Reg, El::Cmd_DC), {{El::PC_Val, pc1}, {El::INC_DEC_Syst, "+1"}}},
        {5, els(El::Cycle_Num, El::Addr_Buf), els(El::PC_Val),
         {{El::INC_DEC_Syst, ""}, {El::Cycle_Num, "2"}, {El::Addr_Buf, pc1}}},
        {6, els(El::Status_Reg, El::PSW_Label, El::Data_Buf, El::RegZ_Val), els(El::Cycle_Num, El::Addr_Buf),
         {{El::Status_Reg, kRead}, {El::PSW_Label, kReadLabel}, {El::Data_Buf, lo}, {El::RegZ_Val, lo}}},
        {7, els(El::PC_Val), els(El::RegZ_Val, El::Status_Reg, El::PSW_Label, El::Data_Buf),
         {{El::PC_Val, pc2}, {El::INC_DEC_Syst, "+1"}}},
        {8, els(El::Cycle_Num, El::Addr_Buf), els(El::PC_Val),
         {{El::INC_DEC_Syst, ""}, {El::Cycle_Num, "3"}, {El::Addr_Buf, pc2}}},
        {9, els(El::Status_Reg, El::PSW_Label, El::Data_Buf, El::RegW_Val), els(El::Cycle_Num, El::Addr_Buf),
         {{El::Status_Reg, kRead}, {El::Data_Buf, hi}, {El::RegW_Val, hi}}},
        {10, els(El::PC_Val), els(El::RegW_Val, El::Status_Reg, El::PSW_Label, El::Data_Buf),
         {{El::PC_Val, pc3}, {El::INC_DEC_Syst, "+1"}}},
    };
}

void append(std::vector<TactRow>& rows, const std::vector<TactRow>& more) {
    rows.insert(rows.end(), more.begin(), more.end());
}

struct Form {
    uint8_t opcode;
    int tacts;
    uint16_t length;
};

TEST(Transfer, TactCountsLengthsAndFlagsOfEveryForm) {
    const Form forms[] = {
        {0x01, 10, 3}, {0x11, 10, 3}, {0x21, 10, 3}, {0x31, 10, 3},  // LXI
        {0x02, 7, 1},  {0x12, 7, 1},                                 // STAX
        {0x0A, 7, 1},  {0x1A, 7, 1},                                 // LDAX
        {0x03, 5, 1},  {0x13, 5, 1},  {0x23, 5, 1},  {0x33, 5, 1},   // INX
        {0x0B, 5, 1},  {0x1B, 5, 1},  {0x2B, 5, 1},  {0x3B, 5, 1},   // DCX
        {0x22, 15, 3}, {0x2A, 15, 3},                                // SHLD, LHLD
        {0x32, 12, 3}, {0x3A, 12, 3},                                // STA, LDA
        {0xEB, 4, 1},  {0xF9, 5, 1},                                 // XCHG, SPHL
    };
    for (const Form& f : forms) {
        SCOPED_TRACE(testing::Message() << "opcode " << std::hex << int(f.opcode));
        Rig r;
        r.poke(0x4000, {f.opcode, 0x00, 0x50});
        r.m.movePC(0x4000);
        for (int i = 0; i < 6; ++i) r.m.s.reg[i] = static_cast<uint8_t>(0x61 + i);
        r.m.s.reg[A] = 0x77;
        r.m.s.sp = 0x7000;
        // Every flag lamp in a state the instructions must not touch.
        r.m.s.flags = 0x95;  // S, AC, P, C on; Z off
        for (Lamp l : {Lamp::S, Lamp::AC, Lamp::P, Lamp::C}) r.m.setLamp(l, true);
        const LampSet lampsBefore = r.m.s.lamps;
        EXPECT_EQ(r.instruction(), f.tacts);
        EXPECT_EQ(r.m.s.pc, 0x4000 + f.length);
        EXPECT_EQ(r.text(El::Time_Num), std::to_string(f.tacts));
        EXPECT_EQ(r.m.s.flags, 0x95);
        EXPECT_EQ(r.m.s.lamps, lampsBefore);
        EXPECT_FALSE(r.red(El::Flags_Reg));
    }
}

TEST(Transfer, LxiHTactByTact) {
    Rig r;
    fetchAt(r, 0x0000, {0x21, 0x34, 0x12});
    playRows(r, {
        {4, els(El::PC_Val), els(El::Cmd_Reg, El::Cmd_DC), {{El::PC_Val, "0001"}, {El::INC_DEC_Syst, "+1"}}},
        {5, els(El::Cycle_Num, El::Addr_Buf), els(El::PC_Val),
         {{El::INC_DEC_Syst, ""}, {El::Cycle_Num, "2"}, {El::Addr_Buf, "0001"}}},
        {6, els(El::Status_Reg, El::PSW_Label, El::Data_Buf, El::RegL_Val), els(El::Cycle_Num, El::Addr_Buf),
         {{El::Status_Reg, kRead}, {El::PSW_Label, kReadLabel}, {El::Data_Buf, "34"}, {El::RegL_Val, "34"},
          {El::RegH_Val, "00"}}},
        {7, els(El::PC_Val), els(El::Status_Reg, El::PSW_Label, El::Data_Buf, El::RegL_Val),
         {{El::PC_Val, "0002"}, {El::INC_DEC_Syst, "+1"}}},
        {8, els(El::Cycle_Num, El::Addr_Buf), els(El::PC_Val),
         {{El::INC_DEC_Syst, ""}, {El::Cycle_Num, "3"}, {El::Addr_Buf, "0002"}}},
        {9, els(El::Status_Reg, El::PSW_Label, El::Data_Buf, El::RegH_Val), els(El::Cycle_Num, El::Addr_Buf),
         {{El::Status_Reg, kRead}, {El::Data_Buf, "12"}, {El::RegH_Val, "12"}}},
        {10, els(El::PC_Val), els(El::Status_Reg, El::PSW_Label, El::Data_Buf, El::RegH_Val),
         {{El::PC_Val, "0003"}, {El::INC_DEC_Syst, "+1"}}},
    });
    EXPECT_EQ(r.m.hl(), 0x1234);
}

TEST(Transfer, LxiSpSetsLowByteThenHighByte) {
    Rig r;  // SP starts at FFFF
    fetchAt(r, 0x0100, {0x31, 0x12, 0x34});
    r.tacts(3);  // up to tact 6
    EXPECT_EQ(r.text(El::SP_Val), "FF12");
    EXPECT_TRUE(r.red(El::SP_Val));
    EXPECT_EQ(r.m.changes.spChanged, true);
    r.tacts(1);
    EXPECT_FALSE(r.red(El::SP_Val));
    r.tacts(2);  // tact 9
    EXPECT_EQ(r.text(El::SP_Val), "3412");
    EXPECT_TRUE(r.red(El::SP_Val));
    r.tacts(1);
    EXPECT_FALSE(r.red(El::SP_Val));
    EXPECT_FALSE(r.cpu.instructionInProgress());
    EXPECT_EQ(r.m.s.pc, 0x0103);
    for (Reg reg : {B, C, D, E, H, L}) EXPECT_EQ(r.m.s.reg[reg], 0);
}

TEST(Transfer, InxDcxWrapAndTouchOnlyTheirPair) {
    struct Case {
        uint8_t opcode;
        int pair;
        uint16_t before, after;
    };
    const Case cases[] = {
        {0x03, 0, 0xFFFF, 0x0000}, {0x13, 1, 0x12FF, 0x1300}, {0x23, 2, 0xFFFF, 0x0000},
        {0x33, 3, 0xFFFF, 0x0000}, {0x0B, 0, 0x0000, 0xFFFF}, {0x1B, 1, 0x1200, 0x11FF},
        {0x2B, 2, 0x0000, 0xFFFF}, {0x3B, 3, 0x0000, 0xFFFF},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "opcode " << std::hex << int(c.opcode));
        Rig r;
        const uint16_t others[4] = {0x1111, 0x2222, 0x3333, 0x4444};
        for (int p = 0; p < 4; ++p) setPair(r, p, p == c.pair ? c.before : others[p]);
        r.poke(0x0200, {c.opcode});
        r.m.movePC(0x0200);
        EXPECT_EQ(r.instruction(), 5);
        for (int p = 0; p < 4; ++p) EXPECT_EQ(pairValue(r, p), p == c.pair ? c.after : others[p]) << p;
    }
}

TEST(Transfer, InxHTactByTact) {
    Rig r;
    r.m.s.reg[H] = 0x12;
    r.m.s.reg[L] = 0xFF;
    fetchAt(r, 0x0040, {0x23});
    playRows(r, {
        {4, els(El::RegH_Val, El::RegL_Val), els(El::Cmd_DC, El::Cmd_Reg),
         {{El::RegH_Val, "13"}, {El::RegL_Val, "00"}, {El::INC_DEC_Syst, "+1"}, {El::PC_Val, "0040"}}},
        {5, els(El::PC_Val), els(El::RegH_Val, El::RegL_Val), {{El::PC_Val, "0041"}, {El::INC_DEC_Syst, "+1"}}},
    });
}

TEST(Transfer, DcxSpTactByTact) {
    Rig r;
    r.m.s.sp = 0x0000;
    fetchAt(r, 0x0040, {0x3B});
    playRows(r, {
        {4, els(El::SP_Val), els(El::Cmd_DC, El::Cmd_Reg),
         {{El::SP_Val, "FFFF"}, {El::INC_DEC_Syst, "-1"}, {El::PC_Val, "0040"}}},
        {5, els(El::PC_Val), els(El::SP_Val), {{El::PC_Val, "0041"}, {El::INC_DEC_Syst, "+1"}}},
    });
}

TEST(Transfer, StaxWritesAThroughThePair) {
    Rig r;
    r.m.s.reg[A] = 0x77;
    r.m.s.reg[D] = 0x30;
    r.m.s.reg[E] = 0x05;
    fetchAt(r, 0x0100, {0x12});
    playRows(r, {
        {4, els(El::PC_Val), els(El::Cmd_DC, El::Cmd_Reg), {{El::PC_Val, "0101"}, {El::INC_DEC_Syst, "+1"}}},
        {5, els(El::Addr_Buf, El::Cycle_Num), els(El::PC_Val),
         {{El::INC_DEC_Syst, ""}, {El::Addr_Buf, "3005"}, {El::Cycle_Num, "2"}}},
        {6, els(El::Data_Buf), els(El::Addr_Buf, El::Cycle_Num), {{El::Data_Buf, "77"}}},
        {7, els(El::Status_Reg, El::PSW_Label), els(El::Data_Buf),
         {{El::Status_Reg, kWrite}, {El::PSW_Label, kWriteLabel}},
         {{0x3005, 0x77}}},
    });
    EXPECT_EQ(r.m.s.memory[0x3005], 0x77);
}

TEST(Transfer, LdaxLoadsAWithoutTouchingItsHighlight) {
    for (bool aRedBefore : {false, true}) {
        SCOPED_TRACE(aRedBefore);
        Rig r;
        r.m.s.reg[B] = 0x20;
        r.m.s.reg[C] = 0x10;
        r.poke(0x2010, {0xC4});
        fetchAt(r, 0x0100, {0x0A});
        playRows(r, {
            {4, els(El::PC_Val), els(El::Cmd_DC, El::Cmd_Reg), {{El::PC_Val, "0101"}}},
            {5, els(El::Addr_Buf, El::Cycle_Num), els(El::PC_Val), {{El::Addr_Buf, "2010"}, {El::Cycle_Num, "2"}}},
            {6, els(El::Status_Reg, El::PSW_Label, El::Data_Buf), els(El::Addr_Buf, El::Cycle_Num),
             {{El::Status_Reg, kRead}, {El::PSW_Label, kReadLabel}, {El::Data_Buf, "C4"}, {El::RegA_Val, "00"}}},
        }, false);
        if (aRedBefore) r.m.red(bit(El::RegA_Val));
        playRows(r, {{7, 0, els(El::Status_Reg, El::PSW_Label, El::Data_Buf), {{El::RegA_Val, "C4"}}}});
        EXPECT_EQ(r.red(El::RegA_Val), aRedBefore);
    }
}

TEST(Transfer, Sta2000hTactByTact) {
    Rig r;
    r.m.s.reg[A] = 0x5A;
    r.m.s.w = 0xAA;
    r.m.s.z = 0xBB;
    fetchAt(r, 0x0100, {0x32, 0x00, 0x20});
    auto rows = addressRows("0101", "0102", "0103", "00", "20");
    append(rows, {
        {11, els(El::Cycle_Num, El::Addr_Buf), els(El::PC_Val),
         {{El::INC_DEC_Syst, ""}, {El::Cycle_Num, "4"}, {El::Addr_Buf, "2000"}}},
        {12, els(El::Status_Reg, El::PSW_Label, El::Data_Buf), els(El::Cycle_Num, El::Addr_Buf),
         {{El::Status_Reg, kWrite}, {El::PSW_Label, kWriteLabel}, {El::Data_Buf, "5A"}},
         {{0x2000, 0x5A}}},
    });
    playRows(r, rows);
    EXPECT_EQ(r.m.s.memory[0x2000], 0x5A);
    EXPECT_EQ(r.m.wz(), 0x2000);
    // The memory view learns of the cell, so its mnemonic column follows.
    EXPECT_LE(r.m.changes.memLo, 0x2000u);
    EXPECT_GE(r.m.changes.memHi, 0x2000u);
}

TEST(Transfer, LdaLoadsAAndLightsIt) {
    Rig r;
    r.poke(0x1234, {0x9E});
    fetchAt(r, 0x0100, {0x3A, 0x34, 0x12});
    r.tacts(8);  // tact 11
    EXPECT_EQ(r.text(El::Addr_Buf), "1234");
    playRows(r, {{12, els(El::Status_Reg, El::PSW_Label, El::Data_Buf, El::RegA_Val),
                  els(El::Cycle_Num, El::Addr_Buf),
                  {{El::Status_Reg, kRead}, {El::PSW_Label, kReadLabel}, {El::Data_Buf, "9E"}, {El::RegA_Val, "9E"}}}});
    EXPECT_EQ(r.m.s.pc, 0x0103);
}

TEST(Transfer, ShldAtFFFFhWrapsTheSecondByteToZero) {
    Rig r;
    r.m.s.reg[H] = 0x12;
    r.m.s.reg[L] = 0x34;
    fetchAt(r, 0x0100, {0x22, 0xFF, 0xFF});
    auto rows = addressRows("0101", "0102", "0103", "FF", "FF");
    append(rows, {
        {11, els(El::Addr_Buf, El::Cycle_Num), els(El::PC_Val),
         {{El::INC_DEC_Syst, ""}, {El::Addr_Buf, "FFFF"}, {El::Cycle_Num, "4"}}},
        {12, els(El::Status_Reg, El::PSW_Label, El::Data_Buf), els(El::Cycle_Num, El::Addr_Buf),
         {{El::Status_Reg, kWrite}, {El::PSW_Label, kWriteLabel}, {El::Data_Buf, "34"}},
         {{0xFFFF, 0x34}}},
        {13, els(El::RegW_Val, El::RegZ_Val), els(El::Status_Reg, El::PSW_Label, El::Data_Buf),
         {{El::RegW_Val, "00"}, {El::RegZ_Val, "00"}, {El::INC_DEC_Syst, "+1"}, {El::PC_Val, "0103"}}},
        // Only the mark empties: PC_Val keeps its colour.
        {14, els(El::Addr_Buf, El::Cycle_Num), els(El::RegZ_Val, El::RegW_Val),
         {{El::INC_DEC_Syst, ""}, {El::Addr_Buf, "0000"}, {El::Cycle_Num, "5"}}},
        {15, els(El::Status_Reg, El::PSW_Label, El::Data_Buf), els(El::Cycle_Num, El::Addr_Buf),
         {{El::Status_Reg, kWrite}, {El::PSW_Label, kWriteLabel}, {El::Data_Buf, "12"}},
         {{0x0000, 0x12}}},
    });
    playRows(r, rows);
    EXPECT_EQ(r.m.wz(), 0x0000);
    EXPECT_EQ(r.m.s.pc, 0x0103);
}

TEST(Transfer, LhldReadsLThenHAndLeavesAddressPlusOneInWZ) {
    Rig r;
    r.poke(0x3000, {0xCD, 0xAB});
    fetchAt(r, 0x0100, {0x2A, 0x00, 0x30});
    auto rows = addressRows("0101", "0102", "0103", "00", "30");
    append(rows, {
        {11, els(El::Addr_Buf, El::Cycle_Num), els(El::PC_Val), {{El::Addr_Buf, "3000"}, {El::Cycle_Num, "4"}}},
        {12, els(El::Status_Reg, El::PSW_Label, El::Data_Buf, El::RegL_Val), els(El::Cycle_Num, El::Addr_Buf),
         {{El::Status_Reg, kRead}, {El::PSW_Label, kReadLabel}, {El::Data_Buf, "CD"}, {El::RegL_Val, "CD"},
          {El::RegH_Val, "00"}}},
        {13, els(El::RegW_Val, El::RegZ_Val), els(El::Status_Reg, El::PSW_Label, El::Data_Buf),
         {{El::RegW_Val, "30"}, {El::RegZ_Val, "01"}, {El::INC_DEC_Syst, "+1"}}},
        {14, els(El::Addr_Buf, El::Cycle_Num), els(El::RegZ_Val, El::RegW_Val, El::RegL_Val),
         {{El::INC_DEC_Syst, ""}, {El::Addr_Buf, "3001"}, {El::Cycle_Num, "5"}}},
        {15, els(El::Status_Reg, El::PSW_Label, El::Data_Buf, El::RegH_Val), els(El::Cycle_Num, El::Addr_Buf),
         {{El::Status_Reg, kRead}, {El::Data_Buf, "AB"}, {El::RegH_Val, "AB"}, {El::RegL_Val, "CD"}}},
    });
    playRows(r, rows);
    EXPECT_EQ(r.m.hl(), 0xABCD);
    EXPECT_EQ(r.m.wz(), 0x3001);
}

TEST(Transfer, XchgSwapsInOneTactAndLeavesOldDEInWZ) {
    Rig r;
    r.m.s.reg[D] = 0x12;
    r.m.s.reg[E] = 0x34;
    r.m.s.reg[H] = 0x56;
    r.m.s.reg[L] = 0x78;
    fetchAt(r, 0x0100, {0xEB});
    playRows(r, {{4,
                  els(El::RegW_Val, El::RegZ_Val, El::RegD_Val, El::RegE_Val, El::RegH_Val, El::RegL_Val,
                      El::PC_Val),
                  els(El::Cmd_DC, El::Cmd_Reg),
                  {{El::RegD_Val, "56"}, {El::RegE_Val, "78"}, {El::RegH_Val, "12"}, {El::RegL_Val, "34"},
                   {El::RegW_Val, "12"}, {El::RegZ_Val, "34"}, {El::PC_Val, "0101"}, {El::INC_DEC_Syst, "+1"}}}});
}

TEST(Transfer, SphlCopiesHLIntoSp) {
    struct Case {
        uint8_t h, l;
        std::string sp;
    };
    for (const Case& c : {Case{0x00, 0x00, "0000"}, Case{0xAB, 0xCD, "ABCD"}}) {
        SCOPED_TRACE(c.sp);
        Rig r;
        r.m.s.reg[H] = c.h;
        r.m.s.reg[L] = c.l;
        fetchAt(r, 0x0100, {0xF9});
        playRows(r, {
            {4, els(El::PC_Val), els(El::Cmd_DC, El::Cmd_Reg), {{El::PC_Val, "0101"}, {El::SP_Val, "FFFF"}}},
            {5, els(El::SP_Val), els(El::PC_Val), {{El::SP_Val, c.sp}, {El::INC_DEC_Syst, ""}}},
        });
    }
}

}  // namespace
}  // namespace orlan::test
