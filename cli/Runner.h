// The headless runner: a machine, an engine, and the runner's own Host and PortMap (message
// boxes to standard error, devices as records and raw files). Applies the settings, runs the
// execution options with or without a trace, and saves the state at the end.
#pragma once

#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "Commands.h"
#include "History.h"
#include "Host.h"
#include "Machine.h"
#include "Options.h"
#include "Trace.h"

namespace orlan::cli {

// Message boxes go to standard error; every question is answered "No". While tracing, a box's
// title joins the tact's record and its text waits until the tact's line is out, so the two
// streams read in order on one terminal. The halt message that ends a run is no part of a tact.
// A box shown again and again with nothing else between (the halt question of every tact while
// halted, an undefined opcode met every fourth tact) is written once, then counted.
class RunnerHost : public Host {
  public:
    TactRecord* record = nullptr;
    bool deferOutput = false;

    bool showMessage(const MessageBox& box) override;
    void setEditingEnabled(bool) override {}
    void setRunMode(bool) override {}
    void setHaltItemEnabled(bool) override {}
    void processPendingInput() override {}

    void flush();
    // Ends a run of repeated boxes: their count goes out now and the next box is written again.
    void endRepeats();

  private:
    void write(const std::string& text);

    std::string pending_;
    std::string last_;      // the last box written out, title and text
    uint64_t repeats_ = 0;  // shown again since, not written
};

// The devices of the runner: the trace's records and the --port-out files.
class RunnerPorts : public PortMap {
  public:
    TactRecord* record = nullptr;
    std::array<std::vector<std::FILE*>, kDeviceCount> files{};

    void output(Device device, uint8_t value) override;
};

class Runner {
  public:
    explicit Runner(const Options& options);
    ~Runner();
    Runner(const Runner&) = delete;
    Runner& operator=(const Runner&) = delete;

    // Runs the whole invocation; returns the exit status.
    int run();

  private:
    bool checkOutputs() const;
    bool applySettings();
    bool assembleSource(const std::string& path);
    bool openPortFiles();
    bool closePortFiles();
    bool execute(const Execution& e);
    bool back(uint64_t n);
    void tacts(uint64_t n);
    void instructions(uint64_t n);
    void runProgram();
    void reportBreakpointStop();
    void tracedTact();
    void beginTact();
    void endTact();
    bool traceFailed() const { return traceError_ != 0; }

    const Options& options_;
    std::unique_ptr<Machine> machine_;
    RunnerHost host_;
    RunnerPorts ports_;
    CCommands cpu_;
    Breakpoints breakpoints_;
    std::unique_ptr<History> history_;  // only when --back or --timing asks for one
    std::unique_ptr<TraceWriter> tracer_;
    TactRecord record_;
    uint64_t t_ = 0;
    bool undefinedEndedRun_ = false;
    int traceError_ = 0;  // why standard output refused the trace (errno); the run stops
    std::vector<std::pair<std::string, std::FILE*>> openFiles_;
    std::vector<std::string> created_;  // --port-out files that did not exist before
};

// Prints "orlan-cli: <message>" as one line on standard error.
void reportError(const std::string& message);

// The one line for standard output that refused what was written to it (a full disk, a closed
// pipe); error is the errno it gave.
std::string outputError(int error);

}  // namespace orlan::cli
