// The machine state, its notation and the state operations.
#include <gtest/gtest.h>

#include "Machine.h"
#include "Mnemonics.h"
#include "Notation.h"

using namespace orlan;

TEST(Notation, FormatsBytesWordsFlagsAndStatus) {
    EXPECT_EQ(formatByte(0x0A), "0A");
    EXPECT_EQ(formatByte(0xFF), "FF");
    EXPECT_EQ(formatWord(0x00FF), "00FF");
    EXPECT_EQ(formatWord(0xABCD), "ABCD");
    EXPECT_EQ(formatFlags(0x02), "00000010");
    EXPECT_EQ(formatFlags(0xD7), "11010111");
    // The status word is written D0 first: A2h is the fetch word.
    EXPECT_EQ(formatStatus(0xA2), "01000101");
    EXPECT_EQ(formatStatus(0x82), "01000001");
    EXPECT_EQ(formatStatus(0x86), "01100001");
    EXPECT_EQ(formatStatus(0x04), "00100000");
    EXPECT_EQ(formatStatus(0x10), "00001000");
    EXPECT_EQ(formatStatus(0x42), "01000010");
}

TEST(Notation, ParsesHex) {
    EXPECT_EQ(parseHex(""), 0u);
    EXPECT_EQ(parseHex("00FF"), 255u);
    EXPECT_EQ(parseHex("FFFF"), 0xFFFFu);
    EXPECT_EQ(parseHex("ff"), 0xFFu);
    EXPECT_EQ(parseHex("1G"), std::nullopt);
    EXPECT_EQ(parseHex(" 1"), std::nullopt);
    EXPECT_EQ(parseFlags("11010111"), 0xD7);
    EXPECT_EQ(parseFlags("1101011"), std::nullopt);
    EXPECT_EQ(parseFlags("1101011x"), std::nullopt);
}

TEST(Notation, HexFilterKeepsDigitsInUpperCase) {
    EXPECT_EQ(filterHexDigits("12G4"), "124");
    EXPECT_EQ(filterHexDigits("3e"), "3E");
    EXPECT_EQ(filterHexDigits("zZ-.ф9"), "9");
}

TEST(Mnemonics, TableMatchesTheInstructionSet) {
    EXPECT_EQ(mnemonic(0x00), "NOP");
    EXPECT_EQ(mnemonic(0x4C), "MOV C,H");  // the one entry without a space
    EXPECT_EQ(mnemonic(0x4D), "MOV C, L");
    EXPECT_EQ(mnemonic(0x76), "HLT");
    EXPECT_EQ(mnemonic(0x31), "LXI SP, d16");
    EXPECT_EQ(mnemonic(0xD3), "OUT N");
    EXPECT_EQ(mnemonic(0xDB), "IN N");
    EXPECT_EQ(mnemonic(0xFF), "RST 7");
    EXPECT_EQ(mnemonic(0xC7), "RST 0");
    EXPECT_EQ(mnemonic(0x22), "SHLD adr");
    EXPECT_EQ(mnemonic(0x36), "MVI M, d8");
    EXPECT_EQ(mnemonic(0xF5), "PUSH PSW");
    EXPECT_EQ(mnemonic(0xFE), "CPI d8");
    int undefined = 0;
    for (int op = 0; op < 256; ++op) {
        ASSERT_FALSE(mnemonic(static_cast<uint8_t>(op)).empty()) << op;
        if (mnemonic(static_cast<uint8_t>(op)) == "-") ++undefined;
    }
    EXPECT_EQ(undefined, 12);
    for (int op : {0x08, 0x10, 0x18, 0x20, 0x28, 0x30, 0x38, 0xCB, 0xD9, 0xDD, 0xED, 0xFD})
        EXPECT_EQ(mnemonic(static_cast<uint8_t>(op)), "-") << op;
}

TEST(Mnemonics, RegisterMovesFollowTheEncoding) {
    const char* names = "BCDEHLMA";
    for (int op = 0x40; op < 0x80; ++op) {
        if (op == 0x76 || op == 0x4C) continue;
        std::string expected = std::string("MOV ") + names[(op >> 3) & 7] + ", " + names[op & 7];
        EXPECT_EQ(mnemonic(static_cast<uint8_t>(op)), expected) << std::hex << op;
    }
}

TEST(MachineState, StartValuesShowOnTheScheme) {
    Machine m;
    EXPECT_EQ(m.text(Element::SP_Val), "FFFF");
    EXPECT_EQ(m.text(Element::PC_Val), "0000");
    EXPECT_EQ(m.text(Element::Flags_Reg), "00000010");
    EXPECT_EQ(m.text(Element::Status_Reg), "00000000");
    EXPECT_EQ(m.text(Element::Cmd_DC), "");
    EXPECT_EQ(m.text(Element::PSW_Label), "");
    EXPECT_EQ(m.text(Element::Cycle_Num), "1");
    EXPECT_EQ(m.text(Element::Time_Num), "1");
    EXPECT_EQ(m.text(Element::INC_DEC_Syst), "");
    EXPECT_EQ(m.s.active, 0u);
    for (const char* on : {"F2", "SYNC", "READY", "INTE", "WR"}) EXPECT_TRUE(m.lamp(on)) << on;
    for (const char* off : {"F1", "WAIT", "HOLD", "HLDA", "INT", "DBIN", "Z", "S", "P", "C", "AC"})
        EXPECT_FALSE(m.lamp(off)) << off;
}

