#include "core/assembler.h"
#include "diag/messages.h"
#include "diag/report.h"
#include "emit/emit.h"
#include "scan/scanner.h"
#include "symbols/expression.h"
#include "target/encoders.h"
#include "target/product.h"

namespace zelas {

namespace {

// ROM beyond 4K is split into a lower and an upper block; a jump's 12-bit target reaches only
// the block of its own address.
constexpr Value kUpperBlockStart = 0x1000;
// IO ports are addressed by one byte on every product.
constexpr Value kIoAddressLimit = 0x100;

bool inUpperBlock(Value address) {
  return address >= kUpperBlockStart;
}

// The target's bits 11-8 in the opcode's low nibble; the shift is arithmetic, so a negative
// target gives the low bits of its two's complement.
Value addressOpcode(Value highNibble, Value target) {
  return (highNibble & 0xF0) | ((target >> 8) & 0x0F);
}

bool beyondRom(const Assembler& as, Value target) {
  return as.romRangeCheck && target >= as.currentProduct->romSize;
}

void checkJumpBlocks(Assembler& as, Value statementAddress, Value target) {
  if (!inUpperBlock(statementAddress) && target > kUpperBlockStart - 1) {
    reportError(as, msg::jumpLowerToUpper);
  } else if (inUpperBlock(statementAddress) && target < kUpperBlockStart) {
    reportError(as, msg::jumpUpperToLower);
  }
}

// Family B reaches the upper block through its own call opcode; family A has only the one.
const OpcodeRow& callForm(Assembler& as, const InstructionEntry& entry, Value statementAddress,
                          Value target) {
  const OpcodeRow& lowerCall = kOpcodeMap[entry.row];
  if (as.currentProduct->family == CpuFamily::A) return lowerCall;
  if (inUpperBlock(statementAddress) && target < kUpperBlockStart) {
    reportError(as, msg::callUpperToLower);
  }
  return inUpperBlock(target) ? kOpcodeMap[entry.otherRow] : lowerCall;
}

// After "[": the IO operand's bracket syntax, reported when it is not iowx's [x+...].
void readIoBracket(Assembler& as, bool indexedForm) {
  if (!indexedForm) {
    reportWarning(as, msg::illegalIoOperand);
  } else if (!acceptPair(as, 'x', '+')) {
    reportWarning(as, msg::iowxExpectsIndex);
  }
}

}  // namespace

void encodeJump(Assembler& as, const InstructionEntry& entry) {
  const OpcodeRow& form = kOpcodeMap[entry.row];
  // The block rule uses the statement's own address, before any page filler moves it.
  Value statementAddress = as.pc;
  Value target = evaluateOperand(as);
  if (beyondRom(as, target)) {
    reportMinorWarning(as, msg::jumpOutOfRange, toUnsigned(target),
                       toUnsigned(as.currentProduct->romSize));
  } else {
    checkJumpBlocks(as, statementAddress, target);
  }
  if (excessText(as)) reportMinorWarning(as, msg::tooManyAddressOperands);
  emitTwoBytes(as, addressOpcode(form.opcode, target), target, form.cycles);
}

void encodeCall(Assembler& as, const InstructionEntry& entry) {
  Value statementAddress = as.pc;
  Value target = evaluateOperand(as);
  if (beyondRom(as, target)) {
    reportMinorWarning(as, msg::callOutOfRange, toUnsigned(target),
                       toUnsigned(as.currentProduct->romSize));
  }
  const OpcodeRow& form = callForm(as, entry, statementAddress, target);
  if (excessText(as)) reportMinorWarning(as, msg::tooManyAddressOperands);
  emitTwoBytes(as, addressOpcode(form.opcode, target), target, form.cycles);
}

void encodeIo(Assembler& as, const InstructionEntry& entry) {
  const OpcodeRow& form = kOpcodeMap[entry.row];
  bool bracketed = acceptChar(as, '[');
  if (bracketed) readIoBracket(as, form.operands.starts_with('['));
  Value port = evaluateOperand(as);
  skipBlanks(as, true);
  if (bracketed) expectChar(as, ']');
  if (port >= kIoAddressLimit) {
    reportMinorWarning(as, msg::ioOutOfRange, toUnsigned(port), toUnsigned(kIoAddressLimit));
  }
  if (excessText(as)) reportWarning(as, msg::tooManyIo);
  emitRow(as, form, port);
}

void encodeIpret(Assembler& as, const InstructionEntry& entry) {
  const OpcodeRow& form = kOpcodeMap[entry.row];
  Value value = evaluateOperand(as);
  skipBlanks(as, true);
  checkFamily(as, form);
  if (excessText(as)) reportWarning(as, msg::tooManyIpret);
  emitRow(as, form, value);
}

}  // namespace zelas
