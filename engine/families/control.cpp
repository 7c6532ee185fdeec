// Jumps, calls, returns and restarts: the tact tables of these families.
#include "../Commands.h"

namespace orlan {

void CCommands::JMP() { pendingFamily(); }

void CCommands::JumpIf(Lamp flagLamp, uint8_t selector) { pendingFamily(); }

void CCommands::CALL() { pendingFamily(); }

void CCommands::CallIf(Lamp flagLamp, uint8_t selector) { pendingFamily(); }

void CCommands::RET() { pendingFamily(); }

void CCommands::ReturnIf(Lamp flagLamp, uint8_t selector) { pendingFamily(); }

void CCommands::RST(uint8_t n) { pendingFamily(); }

void CCommands::PCHL() { pendingFamily(); }


}  // namespace orlan
