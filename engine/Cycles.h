// The machine-cycle types: status word and caption of every bus cycle the scheme can show.
// One table, read by the family handlers (through CCommands::showCycle) and by the views.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "TrNoop.h"

namespace orlan {

enum class CycleType : uint8_t { Fetch, MemoryRead, MemoryWrite, StackRead, StackWrite, OutputWrite, InputRead };

struct CycleTypeInfo {
    uint8_t status;           // status word value; shown D0 first
    std::string_view label;  // caption of PSW_Label (Russian; translated("Cycles", label))
};

// Status bits: D0 INTA, D1 write-not, D2 STACK, D3 HLTA, D4 OUT, D5 M1, D6 INP, D7 MEMR.
inline constexpr std::array<CycleTypeInfo, 7> kCycleTypes = {{
    {0xA2, ORLAN_TR_NOOP("Cycles", "Выборка команды")},
    {0x82, ORLAN_TR_NOOP("Cycles", "Чтение памяти")},
    {0x00, ORLAN_TR_NOOP("Cycles", "Запись в память")},
    {0x86, ORLAN_TR_NOOP("Cycles", "Чтение стека")},
    {0x04, ORLAN_TR_NOOP("Cycles", "Запись в стек")},
    {0x10, ORLAN_TR_NOOP("Cycles", "Запись в УВВ")},
    {0x42, ORLAN_TR_NOOP("Cycles", "Чтение УВВ")},
}};
static_assert(kCycleTypes.size() == static_cast<size_t>(CycleType::InputRead) + 1);

constexpr const CycleTypeInfo& cycleInfo(CycleType t) { return kCycleTypes[static_cast<int>(t)]; }

}  // namespace orlan
