#include "Machine.h"

#include "History.h"
#include "Mnemonics.h"
#include "Notation.h"

namespace orlan {

void Machine::setLamp(std::string_view name, bool on) {
    if (auto l = lampByName(name)) setLamp(*l, on);
}

void Machine::keepOldValue(uint16_t address) { history->noteWrite(address, s.memory[address]); }

bool Machine::lamp(std::string_view name) const {
    auto l = lampByName(name);
    return l && lamp(*l);
}

void Machine::resetRegisters() {
    for (Reg r : {A, B, C, D, E, H, L}) s.reg[r] = 0;
    s.w = s.z = 0;
    s.sp = 0xFFFF;
    changes.spChanged = true;
    movePC(0);
    for (Lamp l : {Lamp::INTE, Lamp::SYNC, Lamp::WR, Lamp::READY, Lamp::F2}) setLamp(l, true);
    for (Lamp l : {Lamp::F1, Lamp::WAIT, Lamp::HOLD, Lamp::HLDA, Lamp::INT, Lamp::DBIN, Lamp::Z,
                   Lamp::S, Lamp::P, Lamp::C, Lamp::AC})
        setLamp(l, false);
    changes.haltChanged = true;
    s.flags = flag::kStart;
    s.cycleLabel = -1;
    s.status = 0;
}

std::string Machine::text(Element e) const {
    switch (e) {
        case Element::Data_Buf: return formatByte(s.dataBuf);
        case Element::RegA_Val: return formatByte(s.reg[A]);
        case Element::Buf_Reg_1: return formatByte(s.buf1);
        case Element::Buf_Reg_2: return formatByte(s.buf2);
        case Element::Flags_Reg: return formatFlags(s.flags);
        case Element::Cmd_Reg: return formatByte(s.cmdReg);
        case Element::Cmd_DC:
            return s.decoder < 0 ? std::string() : std::string(mnemonic(static_cast<uint8_t>(s.decoder)));
        case Element::Addr_Buf: return formatWord(s.addrBuf);
        case Element::Status_Reg: return formatStatus(s.status);
        case Element::PSW_Label:
            return s.cycleLabel < 0 ? std::string()
                                    : std::string(cycleInfo(static_cast<CycleType>(s.cycleLabel)).label);
        case Element::RegW_Val: return formatByte(s.w);
        case Element::RegZ_Val: return formatByte(s.z);
        case Element::RegB_Val: return formatByte(s.reg[B]);
        case Element::RegC_Val: return formatByte(s.reg[C]);
        case Element::RegD_Val: return formatByte(s.reg[D]);
        case Element::RegE_Val: return formatByte(s.reg[E]);
        case Element::RegH_Val: return formatByte(s.reg[H]);
        case Element::RegL_Val: return formatByte(s.reg[L]);
        case Element::SP_Val: return formatWord(s.sp);
        case Element::PC_Val: return formatWord(s.pc);
        case Element::Cycle_Num: return std::to_string(s.cycleNum);
        case Element::Time_Num: return std::to_string(s.timeNum);
        case Element::INC_DEC_Syst:
            return s.incMark == IncMark::Plus ? "+1" : s.incMark == IncMark::Minus ? "-1" : "";
    }
    return {};
}

}  // namespace orlan
