#include "Runner.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>
#include <type_traits>

#include "Assembler.h"
#include "Disassembler.h"
#include "SafeFile.h"
#include "Timing.h"
#include "Files.h"
#include "Notation.h"
#if ORLAN_CLI_EXPORT
#include "Exporting.h"
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

}  // namespace

void reportError(const std::string& message) {
    std::fflush(stdout);
    std::string line = "orlan-cli: ";
    for (char ch : message) line += (ch == '\n' || ch == '\r') ? ' ' : ch;
    line += '\n';
    writeStderr(line);
}

std::string outputError(int error) {
    return std::string("cannot write standard output: ") +
           (error != 0 ? std::strerror(error) : "write error");
}

// ---------------------------------------------------------------------------------------------

bool RunnerHost::showMessage(const MessageBox& box) {
    if (record && box.id != MessageId::HaltStop) record->msg.push_back(box.title);
    std::string text = box.title;
    text += '\n';
    text += box.text;
    text += '\n';
    if (text == last_) {
        ++repeats_;
        return false;
    }
    endRepeats();
    write(text);
    last_ = std::move(text);
    return false;
}

void RunnerHost::endRepeats() {
    if (repeats_ > 0)
        write("(the message above " + std::to_string(repeats_) + " more time" +
              (repeats_ == 1 ? "" : "s") + ")\n");
    repeats_ = 0;
    last_.clear();
}

