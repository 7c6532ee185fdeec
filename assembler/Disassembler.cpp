#include "Disassembler.h"

#include <cstdio>
#include <set>
#include <string_view>
#include <vector>

#include "Mnemonics.h"

namespace orlan::asm8080 {

namespace {

// Bytes an opcode takes with its operand; 0 for an undefined opcode.
int instructionLength(uint8_t opcode) {
    std::string_view m = mnemonic(opcode);
    if (m == "-") return 0;
    if (m.ends_with("d16") || m.ends_with("adr")) return 3;
    if (m.ends_with("d8") || m.ends_with(" N")) return 2;
    return 1;
}

// Jumps and calls: their operand is a code address worth a label.
bool takesCodeAddress(uint8_t opcode) {
    std::string_view m = mnemonic(opcode);
    return m.ends_with("adr") && (m[0] == 'J' || m[0] == 'C');
}

std::string hexNumber(unsigned value, int digits) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*XH", digits, value);
    // A number must start with a digit: 0FFH, not FFH.
    std::string text = (buf[0] >= 'A' && buf[0] <= 'F') ? "0" : "";
    text += buf;
    return text;
}

std::string labelName(unsigned address) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "L%04X", address);
    return buf;
}

}  // namespace

std::string disassemble(const uint8_t* memory, uint16_t from, uint16_t to) {
    std::string out = "\tORG\t" + hexNumber(from, 4) + "\n";
    if (to < from) return out;
    const unsigned end = to;

    // Where lines begin: each instruction that fits, else one DB byte.
    std::vector<unsigned> starts;
    std::set<unsigned> targets;
    for (unsigned a = from; a <= end;) {
        starts.push_back(a);
        const int n = instructionLength(memory[a]);
        if (n > 0 && a + static_cast<unsigned>(n) - 1 <= end) {
            if (takesCodeAddress(memory[a])) {
                const unsigned target = memory[a + 1] | (memory[a + 2] << 8);
                if (target >= from && target <= end) targets.insert(target);
            }
            a += static_cast<unsigned>(n);
        } else {
            a += 1;
        }
    }
    const std::set<unsigned> lineStarts(starts.begin(), starts.end());
    // A target inside an instruction cannot carry a label: its operand stays a number.
    std::set<unsigned> labels;
    for (unsigned t : targets)
        if (lineStarts.contains(t)) labels.insert(t);

    std::string pendingDb;  // consecutive DB bytes share a line
    int pendingCount = 0;
    auto flushDb = [&] {
        if (pendingCount == 0) return;
        out += "\tDB\t" + pendingDb + "\n";
        pendingDb.clear();
        pendingCount = 0;
    };
    for (size_t i = 0; i < starts.size(); ++i) {
        const unsigned a = starts[i];
        const unsigned next = i + 1 < starts.size() ? starts[i + 1] : end + 1;
        if (labels.contains(a)) {
            flushDb();
            out += labelName(a) + ":\n";
        }
        const uint8_t opcode = memory[a];
        const int n = instructionLength(opcode);
        if (n == 0 || next - a != static_cast<unsigned>(n)) {
            if (pendingCount == 8) flushDb();
            if (pendingCount) pendingDb += ',';
            pendingDb += hexNumber(opcode, 2);
            ++pendingCount;
            continue;
        }
        flushDb();
        std::string text(mnemonic(opcode));
        // The table's form "MOV B, C" with the operand names replaced by values.
        std::string operandValue;
        if (n == 2) operandValue = hexNumber(memory[a + 1], 2);
        if (n == 3) {
            const unsigned value = memory[a + 1] | (memory[a + 2] << 8);
            operandValue = takesCodeAddress(opcode) && labels.contains(value)
                               ? labelName(value)
                               : hexNumber(value, 4);
        }
        std::string line;
        for (size_t k = 0; k < text.size(); ++k) {
            if (text[k] == ' ' && k > 0 && text[k - 1] == ',') continue;
            line += text[k];
        }
        for (std::string_view placeholder : {"d16", "adr", "d8", "N"}) {
            if (n > 1 && line.size() > placeholder.size() &&
                std::string_view(line).ends_with(placeholder)) {
                line.replace(line.size() - placeholder.size(), placeholder.size(), operandValue);
                break;
            }
        }
        const size_t space = line.find(' ');
        if (space != std::string::npos) line[space] = '\t';
        out += "\t" + line + "\n";
    }
    flushDb();
    return out;
}

}  // namespace orlan::asm8080
