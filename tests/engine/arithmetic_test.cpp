// Results, flags and tact counts of the accumulator, rotate, carry, INR/DCR, DAD and DAA families.
#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "arith_rig.h"
#include "Notation.h"

namespace orlan::test {
namespace {

// Two starting flag patterns: every flag the instruction must compute starts once on and once
// off, and positions 3, 5 and 7 of Flags_Reg start once as 1, 1, 0 and once as 0, 0, 1.
constexpr uint8_t kAllClear = 0x28;  // S Z AC P off; positions 3, 5 on, 7 off
constexpr uint8_t kAllSet = 0xD6;    // S Z AC P on; positions 3, 5 off, 7 on
constexpr uint8_t kOtherBits = 0x2A;

int run(Rig& r, std::initializer_list<uint8_t> program) {
    r.poke(0, program);
    return r.instruction();
}

// --- tact counts --------------------------------------------------------------------------------

struct CountCase {
    std::vector<uint8_t> bytes;
    int tacts;
    uint16_t pcAfter;
};

TEST(ArithTactCounts, EveryFormTakesItsTactsAndAdvancesPc) {
    const CountCase cases[] = {
        {{0x80}, 5, 1},       {{0x8F}, 5, 1},       {{0x93}, 5, 1},       {{0x9D}, 5, 1},
        {{0x86}, 7, 1},       {{0x8E}, 7, 1},       {{0x96}, 7, 1},       {{0x9E}, 7, 1},
        {{0xA0}, 5, 1},       {{0xA9}, 5, 1},       {{0xB7}, 5, 1},       {{0xA6}, 7, 1},
        {{0xAE}, 7, 1},       {{0xB6}, 7, 1},       {{0xB8}, 5, 1},       {{0xBE}, 6, 1},
        {{0xC6, 0x01}, 7, 2}, {{0xCE, 0x01}, 7, 2}, {{0xD6, 0x01}, 7, 2}, {{0xDE, 0x01}, 7, 2},
        {{0xE6, 0x01}, 7, 2}, {{0xEE, 0x01}, 7, 2}, {{0xF6, 0x01}, 7, 2}, {{0xFE, 0x01}, 7, 2},
        {{0x07}, 5, 1},       {{0x0F}, 5, 1},       {{0x17}, 5, 1},       {{0x1F}, 5, 1},
        {{0x2F}, 4, 1},       {{0x37}, 4, 1},       {{0x3F}, 4, 1},       {{0x27}, 4, 1},
        {{0x04}, 5, 1},       {{0x3C}, 5, 1},       {{0x34}, 9, 1},       {{0x0D}, 5, 1},
        {{0x35}, 9, 1},       {{0x09}, 10, 1},      {{0x19}, 10, 1},      {{0x29}, 10, 1},
        {{0x39}, 10, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "opcode " << std::hex << int{c.bytes[0]});
        Rig r;
        r.m.s.reg[H] = 0x20;
        for (size_t i = 0; i < c.bytes.size(); ++i) r.m.s.memory[i] = c.bytes[i];
        EXPECT_EQ(r.instruction(), c.tacts);
        EXPECT_EQ(r.text(Element::Time_Num), std::to_string(c.tacts));
        EXPECT_EQ(r.m.s.pc, c.pcAfter);
    }
}

// --- ADD ... CMP in all three forms
// ---------------------------------------------------------------

enum AccOp : uint8_t { ADD, ADC, SUB, SBB, ANA, XRA, ORA, CMP };

struct AluCase {
    AccOp op;
    uint8_t a, v;
    bool cy;
    uint8_t result;
    FlagSet flags;
};

constexpr AluCase kAluCases[] = {
    {ADD, 0x80, 0x80, 0, 0x00, {0, 1, 0, 1, 1}},
    {ADD, 0x0F, 0x01, 0, 0x10, {0, 0, 1, 0, 0}},
    {ADD, 0x7F, 0x01, 0, 0x80, {1, 0, 1, 0, 0}},
    {ADD, 0x12, 0x34, 1, 0x46, {0, 0, 0, 0, 0}},  // ADD ignores CY
    {ADC, 0xFF, 0x00, 1, 0x00, {0, 1, 1, 1, 1}},
    {ADC, 0x10, 0x20, 1, 0x31, {0, 0, 0, 0, 0}},
    {ADC, 0x10, 0x20, 0, 0x30, {0, 0, 0, 1, 0}},
    {SUB, 0x10, 0x20, 0, 0xF0, {1, 0, 0, 1, 1}},
    {SUB, 0x05, 0x05, 1, 0x00, {0, 1, 0, 1, 0}},  // SUB ignores CY
    {SUB, 0x10, 0x01, 0, 0x0F, {0, 0, 0, 1, 0}},  // a borrow out of bit 4 leaves AC clear
    {SBB, 0x00, 0x00, 1, 0xFF, {1, 0, 0, 1, 1}},
    {SBB, 0x05, 0x04, 1, 0x00, {0, 1, 0, 1, 0}},
    {SBB, 0x05, 0x05, 1, 0xFF, {1, 0, 0, 1, 1}},
    {SBB, 0x05, 0x04, 0, 0x01, {0, 0, 0, 0, 0}},
    {ANA, 0xF0, 0x3C, 1, 0x30, {0, 0, 0, 1, 0}},
    {ANA, 0x0F, 0xF0, 0, 0x00, {0, 1, 0, 1, 0}},
    {XRA, 0xFF, 0xFF, 1, 0x00, {0, 1, 0, 1, 0}},
    {XRA, 0x5A, 0x0F, 1, 0x55, {0, 0, 0, 1, 0}},
    {ORA, 0x80, 0x01, 1, 0x81, {1, 0, 0, 1, 0}},
    {ORA, 0x0F, 0x0F, 1, 0x0F, {0, 0, 0, 1, 0}},
    {CMP, 0x05, 0x07, 0, 0x05, {1, 0, 0, 0, 1}},
    {CMP, 0x42, 0x42, 1, 0x42, {0, 1, 0, 1, 0}},
    {CMP, 0x07, 0x05, 0, 0x07, {0, 0, 0, 0, 0}},
};

enum class Form { Register, Memory, Immediate };

TEST(ArithAlu, ResultsAndFlagsAgreeInRegisterMemoryAndImmediateForms) {
    for (const auto& c : kAluCases) {
        for (Form form : {Form::Register, Form::Memory, Form::Immediate}) {
            for (uint8_t start : {kAllClear, kAllSet}) {
                SCOPED_TRACE(testing::Message()
                             << "op " << int{c.op} << " A " << std::hex << int{c.a} << " v "
                             << int{c.v} << " cy " << c.cy << " form " << int(form) << " start "
                             << int{start});
                Rig r;
                setFlags(r, static_cast<uint8_t>(start | (c.cy ? 1 : 0)));
                r.m.s.reg[A] = c.a;
                const uint8_t base = static_cast<uint8_t>(c.op << 3);
                switch (form) {
                    case Form::Register:
                        r.m.s.reg[D] = c.v;
                        run(r, {static_cast<uint8_t>(0x80 | base | D)});
                        break;
                    case Form::Memory:
                        r.m.s.reg[H] = 0x20;
                        r.m.s.reg[L] = 0x10;
                        r.m.s.memory[0x2010] = c.v;
                        run(r, {static_cast<uint8_t>(0x86 | base)});
                        break;
                    case Form::Immediate:
                        run(r, {static_cast<uint8_t>(0xC6 | base), c.v});
                        break;
                }
                EXPECT_EQ(r.m.s.reg[A], c.result);
                EXPECT_EQ(r.text(Element::RegA_Val), formatByte(c.result));
                expectFlags(r, c.flags, start);
            }
        }
    }
}

TEST(ArithAlu, RegisterFormTakesTheRegisterOfTheLowBits) {
    const uint8_t values[8] = {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0, 0x40};
    for (uint8_t src : {0, 1, 2, 3, 4, 5, 7}) {
        SCOPED_TRACE(testing::Message() << "source " << int{src});
        Rig r;
        for (uint8_t i = 0; i < 8; ++i) r.m.s.reg[i] = values[i];
        run(r, {static_cast<uint8_t>(0x80 | src)});
        EXPECT_EQ(r.m.s.reg[A], 0x40 + values[src]);
    }
}

TEST(ArithAlu, CmpLeavesAccumulatorAndItsHighlightAlone) {
    for (uint8_t opcode : {0xB9, 0xBE}) {
        Rig r;
        r.m.s.reg[A] = 0x05;
        r.m.s.reg[C] = 0x07;
        r.m.s.reg[H] = 0x30;
        r.m.s.memory[0x3000] = 0x07;
        r.poke(0, {opcode});
        do {
            r.tacts(1);
            EXPECT_FALSE(r.red(Element::RegA_Val)) << "tact " << r.text(Element::Time_Num);
        } while (r.cpu.instructionInProgress());
        EXPECT_EQ(r.m.s.reg[A], 0x05);
        EXPECT_TRUE(r.m.lamp(Lamp::C));
        EXPECT_TRUE(r.red(Element::Flags_Reg));  // until the next fetch
    }
}

// --- INR, DCR
// -------------------------------------------------------------------------------------

struct StepCase {
    bool increment;
    uint8_t v, result;
    bool s, z, ac, p;
};

constexpr StepCase kStepCases[] = {
    {true, 0xFF, 0x00, 0, 1, 1, 1},  {true, 0x0F, 0x10, 0, 0, 1, 0},
    {true, 0x7F, 0x80, 1, 0, 1, 0},  {true, 0x3E, 0x3F, 0, 0, 0, 1},
    {true, 0xAF, 0xB0, 1, 0, 1, 0},  {false, 0x00, 0xFF, 1, 0, 0, 1},
    {false, 0x10, 0x0F, 0, 0, 0, 1}, {false, 0x01, 0x00, 0, 1, 0, 1},
    {false, 0x81, 0x80, 1, 0, 0, 0},
};

TEST(ArithIncDec, FlagsFollowTheNewValueAndCarryStays) {
    for (const auto& c : kStepCases) {
        // Register C, register A and the memory operand.
        for (uint8_t reg : {C, A, M}) {
            for (bool carry : {false, true}) {
                const uint8_t start = carry ? (kAllClear | 0x01) : kAllSet;
                SCOPED_TRACE(testing::Message() << (c.increment ? "INR " : "DCR ") << int{reg}
                                                << " v " << std::hex << int{c.v} << " C " << carry);
                Rig r;
                setFlags(r, start);
                r.m.s.reg[H] = 0x30;
                r.m.s.reg[L] = 0x01;
                if (reg == M)
                    r.m.s.memory[0x3001] = c.v;
                else
                    r.m.s.reg[reg] = c.v;
                run(r, {static_cast<uint8_t>(reg << 3 | (c.increment ? 0x04 : 0x05))});
                if (reg == M) {
                    EXPECT_EQ(r.m.s.memory[0x3001], c.result);
                    EXPECT_EQ(r.m.s.w, c.result);
                } else {
                    EXPECT_EQ(r.m.s.reg[reg], c.result);
                }
                expectFlags(r, {c.s, c.z, c.ac, c.p, carry}, start);
            }
        }
    }
}

// --- DAD
// ------------------------------------------------------------------------------------------

struct DadCase {
    uint8_t opcode;
    uint16_t hl, rp;  // rp is ignored for DAD H
    uint16_t sum;
    bool carry;
};

TEST(ArithDad, AddsThePairToHlAndChangesOnlyCarry) {
    const DadCase cases[] = {
        {0x29, 0x8000, 0, 0x0000, 1},      {0x29, 0x4444, 0, 0x8888, 0},
        {0x09, 0x00FF, 0x0001, 0x0100, 0}, {0x09, 0xFFFF, 0x0001, 0x0000, 1},
        {0x19, 0x1234, 0x4321, 0x5555, 0}, {0x19, 0x8001, 0x8001, 0x0002, 1},
        {0x39, 0x0001, 0xFFFF, 0x0000, 1}, {0x39, 0x1200, 0x0034, 0x1234, 0},
    };
    for (const auto& c : cases) {
        for (uint8_t start : {kAllClear, static_cast<uint8_t>(kAllSet | 0x01)}) {
            SCOPED_TRACE(testing::Message() << std::hex << "opcode " << int{c.opcode} << " HL "
                                            << c.hl << " rp " << c.rp << " start " << int{start});
            Rig r;
            setFlags(r, start);
            r.m.s.reg[H] = c.hl >> 8;
            r.m.s.reg[L] = c.hl & 0xFF;
            const uint8_t hi = c.rp >> 8, lo = c.rp & 0xFF;
            if (c.opcode == 0x09) r.m.s.reg[B] = hi, r.m.s.reg[C] = lo;
            if (c.opcode == 0x19) r.m.s.reg[D] = hi, r.m.s.reg[E] = lo;
            if (c.opcode == 0x39) r.m.s.sp = c.rp;
            EXPECT_EQ(run(r, {c.opcode}), 10);
            EXPECT_EQ(r.m.hl(), c.sum);
            const bool on = start & 0x80;  // S, Z, AC, P all started this way
            expectFlags(r, {on, on, on, on, c.carry}, start);
            // The added pair itself stays as it was.
            if (c.opcode == 0x09) {
                EXPECT_EQ(r.m.pair(B, C), c.rp);
            } else if (c.opcode == 0x19) {
                EXPECT_EQ(r.m.pair(D, E), c.rp);
            } else if (c.opcode == 0x39) {
                EXPECT_EQ(r.m.s.sp, c.rp);
            }
        }
    }
}

// --- rotates, CMA, STC, CMC
// ------------------------------------------------------------------------

struct RotateCase {
    uint8_t opcode, a;
    bool carryIn;
    uint8_t result;
    bool carryOut;
};

TEST(ArithRotate, RotatesSetCarryWithoutHighlightingFlags) {
    const RotateCase cases[] = {
        {0x07, 0x80, 0, 0x01, 1}, {0x07, 0x01, 1, 0x02, 0}, {0x07, 0x81, 0, 0x03, 1},
        {0x0F, 0x01, 0, 0x80, 1}, {0x0F, 0x02, 1, 0x01, 0}, {0x0F, 0x81, 0, 0xC0, 1},
        {0x17, 0x80, 0, 0x00, 1}, {0x17, 0x01, 1, 0x03, 0}, {0x17, 0x7F, 0, 0xFE, 0},
        {0x1F, 0x01, 1, 0x80, 1}, {0x1F, 0x80, 0, 0x40, 0}, {0x1F, 0x02, 1, 0x81, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << "opcode " << int{c.opcode} << " A "
                                        << int{c.a} << " C " << c.carryIn);
        Rig r;
        const uint8_t start = static_cast<uint8_t>(0x94 | 0x02 | (c.carryIn ? 1 : 0));  // S AC P on
        setFlags(r, start);
        r.m.s.reg[A] = c.a;
        EXPECT_EQ(run(r, {c.opcode}), 5);
        EXPECT_EQ(r.m.s.reg[A], c.result);
        expectFlags(r, {1, 0, 1, 1, c.carryOut}, start);
        EXPECT_FALSE(r.red(Element::Flags_Reg));
        EXPECT_EQ(r.text(Element::Buf_Reg_2), formatByte(c.a));
    }
}

TEST(ArithCarryOps, CmaComplementsAndKeepsEveryFlag) {
    for (uint8_t start : {kAllClear, static_cast<uint8_t>(kAllSet | 0x01)}) {
        for (auto [a, notA] : {std::pair<uint8_t, uint8_t>{0x00, 0xFF}, {0x5A, 0xA5}}) {
            Rig r;
            setFlags(r, start);
            r.m.s.reg[A] = a;
            run(r, {0x2F});
            EXPECT_EQ(r.m.s.reg[A], notA);
            EXPECT_EQ(r.m.s.flags, start);
            EXPECT_EQ(r.m.lamp(Lamp::C), (start & 1) != 0);
            EXPECT_EQ(r.m.lamp(Lamp::Z), (start & 0x40) != 0);
            EXPECT_TRUE(r.red(Element::RegA_Val));
            EXPECT_TRUE(r.red(Element::Buf_Reg_2));
            EXPECT_EQ(r.text(Element::Buf_Reg_2), formatByte(a));
            EXPECT_FALSE(r.red(Element::Flags_Reg));
        }
    }
}

TEST(ArithCarryOps, StcThenCmcClearsCarryLampAndDigit) {
    Rig r;
    setFlags(r, kAllSet);  // C off
    r.poke(0, {0x37, 0x3F, 0x3F});
    r.instruction();
    expectFlags(r, {1, 1, 1, 1, 1}, kAllSet);
    EXPECT_TRUE(r.red(Element::Flags_Reg));
    r.instruction();
    expectFlags(r, {1, 1, 1, 1, 0}, kAllSet);
    EXPECT_TRUE(r.red(Element::Flags_Reg));
    r.instruction();  // CMC from clear sets it again
    expectFlags(r, {1, 1, 1, 1, 1}, kAllSet);
    EXPECT_EQ(r.m.s.pc, 3);
}

// --- DAA
// ------------------------------------------------------------------------------------------

struct DaaAfterAdd {
    uint8_t a, b, sum, adjusted;
    FlagSet flags;
};

TEST(ArithDaa, AdjustsTheSumOfTwoDecimalNumbers) {
    const DaaAfterAdd cases[] = {
        {0x09, 0x08, 0x11, 0x17, {0, 0, 0, 1, 0}}, {0x99, 0x01, 0x9A, 0x00, {0, 1, 1, 1, 1}},
        {0x15, 0x27, 0x3C, 0x42, {0, 0, 1, 1, 0}}, {0x08, 0x08, 0x10, 0x16, {0, 0, 0, 0, 0}},
        {0x29, 0x19, 0x42, 0x48, {0, 0, 0, 1, 0}}, {0x90, 0x90, 0x20, 0x80, {1, 0, 0, 0, 1}},
        {0x50, 0x50, 0xA0, 0x00, {0, 1, 0, 1, 1}}, {0x99, 0x99, 0x32, 0x98, {1, 0, 0, 0, 1}},
        {0x38, 0x45, 0x7D, 0x83, {1, 0, 1, 0, 0}}, {0x12, 0x34, 0x46, 0x46, {0, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << int{c.a} << " + " << int{c.b});
        Rig r;
        setFlags(r, kAllClear);
        r.m.s.reg[A] = c.a;
        r.m.s.reg[B] = c.b;
        r.poke(0, {0x80, 0x27});
        r.instruction();
        ASSERT_EQ(r.m.s.reg[A], c.sum);
        EXPECT_EQ(r.instruction(), 4);
        EXPECT_EQ(r.m.s.reg[A], c.adjusted);
        expectFlags(r, c.flags, kAllClear);
    }
}

struct DaaDirect {
    uint8_t a;
    bool ac, c;
    uint8_t adjusted;
    FlagSet flags;
};

TEST(ArithDaa, UsesTheIncomingAuxiliaryCarryAndCarry) {
    const DaaDirect cases[] = {
        {0xFA, 0, 0, 0x60, {0, 0, 1, 1, 1}},  // the low correction carries out of bit 7
        {0x12, 0, 1, 0x72, {0, 0, 0, 1, 1}}, {0x12, 1, 0, 0x18, {0, 0, 0, 1, 0}},
        {0x0A, 0, 0, 0x10, {0, 0, 1, 0, 0}}, {0x9B, 0, 0, 0x01, {0, 0, 1, 0, 1}},
        {0x00, 0, 0, 0x00, {0, 1, 0, 1, 0}}, {0x00, 1, 1, 0x66, {0, 0, 0, 1, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << int{c.a} << " AC " << c.ac << " C " << c.c);
        Rig r;
        const uint8_t start = static_cast<uint8_t>(0x02 | (c.ac ? 0x10 : 0) | (c.c ? 0x01 : 0));
        setFlags(r, start);
        r.m.s.reg[A] = c.a;
        EXPECT_EQ(run(r, {0x27}), 4);
        EXPECT_EQ(r.m.s.reg[A], c.adjusted);
        expectFlags(r, c.flags, start);
    }
}

// The adjustment worked out digit by digit, without the engine: a low digit above 9, or one that
// already carried (AC), gets 6; then a high digit above 9, a carry already set, or a carry out of
// the first correction gets 60h and sets C. AC tells whether the low correction carried.
struct Adjusted {
    uint8_t a;
    bool ac, c;
};

Adjusted decimalAdjust(uint8_t a, bool ac, bool c) {
    unsigned value = a;
    bool carryFromLow = false;
    if ((a & 0x0F) > 9 || ac) {
        carryFromLow = (a & 0x0F) + 6 > 0x0F;
        value += 0x06;
    }
    const bool highTooBig = ((value >> 4) & 0x0F) > 9;
    if (highTooBig || c || value > 0xFF) {
        value += 0x60;
        c = true;
    }
    return {static_cast<uint8_t>(value), carryFromLow, c};
}

TEST(ArithDaa, EveryAccumulatorWithEveryIncomingCarry) {
    for (int a = 0; a < 256; ++a) {
        for (int flags = 0; flags < 4; ++flags) {
            const bool ac = flags & 1, c = flags & 2;
            SCOPED_TRACE(testing::Message() << std::hex << "A " << a << " AC " << ac << " C " << c);
            const Adjusted want = decimalAdjust(static_cast<uint8_t>(a), ac, c);
            int ones = 0;
            for (int bit = 0; bit < 8; ++bit) ones += (want.a >> bit) & 1;
            Rig r;
            const uint8_t start = static_cast<uint8_t>(0x02 | (ac ? 0x10 : 0) | (c ? 0x01 : 0));
            setFlags(r, start);
            r.m.s.reg[A] = static_cast<uint8_t>(a);
            ASSERT_EQ(run(r, {0x27}), 4);
            ASSERT_EQ(r.m.s.reg[A], want.a);
            expectFlags(r, {(want.a & 0x80) != 0, want.a == 0, want.ac, ones % 2 == 0, want.c}, start);
            if (HasFailure()) return;
        }
    }
}

TEST(ArithDaa, TactFourShowsTheAdjustment) {
    Rig r;
    r.m.s.reg[A] = 0x3C;
    run(r, {0x27});
    EXPECT_EQ(r.text(Element::Buf_Reg_2), "3C");
    EXPECT_EQ(r.text(Element::RegA_Val), "42");
    for (Element e : {Element::Buf_Reg_2, Element::RegA_Val, Element::Flags_Reg, Element::PC_Val})
        EXPECT_TRUE(r.red(e)) << elementName(e);
    EXPECT_FALSE(r.red(Element::Cmd_Reg));
    EXPECT_FALSE(r.red(Element::Cmd_DC));
    EXPECT_EQ(r.text(Element::INC_DEC_Syst), "+1");
}

// --- the digits outside the flags
// -----------------------------------------------------------------

TEST(ArithFlags, PositionsThreeFiveAndSevenAreNeverWritten) {
    const std::vector<uint8_t> programs[] = {
        {0x80}, {0x86}, {0xA0}, {0xB8}, {0xBE}, {0xC6, 0x80}, {0xFE, 0x01}, {0x04}, {0x35},
        {0x09}, {0x29}, {0x07}, {0x1F}, {0x37}, {0x3F},       {0x27},       {0x2F},
    };
    for (const auto& p : programs) {
        for (uint8_t others : {uint8_t{0x28}, uint8_t{0x02}, uint8_t{0x2A}, uint8_t{0x00}}) {
            SCOPED_TRACE(testing::Message()
                         << std::hex << "opcode " << int{p[0]} << " others " << int{others});
            Rig r;
            setFlags(r, static_cast<uint8_t>(others | 0x01));
            r.m.s.reg[A] = 0x99;
            r.m.s.reg[B] = 0x99;
            r.m.s.reg[H] = 0x80;
            for (size_t i = 0; i < p.size(); ++i) r.m.s.memory[i] = p[i];
            r.instruction();
            EXPECT_EQ(r.m.s.flags & 0x2A, others);
        }
    }
}

}  // namespace
}  // namespace orlan::test
