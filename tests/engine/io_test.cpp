// OUT, IN, EI and DI.
#include <gtest/gtest.h>

#include "rig.h"
#include "tact_rows.h"

namespace orlan::test {
namespace {

using E = Element;
using rows::fetchAt;
using rows::playRows;

TEST(Io, OutReachesTheDeviceOfItsPort) {
    const std::pair<uint8_t, Device> ports[] = {{0x00, Device::Monitor}, {0x01, Device::Floppy},
                                                {0x02, Device::HardDisk}, {0x03, Device::Network},
                                                {0x04, Device::Printer}};
    for (const auto& [port, device] : ports) {
        SCOPED_TRACE(int(port));
        Rig r;
        r.poke(0x0200, {0xD3, port});
        r.m.s.pc = 0x0200;
        r.m.s.reg[A] = 0x41;
        r.tacts(7);
        EXPECT_TRUE(r.ports.calls.empty()) << "called before tact 8";
        r.tacts(1);
        ASSERT_EQ(r.ports.calls.size(), 1u);
        EXPECT_EQ(r.ports.calls[0].first, device);
        EXPECT_EQ(r.ports.calls[0].second, 0x41);
        EXPECT_FALSE(r.cpu.instructionInProgress());
        EXPECT_EQ(r.m.s.pc, 0x0202);
    }
}

TEST(Io, OutAbovePortFourCallsNothingButPlaysAllTacts) {
    for (uint8_t port : {0x05, 0x80, 0xFF}) {
        SCOPED_TRACE(int(port));
        Rig r;
        r.poke(0x0200, {0xD3, port});
        r.m.s.pc = 0x0200;
        EXPECT_EQ(r.instruction(), 8);
        EXPECT_TRUE(r.ports.calls.empty());
        EXPECT_EQ(r.text(E::Status_Reg), "00001000");
        EXPECT_EQ(r.m.s.pc, 0x0202);
    }
}

// What the scheme shows while the device runs: the output cycle, the cycle number still 2.
struct SnapshotPorts : PortMap {
    const Machine& m;
    std::vector<std::string> seen;
    explicit SnapshotPorts(const Machine& machine) : m(machine) {}
    void output(Device, uint8_t) override {
        for (Element e : {E::Status_Reg, E::PSW_Label, E::Data_Buf, E::Addr_Buf, E::Cycle_Num, E::Time_Num})
            seen.push_back(m.text(e));
    }
};

TEST(Io, OutCallsTheDeviceAfterShowingTheOutputCycle) {
    Machine m;
    ScriptedHost host;
    SnapshotPorts ports{m};
    CCommands cpu{m, host, ports};
    m.s.memory[0] = 0xD3;
    m.s.memory[1] = 0x03;
    m.s.reg[A] = 0x5A;
    cpu.executeInstruction();
    EXPECT_EQ(ports.seen, (std::vector<std::string>{"00001000", "Запись в УВВ", "5A", "0003", "2", "7"}));
    EXPECT_EQ(m.text(E::Cycle_Num), "3");
}

TEST(Io, OutTactByTact) {
    Rig r;
    r.m.s.reg[A] = 0x41;
    fetchAt(r, 0x0200, {0xD3, 0x03});
    playRows(r, {
        {4, els(E::PC_Val), els(E::Cmd_Reg, E::Cmd_DC), {{E::PC_Val, "0201"}, {E::INC_DEC_Syst, "+1"}}},
        {5, els(E::Addr_Buf, E::Cycle_Num), els(E::PC_Val),
         {{E::INC_DEC_Syst, ""}, {E::Addr_Buf, "0201"}, {E::Cycle_Num, "2"}}},
        {6, els(E::Status_Reg, E::PSW_Label, E::Data_Buf), els(E::Cycle_Num, E::Addr_Buf),
         {{E::Status_Reg, "01000001"}, {E::PSW_Label, "Чтение памяти"}, {E::Data_Buf, "03"}}},
        {7, els(E::PC_Val, E::Addr_Buf), els(E::Status_Reg, E::PSW_Label, E::Data_Buf),
         {{E::PC_Val, "0202"}, {E::INC_DEC_Syst, "+1"}, {E::Addr_Buf, "0003"}}},
        {8, els(E::Status_Reg, E::PSW_Label, E::Data_Buf, E::Cycle_Num), els(E::PC_Val, E::Addr_Buf),
         {{E::INC_DEC_Syst, ""}, {E::Status_Reg, "00001000"}, {E::PSW_Label, "Запись в УВВ"},
          {E::Data_Buf, "41"}, {E::Cycle_Num, "3"}}},
    });
    EXPECT_EQ(r.ports.calls, (std::vector<std::pair<Device, uint8_t>>{{Device::Network, 0x41}}));
}

TEST(Io, InReadsFFInTenTacts) {
    Rig r;
    r.m.s.reg[A] = 0x12;
    fetchAt(r, 0x0300, {0xDB, 0x07});
    playRows(r, {
        {4, els(E::PC_Val), els(E::Cmd_Reg, E::Cmd_DC), {{E::PC_Val, "0301"}, {E::INC_DEC_Syst, "+1"}}},
        {5, els(E::Addr_Buf, E::Cycle_Num), els(E::PC_Val),
         {{E::INC_DEC_Syst, ""}, {E::Addr_Buf, "0301"}, {E::Cycle_Num, "2"}}},
        {6, els(E::Status_Reg, E::PSW_Label, E::Data_Buf), els(E::Cycle_Num, E::Addr_Buf),
         {{E::Status_Reg, "01000001"}, {E::Data_Buf, "07"}}},
        {7, els(E::PC_Val, E::Addr_Buf), els(E::Status_Reg, E::PSW_Label, E::Data_Buf),
         {{E::PC_Val, "0302"}, {E::INC_DEC_Syst, "+1"}, {E::Addr_Buf, "0007"}}},
        {8, els(E::Cycle_Num), els(E::PC_Val, E::Addr_Buf), {{E::INC_DEC_Syst, ""}, {E::Cycle_Num, "3"}}},
        {9, els(E::Status_Reg, E::PSW_Label, E::Data_Buf), els(E::Cycle_Num),
         {{E::Status_Reg, "01000010"}, {E::PSW_Label, "Чтение УВВ"}, {E::Data_Buf, "FF"}, {E::RegA_Val, "12"}}},
        {10, els(E::RegA_Val), els(E::Status_Reg, E::PSW_Label, E::Data_Buf), {{E::RegA_Val, "FF"}}},
    });
    EXPECT_TRUE(r.ports.calls.empty());
}

TEST(Io, EiDiSwitchOnlyInte) {
    Rig r;
    r.poke(0x0000, {0xF3, 0xFB, 0xFB, 0xF3});  // DI, EI, EI, DI
    r.m.setLamp(Lamp::Z, true);
    r.m.setLamp(Lamp::C, true);
    r.m.s.flags = 0x43;
    const bool inteAfter[] = {false, true, true, false};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(r.instruction(), 4);
        EXPECT_EQ(r.m.lamp(Lamp::INTE), inteAfter[i]);
        EXPECT_EQ(r.m.s.pc, i + 1);
        EXPECT_EQ(r.text(E::INC_DEC_Syst), "+1");
        EXPECT_TRUE(r.red(E::PC_Val));
    }
    EXPECT_TRUE(r.m.lamp(Lamp::Z));
    EXPECT_TRUE(r.m.lamp(Lamp::C));
    EXPECT_EQ(r.text(E::Flags_Reg), "01000011");
}

}  // namespace
}  // namespace orlan::test
