// Every defined 8080 opcode: its source form and the bytes the encoding rules give it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>

#include "Assembler.h"
#include "image_hex.h"

namespace orlan::asm8080 {
namespace {

using test::hexOf;

struct Case {
    const char* source;
    const char* bytes;  // hex pairs
};

// Operands: d8 = 12H, d16/adr = 3456H (stored 56 34).
constexpr Case kOpcodes[] = {
    {"NOP", "00"}, {"LXI B,3456H", "015634"}, {"STAX B", "02"}, {"INX B", "03"},
    {"INR B", "04"}, {"DCR B", "05"}, {"MVI B,12H", "0612"}, {"RLC", "07"},
    {"DAD B", "09"}, {"LDAX B", "0A"}, {"DCX B", "0B"}, {"INR C", "0C"},
    {"DCR C", "0D"}, {"MVI C,12H", "0E12"}, {"RRC", "0F"},
    {"LXI D,3456H", "115634"}, {"STAX D", "12"}, {"INX D", "13"}, {"INR D", "14"},
    {"DCR D", "15"}, {"MVI D,12H", "1612"}, {"RAL", "17"}, {"DAD D", "19"},
    {"LDAX D", "1A"}, {"DCX D", "1B"}, {"INR E", "1C"}, {"DCR E", "1D"},
    {"MVI E,12H", "1E12"}, {"RAR", "1F"},
    {"LXI H,3456H", "215634"}, {"SHLD 3456H", "225634"}, {"INX H", "23"}, {"INR H", "24"},
    {"DCR H", "25"}, {"MVI H,12H", "2612"}, {"DAA", "27"}, {"DAD H", "29"},
    {"LHLD 3456H", "2A5634"}, {"DCX H", "2B"}, {"INR L", "2C"}, {"DCR L", "2D"},
    {"MVI L,12H", "2E12"}, {"CMA", "2F"},
    {"LXI SP,3456H", "315634"}, {"STA 3456H", "325634"}, {"INX SP", "33"}, {"INR M", "34"},
    {"DCR M", "35"}, {"MVI M,12H", "3612"}, {"STC", "37"}, {"DAD SP", "39"},
    {"LDA 3456H", "3A5634"}, {"DCX SP", "3B"}, {"INR A", "3C"}, {"DCR A", "3D"},
    {"MVI A,12H", "3E12"}, {"CMC", "3F"},
    {"MOV B,B", "40"}, {"MOV B,C", "41"}, {"MOV B,D", "42"}, {"MOV B,E", "43"},
    {"MOV B,H", "44"}, {"MOV B,L", "45"}, {"MOV B,M", "46"}, {"MOV B,A", "47"},
    {"MOV C,B", "48"}, {"MOV C,C", "49"}, {"MOV C,D", "4A"}, {"MOV C,E", "4B"},
    {"MOV C,H", "4C"}, {"MOV C,L", "4D"}, {"MOV C,M", "4E"}, {"MOV C,A", "4F"},
    {"MOV D,B", "50"}, {"MOV D,C", "51"}, {"MOV D,D", "52"}, {"MOV D,E", "53"},
    {"MOV D,H", "54"}, {"MOV D,L", "55"}, {"MOV D,M", "56"}, {"MOV D,A", "57"},
    {"MOV E,B", "58"}, {"MOV E,C", "59"}, {"MOV E,D", "5A"}, {"MOV E,E", "5B"},
    {"MOV E,H", "5C"}, {"MOV E,L", "5D"}, {"MOV E,M", "5E"}, {"MOV E,A", "5F"},
    {"MOV H,B", "60"}, {"MOV H,C", "61"}, {"MOV H,D", "62"}, {"MOV H,E", "63"},
    {"MOV H,H", "64"}, {"MOV H,L", "65"}, {"MOV H,M", "66"}, {"MOV H,A", "67"},
    {"MOV L,B", "68"}, {"MOV L,C", "69"}, {"MOV L,D", "6A"}, {"MOV L,E", "6B"},
    {"MOV L,H", "6C"}, {"MOV L,L", "6D"}, {"MOV L,M", "6E"}, {"MOV L,A", "6F"},
    {"MOV M,B", "70"}, {"MOV M,C", "71"}, {"MOV M,D", "72"}, {"MOV M,E", "73"},
    {"MOV M,H", "74"}, {"MOV M,L", "75"}, {"HLT", "76"}, {"MOV M,A", "77"},
    {"MOV A,B", "78"}, {"MOV A,C", "79"}, {"MOV A,D", "7A"}, {"MOV A,E", "7B"},
    {"MOV A,H", "7C"}, {"MOV A,L", "7D"}, {"MOV A,M", "7E"}, {"MOV A,A", "7F"},
    {"ADD B", "80"}, {"ADD C", "81"}, {"ADD D", "82"}, {"ADD E", "83"},
    {"ADD H", "84"}, {"ADD L", "85"}, {"ADD M", "86"}, {"ADD A", "87"},
    {"ADC B", "88"}, {"ADC C", "89"}, {"ADC D", "8A"}, {"ADC E", "8B"},
    {"ADC H", "8C"}, {"ADC L", "8D"}, {"ADC M", "8E"}, {"ADC A", "8F"},
    {"SUB B", "90"}, {"SUB C", "91"}, {"SUB D", "92"}, {"SUB E", "93"},
    {"SUB H", "94"}, {"SUB L", "95"}, {"SUB M", "96"}, {"SUB A", "97"},
    {"SBB B", "98"}, {"SBB C", "99"}, {"SBB D", "9A"}, {"SBB E", "9B"},
    {"SBB H", "9C"}, {"SBB L", "9D"}, {"SBB M", "9E"}, {"SBB A", "9F"},
    {"ANA B", "A0"}, {"ANA C", "A1"}, {"ANA D", "A2"}, {"ANA E", "A3"},
    {"ANA H", "A4"}, {"ANA L", "A5"}, {"ANA M", "A6"}, {"ANA A", "A7"},
    {"XRA B", "A8"}, {"XRA C", "A9"}, {"XRA D", "AA"}, {"XRA E", "AB"},
    {"XRA H", "AC"}, {"XRA L", "AD"}, {"XRA M", "AE"}, {"XRA A", "AF"},
    {"ORA B", "B0"}, {"ORA C", "B1"}, {"ORA D", "B2"}, {"ORA E", "B3"},
    {"ORA H", "B4"}, {"ORA L", "B5"}, {"ORA M", "B6"}, {"ORA A", "B7"},
    {"CMP B", "B8"}, {"CMP C", "B9"}, {"CMP D", "BA"}, {"CMP E", "BB"},
    {"CMP H", "BC"}, {"CMP L", "BD"}, {"CMP M", "BE"}, {"CMP A", "BF"},
    {"RNZ", "C0"}, {"POP B", "C1"}, {"JNZ 3456H", "C25634"}, {"JMP 3456H", "C35634"},
    {"CNZ 3456H", "C45634"}, {"PUSH B", "C5"}, {"ADI 12H", "C612"}, {"RST 0", "C7"},
    {"RZ", "C8"}, {"RET", "C9"}, {"JZ 3456H", "CA5634"}, {"CZ 3456H", "CC5634"},
    {"CALL 3456H", "CD5634"}, {"ACI 12H", "CE12"}, {"RST 1", "CF"},
    {"RNC", "D0"}, {"POP D", "D1"}, {"JNC 3456H", "D25634"}, {"OUT 12H", "D312"},
    {"CNC 3456H", "D45634"}, {"PUSH D", "D5"}, {"SUI 12H", "D612"}, {"RST 2", "D7"},
    {"RC", "D8"}, {"JC 3456H", "DA5634"}, {"IN 12H", "DB12"}, {"CC 3456H", "DC5634"},
    {"SBI 12H", "DE12"}, {"RST 3", "DF"},
    {"RPO", "E0"}, {"POP H", "E1"}, {"JPO 3456H", "E25634"}, {"XTHL", "E3"},
    {"CPO 3456H", "E45634"}, {"PUSH H", "E5"}, {"ANI 12H", "E612"}, {"RST 4", "E7"},
    {"RPE", "E8"}, {"PCHL", "E9"}, {"JPE 3456H", "EA5634"}, {"XCHG", "EB"},
    {"CPE 3456H", "EC5634"}, {"XRI 12H", "EE12"}, {"RST 5", "EF"},
    {"RP", "F0"}, {"POP PSW", "F1"}, {"JP 3456H", "F25634"}, {"DI", "F3"},
    {"CP 3456H", "F45634"}, {"PUSH PSW", "F5"}, {"ORI 12H", "F612"}, {"RST 6", "F7"},
    {"RM", "F8"}, {"SPHL", "F9"}, {"JM 3456H", "FA5634"}, {"EI", "FB"},
    {"CM 3456H", "FC5634"}, {"CPI 12H", "FE12"}, {"RST 7", "FF"},
};

TEST(AssemblerOpcodes, EveryDefinedOpcodeAssemblesToItsEncoding) {
    std::set<std::string> firstBytes;
    for (const Case& c : kOpcodes) {
        // Lower case as well: mnemonics and registers are case-insensitive.
        for (bool lower : {false, true}) {
            std::string src = std::string("\t") + c.source + "\n";
            if (lower)
                for (char& ch : src) ch = static_cast<char>(std::tolower(ch));
            AssemblyResult r = assemble(src, "t.asm");
            ASSERT_TRUE(r.ok()) << c.source << ": " << r.errors[0].message;
            const size_t n = std::string(c.bytes).size() / 2;
            EXPECT_EQ(hexOf(r, 0, n), c.bytes) << c.source;
            EXPECT_EQ(std::count(r.written.begin(), r.written.end(), true), static_cast<long>(n))
                << c.source;
        }
        firstBytes.insert(std::string(c.bytes).substr(0, 2));
    }
    EXPECT_EQ(firstBytes.size(), 244u);  // each opcode once
}

}  // namespace
}  // namespace orlan::asm8080
