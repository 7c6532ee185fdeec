// Register-pair and memory transfers: the tact tables of these families.
// None of them touches a flag.
#include "../Commands.h"

namespace orlan {

namespace {
constexpr uint8_t kSP = 3;  // pair code of SP in LXI, INX, DCX
}

Element CCommands::pairElement(uint8_t pair, bool high) {
    if (pair == kSP) return Element::SP_Val;
    return regElement(high ? pairHigh(pair) : pairLow(pair));
}

void CCommands::loadPairByte(uint8_t pair, bool high, uint8_t v) {
    if (pair == kSP) {
        m.setSP(high ? (v << 8 | (m.s.sp & 0x00FF)) : ((m.s.sp & 0xFF00) | v));
        return;
    }
    setReg(high ? pairHigh(pair) : pairLow(pair), v);
}

void CCommands::addToPair(uint8_t pair, int delta) {
    if (pair == kSP) {
        m.setSP(m.s.sp + delta);
        return;
    }
    const uint16_t value = static_cast<uint16_t>(m.pair(pairHigh(pair), pairLow(pair)) + delta);
    setReg(pairHigh(pair), static_cast<uint8_t>(value >> 8));
    setReg(pairLow(pair), static_cast<uint8_t>(value));
}

void CCommands::LXI(uint8_t pair) {
    using E = Element;
    switch (tact()) {
        case 4:
            decodeTact();
            break;
        case 5:
            clearIncrementer();
            cycle(2);
            address(m.s.pc);
            break;
        case 6:
            m.green(els(E::Cycle_Num, E::Addr_Buf));
            memoryRead();
            loadPairByte(pair, false, m.s.dataBuf);
            break;
        case 7:
            endBusCycle();
            m.green(bit(pairElement(pair, false)));
            advancePC();
            break;
        case 8:
            clearIncrementer();
            cycle(3);
            address(m.s.pc);
            break;
        case 9:
            m.green(els(E::Cycle_Num, E::Addr_Buf));
            memoryRead();
            loadPairByte(pair, true, m.s.dataBuf);
            break;
        case 10:
            endBusCycle();
            m.green(bit(pairElement(pair, true)));
            advancePC();
            end();
            break;
    }
}

void CCommands::STAX(uint8_t pair) {
    using E = Element;
    switch (tact()) {
        case 4:
            decodeTact();
            break;
        case 5:
            clearIncrementer();
            address(m.pair(pairHigh(pair), pairLow(pair)));
            cycle(2);
            break;
        case 6:
            m.green(els(E::Addr_Buf, E::Cycle_Num));
            m.s.dataBuf = m.s.reg[A];
            m.red(bit(E::Data_Buf));
            break;
        case 7:
            m.green(bit(E::Data_Buf));
            showCycle(CycleType::MemoryWrite);
            m.writeMemory(m.s.addrBuf, m.s.dataBuf);
            end();
            break;
    }
}

void CCommands::LDAX(uint8_t pair) {
    using E = Element;
    switch (tact()) {
        case 4:
            decodeTact();
            break;
        case 5:
            clearIncrementer();
            address(m.pair(pairHigh(pair), pairLow(pair)));
            cycle(2);
            break;
        case 6:
            m.green(els(E::Addr_Buf, E::Cycle_Num));
            memoryRead();
            break;
        case 7:
            endBusCycle();
            m.s.reg[A] = m.s.dataBuf;  // RegA_Val keeps its highlight
            end();
            break;
    }
}

void CCommands::INX(uint8_t pair) {
    switch (tact()) {
        case 4:
            m.green(els(Element::Cmd_DC, Element::Cmd_Reg));
            addToPair(pair, +1);
            m.s.incMark = IncMark::Plus;
            break;
        case 5:
            m.green(bit(pairElement(pair, true)) | bit(pairElement(pair, false)));
            advancePC();
            end();
            break;
    }
}

void CCommands::DCX(uint8_t pair) {
    switch (tact()) {
        case 4:
            m.green(els(Element::Cmd_DC, Element::Cmd_Reg));
            addToPair(pair, -1);
            m.s.incMark = IncMark::Minus;
            break;
        case 5:
            m.green(bit(pairElement(pair, true)) | bit(pairElement(pair, false)));
            advancePC();
            end();
            break;
    }
}

void CCommands::addressOperand() {
    using E = Element;
    switch (tact()) {
        case 4:
            decodeTact();
            break;
        case 5:
            clearIncrementer();
            cycle(2);
            address(m.s.pc);
            break;
        case 6:
            m.green(els(E::Cycle_Num, E::Addr_Buf));
            memoryRead();
            m.s.z = m.s.dataBuf;
            m.red(bit(E::RegZ_Val));
            break;
        case 7:
            m.green(els(E::RegZ_Val, E::Status_Reg, E::PSW_Label, E::Data_Buf));
            advancePC();
            break;
        case 8:
            clearIncrementer();
            cycle(3);
            address(m.s.pc);
            break;
        case 9:
            m.green(els(E::Cycle_Num, E::Addr_Buf));
            memoryRead();
            m.s.w = m.s.dataBuf;
            m.red(bit(E::RegW_Val));
            break;
        case 10:
            m.green(els(E::RegW_Val, E::Status_Reg, E::PSW_Label, E::Data_Buf));
            advancePC();  // now past the instruction
            break;
    }
}

void CCommands::StaLda(bool load) {
    using E = Element;
    switch (tact()) {
        case 11:
            clearIncrementer();
            cycle(4);
            address(m.wz());
            break;
        case 12:
            m.green(els(E::Cycle_Num, E::Addr_Buf));
            if (load) {
                memoryRead();
                setReg(A, m.s.dataBuf);
            } else {
                m.s.dataBuf = m.s.reg[A];
                showCycle(CycleType::MemoryWrite);
                m.writeMemory(m.s.addrBuf, m.s.dataBuf);
            }
            m.red(els(E::Status_Reg, E::PSW_Label, E::Data_Buf));
            end();
            break;
        default:
            addressOperand();
            break;
    }
}

void CCommands::ShldLhld(bool load) {
    using E = Element;
    switch (tact()) {
        case 11:
            clearIncrementer();
            address(m.wz());
            cycle(4);
            break;
        case 12:
            m.green(els(E::Cycle_Num, E::Addr_Buf));
            if (load) {
                memoryRead();
                setReg(L, m.s.dataBuf);
            } else {
                m.s.dataBuf = m.s.reg[L];
                showCycle(CycleType::MemoryWrite);
                m.writeMemory(m.s.addrBuf, m.s.dataBuf);
            }
            m.red(els(E::Status_Reg, E::PSW_Label, E::Data_Buf));
            break;
        case 13: {
            endBusCycle();
            // The incrementer works on the address this time, not on PC.
            const uint16_t next = static_cast<uint16_t>(m.wz() + 1);
            m.s.w = static_cast<uint8_t>(next >> 8);
            m.s.z = static_cast<uint8_t>(next);
            m.s.incMark = IncMark::Plus;
            m.red(els(E::RegW_Val, E::RegZ_Val));
            break;
        }
        case 14:
            m.s.incMark = IncMark::None;  // PC_Val is not involved
            m.green(els(E::RegZ_Val, E::RegW_Val));
            if (load) m.green(bit(E::RegL_Val));
            address(m.wz());
            cycle(5);
            break;
        case 15:
            m.green(els(E::Cycle_Num, E::Addr_Buf));
            if (load) {
                memoryRead();
                setReg(H, m.s.dataBuf);
            } else {
                m.s.dataBuf = m.s.reg[H];
                showCycle(CycleType::MemoryWrite);
                m.writeMemory(m.s.addrBuf, m.s.dataBuf);
            }
            m.red(els(E::Status_Reg, E::PSW_Label, E::Data_Buf));
            end();
            break;
        default:
            addressOperand();
            break;
    }
}

void CCommands::XCHG() {
    switch (tact()) {
        case 4:
            m.green(els(Element::Cmd_DC, Element::Cmd_Reg));
            // Through W and Z, which keep the old D:E afterwards.
            m.s.w = m.s.reg[D];
            m.s.z = m.s.reg[E];
            m.s.reg[D] = m.s.reg[H];
            m.s.reg[E] = m.s.reg[L];
            m.s.reg[H] = m.s.w;
            m.s.reg[L] = m.s.z;
            m.red(els(Element::RegW_Val, Element::RegZ_Val, Element::RegD_Val, Element::RegE_Val,
                      Element::RegH_Val, Element::RegL_Val));
            advancePC();
            end();
            break;
    }
}

void CCommands::SPHL() {
    switch (tact()) {
        case 4:
            decodeTact();
            break;
        case 5:
            clearIncrementer();
            m.setSP(m.hl());
            end();
            break;
    }
}

}  // namespace orlan
