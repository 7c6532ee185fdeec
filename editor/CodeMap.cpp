#include "CodeMap.h"

#include <QCoreApplication>

#include "Mnemonics.h"

namespace orlan {

namespace {

// The operand as the instruction table writes it: the last word of the mnemonic.
std::string_view operandName(uint8_t opcode) {
    const std::string_view text = mnemonic(opcode);
    const size_t space = text.find_last_of(" ,");
    return space == std::string_view::npos ? std::string_view{} : text.substr(space + 1);
}

}  // namespace

int CodeMap::instructionLength(uint8_t opcode) {
    const std::string_view op = operandName(opcode);
    if (op == "d16" || op == "adr") return 3;
    if (op == "d8" || op == "N") return 2;
    return 1;
}

void CodeMap::clear() {
    starts_.fill(0);
    labels_.clear();
    empty_ = true;
}

void CodeMap::addInstruction(uint16_t address) {
    starts_[address] = 1;
    empty_ = false;
}

void CodeMap::setLabel(uint16_t address, std::string name) {
    labels_[address] = std::move(name);
    empty_ = false;
}

const std::string& CodeMap::label(uint16_t address) const {
    static const std::string none;
    const auto it = labels_.find(address);
    return it == labels_.end() ? none : it->second;
}

std::string CodeMap::operandText(const std::array<uint8_t, 65536>& memory, uint16_t address) const {
    if (starts_[address] == 1) return {};
    // The nearest instruction start at most two cells back, not wrapping below 0000.
    for (int back = 1; back <= 2 && back <= address; ++back) {
        const auto start = static_cast<uint16_t>(address - back);
        if (starts_[start] != 1) continue;
        const uint8_t opcode = memory[start];
        const int length = instructionLength(opcode);
        if (back >= length) return {};
        const std::string name(operandName(opcode));
        if (length < 3) return name;
        const char* byte = back == 1 ? QT_TRANSLATE_NOOP("CodeMap", "%1 (мл.)")
                                     : QT_TRANSLATE_NOOP("CodeMap", "%1 (ст.)");
        return QCoreApplication::translate("CodeMap", byte)
            .arg(QString::fromStdString(name))
            .toStdString();
    }
    return {};
}

}  // namespace orlan