TEST(MachineState, SetPcWrapsAndMarksTheMove) {
    Machine m;
    m.setPC(0xFFFF + 1);
    EXPECT_EQ(m.s.pc, 0);
    EXPECT_TRUE(m.isRed(Element::PC_Val));
    EXPECT_TRUE(m.changes.pcMoved);
    m.setPC(0x0120);
    m.setPC(0x0010);
    // The view scrolls down for the highest PC and never up.
    EXPECT_EQ(m.changes.highestPcSet, 0x0120);
}

TEST(MachineState, MovingPcBySelectionKeepsItsHighlight) {
    Machine m;
    m.movePC(0x1234);
    EXPECT_EQ(m.text(Element::PC_Val), "1234");
    EXPECT_FALSE(m.isRed(Element::PC_Val));
}

TEST(MachineState, SetSpCorrectsOnceIntoRange) {
    Machine m;
    m.setSP(-1);
    EXPECT_EQ(m.s.sp, 0xFFFF);
    EXPECT_TRUE(m.isRed(Element::SP_Val));
    m.setSP(0x10000);
    EXPECT_EQ(m.s.sp, 0x0000);
    m.setSP(0x1234);
    EXPECT_EQ(m.text(Element::SP_Val), "1234");
    EXPECT_TRUE(m.changes.spChanged);
}

TEST(MachineState, LampsByNameIgnoreUnknownNames) {
    Machine m;
    const MachineState before = m.s;
    m.setLamp("XYZ", true);
    EXPECT_EQ(m.s, before);
    EXPECT_FALSE(m.lamp("XYZ"));
    EXPECT_FALSE(m.lamp("z"));  // names are exact
    m.setLamp("HLDA", true);
    EXPECT_TRUE(m.lamp(Lamp::HLDA));
    m.setLamp("WR", false);
    EXPECT_FALSE(m.lamp("WR"));
}

TEST(MachineState, WritingACellRecordsItForTheView) {
    Machine m;
    std::vector<MemoryWrite> log;
    m.writeLog = &log;
    m.writeMemory(0x0010, 0x76);
    m.writeMemory(0x0004, 0x4C);
    EXPECT_EQ(m.s.memory[0x10], 0x76);
    EXPECT_EQ(mnemonic(m.s.memory[0x10]), "HLT");
    EXPECT_EQ(mnemonic(m.s.memory[0x04]), "MOV C,H");
    EXPECT_EQ(m.changes.memLo, 0x0004u);
    EXPECT_EQ(m.changes.memHi, 0x0010u);
    EXPECT_EQ(log, (std::vector<MemoryWrite>{{0x10, 0x76}, {0x04, 0x4C}}));
    EXPECT_FALSE(m.isRed(Element::PC_Val));  // highlights, PC and SP untouched
}

TEST(MachineState, RegisterResetClearsExactlyTheListedFields) {
    Machine m;
    for (int i = 0; i < 8; ++i) m.s.reg[i] = 0x11;
    m.s.w = m.s.z = 0x22;
    m.s.sp = 0x1234;
    m.s.pc = 0x4321;
    m.s.flags = 0xD7;
    m.s.lamps = 0;
    m.setLamp(Lamp::HLDA, true);
    m.setLamp(Lamp::C, true);
    m.setLamp(Lamp::DBIN, true);
    m.s.cycleLabel = static_cast<int8_t>(CycleType::StackRead);
    m.s.status = 0x86;
    // Left alone by the reset:
    m.s.memory[5] = 0x99;
    m.s.dataBuf = 0x12;
    m.s.addrBuf = 0x3456;
    m.s.cmdReg = 0x3E;
    m.s.decoder = 0x3E;
    m.s.buf1 = 0x01;
    m.s.buf2 = 0x02;
    m.s.cycleNum = 3;
    m.s.timeNum = 7;
    m.s.incMark = IncMark::Minus;
    m.s.active = bit(Element::PC_Val) | bit(Element::SP_Val) | bit(Element::RegA_Val);
    const MachineState before = m.s;

    m.resetRegisters();

    for (Reg r : {A, B, C, D, E, H, L}) EXPECT_EQ(m.s.reg[r], 0) << int(r);
    EXPECT_EQ(m.s.w, 0);
    EXPECT_EQ(m.s.z, 0);
    EXPECT_EQ(m.text(Element::SP_Val), "FFFF");
    EXPECT_EQ(m.text(Element::PC_Val), "0000");
    EXPECT_TRUE(m.changes.pcMoved);
    EXPECT_EQ(m.text(Element::Flags_Reg), "00000010");
    EXPECT_EQ(m.text(Element::PSW_Label), "");
    EXPECT_EQ(m.text(Element::Status_Reg), "00000000");
    for (const char* on : {"INTE", "SYNC", "WR", "READY", "F2"}) EXPECT_TRUE(m.lamp(on)) << on;
    for (const char* off : {"F1", "WAIT", "HOLD", "HLDA", "INT", "DBIN", "Z", "S", "P", "C", "AC"})
        EXPECT_FALSE(m.lamp(off)) << off;

    EXPECT_EQ(m.s.memory, before.memory);
    EXPECT_EQ(m.s.dataBuf, before.dataBuf);
    EXPECT_EQ(m.s.addrBuf, before.addrBuf);
    EXPECT_EQ(m.s.cmdReg, before.cmdReg);
    EXPECT_EQ(m.text(Element::Cmd_DC), "MVI A, d8");
    EXPECT_EQ(m.s.buf1, before.buf1);
    EXPECT_EQ(m.s.buf2, before.buf2);
    EXPECT_EQ(m.s.cycleNum, 3);
    EXPECT_EQ(m.s.timeNum, 7);
    EXPECT_EQ(m.text(Element::INC_DEC_Syst), "-1");
    EXPECT_EQ(m.s.active, before.active);  // every highlight kept, PC's included
}
