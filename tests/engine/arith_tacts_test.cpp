// Tact by tact: which elements each row of the arithmetic tables turns red or green, and the
// texts they show.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "arith_rig.h"

namespace orlan::test {
namespace {

using E = Element;

struct Row {
    int tact;
    std::vector<E> red, green;
    std::vector<std::pair<E, std::string>> texts;
    std::function<void(const Rig&)> also = nullptr;
};

// Plays the fetch cycle, then one tact per row, checking each row after its tact; the last row
// must end the instruction.
void play(Rig& r, const std::vector<Row>& rows) {
    r.tacts(3);
    for (size_t i = 0; i < rows.size(); ++i) {
        const Row& row = rows[i];
        SCOPED_TRACE(testing::Message() << "tact " << row.tact);
        ASSERT_TRUE(r.cpu.instructionInProgress());
        r.tacts(1);
        ASSERT_EQ(r.text(E::Time_Num), std::to_string(row.tact));
        for (E e : row.red) EXPECT_TRUE(r.red(e)) << elementName(e) << " should be red";
        for (E e : row.green) EXPECT_FALSE(r.red(e)) << elementName(e) << " should be green";
        for (const auto& [e, text] : row.texts) EXPECT_EQ(r.text(e), text) << elementName(e);
        if (row.also) row.also(r);
        EXPECT_EQ(r.cpu.instructionInProgress(), i + 1 < rows.size());
    }
}

// The rows are laid out like the tables they check.
// clang-format off

TEST(ArithTacts, AddRegister) {
    Rig r;
    r.m.s.reg[A] = 0x12;
    r.m.s.reg[B] = 0x34;
    r.poke(0, {0x80});
    play(r, {
        {4, {E::Buf_Reg_2, E::Buf_Reg_1, E::RegA_Val, E::Flags_Reg},
            {E::Cmd_DC, E::Cmd_Reg, E::Cycle_Num, E::PC_Val, E::RegB_Val},
            {{E::Buf_Reg_2, "12"}, {E::Buf_Reg_1, "34"}, {E::RegA_Val, "46"}, {E::PC_Val, "0000"},
             {E::INC_DEC_Syst, ""}}},
        {5, {E::PC_Val}, {E::Buf_Reg_1, E::Buf_Reg_2, E::RegA_Val, E::Flags_Reg},
            {{E::Buf_Reg_2, "00"}, {E::PC_Val, "0001"}, {E::INC_DEC_Syst, "+1"}}},
    });
}

TEST(ArithTacts, AddMemory) {
    Rig r;
    r.m.s.reg[A] = 0x12;
    r.m.s.reg[H] = 0x20;
    r.m.s.memory[0x2000] = 0x34;
    r.poke(0, {0x86});
    play(r, {
        {4, {E::Buf_Reg_2},
            {E::Cmd_DC, E::Cmd_Reg, E::Cycle_Num, E::Buf_Reg_1, E::RegA_Val, E::Flags_Reg,
             E::PC_Val},
            {{E::Buf_Reg_2, "12"}, {E::PC_Val, "0000"}, {E::INC_DEC_Syst, ""}}},
        {5, {E::Addr_Buf, E::Cycle_Num}, {E::Buf_Reg_1, E::Buf_Reg_2, E::RegA_Val, E::Flags_Reg},
            {{E::Addr_Buf, "2000"}, {E::Cycle_Num, "2"}}},
        {6, {E::Status_Reg, E::PSW_Label, E::Data_Buf}, {E::Addr_Buf, E::Cycle_Num, E::Buf_Reg_2},
            {{E::Status_Reg, "01000001"}, {E::PSW_Label, "Чтение памяти"}, {E::Data_Buf, "34"},
             {E::Cycle_Num, "2"}}},
        {7, {E::Buf_Reg_1, E::RegA_Val, E::Flags_Reg, E::PC_Val},
            {E::PSW_Label, E::Status_Reg, E::Data_Buf, E::Buf_Reg_2},
            {{E::Buf_Reg_1, "34"}, {E::Buf_Reg_2, "12"}, {E::RegA_Val, "46"}, {E::PC_Val, "0001"},
             {E::INC_DEC_Syst, "+1"}}},
    });
}

TEST(ArithTacts, AnaMemoryReloadsTheAccumulatorCopy) {
    Rig r;
    r.m.s.reg[A] = 0xF0;
    r.m.s.reg[H] = 0x20;
    r.m.s.memory[0x2000] = 0x3C;
    r.poke(0, {0xA6});
    play(r, {
        {4, {E::Buf_Reg_2}, {E::Cmd_DC, E::Cmd_Reg, E::Cycle_Num}, {{E::Buf_Reg_2, "F0"}}},
        {5, {E::Addr_Buf, E::Cycle_Num}, {E::Buf_Reg_2},
            {{E::Addr_Buf, "2000"}, {E::Cycle_Num, "2"}}},
        {6, {E::Status_Reg, E::PSW_Label, E::Data_Buf}, {E::Addr_Buf, E::Cycle_Num},
            {{E::Status_Reg, "01000001"}, {E::PSW_Label, "Чтение памяти"}, {E::Data_Buf, "3C"}}},
        {7, {E::Buf_Reg_1, E::Buf_Reg_2, E::RegA_Val, E::Flags_Reg, E::PC_Val},
            {E::Status_Reg, E::PSW_Label, E::Data_Buf},
            {{E::Buf_Reg_1, "3C"}, {E::Buf_Reg_2, "F0"}, {E::RegA_Val, "30"},
             {E::Flags_Reg, "00000110"}, {E::PC_Val, "0001"}, {E::INC_DEC_Syst, "+1"}}},
    });
}

TEST(ArithTacts, CmpMemoryEndsInSixTacts) {
    Rig r;
    r.m.s.reg[A] = 0x05;
    r.m.s.reg[H] = 0x20;
    r.m.s.memory[0x2000] = 0x07;
    r.poke(0, {0xBE});
    play(r, {
        {4, {E::Buf_Reg_2}, {E::Cmd_DC, E::Cmd_Reg, E::Cycle_Num, E::Flags_Reg, E::Buf_Reg_1},
            {{E::Buf_Reg_2, "05"}, {E::Flags_Reg, "00000010"}}},
        {5, {E::Addr_Buf, E::Cycle_Num}, {E::Buf_Reg_1, E::Buf_Reg_2},
            {{E::Addr_Buf, "2000"}, {E::Cycle_Num, "2"}}},
        {6, {E::Status_Reg, E::PSW_Label, E::Data_Buf, E::Buf_Reg_1, E::Flags_Reg, E::PC_Val},
            {E::Addr_Buf, E::Cycle_Num, E::RegA_Val},
            {{E::Status_Reg, "01000001"}, {E::PSW_Label, "Чтение памяти"}, {E::Data_Buf, "07"},
             {E::Buf_Reg_1, "07"}, {E::Flags_Reg, "10000011"}, {E::RegA_Val, "05"},
             {E::PC_Val, "0001"}, {E::INC_DEC_Syst, "+1"}}},
    });
}

TEST(ArithTacts, AddImmediate) {
    Rig r;
    r.m.s.reg[A] = 0x12;
    r.poke(0, {0xC6, 0x34});
    play(r, {
        {4, {E::PC_Val}, {E::Cmd_DC, E::Cmd_Reg}, {{E::PC_Val, "0001"}, {E::INC_DEC_Syst, "+1"}}},
        {5, {E::Addr_Buf, E::Cycle_Num}, {E::PC_Val},
            {{E::Addr_Buf, "0001"}, {E::Cycle_Num, "2"}, {E::INC_DEC_Syst, ""}}},
        {6, {E::Status_Reg, E::PSW_Label, E::Data_Buf, E::Buf_Reg_2, E::Buf_Reg_1},
            {E::Cycle_Num, E::Addr_Buf, E::RegA_Val},
            {{E::Status_Reg, "01000001"}, {E::PSW_Label, "Чтение памяти"}, {E::Data_Buf, "34"},
             {E::Buf_Reg_2, "12"}, {E::Buf_Reg_1, "34"}, {E::RegA_Val, "12"}}},
        {7, {E::PC_Val, E::RegA_Val, E::Flags_Reg},
            {E::Status_Reg, E::PSW_Label, E::Data_Buf, E::Buf_Reg_2, E::Buf_Reg_1},
            {{E::PC_Val, "0002"}, {E::INC_DEC_Syst, "+1"}, {E::RegA_Val, "46"},
             {E::Flags_Reg, "00000010"}}},
    });
}

TEST(ArithTacts, CpiLastTactLeavesTheAccumulatorGreen) {
    Rig r;
    r.m.s.reg[A] = 0x12;
    r.poke(0, {0xFE, 0x12});
    r.tacts(7);
    EXPECT_FALSE(r.cpu.instructionInProgress());
    EXPECT_FALSE(r.red(E::RegA_Val));
    EXPECT_TRUE(r.red(E::Flags_Reg));
    EXPECT_EQ(r.text(E::RegA_Val), "12");
    EXPECT_EQ(r.text(E::Flags_Reg), "01000110");
    EXPECT_EQ(r.m.s.pc, 2);
}

TEST(ArithTacts, InrMemory) {
    Rig r;
    r.m.s.reg[H] = 0x20;
    r.m.s.memory[0x2000] = 0x0F;
    r.poke(0, {0x34});
    auto cell = [](uint8_t v) {
        return [v](const Rig& rig) { EXPECT_EQ(rig.m.s.memory[0x2000], v) << "memory cell"; };
    };
    play(r, {
        {4, {E::PC_Val}, {E::Cmd_Reg, E::Cmd_DC}, {{E::PC_Val, "0001"}, {E::INC_DEC_Syst, "+1"}}},
        {5, {E::Cycle_Num, E::Addr_Buf}, {E::Flags_Reg, E::PC_Val},
            {{E::INC_DEC_Syst, ""}, {E::Cycle_Num, "2"}, {E::Addr_Buf, "2000"}}},
        {6, {E::Data_Buf, E::RegW_Val, E::PSW_Label, E::Status_Reg}, {E::Cycle_Num, E::Addr_Buf},
            {{E::Data_Buf, "0F"}, {E::RegW_Val, "0F"}, {E::PSW_Label, "Чтение памяти"},
             {E::Status_Reg, "01000001"}, {E::INC_DEC_Syst, ""}}},
        {7, {E::RegW_Val, E::Flags_Reg}, {E::Data_Buf, E::Status_Reg, E::PSW_Label},
            {{E::INC_DEC_Syst, "+1"}, {E::RegW_Val, "10"}, {E::Flags_Reg, "00010010"},
             {E::PC_Val, "0001"}},
            cell(0x0F)},
        {8, {E::Addr_Buf, E::Cycle_Num}, {E::RegW_Val},
            {{E::INC_DEC_Syst, ""}, {E::Addr_Buf, "2000"}, {E::Cycle_Num, "3"}}, cell(0x0F)},
        {9, {E::PSW_Label, E::Status_Reg}, {E::Cycle_Num, E::Addr_Buf, E::Data_Buf},
            {{E::Data_Buf, "10"}, {E::PSW_Label, "Запись в память"}, {E::Status_Reg, "00000000"},
             {E::RegW_Val, "10"}},
            cell(0x10)},
    });
    EXPECT_TRUE(r.m.changes.memoryChanged());
}

TEST(ArithTacts, DcrShowsMinusOneWhereItDecrements) {
    Rig r;
    r.m.s.reg[B] = 0x00;
    r.poke(0, {0x05});
    r.tacts(4);
    EXPECT_EQ(r.text(E::INC_DEC_Syst), "-1");
    EXPECT_EQ(r.text(E::PC_Val), "0000");
    EXPECT_TRUE(r.red(E::RegB_Val));
    EXPECT_EQ(r.text(E::RegB_Val), "FF");
    r.tacts(1);
    EXPECT_EQ(r.text(E::INC_DEC_Syst), "+1");
    EXPECT_FALSE(r.red(E::RegB_Val));
    EXPECT_FALSE(r.red(E::Flags_Reg));

    Rig m;
    m.m.s.reg[H] = 0x20;
    m.poke(0, {0x35});
    m.tacts(7);
    EXPECT_EQ(m.text(E::INC_DEC_Syst), "-1");
    EXPECT_EQ(m.text(E::RegW_Val), "FF");
}

TEST(ArithTacts, DadPairB) {
    Rig r;
    r.m.s.reg[L] = 0xFF;
    r.m.s.reg[C] = 0x01;
    r.poke(0, {0x09});
    play(r, {
        {4, {E::PC_Val}, {E::Cmd_DC, E::Cmd_Reg}, {{E::PC_Val, "0001"}, {E::INC_DEC_Syst, "+1"}}},
        // Internal cycles: no status word, the fetch's stays on the scheme.
        {5, {E::Buf_Reg_2, E::Cycle_Num}, {E::PC_Val, E::Status_Reg, E::PSW_Label},
            {{E::Buf_Reg_2, "01"}, {E::Cycle_Num, "2"}, {E::INC_DEC_Syst, ""},
             {E::Status_Reg, "01000101"}, {E::PSW_Label, "Выборка команды"}}},
        {6, {E::Buf_Reg_1}, {E::Buf_Reg_2, E::Cycle_Num}, {{E::Buf_Reg_1, "FF"}}},
        {7, {E::Flags_Reg, E::RegL_Val}, {E::Buf_Reg_1, E::RegH_Val},
            {{E::RegL_Val, "00"}, {E::RegH_Val, "00"}, {E::Flags_Reg, "00000011"}}},
        {8, {E::Buf_Reg_2, E::Cycle_Num}, {E::RegL_Val, E::Flags_Reg},
            {{E::Buf_Reg_2, "00"}, {E::Cycle_Num, "3"}}},
        {9, {E::Buf_Reg_1}, {E::Buf_Reg_2, E::Cycle_Num}, {{E::Buf_Reg_1, "00"}}},
        {10, {E::RegH_Val, E::Flags_Reg}, {E::Buf_Reg_1, E::RegL_Val},
             {{E::RegH_Val, "01"}, {E::RegL_Val, "00"}, {E::Flags_Reg, "00000010"},
              {E::Status_Reg, "01000101"}}},
    });
}

TEST(ArithTacts, DadSpTakesTheLowByteFirst) {
    Rig r;
    r.m.s.sp = 0x1234;
    r.poke(0, {0x39});
    r.tacts(5);
    EXPECT_EQ(r.text(E::Buf_Reg_2), "34");
    r.tacts(3);
    EXPECT_EQ(r.text(E::Buf_Reg_2), "12");
    EXPECT_FALSE(r.red(E::SP_Val));
}

// clang-format on

}  // namespace
}  // namespace orlan::test
