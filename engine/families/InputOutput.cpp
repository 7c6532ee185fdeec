// Output, input and interrupt enable: the tact tables of these families.
#include "../Commands.h"
#include "../History.h"

namespace orlan {

namespace {
// Ports 00h..04h reach a device; the rest reach none but still show the output cycle.
constexpr unsigned kLastDevicePort = kDeviceCount - 1;
}  // namespace

// OUT and IN share their first four own tacts: the port number is read at PC in a memory read
// cycle and put on the address bus as 00 followed by the port.
void CCommands::portNumberTact() {
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
            advancePC();  // past the instruction
            address(m.s.dataBuf);
            break;
    }
}

void CCommands::OUT() {
    using E = Element;
    switch (tact()) {
        case 4: case 5: case 6: case 7:
            portNumberTact();
            break;
        case 8: {
            m.green(els(E::PC_Val, E::Addr_Buf));
            m.s.incMark = IncMark::None;
            showCycle(CycleType::OutputWrite);
            m.s.dataBuf = m.s.reg[A];
            m.red(bit(E::Data_Buf));
            // The device sees the scheme showing the output cycle, before the cycle number moves on.
            const unsigned port = m.s.addrBuf & 0xFF;
            if (port <= kLastDevicePort) {
                if (history_) history_->noteOutput();
                ports_.output(static_cast<Device>(port), m.s.dataBuf);
            }
            cycle(3);
            end();
            break;
        }
    }
}

void CCommands::EiDi(bool enable) {
    switch (tact()) {
        case 4:
            decodeTact();
            m.setLamp(Lamp::INTE, enable);
            end();
            break;
    }
}

// IN: no device drives the input bus, so the byte read is always FFh.
void CCommands::IN() {
    using E = Element;
    switch (tact()) {
        case 4: case 5: case 6: case 7:
            portNumberTact();
            break;
        case 8:
            m.green(els(E::PC_Val, E::Addr_Buf));
            m.s.incMark = IncMark::None;
            cycle(3);
            break;
        case 9:
            m.green(bit(E::Cycle_Num));
            showCycle(CycleType::InputRead);
            m.s.dataBuf = 0xFF;
            m.red(bit(E::Data_Buf));
            break;
        case 10:
            endBusCycle();
            setReg(A, m.s.dataBuf);
            end();
            break;
    }
}

}  // namespace orlan
