// CCommands: the processor engine. Holds the instruction in progress, routes every tact to the
// handler of its instruction family, and runs whole instructions and programs.
//
// Each family handler is a tact table: one `case` per tact (numbered as the scheme's Time_Num
// shows it after the tact), each a few calls of the shared steps below. Tacts 1 to 3 are the
// fetch cycle, shared by all and played by the dispatcher. The handlers change the machine only
// through Machine's state operations and reach the outside only through Host and PortMap.
#pragma once

#include <array>
#include <cstdint>

#include "Breakpoints.h"
#include "Host.h"
#include "Machine.h"

namespace orlan {

enum class Family : uint8_t {
    NOP, MOV, MVI, HLT, Undefined,
    LXI, STAX, LDAX, INX, DCX, ShldLhld, StaLda, XCHG, SPHL,
    AddSub, Logic, CMP, Immediate,
    Rotate, CmaStcCmc,
    JMP, JumpIf, CALL, CallIf, RET, ReturnIf, RST, PCHL,
    PUSH, POP, XTHL,
    OUT, EiDi,
    INR, DCR, DAD,
    DAA, IN,
};
inline constexpr int kFamilyCount = static_cast<int>(Family::IN) + 1;

// A family with its operands, as the dispatcher hands them over.
//   MOV: a = destination, b = source (Reg, M for memory). MVI, INR, DCR: a = Reg.
//   LXI, STAX, LDAX, INX, DCX, DAD, PUSH, POP: a = pair code 0 BC, 1 DE, 2 HL, 3 SP or PSW.
//   AddSub, Logic: a = operation (bits 5..3 of the opcode), b = Reg. CMP: b = Reg.
//   Immediate: a = operation 0..7 (ADI ACI SUI SBI ANI XRI ORI CPI).
//   Rotate: a = 0 RLC, 1 RRC, 2 RAL, 3 RAR. CmaStcCmc: a = 0 CMA, 1 STC, 2 CMC.
//   ShldLhld, StaLda: a = 0 store, 1 load. EiDi: a = 1 EI, 0 DI.
//   JumpIf, CallIf, ReturnIf: a = flag lamp (Z, C, P, S), b = selector (met when lamp == b).
//   RST: a = restart number.
struct Decoded {
    Family family;
    uint8_t a = 0, b = 0;
};

// The opcode-to-family table, one entry per opcode.
extern const std::array<Decoded, 256> kOpcodeTable;

enum class RunEnd : uint8_t { None, Stopped, Halted, UndefinedOpcode, TactLimit, Breakpoint };

class History;

// What a step back did: how many tacts it undid (0: nothing to undo) and whether one of them had
// sent a byte to a device (that byte stays sent).
struct StepBack {
    uint64_t tacts = 0;
    bool crossedOutput = false;
};

class CCommands {
public:
    CCommands(Machine& machine, Host& host, PortMap& ports) : m(machine), host_(host), ports_(ports) {}

    // --- run control ---
    // One tact: asks the halt question while halted, else starts or continues the instruction.
    void executeTact();
    // At least one tact; repeats until no instruction is in progress.
    void executeInstruction();
    // The run button: starts a run when idle (and runs it to its end), stops it when running.
    // maxTacts bounds the run (the runner's --max-tacts); the window passes no bound. A run stops
    // before fetching at a breakpoint, except at the row it starts from when passBreakpointHere
    // (so that F6 at a breakpoint runs on; the traced runner, cutting a run into one-tact runs,
    // passes it only for the first).
    RunEnd toggleRun(uint64_t maxTacts = UINT64_MAX, bool passBreakpointHere = true);
    // A run paced from outside (the window's slow speeds): begin it, then one step per tick.
    // A step is a tact or a whole instruction; it ends the run as the run loop would (breakpoint,
    // halt with its message, undefined opcode) and returns whether the run goes on. toggleRun()
    // stops such a run as any other.
    void beginPacedRun();
    bool pacedStep(bool wholeInstruction);
    // The breakpoints asked before every fetch of a run (none when null).
    void setBreakpoints(const Breakpoints* breakpoints) { breakpoints_ = breakpoints; }
    // Between instructions with PC at a breakpoint (or the run-to target).
    bool atBreakpoint() const { return opcode_ < 0 && breakpoints_ && breakpoints_->stopsAt(m.s.pc); }
    void clearHaltFlag();
    // The register reset of the reset button (reachable only between instructions).
    void resetRegisters();

    bool running() const { return running_; }
    bool halted() const { return m.lamp(Lamp::HLDA); }
    int16_t currentOpcode() const { return opcode_; }
    bool instructionInProgress() const { return opcode_ >= 0; }
    bool editingEnabled() const { return editingEnabled_; }
    // Tacts executed by executeTact since construction (halt questions excluded).
    uint64_t tactCount() const { return tacts_; }
    RunEnd lastRunEnd() const { return lastRunEnd_; }

    // --- step back (History.cpp) ---
    // With a history attached every tact is recorded into it; nullptr stops recording.
    void setHistory(History* history);
    History* history() const { return history_; }
    bool canStepBack() const;
    // One execute-one-tact operation undone, the halt question included. Nothing while running.
    StepBack stepBackTact();
    // Back to the start of the instruction in progress, or of the previous one when none is.
    StepBack stepBackInstruction();

    Machine& machine() { return m; }

private:
    void dispatch(uint8_t opcode);
    void endRun(RunEnd why);
    // Before a fetch of a run: true when the run must stop here (passing the start row once).
    bool breakBeforeFetch();
    // After a tact of a run: a halt ends it with the halt message. Returns true when it ended.
    bool endIfHalted();
    void setEditing(bool enabled);

