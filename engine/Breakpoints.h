// Breakpoints: the rows before whose fetch a run stops, and the one-off target of "run to the
// cursor". They belong to the program being debugged, not to a file: opening a state file or
// resetting the machine leaves them alone. The window and the runner own one and hand it to
// CCommands, which asks stopsAt() before every fetch of a run.
#pragma once

#include <bitset>
#include <cstdint>
#include <optional>
#include <vector>

namespace orlan {

class Breakpoints {
public:
    void toggle(uint16_t address) { set_.flip(address); }
    void set(uint16_t address, bool on) { set_.set(address, on); }
    bool contains(uint16_t address) const { return set_.test(address); }
    void clear() { set_.reset(); }
    bool empty() const { return set_.none(); }
    // In ascending order.
    std::vector<uint16_t> addresses() const;

    // The row "run to the cursor" aims at; dropped when that run ends, however it ends.
    void setTarget(uint16_t address) { target_ = address; }
    void clearTarget() { target_.reset(); }
    std::optional<uint16_t> target() const { return target_; }

    bool stopsAt(uint16_t pc) const { return set_.test(pc) || target_ == pc; }

private:
    std::bitset<0x10000> set_;
    std::optional<uint16_t> target_;
};

}  // namespace orlan
