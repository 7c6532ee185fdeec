// Names of the scheme: the 23 text elements drawn over the processor picture and the 16 lamps.
// Owns the element and lamp enumerations and their name tables; used by the machine state, the
// trace writer and the windows that place a label per element.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace orlan {

// Order matters: it is the order of the trace's "el" object.
enum class Element : uint8_t {
    Data_Buf,
    RegA_Val,
    Buf_Reg_1,
    Buf_Reg_2,
    Flags_Reg,
    Cmd_Reg,
    Cmd_DC,
    Addr_Buf,
    Status_Reg,
    PSW_Label,
    RegW_Val,
    RegZ_Val,
    RegB_Val,
    RegC_Val,
    RegD_Val,
    RegE_Val,
    RegH_Val,
    RegL_Val,
    SP_Val,
    PC_Val,
    Cycle_Num,
    Time_Num,
    INC_DEC_Syst,
};

inline constexpr int kElementCount = 23;

inline constexpr std::array<std::string_view, kElementCount> kElementNames = {
    "Data_Buf",  "RegA_Val",  "Buf_Reg_1", "Buf_Reg_2", "Flags_Reg", "Cmd_Reg",
    "Cmd_DC",    "Addr_Buf",  "Status_Reg", "PSW_Label", "RegW_Val", "RegZ_Val",
    "RegB_Val",  "RegC_Val",  "RegD_Val",  "RegE_Val",  "RegH_Val",  "RegL_Val",
    "SP_Val",    "PC_Val",    "Cycle_Num", "Time_Num",  "INC_DEC_Syst",
};
static_assert(kElementNames.size() == static_cast<size_t>(Element::INC_DEC_Syst) + 1);

constexpr std::string_view elementName(Element e) { return kElementNames[static_cast<int>(e)]; }
std::optional<Element> elementByName(std::string_view name);

// A set of elements as a bit mask, so a tact can switch several highlights with one operation.
using ElementSet = uint32_t;
constexpr ElementSet bit(Element e) { return ElementSet{1} << static_cast<int>(e); }
template <typename... Es>
constexpr ElementSet els(Es... es) {
    return (bit(es) | ...);
}

// Order matters: it is the order in which the trace lists the lamps that are on.
enum class Lamp : uint8_t { Z, S, P, C, AC, F2, F1, SYNC, READY, WAIT, HOLD, HLDA, INT, INTE, DBIN, WR };

inline constexpr int kLampCount = 16;

inline constexpr std::array<std::string_view, kLampCount> kLampNames = {
    "Z",    "S",    "P",   "C",    "AC",  "F2",   "F1",   "SYNC",
    "READY", "WAIT", "HOLD", "HLDA", "INT", "INTE", "DBIN", "WR",
};
static_assert(kLampNames.size() == static_cast<size_t>(Lamp::WR) + 1);

constexpr std::string_view lampName(Lamp l) { return kLampNames[static_cast<int>(l)]; }
std::optional<Lamp> lampByName(std::string_view name);

using LampSet = uint16_t;
constexpr LampSet lampBit(Lamp l) { return static_cast<LampSet>(1u << static_cast<int>(l)); }

}  // namespace orlan
