#include "Options.h"

#include <algorithm>
#include <charconv>

#include "Notation.h"

namespace orlan::cli {

const std::string_view kUsage =
    "Usage: orlan-cli [options]\n"
    "Runs the ORLAN processor without a window and prints what every tact does.\n"
    "\n"
    "Setting the machine (applied in the order given, a later one overriding an earlier one):\n"
    "  --state FILE.vst      load a state file (memory, A..L, W, Z, PC, SP)\n"
    "  --poke ADDR=HEX       write the bytes HEX (hex digit pairs) from ADDR (4 hex digits) on\n"
    "  --load ADDR=FILE      load a subprogram file at ADDR\n"
    "  --set NAME=HEX        set A B C D E H L W Z (2 hex digits) or SP PC (4 hex digits)\n"
    "  --flags BITS          set Flags_Reg and the flag lamps: 8 binary digits S Z 0 AC 0 P 1 C\n"
    "  --asm FILE.asm        assemble an 8080 source (Intel syntax, macros), write its bytes\n"
    "                        into memory and set PC to its start (END operand, else the first\n"
    "                        ORG); errors are printed as FILE:LINE:COLUMN: error: TEXT\n"
    "  --listing FILE        with --asm: write the assembler's listing\n"
    "  --symbols             with --asm: print the symbol table (NAME VALUE) on standard output\n"
    "\n"
    "Executing (in the order given):\n"
    "  --tacts N             execute N tacts\n"
    "  --instructions N      execute N whole instructions\n"
    "  --run                 run until HLT, an undefined opcode or the tact limit\n"
    "  --back N              step back N tacts (no trace line; the tact count goes back too);\n"
    "                        past the start of the history (1048576 tacts): exit 2\n"
    "\n"
    "For the whole invocation:\n"
    "  --max-tacts N         tact limit of each --run (default 100000000)\n"
    "  --break ADDR          a breakpoint (4 hex digits, repeatable): a --run stops before\n"
    "                        fetching the instruction at ADDR, except at the address it starts\n"
    "                        from; one line on standard error says where it stopped\n"
    "  --trace jsonl         print one JSON line per tact on standard output\n"
    "  --trace table         print one table row per tact on standard output\n"
    "  --port-out NN=FILE    append every byte sent to port NN (00..04) to FILE\n"
    "  --save FILE.vst       write the state file at the end\n"
    "  --timing FILE.svg     write the timing diagram of the last 128 tacts executed (lamps,\n"
    "                        address and data buses, cycle and tact numbers) at the end\n"
    "  --disasm FROM-TO      print the source of the final memory FROM..TO (4 hex digits each)\n"
    "                        on standard output; --asm takes it back to the same bytes\n"
    "  --help                print this text\n"
    "\n"
    "Exporting the final state (as \"Файл -> Экспорт...\" does, without opening anything):\n"
    "  --export xlsx=FILE    a workbook: one worksheet per page, \"Регистры\" last\n"
    "  --export odt=FILE     an ODF text document: a heading and a listing per page\n"
    "  --export txt=FILE     the text file (Windows-1251, CR LF)\n"
    "                        (each format at most once; written in the order xlsx, odt, txt)\n"
    "  --page NAME:FROM-TO:COLUMNS\n"
    "                        a page of every export, in the order given: FROM and TO 4 hex\n"
    "                        digits, COLUMNS letters of a (address), v (value), m (mnemonic),\n"
    "                        c (empty comments column, xlsx only), e.g. \"Main:0000-00FF:avm\";\n"
    "                        without --page one page \"Подпрограмма 1:0000-FFFF:avm\"\n"
    "  --registers LIST      registers added after the pages, comma-separated from\n"
    "                        A,B,C,D,E,H,L,W,Z,PC,SP\n"
    "\n"
    "Message boxes go to standard error; one shown again and again is written once, then counted;\n"
    "an export's refusal is one line there. Every output file is checked before the first tact.\n"
    "Exit status: 0 normal end, 1 an undefined opcode ended a --run, 2 bad arguments, a file that\n"
    "cannot be read or written, errors in the --asm source, an export refused, or standard output\n"
    "that cannot be written (a full disk, a closed pipe).\n";

namespace {

bool isHexDigit(char ch) {
    return (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'F') || (ch >= 'a' && ch <= 'f');
}

bool allHex(std::string_view text) {
    for (char ch : text)
        if (!isHexDigit(ch)) return false;
    return true;
}

// Exactly `digits` hex digits.
std::optional<uint32_t> fixedHex(std::string_view text, size_t digits) {
    if (text.size() != digits || !allHex(text)) return std::nullopt;
    return parseHex(text);
}

std::optional<uint64_t> decimal(std::string_view text) {
    if (text.empty()) return std::nullopt;
    for (char ch : text)
        if (ch < '0' || ch > '9') return std::nullopt;
    uint64_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<PanelRegister> registerByName(std::string_view name) {
    static constexpr std::pair<std::string_view, PanelRegister> kNames[] = {
        {"A", PanelRegister::A},   {"B", PanelRegister::B},   {"C", PanelRegister::C},
        {"D", PanelRegister::D},   {"E", PanelRegister::E},   {"H", PanelRegister::H},
        {"L", PanelRegister::L},   {"W", PanelRegister::W},   {"Z", PanelRegister::Z},
        {"SP", PanelRegister::SP}, {"PC", PanelRegister::PC},
    };
    std::string upper(name);
    for (char& ch : upper)
        if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
    for (const auto& [text, reg] : kNames)
        if (text == upper) return reg;
    return std::nullopt;
}

// "LEFT=RIGHT" split at the first '='.
bool splitPair(std::string_view value, std::string_view& left, std::string_view& right) {
    const size_t eq = value.find('=');
    if (eq == std::string_view::npos) return false;
    left = value.substr(0, eq);
    right = value.substr(eq + 1);
    return true;
}

// Error lines quote what the user typed; keep them on one line whatever it holds.
std::string shownName(std::string_view text) {
    std::string out = "\"";
    for (char ch : text) out += (static_cast<unsigned char>(ch) < 0x20 || ch == 0x7F) ? '?' : ch;
    out += '"';
    return out;
}

class Parser {
  public:
    explicit Parser(const std::vector<std::string_view>& args) : args_(args) {}

    ParseResult parse() {
        while (pos_ < args_.size() && result_.error.empty() && !result_.options.help) parseOne();
        return std::move(result_);
    }

  private:
    void fail(std::string message) {
        if (result_.error.empty()) result_.error = std::move(message);
    }

    // The value of an option: after '=' in the same argument, or the next argument.
    bool takeValue(std::string_view option, const std::optional<std::string_view>& inlineValue,
                   std::string_view& value) {
        if (inlineValue) {
            value = *inlineValue;
            return true;
        }
        if (pos_ >= args_.size()) {
            fail(std::string(option) + " needs a value");
            return false;
        }
        value = args_[pos_++];
        return true;
    }

    void parseOne() {
        std::string_view arg = args_[pos_++];
        std::optional<std::string_view> inlineValue;
        std::string_view option = arg;
        if (arg.starts_with("--")) {
            if (const size_t eq = arg.find('='); eq != std::string_view::npos) {
                option = arg.substr(0, eq);
                inlineValue = arg.substr(eq + 1);
            }
        }
        Options& o = result_.options;
        std::string_view v;

        // Only where an option stands: "--state -h" names a file called "-h".
        if (option == "--help" || option == "-h") {
            result_.options.help = true;
            return;
        }
        if (option == "--run") {
            if (inlineValue) return fail("--run takes no value");
            o.executions.push_back({Execution::Kind::Run});
        } else if (option == "--tacts" || option == "--instructions" || option == "--back") {
            if (!takeValue(option, inlineValue, v)) return;
            auto n = decimal(v);
            if (!n) return fail(std::string(option) + ": not a count: " + shownName(v));
            o.executions.push_back({option == "--tacts"          ? Execution::Kind::Tacts
                                    : option == "--instructions" ? Execution::Kind::Instructions
                                                                 : Execution::Kind::Back,
                                    *n});
        } else if (option == "--max-tacts") {
            if (!takeValue(option, inlineValue, v)) return;
            auto n = decimal(v);
            if (!n) return fail("--max-tacts: not a count: " + shownName(v));
            o.maxTacts = *n;
        } else if (option == "--break") {
            if (!takeValue(option, inlineValue, v)) return;
            auto a = fixedHex(v, 4);
            if (!a) return fail("--break: address must be 4 hex digits: " + shownName(v));
            o.breakpoints.push_back(static_cast<uint16_t>(*a));
        } else if (option == "--trace") {
            if (!takeValue(option, inlineValue, v)) return;
            if (v == "jsonl")
                o.trace = TraceMode::Jsonl;
            else if (v == "table")
                o.trace = TraceMode::Table;
            else
                return fail("--trace: unknown format " + shownName(v) + " (jsonl or table)");
        } else if (option == "--state") {
            if (!takeValue(option, inlineValue, v)) return;
            if (v.empty()) return fail("--state: empty file name");
            o.settings.push_back(StateSetting{std::string(v)});
        } else if (option == "--poke") {
            if (!takeValue(option, inlineValue, v)) return;
            parsePoke(v);
        } else if (option == "--load") {
            if (!takeValue(option, inlineValue, v)) return;
            std::string_view addr, path;
            if (!splitPair(v, addr, path))
                return fail("--load: expected ADDR=FILE, got " + shownName(v));
            auto a = fixedHex(addr, 4);
            if (!a) return fail("--load: address must be 4 hex digits: " + shownName(addr));
            if (path.empty()) return fail("--load: empty file name");
            o.settings.push_back(LoadSetting{static_cast<uint16_t>(*a), std::string(path)});
        } else if (option == "--set") {
            if (!takeValue(option, inlineValue, v)) return;
            parseSet(v);
        } else if (option == "--flags") {
            if (!takeValue(option, inlineValue, v)) return;
            auto f = parseFlags(v);
            if (!f) return fail("--flags: expected 8 binary digits, got " + shownName(v));
            o.settings.push_back(FlagsSetting{*f});
        } else if (option == "--port-out") {
            if (!takeValue(option, inlineValue, v)) return;
            std::string_view port, path;
            if (!splitPair(v, port, path))
                return fail("--port-out: expected NN=FILE, got " + shownName(v));
            auto p = fixedHex(port, 2);
            if (!p) return fail("--port-out: port must be 2 hex digits: " + shownName(port));
            if (path.empty()) return fail("--port-out: empty file name");
            o.portOutputs.push_back({static_cast<uint8_t>(*p), std::string(path)});
        } else if (option == "--save") {
            if (!takeValue(option, inlineValue, v)) return;
            if (v.empty()) return fail("--save: empty file name");
            o.savePath = std::string(v);
        } else if (option == "--timing") {
            if (!takeValue(option, inlineValue, v)) return;
            o.timingPath = std::string(v);
        } else if (option == "--asm") {
            if (!takeValue(option, inlineValue, v)) return;
            if (v.empty()) return fail("--asm: empty file name");
            for (const Setting& s : o.settings)
                if (std::holds_alternative<AsmSetting>(s)) return fail("--asm given twice");
            o.settings.push_back(AsmSetting{std::string(v)});
        } else if (option == "--listing") {
            if (!takeValue(option, inlineValue, v)) return;
            if (v.empty()) return fail("--listing: empty file name");
            o.listingPath = std::string(v);
        } else if (option == "--symbols") {
            if (inlineValue) return fail("--symbols takes no value");
            o.printSymbols = true;
        } else if (option == "--disasm") {
            if (!takeValue(option, inlineValue, v)) return;
            const size_t dash = v.find('-');
            const auto from = fixedHex(v.substr(0, dash), 4);
            const auto to =
                dash == std::string_view::npos ? std::nullopt : fixedHex(v.substr(dash + 1), 4);
            if (!from || !to || *to < *from)
                return fail("--disasm: expected FROM-TO, two 4-digit hex numbers, got " +
                            shownName(v));
            o.disassembly = Options::Range{static_cast<uint16_t>(*from), static_cast<uint16_t>(*to)};
        } else if (option == "--export") {
            if (!takeValue(option, inlineValue, v)) return;
            parseExport(v);
        } else if (option == "--page") {
            if (!takeValue(option, inlineValue, v)) return;
            parsePage(v);
        } else if (option == "--registers") {
            if (!takeValue(option, inlineValue, v)) return;
            parseRegisters(v);
        } else if (arg.starts_with("-")) {
            fail("unknown option " + shownName(option) + " (see --help)");
        } else {
            fail("unexpected argument " + shownName(arg) + " (see --help)");
        }
    }

    void parsePoke(std::string_view v) {
        std::string_view addr, data;
        if (!splitPair(v, addr, data))
            return fail("--poke: expected ADDR=HEX, got " + shownName(v));
        auto a = fixedHex(addr, 4);
        if (!a) return fail("--poke: address must be 4 hex digits: " + shownName(addr));
        if (data.empty() || data.size() % 2 != 0 || !allHex(data))
            return fail("--poke: data must be pairs of hex digits: " + shownName(data));
        PokeSetting poke{static_cast<uint16_t>(*a), {}};
        for (size_t i = 0; i < data.size(); i += 2)
            poke.bytes.push_back(static_cast<uint8_t>(*parseHex(data.substr(i, 2))));
        result_.options.settings.push_back(std::move(poke));
    }

    void parseSet(std::string_view v) {
        std::string_view name, value;
        if (!splitPair(v, name, value))
            return fail("--set: expected NAME=HEX, got " + shownName(v));
        auto reg = registerByName(name);
        if (!reg)
            return fail("--set: unknown register " + shownName(name) +
                        " (A B C D E H L W Z SP PC)");
        const bool wide = *reg == PanelRegister::SP || *reg == PanelRegister::PC;
        const size_t maxDigits = wide ? 4 : 2;
        if (value.size() > maxDigits || !allHex(value))
            return fail("--set: " + std::string(wide ? "at most 4" : "at most 2") +
                        " hex digits expected for " + shownName(name) + ", got " +
                        shownName(value));
        // The register panel reads an empty value as 0.
        result_.options.settings.push_back(
            RegisterSetting{*reg, static_cast<uint16_t>(*parseHex(value))});
    }

    void parseExport(std::string_view v) {
        std::string_view format, path;
        if (!splitPair(v, format, path))
            return fail("--export: expected FORMAT=FILE, got " + shownName(v));
        ExportFormat f;
        if (format == "xlsx")
            f = ExportFormat::Xlsx;
        else if (format == "odt")
            f = ExportFormat::Odt;
        else if (format == "txt")
            f = ExportFormat::Txt;
        else
            return fail("--export: unknown format " + shownName(format) + " (xlsx, odt or txt)");
        if (path.empty()) return fail("--export: empty file name");
        for (const ExportFile& e : result_.options.exports)
            if (e.format == f) return fail("--export: " + std::string(format) + " given twice");
        result_.options.exports.push_back({f, std::string(path)});
    }

    // NAME:FROM-TO:COLUMNS, split at the last two colons: the name may hold colons itself.
    void parsePage(std::string_view v) {
        const auto bad = [&](const std::string& why) {
            fail("--page: " + why + " in " + shownName(v) + " (NAME:FROM-TO:COLUMNS)");
        };
        const size_t columnsAt = v.rfind(':');
        if (columnsAt == std::string_view::npos || columnsAt == 0) return bad("no range");
        const size_t rangeAt = v.rfind(':', columnsAt - 1);
        if (rangeAt == std::string_view::npos) return bad("no range");
        const std::string_view range = v.substr(rangeAt + 1, columnsAt - rangeAt - 1);
        const size_t dash = range.find('-');
        const auto from = fixedHex(range.substr(0, dash), 4);
        const auto to =
            dash == std::string_view::npos ? std::nullopt : fixedHex(range.substr(dash + 1), 4);
        if (!from || !to) return bad("FROM-TO must be two 4-digit hex numbers");
        ExportPageOption page{std::string(v.substr(0, rangeAt)), static_cast<uint16_t>(*from),
                              static_cast<uint16_t>(*to)};
        for (char ch : v.substr(columnsAt + 1)) {
            switch (ch) {
                case 'a':
                    page.address = true;
                    break;
                case 'v':
                    page.value = true;
                    break;
                case 'm':
                    page.mnemonic = true;
                    break;
                case 'c':
                    page.comments = true;
                    break;
                default:
                    return bad(std::string("unknown column '") + ch + "'");
            }
        }
        result_.options.pages.push_back(std::move(page));
    }

    void parseRegisters(std::string_view v) {
        std::vector<PanelRegister>& regs = result_.options.exportRegisters;
        if (v.empty()) return;  // none: the same as leaving the option out
        for (size_t start = 0;;) {
            const size_t comma = v.find(',', start);
            const std::string_view name =
                v.substr(start, comma == std::string_view::npos ? comma : comma - start);
            const auto reg = registerByName(name);
            if (!reg)
                return fail("--registers: unknown register " + shownName(name) +
                            " (A B C D E H L W Z PC SP)");
            if (std::find(regs.begin(), regs.end(), *reg) == regs.end()) regs.push_back(*reg);
            if (comma == std::string_view::npos) return;
            start = comma + 1;
        }
    }

    const std::vector<std::string_view>& args_;
    size_t pos_ = 0;
    ParseResult result_;
};

}  // namespace

ParseResult parseArguments(const std::vector<std::string_view>& args) {
    ParseResult result = Parser(args).parse();
    const Options& o = result.options;
    if (result.error.empty() && !o.help && o.exports.empty() &&
        (!o.pages.empty() || !o.exportRegisters.empty()))
        result.error = "--page and --registers describe an export: add --export FORMAT=FILE";
    const bool assembles = std::any_of(o.settings.begin(), o.settings.end(), [](const Setting& s) {
        return std::holds_alternative<AsmSetting>(s);
    });
    if (result.error.empty() && !o.help && !assembles && (o.listingPath || o.printSymbols))
        result.error = "--listing and --symbols describe an assembly: add --asm FILE";
    return result;
}

}  // namespace orlan::cli
