// The bytes an assembly wrote, as upper-case hex digits, for comparing with hand-written bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "Assembler.h"

namespace orlan::asm8080::test {

inline std::string hexOf(const AssemblyResult& r, uint16_t from, size_t count) {
    static const char* kDigits = "0123456789ABCDEF";
    std::string s;
    for (size_t k = 0; k < count; ++k) {
        const uint8_t b = r.image[static_cast<uint16_t>(from + k)];
        s += kDigits[b >> 4];
        s += kDigits[b & 15];
    }
    return s;
}

}  // namespace orlan::asm8080::test
