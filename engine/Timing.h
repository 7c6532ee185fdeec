// The timing diagram: what the lamps and buses showed over the last tacts, and its SVG picture.
//
// A sample is the scheme as it stood after one tact: the newest sample is the machine now, the
// older ones come from the tact history (each record holds the state before its tact, which is
// the state after the tact before it). The window paints the same samples; the runner and the
// window's "save as SVG" write the text made here.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "Machine.h"

namespace orlan {

class History;

struct TimingSample {
    LampSet lamps = 0;
    uint16_t address = 0;  // Addr_Buf
    uint8_t data = 0;      // Data_Buf
    uint8_t cycle = 0, tact = 0;  // Cycle_Num, Time_Num

    bool lamp(Lamp l) const { return (lamps & lampBit(l)) != 0; }
    bool operator==(const TimingSample&) const = default;
};

inline constexpr size_t kTimingMaxTacts = 128;

// The lamps from top to bottom: the bus lamps as the scheme groups them, then the flags.
inline constexpr std::array<Lamp, kLampCount> kTimingLampOrder = {
    Lamp::F2,   Lamp::F1,  Lamp::SYNC, Lamp::READY, Lamp::WAIT, Lamp::HOLD,
    Lamp::HLDA, Lamp::INT, Lamp::INTE, Lamp::DBIN,  Lamp::WR,   Lamp::Z,
    Lamp::S,    Lamp::P,   Lamp::C,    Lamp::AC,
};

TimingSample timingSample(const MachineState& s);

// The last min(tacts, kTimingMaxTacts) samples, oldest first, the current state last. Without a
// history (or an empty one) only the current state.
std::vector<TimingSample> timingSamples(const History* history, const MachineState& current,
                                        size_t tacts = kTimingMaxTacts);

// A standalone SVG document (UTF-8) of the samples; the last one is marked as the current tact.
std::string timingSvg(const std::vector<TimingSample>& samples);

// Geometry shared by the SVG writer and the window, in pixels.
namespace timing {
inline constexpr int kLabelWidth = 64;
inline constexpr int kTactWidth = 32;
inline constexpr int kRowHeight = 20;
inline constexpr int kTop = 8;
// Rows: the 16 lamps, the address bus, the data bus, then the cycle and tact numbers.
inline constexpr int kAddressRow = kLampCount, kDataRow = kLampCount + 1, kCycleRow = kLampCount + 2,
                     kTactRow = kLampCount + 3, kRowCount = kLampCount + 4;
}  // namespace timing

}  // namespace orlan
