// Stack transfers: the tact tables of these families.
#include "../Commands.h"

namespace orlan {

void CCommands::PUSH(uint8_t pair) { pendingFamily(); }

void CCommands::POP(uint8_t pair) { pendingFamily(); }

void CCommands::XTHL() { pendingFamily(); }


}  // namespace orlan
