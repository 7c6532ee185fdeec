#include "Assembler.h"

#include <algorithm>
#include <cstdio>
#include <deque>
#include <map>
#include <optional>
#include <set>
#include <tuple>

#include "Messages.h"
#include "TrNoop.h"

namespace orlan::asm8080 {

namespace {

// Every message the assembler gives, in one place (in the order of DiagnosticId).
constexpr std::string_view kDiagnostics[] = {
    ORLAN_TR_NOOP("Assembler", "неопределённый символ \"%1\""),
    ORLAN_TR_NOOP("Assembler", "символ \"%1\" уже определён"),
    ORLAN_TR_NOOP("Assembler", "значение %1 не помещается в байт"),
    ORLAN_TR_NOOP("Assembler", "неверный операнд для %1"),
    ORLAN_TR_NOOP("Assembler", "неизвестная команда \"%1\""),
    ORLAN_TR_NOOP("Assembler", "неверное число \"%1\""),
    "ERROR",  // the directive's own word and text: the same in every language
    "ERROR: %1",
    ORLAN_TR_NOOP("Assembler", "ошибка в выражении"),
    ORLAN_TR_NOOP("Assembler", "не закрыта скобка"),
    ORLAN_TR_NOOP("Assembler", "не закрыта кавычка"),
    ORLAN_TR_NOOP("Assembler", "деление на ноль"),
    ORLAN_TR_NOOP("Assembler", "лишние символы в конце строки"),
    ORLAN_TR_NOOP("Assembler", "код выходит за адрес FFFFh"),
    ORLAN_TR_NOOP("Assembler", "байты записаны поверх ранее записанных"),
    ORLAN_TR_NOOP("Assembler", "IF без ENDIF"),
    ORLAN_TR_NOOP("Assembler", "ELSE без IF"),
    ORLAN_TR_NOOP("Assembler", "ENDIF без IF"),
    ORLAN_TR_NOOP("Assembler", "MACRO без ENDM"),
    ORLAN_TR_NOOP("Assembler", "ENDM без MACRO"),
    ORLAN_TR_NOOP("Assembler", "нужно имя"),
    ORLAN_TR_NOOP("Assembler", "символ, определённый через EQU, нельзя переопределить"),
    ORLAN_TR_NOOP("Assembler", "слишком глубокая вложенность макрокоманд"),
    ORLAN_TR_NOOP("Assembler", "слишком много строк после раскрытия макрокоманд"),
    ORLAN_TR_NOOP("Assembler", "EXITM вне макрокоманды"),
    ORLAN_TR_NOOP("Assembler", "LOCAL вне макрокоманды"),
    ORLAN_TR_NOOP("Assembler", "слишком много ошибок, ассемблирование прервано"),
    ORLAN_TR_NOOP("Assembler", "адреса не устанавливаются: ORG или DS зависят от самих себя"),
    ORLAN_TR_NOOP("Assembler", "неверные аргументы"),
    ORLAN_TR_NOOP("Assembler", "слишком длинная строка после подстановки аргументов"),
};
static_assert(std::size(kDiagnostics) == kDiagnosticCount);

using D = DiagnosticId;

constexpr int kMaxDepth = 64;              // nested macro expansions
constexpr size_t kMaxLines = 500'000;    // lines processed in one pass
constexpr size_t kMaxErrors = 1000;        // beyond this the rest is noise
constexpr int kMaxPasses = 8;
constexpr size_t kMaxLineLength = 65536;

bool isIdentStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == '?' || c == '@' ||
           c == '.';
}
bool isIdentChar(char c) { return isIdentStart(c) || (c >= '0' && c <= '9') || c == '$'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\f' || c == '\v'; }

// A name as the symbol table knows it: upper case, and a `$` after the first character only
// helps reading (CP/M sources write PAGE$SIZE for PAGESIZE), so it is left out.
std::string nameKey(std::string_view s) {
    std::string r;
    r.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        if (c == '$' && i > 0) continue;
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        r += c;
    }
    return r;
}

// ---------------------------------------------------------------------------------------------
// Tokens

enum class Tok { End, Ident, Number, String, Op, Comma, Colon, LParen, RParen, Dollar, Bad };

struct Token {
    Tok kind = Tok::End;
    std::string text;   // identifiers upper-cased; strings unquoted
    uint32_t value = 0;  // numbers
    int column = 1;     // 1-based
    bool badNumber = false;
    bool unclosed = false;  // a quote without its pair
};

// Reads "digits[suffix]" or "0x..." starting at s[i].
Token lexNumber(std::string_view s, size_t& i) {
    Token t;
    t.kind = Tok::Number;
    t.column = static_cast<int>(i) + 1;
    size_t start = i;
    if (s[i] == '0' && i + 1 < s.size() && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        i += 2;
        while (i < s.size() && isIdentChar(s[i])) ++i;
        std::string body = nameKey(s.substr(start + 2, i - start - 2));
        t.text = std::string(s.substr(start, i - start));
        uint64_t v = 0;
        if (body.empty()) t.badNumber = true;
        for (char c : body) {
            int d = isDigit(c) ? c - '0' : (c >= 'A' && c <= 'F') ? c - 'A' + 10 : -1;
            if (d < 0) t.badNumber = true;
            v = std::min<uint64_t>(v * 16 + static_cast<uint64_t>(d < 0 ? 0 : d), 1u << 20);
        }
        t.value = static_cast<uint32_t>(v);
        return t;
    }
    while (i < s.size() && isIdentChar(s[i])) ++i;
    t.text = std::string(s.substr(start, i - start));
    std::string body = nameKey(t.text);  // 1111$0000B: the `$` only groups digits
    int base = 10;
    char last = body.back();
    if (last == 'H') base = 16, body.pop_back();
    else if (last == 'B') base = 2, body.pop_back();
    else if (last == 'O' || last == 'Q') base = 8, body.pop_back();
    else if (last == 'D') base = 10, body.pop_back();
    uint64_t v = 0;
    if (body.empty()) t.badNumber = true;
    for (char c : body) {
        int d = isDigit(c) ? c - '0' : (c >= 'A' && c <= 'F') ? c - 'A' + 10 : 99;
        if (d >= base) t.badNumber = true;
        v = std::min<uint64_t>(v * static_cast<uint64_t>(base) + static_cast<uint64_t>(d % 99),
                               1u << 20);
    }
    t.value = static_cast<uint32_t>(v);
    return t;
}

// The tokens of one line up to its comment. An unclosed quote gives a Bad token.
std::vector<Token> tokenize(std::string_view s) {
    std::vector<Token> out;
    out.reserve(16);
    size_t i = 0;
    while (i < s.size()) {
        char c = s[i];
        if (isSpace(c)) {
            ++i;
            continue;
        }
        if (c == ';') break;
        Token t;
        t.column = static_cast<int>(i) + 1;
        if (isDigit(c)) {
            out.push_back(lexNumber(s, i));
            continue;
        }
        if (c == '$' && !(i + 1 < s.size() && isIdentChar(s[i + 1]))) {
            t.kind = Tok::Dollar;
            ++i;
        } else if (isIdentStart(c) || c == '$') {
            size_t start = i;
            while (i < s.size() && isIdentChar(s[i])) ++i;
            t.kind = Tok::Ident;
            t.text = nameKey(s.substr(start, i - start));
        } else if (c == '\'' || c == '"') {
            ++i;
            bool closed = false;
            while (i < s.size()) {
                if (s[i] == c) {
                    if (i + 1 < s.size() && s[i + 1] == c) {
                        t.text += c;
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                t.text += s[i++];
            }
            t.kind = closed ? Tok::String : Tok::Bad;
            t.unclosed = !closed;
        } else if (c == ',') {
            t.kind = Tok::Comma, ++i;
        } else if (c == ':') {
            t.kind = Tok::Colon, ++i;
        } else if (c == '(') {
            t.kind = Tok::LParen, ++i;
        } else if (c == ')') {
            t.kind = Tok::RParen, ++i;
        } else if (c == '+' || c == '-' || c == '*' || c == '/' || c == '=') {
            t.kind = Tok::Op, t.text = std::string(1, c), ++i;
        } else {
            t.kind = Tok::Bad, t.text = std::string(1, c), ++i;
        }
        out.push_back(std::move(t));
    }
    Token end;
    end.column = static_cast<int>(s.size()) + 1;
    out.push_back(end);
    return out;
}

// ---------------------------------------------------------------------------------------------
// The instruction set

enum class Form {
    None,     // NOP
    MovRR,    // MOV r,r
    Mvi,      // MVI r,d8
    RegSrc,   // ADD r (r in bits 0..2)
    RegDst,   // INR r (r in bits 3..5)
    Imm8,     // ADI d8
    Addr16,   // JMP a16
    Lxi,      // LXI rp,d16
    RpSp,     // DAD rp (B D H SP)
    RpPsw,    // PUSH rp (B D H PSW)
    RpBD,     // LDAX rp (B D)
    Rst,      // RST n
};

struct OpInfo {
    Form form;
    uint8_t base;
};

const std::map<std::string, OpInfo, std::less<>>& instructions() {
    static const std::map<std::string, OpInfo, std::less<>> table = {
        {"NOP", {Form::None, 0x00}},    {"RLC", {Form::None, 0x07}},   {"RRC", {Form::None, 0x0F}},
        {"RAL", {Form::None, 0x17}},    {"RAR", {Form::None, 0x1F}},   {"DAA", {Form::None, 0x27}},
        {"CMA", {Form::None, 0x2F}},    {"STC", {Form::None, 0x37}},   {"CMC", {Form::None, 0x3F}},
        {"HLT", {Form::None, 0x76}},    {"RET", {Form::None, 0xC9}},   {"XCHG", {Form::None, 0xEB}},
        {"XTHL", {Form::None, 0xE3}},   {"SPHL", {Form::None, 0xF9}},  {"PCHL", {Form::None, 0xE9}},
        {"DI", {Form::None, 0xF3}},     {"EI", {Form::None, 0xFB}},    {"RNZ", {Form::None, 0xC0}},
        {"RZ", {Form::None, 0xC8}},     {"RNC", {Form::None, 0xD0}},   {"RC", {Form::None, 0xD8}},
        {"RPO", {Form::None, 0xE0}},    {"RPE", {Form::None, 0xE8}},   {"RP", {Form::None, 0xF0}},
        {"RM", {Form::None, 0xF8}},     {"MOV", {Form::MovRR, 0x40}},  {"MVI", {Form::Mvi, 0x06}},
        {"ADD", {Form::RegSrc, 0x80}},  {"ADC", {Form::RegSrc, 0x88}}, {"SUB", {Form::RegSrc, 0x90}},
        {"SBB", {Form::RegSrc, 0x98}},  {"ANA", {Form::RegSrc, 0xA0}}, {"XRA", {Form::RegSrc, 0xA8}},
        {"ORA", {Form::RegSrc, 0xB0}},  {"CMP", {Form::RegSrc, 0xB8}}, {"INR", {Form::RegDst, 0x04}},
        {"DCR", {Form::RegDst, 0x05}},  {"ADI", {Form::Imm8, 0xC6}},   {"ACI", {Form::Imm8, 0xCE}},
        {"SUI", {Form::Imm8, 0xD6}},    {"SBI", {Form::Imm8, 0xDE}},   {"ANI", {Form::Imm8, 0xE6}},
        {"XRI", {Form::Imm8, 0xEE}},    {"ORI", {Form::Imm8, 0xF6}},   {"CPI", {Form::Imm8, 0xFE}},
        {"IN", {Form::Imm8, 0xDB}},     {"OUT", {Form::Imm8, 0xD3}},   {"JMP", {Form::Addr16, 0xC3}},
        {"JNZ", {Form::Addr16, 0xC2}},  {"JZ", {Form::Addr16, 0xCA}},  {"JNC", {Form::Addr16, 0xD2}},
        {"JC", {Form::Addr16, 0xDA}},   {"JPO", {Form::Addr16, 0xE2}}, {"JPE", {Form::Addr16, 0xEA}},
        {"JP", {Form::Addr16, 0xF2}},   {"JM", {Form::Addr16, 0xFA}},  {"CALL", {Form::Addr16, 0xCD}},
        {"CNZ", {Form::Addr16, 0xC4}},  {"CZ", {Form::Addr16, 0xCC}},  {"CNC", {Form::Addr16, 0xD4}},
        {"CC", {Form::Addr16, 0xDC}},   {"CPO", {Form::Addr16, 0xE4}}, {"CPE", {Form::Addr16, 0xEC}},
        {"CP", {Form::Addr16, 0xF4}},   {"CM", {Form::Addr16, 0xFC}},  {"LDA", {Form::Addr16, 0x3A}},
        {"STA", {Form::Addr16, 0x32}},  {"LHLD", {Form::Addr16, 0x2A}}, {"SHLD", {Form::Addr16, 0x22}},
        {"LXI", {Form::Lxi, 0x01}},     {"DAD", {Form::RpSp, 0x09}},   {"INX", {Form::RpSp, 0x03}},
        {"DCX", {Form::RpSp, 0x0B}},    {"PUSH", {Form::RpPsw, 0xC5}}, {"POP", {Form::RpPsw, 0xC1}},
        {"LDAX", {Form::RpBD, 0x0A}},   {"STAX", {Form::RpBD, 0x02}},  {"RST", {Form::Rst, 0xC7}},
    };
    return table;
}

std::optional<int> registerCode(const std::string& name) {
    static const std::map<std::string, int, std::less<>> regs = {
        {"B", 0}, {"C", 1}, {"D", 2}, {"E", 3}, {"H", 4}, {"L", 5}, {"M", 6}, {"A", 7}};
    auto it = regs.find(name);
    if (it == regs.end()) return std::nullopt;
    return it->second;
}

const std::set<std::string, std::less<>>& directives() {
    static const std::set<std::string, std::less<>> d = {
        "ORG", "EQU", "SET", "DEFL", "DB", "DEFB", "DW", "DEFW", "DS", "DEFS", "END", "IF", "ELSE",
        "ENDIF", "MACRO", "ENDM", "LOCAL", "REPT", "IRP", "IRPC", "EXITM", "ERROR", ".ERROR",
        "TITLE", "PAGE", "EJECT", "NAME", ".8080", "ASEG", ".LIST", ".XLIST", "SUBTTL", ".COMMENT"};
    return d;
}

const std::set<std::string, std::less<>>& ignoredControls() {
    static const std::set<std::string, std::less<>> d = {"TITLE", "PAGE",  "EJECT", "NAME",
                                                         ".8080", "ASEG",  ".LIST", ".XLIST",
                                                         "SUBTTL"};
    return d;
}

// ---------------------------------------------------------------------------------------------
// Macros and the lines being read

// The lines between MACRO (or REPT, IRP, IRPC) and ENDM, with its own LOCAL lines taken out.
struct Body {
    std::vector<std::string> lines;
    std::vector<std::string> locals;
};

struct Macro {
    std::vector<std::string> params;
    Body body;
};

struct Frame {
    std::vector<std::string> lines;
    size_t next = 0;
    std::vector<std::pair<size_t, std::string>> pieces;  // statements of lines[next - 1]
    size_t nextPiece = 0;
    bool expansion = false;  // EXITM ends it
    size_t ifDepth = 0;      // conditionals open when it began
    std::string name;        // of the macro, for messages
    int line = 0;            // main-file line of the call
};

struct IfState {
    bool active;      // this branch is assembled
    bool parentActive;
    bool elseSeen;
    int line, column;
};

struct Symbol {
    uint16_t value = 0;
    bool redefinable = false;
    bool definedThisPass = false;
    bool known = false;
};

// Splits macro arguments at top-level commas; <...> groups and quoted strings stay whole, the
// outer angle brackets are removed, `^` takes the next character as it is (`^>`, `^,`, `^^`).
// An argument written `%expression` is marked in `percent` (without its `%`): the caller puts
// the expression's decimal value in its place.
std::vector<std::string> splitArguments(std::string_view s, bool& ok,
                                        std::vector<bool>* percent = nullptr) {
    constexpr char kEscaped = '\x01';  // marks a character taken by `^` until the argument is done
    std::vector<std::string> args;
    std::string cur;
    int depth = 0;
    ok = true;
    size_t i = 0;
    auto trim = [&](std::string t) {
        size_t a = 0, b = t.size();
        while (a < b && isSpace(t[a])) ++a;
        while (b > a && isSpace(t[b - 1])) --b;
        t = t.substr(a, b - a);
        const bool evaluate = !t.empty() && t.front() == '%';
        if (evaluate) t.erase(0, 1);
        if (percent) percent->push_back(evaluate);
        if (t.size() >= 2 && t.front() == '<' && t.back() == '>' && t[t.size() - 2] != kEscaped)
            t = t.substr(1, t.size() - 2);
        std::erase(t, kEscaped);
        return t;
    };
    bool any = false;
    while (i < s.size()) {
        char c = s[i];
        if (c == ';' && depth == 0) break;
        any = true;
        if (c == '\'' || c == '"') {
            size_t j = i + 1;
            while (j < s.size()) {
                if (s[j] == c) {
                    if (j + 1 < s.size() && s[j + 1] == c) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            if (j >= s.size()) ok = false;
            cur += s.substr(i, std::min(j + 1, s.size()) - i);
            i = j + 1;
            continue;
        }
        if (c == '^' && i + 1 < s.size()) {
            cur += kEscaped;
            cur += s[i + 1];
            i += 2;
            continue;
        }
        if (c == '<') ++depth;
        if (c == '>' && depth > 0) --depth;
        if (c == ',' && depth == 0) {
            args.push_back(trim(cur));
            cur.clear();
        } else {
            cur += c;
        }
        ++i;
    }
    if (depth != 0) ok = false;
    if (any) args.push_back(trim(cur));
    return args;
}

// The statements of a physical line with their offsets in it: `!` ends one and starts the next
// (DRI's ASM and MAC), except inside quotes, in the comment and on a `*` comment line.
std::vector<std::pair<size_t, std::string>> splitStatements(const std::string& line) {
    std::vector<std::pair<size_t, std::string>> out;
    size_t start = 0;
    char quote = 0;
    for (size_t i = 0; i < line.size() && line[0] != '*'; ++i) {
        char c = line[i];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == ';') {
            break;
        } else if (c == '!') {
            out.emplace_back(start, line.substr(start, i - start));
            start = i + 1;
        }
    }
    out.emplace_back(start, line.substr(start));
    return out;
}

// Replaces whole identifiers named in `names` by their values; `&` glues a name to its
// neighbours and is removed. Inside quotes only names joined by `&` are replaced.
// A value put in is read again for the other names (MAC passes a parameter's text on that way:
// an argument naming a LOCAL label gets the label), but never for a name it came from. `^` before
// a name keeps the name and is dropped.
std::string substitute(std::string_view line, const std::vector<std::string>& names,
                       const std::vector<std::string>& values, std::vector<bool>& busy) {
    std::string out;
    size_t i = 0;
    char quote = 0;
    while (i < line.size() && out.size() <= kMaxLineLength) {  // values that name each other
        char c = line[i];
        if (!quote && c == ';') {
            out += line.substr(i);
            break;
        }
        if (!quote && c == '^' && i + 1 < line.size() && isIdentStart(line[i + 1])) {
            size_t start = ++i;
            while (i < line.size() && isIdentChar(line[i])) ++i;
            std::string word(line.substr(start, i - start));
            if (std::find(names.begin(), names.end(), nameKey(word)) == names.end()) out += '^';
            out += word;
            continue;
        }
        if (c == '\'' || c == '"') {
            if (!quote) quote = c;
            else if (quote == c) quote = 0;
            out += c;
            ++i;
            continue;
        }
        if (isIdentStart(c)) {
            size_t start = i;
            while (i < line.size() && isIdentChar(line[i])) ++i;
            std::string word(line.substr(start, i - start));
            std::string key = nameKey(word);
            bool glued = (start > 0 && line[start - 1] == '&') || (i < line.size() && line[i] == '&');
            auto it = std::find(names.begin(), names.end(), key);
            const size_t k = static_cast<size_t>(it - names.begin());
            if (it != names.end() && !busy[k] && (!quote || glued)) {
                if (!out.empty() && out.back() == '&' && start > 0 && line[start - 1] == '&')
                    out.pop_back();
                busy[k] = true;
                out += substitute(values[k], names, values, busy);
                busy[k] = false;
                if (i < line.size() && line[i] == '&') ++i;
            } else {
                out += word;
            }
            continue;
        }
        out += c;
        ++i;
    }
    return out;
}

std::string substitute(std::string_view line, const std::vector<std::string>& names,
                       const std::vector<std::string>& values) {
    std::vector<bool> busy(names.size(), false);
    return substitute(line, names, values, busy);
}

// The first one or two words of a line, upper-cased, enough to follow IF and MACRO nesting
// without parsing: the operation is the first word, or the second when the first is a label.
std::string operationWord(std::string_view line, std::string* second = nullptr) {
    size_t i = 0;
    std::string words[2];
    bool firstHasColon = false;
    bool firstAtColumnOne = !line.empty() && !isSpace(line[0]);
    for (int w = 0; w < 2; ++w) {
        while (i < line.size() && isSpace(line[i])) ++i;
        if (i >= line.size() || line[i] == ';') break;
        size_t start = i;
        while (i < line.size() && (isIdentChar(line[i]))) ++i;
        if (i == start) break;
        words[w] = nameKey(line.substr(start, i - start));
        if (w == 0 && i < line.size() && line[i] == ':') {
            firstHasColon = true;
            ++i;
        }
    }
    if (second) *second = words[1];
    if (firstHasColon) return words[1];
    static const std::set<std::string, std::less<>> blockWords = {
        "IF", "ELSE", "ENDIF", "MACRO", "ENDM", "REPT", "IRP", "IRPC", "IFDEF", "IFNDEF"};
    if (firstAtColumnOne && !blockWords.contains(words[0]) && blockWords.contains(words[1]))
        return words[1];
    return words[0];
}

bool opensBlock(const std::string& op, const std::string& second) {
    return op == "MACRO" || op == "REPT" || op == "IRP" || op == "IRPC" || second == "MACRO";
}

// A `$` in column one starts a control line of Intel's ASM80 (`$TITLE('X')`, `$ NOLIST NOGEN`,
// `$MOD85`) and of DRI's MAC (`$-MACRO`): listing and object switches, no bytes. M80 lets a
// name begin with `$`, so `$NAME:` and `$NAME EQU ...` stay statements.
bool isControlLine(std::string_view line) {
    if (line.empty() || line[0] != '$') return false;
    if (line.size() == 1 || !isIdentChar(line[1])) return true;
    size_t i = 1;
    while (i < line.size() && isIdentChar(line[i])) ++i;
    while (i < line.size() && isSpace(line[i])) ++i;
    if (i < line.size() && (line[i] == ':' || line[i] == '=')) return false;
    size_t start = i;
    while (i < line.size() && isIdentChar(line[i])) ++i;
    const std::string next = nameKey(line.substr(start, i - start));
    return next != "EQU" && next != "SET" && next != "DEFL" && next != "MACRO";
}

// ---------------------------------------------------------------------------------------------
// The assembler

struct LineRecord {  // what the final pass did with a line, for the listing
    int line = 0;
    bool expansion = false;
    bool hasAddress = false;
    uint16_t address = 0;
    bool hasValue = false;  // EQU/SET: show the value instead of the address
    uint16_t value = 0;
    std::vector<uint8_t> bytes;
    std::string text;
    std::vector<std::string> errors;
};

class Assembler {
  public:
    Assembler(std::string_view source, const std::string& file) : file_(file) {
        size_t i = 0;
        while (i <= source.size()) {
            size_t j = i;
            while (j < source.size() && source[j] != '\n' && source[j] != '\r') ++j;
            mainLines_.emplace_back(source.substr(i, j - i));
            if (j >= source.size()) break;
            if (source[j] == '\r' && j + 1 < source.size() && source[j + 1] == '\n') ++j;
            i = j + 1;
        }
        if (!mainLines_.empty() && mainLines_.back().empty() && !source.empty() &&
            (source.back() == '\n' || source.back() == '\r'))
            mainLines_.pop_back();
    }

    AssemblyResult run() {
        result_.written.assign(65536, false);
        result_.lineOfAddress.assign(65536, 0);
        // One pass learns the symbols; the final pass produces the output and is repeated while
        // an address still moves (a forward reference in ORG, DS or IF).
        pass(false);
        bool stable = false;
        for (int p = 0; p < kMaxPasses && !stable; ++p) {
            std::map<std::string, uint16_t> before;
            for (auto& [n, s] : symbols_)
                if (!s.redefinable) before[n] = s.value;
            resetOutput();
            pass(true);
            stable = true;
            for (auto& [n, s] : symbols_)
                if (!s.redefinable && (!before.contains(n) || before[n] != s.value)) stable = false;
        }
        if (!stable) addError(1, 1, D::NoConverge);
        return finish();
    }

  private:
    void resetOutput() {
        result_ = AssemblyResult{};
        result_.written.assign(65536, false);
        result_.lineOfAddress.assign(65536, 0);
        records_.clear();
        record_ = nullptr;
    }

    // ---- diagnostics
    // A diagnostic and its Russian words.
    Diagnostic diagnostic(int line, int column, D id, std::string arg = {},
                          std::string macro = {}) const {
        std::string message = diagnosticMessage(id, arg, macro);
        return {file_, line, column, std::move(message), id, std::move(arg), std::move(macro)};
    }
    void addError(int line, int column, D id, std::string arg = {}, std::string macro = {},
                  bool warning = false) {
        if (!final_ && line != 0) return;
        if (warning) {
            result_.warnings.push_back(diagnostic(line, column, id, std::move(arg), std::move(macro)));
            return;
        }
        if (result_.errors.size() >= kMaxErrors) {
            abort_ = true;
            return;
        }
        result_.errors.push_back(diagnostic(line, column, id, std::move(arg), std::move(macro)));
        if (result_.errors.size() == kMaxErrors)
            result_.errors.push_back(diagnostic(line, column, D::TooManyErrors));
        if (record_) record_->errors.push_back(result_.errors.back().message);
    }
    void error(int column, D id, std::string arg = {}, bool warning = false) {
        if (!final_) return;
        std::string macro;
        if (!frames_.empty() && frames_.back().expansion) macro = frames_.back().name;
        addError(curLine_, inExpansion() ? curColumnOfCall_ : column + static_cast<int>(pieceOffset_),
                 id, std::move(arg), std::move(macro), warning);
    }
    bool inExpansion() const { return frames_.size() > 1; }

    // ---- expressions
    struct Value {
        uint32_t v = 0;
        bool known = true;
    };
    const std::vector<Token>* toks_ = nullptr;
    size_t pos_ = 0;
    bool exprFailed_ = false;

    const Token& peek() const { return (*toks_)[pos_]; }
    bool peekWord(const char* w) const { return peek().kind == Tok::Ident && peek().text == w; }
    void exprError(int column, D id, std::string arg = {}) {
        if (!exprFailed_) error(column, id, std::move(arg));
        exprFailed_ = true;
    }

    Value primary() {
        const Token& t = peek();
        switch (t.kind) {
            case Tok::Number:
                ++pos_;
                if (t.badNumber || t.value > 0xFFFF) exprError(t.column, D::BadNumber, t.text);
                return {t.value & 0xFFFF};
            case Tok::Dollar:
                ++pos_;
                return {statementPc_};
            case Tok::String: {
                ++pos_;
                if (t.text.empty() || t.text.size() > 2) {
                    exprError(t.column, D::Expression);
                    return {};
                }
                uint32_t v = static_cast<uint8_t>(t.text[0]);
                if (t.text.size() == 2) v = (v << 8) | static_cast<uint8_t>(t.text[1]);
                return {v};
            }
            case Tok::LParen: {
                ++pos_;
                Value v = expression();
                if (peek().kind != Tok::RParen) {
                    exprError(peek().column, D::Paren);
                    return v;
                }
                ++pos_;
                return v;
            }
            case Tok::Ident: {
                ++pos_;
                auto it = symbols_.find(t.text);
                if (it != symbols_.end() && (it->second.definedThisPass || it->second.known)) {
                    // A SET symbol not yet set in this pass keeps its last value of the previous.
                    return {it->second.value, true};
                }
                // DRI's assemblers give register names their codes (A 7, B 0 ... M 6, SP and
                // PSW 6): `TFCB+L`.
                if (auto code = registerCode(t.text)) return {static_cast<uint32_t>(*code)};
                if (t.text == "SP" || t.text == "PSW") return {6};
                if (final_) exprError(t.column, D::UndefinedSymbol, t.text);
                return {0, false};
            }
            case Tok::Bad:
                exprError(t.column, t.unclosed ? D::String : D::Expression);
                return {};
            default:
                exprError(t.column, D::Expression);
                return {};
        }
    }
    Value unary() {
        if (peek().kind == Tok::Op && (peek().text == "-" || peek().text == "+")) {
            bool neg = peek().text == "-";
            ++pos_;
            Value v = unary();
            if (neg) v.v = (0x10000 - v.v) & 0xFFFF;
            return v;
        }
        if (peekWord("NUL")) {  // true when nothing follows; it takes the rest of the line
            ++pos_;
            const bool empty = atEnd();
            while (!atEnd()) ++pos_;
            return {empty ? 0xFFFFu : 0u};
        }
        if (peekWord("HIGH") || peekWord("LOW")) {
            bool high = peek().text == "HIGH";
            ++pos_;
            Value v = unary();
            v.v = high ? (v.v >> 8) & 0xFF : v.v & 0xFF;
            return v;
        }
        return primary();
    }
    Value term() {
        Value a = unary();
        for (;;) {
            const Token& t = peek();
            std::string op;
            if (t.kind == Tok::Op && (t.text == "*" || t.text == "/")) op = t.text;
            else if (t.kind == Tok::Ident && (t.text == "MOD" || t.text == "SHL" || t.text == "SHR"))
                op = t.text;
            else
                return a;
            int column = t.column;
            ++pos_;
            Value b = unary();
            a.known = a.known && b.known;
            if (op == "*") a.v = (a.v * b.v) & 0xFFFF;
            else if (op == "/" || op == "MOD") {
                if (b.v == 0) {
                    if (b.known) exprError(column, D::DivZero);
                    a.v = 0;
                } else {
                    a.v = op == "/" ? a.v / b.v : a.v % b.v;
                }
            } else if (op == "SHL") a.v = b.v > 15 ? 0 : (a.v << b.v) & 0xFFFF;
            else a.v = b.v > 15 ? 0 : a.v >> b.v;
        }
    }
    Value sum() {
        Value a = term();
        while (peek().kind == Tok::Op && (peek().text == "+" || peek().text == "-")) {
            bool plus = peek().text == "+";
            ++pos_;
            Value b = term();
            a.known = a.known && b.known;
            a.v = (plus ? a.v + b.v : a.v + 0x10000 - b.v) & 0xFFFF;
        }
        return a;
    }
    Value comparison() {
        Value a = sum();
        static const char* kOps[] = {"EQ", "NE", "LT", "LE", "GT", "GE"};
        for (;;) {
            int which = -1;
            for (int k = 0; k < 6; ++k)
                if (peekWord(kOps[k])) which = k;
            if (peek().kind == Tok::Op && peek().text == "=") which = 0;
            if (which < 0) return a;
            ++pos_;
            Value b = sum();
            bool r = false;
            switch (which) {
                case 0: r = a.v == b.v; break;
                case 1: r = a.v != b.v; break;
                case 2: r = a.v < b.v; break;
                case 3: r = a.v <= b.v; break;
                case 4: r = a.v > b.v; break;
                default: r = a.v >= b.v; break;
            }
            a = {r ? 0xFFFFu : 0u, a.known && b.known};
        }
    }
    Value negation() {
        if (peekWord("NOT")) {
            ++pos_;
            Value v = negation();
            v.v = ~v.v & 0xFFFF;
            return v;
        }
        return comparison();
    }
    Value conjunction() {
        Value a = negation();
        while (peekWord("AND")) {
            ++pos_;
            Value b = negation();
            a = {a.v & b.v, a.known && b.known};
        }
        return a;
    }
    Value expression() {
        Value a = conjunction();
        while (peekWord("OR") || peekWord("XOR")) {
            bool isOr = peek().text == "OR";
            ++pos_;
            Value b = conjunction();
            a = {isOr ? (a.v | b.v) : (a.v ^ b.v), a.known && b.known};
        }
        return a;
    }
    // One whole expression ending at a comma or the end of the line.
    Value operand() {
        exprFailed_ = false;
        Value v = expression();
        if (!exprFailed_ && peek().kind != Tok::Comma && peek().kind != Tok::End)
            exprError(peek().column, D::Expression);
        while (peek().kind != Tok::Comma && peek().kind != Tok::End) ++pos_;
        return v;
    }
    bool atEnd() const { return peek().kind == Tok::End; }
    bool takeComma() {
        if (peek().kind != Tok::Comma) return false;
        ++pos_;
        return true;
    }
    void expectEnd() {
        if (!atEnd()) error(peek().column, D::Extra);
    }

    // ---- output
    void emit(uint8_t b, bool instructionStart = false) {
        if (wrapped_) {
            if (final_ && !wrapReported_) error(curColumn_, D::Wrap), wrapReported_ = true;
            return;
        }
        if (final_) {
            if (writtenThisPass_[pc_]) overlap_ = true;
            writtenThisPass_[pc_] = true;
            result_.image[pc_] = b;
            result_.written[pc_] = true;
            result_.lineOfAddress[pc_] = curLine_;
            if (instructionStart) result_.instructionStarts.push_back(pc_);
            if (record_) record_->bytes.push_back(b);
        }
        advance(1);
    }
    void advance(uint32_t n) {
        if (n == 0) return;
        if (static_cast<uint32_t>(pc_) + n > 0x10000) {
            wrapped_ = true;
            if (final_ && !wrapReported_) error(curColumn_, D::Wrap), wrapReported_ = true;
            pc_ = 0xFFFF;
            return;
        }
        if (pc_ + n == 0x10000) wrapped_ = true;  // the next byte would wrap
        pc_ = static_cast<uint16_t>((pc_ + n) & 0xFFFF);
    }
    void emitByteValue(Value v, int column) {
        if (v.known && v.v > 0xFF && v.v < 0xFF00) {
            error(column, D::NotByte, std::to_string(static_cast<long>(v.v)));
        }
        emit(static_cast<uint8_t>(v.v & 0xFF));
    }
    void emitWord(Value v) {
        emit(static_cast<uint8_t>(v.v & 0xFF));
        emit(static_cast<uint8_t>(v.v >> 8));
    }

    // ---- symbols
    void defineLabel(const std::string& name, int column, uint16_t value) {
        Symbol& s = symbols_[name];
        if (s.definedThisPass) {
            error(column, D::DoubleSymbol, name);
            return;
        }
        if (s.known && s.redefinable) {
            error(column, D::DoubleSymbol, name);
            return;
        }
        s.value = value;
        s.definedThisPass = true;
        s.known = true;
        s.redefinable = false;
    }
    void defineSet(const std::string& name, int column, uint16_t value) {
        Symbol& s = symbols_[name];
        if ((s.definedThisPass || s.known) && !s.redefinable) {
            error(column, D::RedefineEqu);
            return;
        }
        s.value = value;
        s.definedThisPass = true;
        s.known = true;
        s.redefinable = true;
    }

    // ---- reading lines
    // The next statement: a whole line, or the next piece of one split at `!`.
    bool nextLine(std::string& line) {
        while (!frames_.empty()) {
            Frame& f = frames_.back();
            if (f.nextPiece < f.pieces.size()) {
                pieceOffset_ = f.pieces[f.nextPiece].first;
                line = f.pieces[f.nextPiece++].second;
                continuation_ = true;
                curLine_ = frames_.size() == 1 ? static_cast<int>(f.next) : f.line;
                return true;
            }
            if (f.next < f.lines.size()) {
                const std::string& physical = f.lines[f.next++];
                curLine_ = frames_.size() == 1 ? static_cast<int>(f.next) : f.line;
                continuation_ = false;
                pieceOffset_ = 0;
                physicalText_ = physical;
                f.pieces.clear();
                f.nextPiece = 0;
                if (physical.find('!') != std::string::npos) f.pieces = splitStatements(physical);
                if (f.pieces.size() > 1) {
                    line = f.pieces[0].second;
                    f.nextPiece = 1;
                } else {
                    f.pieces.clear();
                    line = physical;
                }
                return true;
            }
            endFrame();
        }
        return false;
    }
    void endFrame() {
        Frame& f = frames_.back();
        if (f.expansion && ifs_.size() > f.ifDepth) {
            const IfState& open = ifs_[f.ifDepth];
            (void)open;
            error(1, D::IfNoEndif, {}, true);  // MAC closes them there and goes on
            ifs_.resize(f.ifDepth);
        }
        frames_.pop_back();
    }
    bool active() const { return ifs_.empty() || ifs_.back().active; }

    // The body of the MACRO/REPT/IRP/IRPC on the current line (defLine): without its ENDM the
    // rest of the source was swallowed, so the error is reported there and the source ends.
    bool takeBody(Body& body, int column, int& defLine) {
        defLine = curLine_;
        const int at = column + (inExpansion() ? 0 : static_cast<int>(pieceOffset_));
        if (collectBody(body)) return true;
        addError(defLine, at, D::MacroNoEndm);
        ended_ = true;
        return false;
    }

    // Collects the body of a MACRO/REPT/IRP/IRPC up to its matching ENDM.
    bool collectBody(Body& body) {
        int depth = 1;
        std::string line;
        while (nextLine(line)) {
            if (record_) recordLine();
            std::string second;
            std::string op = operationWord(line, &second);
            if (op == "ENDM") {
                if (--depth == 0) return true;
            } else if (opensBlock(op, second)) {
                ++depth;
            } else if (op == "LOCAL" && depth == 1) {
                for (const Token& t : tokenize(line))
                    if (t.kind == Tok::Ident && t.text != "LOCAL") body.locals.push_back(t.text);
                continue;
            }
            body.lines.push_back(line);
        }
        return false;
    }

    // M80's `.COMMENT`: the first character after the word opens a block of comment that ends
    // on the line where that character comes again; `from` is where the word ends in `line`.
    void skipCommentBlock(const std::string& line, size_t from, int column) {
        while (from < line.size() && isSpace(line[from])) ++from;
        if (from >= line.size()) return error(column, D::BadOperand, ".COMMENT");
        const char delimiter = line[from];
        if (line.find(delimiter, from + 1) != std::string::npos) return;
        const int defLine = curLine_;
        const int at = inExpansion() ? curColumnOfCall_ : column + static_cast<int>(pieceOffset_);
        frames_.back().nextPiece = frames_.back().pieces.size();  // the rest of the line too
        std::string text;
        while (nextLine(text)) {
            if (continuation_) continue;
            if (record_) recordLine();
            if (physicalText_.find(delimiter) != std::string::npos) {
                frames_.back().nextPiece = frames_.back().pieces.size();
                return;
            }
        }
        addError(defLine, at, D::BadOperand, ".COMMENT");
    }

    void pushExpansion(std::vector<std::string> lines, const std::string& name, int callLine) {
        if (frames_.size() > static_cast<size_t>(kMaxDepth)) {
            error(1, D::TooDeep);
            return;
        }
        Frame f;
        f.lines = std::move(lines);
        f.expansion = true;
        f.ifDepth = ifs_.size();
        f.name = name;
        f.line = callLine;
        if (frames_.size() == 1) curColumnOfCall_ = curColumn_ + static_cast<int>(pieceOffset_);
        frames_.push_back(std::move(f));
    }

    // Body lines with parameters and LOCAL names replaced.
    std::vector<std::string> instantiate(const Body& body, std::vector<std::string> names,
                                         std::vector<std::string> values) {
        for (const std::string& local : body.locals) {
            names.push_back(local);
            values.push_back("??" + std::to_string(++localCounter_));
        }
        std::vector<std::string> out;
        out.reserve(body.lines.size());
        for (const std::string& l : body.lines) {
            out.push_back(names.empty() ? l : substitute(l, names, values));
            if (out.back().size() > kMaxLineLength) {  // arguments that double at every level
                error(1, D::LineTooLong);
                out.back().resize(kMaxLineLength);
            }
        }
        return out;
    }

    // ---- passes
    void pass(bool final) {
        final_ = final;
        pc_ = 0;
        wrapped_ = false;
        wrapReported_ = false;
        firstOrg_.reset();
        endStart_.reset();
        macros_.clear();
        ifs_.clear();
        frames_.clear();
        localCounter_ = 0;
        linesDone_ = 0;
        ended_ = false;
        abort_ = false;
        for (auto& [n, s] : symbols_) s.definedThisPass = false;
        if (final) writtenThisPass_.assign(65536, false);
        Frame main;
        main.lines = mainLines_;  // copied: a pass must not disturb the source
        frames_.push_back(std::move(main));
        std::string line;
        while (!ended_ && !abort_ && nextLine(line)) {
            if (++linesDone_ > kMaxLines) {
                error(1, D::TooLong);
                break;
            }
            if (final_) recordLine();
            statement(line);
            if (final_ && overlap_) {
                result_.warnings.push_back(diagnostic(curLine_, 1, D::Overlap));
                overlap_ = false;
            }
        }
        if (!abort_)
            for (const IfState& s : ifs_) addError(s.line, s.column, D::IfNoEndif);
        record_ = nullptr;
    }

    // A listing record per physical line; the later statements of a line split at `!` add their
    // bytes to it while they follow on.
    void recordLine() {
        if (continuation_ && record_ && record_->line == curLine_ &&
            record_->expansion == inExpansion() &&
            static_cast<uint16_t>(record_->address + record_->bytes.size()) == pc_)
            return;
        records_.push_back({});
        record_ = &records_.back();
        record_->line = curLine_;
        record_->expansion = inExpansion();
        if (!continuation_) record_->text = physicalText_;
        record_->address = pc_;
    }

    void statement(const std::string& line) {
        curColumn_ = 1;
        if (!active()) {
            std::string op = operationWord(line);
            if (op == "IF" || op == "IFDEF" || op == "IFNDEF")
                ifs_.push_back({false, false, false, curLine_, 1});
            else if (op == "ELSE") {
                if (!ifs_.back().elseSeen) {
                    ifs_.back().elseSeen = true;
                    ifs_.back().active = ifs_.back().parentActive;
                }
            } else if (op == "ENDIF")
                ifs_.pop_back();
            return;
        }
        if (!continuation_ && !line.empty() && line[0] == '*') return;  // a comment line
        if (!continuation_ && isControlLine(line)) {
            // Of the controls only INCLUDE would change the bytes, and its file is not at hand.
            for (const Token& t : tokenize(std::string_view(line).substr(1)))
                if (t.kind == Tok::Ident && t.text == "INCLUDE")
                    error(t.column + 1, D::UnknownOp, t.text);
            return;
        }
        currentText_ = line;
        statementPc_ = pc_;
        std::vector<Token> toks = tokenize(line);
        toks_ = &toks;
        pos_ = 0;
        if (atEnd()) return;

        std::string label;
        int labelColumn = 1;
        const Token& first = peek();
        auto isKnownOp = [&](const std::string& w) {
            return instructions().contains(w) || directives().contains(w) || macros_.contains(w) ||
                   w == "IFDEF" || w == "IFNDEF";
        };
        if (first.kind == Tok::Ident && (*toks_)[1].kind == Tok::Colon) {
            label = first.text;
            labelColumn = first.column;
            pos_ = 2;
            if (pos_ + 0 < toks.size() && peek().kind == Tok::Colon) ++pos_;  // "NAME::"
        } else if (first.kind == Tok::Ident && (*toks_)[1].kind == Tok::Ident &&
                   ((*toks_)[1].text == "EQU" || (*toks_)[1].text == "SET" ||
                    (*toks_)[1].text == "DEFL" || (*toks_)[1].text == "MACRO")) {
            label = first.text;
            labelColumn = first.column;
            pos_ = 1;
        } else if (first.kind == Tok::Ident && (*toks_)[1].kind == Tok::Op &&
                   (*toks_)[1].text == "=") {
            label = first.text;  // NAME = value, the same as SET
            labelColumn = first.column;
            pos_ = 2;
            Value v = operand();
            expectEnd();
            if (!exprFailed_) defineSet(label, labelColumn, static_cast<uint16_t>(v.v));
            if (record_) record_->hasValue = true, record_->value = static_cast<uint16_t>(v.v);
            return;
        } else if (first.kind == Tok::Ident && !isKnownOp(first.text) &&
                   (first.column == 1 ||
                    ((*toks_)[1].kind == Tok::Ident && isKnownOp((*toks_)[1].text)))) {
            label = first.text;
            labelColumn = first.column;
            pos_ = 1;
        }

        if (atEnd()) {
            if (!label.empty() && record_) record_->hasAddress = true;
            if (!label.empty()) defineLabel(label, labelColumn, pc_);
            return;
        }
        if (peek().kind != Tok::Ident) {
            if (peek().unclosed)
                error(peek().column, D::String);
            else
                error(peek().column, D::UnknownOp,
                      std::string(line.substr(static_cast<size_t>(peek().column - 1), 1)));
            return;
        }
        std::string op = peek().text;
        int opColumn = peek().column;
        curColumn_ = opColumn;
        ++pos_;

        if (op == "EQU" || op == "SET" || op == "DEFL") {
            if (label.empty()) return error(opColumn, D::NeedName);
            Value v = operand();
            expectEnd();
            if (record_) record_->hasValue = true, record_->value = static_cast<uint16_t>(v.v);
            if (op == "EQU") {
                Symbol& s = symbols_[label];
                if (s.definedThisPass) return error(labelColumn, D::DoubleSymbol, label);
                if (s.known && s.redefinable) return error(labelColumn, D::DoubleSymbol, label);
                s.value = static_cast<uint16_t>(v.v);
                s.definedThisPass = true;
                s.known = true;
                s.redefinable = false;
            } else {
                defineSet(label, labelColumn, static_cast<uint16_t>(v.v));
            }
            return;
        }
        if (op == "MACRO") return defineMacro(label, labelColumn);

        if (!label.empty()) defineLabel(label, labelColumn, pc_);

        if (auto it = instructions().find(op); it != instructions().end())
            return instruction(op, it->second);
        if (auto it = macros_.find(op); it != macros_.end()) return callMacro(op, it->second);
        directive(op, opColumn, line);
    }

    void defineMacro(const std::string& labelName, int labelColumn) {
        std::string name = labelName;
        int column = labelColumn;
        if (name.empty()) {  // MACRO NAME a,b
            if (peek().kind != Tok::Ident) return error(peek().column, D::NeedName);
            name = peek().text;
            column = peek().column;
            ++pos_;
            takeComma();
        }
        Macro m;
        while (!atEnd()) {
            if (peek().kind == Tok::Ident) m.params.push_back(peek().text);
            else return error(peek().column, D::BadArgs);
            ++pos_;
            if (!atEnd() && !takeComma()) return error(peek().column, D::BadArgs);
        }
        int defLine = 0;
        if (!takeBody(m.body, column, defLine)) return;
        macros_[name] = std::move(m);
    }

    // The text after the operation word, where macro-style arguments start.
    std::string restOfLine(const std::string& line) const {
        int column = peek().column;
        return column - 1 < static_cast<int>(line.size()) ? line.substr(static_cast<size_t>(column - 1))
                                                          : std::string();
    }

    // `%expression` arguments become the expression's value in decimal.
    void evaluateArguments(std::vector<std::string>& args, const std::vector<bool>& percent) {
        for (size_t k = 0; k < args.size() && k < percent.size(); ++k) {
            if (!percent[k]) continue;
            const std::vector<Token> toks = tokenize(args[k]);
            const std::vector<Token>* saved = toks_;
            const size_t savedPos = pos_;
            toks_ = &toks;
            pos_ = 0;
            const Value v = operand();
            expectEnd();
            toks_ = saved;
            pos_ = savedPos;
            args[k] = std::to_string(v.v);
        }
    }

    void callMacro(const std::string& name, const Macro& m) {
        // The text of the call line is needed: rebuild from the frame we read it from.
        bool ok = true;
        std::vector<bool> percent;
        std::vector<std::string> args = splitArguments(restOfLine(currentText_), ok, &percent);
        if (!ok) return error(peek().column, D::BadArgs);
        evaluateArguments(args, percent);
        args.resize(m.params.size());
        pushExpansion(instantiate(m.body, m.params, args), name, curLine_);
    }

    void instruction(const std::string& op, OpInfo info) {
        if (final_) result_.instructionStarts.push_back(pc_);
        auto reg = [&](std::optional<int>& out) {
            if (peek().kind == Tok::Ident && ((*toks_)[pos_ + 1].kind == Tok::Comma ||
                                              (*toks_)[pos_ + 1].kind == Tok::End)) {
                out = registerCode(peek().text);
                ++pos_;
            }
            return out.has_value();
        };
        auto pair = [&](const char* last) -> std::optional<int> {
            if (peek().kind != Tok::Ident) return std::nullopt;
            std::string n = peek().text;
            std::optional<int> code;
            if (n == "B") code = 0;
            else if (n == "D") code = 1;
            else if (n == "H") code = 2;
            else if (last && n == last) code = 3;
            if (code) ++pos_;
            return code;
        };
        auto bad = [&] { error(curColumn_, D::BadOperand, op); };
        // The opcode goes out even when an operand is bad, so the addresses stay right.
        std::optional<int> r1, r2;
        switch (info.form) {
            case Form::None:
                emit(info.base, false);
                if (!atEnd()) bad();
                return;
            case Form::MovRR:
                if (!reg(r1) || !takeComma() || !reg(r2) || !atEnd() || (*r1 == 6 && *r2 == 6)) {
                    emit(info.base);
                    return bad();
                }
                emit(static_cast<uint8_t>(info.base | (*r1 << 3) | *r2));
                return;
            case Form::Mvi: {
                int column = 0;
                bool good = reg(r1) && takeComma();
                if (good) column = peek().column;
                uint8_t opcode = static_cast<uint8_t>(info.base | (r1.value_or(0) << 3));
                emit(opcode);
                if (!good || atEnd()) {
                    emit(0);
                    return bad();
                }
                Value v = operand();
                emitByteValue(v, column);
                expectEnd();
                return;
            }
            case Form::RegSrc:
            case Form::RegDst: {
                bool good = reg(r1) && atEnd();
                int shift = info.form == Form::RegSrc ? 0 : 3;
                emit(static_cast<uint8_t>(info.base | (r1.value_or(0) << shift)));
                if (!good) bad();
                return;
            }
            case Form::Imm8: {
                emit(info.base);
                if (atEnd()) {
                    emit(0);
                    return bad();
                }
                int column = peek().column;
                Value v = operand();
                emitByteValue(v, column);
                expectEnd();
                return;
            }
            case Form::Addr16: {
                emit(info.base);
                if (atEnd()) {
                    emitWord({});
                    return bad();
                }
                Value v = operand();
                emitWord(v);
                expectEnd();
                return;
            }
            case Form::Lxi: {
                auto p = pair("SP");
                bool good = p && takeComma() && !atEnd();
                emit(static_cast<uint8_t>(info.base | (p.value_or(0) << 4)));
                if (!good) {
                    emitWord({});
                    return bad();
                }
                emitWord(operand());
                expectEnd();
                return;
            }
            case Form::RpSp:
            case Form::RpPsw:
            case Form::RpBD: {
                auto p = pair(info.form == Form::RpSp ? "SP" : info.form == Form::RpPsw ? "PSW" : nullptr);
                if (info.form == Form::RpBD && p && *p > 1) p.reset();
                emit(static_cast<uint8_t>(info.base | (p.value_or(0) << 4)));
                if (!p || !atEnd()) bad();
                return;
            }
            case Form::Rst: {
                if (atEnd()) {
                    emit(info.base);
                    return bad();
                }
                Value v = operand();
                if (v.v > 7) {
                    emit(info.base);
                    return bad();
                }
                emit(static_cast<uint8_t>(info.base | (v.v << 3)));
                expectEnd();
                return;
            }
        }
    }

    void directive(const std::string& op, int column, const std::string& line) {
        if (op == "ORG") {
            Value v = operand();
            expectEnd();
            pc_ = static_cast<uint16_t>(v.v);
            wrapped_ = false;
            if (!firstOrg_) firstOrg_ = pc_;
            if (record_) record_->address = pc_, record_->hasAddress = true;
        } else if (op == "DB" || op == "DEFB") {
            if (atEnd()) return error(column, D::BadOperand, op);
            do {
                const Token& t = peek();
                const bool alone = t.kind == Tok::String && ((*toks_)[pos_ + 1].kind == Tok::Comma ||
                                                             (*toks_)[pos_ + 1].kind == Tok::End);
                if (alone && t.text.size() != 1) {  // '' puts nothing, as in MAC
                    for (char c : t.text) emit(static_cast<uint8_t>(c));
                    ++pos_;
                } else {
                    int col = t.column;
                    emitByteValue(operand(), col);
                }
            } while (takeComma());
            expectEnd();
        } else if (op == "DW" || op == "DEFW") {
            if (atEnd()) return error(column, D::BadOperand, op);
            do emitWord(operand());
            while (takeComma());
            expectEnd();
        } else if (op == "DS" || op == "DEFS") {
            if (atEnd()) return error(column, D::BadOperand, op);
            Value n = operand();
            if (takeComma()) {
                int col = peek().column;
                Value fill = operand();
                if (fill.known && fill.v > 0xFF && fill.v < 0xFF00)
                    error(col, D::NotByte, std::to_string(static_cast<long>(fill.v)));
                for (uint32_t k = 0; k < n.v; ++k) {
                    const bool stop = wrapped_;
                    emit(static_cast<uint8_t>(fill.v));  // past FFFFh it only reports
                    if (stop) break;
                }
            } else {
                advance(n.v);
            }
            expectEnd();
        } else if (op == "END") {
            if (!atEnd()) {
                Value v = operand();
                endStart_ = static_cast<uint16_t>(v.v);
            }
            expectEnd();
            ended_ = true;
        } else if (op == "IF") {
            Value v = operand();
            expectEnd();
            ifs_.push_back({v.v != 0, true, false, curLine_, column});
        } else if (op == "IFDEF" || op == "IFNDEF") {
            bool defined = peek().kind == Tok::Ident && symbols_.contains(peek().text) &&
                           symbols_[peek().text].definedThisPass;
            if (peek().kind != Tok::Ident) return error(peek().column, D::NeedName);
            ++pos_;
            expectEnd();
            ifs_.push_back({op == "IFDEF" ? defined : !defined, true, false, curLine_, column});
        } else if (op == "ELSE") {
            if (ifs_.size() <= frames_.back().ifDepth || ifs_.back().elseSeen)
                return error(column, D::ElseNoIf);
            ifs_.back().elseSeen = true;
            ifs_.back().active = !ifs_.back().active && ifs_.back().parentActive;
        } else if (op == "ENDIF") {
            if (ifs_.size() <= frames_.back().ifDepth) return error(column, D::EndifNoIf);
            ifs_.pop_back();
        } else if (op == "ENDM") {
            error(column, D::EndmNoMacro);
        } else if (op == "EXITM") {
            size_t k = frames_.size();
            while (k > 1 && !frames_[k - 1].expansion) --k;
            if (k <= 1) return error(column, D::Exitm);
            while (frames_.size() >= k) {
                ifs_.resize(std::min(ifs_.size(), frames_.back().ifDepth));
                frames_.pop_back();
            }
        } else if (op == "LOCAL") {
            error(column, D::Local);
        } else if (op == "REPT") {
            Value n = operand();
            expectEnd();
            Body body;
            int defLine = 0;
            if (!takeBody(body, column, defLine)) return;
            if (n.v == 0) return;
            std::vector<std::string> lines;
            // Each repetition gets its own LOCAL names.
            for (uint32_t k = 0; k < n.v && lines.size() < kMaxLines; ++k) {
                auto one = instantiate(body, {}, {});
                lines.insert(lines.end(), one.begin(), one.end());
            }
            if (lines.size() >= kMaxLines) return error(column, D::TooLong);
            pushExpansion(std::move(lines), "", defLine);
        } else if (op == "IRP" || op == "IRPC") {
            if (peek().kind != Tok::Ident) return error(peek().column, D::NeedName);
            std::string param = peek().text;
            ++pos_;
            if (!takeComma()) return error(peek().column, D::BadArgs);
            std::string rest = restOfLine(line);
            std::vector<std::string> values;
            if (op == "IRP") {
                bool ok = true;
                std::vector<std::string> list = splitArguments(rest, ok);
                if (!ok || list.size() != 1) return error(column, D::BadArgs);
                std::vector<bool> percent;
                values = splitArguments(list[0], ok, &percent);
                evaluateArguments(values, percent);
            } else {
                std::string text = rest;
                size_t cut = text.find(';');
                text = text.substr(0, cut);
                while (!text.empty() && isSpace(text.back())) text.pop_back();
                if (text.size() >= 2 && text.front() == '<' && text.back() == '>')
                    text = text.substr(1, text.size() - 2);
                for (char c : text) values.emplace_back(1, c);
            }
            Body body;
            int defLine = 0;
            if (!takeBody(body, column, defLine)) return;
            std::vector<std::string> lines;
            for (const std::string& v : values) {
                auto one = instantiate(body, {param}, {v});
                lines.insert(lines.end(), one.begin(), one.end());
                if (lines.size() >= kMaxLines) return error(column, D::TooLong);
            }
            pushExpansion(std::move(lines), "", defLine);
        } else if (op == "ERROR" || op == ".ERROR") {
            std::string text = peek().kind == Tok::String ? peek().text : restOfLine(line);
            error(column, text.empty() ? D::UserError : D::UserErrorText, text);
        } else if (op == ".COMMENT") {
            skipCommentBlock(line, static_cast<size_t>(column - 1) + op.size(), column);
        } else if (ignoredControls().contains(op)) {
            // listing and linker controls: no bytes
        } else {
            error(column, D::UnknownOp, op);
        }
    }

    AssemblyResult finish() {
        result_.start = endStart_ ? *endStart_ : firstOrg_ ? *firstOrg_ : 0;
        for (auto& [n, s] : symbols_)
            if (s.definedThisPass && n.rfind("??", 0) != 0) result_.symbols.emplace_back(n, s.value);
        std::sort(result_.instructionStarts.begin(), result_.instructionStarts.end());
        result_.instructionStarts.erase(
            std::unique(result_.instructionStarts.begin(), result_.instructionStarts.end()),
            result_.instructionStarts.end());
        std::sort(result_.errors.begin(), result_.errors.end(),
                  [](const Diagnostic& a, const Diagnostic& b) {
                      return std::tie(a.line, a.column) < std::tie(b.line, b.column);
                  });
        result_.listing = listing();
        return std::move(result_);
    }

    std::string listing() const {
        std::string out;
        char buf[64];
        for (const LineRecord& r : records_) {
            size_t k = 0;
            do {
                std::string left;
                if (r.hasValue && k == 0) {
                    std::snprintf(buf, sizeof buf, " = %04X", r.value);
                    left = buf;
                } else if (!r.bytes.empty() || k == 0) {
                    if (!r.bytes.empty() || r.hasAddress) {
                        std::snprintf(buf, sizeof buf, "  %04X ", static_cast<unsigned>((r.address + k) & 0xFFFF));
                        left = buf;
                    }
                }
                for (size_t b = k; b < r.bytes.size() && b < k + 4; ++b) {
                    std::snprintf(buf, sizeof buf, "%02X", r.bytes[b]);
                    left += buf;
                }
                left.resize(16, ' ');
                if (k == 0) {
                    std::snprintf(buf, sizeof buf, "%5d%c ", r.line, r.expansion ? '+' : ' ');
                    out += left + buf + r.text;
                } else {
                    while (!left.empty() && left.back() == ' ') left.pop_back();
                    out += left;
                }
                out += '\n';
                k += 4;
            } while (k < r.bytes.size());
            for (const std::string& e : r.errors) out += "***** ошибка: " + e + "\n";
        }
        return out;
    }

    std::string currentText_;  // the statement being assembled
    std::string physicalText_;  // the whole line it is on
    size_t pieceOffset_ = 0;    // where the statement starts in that line
    bool continuation_ = false;  // not the line's first statement
    std::string file_;
    std::vector<std::string> mainLines_;
    std::map<std::string, Symbol> symbols_;
    std::map<std::string, Macro> macros_;
    std::vector<Frame> frames_;
    std::vector<IfState> ifs_;
    std::deque<LineRecord> records_;  // stable addresses for record_
    LineRecord* record_ = nullptr;
    std::vector<bool> writtenThisPass_;
    AssemblyResult result_;
    uint16_t pc_ = 0;
    uint16_t statementPc_ = 0;  // $
    bool wrapped_ = false, wrapReported_ = false, final_ = false, ended_ = false, abort_ = false;
    bool overlap_ = false;
    std::optional<uint16_t> firstOrg_, endStart_;
    int curLine_ = 0, curColumn_ = 1, curColumnOfCall_ = 1;
    uint32_t localCounter_ = 0;
    size_t linesDone_ = 0;
};

}  // namespace

AssemblyResult assemble(std::string_view source, const std::string& fileName) {
    Assembler a(source, fileName);
    return a.run();
}

std::string_view diagnosticTemplate(DiagnosticId id) { return kDiagnostics[static_cast<int>(id)]; }

const std::string_view kInMacroTemplate = ORLAN_TR_NOOP("Assembler", "%1 (в макрокоманде %2)");

std::string diagnosticMessage(DiagnosticId id, std::string_view arg, std::string_view macro,
                              const TranslateTemplate& translate) {
    auto words = [&](std::string_view text) {
        return translate ? translate(text) : std::string(text);
    };
    std::string message = fillArguments(words(diagnosticTemplate(id)), arg);
    if (macro.empty()) return message;
    return fillArguments(words(kInMacroTemplate), message, macro);
}

std::string formatDiagnostic(const Diagnostic& d, bool warning) {
    return d.file + ":" + std::to_string(d.line) + ":" + std::to_string(d.column) +
           (warning ? ": warning: " : ": error: ") + d.message;
}

}  // namespace orlan::asm8080
