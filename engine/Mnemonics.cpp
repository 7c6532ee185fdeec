#include "Mnemonics.h"

#include <iterator>

namespace orlan {

// Row = high nibble, column = low nibble. Entry 4C really is written without the space.
namespace {
constexpr std::string_view kTable[] = {
    // 0
    "NOP", "LXI B, d16", "STAX B", "INX B", "INR B", "DCR B", "MVI B, d8", "RLC",
    "-", "DAD B", "LDAX B", "DCX B", "INR C", "DCR C", "MVI C, d8", "RRC",
    // 1
    "-", "LXI D, d16", "STAX D", "INX D", "INR D", "DCR D", "MVI D, d8", "RAL",
    "-", "DAD D", "LDAX D", "DCX D", "INR E", "DCR E", "MVI E, d8", "RAR",
    // 2
    "-", "LXI H, d16", "SHLD adr", "INX H", "INR H", "DCR H", "MVI H, d8", "DAA",
    "-", "DAD H", "LHLD adr", "DCX H", "INR L", "DCR L", "MVI L, d8", "CMA",
    // 3
    "-", "LXI SP, d16", "STA adr", "INX SP", "INR M", "DCR M", "MVI M, d8", "STC",
    "-", "DAD SP", "LDA adr", "DCX SP", "INR A", "DCR A", "MVI A, d8", "CMC",
    // 4
    "MOV B, B", "MOV B, C", "MOV B, D", "MOV B, E", "MOV B, H", "MOV B, L", "MOV B, M", "MOV B, A",
    "MOV C, B", "MOV C, C", "MOV C, D", "MOV C, E", "MOV C,H", "MOV C, L", "MOV C, M", "MOV C, A",
    // 5
    "MOV D, B", "MOV D, C", "MOV D, D", "MOV D, E", "MOV D, H", "MOV D, L", "MOV D, M", "MOV D, A",
    "MOV E, B", "MOV E, C", "MOV E, D", "MOV E, E", "MOV E, H", "MOV E, L", "MOV E, M", "MOV E, A",
    // 6
    "MOV H, B", "MOV H, C", "MOV H, D", "MOV H, E", "MOV H, H", "MOV H, L", "MOV H, M", "MOV H, A",
    "MOV L, B", "MOV L, C", "MOV L, D", "MOV L, E", "MOV L, H", "MOV L, L", "MOV L, M", "MOV L, A",
    // 7
    "MOV M, B", "MOV M, C", "MOV M, D", "MOV M, E", "MOV M, H", "MOV M, L", "HLT", "MOV M, A",
    "MOV A, B", "MOV A, C", "MOV A, D", "MOV A, E", "MOV A, H", "MOV A, L", "MOV A, M", "MOV A, A",
    // 8
    "ADD B", "ADD C", "ADD D", "ADD E", "ADD H", "ADD L", "ADD M", "ADD A",
    "ADC B", "ADC C", "ADC D", "ADC E", "ADC H", "ADC L", "ADC M", "ADC A",
    // 9
    "SUB B", "SUB C", "SUB D", "SUB E", "SUB H", "SUB L", "SUB M", "SUB A",
    "SBB B", "SBB C", "SBB D", "SBB E", "SBB H", "SBB L", "SBB M", "SBB A",
    // A
    "ANA B", "ANA C", "ANA D", "ANA E", "ANA H", "ANA L", "ANA M", "ANA A",
    "XRA B", "XRA C", "XRA D", "XRA E", "XRA H", "XRA L", "XRA M", "XRA A",
    // B
    "ORA B", "ORA C", "ORA D", "ORA E", "ORA H", "ORA L", "ORA M", "ORA A",
    "CMP B", "CMP C", "CMP D", "CMP E", "CMP H", "CMP L", "CMP M", "CMP A",
    // C
    "RNZ", "POP B", "JNZ adr", "JMP adr", "CNZ adr", "PUSH B", "ADI d8", "RST 0",
    "RZ", "RET", "JZ adr", "-", "CZ adr", "CALL adr", "ACI d8", "RST 1",
    // D
    "RNC", "POP D", "JNC adr", "OUT N", "CNC adr", "PUSH D", "SUI d8", "RST 2",
    "RC", "-", "JC adr", "IN N", "CC adr", "-", "SBI d8", "RST 3",
    // E
    "RPO", "POP H", "JPO adr", "XTHL", "CPO adr", "PUSH H", "ANI d8", "RST 4",
    "RPE", "PCHL", "JPE adr", "XCHG", "CPE adr", "-", "XRI d8", "RST 5",
    // F
    "RP", "POP PSW", "JP adr", "DI", "CP adr", "PUSH PSW", "ORI d8", "RST 6",
    "RM", "SPHL", "JM adr", "EI", "CM adr", "-", "CPI d8", "RST 7",
};
static_assert(std::size(kTable) == 256);
}  // namespace

const std::array<std::string_view, 256> kMnemonics = std::to_array(kTable);

}  // namespace orlan
