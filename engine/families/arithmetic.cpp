// Accumulator arithmetic and logic, rotates, increments and decrements, double add: the tact tables of these families.
#include "../Commands.h"

namespace orlan {

void CCommands::AddSub(uint8_t op, Reg r) { pendingFamily(); }

void CCommands::Logic(uint8_t op, Reg r) { pendingFamily(); }

void CCommands::CMP(Reg r) { pendingFamily(); }

void CCommands::Immediate(uint8_t op) { pendingFamily(); }

void CCommands::Rotate(uint8_t kind) { pendingFamily(); }

void CCommands::CmaStcCmc(uint8_t kind) { pendingFamily(); }

void CCommands::INR(Reg r) { pendingFamily(); }

void CCommands::DCR(Reg r) { pendingFamily(); }

void CCommands::DAD(uint8_t pair) { pendingFamily(); }

void CCommands::DAA() { pendingFamily(); }


}  // namespace orlan
