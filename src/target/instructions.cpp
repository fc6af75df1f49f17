#include "target/instructions.h"

#include <array>
#include <cstdint>
#include <iterator>
#include <string_view>

#include "core/assembler.h"
#include "diag/messages.h"
#include "diag/report.h"
#include "emit/emit.h"
#include "scan/keyword_table.h"
#include "scan/scanner.h"
#include "target/encoders.h"
#include "target/product.h"

namespace zelas {

namespace {

constexpr std::size_t kNoRow = kOpcodeMapSize;

consteval std::size_t row(std::string_view mnemonic, std::string_view operands) {
  return opcodeRowIndex(mnemonic, operands);
}

// Mnemonics match as prefixes, so the order matters: "reti" before "ret", and the table is tried
// after the directives, so "org" and "xpageon" never reach "or" and "xpage".
constexpr InstructionEntry kInstructionTable[] = {
    // clang-format off
    // mnemonic delimited encoder            first form row              other row
    {"halt",  false, encodeNoOperand,   row("halt", ""),           kNoRow},
    {"add",   true,  encodeAccumulator, row("add", "a,expr"),      kNoRow},
    {"adc",   true,  encodeAccumulator, row("adc", "a,expr"),      kNoRow},
    {"sub",   true,  encodeAccumulator, row("sub", "a,expr"),      kNoRow},
    {"sbb",   true,  encodeAccumulator, row("sbb", "a,expr"),      kNoRow},
    {"or",    true,  encodeLogic,       row("or", "a,expr"),       row("or", "[expr],a")},
    {"and",   true,  encodeLogic,       row("and", "a,expr"),      row("and", "[expr],a")},
    {"xor",   true,  encodeLogic,       row("xor", "a,expr"),      row("xor", "[expr],a")},
    {"cmp",   true,  encodeAccumulator, row("cmp", "a,expr"),      kNoRow},
    {"mov",   true,  encodeMov,         row("mov", "a,expr"),      kNoRow},
    {"xpage", false, encodeNoOperand,   row("xpage", ""),          kNoRow},
    {"nop",   false, encodeNoOperand,   row("nop", ""),            kNoRow},
    {"inc",   true,  encodeIncDec,      row("inc", "a"),           kNoRow},
    {"dec",   true,  encodeIncDec,      row("dec", "a"),           kNoRow},
    {"iord",  true,  encodeIo,          row("iord", "expr"),       kNoRow},
    {"iowr",  true,  encodeIo,          row("iowr", "expr"),       kNoRow},
    {"pop",   true,  encodePushPop,     row("pop", "a"),           kNoRow},
    {"push",  true,  encodePushPop,     row("push", "a"),          kNoRow},
    {"swap",  true,  encodeSwap,        row("swap", "a,x"),        kNoRow},
    {"ipret", true,  encodeIpret,       row("ipret", "expr"),      kNoRow},
    {"iowx",  false, encodeIo,          row("iowx", "[x+expr]"),   kNoRow},
    {"cpl",   false, encodeShift,       row("cpl", ""),            kNoRow},
    {"asl",   false, encodeShift,       row("asl", ""),            kNoRow},
    {"asr",   false, encodeShift,       row("asr", ""),            kNoRow},
    {"rlc",   false, encodeShift,       row("rlc", ""),            kNoRow},
    {"rrc",   false, encodeShift,       row("rrc", ""),            kNoRow},
    {"reti",  false, encodeNoOperand,   row("reti", ""),           kNoRow},
    {"di",    false, encodeNoOperand,   row("di", ""),             kNoRow},
    {"ei",    false, encodeNoOperand,   row("ei", ""),             kNoRow},
    {"ret",   false, encodeNoOperand,   row("ret", ""),            kNoRow},
    {"jmp",   true,  encodeJump,        row("jmp", "expr"),        kNoRow},
    {"call",  true,  encodeCall,        opcodeRowIndex("call", "expr", Families::both),
                                        opcodeRowIndex("call", "expr", Families::onlyB)},
    {"jz",    true,  encodeJump,        row("jz", "expr"),         kNoRow},
    {"jnz",   true,  encodeJump,        row("jnz", "expr"),        kNoRow},
    {"jc",    true,  encodeJump,        row("jc", "expr"),         kNoRow},
    {"jnc",   true,  encodeJump,        row("jnc", "expr"),        kNoRow},
    {"jacc",  true,  encodeJump,        row("jacc", "expr"),       kNoRow},
    {"index", true,  encodeJump,        row("index", "expr"),      kNoRow},
    // clang-format on
};
static_assert(std::size(kInstructionTable) == 38);

// The encoders step from an entry's first row to the neighbouring forms; check that the opcode
// map keeps those forms side by side.
consteval bool rowsInStep(std::size_t first, std::initializer_list<std::string_view> operands) {
  std::size_t i = first;
  for (std::string_view o : operands) {
    if (i >= kOpcodeMapSize || kOpcodeMap[i].operands != o ||
        kOpcodeMap[i].mnemonic != kOpcodeMap[first].mnemonic) {
      return false;
    }
    ++i;
  }
  return true;
}

// Chooses the check by the entry's mnemonic and first form rather than by its encoder: the
// addresses of two functions can't be compared at compile time in every build (sanitizers).
consteval bool tableInStep() {
  for (const InstructionEntry& e : kInstructionTable) {
    const OpcodeRow& first = kOpcodeMap[e.row];
    std::string_view m = e.mnemonic;
    if (first.mnemonic != m) return false;
    bool ok = true;
    if (first.operands == "a,expr") {
      ok = rowsInStep(e.row, {"a,expr", "a,[expr]", "a,[x+expr]"});
    } else if (m == "inc" || m == "dec") {
      ok = rowsInStep(e.row, {"a", "x", "[expr]", "[x+expr]"});
    } else if (m == "pop" || m == "push") {
      ok = rowsInStep(e.row, {"a", "x"});
    }
    if (m == "or" || m == "and" || m == "xor") {
      ok = ok && rowsInStep(e.otherRow, {"[expr],a", "[x+expr],a"});
    }
    if (!ok) return false;
  }
  return true;
}
static_assert(tableInStep(), "an encoder's forms are not side by side in the opcode map");

constexpr KeywordsByLetters kMnemonicsByLetters(kInstructionTable, &InstructionEntry::mnemonic);

// The bytes every form of a mnemonic takes, or 0 when its forms differ in size. The encoders of
// such a mnemonic emit that many bytes whatever the operands, malformed ones included (their
// placeholders take the size of the forms), so pass 1 knows the size without reading them.
constexpr std::uint8_t uniformSize(std::string_view mnemonic) {
  std::uint8_t size = 0;
  for (const OpcodeRow& r : kOpcodeMap) {
    if (r.mnemonic != mnemonic) continue;
    if (size != 0 && r.bytes != size) return 0;
    size = r.bytes;
  }
  return size;
}

constexpr auto kUniformSizes = [] {
  std::array<std::uint8_t, std::size(kInstructionTable)> sizes{};
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    sizes[i] = uniformSize(kInstructionTable[i].mnemonic);
  }
  return sizes;
}();
static_assert(kUniformSizes[0] == 1 && kUniformSizes[1] == 2, "halt and add have one size");
static_assert(uniformSize("mov") == 0 && uniformSize("inc") == 0, "mov and inc have two");

}  // namespace

