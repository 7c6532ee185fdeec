#include "History.h"

#include "Commands.h"

namespace orlan {

History::History(size_t tacts)
    : tactCapacity_(tacts < 1 ? 1 : tacts),
      writeCapacity_(tactCapacity_),
      records_(new Record[tactCapacity_]),
      writes_(new uint32_t[writeCapacity_]) {}

void History::dropOldest() {
    const Record& r = records_[first_];
    firstWrite_ = (firstWrite_ + r.writes) % writeCapacity_;
    writeCount_ -= r.writes;
    first_ = (first_ + 1) % tactCapacity_;
    --count_;
}

void History::dropOldestWrites() {
    // Never the open tact itself: it was just begun and its writes are what is being kept.
    while (writeCount_ == writeCapacity_ && count_ > 1) dropOldest();
}

History::Undone History::undo(Machine& m) {
    open_ = false;
    const Record& r = records_[(first_ + count_ - 1) % tactCapacity_];
    // Newest write first, so a cell written twice in one tact ends at its oldest value.
    for (unsigned i = 0; i < r.writes; ++i) {
        const uint32_t w = writes_[(firstWrite_ + writeCount_ - 1) % writeCapacity_];
        --writeCount_;
        const auto address = static_cast<uint16_t>(w >> 8);
        m.s.memory[address] = static_cast<uint8_t>(w);
        m.changes.markMemory(address);
    }
    const uint16_t pcBefore = m.s.pc, spBefore = m.s.sp;
    const bool haltBefore = m.lamp(Lamp::HLDA);
    std::memcpy(reinterpret_cast<unsigned char*>(&m.s) + kSmallOffset, r.small, kSmallSize);
    if (m.s.pc != pcBefore) m.changes.pcMoved = true;
    if (m.s.sp != spBefore) m.changes.spChanged = true;
    if (m.lamp(Lamp::HLDA) != haltBefore) m.changes.haltChanged = true;
    const Undone done{r.opcode, (r.flags & kCounted) != 0, (r.flags & kOutput) != 0};
    --count_;
    return done;
}

void History::clear() {
    first_ = count_ = firstWrite_ = writeCount_ = 0;
    open_ = false;
}

}  // namespace orlan

// ---------------------------------------------------------------------------------------------
// CCommands: stepping back through the history

namespace orlan {

void CCommands::setHistory(History* history) {
    if (history_) history_->clear();
    history_ = history;
    m.history = history;
}

bool CCommands::canStepBack() const { return history_ && !history_->empty() && !running_; }

StepBack CCommands::stepBackTact() {
    StepBack result;
    if (!canStepBack()) return result;
    const History::Undone done = history_->undo(m);
    opcode_ = done.opcode;
    if (done.counted) --tacts_;
    result.tacts = 1;
    result.crossedOutput = done.crossedOutput;
    setEditing(!instructionInProgress());
    host_.setHaltItemEnabled(halted());
    return result;
}

StepBack CCommands::stepBackInstruction() {
    StepBack result;
    // At least one tact, then on until no instruction was in progress before the undone tact.
    do {
        const StepBack one = stepBackTact();
        if (one.tacts == 0) break;
        ++result.tacts;
        result.crossedOutput |= one.crossedOutput;
    } while (instructionInProgress());
    return result;
}

}  // namespace orlan
