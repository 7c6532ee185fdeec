// Output, input and interrupt enable: the tact tables of these families.
#include "../Commands.h"

namespace orlan {

void CCommands::OUT() { pendingFamily(); }

void CCommands::EiDi(bool enable) { pendingFamily(); }

void CCommands::IN() { pendingFamily(); }


}  // namespace orlan
