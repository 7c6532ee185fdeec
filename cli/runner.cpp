#include "runner.h"

#include <algorithm>

#include <filesystem>
#include <system_error>
#include <type_traits>

#include "files.h"
#include "notation.h"
#if ORLAN_CLI_EXPORT
#include "exporting.h"
#endif

namespace orlan::cli {

namespace fs = std::filesystem;

namespace {

std::string shownName(const std::string& text) {
    std::string out = "\"";
    for (char ch : text) out += (static_cast<unsigned char>(ch) < 0x20 || ch == 0x7F) ? '?' : ch;
    out += '"';
    return out;
}

void writeStderr(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stderr);
}

std::string readError(std::string_view option, const std::string& path, FileError e) {
    std::string head = std::string(option) + ": ";
    switch (e) {
        case FileError::NotFound:
            return head + "file not found: " + shownName(path);
        case FileError::WrongSize:
            return head + shownName(path) + " is not a state file (it must be exactly " +
                   std::to_string(kStateFileSize) + " bytes long)";
        default:
            return head + "cannot read " + shownName(path);
    }
}

// The save and the exports happen after the run, but a path that can never be written must stop
// the runner before the first tact. Checks what the save itself needs: no folder or
// write-protected file in the way, and a temporary file can be created beside the target.
bool saveLooksPossible(const std::string& path) {
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);
    if (fs::is_directory(st)) return false;
    if (fs::exists(st) && (st.permissions() & (fs::perms::owner_write | fs::perms::group_write |
                                               fs::perms::others_write)) == fs::perms::none)
        return false;
    const std::string probe = path + ".orlan-tmp";
    const bool probeExisted = fs::exists(probe, ec);
    std::FILE* f = std::fopen(probe.c_str(), "ab");
    if (!f) return false;
    std::fclose(f);
    if (!probeExisted) fs::remove(probe, ec);
    return true;
}

}  // namespace

void reportError(const std::string& message) {
    std::fflush(stdout);
    std::string line = "orlan-cli: ";
    for (char ch : message) line += (ch == '\n' || ch == '\r') ? ' ' : ch;
    line += '\n';
    writeStderr(line);
}

// ---------------------------------------------------------------------------------------------

bool RunnerHost::showMessage(const MessageBox& box) {
    if (record && box.id != MessageId::HaltStop) record->msg.push_back(box.title);
    std::string text = box.title;
    text += '\n';
    text += box.text;
    text += '\n';
    if (deferOutput) {
        pending_ += text;
    } else {
        std::fflush(stdout);
        writeStderr(text);
    }
    return false;
}

void RunnerHost::flush() {
    if (pending_.empty()) return;
    std::fflush(stdout);
    writeStderr(pending_);
    pending_.clear();
}

void RunnerPorts::output(Device device, uint8_t value) {
    const auto port = static_cast<uint8_t>(device);
    if (record) record->out.push_back({port, value});
    if (port < kDeviceCount)
        for (std::FILE* f : files[port]) std::fputc(value, f);
}

// ---------------------------------------------------------------------------------------------

Runner::Runner(const Options& options)
    : options_(options), machine_(std::make_unique<Machine>()), cpu_(*machine_, host_, ports_) {}

Runner::~Runner() {
    for (auto& [path, f] : openFiles_) std::fclose(f);
}

int Runner::run() {
    if (!applySettings()) return 2;
    if (!openPortFiles()) return 2;
    if (options_.savePath && !saveLooksPossible(*options_.savePath)) {
        reportError("--save: cannot write " + shownName(*options_.savePath));
        return 2;
    }
    for (const ExportFile& e : options_.exports)
        if (!saveLooksPossible(e.path)) {
            reportError("--export: cannot write " + shownName(e.path));
            return 2;
        }

    switch (options_.trace) {
        case TraceMode::None:
            break;
        case TraceMode::Jsonl:
            tracer_ = makeJsonlWriter(stdout);
            break;
        case TraceMode::Table:
            tracer_ = makeTableWriter(stdout);
            break;
    }
    if (tracer_) {
        machine_->writeLog = &record_.mem;
        ports_.record = &record_;
        host_.record = &record_;
        host_.deferOutput = true;
        tracer_->start();
    }

    for (const Execution& e : options_.executions) execute(e);
    host_.flush();
    std::fflush(stdout);

    bool ok = closePortFiles();
    if (options_.savePath && saveStateFile(*options_.savePath, *machine_) != FileError::None) {
        reportError("--save: cannot write " + shownName(*options_.savePath));
        ok = false;
    }
    if (!options_.exports.empty()) {
#if ORLAN_CLI_EXPORT
        if (!writeExports(machine_->s, options_)) ok = false;
#else
        reportError("--export: this orlan-cli was built without Qt and cannot export");
        ok = false;
#endif
    }
    if (!ok) return 2;
    return undefinedEndedRun_ ? 1 : 0;
}

