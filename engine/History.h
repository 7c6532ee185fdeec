// The tact history behind step back: what every tact changed, newest last, in a bounded ring.
//
// CCommands opens a record before each execute-one-tact operation and closes it after; the
// record keeps the machine's small part (everything but memory: registers, buffers, texts as
// numbers, highlights, lamps, counters, the halt lamp) as it stood, the engine's opcode in
// progress, and, through Machine::writeMemory, the old value of every cell the tact wrote.
// Undoing a record puts all of that back, so the whole MachineState compares equal to what it
// was. Device outputs are not taken back; a record only says that its tact made one.
// When the ring is full the oldest tacts are dropped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <type_traits>

#include "Machine.h"

namespace orlan {

class History {
public:
    // The part of MachineState a tact copies whole: it sits after the memory array.
    static constexpr size_t kSmallOffset = offsetof(MachineState, reg);
    static constexpr size_t kSmallSize = sizeof(MachineState) - kSmallOffset;

    static constexpr size_t kDefaultTacts = size_t{1} << 20;  // a little over 1 000 000

    // tacts: how many tacts are kept; memory writes get as many slots (a tact writes at most one
    // cell, so only a program of nothing but writes loses tacts earlier).
    explicit History(size_t tacts = kDefaultTacts);

    // What one undone tact tells its caller.
    struct Undone {
        int16_t opcode;      // the engine's instruction in progress before the tact
        bool counted;        // the tact was counted by the engine (not only the halt question)
        bool crossedOutput;  // the tact sent a byte to a device, which stays sent
    };

    // --- recording (CCommands and Machine) ---
    void beginTact(const MachineState& s, int16_t opcode, bool counted) {
        if (count_ == tactCapacity_) dropOldest();
        Record& r = records_[(first_ + count_) % tactCapacity_];
        std::memcpy(r.small, reinterpret_cast<const unsigned char*>(&s) + kSmallOffset, kSmallSize);
        r.opcode = opcode;
        r.writes = 0;
        r.flags = counted ? kCounted : 0;
        ++count_;
        open_ = true;
    }
    void endTact() { open_ = false; }
    // The cell is about to change. Outside a tact it is an edit by hand (a file, the memory
    // view, the assembler): the tacts before it can no longer be undone exactly.
    void noteWrite(uint16_t address, uint8_t oldValue) {
        if (!open_) {
            clear();
            return;
        }
        if (writeCount_ == writeCapacity_) dropOldestWrites();
        writes_[(firstWrite_ + writeCount_) % writeCapacity_] = static_cast<uint32_t>(address) << 8 | oldValue;
        ++writeCount_;
        ++records_[(first_ + count_ - 1) % tactCapacity_].writes;
    }
    void noteOutput() {
        if (open_) records_[(first_ + count_ - 1) % tactCapacity_].flags |= kOutput;
    }

    // --- stepping back ---
    size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    size_t capacity() const { return tactCapacity_; }
    // Puts the machine back to where it stood before the newest tact and forgets that tact.
    // The change marks are set so that every view catches up. Call only when not empty.
    Undone undo(Machine& m);
    void clear();
    // Copies the machine's small part as it stood before the tact `back` tacts ago (1 = the newest
    // recorded tact) into `into`; memory is left alone. Call only with 1 <= back <= size().
    void stateBefore(size_t back, MachineState& into) const {
        const Record& r = records_[(first_ + count_ - back) % tactCapacity_];
        std::memcpy(reinterpret_cast<unsigned char*>(&into) + kSmallOffset, r.small, kSmallSize);
    }

    // The memory the ring takes when full.
    size_t bytesWhenFull() const { return tactCapacity_ * sizeof(Record) + writeCapacity_ * sizeof(uint32_t); }

private:
    static constexpr uint8_t kCounted = 1, kOutput = 2;
    struct Record {
        unsigned char small[kSmallSize];
        int16_t opcode;
        uint8_t writes;
        uint8_t flags;
    };
    static_assert(std::is_trivially_copyable_v<MachineState> && std::is_standard_layout_v<MachineState>);
    static_assert(offsetof(MachineState, memory) == 0, "the small part must be everything after memory");

    void dropOldest();
    void dropOldestWrites();

    size_t tactCapacity_, writeCapacity_;
    // Not value-initialised: pages are taken from the system only as the history grows.
    std::unique_ptr<Record[]> records_;
    std::unique_ptr<uint32_t[]> writes_;  // address << 8 | old value
    size_t first_ = 0, count_ = 0;
    size_t firstWrite_ = 0, writeCount_ = 0;
    bool open_ = false;
};

}  // namespace orlan
