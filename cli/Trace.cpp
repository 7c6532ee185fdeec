#include "Trace.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>

#include "Elements.h"
#include "Mnemonics.h"
#include "Notation.h"

namespace orlan::cli {

namespace {

// These two never show the active colour, whatever their highlight bit says.
constexpr ElementSet kNeverMarked = bit(Element::INC_DEC_Syst) | bit(Element::Time_Num);

bool marked(const Machine& m, Element e) {
    return m.isRed(e) && (bit(e) & kNeverMarked) == 0;
}

void appendNumber(std::string& out, int64_t v) {
    char buf[24];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    (void)ec;
    out.append(buf, end);
}

// JSON string; non-ASCII bytes go out as they are (the texts are UTF-8).
void appendJsonString(std::string& out, std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    for (char ch : text) {
        const auto u = static_cast<unsigned char>(ch);
        switch (ch) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (u < 0x20) {
                    out += "\\u00";
                    out += kHex[u >> 4];
                    out += kHex[u & 0xF];
                } else {
                    out += ch;
                }
        }
    }
    out += '"';
}

std::string lampList(LampSet lamps) {
    std::string out;
    for (int i = 0; i < kLampCount; ++i) {
        if (!(lamps & lampBit(static_cast<Lamp>(i)))) continue;
        if (!out.empty()) out += ' ';
        out += kLampNames[i];
    }
    return out;
}

class JsonlWriter : public TraceWriter {
  public:
    explicit JsonlWriter(std::FILE* out) : out_(out) { line_.reserve(1024); }

    void beforeTact(const CCommands&, const Machine&) override {}

    void afterTact(uint64_t t, const CCommands& cpu, const Machine& m,
                   const TactRecord& rec) override {
        line_.clear();
        appendJsonLine(line_, t, cpu.currentOpcode(), m, rec);
        line_ += '\n';
        std::fwrite(line_.data(), 1, line_.size(), out_);
    }

  private:
    std::FILE* out_;
    std::string line_;
};

// ---------------------------------------------------------------------------------------------
// The table: every cell is a list of items, wrapped inside its column so the columns stay put.

struct Column {
    std::string_view header;
    size_t width;  // 0: the last column, never padded or wrapped
    bool rightAligned;
};

constexpr Column kColumns[] = {
    {"t", 7, true},         {"T", 2, true},
    {"C", 2, false},        {"Instruction", 11, false},
    {"Changed", 44, false}, {"Turned red", 22, false},
    {"Lamps", 18, false},   {"Memory", 7, false},
    {"Out", 5, false},      {"Messages", 0, false},
};
constexpr size_t kColumnCount = std::size(kColumns);
constexpr std::string_view kGap = "  ";

using Cell = std::vector<std::string>;

// Items joined by spaces, a new line whenever the next one would not fit.
std::vector<std::string> wrap(const Cell& items, size_t width, std::string_view joiner) {
    std::vector<std::string> lines;
    std::string line;
    size_t lineWidth = 0;
    for (const std::string& item : items) {
        const size_t w = displayWidth(item);
        if (!line.empty() && width != 0 && lineWidth + joiner.size() + w > width) {
            lines.push_back(std::move(line));
            line.clear();
            lineWidth = 0;
        }
        if (!line.empty()) {
            line += joiner;
            lineWidth += joiner.size();
        }
        line += item;
        lineWidth += w;
    }
    if (!line.empty()) lines.push_back(std::move(line));
    return lines;
}

void pad(std::string& out, const std::string& text, const Column& c) {
    const size_t w = displayWidth(text);
    const size_t fill = c.width > w ? c.width - w : 0;
    if (c.rightAligned) out.append(fill, ' ');
    out += text;
    if (!c.rightAligned) out.append(fill, ' ');
}

std::string formatRow(const std::array<Cell, kColumnCount>& cells) {
    std::array<std::vector<std::string>, kColumnCount> lines;
    size_t height = 1;
    for (size_t i = 0; i < kColumnCount; ++i) {
        lines[i] = wrap(cells[i], kColumns[i].width, kColumns[i].width == 0 ? "; " : " ");
        height = std::max(height, lines[i].size());
    }
    std::string out;
    static const std::string kEmpty;
    for (size_t row = 0; row < height; ++row) {
        std::string line;
        for (size_t i = 0; i < kColumnCount; ++i) {
            if (i > 0) line += kGap;
            pad(line, row < lines[i].size() ? lines[i][row] : kEmpty, kColumns[i]);
        }
        while (!line.empty() && line.back() == ' ') line.pop_back();
        out += line;
        out += '\n';
    }
    return out;
}

// Texts that are empty or hold spaces are quoted, so every item stays one word.
std::string shownText(const std::string& text) {
    if (text.empty() || text.find(' ') != std::string::npos) return '"' + text + '"';
    return text;
}

class TableWriter : public TraceWriter {
  public:
    explicit TableWriter(std::FILE* out) : out_(out) {}

    void start() override {
        std::array<Cell, kColumnCount> cells;
        for (size_t i = 0; i < kColumnCount; ++i) cells[i].emplace_back(kColumns[i].header);
        write(formatRow(cells));
    }

