// Build-time tool: turns the hand-edited UTF-8 help texts (CommHlp.txt) into the help file the
// popup reads, CommHlp.vhp: 256 records of 1000 bytes, record n at n * 1000, each holding
// Windows-1251 text with CR LF line breaks, a zero byte and zero padding.
//
// Usage: make_commhlp <CommHlp.txt> <CommHlp.vhp>
//
// Source format: a line "== XX" (XX = opcode in hex, anything after the code is a note for the
// editor) starts a record; the lines up to the next "== " line are its text. Blank lines at the
// start and end of a record are dropped, trailing spaces and a trailing CR on a line are ignored.
// Lines starting with '#' may only stand above the first record.
//
// Every opcode needs exactly one record, every character must exist in Windows-1251, and a
// record must leave room for its zero byte. Anything else stops the build with a message naming
// the record and the line, and no file is written.

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kRecords = 256;
constexpr size_t kRecordSize = 1000;
constexpr size_t kMaxText = kRecordSize - 1;  // the zero byte must fit

// Code points outside ASCII that the texts may use, with their Windows-1251 bytes.
// Cyrillic А..я is a contiguous range and is handled in toCp1251.
struct Extra {
    char32_t cp;
    uint8_t byte;
};
constexpr Extra kExtras[] = {
    {U'\u0401', 0xA8},  // Ё
    {U'\u0451', 0xB8},  // ё
    {U'\u00AB', 0xAB},  // «
    {U'\u00BB', 0xBB},  // »
    {U'\u2013', 0x96},  // –
    {U'\u2014', 0x97},  // —
    {U'\u2116', 0xB9},  // №
    {U'\u2026', 0x85},  // …
    {U'\u2018', 0x91},  // ‘
    {U'\u2019', 0x92},  // ’
    {U'\u201C', 0x93},  // “
    {U'\u201D', 0x94},  // ”
    {U'\u201E', 0x84},  // „
};

std::optional<uint8_t> toCp1251(char32_t cp) {
    if (cp >= 0x20 && cp <= 0x7E) return static_cast<uint8_t>(cp);
    if (cp >= 0x0410 && cp <= 0x044F) return static_cast<uint8_t>(0xC0 + (cp - 0x0410));
    for (const Extra& e : kExtras)
        if (e.cp == cp) return e.byte;
    return std::nullopt;
}

struct Errors {
    std::string file;
    std::vector<std::string> list;

    void add(int line, const std::string& what) {
        std::ostringstream s;
        s << file << ':';
        if (line > 0) s << line << ':';
        s << " error: " << what;
        list.push_back(s.str());
    }
};

std::string hex2(int v) {
    char buf[3];
    std::snprintf(buf, sizeof buf, "%02X", v);
    return buf;
}

std::string codePoint(char32_t cp) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(cp));
    return buf;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Decodes one UTF-8 line and appends its Windows-1251 bytes to out; reports what it cannot take.
void appendLine(const std::string& line, int lineNo, int record, std::string& out, Errors& errors) {
    const std::string where = "record " + hex2(record) + ": ";
    size_t i = 0;
    while (i < line.size()) {
        const auto b0 = static_cast<unsigned char>(line[i]);
        char32_t cp = 0;
        size_t len = 0;
        if (b0 < 0x80) {
            cp = b0;
            len = 1;
        } else if ((b0 & 0xE0) == 0xC0) {
            cp = b0 & 0x1F;
            len = 2;
        } else if ((b0 & 0xF0) == 0xE0) {
            cp = b0 & 0x0F;
            len = 3;
        } else if ((b0 & 0xF8) == 0xF0) {
            cp = b0 & 0x07;
            len = 4;
        } else {
            errors.add(lineNo, where + "malformed UTF-8 (byte 0x" + hex2(b0) + ")");
            return;
        }
        if (i + len > line.size()) {
            errors.add(lineNo, where + "malformed UTF-8 (sequence cut short)");
            return;
        }
        for (size_t k = 1; k < len; ++k) {
            const auto b = static_cast<unsigned char>(line[i + k]);
            if ((b & 0xC0) != 0x80) {
                errors.add(lineNo, where + "malformed UTF-8 (bad continuation byte)");
                return;
            }
            cp = (cp << 6) | (b & 0x3F);
        }
        const std::string ch = line.substr(i, len);
        i += len;
        if (auto byte = toCp1251(cp)) {
            out.push_back(static_cast<char>(*byte));
        } else {
            const bool printable = cp >= 0x20 && cp != 0x7F;
            errors.add(lineNo, where + "character " + codePoint(cp) +
                                   (printable ? " '" + ch + "'" : "") +
                                   " cannot be written in Windows-1251");
        }
    }
}

