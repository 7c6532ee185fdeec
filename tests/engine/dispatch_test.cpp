// Every opcode reaches its family with the right operands, and every instruction ends.
#include <gtest/gtest.h>

#include <map>

#include "rig.h"

using namespace orlan;
using orlan::test::Rig;

namespace {

// The dispatch table, row by row, as written for the instruction set.
const std::map<Family, std::vector<int>> kFamilies = {
    {Family::NOP, {0x00}},
    {Family::LXI, {0x01, 0x11, 0x21, 0x31}},
    {Family::STAX, {0x02, 0x12}},
    {Family::LDAX, {0x0A, 0x1A}},
    {Family::INX, {0x03, 0x13, 0x23, 0x33}},
    {Family::DCX, {0x0B, 0x1B, 0x2B, 0x3B}},
    {Family::DAD, {0x09, 0x19, 0x29, 0x39}},
    {Family::INR, {0x04, 0x0C, 0x14, 0x1C, 0x24, 0x2C, 0x34, 0x3C}},
    {Family::DCR, {0x05, 0x0D, 0x15, 0x1D, 0x25, 0x2D, 0x35, 0x3D}},
    {Family::MVI, {0x06, 0x0E, 0x16, 0x1E, 0x26, 0x2E, 0x36, 0x3E}},
    {Family::Rotate, {0x07, 0x0F, 0x17, 0x1F}},
    {Family::CmaStcCmc, {0x2F, 0x37, 0x3F}},
    {Family::ShldLhld, {0x22, 0x2A}},
    {Family::StaLda, {0x32, 0x3A}},
    {Family::HLT, {0x76}},
    {Family::Immediate, {0xC6, 0xCE, 0xD6, 0xDE, 0xE6, 0xEE, 0xF6, 0xFE}},
    {Family::JumpIf, {0xC2, 0xCA, 0xD2, 0xDA, 0xE2, 0xEA, 0xF2, 0xFA}},
    {Family::CallIf, {0xC4, 0xCC, 0xD4, 0xDC, 0xE4, 0xEC, 0xF4, 0xFC}},
    {Family::ReturnIf, {0xC0, 0xC8, 0xD0, 0xD8, 0xE0, 0xE8, 0xF0, 0xF8}},
    {Family::JMP, {0xC3}},
    {Family::RET, {0xC9}},
    {Family::CALL, {0xCD}},
    {Family::PCHL, {0xE9}},
    {Family::RST, {0xC7, 0xCF, 0xD7, 0xDF, 0xE7, 0xEF, 0xF7, 0xFF}},
    {Family::POP, {0xC1, 0xD1, 0xE1, 0xF1}},
    {Family::PUSH, {0xC5, 0xD5, 0xE5, 0xF5}},
    {Family::XTHL, {0xE3}},
    {Family::XCHG, {0xEB}},
    {Family::SPHL, {0xF9}},
    {Family::OUT, {0xD3}},
    {Family::EiDi, {0xF3, 0xFB}},
    {Family::Undefined, {0x08, 0x10, 0x18, 0x20, 0x28, 0x30, 0x38, 0xCB, 0xD9, 0xDD, 0xED, 0xFD}},
    {Family::DAA, {0x27}},
    {Family::IN, {0xDB}},
};

Family expectedFamily(int op) {
    if (op >= 0x40 && op < 0x80 && op != 0x76) return Family::MOV;
    if (op >= 0x80 && op < 0xA0) return Family::AddSub;
    if (op >= 0xA0 && op < 0xB8) return Family::Logic;
    if (op >= 0xB8 && op < 0xC0) return Family::CMP;
    for (const auto& [family, ops] : kFamilies)
        for (int o : ops)
            if (o == op) return family;
    ADD_FAILURE() << "opcode " << op << " is in no row";
    return Family::Undefined;
}

// Tacts of each opcode with every flag off (so NZ, NC, PO and P are met), operands all 00.
constexpr int kTactsFlagsOff[256] = {
    //  0   1   2   3   4   5   6   7   8   9   A   B   C   D   E   F
     4, 10,  7,  5,  5,  5,  7,  5,  4, 10,  7,  5,  5,  5,  7,  5,  // 0
     4, 10,  7,  5,  5,  5,  7,  5,  4, 10,  7,  5,  5,  5,  7,  5,  // 1
     4, 10, 15,  5,  5,  5,  7,  4,  4, 10, 15,  5,  5,  5,  7,  4,  // 2
     4, 10, 12,  5,  9,  9, 10,  4,  4, 10, 12,  5,  5,  5,  7,  4,  // 3
     5,  5,  5,  5,  5,  5,  7,  5,  5,  5,  5,  5,  5,  5,  7,  5,  // 4
     5,  5,  5,  5,  5,  5,  7,  5,  5,  5,  5,  5,  5,  5,  7,  5,  // 5
     5,  5,  5,  5,  5,  5,  7,  5,  5,  5,  5,  5,  5,  5,  7,  5,  // 6
     7,  7,  7,  7,  7,  7,  4,  7,  5,  5,  5,  5,  5,  5,  7,  5,  // 7
     5,  5,  5,  5,  5,  5,  7,  5,  5,  5,  5,  5,  5,  5,  7,  5,  // 8
     5,  5,  5,  5,  5,  5,  7,  5,  5,  5,  5,  5,  5,  5,  7,  5,  // 9
     5,  5,  5,  5,  5,  5,  7,  5,  5,  5,  5,  5,  5,  5,  7,  5,  // A
     5,  5,  5,  5,  5,  5,  7,  5,  5,  5,  5,  5,  5,  5,  6,  5,  // B
    12, 11, 10, 10, 14, 10,  7,  9,  4, 12, 10,  4, 10, 14,  7,  9,  // C
    12, 11, 10,  8, 14, 10,  7,  9,  4,  4, 10, 10, 10,  4,  7,  9,  // D
    12, 11, 10, 17, 14, 10,  7,  9,  4,  4, 10,  4, 10,  4,  7,  9,  // E
    12, 11, 10,  4, 14, 10,  7,  9,  4,  5, 10,  4, 10,  4,  7,  9,  // F
};

int tactsToEnd(uint8_t op, bool flagsOn) {
    Rig r;
    r.m.movePC(0x0100);
    r.poke(0x0100, {op});
    r.m.s.sp = 0x8000;
    if (flagsOn) {
        r.m.s.flags = 0xD7;
        for (Lamp l : {Lamp::S, Lamp::Z, Lamp::AC, Lamp::P, Lamp::C}) r.m.setLamp(l, true);
    }
    for (int n = 1; n <= 18; ++n) {
        r.cpu.executeTact();
        EXPECT_EQ(r.m.s.timeNum, n) << "opcode " << std::hex << int(op);
        if (r.cpu.currentOpcode() == -1) return n;
        EXPECT_EQ(r.cpu.currentOpcode(), op);
    }
    return -1;
}

}  // namespace

