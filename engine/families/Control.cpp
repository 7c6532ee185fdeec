// Jumps, calls, returns and restarts: the tact tables of these families.
//
// Z and W hold the target (Z the low byte, read first); the new PC is W:Z. The stack pointer
// designates the next free cell: a push writes the high byte at SP and the low byte at SP - 1.
#include "../Commands.h"

namespace orlan {

void CCommands::pushByte(uint8_t value) {
    using E = Element;
    m.setSP(m.s.sp - 1);
    m.s.incMark = IncMark::Minus;
    showCycle(CycleType::StackWrite);
    m.s.dataBuf = value;
    m.red(bit(E::Data_Buf));
    m.writeMemory(m.s.addrBuf, m.s.dataBuf);  // Addr_Buf still holds the SP before the decrement
}

// ---------------------------------------------------------------------------------------------
// JMP and the conditional jumps: both operand bytes are read whatever the condition.

void CCommands::jumpTacts(bool met) {
    using E = Element;
    switch (tact()) {
        case 4:
            decodeTact();
            break;
        case 5:
            clearIncrementer();
            address(m.s.pc);
            cycle(2);
            break;
        case 6:
            m.green(els(E::Cycle_Num, E::Addr_Buf));
            memoryRead();  // at PC, which Addr_Buf holds
            break;
        case 7:
            endBusCycle();
            if (met) {
                m.s.z = m.s.dataBuf;
                m.red(bit(E::RegZ_Val));
            }
            advancePC();
            break;
        case 8:
            m.green(els(E::RegZ_Val, E::PC_Val));
            m.s.incMark = IncMark::None;
            address(m.s.pc);
            cycle(3);
            break;
        case 9:
            m.green(els(E::Addr_Buf, E::Cycle_Num));
            memoryRead();  // at PC, which Addr_Buf holds
            break;
        case 10:
            endBusCycle();
            if (met) {
                m.s.w = m.s.dataBuf;
                m.red(bit(E::RegW_Val));
                m.setPC(m.wz());
            } else {
                advancePC();  // past the instruction
            }
            end();
            break;
    }
}

void CCommands::JMP() { jumpTacts(true); }

void CCommands::JumpIf(Lamp flagLamp, uint8_t selector) { jumpTacts(conditionMet(flagLamp, selector)); }

// ---------------------------------------------------------------------------------------------
// CALL and the conditional calls: the target is read into Z and W whatever the condition; a call
// not met ends after tact 10 with nothing pushed.

void CCommands::callTacts(bool met) {
    using E = Element;
    switch (tact()) {
        case 4:
            decodeTact();
            break;
        case 5:
            clearIncrementer();
            address(m.s.pc);
            cycle(2);
            break;
        case 6:
            m.green(els(E::Cycle_Num, E::Addr_Buf));
            memoryRead();  // at PC, which Addr_Buf holds
            break;
        case 7:
            endBusCycle();
            m.s.z = m.s.dataBuf;
            m.red(bit(E::RegZ_Val));
            advancePC();
            break;
        case 8:
            m.green(els(E::RegZ_Val, E::PC_Val));
            m.s.incMark = IncMark::None;
            address(m.s.pc);
            cycle(3);
            break;
        case 9:
            m.green(els(E::Addr_Buf, E::Cycle_Num));
            memoryRead();  // at PC, which Addr_Buf holds
            break;
        case 10:
            endBusCycle();
            m.s.w = m.s.dataBuf;
            m.red(bit(E::RegW_Val));
            advancePC();  // PC is now the return address
            if (met)
                address(m.s.sp);
            else
                end();
            break;
        case 11:
            // Still shown as cycle 3: the first stack write has no cycle number of its own.
            m.green(els(E::RegW_Val, E::PC_Val, E::Addr_Buf));
            pushByte(static_cast<uint8_t>(m.s.pc >> 8));
            break;
        case 12:
            m.s.incMark = IncMark::None;
            m.green(els(E::Status_Reg, E::PSW_Label, E::Data_Buf, E::SP_Val));
            address(m.s.sp);
            cycle(4);
            break;
        case 13:
            m.green(els(E::Addr_Buf, E::Cycle_Num));
            pushByte(static_cast<uint8_t>(m.s.pc & 0xFF));
            break;
        case 14:
            m.s.incMark = IncMark::None;
            m.green(els(E::Status_Reg, E::PSW_Label, E::Data_Buf, E::PC_Val));
            m.setPC(m.wz());
            m.green(bit(E::SP_Val));
            end();
            break;
    }
}

void CCommands::CALL() { callTacts(true); }

void CCommands::CallIf(Lamp flagLamp, uint8_t selector) { callTacts(conditionMet(flagLamp, selector)); }

// ---------------------------------------------------------------------------------------------
// RET and the conditional returns: a return not met ends with its decode tact.

void CCommands::returnTacts(bool met) {
    using E = Element;
    switch (tact()) {
        case 4:
            decodeTact();
            if (!met) end();
            break;
        case 5:
            m.green(bit(E::PC_Val));
            m.setSP(m.s.sp + 1);  // the "+1" of tact 4 stays shown
            cycle(2);
            break;
        case 6:
            m.s.incMark = IncMark::None;
            m.green(els(E::SP_Val, E::Cycle_Num));
            address(m.s.sp);
            break;
        case 7:
            m.green(bit(E::Addr_Buf));
            memoryRead(CycleType::StackRead);  // at SP, which Addr_Buf holds
            break;
        case 8:
            endBusCycle();
            m.setSP(m.s.sp + 1);
            m.s.incMark = IncMark::Plus;
            m.s.z = m.s.dataBuf;
            m.red(bit(E::RegZ_Val));
            cycle(3);
            break;
        case 9:
            m.green(els(E::SP_Val, E::Cycle_Num));
            m.s.incMark = IncMark::None;
            m.green(bit(E::RegZ_Val));
            address(m.s.sp);
            break;
        case 10:
            m.green(bit(E::Addr_Buf));
            memoryRead(CycleType::StackRead);  // at SP, which Addr_Buf holds
            break;
        case 11:
            endBusCycle();
            m.s.w = m.s.dataBuf;
            m.red(bit(E::RegW_Val));
            break;
        case 12:
            m.green(bit(E::RegW_Val));
            m.s.incMark = IncMark::None;
            m.setPC(m.wz());
            end();
            break;
    }
}

void CCommands::RET() { returnTacts(true); }

void CCommands::ReturnIf(Lamp flagLamp, uint8_t selector) { returnTacts(conditionMet(flagLamp, selector)); }

// ---------------------------------------------------------------------------------------------
// RST n: pushes the address after the one-byte instruction and continues at 8 * n.

void CCommands::RST(uint8_t n) {
    using E = Element;
    switch (tact()) {
        case 4:
            decodeTact();
            break;
        case 5:
            clearIncrementer();
            address(m.s.sp);
            cycle(2);
            break;
        case 6:
            m.green(els(E::Addr_Buf, E::Cycle_Num));
            pushByte(static_cast<uint8_t>(m.s.pc >> 8));
            break;
        case 7:
            m.s.incMark = IncMark::None;
            endBusCycle();
            address(m.s.sp);  // SP_Val stays red
            break;
        case 8:
            m.green(els(E::Addr_Buf, E::Cycle_Num));
            pushByte(static_cast<uint8_t>(m.s.pc & 0xFF));
            cycle(3);
            break;
        case 9:
            m.green(els(E::Cycle_Num, E::Status_Reg, E::PSW_Label, E::Data_Buf));
            m.s.incMark = IncMark::None;
            m.setPC(8u * n);
            end();
            break;
    }
}

// PCHL: PC := H:L in the decode tact; the incrementer is not used.
void CCommands::PCHL() {
    using E = Element;
    switch (tact()) {
        case 4:
            m.green(els(E::Cmd_DC, E::Cmd_Reg));
            m.setPC(m.hl());
            end();
            break;
    }
}

}  // namespace orlan
