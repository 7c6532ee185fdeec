// The mnemonic of every opcode, as the memory view, the decoder and the instruction table show it.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace orlan {

extern const std::array<std::string_view, 256> kMnemonics;

inline std::string_view mnemonic(uint8_t opcode) { return kMnemonics[opcode]; }

}  // namespace orlan
