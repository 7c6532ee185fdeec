// 8080 memory back to source that the assembler takes back to the very same bytes.
#pragma once

#include <cstdint>
#include <string>

namespace orlan::asm8080 {

// Source that assembles back to exactly memory[from..to] (inclusive). memory holds 65536 bytes.
// Jump and call targets inside the range get labels (L0105); bytes that do not begin a defined
// instruction, or whose instruction would run past `to`, become DB.
std::string disassemble(const uint8_t* memory, uint16_t from, uint16_t to);

}  // namespace orlan::asm8080
