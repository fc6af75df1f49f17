#include <iterator>

#include "core/assembler.h"
#include "diag/messages.h"
#include "diag/report.h"
#include "emit/emit.h"
#include "scan/scanner.h"
#include "symbols/expression.h"
#include "target/encoders.h"

namespace zelas {

namespace {

// Placeholders for operands that fit no form: the statement still takes the room the source
// author meant, so the addresses after it do not shift.
constexpr int kPlaceholderCycles = 5;
constexpr Value kPlaceholderByte = 0x00;

constexpr std::size_t kMovAImmediate = opcodeRowIndex("mov", "a,expr");
constexpr const OpcodeRow& kMovXImmediate = opcodeRow("mov", "x,expr");
constexpr const OpcodeRow& kMovXDirect = opcodeRow("mov", "x,[expr]");
constexpr const OpcodeRow& kMovXFromA = opcodeRow("mov", "x,a");
constexpr const OpcodeRow& kMovAFromX = opcodeRow("mov", "a,x");
constexpr const OpcodeRow& kMovToDirect = opcodeRow("mov", "[expr],a");
constexpr const OpcodeRow& kMovToIndexed = opcodeRow("mov", "[x+expr],a");
constexpr const OpcodeRow& kMovPspFromA = opcodeRow("mov", "psp,a");

const OpcodeRow& rowAt(std::size_t index) {
  return kOpcodeMap[index];
}

// [<expr>] or [x+<expr>] after the "[": the value and whether it was indexed.
struct BracketOperand {
  Value value;
  bool indexed;
};

BracketOperand readBracketOperand(Assembler& as) {
  bool indexed = acceptPair(as, 'x', '+');
  Value value = evaluateOperand(as);
  expectChar(as, ']');
  checkRamAddress(as, value);
  return {value, indexed};
}

// a,<expr> | a,[<expr>] | a,[x+<expr>] with the three rows from first on.
void encodeAccumulatorForms(Assembler& as, std::size_t first, bool readA) {
  if (readA && !acceptPair(as, 'a', ',')) {
    if (atLineEnd(as)) {
      reportError(as, msg::missingOperand);
    } else {
      reportError(as, msg::illegalOperands);
    }
    emitTwoBytes(as, rowAt(first).opcode, kPlaceholderByte, kPlaceholderCycles);
    return;
  }
  const OpcodeRow* form = &rowAt(first);
  Value value;
  if (acceptChar(as, '[')) {
    BracketOperand operand = readBracketOperand(as);
    form = &rowAt(first + (operand.indexed ? 2 : 1));
    value = operand.value;
  } else {
    value = evaluateOperand(as);
    checkData(as, value);
  }
  if (excessText(as)) reportWarning(as, msg::tooManyOperands);
  emitRow(as, *form, value);
}

// A one-byte register form, reported when the family lacks it or text follows it.
void encodeMovRegisterForm(Assembler& as, const OpcodeRow& form) {
  checkFamily(as, form);
  if (excessText(as)) reportWarning(as, msg::tooManyMovOperands);
  emitRow(as, form);
}

// mov x,[<expr>] | mov x,a | mov x,<expr>, after "x,".
void encodeMovToX(Assembler& as) {
  const OpcodeRow* form = &kMovXImmediate;
  Value value;
  if (acceptChar(as, '[')) {
    if (acceptPair(as, 'x', '+')) {
      // The index register can't index itself; the rest of the line is not read.
      reportWarning(as, msg::movXIndexed);
      emitByte(as, kPlaceholderByte, kPlaceholderCycles);
      return;
    }
    form = &kMovXDirect;
    value = evaluateOperand(as);
    expectChar(as, ']');
    checkRamAddress(as, value);
  } else if (matchKeyword(as, "a", MatchMode::wholeWord)) {
    encodeMovRegisterForm(as, kMovXFromA);
    return;
  } else {
    value = evaluateOperand(as);
    checkData(as, value);
  }
  if (excessText(as)) reportWarning(as, msg::tooManyMovOperands);
  emitRow(as, *form, value);
}

// mov [<expr>],a | mov [x+<expr>],a | mov [x],a, after "[".
void encodeMovToMemory(Assembler& as) {
  const OpcodeRow* form = &kMovToDirect;
  Value value = 0;
  if (acceptPair(as, 'x', '+')) {
    form = &kMovToIndexed;
    value = evaluateOperand(as);
    expectChar(as, ']');
  } else if (acceptPair(as, 'x', ']')) {
    form = &kMovToIndexed;  // [x] is [x+0]
  } else {
    value = evaluateOperand(as);
    expectChar(as, ']');
  }
  checkRamAddress(as, value);
  if (acceptPair(as, ',', 'a')) {
    if (excessText(as)) reportWarning(as, msg::tooManyMovOperands);
  } else {
    reportWarning(as, msg::expectedCommaA);
  }
  emitRow(as, *form, value);
}

}  // namespace

void encodeAccumulator(Assembler& as, const InstructionEntry& entry) {
  encodeAccumulatorForms(as, entry.row, true);
}

void encodeLogic(Assembler& as, const InstructionEntry& entry) {
  if (!acceptChar(as, '[')) {
    encodeAccumulatorForms(as, entry.row, true);
    return;
  }
  BracketOperand operand = readBracketOperand(as);
  const OpcodeRow& form = rowAt(entry.otherRow + (operand.indexed ? 1 : 0));
  if (acceptPair(as, ',', 'a')) {
    if (excessText(as)) reportWarning(as, msg::tooManyLogic);
  } else {
    reportWarning(as, msg::expectedCommaA);
  }
  emitRow(as, form, operand.value);
}

void encodeMov(Assembler& as, const InstructionEntry&) {
  if (acceptPair(as, 'x', ',')) {
    encodeMovToX(as);
  } else if (acceptChar(as, '[')) {
    encodeMovToMemory(as);
  } else if (acceptPair(as, 'a', ',')) {
    // Whole word only, so that labels beginning with x stay usable as data.
    if (matchKeyword(as, "x", MatchMode::wholeWord)) {
      encodeMovRegisterForm(as, kMovAFromX);
    } else {
      encodeAccumulatorForms(as, kMovAImmediate, false);
    }
  } else if (matchKeyword(as, "psp", MatchMode::prefix) && acceptPair(as, ',', 'a')) {
    encodeMovRegisterForm(as, kMovPspFromA);
  } else {
    // No form fits: nothing is emitted and pc stays, so no listing line either.
    reportError(as, msg::illegalForAllCpus);
  }
}

void encodeIncDec(Assembler& as, const InstructionEntry& entry) {
  const OpcodeRow& toA = rowAt(entry.row);
  if (matchKeyword(as, "a", MatchMode::prefix)) {
    if (excessText(as)) reportWarning(as, msg::tooManyIncDecA);
    emitRow(as, toA);
  } else if (matchKeyword(as, "x", MatchMode::prefix)) {
    if (excessText(as)) reportWarning(as, msg::tooManyIncDecX);
    emitRow(as, rowAt(entry.row + 1));
  } else if (acceptChar(as, '[')) {
    bool indexed = acceptPair(as, 'x', '+');
    Value value = evaluateOperand(as);
    // The RAM check comes before the bracket check, so its warning stands first.
    checkRamAddress(as, value);
    expectChar(as, ']');
    if (excessText(as)) reportWarning(as, msg::tooManyIncDecMem);
    emitRow(as, rowAt(entry.row + (indexed ? 3 : 2)), value);
  } else {
    if (atLineEnd(as)) {
      reportError(as, msg::missingIncDec);
    } else {
      reportError(as, msg::illegalIncDec);
    }
    emitRow(as, toA);
  }
}

void encodePushPop(Assembler& as, const InstructionEntry& entry) {
  const OpcodeRow& withA = rowAt(entry.row);
  if (matchKeyword(as, "a", MatchMode::prefix)) {
    if (excessText(as)) reportWarning(as, msg::tooManyPushPopA);
    emitRow(as, withA);
  } else if (matchKeyword(as, "x", MatchMode::prefix)) {
    if (excessText(as)) reportWarning(as, msg::tooManyPushPopX);
    emitRow(as, rowAt(entry.row + 1));
  } else {
    if (atLineEnd(as)) {
      reportError(as, msg::missingPushPop);
    } else {
      reportError(as, msg::illegalPushPop);
    }
    emitRow(as, withA);
  }
}

void encodeSwap(Assembler& as, const InstructionEntry&) {
  static constexpr const OpcodeRow* kForms[] = {
      &opcodeRow("swap", "a,x"), &opcodeRow("swap", "a,dsp"), &opcodeRow("swap", "a,psp")};
  static constexpr const char* kSecondWords[] = {"x", "dsp", "psp"};
  static_assert(std::size(kForms) == std::size(kSecondWords));
  for (std::size_t i = 0; i < std::size(kForms); ++i) {
    if (!matchWordPair(as, "a", ',', kSecondWords[i])) continue;
    checkFamily(as, *kForms[i]);
    if (excessText(as)) reportWarning(as, msg::tooManySwap);
    emitRow(as, *kForms[i]);
    return;
  }
  if (atLineEnd(as)) {
    reportError(as, msg::missingSwap);
  } else {
    reportError(as, msg::illegalSwap);
  }
  emitByte(as, kPlaceholderByte, kPlaceholderCycles);
}

void encodeShift(Assembler& as, const InstructionEntry& entry) {
  // The accumulator is the only operand, and writing it is optional.
  if (!atLineEnd(as) && (!matchKeyword(as, "a", MatchMode::prefix) || excessText(as))) {
    reportWarning(as, msg::tooManyForInstruction);
  }
  emitRow(as, rowAt(entry.row));
}

void encodeNoOperand(Assembler& as, const InstructionEntry& entry) {
  const OpcodeRow& form = rowAt(entry.row);
  checkFamily(as, form);
  if (excessText(as)) reportWarning(as, msg::noOperandsAllowed);
  emitRow(as, form);
}

}  // namespace zelas
