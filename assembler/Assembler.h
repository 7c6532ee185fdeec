// Intel 8080 assembler: the source of the classic Intel and CP/M-era assemblers (labels, EQU/SET,
// IF, macros) to a memory image, a symbol table, a listing and the address -> line map.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orlan::asm8080 {

// A problem found in the source. Line and column are 1-based; the message is Russian, plain words.
struct Diagnostic {
    std::string file;
    int line = 0;
    int column = 0;
    std::string message;
};

// Where a byte came from.
struct SourceSpan {
    std::string file;
    int line = 0;
};

struct AssemblyResult {
    std::vector<Diagnostic> errors;      // empty = success
    std::vector<Diagnostic> warnings;    // e.g. two pieces of code over the same bytes
    std::array<uint8_t, 65536> image{};  // bytes
    std::vector<bool> written;           // 65536 entries: cell written by the source
    uint16_t start = 0;                  // END operand, else the first ORG, else 0
    std::vector<std::pair<std::string, uint16_t>> symbols;  // sorted by name
    std::string listing;  // classic listing text (address, bytes, line number, source)
    // 65536 entries: 1-based source line (main file) of the instruction/data that wrote the cell,
    // 0 = none.
    std::vector<int> lineOfAddress;
    std::vector<uint16_t> instructionStarts;  // addresses where an instruction begins, ascending
    bool ok() const { return errors.empty(); }
};

AssemblyResult assemble(std::string_view source, const std::string& fileName);

// "FILE:LINE:COLUMN: error: MESSAGE" (or "warning:"), the form compilers print, so editors and
// build tools find the place; the message itself is Russian.
std::string formatDiagnostic(const Diagnostic& d, bool warning = false);

}  // namespace orlan::asm8080
