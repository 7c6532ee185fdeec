// Text notation shared by the scheme, the edit fields and the files' messages: bytes and words in
// upper-case hex, the flag register D7 first, the status word D0 first, and the hex parser.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orlan {

std::string formatByte(uint8_t v);   // "0A"
std::string formatWord(uint16_t v);  // "00FF"
std::string formatFlags(uint8_t v);  // D7 leftmost: 02h -> "00000010"
std::string formatStatus(uint8_t v); // D0 leftmost: A2h -> "01000101"

// Value of a text of hex digits (0-9, A-F; lower case also accepted); the empty text is 0.
// Returns nothing for any other character or a value that does not fit in 32 bits.
std::optional<uint32_t> parseHex(std::string_view text);

// Keeps only 0-9 and A-F, forcing letters to upper case: the filter every address and value
// field applies as characters arrive.
std::string filterHexDigits(std::string_view text);

// Parses a status word text (8 binary digits, D0 first) or a flag text (D7 first).
std::optional<uint8_t> parseFlags(std::string_view bits);

}  // namespace orlan
