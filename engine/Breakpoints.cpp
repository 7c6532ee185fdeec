#include "Breakpoints.h"

namespace orlan {

std::vector<uint16_t> Breakpoints::addresses() const {
    std::vector<uint16_t> out;
    for (uint32_t a = 0; a < 0x10000; ++a)
        if (set_.test(a)) out.push_back(static_cast<uint16_t>(a));
    return out;
}

}  // namespace orlan
