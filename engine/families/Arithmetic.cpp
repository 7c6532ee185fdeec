// Accumulator arithmetic and logic, rotates, increments and decrements, double add: the tact tables
// of these families.
#include "../Commands.h"

namespace orlan {

namespace {

// The operations of the accumulator group, in opcode order (bits 5..3 of 80h..BFh, and the
// immediate forms C6h..FEh in the same order).
enum AccOp : uint8_t { kAdd, kAdc, kSub, kSbb, kAna, kXra, kOra, kCmp };

struct Rotated {
    uint8_t value;
    bool carry;
};

// RLC, RRC, RAL, RAR; the rotates through carry take the old C as the incoming bit.
Rotated rotate(uint8_t kind, uint8_t a, bool carry) {
    switch (kind) {
        case 0:
            return {static_cast<uint8_t>(a << 1 | a >> 7), (a & 0x80) != 0};
        case 1:
            return {static_cast<uint8_t>(a >> 1 | a << 7), (a & 0x01) != 0};
        case 2:
            return {static_cast<uint8_t>(a << 1 | (carry ? 0x01 : 0)), (a & 0x80) != 0};
        default:
            return {static_cast<uint8_t>(a >> 1 | (carry ? 0x80 : 0)), (a & 0x01) != 0};
    }
}

}  // namespace

void CCommands::accumulate(uint8_t op) {
    static constexpr AluKind kKinds[8] = {AluKind::Add, AluKind::Add, AluKind::Sub, AluKind::Sub,
                                          AluKind::And, AluKind::Xor, AluKind::Or,  AluKind::Sub};
    const AluKind kind = kKinds[op];
    const uint8_t a = m.s.buf2, v = m.s.buf1;
    // ADC and SBB take in the carry as it was before the instruction.
    const uint8_t carryIn = (op == kAdc || op == kSbb) && m.lamp(Lamp::C) ? 1 : 0;
    unsigned result = 0;
    switch (kind) {
        case AluKind::Add:
            result = a + v + carryIn;
            break;
        case AluKind::Sub:
            result = a - v - carryIn;
            break;
        case AluKind::And:
            result = a & v;
            break;
        case AluKind::Xor:
            result = a ^ v;
            break;
        case AluKind::Or:
            result = a | v;
            break;
    }
    if (op != kCmp) setReg(A, static_cast<uint8_t>(result));
    updateFlags(kind, a, v, carryIn);
}

// ---------------------------------------------------------------------------------------------
// ADD ADC SUB SBB; ANA XRA ORA; CMP; the immediate forms

void CCommands::AddSub(uint8_t op, Reg r) {
    using E = Element;
    if (r != M) {
        switch (tact()) {
            case 4:
                m.green(els(E::Cmd_DC, E::Cmd_Reg, E::Cycle_Num));
                m.s.buf2 = m.s.reg[A];
                m.s.buf1 = m.s.reg[r];
                m.red(els(E::Buf_Reg_2, E::Buf_Reg_1));
                accumulate(op);
                break;
            case 5:
                m.green(els(E::Buf_Reg_1, E::Buf_Reg_2, E::RegA_Val, E::Flags_Reg));
                m.s.buf2 = 0;
                advancePC();
                end();
                break;
        }
        return;
    }
    switch (tact()) {
        case 4:
            m.green(els(E::Cmd_DC, E::Cmd_Reg, E::Cycle_Num));
            m.s.buf2 = m.s.reg[A];
            m.red(bit(E::Buf_Reg_2));
            break;
        case 5:
            m.green(els(E::Buf_Reg_1, E::Buf_Reg_2, E::RegA_Val, E::Flags_Reg));
            address(m.hl());
            cycle(2);
            break;
        case 6:
            memoryRead();
            m.green(els(E::Addr_Buf, E::Cycle_Num));
            break;
        case 7:
            // A comes from the copy taken in tact 4.
            m.s.buf1 = m.s.dataBuf;
            m.red(bit(E::Buf_Reg_1));
            accumulate(op);
            endBusCycle();
            advancePC();
            end();
            break;
    }
}

void CCommands::Logic(uint8_t op, Reg r) {
    using E = Element;
    if (r != M) {
        AddSub(op, r);  // the register form plays the same tacts
        return;
    }
    switch (tact()) {
        case 4:
            m.green(els(E::Cmd_DC, E::Cmd_Reg, E::Cycle_Num));
            m.s.buf2 = m.s.reg[A];
            m.red(bit(E::Buf_Reg_2));
            break;
        case 5:
            m.green(bit(E::Buf_Reg_2));
            address(m.hl());
            cycle(2);
            break;
        case 6:
            memoryRead();
            m.green(els(E::Addr_Buf, E::Cycle_Num));
            break;
        case 7:
            m.s.buf1 = m.s.dataBuf;
            m.s.buf2 = m.s.reg[A];
            m.red(els(E::Buf_Reg_1, E::Buf_Reg_2));
            accumulate(op);
            endBusCycle();
            advancePC();
            end();
            break;
    }
}

void CCommands::CMP(Reg r) {
    using E = Element;
    switch (tact()) {
        case 4:
            m.green(els(E::Cmd_DC, E::Cmd_Reg, E::Cycle_Num));
            m.s.buf2 = m.s.reg[A];
            m.red(bit(E::Buf_Reg_2));
            if (r != M) {
                m.s.buf1 = m.s.reg[r];
                m.red(bit(E::Buf_Reg_1));
                accumulate(kCmp);
            }
            break;
        case 5:
            m.green(els(E::Buf_Reg_1, E::Buf_Reg_2));
            if (r != M) {
                m.s.buf2 = 0;
                advancePC();
                end();  // Flags_Reg stays red until the next fetch
            } else {
                address(m.hl());
                cycle(2);
            }
            break;
        case 6:
            memoryRead();
            m.s.buf1 = m.s.dataBuf;
            m.red(bit(E::Buf_Reg_1));
            m.green(els(E::Addr_Buf, E::Cycle_Num));
            accumulate(kCmp);
            advancePC();
            end();
            break;
    }
}

void CCommands::Immediate(uint8_t op) {
    using E = Element;
    switch (tact()) {
        case 4:
            decodeTact();  // PC now at the immediate byte
            break;
        case 5:
            clearIncrementer();
            address(m.s.pc);
            cycle(2);
            break;
        case 6:
            m.green(els(E::Cycle_Num, E::Addr_Buf));
            memoryRead();
            m.s.buf2 = m.s.reg[A];
            m.s.buf1 = m.s.dataBuf;
            m.red(els(E::Buf_Reg_2, E::Buf_Reg_1));
            break;
        case 7:
            // The buffers go green but keep the values the operation is computed from.
            m.green(els(E::Status_Reg, E::PSW_Label, E::Data_Buf, E::Buf_Reg_2, E::Buf_Reg_1));
            advancePC();
            accumulate(op);
            end();
            break;
    }
}

// ---------------------------------------------------------------------------------------------
// RLC RRC RAL RAR; CMA STC CMC; DAA

void CCommands::Rotate(uint8_t kind) {
    using E = Element;
    switch (tact()) {
        case 4: {
            m.green(els(E::Cmd_DC, E::Cmd_Reg));
            m.s.buf2 = m.s.reg[A];
            m.red(bit(E::Buf_Reg_2));
            const Rotated r = rotate(kind, m.s.reg[A], m.lamp(Lamp::C));
            setCarry(r.carry);  // the digit changes, the highlight of Flags_Reg does not
            setReg(A, r.value);
            break;
        }
        case 5:
            m.green(els(E::RegA_Val, E::Buf_Reg_2));
            advancePC();
            end();
            break;
    }
}

void CCommands::CmaStcCmc(uint8_t kind) {
    using E = Element;
    switch (tact()) {
        case 4:
            advancePC();
            switch (kind) {
                case 0:  // CMA
                    m.s.buf2 = m.s.reg[A];
                    m.red(bit(E::Buf_Reg_2));
                    setReg(A, static_cast<uint8_t>(~m.s.reg[A]));
                    break;
                case 1:  // STC
                    setCarry(true);
                    m.red(bit(E::Flags_Reg));
                    break;
                default:  // CMC
                    setCarry(!m.lamp(Lamp::C));
                    m.red(bit(E::Flags_Reg));
                    break;
            }
            m.green(els(E::Cmd_Reg, E::Cmd_DC));
            end();
            break;
    }
}

void CCommands::DAA() {
    using E = Element;
    switch (tact()) {
        case 4: {
            advancePC();
            m.s.buf2 = m.s.reg[A];
            m.red(bit(E::Buf_Reg_2));
            // The correction is one addition of 00h, 06h, 60h or 66h: its carry out of bit 3 is
            // the new AC, and S, Z, P follow its result; C is only ever set, never cleared.
            const uint8_t a = m.s.buf2;
            uint8_t correction = 0;
            if ((a & 0x0F) > 9 || m.lamp(Lamp::AC)) correction = 0x06;
            const unsigned low = a + correction;
            const bool highAdjust = ((low >> 4) & 0x0F) > 9 || m.lamp(Lamp::C) || low > 0xFF;
            if (highAdjust) correction |= 0x60;
            setReg(A, static_cast<uint8_t>(a + correction));
            updateFlags(AluKind::Add, a, correction, 0, /*keepCarry=*/true);
            if (highAdjust) setCarry(true);
            m.green(els(E::Cmd_Reg, E::Cmd_DC));
            end();
            break;
        }
    }
}

// ---------------------------------------------------------------------------------------------
// INR, DCR, DAD

void CCommands::stepByOne(Reg r, bool increment) {
    using E = Element;
    const IncMark mark = increment ? IncMark::Plus : IncMark::Minus;
    const AluKind kind = increment ? AluKind::Add : AluKind::Sub;
    const auto stepped = [increment](uint8_t v) {
        return static_cast<uint8_t>(increment ? v + 1 : v - 1);
    };
    if (r != M) {
        switch (tact()) {
            case 4: {
                m.green(els(E::Cmd_Reg, E::Cmd_DC));
                m.s.incMark = mark;
                const uint8_t v = m.s.reg[r];
                updateFlags(kind, v, 1, 0, /*keepCarry=*/true);
                setReg(r, stepped(v));
                break;
            }
            case 5:
                m.green(els(E::Flags_Reg, regElement(r)));
                advancePC();
                end();
                break;
        }
        return;
    }
    switch (tact()) {
        case 4:
            decodeTact();  // PC points past the instruction while the memory cycles run
            break;
        case 5:
            m.green(bit(E::Flags_Reg));
            clearIncrementer();
            cycle(2);
            address(m.hl());
            break;
        case 6:
            m.green(els(E::Cycle_Num, E::Addr_Buf));
            m.s.incMark = IncMark::None;
            m.s.dataBuf = m.s.memory[m.s.addrBuf];
            m.red(bit(E::Data_Buf));
            m.s.w = m.s.dataBuf;
            m.red(bit(E::RegW_Val));
            showCycle(CycleType::MemoryRead);
            break;
        case 7:
            endBusCycle();
            m.s.incMark = mark;
            updateFlags(kind, m.s.w, 1, 0, /*keepCarry=*/true);
            m.s.w = stepped(m.s.w);  // RegW_Val stays red
            break;
        case 8:
            m.green(bit(E::RegW_Val));
            m.s.incMark = IncMark::None;
            address(m.hl());
            cycle(3);
            break;
        case 9:
            m.green(els(E::Cycle_Num, E::Addr_Buf));
            m.s.dataBuf = m.s.w;  // shown without turning red
            showCycle(CycleType::MemoryWrite);
            m.writeMemory(m.s.addrBuf, m.s.dataBuf);
            end();
            break;
    }
}

void CCommands::INR(Reg r) {
    stepByOne(r, true);
}

void CCommands::DCR(Reg r) {
    stepByOne(r, false);
}

void CCommands::DAD(uint8_t pair) {
    using E = Element;
    const bool sp = pair == 3;
    switch (tact()) {
        case 4:
            decodeTact();
            break;
        case 5:
            clearIncrementer();
            m.s.buf2 = sp ? static_cast<uint8_t>(m.s.sp & 0xFF) : m.s.reg[pairLow(pair)];
            m.red(bit(E::Buf_Reg_2));
            cycle(2);
            break;
        case 6:
            m.green(els(E::Buf_Reg_2, E::Cycle_Num));
            m.s.buf1 = m.s.reg[L];
            m.red(bit(E::Buf_Reg_1));
            break;
        case 7: {
            m.green(bit(E::Buf_Reg_1));
            const unsigned sum = m.s.buf1 + m.s.buf2;
            setCarry(sum > 0xFF);
            m.red(bit(E::Flags_Reg));
            setReg(L, static_cast<uint8_t>(sum));
            break;
        }
        case 8:
            m.green(els(E::RegL_Val, E::Flags_Reg));
            m.s.buf2 = sp ? static_cast<uint8_t>(m.s.sp >> 8) : m.s.reg[pairHigh(pair)];
            m.red(bit(E::Buf_Reg_2));
            cycle(3);
            break;
        case 9:
            m.green(els(E::Buf_Reg_2, E::Cycle_Num));
            m.s.buf1 = m.s.reg[H];
            m.red(bit(E::Buf_Reg_1));
            break;
        case 10: {
            m.green(bit(E::Buf_Reg_1));
            // The carry of the low bytes reaches here through the C flag itself.
            const unsigned sum = m.s.buf1 + m.s.buf2 + (m.lamp(Lamp::C) ? 1u : 0u);
            setCarry(sum > 0xFF);
            setReg(H, static_cast<uint8_t>(sum));
            m.red(bit(E::Flags_Reg));
            end();
            break;
        }
    }
}

}  // namespace orlan
