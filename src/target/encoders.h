// The instruction encoders and the checks they share. Each encoder starts with the cursor on the
// first character after the mnemonic and emits at most one instruction.
#pragma once

#include <cstddef>

#include "core/value.h"
#include "target/opcode_map.h"

namespace zelas {

struct Assembler;
struct InstructionEntry;

// One encoder per operand grammar; entry names the opcode map rows it encodes.
using Encoder = void (*)(Assembler& as, const InstructionEntry& entry);

// One row of the instruction table: the mnemonic as matched, its encoder and the rows it uses.
struct InstructionEntry {
  const char* mnemonic;  // lower case, matched as a prefix
  bool delimited;        // a blank or the line end must follow the mnemonic
  Encoder encode;
  std::size_t row;       // the first form's row in kOpcodeMap
  std::size_t otherRow;  // logic: the memory-destination form; call: the upper-block call
};

// ---- Shared operand checks -------------------------------------------------------------------
// Skips blanks and a comment; true when text remains on the line.
bool excessText(Assembler& as);
// Immediate data of 256 or more is reported.
void checkData(Assembler& as, Value value);
// A bracket operand outside the current product's RAM is reported.
void checkRamAddress(Assembler& as, Value value);
// A form that the current product's family lacks is reported (it is still emitted).
void checkFamily(Assembler& as, const OpcodeRow& row);
// Emits a row's one-byte form.
void emitRow(Assembler& as, const OpcodeRow& row);
// Emits a row's two-byte form with its operand byte.
void emitRow(Assembler& as, const OpcodeRow& row, Value operand);

// ---- Register and memory encoders ------------------------------------------------------------
// add a,<expr> | add a,[<expr>] | add a,[x+<expr>]  (and adc, sub, sbb, cmp)
void encodeAccumulator(Assembler& as, const InstructionEntry& entry);
// or a,... | or [<expr>],a | or [x+<expr>],a  (and and, xor)
void encodeLogic(Assembler& as, const InstructionEntry& entry);
// mov in all its forms
void encodeMov(Assembler& as, const InstructionEntry& entry);
// inc a | inc x | inc [<expr>] | inc [x+<expr>]  (and dec)
void encodeIncDec(Assembler& as, const InstructionEntry& entry);
// push a | push x  (and pop)
void encodePushPop(Assembler& as, const InstructionEntry& entry);
// swap a,x | swap a,dsp | swap a,psp
void encodeSwap(Assembler& as, const InstructionEntry& entry);
// cpl [a]  (and asl, asr, rlc, rrc)
void encodeShift(Assembler& as, const InstructionEntry& entry);
// halt, xpage, nop, ret, and the family B reti, di, ei
void encodeNoOperand(Assembler& as, const InstructionEntry& entry);

// ---- Address, IO and IPRET encoders ----------------------------------------------------------
// jmp <expr>  (and jz, jnz, jc, jnc, jacc, index)
void encodeJump(Assembler& as, const InstructionEntry& entry);
// call <expr>
void encodeCall(Assembler& as, const InstructionEntry& entry);
// iord <expr> | iowr <expr> | iowx [x+<expr>]
void encodeIo(Assembler& as, const InstructionEntry& entry);
// ipret <expr>
void encodeIpret(Assembler& as, const InstructionEntry& entry);

}  // namespace zelas
