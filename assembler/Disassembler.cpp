#include "Disassembler.h"

namespace orlan::asm8080 {

std::string disassemble(const uint8_t*, uint16_t, uint16_t) { return "; not yet\n"; }

}  // namespace orlan::asm8080
