// The machine state and its scheme view model.
//
// Owns every register, buffer, counter, lamp and memory cell as a number, plus one highlight bit
// per scheme element; element texts are derived from the numbers when someone reads them.
// The state operations below are the only way anything changes the machine. They record what a
// view needs to catch up with in cheap change marks (never formatted strings); a view reads the
// marks and clears them when it refreshes. CCommands, the windows, the file formats and the
// command-line runner all work through this class.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Cycles.h"
#include "Elements.h"

namespace orlan {

class History;

// Register codes of the 8080 encoding; 6 is the memory operand M (addressed by H:L).
enum Reg : uint8_t { B = 0, C = 1, D = 2, E = 3, H = 4, L = 5, M = 6, A = 7 };

enum class IncMark : uint8_t { None, Plus, Minus };  // "", "+1", "-1"

// Flag register bits (D7..D0 = S Z 0 AC 0 P 1 C).
namespace flag {
inline constexpr uint8_t S = 0x80, Z = 0x40, AC = 0x10, P = 0x04, C = 0x01;
inline constexpr uint8_t kStart = 0x02;
}  // namespace flag

// Everything the scheme and the memory view show. Plain data: tests compare it with ==.
struct MachineState {
    std::array<uint8_t, 65536> memory{};
    std::array<uint8_t, 8> reg{};  // indexed by Reg; reg[M] is unused
    uint8_t w = 0, z = 0;
    uint16_t sp = 0xFFFF, pc = 0;
    uint8_t flags = flag::kStart;  // the Flags_Reg text, bit 7 leftmost
    uint8_t dataBuf = 0, cmdReg = 0, buf1 = 0, buf2 = 0;
    uint16_t addrBuf = 0;
    int16_t decoder = -1;  // opcode whose mnemonic Cmd_DC shows; -1 = empty text
    uint8_t status = 0;    // status word value
    int8_t cycleLabel = -1;  // CycleType whose caption PSW_Label shows; -1 = empty text
    uint8_t cycleNum = 1, timeNum = 1;
    IncMark incMark = IncMark::None;
    LampSet lamps = lampBit(Lamp::F2) | lampBit(Lamp::SYNC) | lampBit(Lamp::READY) |
                    lampBit(Lamp::INTE) | lampBit(Lamp::WR);
    ElementSet active = 0;  // red elements

    bool operator==(const MachineState&) const = default;
};

// What changed since a view last caught up. Cleared by the view.
struct ChangeMarks {
    uint32_t memLo = 0x10000, memHi = 0;  // range of written cells, empty when memLo > memHi
    int32_t highestPcSet = -1;            // highest value given to set PC (view scrolling)
    bool pcMoved = false;                 // PC changed: the memory view selects its row
    bool spChanged = false;               // stack colours must follow
    bool haltChanged = false;             // halt highlight must be redrawn

    void markMemory(uint16_t addr) {
        if (addr < memLo) memLo = addr;
        if (addr > memHi) memHi = addr;
    }
    bool memoryChanged() const { return memLo <= memHi; }
};

struct MemoryWrite {
    uint16_t address;
    uint8_t value;
    bool operator==(const MemoryWrite&) const = default;
};

class Machine {
public:
    MachineState s;
    ChangeMarks changes;
    // When set, every memory write is appended here (the command-line trace lists them).
    std::vector<MemoryWrite>* writeLog = nullptr;
    // When set, every memory write inside a tact leaves the cell's old value there (step back).
    History* history = nullptr;

    // --- state operations ---
    void writeMemory(uint16_t address, uint8_t value) {
        if (history) keepOldValue(address);
        s.memory[address] = value;
        changes.markMemory(address);
        if (writeLog) writeLog->push_back({address, value});
    }
    // PC := value mod 65536, PC_Val red, the memory view follows.
    void setPC(uint32_t value) {
        s.pc = static_cast<uint16_t>(value);
        s.active |= bit(Element::PC_Val);
        changes.pcMoved = true;
        if (static_cast<int32_t>(s.pc) > changes.highestPcSet) changes.highestPcSet = s.pc;
    }
    // Selecting a memory row or typing PC: PC moves, its highlight stays.
    void movePC(uint16_t value) {
        s.pc = value;
        changes.pcMoved = true;
    }
    // One correction into 0000..FFFF (callers step at most one beyond), SP_Val red.
    void setSP(int32_t value) {
        if (value < 0)
            value += 0x10000;
        else if (value > 0xFFFF)
            value -= 0x10000;
        s.sp = static_cast<uint16_t>(value);
        s.active |= bit(Element::SP_Val);
        changes.spChanged = true;
    }
    void setLamp(Lamp l, bool on) {
        if (on)
            s.lamps |= lampBit(l);
        else
            s.lamps &= static_cast<LampSet>(~lampBit(l));
    }
    bool lamp(Lamp l) const { return (s.lamps & lampBit(l)) != 0; }
    // By the scheme's own names; an unknown name is ignored and reads as off.
    void setLamp(std::string_view name, bool on);
    bool lamp(std::string_view name) const;

    void red(ElementSet e) { s.active |= e; }
    void green(ElementSet e) { s.active &= ~e; }
    void setHighlight(Element e, bool active) { active ? red(bit(e)) : green(bit(e)); }
    bool isRed(Element e) const { return (s.active & bit(e)) != 0; }

    // A, B, C, D, E, H, L, W, Z := 00, SP := FFFF, PC := 0000 (highlights untouched), start
    // lamps, flags 00000010, empty cycle label, status word 00000000. Everything else stays.
    void resetRegisters();

    // --- reading the scheme ---
    std::string text(Element e) const;

    uint16_t pair(Reg hi, Reg lo) const { return static_cast<uint16_t>(s.reg[hi] << 8 | s.reg[lo]); }
    uint16_t hl() const { return pair(H, L); }
    uint16_t wz() const { return static_cast<uint16_t>(s.w << 8 | s.z); }

private:
    void keepOldValue(uint16_t address);
};

// The scheme element that shows a register (none for M).
constexpr Element regElement(Reg r) {
    constexpr Element kMap[8] = {Element::RegB_Val, Element::RegC_Val, Element::RegD_Val,
                                 Element::RegE_Val, Element::RegH_Val, Element::RegL_Val,
                                 Element::Data_Buf /* M: unused */, Element::RegA_Val};
    return kMap[r];
}

}  // namespace orlan