bool assembleInstruction(Assembler& as) {
  for (std::uint8_t entry : kMnemonicsByLetters.startingWith(as.scanPos)) {
    const InstructionEntry& e = kInstructionTable[entry];
    MatchMode mode = e.delimited ? MatchMode::delimited : MatchMode::prefix;
    if (matchKeyword(as, e.mnemonic, mode)) {
      if (as.pass == 1 && kUniformSizes[entry] != 0) {
        // Pass 1 reports nothing and stores nothing: of such an instruction it needs the size.
        reserveCode(as, kUniformSizes[entry]);
      } else {
        e.encode(as, e);
      }
      return true;
    }
  }
  return false;
}

bool excessText(Assembler& as) {
  skipBlanks(as, true);
  return !atLineEnd(as);
}

void checkData(Assembler& as, Value value) {
  if (value >= 256) reportMinorWarning(as, msg::dataOutOfRange, value, 256);
}

void checkRamAddress(Assembler& as, Value value) {
  if (!isRamAddress(as, value)) reportMinorWarning(as, msg::nonexistentRam, toUnsigned(value));
}

void checkFamily(Assembler& as, const OpcodeRow& row) {
  if (legalForFamily(row, as.currentProduct->family)) return;
  if (row.families == Families::onlyB) {
    reportError(as, msg::illegalForCpu);
  } else {
    reportError(as, msg::illegalForProduct);
  }
}

void emitRow(Assembler& as, const OpcodeRow& row) {
  emitByte(as, row.opcode, row.cycles);
}

void emitRow(Assembler& as, const OpcodeRow& row, Value operand) {
  emitTwoBytes(as, row.opcode, operand, row.cycles);
}

}  // namespace zelas
