// Stack transfers: the tact tables of these families.
// SP designates the next free cell: a push stores the high byte at SP and the low byte at SP - 1,
// a pop reads the low byte at SP + 1 and the high byte at SP + 2.
#include "../Commands.h"

namespace orlan {

namespace {
constexpr uint8_t kPSW = 3;  // pair code of PSW in PUSH and POP
}

Element CCommands::stackElement(uint8_t pair, bool high) {
    if (pair == kPSW) return high ? Element::RegA_Val : Element::Flags_Reg;
    return regElement(high ? pairHigh(pair) : pairLow(pair));
}

uint8_t CCommands::stackByte(uint8_t pair, bool high) const {
    if (pair == kPSW) return high ? m.s.reg[A] : m.s.flags;
    return m.s.reg[high ? pairHigh(pair) : pairLow(pair)];
}

void CCommands::popByte(uint8_t pair, bool high, uint8_t v) {
    if (pair != kPSW) {
        setReg(high ? pairHigh(pair) : pairLow(pair), v);
        return;
    }
    if (high) {
        setReg(A, v);
        return;
    }
    // All eight bits land in the flag register, the fixed positions 5, 3 and 1 included.
    m.s.flags = v;
    m.setLamp(Lamp::S, v & flag::S);
    m.setLamp(Lamp::Z, v & flag::Z);
    m.setLamp(Lamp::AC, v & flag::AC);
    m.setLamp(Lamp::P, v & flag::P);
    m.setLamp(Lamp::C, v & flag::C);
    m.red(bit(Element::Flags_Reg));
}

void CCommands::PUSH(uint8_t pair) {
    using E = Element;
    switch (tact()) {
        case 4:
            decodeTact();
            break;
        case 5:
            clearIncrementer();
            address(m.s.sp);  // Cycle_Num still shows cycle 1
            break;
        case 6:
            m.green(bit(E::Addr_Buf));
            m.s.dataBuf = stackByte(pair, true);
            m.red(bit(E::Data_Buf));
            showCycle(CycleType::StackWrite);
            m.writeMemory(m.s.sp, m.s.dataBuf);
            cycle(2);
            break;
        case 7:
            m.green(els(E::Cycle_Num, E::Data_Buf, E::Status_Reg, E::PSW_Label));
            m.setSP(m.s.sp - 1);  // the incrementer mark stays empty
            break;
        case 8:
            m.green(bit(E::SP_Val));
            address(m.s.sp);
            break;
        case 9:
            m.green(bit(E::Addr_Buf));
            m.s.dataBuf = stackByte(pair, false);
            m.red(bit(E::Data_Buf));
            showCycle(CycleType::StackWrite);
            m.writeMemory(m.s.sp, m.s.dataBuf);
            cycle(3);
            break;
        case 10:
            m.green(els(E::Cycle_Num, E::Data_Buf, E::Status_Reg, E::PSW_Label));
            m.setSP(m.s.sp - 1);  // SP_Val stays red
            end();
            break;
    }
}

void CCommands::POP(uint8_t pair) {
    using E = Element;
    switch (tact()) {
        case 4:
            decodeTact();
            break;
        case 5:
            m.s.incMark = IncMark::Plus;
            m.green(bit(E::PC_Val));
            m.setSP(m.s.sp + 1);
            break;
        case 6:
            m.s.incMark = IncMark::None;
            m.green(bit(E::SP_Val));
            address(m.s.sp);
            cycle(2);
            break;
        case 7:
            m.green(els(E::Addr_Buf, E::Cycle_Num));
            memoryRead(CycleType::StackRead);  // at SP, which Addr_Buf holds
            break;
        case 8:
            endBusCycle();
            popByte(pair, false, m.s.dataBuf);
            m.setSP(m.s.sp + 1);
            m.s.incMark = IncMark::Plus;
            break;
        case 9:
            m.s.incMark = IncMark::None;
            m.green(bit(E::SP_Val));
            m.green(bit(stackElement(pair, false)));
            address(m.s.sp);
            cycle(3);
            break;
        case 10:
            m.green(els(E::Addr_Buf, E::Cycle_Num));
            memoryRead(CycleType::StackRead);  // at SP, which Addr_Buf holds
            break;
        case 11:
            endBusCycle();
            popByte(pair, true, m.s.dataBuf);
            end();
            break;
    }
}

// H:L and the word on top of the stack trade places; W carries the old top's low byte (the new
// L), Z its high byte (the new H). SP goes up twice and down twice.
void CCommands::XTHL() {
    using E = Element;
    switch (tact()) {
        case 4:
            decodeTact();
            m.setSP(m.s.sp + 1);
            break;
        case 5:
            m.green(els(E::PC_Val, E::SP_Val));
            m.s.incMark = IncMark::None;
            address(m.s.sp);
            cycle(2);
            break;
        case 6:
            m.green(els(E::Addr_Buf, E::Cycle_Num));
            memoryRead(CycleType::StackRead);  // at SP, which Addr_Buf holds
            break;
        case 7:
            endBusCycle();
            m.s.w = m.s.dataBuf;
            m.red(bit(E::RegW_Val));
            m.s.incMark = IncMark::Plus;
            m.setSP(m.s.sp + 1);
            break;
        case 8:
            m.green(els(E::RegW_Val, E::SP_Val));
            m.s.incMark = IncMark::None;
            address(m.s.sp);
            cycle(3);
            break;
        case 9:
            m.green(els(E::Addr_Buf, E::Cycle_Num));
            memoryRead(CycleType::StackRead);  // at SP, which Addr_Buf holds
            break;
        case 10:
            endBusCycle();
            m.s.z = m.s.dataBuf;
            m.red(bit(E::RegZ_Val));
            break;
        case 11:
            m.green(bit(E::RegZ_Val));
            address(m.s.sp);
            cycle(4);
            break;
        case 12:
            m.green(els(E::Cycle_Num, E::Addr_Buf));
            showCycle(CycleType::StackWrite);
            m.s.dataBuf = m.s.reg[H];
            m.red(bit(E::Data_Buf));
            m.writeMemory(m.s.addrBuf, m.s.dataBuf);
            break;
        case 13:
            endBusCycle();
            m.s.incMark = IncMark::Minus;
            m.setSP(m.s.sp - 1);
            break;
        case 14:
            m.green(els(E::SP_Val, E::PC_Val));
            m.s.incMark = IncMark::None;
            address(m.s.sp);
            cycle(5);
            break;
        case 15:
            m.green(els(E::Cycle_Num, E::Addr_Buf));
            showCycle(CycleType::StackWrite);
            m.s.dataBuf = m.s.reg[L];
            m.red(bit(E::Data_Buf));
            m.writeMemory(m.s.addrBuf, m.s.dataBuf);
            break;
        case 16:
            endBusCycle();
            m.s.incMark = IncMark::Minus;
            m.setSP(m.s.sp - 1);
            setReg(H, m.s.z);
            break;
        case 17:
            m.green(bit(E::SP_Val));
            m.s.incMark = IncMark::None;
            m.green(bit(E::RegH_Val));
            setReg(L, m.s.w);
            end();
            break;
    }
}

}  // namespace orlan
