// What the memory view knows of code that came from a source: where each instruction begins (so
// that its operand bytes can be shown as operands rather than as instructions of their own) and
// the labels of the cells. Filled by the source window after an assembly or a disassembly; the
// opcode is read from memory whenever asked, so a program that rewrites its own code is shown as
// it is now. Standard C++ but for the operand captions, which follow the program's language.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>

namespace orlan {

class CodeMap {
public:
    // Bytes of the instruction with this opcode (1 for the undefined ones).
    static int instructionLength(uint8_t opcode);

    void clear();
    bool empty() const { return empty_; }
    // An instruction starts at address (its length comes from the opcode in memory).
    void addInstruction(uint16_t address);
    void setLabel(uint16_t address, std::string name);

    // The label of the cell, empty when none.
    const std::string& label(uint16_t address) const;
    // For an operand byte of a known instruction, as the memory view shows it in operand mode:
    // "d8", "adr (мл.)", "d16 (ст.)"... (in the current language); empty for any other cell.
    std::string operandText(const std::array<uint8_t, 65536>& memory, uint16_t address) const;

private:
    // 1 where an instruction of the source starts.
    std::array<uint8_t, 65536> starts_{};
    std::unordered_map<uint16_t, std::string> labels_;
    bool empty_ = true;
};

}  // namespace orlan
