#include "Commands.h"

#include <bit>

#include "History.h"
#include "Mnemonics.h"
#include "Notation.h"

namespace orlan {

namespace {

constexpr Lamp kConditionLamps[4] = {Lamp::Z, Lamp::C, Lamp::P, Lamp::S};

constexpr Decoded decode(unsigned op) {
    const uint8_t dst = (op >> 3) & 7, src = op & 7, pair = (op >> 4) & 3;
    switch (op) {
        case 0x00: return {Family::NOP};
        case 0x08: case 0x10: case 0x18: case 0x20: case 0x28: case 0x30: case 0x38:
        case 0xCB: case 0xD9: case 0xDD: case 0xED: case 0xFD:
            return {Family::Undefined};
        case 0x07: case 0x0F: case 0x17: case 0x1F: return {Family::Rotate, dst};
        case 0x2F: return {Family::CmaStcCmc, 0};
        case 0x37: return {Family::CmaStcCmc, 1};
        case 0x3F: return {Family::CmaStcCmc, 2};
        case 0x22: return {Family::ShldLhld, 0};
        case 0x2A: return {Family::ShldLhld, 1};
        case 0x32: return {Family::StaLda, 0};
        case 0x3A: return {Family::StaLda, 1};
        case 0x27: return {Family::DAA};
        case 0x76: return {Family::HLT};
        case 0xC3: return {Family::JMP};
        case 0xC9: return {Family::RET};
        case 0xCD: return {Family::CALL};
        case 0xE9: return {Family::PCHL};
        case 0xE3: return {Family::XTHL};
        case 0xEB: return {Family::XCHG};
        case 0xF9: return {Family::SPHL};
        case 0xD3: return {Family::OUT};
        case 0xDB: return {Family::IN};
        case 0xF3: return {Family::EiDi, 0};
        case 0xFB: return {Family::EiDi, 1};
        default: break;
    }
    if (op < 0x40) {
        switch (op & 0x0F) {
            case 0x1: return {Family::LXI, pair};
            case 0x2: return {Family::STAX, pair};
            case 0xA: return {Family::LDAX, pair};
            case 0x3: return {Family::INX, pair};
            case 0xB: return {Family::DCX, pair};
            case 0x9: return {Family::DAD, pair};
            default: break;
        }
        switch (op & 7) {
            case 4: return {Family::INR, dst};
            case 5: return {Family::DCR, dst};
            case 6: return {Family::MVI, dst};
            default: break;
        }
        return {Family::Undefined};  // not reached: every such opcode is listed above
    }
    if (op < 0x80) return {Family::MOV, dst, src};
    if (op < 0xC0) {
        if (dst < 4) return {Family::AddSub, dst, src};
        if (dst < 7) return {Family::Logic, dst, src};
        return {Family::CMP, 0, src};
    }
    const uint8_t cond = (op >> 4) & 3, sel = (op >> 3) & 1;
    switch (op & 7) {
        case 0: return {Family::ReturnIf, static_cast<uint8_t>(kConditionLamps[cond]), sel};
        case 1: return {Family::POP, pair};
        case 2: return {Family::JumpIf, static_cast<uint8_t>(kConditionLamps[cond]), sel};
        case 4: return {Family::CallIf, static_cast<uint8_t>(kConditionLamps[cond]), sel};
        case 5: return {Family::PUSH, pair};
        case 6: return {Family::Immediate, dst};
        case 7: return {Family::RST, dst};
        default: return {Family::Undefined};  // not reached
    }
}

constexpr std::array<Decoded, 256> buildTable() {
    std::array<Decoded, 256> t{};
    for (unsigned op = 0; op < 256; ++op) t[op] = decode(op);
    return t;
}

}  // namespace

const std::array<Decoded, 256> kOpcodeTable = buildTable();

// ---------------------------------------------------------------------------------------------
// Run control

void CCommands::executeTact() {
    if (history_) history_->beginTact(m.s, opcode_, !halted());
    if (halted()) {
        if (host_.showMessage(makeMessage(MessageId::HaltQuestion))) clearHaltFlag();
        if (history_) history_->endTact();
        return;
    }
    ++tacts_;
    if (opcode_ < 0) {
        m.s.cycleNum = 1;
        m.s.timeNum = 0;
        dispatch(m.s.memory[m.s.pc]);
    } else {
        dispatch(static_cast<uint8_t>(opcode_));
    }
    if (history_) history_->endTact();
    if (opcode_ >= 0)
        setEditing(false);
    else if (!running_)
        setEditing(true);
}

void CCommands::executeInstruction() {
    do {
        const bool onlyTheQuestion = halted();
        executeTact();
        if (onlyTheQuestion) return;
    } while (opcode_ >= 0);
}

RunEnd CCommands::toggleRun(uint64_t maxTacts, bool passBreakpointHere) {
    if (running_) {
        endRun(RunEnd::Stopped);
        return RunEnd::Stopped;
    }
    running_ = true;
    lastRunEnd_ = RunEnd::None;
    passBreakpoint_ = passBreakpointHere && opcode_ < 0;
    const uint64_t myRun = ++runId_;
    host_.setRunMode(true);
    uint64_t budget = maxTacts;
    while (running_ && !halted()) {
        if (breakpoints_ && breakBeforeFetch()) {
            endRun(RunEnd::Breakpoint);
            break;
        }
        if (budget == 0) {
            endRun(RunEnd::TactLimit);
            break;
        }
        --budget;
        executeTact();
        // Input is handled only between whole instructions.
        if (opcode_ < 0 && running_) host_.processPendingInput();
    }
    // A run started again from pending input has ended on its own; it said what it had to say.
    if (runId_ != myRun) return lastRunEnd_;
    endIfHalted();
    return lastRunEnd_;
}

bool CCommands::breakBeforeFetch() {
    if (opcode_ >= 0) return false;
    if (passBreakpoint_) {
        passBreakpoint_ = false;
        return false;
    }
    return breakpoints_->stopsAt(m.s.pc);
}

bool CCommands::endIfHalted() {
    if (!halted()) return false;
    endRun(RunEnd::Halted);
    host_.setHaltItemEnabled(true);
    host_.showMessage(makeMessage(MessageId::HaltStop));
    return true;
}

void CCommands::beginPacedRun() {
    if (running_) return;
    running_ = true;
    lastRunEnd_ = RunEnd::None;
    passBreakpoint_ = opcode_ < 0;
    ++runId_;
    host_.setRunMode(true);
}

bool CCommands::pacedStep(bool wholeInstruction) {
    if (!running_) return false;
    if (endIfHalted()) return false;
    do {
        if (breakpoints_ && breakBeforeFetch()) {
            endRun(RunEnd::Breakpoint);
            return false;
        }
        executeTact();
        if (!running_) return false;  // an undefined opcode ended it
        if (endIfHalted()) return false;
    } while (wholeInstruction && opcode_ >= 0);
    return true;
}

void CCommands::endRun(RunEnd why) {
    running_ = false;
    lastRunEnd_ = why;
    host_.setRunMode(false);
    // A tact requested during the run may have begun an instruction: keep editing locked then.
    setEditing(!instructionInProgress());
}

void CCommands::setEditing(bool enabled) {
    if (enabled == editingEnabled_) return;
    editingEnabled_ = enabled;
    host_.setEditingEnabled(enabled);
}

void CCommands::clearHaltFlag() {
    m.setLamp(Lamp::HLDA, false);
    m.changes.haltChanged = true;
    host_.setHaltItemEnabled(false);
}

void CCommands::resetRegisters() {
    m.resetRegisters();
    host_.setHaltItemEnabled(false);
}

// ---------------------------------------------------------------------------------------------
// Dispatch

void CCommands::dispatch(uint8_t opcode) {
    opcode_ = opcode;
    switch (m.s.timeNum) {
        case 0: fetch1(); return;
        case 1: fetch2(); return;
        case 2: fetch3(); return;
        default: break;
    }
    const Decoded d = kOpcodeTable[opcode];
    const Reg ra = static_cast<Reg>(d.a), rb = static_cast<Reg>(d.b);
    const uint8_t t = tact();
    switch (d.family) {
        case Family::NOP: NOP(); break;
        case Family::MOV: MOV(ra, rb); break;
        case Family::MVI: MVI(ra); break;
        case Family::HLT: HLT(); break;
        case Family::Undefined: Undefined(); break;
        case Family::LXI: LXI(d.a); break;
        case Family::STAX: STAX(d.a); break;
        case Family::LDAX: LDAX(d.a); break;
        case Family::INX: INX(d.a); break;
        case Family::DCX: DCX(d.a); break;
        case Family::ShldLhld: ShldLhld(d.a != 0); break;
        case Family::StaLda: StaLda(d.a != 0); break;
        case Family::XCHG: XCHG(); break;
        case Family::SPHL: SPHL(); break;
        case Family::AddSub: AddSub(d.a, rb); break;
        case Family::Logic: Logic(d.a, rb); break;
        case Family::CMP: CMP(rb); break;
        case Family::Immediate: Immediate(d.a); break;
        case Family::Rotate: Rotate(d.a); break;
        case Family::CmaStcCmc: CmaStcCmc(d.a); break;
        case Family::JMP: JMP(); break;
        case Family::JumpIf: JumpIf(static_cast<Lamp>(d.a), d.b); break;
        case Family::CALL: CALL(); break;
        case Family::CallIf: CallIf(static_cast<Lamp>(d.a), d.b); break;
        case Family::RET: RET(); break;
        case Family::ReturnIf: ReturnIf(static_cast<Lamp>(d.a), d.b); break;
        case Family::RST: RST(d.a); break;
        case Family::PCHL: PCHL(); break;
        case Family::PUSH: PUSH(d.a); break;
        case Family::POP: POP(d.a); break;
        case Family::XTHL: XTHL(); break;
        case Family::OUT: OUT(); break;
        case Family::EiDi: EiDi(d.a != 0); break;
        case Family::INR: INR(ra); break;
        case Family::DCR: DCR(ra); break;
        case Family::DAD: DAD(d.a); break;
        case Family::DAA: DAA(); break;
        case Family::IN: IN(); break;
    }
    // Every step writes its own tact number.
    m.s.timeNum = t;
}

// ---------------------------------------------------------------------------------------------
// Shared steps

void CCommands::fetch1() {
    using E = Element;
    m.s.addrBuf = m.s.pc;
    m.s.status = 0;
    m.s.cycleLabel = -1;
    m.s.incMark = IncMark::None;
    m.red(els(E::PC_Val, E::Addr_Buf));
    m.green(els(E::RegA_Val, E::RegB_Val, E::RegC_Val, E::RegD_Val, E::RegE_Val, E::RegH_Val,
                E::RegL_Val, E::RegW_Val, E::RegZ_Val, E::Status_Reg, E::Buf_Reg_1, E::Buf_Reg_2,
                E::Flags_Reg, E::Data_Buf, E::Cmd_Reg, E::Cmd_DC, E::SP_Val));
    m.s.lamps |= lampBit(Lamp::SYNC) | lampBit(Lamp::WR) | lampBit(Lamp::READY);
    m.s.timeNum = 1;
}

void CCommands::fetch2() {
    using E = Element;
    m.s.status = cycleInfo(CycleType::Fetch).status;
    m.s.cycleLabel = static_cast<int8_t>(CycleType::Fetch);
    m.s.dataBuf = m.s.memory[m.s.pc];
    m.red(els(E::Status_Reg, E::PSW_Label, E::Data_Buf));
    m.green(els(E::Cycle_Num, E::Time_Num, E::PC_Val, E::Addr_Buf));
    m.setLamp(Lamp::DBIN, true);
    m.setLamp(Lamp::WAIT, true);
    m.setLamp(Lamp::READY, false);
    m.s.timeNum = 2;
}

void CCommands::fetch3() {
    using E = Element;
    m.s.cmdReg = m.s.dataBuf;
    m.s.decoder = m.s.memory[m.s.pc];
    m.red(els(E::Cmd_Reg, E::Cmd_DC));
    m.green(els(E::Status_Reg, E::PSW_Label, E::Data_Buf));
    m.setLamp(Lamp::READY, true);
    m.setLamp(Lamp::DBIN, false);
    m.setLamp(Lamp::WAIT, false);
    m.s.timeNum = 3;
}

void CCommands::decodeTact() {
    m.green(els(Element::Cmd_Reg, Element::Cmd_DC));
    advancePC();
}

void CCommands::advancePC() {
    m.setPC(m.s.pc + 1u);
    m.s.incMark = IncMark::Plus;
}

void CCommands::clearIncrementer() {
    m.s.incMark = IncMark::None;
    m.green(bit(Element::PC_Val));
}

void CCommands::cycle(uint8_t n) {
    m.s.cycleNum = n;
    m.red(bit(Element::Cycle_Num));
}

void CCommands::showCycle(CycleType t) {
    m.s.status = cycleInfo(t).status;
    m.s.cycleLabel = static_cast<int8_t>(t);
    m.red(els(Element::Status_Reg, Element::PSW_Label));
}

void CCommands::endBusCycle() { m.green(els(Element::Status_Reg, Element::PSW_Label, Element::Data_Buf)); }

void CCommands::address(uint16_t addr) {
    m.s.addrBuf = addr;
    m.red(bit(Element::Addr_Buf));
}

void CCommands::memoryRead(CycleType t) {
    showCycle(t);
    m.s.dataBuf = m.s.memory[m.s.addrBuf];
    m.red(bit(Element::Data_Buf));
}

void CCommands::setReg(Reg r, uint8_t v) {
    m.s.reg[r] = v;
    m.red(bit(regElement(r)));
}

void CCommands::setCarry(bool on) {
    m.setLamp(Lamp::C, on);
    m.s.flags = static_cast<uint8_t>(on ? (m.s.flags | flag::C) : (m.s.flags & ~flag::C));
}

void CCommands::updateFlags(AluKind kind, uint8_t first, uint8_t second, uint8_t carryIn, bool keepCarry) {
    unsigned result = 0;
    bool ac = false, carry = false;
    switch (kind) {
        case AluKind::And: result = first & second; break;
        case AluKind::Xor: result = first ^ second; break;
        case AluKind::Or: result = first | second; break;
        case AluKind::Add: {
            const unsigned sum = unsigned{first} + second + carryIn;
            result = sum & 0xFF;
            ac = (first & 0xF) + (second & 0xF) + carryIn > 0xF;
            carry = sum > 0xFF;
            break;
        }
        case AluKind::Sub:
            result = (unsigned{first} - second - carryIn) & 0xFF;
            carry = unsigned{first} < unsigned{second} + carryIn;
            break;
    }
    const bool s = result & 0x80, z = result == 0, p = (std::popcount(result) & 1) == 0;
    uint8_t f = m.s.flags & static_cast<uint8_t>(~(flag::S | flag::Z | flag::AC | flag::P));
    f |= (s ? flag::S : 0) | (z ? flag::Z : 0) | (ac ? flag::AC : 0) | (p ? flag::P : 0);
    m.s.flags = f;
    m.setLamp(Lamp::S, s);
    m.setLamp(Lamp::Z, z);
    m.setLamp(Lamp::AC, ac);
    m.setLamp(Lamp::P, p);
    if (!keepCarry) setCarry(carry);
    m.red(bit(Element::Flags_Reg));
}

// ---------------------------------------------------------------------------------------------
// NOP, MOV, MVI, HLT and the undefined opcodes

void CCommands::NOP() {
    switch (tact()) {
        case 4:
            advancePC();
            m.green(els(Element::Cmd_DC, Element::Cmd_Reg));
            end();
            break;
    }
}

void CCommands::MOV(Reg dst, Reg src) {
    using E = Element;
    if (dst != M && src != M) {
        switch (tact()) {
            case 4:
                setReg(dst, m.s.reg[src]);
                m.green(els(E::Cmd_Reg, E::Cmd_DC));
                break;
            case 5:
                m.green(bit(regElement(dst)));
                advancePC();
                end();
                break;
        }
        return;
    }
    const bool toMemory = dst == M;
    switch (tact()) {
        case 4:
            decodeTact();
            break;
        case 5:
            clearIncrementer();
            cycle(2);
            address(m.hl());
            break;
        case 6:
            if (toMemory) {
                showCycle(CycleType::MemoryWrite);
                m.s.dataBuf = m.s.reg[src];
            } else {
                showCycle(CycleType::MemoryRead);
                m.s.dataBuf = m.s.memory[m.s.addrBuf];
            }
            m.red(els(E::Data_Buf, E::Cycle_Num));
            m.green(bit(E::Addr_Buf));
            break;
        case 7:
            m.green(els(E::Status_Reg, E::PSW_Label, E::Data_Buf, E::Cycle_Num));
            if (toMemory)
                m.writeMemory(m.s.addrBuf, m.s.dataBuf);
            else
                setReg(dst, m.s.dataBuf);
            end();
            break;
    }
}

void CCommands::MVI(Reg r) {
    using E = Element;
    const bool toMemory = r == M;
    switch (tact()) {
        case 4:
            decodeTact();
            break;
        case 5:
            cycle(2);
            address(m.s.pc);
            clearIncrementer();
            break;
        case 6:
            m.green(els(E::Cycle_Num, E::Addr_Buf));
            m.s.dataBuf = m.s.memory[m.s.pc];
            m.red(bit(E::Data_Buf));
            if (toMemory) {
                m.s.w = m.s.dataBuf;
                m.red(bit(E::RegW_Val));
            } else {
                setReg(r, m.s.dataBuf);
            }
            showCycle(CycleType::MemoryRead);
            break;
        case 7:
            advancePC();
            endBusCycle();
            m.green(bit(toMemory ? E::RegW_Val : regElement(r)));
            if (!toMemory) end();
            break;
        case 8:
            address(m.hl());
            cycle(3);
            clearIncrementer();
            break;
        case 9:
            // The data buffer still holds the operand: it is the byte written.
            showCycle(CycleType::MemoryWrite);
            m.writeMemory(m.s.addrBuf, m.s.w);
            m.green(els(E::Cycle_Num, E::Addr_Buf));
            break;
        case 10:
            m.green(els(E::Status_Reg, E::PSW_Label));
            end();
            break;
    }
}

void CCommands::HLT() {
    switch (tact()) {
        case 4:
            m.green(els(Element::Cmd_DC, Element::Cmd_Reg));
            advancePC();
            m.setLamp(Lamp::HLDA, true);
            host_.setHaltItemEnabled(true);
            m.changes.haltChanged = true;
            end();
            break;
    }
}

void CCommands::Undefined() {
    switch (tact()) {
        case 4:
            m.green(els(Element::Cmd_Reg, Element::Cmd_DC));
            host_.showMessage(makeMessage(MessageId::UndefinedOpcode, formatWord(m.s.pc),
                                          formatByte(m.s.cmdReg)));
            if (running_) endRun(RunEnd::UndefinedOpcode);
            // PC stays on the opcode: the next tact fetches it and reports it again.
            end();
            break;
    }
}

}  // namespace orlan