    // --- shared steps ---
    void fetch1();
    void fetch2();
    void fetch3();
    // Tact 4 of most families: Cmd_Reg and Cmd_DC idle, PC + 1.
    void decodeTact();
    // PC := PC + 1 with the incrementer mark "+1".
    void advancePC();
    // The incrementer falls idle: empty mark, PC_Val green.
    void clearIncrementer();
    // Cycle_Num := n, red.
    void cycle(uint8_t n);
    // Status_Reg and PSW_Label show the cycle type, both red.
    void showCycle(CycleType t);
    // Status_Reg, PSW_Label and Data_Buf green: the end of a bus cycle.
    void endBusCycle();
    // Addr_Buf := address, red.
    void address(uint16_t addr);
    // Memory read at Addr_Buf: status word, caption and Data_Buf, all three red.
    void memoryRead(CycleType t = CycleType::MemoryRead);
    void setReg(Reg r, uint8_t v);  // register and its element red
    void end() { opcode_ = -1; }
    uint8_t tact() const { return static_cast<uint8_t>(m.s.timeNum + 1); }

    // Flag update after an ALU operation; keepCarry for INR and DCR.
    enum class AluKind : uint8_t { And, Xor, Or, Add, Sub };
    void updateFlags(AluKind kind, uint8_t first, uint8_t second, uint8_t carryIn, bool keepCarry = false);
    void setCarry(bool on);  // C lamp and the last digit of Flags_Reg
    bool conditionMet(Lamp flagLamp, uint8_t selector) const { return m.lamp(flagLamp) == (selector != 0); }
    // Registers of a pair code: 0 (B, C), 1 (D, E), 2 (H, L). Code 3 (SP or PSW) has none.
    static Reg pairHigh(uint8_t pair) { return static_cast<Reg>(pair * 2); }
    static Reg pairLow(uint8_t pair) { return static_cast<Reg>(pair * 2 + 1); }

    // Helpers private to one group of families go in that group's block.
    // [transfer + stack helpers]
    // Pair code 3 is SP for LXI, INX and DCX: its element is SP_Val for either byte.
    static Element pairElement(uint8_t pair, bool high);
    // One byte of a pair := v, its element red; for SP through set SP.
    void loadPairByte(uint8_t pair, bool high, uint8_t v);
    // The pair := pair + delta (modulo 10000h), its elements red; for SP through set SP.
    void addToPair(uint8_t pair, int delta);
    // Tacts 4 to 10 of STA, LDA, SHLD and LHLD: the address operand into W:Z (Z first).
    void addressOperand();
    // Pair code 3 is PSW for PUSH and POP: A high, the flag byte low (shown by Flags_Reg).
    static Element stackElement(uint8_t pair, bool high);
    uint8_t stackByte(uint8_t pair, bool high) const;
    void popByte(uint8_t pair, bool high, uint8_t v);  // element red; PSW low sets the lamps
    // [arithmetic helpers]
    // Accumulator operation op (0..7: ADD ADC SUB SBB ANA XRA ORA CMP) on the buffers: A is taken
    // from Buf_Reg_2, the operand from Buf_Reg_1. A := result, RegA_Val red (not for CMP), flags.
    void accumulate(uint8_t op);
    // The tact table shared by INR and DCR (register and memory forms).
    void stepByOne(Reg r, bool increment);
    // [control + io helpers]
    // JMP, CALL and RET are their conditional forms with the condition always met.
    void jumpTacts(bool met);
    void callTacts(bool met);
    void returnTacts(bool met);
    // One push tact of CALL and RST: SP - 1 with "-1", stack write of value at Addr_Buf.
    void pushByte(uint8_t value);
    // Tacts 4 to 7 of OUT and IN: the port number read at PC and put on the address bus.
    void portNumberTact();

    // --- family handlers ---
    void NOP();
    void MOV(Reg dst, Reg src);
    void MVI(Reg r);
    void HLT();
    void Undefined();
    void LXI(uint8_t pair);
    void STAX(uint8_t pair);
    void LDAX(uint8_t pair);
    void INX(uint8_t pair);
    void DCX(uint8_t pair);
    void ShldLhld(bool load);
    void StaLda(bool load);
    void XCHG();
    void SPHL();
    void AddSub(uint8_t op, Reg r);
    void Logic(uint8_t op, Reg r);
    void CMP(Reg r);
    void Immediate(uint8_t op);
    void Rotate(uint8_t kind);
    void CmaStcCmc(uint8_t kind);
    void JMP();
    void JumpIf(Lamp flagLamp, uint8_t selector);
    void CALL();
    void CallIf(Lamp flagLamp, uint8_t selector);
    void RET();
    void ReturnIf(Lamp flagLamp, uint8_t selector);
    void RST(uint8_t n);
    void PCHL();
    void PUSH(uint8_t pair);
    void POP(uint8_t pair);
    void XTHL();
    void OUT();
    void EiDi(bool enable);
    void INR(Reg r);
    void DCR(Reg r);
    void DAD(uint8_t pair);
    void DAA();
    void IN();

    Machine& m;
    Host& host_;
    PortMap& ports_;
    int16_t opcode_ = -1;
    bool running_ = false;
    bool editingEnabled_ = true;
    RunEnd lastRunEnd_ = RunEnd::None;
    uint64_t tacts_ = 0;
    uint64_t runId_ = 0;  // tells a run loop whether a newer run took over
    const Breakpoints* breakpoints_ = nullptr;
    bool passBreakpoint_ = false;  // the run's first fetch is not checked
    History* history_ = nullptr;
};

}  // namespace orlan
