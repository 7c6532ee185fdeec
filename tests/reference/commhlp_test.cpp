// The generated help files: their record layout, their encoding, and what each description says
// about the instruction (mnemonic, length, tacts, machine cycles, flags). The Russian file is
// checked against the machine's tables, the English one against the Russian.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <span>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Mnemonics.h"

namespace {

constexpr size_t kRecordSize = 1000;
constexpr int kRecords = 256;
constexpr size_t kMaxLineChars = 38;  // what the popup shows without wrapping
constexpr size_t kMaxLines = 12;

struct HelpFile {
    const char* path;
    bool ascii;  // the English file holds plain ASCII only
};
const HelpFile kRussian{ORLAN_COMMHLP_FILE, false};
const HelpFile kEnglish{ORLAN_COMMHLP_EN_FILE, true};
const HelpFile kBothFiles[] = {kRussian, kEnglish};

const std::vector<unsigned char>& bytesOf(const HelpFile& file) {
    static std::map<std::string, std::vector<unsigned char>> cache;
    auto [it, added] = cache.try_emplace(file.path);
    if (added) {
        std::ifstream in(file.path, std::ios::binary);
        it->second.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return it->second;
}
const std::vector<unsigned char>& helpFile() {
    return bytesOf(kRussian);
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// One Windows-1251 byte as a code point; 0 for bytes the help texts have no business holding.
char32_t fromCp1251(unsigned char b) {
    if (b >= 0x20 && b <= 0x7E) return b;
    if (b >= 0xC0) return 0x0410 + (b - 0xC0);  // А..я
    switch (b) {
        case 0xA8:
            return 0x0401;  // Ё
        case 0xB8:
            return 0x0451;  // ё
        case 0xAB:
            return 0x00AB;  // «
        case 0xBB:
            return 0x00BB;  // »
        case 0x96:
            return 0x2013;  // –
        case 0x97:
            return 0x2014;  // —
        case 0xB9:
            return 0x2116;  // №
        case 0x85:
            return 0x2026;  // …
        case 0x91:
            return 0x2018;
        case 0x92:
            return 0x2019;
        case 0x93:
            return 0x201C;
        case 0x94:
            return 0x201D;
        case 0x84:
            return 0x201E;
        default:
            return 0;
    }
}

struct Help {
    std::vector<std::string> lines;  // UTF-8, without line breaks
    std::vector<size_t> widths;      // characters per line
    std::string problem;             // empty when the record decodes cleanly

    std::string text() const {
        std::string t;
        for (const auto& l : lines) t += l + "\n";
        return t;
    }
    bool has(std::string_view s) const { return text().find(s) != std::string::npos; }
    // The line that starts with the label, or empty.
    std::string line(std::string_view label) const {
        for (const auto& l : lines)
            if (l.rfind(label, 0) == 0) return l;
        return {};
    }
};

// Record text up to its zero byte, decoded; CR LF is the only line break allowed.
Help record(int op, const HelpFile& file = kRussian) {
    Help h;
    const auto& f = bytesOf(file);
    const size_t begin = static_cast<size_t>(op) * kRecordSize;
    std::string current;
    size_t width = 0;
    for (size_t i = begin; i < begin + kRecordSize && f[i] != 0; ++i) {
        const unsigned char b = f[i];
        if (b == '\r') {
            if (i + 1 >= begin + kRecordSize || f[i + 1] != '\n') {
                h.problem = "CR without LF";
                return h;
            }
            h.lines.push_back(current);
            h.widths.push_back(width);
            current.clear();
            width = 0;
            ++i;
            continue;
        }
        const char32_t cp = fromCp1251(b);
        if (cp == 0 || (file.ascii && cp > 0x7E)) {
            std::ostringstream s;
            s << "byte 0x" << std::hex << std::uppercase << int(b) << " at offset " << std::dec
              << (i - begin);
            h.problem = s.str();
            return h;
        }
        appendUtf8(current, cp);
        ++width;
    }
    h.lines.push_back(current);
    h.widths.push_back(width);
    return h;
}

std::string hex2(int op) {
    std::ostringstream s;
    s << std::hex << std::uppercase;
    s.width(2);
    s.fill('0');
    s << op;
    return s.str();
}

bool undefinedOpcode(int op) {
    for (int u : {0x08, 0x10, 0x18, 0x20, 0x28, 0x30, 0x38, 0xCB, 0xD9, 0xDD, 0xED, 0xFD})
        if (op == u) return true;
    return false;
}

std::vector<std::string> tokens(const char* row) {
    std::istringstream s(row);
    return {std::istream_iterator<std::string>(s), std::istream_iterator<std::string>()};
}

std::vector<int> numbersIn(const std::string& s) {
    std::vector<int> out;
    for (size_t i = 0; i < s.size();) {
        if (s[i] >= '0' && s[i] <= '9') {
            int v = 0;
            while (i < s.size() && s[i] >= '0' && s[i] <= '9') v = v * 10 + (s[i++] - '0');
            out.push_back(v);
        } else {
            ++i;
        }
    }
    return out;
}

// Tacts by opcode, row = high digit. "a/b": condition met / not met.
const char* const kTacts[16] = {
    "4 10 7 5 5 5 7 5 4 10 7 5 5 5 7 5",
    "4 10 7 5 5 5 7 5 4 10 7 5 5 5 7 5",
    "4 10 15 5 5 5 7 4 4 10 15 5 5 5 7 4",
    "4 10 12 5 9 9 10 4 4 10 12 5 5 5 7 4",
    "5 5 5 5 5 5 7 5 5 5 5 5 5 5 7 5",
    "5 5 5 5 5 5 7 5 5 5 5 5 5 5 7 5",
    "5 5 5 5 5 5 7 5 5 5 5 5 5 5 7 5",
    "7 7 7 7 7 7 4 7 5 5 5 5 5 5 7 5",
    "5 5 5 5 5 5 7 5 5 5 5 5 5 5 7 5",
    "5 5 5 5 5 5 7 5 5 5 5 5 5 5 7 5",
    "5 5 5 5 5 5 7 5 5 5 5 5 5 5 7 5",
    "5 5 5 5 5 5 7 5 5 5 5 5 5 5 6 5",
    "12/4 11 10 10 14/10 10 7 9 12/4 12 10 4 14/10 14 7 9",
    "12/4 11 10 8 14/10 10 7 9 12/4 4 10 10 14/10 4 7 9",
    "12/4 11 10 17 14/10 10 7 9 12/4 4 10 4 14/10 4 7 9",
    "12/4 11 10 4 14/10 10 7 9 12/4 5 10 4 14/10 4 7 9",
};

// Instruction length in bytes; '-' for the codes that are no instruction.
const char* const kLengths[16] = {
    "13111121-1111121", "-3111121-1111121", "-3311121-1311121", "-3311121-1311121",
    "1111111111111111", "1111111111111111", "1111111111111111", "1111111111111111",
    "1111111111111111", "1111111111111111", "1111111111111111", "1111111111111111",
    "11333121113-3321", "113231211-323-21", "1131312111313-21", "1131312111313-21",
};

// Machine cycles in order (the longest path): F fetch, R memory read, W memory write,
// S stack read, T stack write, O output write, I input read.
const char* const kCycles[16] = {
    "F FRR FW F F F FR F F F FR F F F FR F",
    "F FRR FW F F F FR F F F FR F F F FR F",
    "F FRR FRRWW F F F FR F F F FRRRR F F F FR F",
    "F FRR FRRW F FRW FRW FRW F F F FRRR F F F FR F",
    "F F F F F F FR F F F F F F F FR F",
    "F F F F F F FR F F F F F F F FR F",
    "F F F F F F FR F F F F F F F FR F",
    "FW FW FW FW FW FW F FW F F F F F F FR F",
    "F F F F F F FR F F F F F F F FR F",
    "F F F F F F FR F F F F F F F FR F",
    "F F F F F F FR F F F F F F F FR F",
    "F F F F F F FR F F F F F F F FR F",
    "FSS FSS FRR FRR FRRTT FTT FR FTT FSS FSS FRR F FRRTT FRRTT FR FTT",
    "FSS FSS FRR FRO FRRTT FTT FR FTT FSS F FRR FRI FRRTT F FR FTT",
    "FSS FSS FRR FSSTT FRRTT FTT FR FTT FSS F FRR F FRRTT F FR FTT",
    "FSS FSS FRR F FRRTT FTT FR FTT FSS F FRR F FRRTT F FR FTT",
};

using CycleNames = std::span<const std::pair<char, std::string_view>>;
const std::pair<char, std::string_view> kCycleNames[] = {
    {'F', "Выборка команды"}, {'R', "Чтение памяти"}, {'W', "Запись в память"},
    {'S', "Чтение стека"},    {'T', "Запись в стек"}, {'O', "Запись в УВВ"},
    {'I', "Чтение УВВ"},
};
// As the English program names them on the scheme.
const std::pair<char, std::string_view> kEnglishCycleNames[] = {
    {'F', "Instruction fetch"}, {'R', "Memory read"}, {'W', "Memory write"}, {'S', "Stack read"},
    {'T', "Stack write"},       {'O', "I/O write"},   {'I', "I/O read"},
};

// The cycle names a text mentions, as letters in the order they appear.
std::string cyclesIn(const std::string& text, CycleNames names = kCycleNames) {
    std::vector<std::pair<size_t, char>> found;
    for (const auto& [letter, name] : names)
        for (size_t at = text.find(name); at != std::string::npos; at = text.find(name, at + 1))
            found.emplace_back(at, letter);
    std::sort(found.begin(), found.end());
    std::string out;
    for (const auto& f : found) out += f.second;
    return out;
}

// Opcodes that change a flag: the accumulator operations, INR, DCR, DAD, the rotates, DAA,
// STC, CMC and POP PSW.
bool changesFlags(int op) {
    if (op >= 0x80 && op <= 0xBF) return true;
    if (op >= 0xC6 && (op & 7) == 6) return true;                    // ADI .. CPI
    if (op < 0x40 && ((op & 7) == 4 || (op & 7) == 5)) return true;  // INR, DCR
    if (op < 0x40 && (op & 0xF) == 9) return true;                   // DAD
    for (int o : {0x07, 0x0F, 0x17, 0x1F, 0x27, 0x37, 0x3F, 0xF1})
        if (op == o) return true;
    return false;
}

TEST(CommHlpFile, Is256RecordsOf1000Bytes) {
    for (const HelpFile& file : kBothFiles)
        EXPECT_EQ(bytesOf(file).size(), 256000u) << "file: " << file.path;
}

TEST(CommHlpFile, EveryRecordHasTextThenZeroThenZeroPadding) {
    for (const HelpFile& file : kBothFiles) {
        SCOPED_TRACE(file.path);
        ASSERT_EQ(bytesOf(file).size(), 256000u);
        for (int op = 0; op < kRecords; ++op) {
            const auto first =
                bytesOf(file).begin() + op * static_cast<std::ptrdiff_t>(kRecordSize);
            const auto last = first + static_cast<std::ptrdiff_t>(kRecordSize);
            const auto zero = std::find(first, last, 0);
            ASSERT_NE(zero, last) << "record " << hex2(op) << " has no zero byte";
            EXPECT_GT(zero - first, 20) << "record " << hex2(op) << " is (nearly) empty";
            EXPECT_TRUE(std::all_of(zero, last, [](unsigned char b) { return b == 0; }))
                << "record " << hex2(op) << " has bytes after its zero byte";
        }
    }
}

// Cyrillic in the Russian file, ASCII only in the English one.
TEST(CommHlpFile, EveryRecordIsShortTextWithCrLf) {
    for (const HelpFile& file : kBothFiles) {
        SCOPED_TRACE(file.path);
        ASSERT_EQ(bytesOf(file).size(), 256000u);
        for (int op = 0; op < kRecords; ++op) {
            const Help h = record(op, file);
            ASSERT_TRUE(h.problem.empty()) << "record " << hex2(op) << ": " << h.problem;
            EXPECT_LE(h.lines.size(), kMaxLines) << "record " << hex2(op);
            EXPECT_FALSE(h.lines.back().empty())
                << "record " << hex2(op) << " ends with a line break";
            for (size_t i = 0; i < h.lines.size(); ++i)
                EXPECT_LE(h.widths[i], kMaxLineChars)
                    << "record " << hex2(op) << ": " << h.lines[i];
        }
    }
}

TEST(CommHlpFile, EveryInstructionIsNamedByItsMnemonic) {
    const struct {
        HelpFile file;
        std::vector<std::string_view> undefined;  // what an undefined opcode's text says
    } languages[] = {
        {kRussian, {"не является командой", "останавливается", "сообщением об ошибке"}},
        {kEnglish, {"is not an instruction", "stops", "error message"}},
    };
    for (const auto& language : languages) {
        SCOPED_TRACE(language.file.path);
        ASSERT_EQ(bytesOf(language.file).size(), 256000u);
        for (int op = 0; op < kRecords; ++op) {
            const Help h = record(op, language.file);
            const std::string_view m = orlan::mnemonic(static_cast<uint8_t>(op));
            if (undefinedOpcode(op)) {
                EXPECT_EQ(m, "-");
                for (std::string_view phrase : language.undefined)
                    EXPECT_TRUE(h.has(phrase)) << phrase << " in\n" << h.text();
            } else {
                // The description opens with the mnemonic as the instruction table writes it.
                EXPECT_EQ(h.lines.front().rfind(std::string(m) + " ", 0), 0u)
                    << "record " << hex2(op) << " should open with \"" << m
                    << "\": " << h.lines.front();
            }
        }
    }
}

TEST(CommHlpFile, TactCountsFollowTheTactTables) {
    ASSERT_EQ(helpFile().size(), 256000u);
    for (int row = 0; row < 16; ++row) {
        const auto expected = tokens(kTacts[row]);
        ASSERT_EQ(expected.size(), 16u) << "row " << row;
        for (int col = 0; col < 16; ++col) {
            const int op = row * 16 + col;
            std::vector<int> want;
            std::istringstream parts(expected[col]);
            for (std::string part; std::getline(parts, part, '/');) want.push_back(std::stoi(part));
            const std::string line = record(op).line("Тактов:");
            EXPECT_EQ(numbersIn(line), want) << "record " << hex2(op) << ": \"" << line << "\"";
        }
    }
}

TEST(CommHlpFile, LengthsFollowTheOperands) {
    ASSERT_EQ(helpFile().size(), 256000u);
    for (int op = 0; op < kRecords; ++op) {
        const char want = kLengths[op / 16][op % 16];
        const std::string line = record(op).line("Длина:");
        if (want == '-') {
            EXPECT_TRUE(undefinedOpcode(op)) << hex2(op);
            EXPECT_TRUE(line.empty()) << "record " << hex2(op) << ": " << line;
            continue;
        }
        const auto numbers = numbersIn(line);
        ASSERT_FALSE(numbers.empty()) << "record " << hex2(op) << " gives no length";
        EXPECT_EQ(numbers.front(), want - '0') << "record " << hex2(op) << ": " << line;
        // The layout starts with the opcode itself.
        EXPECT_NE(line.find("код " + hex2(op)), std::string::npos) << line;
    }
}

TEST(CommHlpFile, MachineCyclesAreNamedAsTheSchemeShowsThem) {
    ASSERT_EQ(helpFile().size(), 256000u);
    for (int row = 0; row < 16; ++row) {
        const auto expected = tokens(kCycles[row]);
        ASSERT_EQ(expected.size(), 16u) << "row " << row;
        for (int col = 0; col < 16; ++col) {
            const int op = row * 16 + col;
            EXPECT_EQ(cyclesIn(record(op).text()), expected[col]) << "record " << hex2(op);
        }
    }
}

TEST(CommHlpFile, FlagsLineSaysWhetherFlagsChange) {
    ASSERT_EQ(helpFile().size(), 256000u);
    for (int op = 0; op < kRecords; ++op) {
        const std::string line = record(op).line("Флаги:");
        ASSERT_FALSE(line.empty()) << "record " << hex2(op) << " says nothing about flags";
        const bool none = line.rfind("Флаги: не изменяются", 0) == 0;
        EXPECT_EQ(none, !changesFlags(op)) << "record " << hex2(op) << ": " << line;
    }
}

// The English file is the Russian one translated: opcode by opcode the same length, tacts and
// machine cycles, and the same answer to whether the flags change.
TEST(CommHlpFile, EnglishStatesTheSameFactsAsRussian) {
    ASSERT_EQ(helpFile().size(), 256000u);
    ASSERT_EQ(bytesOf(kEnglish).size(), 256000u);
    for (int op = 0; op < kRecords; ++op) {
        const Help ru = record(op), en = record(op, kEnglish);
        SCOPED_TRACE("record " + hex2(op) + ":\n" + en.text());
        EXPECT_EQ(numbersIn(en.line("Tacts:")), numbersIn(ru.line("Тактов:")));
        const std::string length = en.line("Length:");
        const auto ruLength = numbersIn(ru.line("Длина:")), enLength = numbersIn(length);
        ASSERT_EQ(enLength.empty(), ruLength.empty()) << length;
        if (!enLength.empty()) {
            EXPECT_EQ(enLength.front(), ruLength.front()) << length;
            EXPECT_NE(length.find("code " + hex2(op)), std::string::npos) << length;
        }
        EXPECT_EQ(cyclesIn(en.text(), kEnglishCycleNames), cyclesIn(ru.text()));
        ASSERT_FALSE(en.line("Flags:").empty());
        EXPECT_EQ(en.line("Flags: not affected").empty(), ru.line("Флаги: не изменяются").empty());
    }
}

// The places where this machine's rules are easy to get wrong in a description, in both files.
TEST(CommHlpFile, DescriptionsStateTheMachinesOwnRules) {
    using Phrases = std::vector<std::string_view>;
    const struct {
        int op;
        Phrases russian, english;
    } cases[] = {
        {0x00, {"NOP", "Тактов: 4."}, {"NOP", "Tacts: 4."}},
        {0x76, {"HLT", "HLDA", "PC := PC + 1"}, {"HLT", "HLDA", "PC := PC + 1", "Clear HLDA Flag"}},
        {0xCB, {"CBh", "не является командой"}, {"CBh", "is not an instruction"}},
        {0xDB, {"IN N", "FFh", "Чтение УВВ"}, {"IN N", "FFh", "I/O read"}},
        {0xD3,
         {"монитор", "дисковод", "жёсткий диск", "сетевой", "принтер", "05h–FFh"},
         {"monitor", "floppy drive", "hard disk", "network", "printer", "05h-FFh"}},
        {0xFB, {"INTE", "включает"}, {"INTE", "lamp on"}},
        {0xF3, {"INTE", "выключает"}, {"INTE", "lamp off"}},
        {0x4C, {"MOV C,H", "C := H"}, {"MOV C,H", "C := H"}},
        {0x80, {"Флаги: S, Z, AC, P, C."}, {"Flags: S, Z, AC, P, C."}},
        {0x96, {"AC := 0"}, {"AC := 0"}},  // subtraction clears AC
        {0xFE, {"AC := 0", "A не изменяется"}, {"AC := 0", "A is not changed"}},
        {0xA8, {"AC := 0, C := 0"}, {"AC := 0, C := 0"}},  // logic clears AC and C
        {0x04, {"C не изменяется"}, {"C not affected"}},   // INR keeps C
        {0x35, {"AC := 0", "C не изменяется"}, {"AC := 0", "C not affected"}},
        {0x39, {"только C"}, {"only C"}},                                // DAD
        {0xF1, {"все 8 битов"}, {"all 8 bits"}},                         // POP PSW
        {0xC5, {"B -> (SP), C -> (SP-1)"}, {"B -> (SP), C -> (SP-1)"}},  // SP: next free cell
        {0xD1, {"E := (SP+1), D := (SP+2)"}, {"E := (SP+1), D := (SP+2)"}},
        {0xE3, {"L <-> (SP+1), H <-> (SP+2)"}, {"L <-> (SP+1), H <-> (SP+2)"}},
        {0xCD, {"Ст. байт -> (SP), мл. -> (SP-1)"}, {"High byte -> (SP), low -> (SP-1)"}},
        {0xFF, {"0038h"}, {"0038h"}},
        {0x27, {"+06h", "+60h"}, {"+06h", "+60h"}},
        {0x37, {"C := 1"}, {"C := 1"}},
    };
    for (const auto& c : cases) {
        const std::pair<HelpFile, const Phrases*> sides[] = {{kRussian, &c.russian},
                                                             {kEnglish, &c.english}};
        for (const auto& [file, phrases] : sides) {
            const Help h = record(c.op, file);
            for (std::string_view p : *phrases)
                EXPECT_TRUE(h.has(p))
                    << file.path << " record " << hex2(c.op) << " lacks \"" << p << "\":\n"
                    << h.text();
        }
    }
}

// ---- The generating tool itself, on small hand-made sources.

struct ToolRun {
    int status;
    std::string errors;
    std::vector<unsigned char> output;  // empty when no file was written
};

ToolRun runTool(const std::string& name, const std::string& source) {
    const std::string dir = ::testing::TempDir();
    const std::string in = dir + "commhlp_" + name + ".txt";
    const std::string out = dir + "commhlp_" + name + ".vhp";
    const std::string err = dir + "commhlp_" + name + ".err";
    std::remove(out.c_str());
    std::ofstream(in, std::ios::binary) << source;
    const std::string cmd = std::string("\"") + ORLAN_MAKE_COMMHLP + "\" \"" + in + "\" \"" + out +
                            "\" 2> \"" + err + "\"";
    ToolRun r;
    r.status = std::system(cmd.c_str());
    std::ifstream e(err, std::ios::binary);
    r.errors.assign(std::istreambuf_iterator<char>(e), std::istreambuf_iterator<char>());
    std::ifstream o(out, std::ios::binary);
    r.output.assign(std::istreambuf_iterator<char>(o), std::istreambuf_iterator<char>());
    return r;
}

// A complete source: every record is "R" and its code, except those given.
std::string source(const std::vector<std::pair<int, std::string>>& special = {}, int skip = -1) {
    std::string s = "# help texts\n\n";
    for (int op = 0; op < kRecords; ++op) {
        if (op == skip) continue;
        s += "== " + hex2(op) + "  note\n";
        bool done = false;
        for (const auto& [o, text] : special)
            if (o == op) {
                s += text;
                done = true;
            }
        if (!done) s += "R" + hex2(op) + "\n";
    }
    return s;
}

TEST(MakeCommHlp, WritesWindows1251RecordsAtFixedOffsets) {
    // BOM, CR LF source lines, trailing blanks and blank lines around the text are all tolerated.
    const std::string text41 =
        "\n\xD0\xA2\xD0\xB5\xD1\x81\xD1\x82 \xC2\xAB\xD1\x91\xC2\xBB   \r\n  two\r\n\n\n";
    const ToolRun r = runTool("good", "\xEF\xBB\xBF" + source({{0x41, text41}}));
    ASSERT_EQ(r.status, 0) << r.errors;
    ASSERT_EQ(r.output.size(), 256000u);
    // "Тест «ё»", CR LF, "  two", then zeros.
    const std::vector<unsigned char> want41 = {0xD2, 0xE5, 0xF1, 0xF2, 0x20, 0xAB, 0xB8, 0xBB,
                                               0x0D, 0x0A, 0x20, 0x20, 0x74, 0x77, 0x6F, 0x00};
    const std::vector<unsigned char> got41(r.output.begin() + 0x41 * 1000,
                                           r.output.begin() + 0x41 * 1000 + 16);
    EXPECT_EQ(got41, want41);
    EXPECT_TRUE(std::all_of(r.output.begin() + 0x41 * 1000 + 16, r.output.begin() + 0x42 * 1000,
                            [](unsigned char b) { return b == 0; }));
    const std::vector<unsigned char> wantFF = {'R', 'F', 'F', 0};
    EXPECT_EQ(std::vector<unsigned char>(r.output.begin() + 255000, r.output.begin() + 255004),
              wantFF);
    EXPECT_EQ(r.output[0], 'R');
    EXPECT_EQ(r.output[1], '0');
    EXPECT_EQ(r.output[2], '0');
}

TEST(MakeCommHlp, RecordOf999BytesFitsAndOf1000DoesNot) {
    const ToolRun fits = runTool("fits", source({{0x80, std::string(999, 'x') + "\n"}}));
    ASSERT_EQ(fits.status, 0) << fits.errors;
    ASSERT_EQ(fits.output.size(), 256000u);
    EXPECT_EQ(fits.output[0x80 * 1000 + 998], 'x');
    EXPECT_EQ(fits.output[0x80 * 1000 + 999], 0);
    EXPECT_EQ(fits.output[0x81 * 1000], 'R');

    // Cyrillic letters count one byte each, CR LF two.
    const std::string twoLines = std::string(498, 'x') + "\n" + std::string(499, 'y') + "\n";
    EXPECT_EQ(runTool("crlf", source({{0x80, twoLines}})).status, 0);
    const ToolRun over = runTool("over", source({{0x80, std::string(1000, 'x') + "\n"}}));
    EXPECT_NE(over.status, 0);
    EXPECT_NE(over.errors.find("record 80"), std::string::npos) << over.errors;
    EXPECT_TRUE(over.output.empty());
}

TEST(MakeCommHlp, RefusesBadSourcesAndWritesNothing) {
    const struct {
        const char* name;
        std::string source;
        const char* mentions;
    } cases[] = {
        {"arrow", source({{0x41, "a \xE2\x86\x92 b\n"}}), "U+2192"},
        {"arrow_record", source({{0x41, "a \xE2\x86\x92 b\n"}}), "record 41"},
        {"times", source({{0x10, "2 \xC3\x97 3\n"}}), "U+00D7"},
        {"latin1", source({{0x10, "caf\xE9\n"}}), "UTF-8"},
        {"tab", source({{0x10, "a\tb\n"}}), "U+0009"},
        {"missing", source({}, 0xC3), "record C3 is missing"},
        {"twice", source() + "== 05\nagain\n", "record 05 is defined twice"},
        {"empty", source({{0x77, "\n\n"}}), "record 77 has no text"},
        {"header", source() + "== 5\n", "malformed record header"},
        {"stray", "text\n" + source(), "before the first record"},
    };
    for (const auto& c : cases) {
        const ToolRun r = runTool(c.name, c.source);
        EXPECT_NE(r.status, 0) << c.name;
        EXPECT_NE(r.errors.find(c.mentions), std::string::npos) << c.name << ": " << r.errors;
        EXPECT_TRUE(r.output.empty()) << c.name << " wrote a file";
    }
}

}  // namespace
