// Register-pair and memory transfers: the tact tables of these families.
#include "../Commands.h"

namespace orlan {

void CCommands::LXI(uint8_t pair) { pendingFamily(); }

void CCommands::STAX(uint8_t pair) { pendingFamily(); }

void CCommands::LDAX(uint8_t pair) { pendingFamily(); }

void CCommands::INX(uint8_t pair) { pendingFamily(); }

void CCommands::DCX(uint8_t pair) { pendingFamily(); }

void CCommands::ShldLhld(bool load) { pendingFamily(); }

void CCommands::StaLda(bool load) { pendingFamily(); }

void CCommands::XCHG() { pendingFamily(); }

void CCommands::SPHL() { pendingFamily(); }


}  // namespace orlan
