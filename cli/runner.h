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
#include "host.h"
#include "machine.h"
#include "options.h"
#include "trace.h"

namespace orlan::cli {

// Message boxes go to standard error; every question is answered "No". While tracing, a box's
// title joins the tact's record and its text waits until the tact's line is out, so the two
// streams read in order on one terminal. The halt message that ends a run is no part of a tact.
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

  private:
    std::string pending_;
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
    bool applySettings();
    bool openPortFiles();
    bool closePortFiles();
    void execute(const Execution& e);
    void tacts(uint64_t n);
    void instructions(uint64_t n);
    void runProgram();
    void tracedTact();
    void beginTact();
    void endTact();

    const Options& options_;
    std::unique_ptr<Machine> machine_;
    RunnerHost host_;
    RunnerPorts ports_;
    CCommands cpu_;
    std::unique_ptr<TraceWriter> tracer_;
    TactRecord record_;
    uint64_t t_ = 0;
    bool undefinedEndedRun_ = false;
    std::vector<std::pair<std::string, std::FILE*>> openFiles_;
};

// Prints "orlan-cli: <message>" as one line on standard error.
void reportError(const std::string& message);

}  // namespace orlan::cli
