// The command line of orlan-cli, parsed and checked as a whole before anything runs: a bad
// argument must stop the runner before the first tact.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace orlan::cli {

// The registers --set can write: the register panel's set.
enum class PanelRegister : uint8_t { A, B, C, D, E, H, L, W, Z, SP, PC };

struct StateSetting {
    std::string path;
};
struct PokeSetting {
    uint16_t address;
    std::vector<uint8_t> bytes;
};
struct LoadSetting {
    uint16_t address;
    std::string path;
};
struct RegisterSetting {
    PanelRegister reg;
    uint16_t value;
};
struct FlagsSetting {
    uint8_t flags;
};
// An assembly source: its bytes go into memory and PC moves to its start address.
struct AsmSetting {
    std::string path;
};
// Applied in the order given.
using Setting = std::variant<StateSetting, PokeSetting, LoadSetting, RegisterSetting, FlagsSetting,
                             AsmSetting>;

struct Execution {
    enum class Kind : uint8_t { Tacts, Instructions, Run, Back } kind;
    uint64_t count = 0;  // unused for Run
};

struct PortOutput {
    uint8_t port;
    std::string path;
};

enum class TraceMode : uint8_t { None, Jsonl, Table };

// --export: the export dialog's three targets, written from the final state.
enum class ExportFormat : uint8_t { Xlsx, Odt, Txt };
struct ExportFile {
    ExportFormat format;
    std::string path;
};
struct ExportPageOption {
    std::string name;
    uint16_t from = 0x0000, to = 0xFFFF;
    bool address = false, value = false, mnemonic = false, comments = false;
};

struct Options {
    bool help = false;
    std::vector<Setting> settings;
    std::vector<Execution> executions;
    TraceMode trace = TraceMode::None;
    uint64_t maxTacts = 100000000;
    std::vector<uint16_t> breakpoints;  // --break: every --run stops before fetching there
    std::vector<PortOutput> portOutputs;
    std::optional<std::string> savePath;
    std::optional<std::string> timingPath;  // --timing: the diagram of the last tacts (SVG)
    std::vector<ExportFile> exports;      // at most one per format
    std::vector<ExportPageOption> pages;  // in order; none: the dialog's default page
    std::vector<PanelRegister> exportRegisters;
    std::optional<std::string> listingPath;  // --listing: the assembler's listing of --asm
    bool printSymbols = false;               // --symbols: the symbol table of --asm
    struct Range {
        uint16_t from, to;
    };
    std::optional<Range> disassembly;  // --disasm: source of the final memory, on standard output
};

struct ParseResult {
    Options options;
    std::string error;  // empty on success; otherwise one line saying what is wrong
};

ParseResult parseArguments(const std::vector<std::string_view>& args);

extern const std::string_view kUsage;

}  // namespace orlan::cli