bool Runner::applySettings() {
    Machine& m = *machine_;
    for (const Setting& setting : options_.settings) {
        bool ok = true;
        std::visit(
            [&](const auto& s) {
                using T = std::decay_t<decltype(s)>;
                if constexpr (std::is_same_v<T, StateSetting>) {
                    if (FileError e = loadStateFile(s.path, m); e != FileError::None) {
                        reportError(readError("--state", s.path, e));
                        ok = false;
                    }
                } else if constexpr (std::is_same_v<T, PokeSetting>) {
                    uint16_t a = s.address;
                    for (uint8_t b : s.bytes) m.writeMemory(a++, b);  // wraps past FFFF
                } else if constexpr (std::is_same_v<T, LoadSetting>) {
                    if (FileError e = loadSubprogram(s.path, s.address, m); e != FileError::None) {
                        if (e == FileError::TooLarge)
                            reportError("--load: " + shownName(s.path) + " does not fit between " +
                                        formatWord(s.address) + " and FFFF");
                        else
                            reportError(readError("--load", s.path, e));
                        ok = false;
                    }
                } else if constexpr (std::is_same_v<T, RegisterSetting>) {
                    const auto byte = static_cast<uint8_t>(s.value);
                    switch (s.reg) {
                        case PanelRegister::A:
                            m.s.reg[A] = byte;
                            break;
                        case PanelRegister::B:
                            m.s.reg[B] = byte;
                            break;
                        case PanelRegister::C:
                            m.s.reg[C] = byte;
                            break;
                        case PanelRegister::D:
                            m.s.reg[D] = byte;
                            break;
                        case PanelRegister::E:
                            m.s.reg[E] = byte;
                            break;
                        case PanelRegister::H:
                            m.s.reg[H] = byte;
                            break;
                        case PanelRegister::L:
                            m.s.reg[L] = byte;
                            break;
                        case PanelRegister::W:
                            m.s.w = byte;
                            break;
                        case PanelRegister::Z:
                            m.s.z = byte;
                            break;
                        case PanelRegister::SP:
                            m.setSP(s.value);
                            break;
                        case PanelRegister::PC:
                            m.movePC(s.value);
                            break;
                    }
                } else if constexpr (std::is_same_v<T, FlagsSetting>) {
                    m.s.flags = s.flags;
                    m.setLamp(Lamp::S, s.flags & flag::S);
                    m.setLamp(Lamp::Z, s.flags & flag::Z);
                    m.setLamp(Lamp::AC, s.flags & flag::AC);
                    m.setLamp(Lamp::P, s.flags & flag::P);
                    m.setLamp(Lamp::C, s.flags & flag::C);
                }
            },
            setting);
        if (!ok) return false;
    }
    return true;
}

bool Runner::openPortFiles() {
    for (const PortOutput& p : options_.portOutputs) {
        // Two ports may share a file: one stream keeps their bytes in order.
        std::FILE* f = nullptr;
        for (auto& [path, open] : openFiles_)
            if (path == p.path) f = open;
        if (!f) {
            f = std::fopen(p.path.c_str(), "ab");
            if (!f) {
                reportError("--port-out: cannot open " + shownName(p.path) + " for writing");
                return false;
            }
            openFiles_.emplace_back(p.path, f);
        }
        // Ports past 04h reach no device: their file is created but never written.
        // The same file named twice for a port still gets each byte once.
        if (p.port < kDeviceCount) {
            auto& files = ports_.files[p.port];
            if (std::find(files.begin(), files.end(), f) == files.end()) files.push_back(f);
        }
    }
    return true;
}

bool Runner::closePortFiles() {
    bool ok = true;
    for (auto& [path, f] : openFiles_) {
        const bool failed = std::ferror(f) != 0;
        if (std::fclose(f) != 0 || failed) {
            reportError("--port-out: cannot write " + shownName(path));
            ok = false;
        }
    }
    openFiles_.clear();
    for (auto& list : ports_.files) list.clear();
    return ok;
}

void Runner::execute(const Execution& e) {
    switch (e.kind) {
        case Execution::Kind::Tacts:
            tacts(e.count);
            break;
        case Execution::Kind::Instructions:
            instructions(e.count);
            break;
        case Execution::Kind::Run:
            runProgram();
            break;
    }
}

void Runner::beginTact() {
    record_.clear();
    tracer_->beforeTact(cpu_, *machine_);
}

void Runner::endTact() {
    tracer_->afterTact(++t_, cpu_, *machine_, record_);
    host_.flush();
}

void Runner::tracedTact() {
    beginTact();
    cpu_.executeTact();
    endTact();
}

void Runner::tacts(uint64_t n) {
    if (!tracer_) {
        for (uint64_t i = 0; i < n; ++i) cpu_.executeTact();
        return;
    }
    for (uint64_t i = 0; i < n; ++i) tracedTact();
}

// An instruction begun while halted is only the halt question; the option ends there.
void Runner::instructions(uint64_t n) {
    for (uint64_t i = 0; i < n; ++i) {
        if (!tracer_) {
            const bool wasHalted = cpu_.halted();
            cpu_.executeInstruction();
            if (wasHalted || cpu_.instructionInProgress()) return;
            continue;
        }
        // The engine's execute-instruction, one traced tact at a time.
        do {
            const bool onlyTheQuestion = cpu_.halted();
            tracedTact();
            if (onlyTheQuestion) return;
        } while (cpu_.instructionInProgress());
    }
}

// Untraced, the engine runs the program in one go. Traced, the run is cut into runs of one tact
// each: the engine keeps deciding how a run ends (halt, undefined opcode, its messages) and the
// runner gets to write a line after every tact.
void Runner::runProgram() {
    if (!tracer_) {
        if (cpu_.toggleRun(options_.maxTacts) == RunEnd::UndefinedOpcode) undefinedEndedRun_ = true;
        return;
    }
    uint64_t left = options_.maxTacts;
    for (;;) {
        const uint64_t before = cpu_.tactCount();
        beginTact();
        const RunEnd end = cpu_.toggleRun(left > 0 ? 1 : 0);
        if (cpu_.tactCount() != before) {
            endTact();
            --left;
        } else {
            host_.flush();  // a run started halted: only the halt message
        }
        if (end == RunEnd::UndefinedOpcode) {
            undefinedEndedRun_ = true;
            return;
        }
        if (end != RunEnd::TactLimit || left == 0) return;
    }
}

}  // namespace orlan::cli