void RunnerHost::write(const std::string& text) {
    if (deferOutput) {
        pending_ += text;
    } else {
        std::fflush(stdout);
        writeStderr(text);
    }
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
    : options_(options), machine_(std::make_unique<Machine>()), cpu_(*machine_, host_, ports_) {
    for (uint16_t a : options_.breakpoints) breakpoints_.set(a, true);
    if (!breakpoints_.empty()) cpu_.setBreakpoints(&breakpoints_);
}

Runner::~Runner() {
    for (auto& [path, f] : openFiles_) std::fclose(f);
}

int Runner::run() {
    // Every file the invocation writes is checked before any is created: a refused invocation
    // leaves nothing behind.
    if (!checkOutputs()) return 2;
    if (!applySettings()) return 2;
    if (!openPortFiles()) return 2;

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

    const bool wantsHistory =
        options_.timingPath || std::any_of(options_.executions.begin(), options_.executions.end(),
                                           [](const Execution& e) { return e.kind == Execution::Kind::Back; });
    if (wantsHistory) {
        history_ = std::make_unique<History>();
        cpu_.setHistory(history_.get());
    }
    bool backedOut = false;
    for (const Execution& e : options_.executions) {
        if (traceFailed()) break;
        backedOut = !execute(e);
        host_.endRepeats();
        if (backedOut) break;
    }
    host_.flush();
    if (std::fflush(stdout) != 0 && traceError_ == 0) traceError_ = errno != 0 ? errno : EIO;

    if (options_.disassembly && !traceFailed()) {
        const std::string text = asm8080::disassemble(machine_->s.memory.data(),
                                                      options_.disassembly->from,
                                                      options_.disassembly->to);
        if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() ||
            std::fflush(stdout) != 0)
            traceError_ = errno != 0 ? errno : EIO;
    }

    bool ok = closePortFiles();
    // A step back past the history's start said so; the rest of the invocation is not run.
    if (backedOut) return 2;
    if (traceFailed()) {
        // The run stopped where the trace did: its state is no result worth saving.
        reportError(outputError(traceError_));
        return 2;
    }
    if (options_.savePath) {
        const SaveResult saved = writeFileSafely(*options_.savePath, stateImage(*machine_));
        if (!saved.ok()) {
            reportError("--save: cannot write " + shownName(*options_.savePath) + " (" +
                        std::string(describe(saved.error)) + ")");
            ok = false;
        }
    }
    if (options_.timingPath) {
        const std::string svg = timingSvg(timingSamples(history_.get(), machine_->s));
        const SaveResult saved = writeFileSafely(
            *options_.timingPath,
            std::span(reinterpret_cast<const uint8_t*>(svg.data()), svg.size()));
        if (!saved.ok()) {
            reportError("--timing: cannot write " + shownName(*options_.timingPath) + " (" +
                        std::string(describe(saved.error)) + ")");
            ok = false;
        }
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

bool Runner::checkOutputs() const {
    auto refused = [](const char* option, const std::string& path) {
        const SaveResult r = checkWritable(path);
        if (r.ok()) return false;
        reportError(std::string(option) + ": cannot write " + shownName(path) + " (" +
                    std::string(describe(r.error)) + ")");
        return true;
    };
    for (const PortOutput& p : options_.portOutputs)
        if (refused("--port-out", p.path)) return false;
    for (const ExportFile& e : options_.exports)
        if (refused("--export", e.path)) return false;
    if (options_.listingPath && refused("--listing", *options_.listingPath)) return false;
    if (options_.timingPath && refused("--timing", *options_.timingPath)) return false;
    return !(options_.savePath && refused("--save", *options_.savePath));
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
                } else if constexpr (std::is_same_v<T, AsmSetting>) {
                    ok = assembleSource(s.path);
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

bool Runner::assembleSource(const std::string& path) {
    std::error_code ec;
    std::ifstream in(path, std::ios::binary);
    if (!in || fs::is_directory(path, ec)) {
        reportError(readError("--asm", path, fs::exists(path) ? FileError::CannotRead
                                                              : FileError::NotFound));
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) {
        reportError(readError("--asm", path, FileError::CannotRead));
        return false;
    }
    const asm8080::AssemblyResult r = asm8080::assemble(text.str(), path);
    // Compiler-style lines, exactly as the assembler words them: no "orlan-cli: " before them.
    std::fflush(stdout);
    for (const asm8080::Diagnostic& d : r.warnings)
        writeStderr(asm8080::formatDiagnostic(d, true) + "\n");
    for (const asm8080::Diagnostic& d : r.errors) writeStderr(asm8080::formatDiagnostic(d) + "\n");
    if (!r.ok()) return false;

    Machine& m = *machine_;
    for (unsigned a = 0; a < 65536; ++a)
        if (r.written[a]) m.writeMemory(static_cast<uint16_t>(a), r.image[a]);
    m.movePC(r.start);

    if (options_.listingPath) {
        const std::vector<uint8_t> bytes(r.listing.begin(), r.listing.end());
        const SaveResult saved = writeFileSafely(*options_.listingPath, bytes);
        if (!saved.ok()) {
            reportError("--listing: cannot write " + shownName(*options_.listingPath) + " (" +
                        std::string(describe(saved.error)) + ")");
            return false;
        }
    }
    if (options_.printSymbols) {
        std::string table;
        for (const auto& [name, value] : r.symbols) {
            std::string line = name;
            line.resize(std::max<size_t>(line.size() + 1, 16), ' ');
            table += line + formatWord(value) + "\n";
        }
        if (std::fwrite(table.data(), 1, table.size(), stdout) != table.size()) {
            reportError(outputError(errno));
            return false;
        }
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
            std::error_code ec;
            const bool existed = fs::exists(p.path, ec);
            f = std::fopen(p.path.c_str(), "ab");
            if (!f) {
                reportError("--port-out: cannot open " + shownName(p.path) + " for writing");
                // Checked writable a moment ago: whatever this invocation created goes again.
                for (auto& [path, open] : openFiles_) std::fclose(open);
                for (const std::string& path : created_) fs::remove(path, ec);
                openFiles_.clear();
                return false;
            }
            if (!existed) created_.push_back(p.path);
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

bool Runner::execute(const Execution& e) {
    switch (e.kind) {
        case Execution::Kind::Back:
            return back(e.count);
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
    return true;
}

// All or nothing: a count past the history's start leaves the machine where it stands.
bool Runner::back(uint64_t n) {
    if (n > history_->size()) {
        host_.flush();
        reportError("--back " + std::to_string(n) + ": only " + std::to_string(history_->size()) +
                    " tacts to step back");
        return false;
    }
    for (uint64_t i = 0; i < n; ++i) cpu_.stepBackTact();
    if (tracer_) t_ -= n;  // t counts the traced tacts only
    return true;
}

void Runner::beginTact() {
    record_.clear();
    tracer_->beforeTact(cpu_, *machine_);
}

void Runner::endTact() {
    tracer_->afterTact(++t_, cpu_, *machine_, record_);
    host_.flush();
    // A full disk or a closed pipe: millions of lines more would go nowhere.
    if (traceError_ == 0 && std::ferror(stdout)) traceError_ = errno != 0 ? errno : EIO;
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
    for (uint64_t i = 0; i < n && !traceFailed(); ++i) tracedTact();
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
            if (onlyTheQuestion || traceFailed()) return;
        } while (cpu_.instructionInProgress());
    }
}

// Untraced, the engine runs the program in one go. Traced, the run is cut into runs of one tact
// each: the engine keeps deciding how a run ends (halt, undefined opcode, its messages) and the
// runner gets to write a line after every tact.
void Runner::runProgram() {
    if (!tracer_) {
        const RunEnd end = cpu_.toggleRun(options_.maxTacts);
        if (end == RunEnd::UndefinedOpcode) undefinedEndedRun_ = true;
        if (end == RunEnd::Breakpoint) reportBreakpointStop();
        return;
    }
    uint64_t left = options_.maxTacts;
    for (bool first = true;; first = false) {
        const uint64_t before = cpu_.tactCount();
        beginTact();
        const RunEnd end = cpu_.toggleRun(left > 0 ? 1 : 0, first);
        if (end == RunEnd::Breakpoint) {
            // The tact that finished the instruction before the breakpoint ran in this same call.
            if (cpu_.tactCount() != before) endTact();
            host_.flush();
            reportBreakpointStop();
            return;
        }
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
        if (end != RunEnd::TactLimit || left == 0 || traceFailed()) return;
    }
}

void Runner::reportBreakpointStop() {
    std::fflush(stdout);
    reportError("stopped at breakpoint " + formatWord(machine_->s.pc));
}

}  // namespace orlan::cli