    void beforeTact(const CCommands& cpu, const Machine& m) override {
        for (int i = 0; i < kElementCount; ++i) texts_[i] = m.text(static_cast<Element>(i));
        active_ = m.s.active;
        lamps_ = m.s.lamps;
        wasHalted_ = cpu.halted();
        // A tact that starts an instruction fetches the opcode at PC.
        opcode_ = cpu.currentOpcode() >= 0 ? static_cast<uint8_t>(cpu.currentOpcode())
                                           : m.s.memory[m.s.pc];
    }

    void afterTact(uint64_t t, const CCommands&, const Machine& m, const TactRecord& rec) override {
        std::array<Cell, kColumnCount> cells;
        cells[0].push_back(std::to_string(t));
        cells[1].push_back(m.text(Element::Time_Num));
        cells[2].push_back(m.text(Element::Cycle_Num) + (marked(m, Element::Cycle_Num) ? "*" : ""));
        if (!wasHalted_) cells[3].emplace_back(mnemonic(opcode_));
        for (int i = 0; i < kElementCount; ++i) {
            const auto e = static_cast<Element>(i);
            if (e == Element::Time_Num || e == Element::Cycle_Num)
                continue;  // they have their own columns
            std::string text = m.text(e);
            if (text == texts_[i]) continue;
            cells[4].push_back(std::string(kElementNames[i]) + '=' + shownText(text) +
                               (marked(m, e) ? "*" : ""));
        }
        const ElementSet turnedRed = m.s.active & ~active_ & ~kNeverMarked;
        for (int i = 0; i < kElementCount; ++i)
            if (turnedRed & bit(static_cast<Element>(i))) cells[5].emplace_back(kElementNames[i]);
        const LampSet switched = m.s.lamps ^ lamps_;
        for (int i = 0; i < kLampCount; ++i) {
            const LampSet b = lampBit(static_cast<Lamp>(i));
            if (!(switched & b)) continue;
            std::string item(1, (m.s.lamps & b) ? '+' : '-');
            item += kLampNames[i];
            cells[6].push_back(std::move(item));
        }
        for (const MemoryWrite& w : rec.mem)
            cells[7].push_back(formatWord(w.address) + '=' + formatByte(w.value));
        for (const DeviceCall& c : rec.out)
            cells[8].push_back(formatByte(c.port) + '=' + formatByte(c.value));
        for (const std::string& title : rec.msg) cells[9].push_back(title);
        write(formatRow(cells));
    }

  private:
    void write(const std::string& text) { std::fwrite(text.data(), 1, text.size(), out_); }

    std::FILE* out_;
    std::array<std::string, kElementCount> texts_;
    ElementSet active_ = 0;
    LampSet lamps_ = 0;
    bool wasHalted_ = false;
    uint8_t opcode_ = 0;
};

}  // namespace

size_t displayWidth(const std::string& text) {
    size_t n = 0;
    for (char ch : text)
        if ((static_cast<unsigned char>(ch) & 0xC0) != 0x80) ++n;
    return n;
}

void appendJsonLine(std::string& line, uint64_t t, int opcode, const Machine& m,
                    const TactRecord& rec) {
    line += "{\"t\":";
    appendNumber(line, static_cast<int64_t>(t));
    line += ",\"op\":";
    appendNumber(line, opcode);
    line += ",\"pc\":";
    appendNumber(line, m.s.pc);
    line += ",\"sp\":";
    appendNumber(line, m.s.sp);
    line += ",\"el\":{";
    for (int i = 0; i < kElementCount; ++i) {
        const auto e = static_cast<Element>(i);
        if (i > 0) line += ',';
        line += '"';
        line += kElementNames[i];
        line += "\":";
        std::string text = m.text(e);
        if (marked(m, e)) text += '*';
        appendJsonString(line, text);
    }
    line += "},\"lamps\":";
    appendJsonString(line, lampList(m.s.lamps));
    line += ",\"mem\":[";
    for (size_t i = 0; i < rec.mem.size(); ++i) {
        if (i > 0) line += ',';
        line += '[';
        appendNumber(line, rec.mem[i].address);
        line += ',';
        appendNumber(line, rec.mem[i].value);
        line += ']';
    }
    line += "],\"out\":[";
    for (size_t i = 0; i < rec.out.size(); ++i) {
        if (i > 0) line += ',';
        line += '[';
        appendNumber(line, rec.out[i].port);
        line += ',';
        appendNumber(line, rec.out[i].value);
        line += ']';
    }
    line += "],\"msg\":[";
    for (size_t i = 0; i < rec.msg.size(); ++i) {
        if (i > 0) line += ',';
        appendJsonString(line, rec.msg[i]);
    }
    line += "]}";
}

std::unique_ptr<TraceWriter> makeJsonlWriter(std::FILE* out) {
    return std::make_unique<JsonlWriter>(out);
}
std::unique_ptr<TraceWriter> makeTableWriter(std::FILE* out) {
    return std::make_unique<TableWriter>(out);
}

}  // namespace orlan::cli
