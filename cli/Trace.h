// The per-tact output of orlan-cli: JSON Lines for programs, a fixed-width table for people.
// The runner collects what a tact did besides changing the scheme (memory writes, device calls,
// message boxes) in a TactRecord and hands it over after the tact.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "Commands.h"
#include "Machine.h"

namespace orlan::cli {

struct DeviceCall {
    uint8_t port;
    uint8_t value;
};

struct TactRecord {
    std::vector<MemoryWrite> mem;
    std::vector<DeviceCall> out;
    std::vector<std::string> msg;

    void clear() {
        mem.clear();
        out.clear();
        msg.clear();
    }
};

// One trace line, without the line break, appended to `line`.
void appendJsonLine(std::string& line, uint64_t t, int opcode, const Machine& m,
                    const TactRecord& rec);

class TraceWriter {
  public:
    virtual ~TraceWriter() = default;
    virtual void start() {}
    // Called right before each tact, so a writer can note what the tact will change.
    virtual void beforeTact(const CCommands& cpu, const Machine& m) = 0;
    virtual void afterTact(uint64_t t, const CCommands& cpu, const Machine& m,
                           const TactRecord& rec) = 0;
};

std::unique_ptr<TraceWriter> makeJsonlWriter(std::FILE* out);
std::unique_ptr<TraceWriter> makeTableWriter(std::FILE* out);

// Terminal columns taken by a UTF-8 text (one per character).
size_t displayWidth(const std::string& text);

}  // namespace orlan::cli
