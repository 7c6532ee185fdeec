#include "Notation.h"

#include <cctype>

#include "Elements.h"

namespace orlan {

namespace {
constexpr char kHex[] = "0123456789ABCDEF";
}

std::string formatByte(uint8_t v) { return {kHex[v >> 4], kHex[v & 0xF]}; }

std::string formatWord(uint16_t v) {
    return {kHex[v >> 12], kHex[(v >> 8) & 0xF], kHex[(v >> 4) & 0xF], kHex[v & 0xF]};
}

std::string formatFlags(uint8_t v) {
    std::string s(8, '0');
    for (int i = 0; i < 8; ++i)
        if (v & (0x80 >> i)) s[i] = '1';
    return s;
}

std::string formatStatus(uint8_t v) {
    std::string s(8, '0');
    for (int i = 0; i < 8; ++i)
        if (v & (1 << i)) s[i] = '1';
    return s;
}

std::optional<uint32_t> parseHex(std::string_view text) {
    if (text.size() > 8) return std::nullopt;
    uint32_t value = 0;
    for (char ch : text) {
        int digit;
        if (ch >= '0' && ch <= '9')
            digit = ch - '0';
        else if (ch >= 'A' && ch <= 'F')
            digit = ch - 'A' + 10;
        else if (ch >= 'a' && ch <= 'f')
            digit = ch - 'a' + 10;
        else
            return std::nullopt;
        value = value * 16 + static_cast<uint32_t>(digit);
    }
    return value;
}

std::string filterHexDigits(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char ch : text) {
        char up = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        if ((up >= '0' && up <= '9') || (up >= 'A' && up <= 'F')) out.push_back(up);
    }
    return out;
}

std::optional<uint8_t> parseFlags(std::string_view bits) {
    if (bits.size() != 8) return std::nullopt;
    uint8_t v = 0;
    for (int i = 0; i < 8; ++i) {
        if (bits[i] == '1')
            v |= static_cast<uint8_t>(0x80 >> i);
        else if (bits[i] != '0')
            return std::nullopt;
    }
    return v;
}

std::optional<Element> elementByName(std::string_view name) {
    for (int i = 0; i < kElementCount; ++i)
        if (kElementNames[i] == name) return static_cast<Element>(i);
    return std::nullopt;
}

std::optional<Lamp> lampByName(std::string_view name) {
    for (int i = 0; i < kLampCount; ++i)
        if (kLampNames[i] == name) return static_cast<Lamp>(i);
    return std::nullopt;
}

}  // namespace orlan