TEST(Dispatch, EveryOpcodeReachesItsFamily) {
    std::map<int, int> rowsNamingOpcode;
    for (const auto& [family, ops] : kFamilies)
        for (int op : ops) ++rowsNamingOpcode[op];
    for (const auto& [op, rows] : rowsNamingOpcode) EXPECT_EQ(rows, 1) << "opcode " << op;

    for (int op = 0; op < 256; ++op)
        EXPECT_EQ(kOpcodeTable[op].family, expectedFamily(op)) << "opcode " << std::hex << op;
}

TEST(Dispatch, OperandsFollowTheEncoding) {
    // MOV: destination bits 5..3, source bits 2..0.
    EXPECT_EQ(kOpcodeTable[0x4C].a, C);
    EXPECT_EQ(kOpcodeTable[0x4C].b, H);
    EXPECT_EQ(kOpcodeTable[0x77].a, M);
    EXPECT_EQ(kOpcodeTable[0x77].b, A);
    EXPECT_EQ(kOpcodeTable[0x7E].a, A);
    EXPECT_EQ(kOpcodeTable[0x7E].b, M);
    EXPECT_EQ(kOpcodeTable[0x36].a, M);    // MVI M
    EXPECT_EQ(kOpcodeTable[0x3C].a, A);    // INR A
    EXPECT_EQ(kOpcodeTable[0x35].a, M);    // DCR M
    EXPECT_EQ(kOpcodeTable[0x31].a, 3);    // LXI SP
    EXPECT_EQ(kOpcodeTable[0x12].a, 1);    // STAX D
    EXPECT_EQ(kOpcodeTable[0xF5].a, 3);    // PUSH PSW
    EXPECT_EQ(kOpcodeTable[0xE1].a, 2);    // POP H
    EXPECT_EQ(kOpcodeTable[0x9E].a, 3);    // SBB M: operation
    EXPECT_EQ(kOpcodeTable[0x9E].b, M);    // and operand
    EXPECT_EQ(kOpcodeTable[0xAF].a, 5);    // XRA A
    EXPECT_EQ(kOpcodeTable[0xAF].b, A);
    EXPECT_EQ(kOpcodeTable[0xBA].b, D);    // CMP D
    EXPECT_EQ(kOpcodeTable[0xEE].a, 5);    // XRI
    EXPECT_EQ(kOpcodeTable[0xFF].a, 7);    // RST 7
    EXPECT_EQ(kOpcodeTable[0xC7].a, 0);    // RST 0
    EXPECT_EQ(kOpcodeTable[0x1F].a, 3);    // RAR
    EXPECT_EQ(kOpcodeTable[0x3F].a, 2);    // CMC
    EXPECT_EQ(kOpcodeTable[0x2A].a, 1);    // LHLD
    EXPECT_EQ(kOpcodeTable[0x32].a, 0);    // STA
    EXPECT_EQ(kOpcodeTable[0xFB].a, 1);    // EI
    // Conditions: the flag and the selector.
    struct Cond { int op; Lamp lamp; int selector; };
    for (Cond c : {Cond{0xC2, Lamp::Z, 0}, Cond{0xCA, Lamp::Z, 1}, Cond{0xD4, Lamp::C, 0}, Cond{0xDC, Lamp::C, 1},
                   Cond{0xE0, Lamp::P, 0}, Cond{0xE8, Lamp::P, 1}, Cond{0xF2, Lamp::S, 0}, Cond{0xFA, Lamp::S, 1},
                   Cond{0xFC, Lamp::S, 1}, Cond{0xF0, Lamp::S, 0}}) {
        EXPECT_EQ(kOpcodeTable[c.op].a, static_cast<uint8_t>(c.lamp)) << c.op;
        EXPECT_EQ(kOpcodeTable[c.op].b, c.selector) << c.op;
    }
}

TEST(Dispatch, EveryOpcodeEndsWithinEighteenTacts) {
    for (int op = 0; op < 256; ++op) {
        EXPECT_EQ(tactsToEnd(static_cast<uint8_t>(op), false), kTactsFlagsOff[op]) << "opcode " << std::hex << op;
    }
}

TEST(Dispatch, ConditionalsTakeTheOtherPathWithEveryFlagOn) {
    for (int op = 0xC0; op < 0x100; op += 8) {
        const bool selectorOne = (op >> 3) & 1;
        // Returns: met 12, not met 4. Calls: met 14, not met 10. Jumps: 10 either way.
        EXPECT_EQ(tactsToEnd(static_cast<uint8_t>(op), true), selectorOne ? 12 : 4) << std::hex << op;
        EXPECT_EQ(tactsToEnd(static_cast<uint8_t>(op + 4), true), selectorOne ? 14 : 10) << std::hex << op + 4;
        EXPECT_EQ(tactsToEnd(static_cast<uint8_t>(op + 2), true), 10) << std::hex << op + 2;
    }
}