struct Record {
    int headerLine = 0;                              // 0: no record for this opcode
    std::vector<std::pair<int, std::string>> lines;  // source line number, text
};

std::string trimRight(std::string s) {
    while (!s.empty() && (s.back() == '\r' || s.back() == ' ')) s.pop_back();
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_commhlp <CommHlp.txt> <CommHlp.vhp>\n");
        return 2;
    }
    const std::string inPath = argv[1];
    const std::string outPath = argv[2];

    std::ifstream in(inPath, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "make_commhlp: cannot open %s\n", inPath.c_str());
        return 1;
    }
    std::string source((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (source.rfind("\xEF\xBB\xBF", 0) == 0) source.erase(0, 3);  // editors on Windows add a BOM

    Errors errors{inPath, {}};
    std::array<Record, kRecords> records{};
    int current = -1;

    std::istringstream lines(source);
    std::string raw;
    int lineNo = 0;
    while (std::getline(lines, raw)) {
        ++lineNo;
        const std::string line = trimRight(raw);
        if (line.rfind("==", 0) == 0) {
            // "== XX" with an optional note after white space.
            const bool wellFormed = line.size() >= 5 && line[2] == ' ' && hexDigit(line[3]) >= 0 &&
                                    hexDigit(line[4]) >= 0 && (line.size() == 5 || line[5] == ' ');
            if (!wellFormed) {
                errors.add(lineNo, "malformed record header \"" + line + "\" (expected \"== XX\")");
                current = -1;
                continue;
            }
            current = hexDigit(line[3]) * 16 + hexDigit(line[4]);
            if (records[current].headerLine != 0) {
                errors.add(lineNo, "record " + hex2(current) + " is defined twice (first at line " +
                                       std::to_string(records[current].headerLine) + ")");
                current = -1;  // the text below belongs to the rejected duplicate
                continue;
            }
            records[current].headerLine = lineNo;
            continue;
        }
        if (current < 0) {
            bool anyRecord = false;
            for (const Record& r : records) anyRecord = anyRecord || r.headerLine != 0;
            if (!anyRecord && (line.empty() || line[0] == '#')) continue;  // header comments
            if (!anyRecord) errors.add(lineNo, "text before the first record");
            continue;  // text of a rejected header was reported with the header
        }
        records[current].lines.emplace_back(lineNo, line);
    }

    std::vector<char> image(kRecords * kRecordSize, 0);
    for (int op = 0; op < kRecords; ++op) {
        Record& r = records[op];
        if (r.headerLine == 0) {
            errors.add(0, "record " + hex2(op) + " is missing");
            continue;
        }
        auto& ls = r.lines;
        while (!ls.empty() && ls.back().second.empty()) ls.pop_back();
        size_t first = 0;
        while (first < ls.size() && ls[first].second.empty()) ++first;
        if (first == ls.size()) {
            errors.add(r.headerLine, "record " + hex2(op) + " has no text");
            continue;
        }
        std::string text;
        for (size_t k = first; k < ls.size(); ++k) {
            if (k > first) text += "\r\n";
            appendLine(ls[k].second, ls[k].first, op, text, errors);
        }
        if (text.size() > kMaxText) {
            errors.add(r.headerLine, "record " + hex2(op) + " is " + std::to_string(text.size()) +
                                         " bytes in Windows-1251; at most " +
                                         std::to_string(kMaxText) + " fit");
            continue;
        }
        std::copy(text.begin(), text.end(),
                  image.begin() + static_cast<std::ptrdiff_t>(op * kRecordSize));
    }

    if (!errors.list.empty()) {
        for (const std::string& e : errors.list) std::fprintf(stderr, "%s\n", e.c_str());
        std::fprintf(stderr, "make_commhlp: %zu error(s); %s not written\n", errors.list.size(),
                     outPath.c_str());
        return 1;
    }

    std::ofstream out(outPath, std::ios::binary | std::ios::trunc);
    out.write(image.data(), static_cast<std::streamsize>(image.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "make_commhlp: cannot write %s\n", outPath.c_str());
        std::remove(outPath.c_str());
        return 1;
    }
    return 0;
}
