// The opcode map of both CPU families: one row per instruction form. The encoders take their
// opcodes and cycle counts from it, and a disassembler can read it the other way round (opcode to
// mnemonic, operand form, length and family).
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string_view>

#include "target/product.h"

namespace zelas {

// What the operand byte of a two-byte form carries.
enum class OperandKind : std::uint8_t {
  none,         // one-byte form
  data,         // immediate data
  ramAddress,   // direct RAM address
  indexOffset,  // offset added to x
  ioAddress,    // IO port
  value,        // low byte of a value (ipret)
  target,       // ROM target bits 7-0; bits 11-8 fill the opcode's low nibble
};

// Which CPU families may use a form.
enum class Families : std::uint8_t { both, onlyA, onlyB };

struct OpcodeRow {
  std::uint8_t opcode;  // for OperandKind::target only the high nibble; the low one is address
  std::string_view mnemonic;
  std::string_view operands;  // operand syntax, "" for none
  std::uint8_t bytes;
  OperandKind operand;
  std::uint8_t cycles;
  Families families;
};

// In opcode order; 5nh (the upper-block call of family B) stands where its opcode falls.
// mov psp,a and swap a,psp share 60h and differ only in their cycle count.
inline constexpr OpcodeRow kOpcodeMap[] = {
    // clang-format off
    // code mnemonic operands   bytes operand                 cycles families
    {0x00, "halt",  "",           1, OperandKind::none,          7, Families::both  },
    {0x01, "add",   "a,expr",     2, OperandKind::data,          4, Families::both  },
    {0x02, "add",   "a,[expr]",   2, OperandKind::ramAddress,    6, Families::both  },
    {0x03, "add",   "a,[x+expr]", 2, OperandKind::indexOffset,   7, Families::both  },
    {0x04, "adc",   "a,expr",     2, OperandKind::data,          4, Families::both  },
    {0x05, "adc",   "a,[expr]",   2, OperandKind::ramAddress,    6, Families::both  },
    {0x06, "adc",   "a,[x+expr]", 2, OperandKind::indexOffset,   7, Families::both  },
    {0x07, "sub",   "a,expr",     2, OperandKind::data,          4, Families::both  },
    {0x08, "sub",   "a,[expr]",   2, OperandKind::ramAddress,    6, Families::both  },
    {0x09, "sub",   "a,[x+expr]", 2, OperandKind::indexOffset,   7, Families::both  },
    {0x0A, "sbb",   "a,expr",     2, OperandKind::data,          4, Families::both  },
    {0x0B, "sbb",   "a,[expr]",   2, OperandKind::ramAddress,    6, Families::both  },
    {0x0C, "sbb",   "a,[x+expr]", 2, OperandKind::indexOffset,   7, Families::both  },
    {0x0D, "or",    "a,expr",     2, OperandKind::data,          4, Families::both  },
    {0x0E, "or",    "a,[expr]",   2, OperandKind::ramAddress,    6, Families::both  },
    {0x0F, "or",    "a,[x+expr]", 2, OperandKind::indexOffset,   7, Families::both  },
    {0x10, "and",   "a,expr",     2, OperandKind::data,          4, Families::both  },
    {0x11, "and",   "a,[expr]",   2, OperandKind::ramAddress,    6, Families::both  },
    {0x12, "and",   "a,[x+expr]", 2, OperandKind::indexOffset,   7, Families::both  },
    {0x13, "xor",   "a,expr",     2, OperandKind::data,          4, Families::both  },
    {0x14, "xor",   "a,[expr]",   2, OperandKind::ramAddress,    6, Families::both  },
    {0x15, "xor",   "a,[x+expr]", 2, OperandKind::indexOffset,   7, Families::both  },
    {0x16, "cmp",   "a,expr",     2, OperandKind::data,          5, Families::both  },
    {0x17, "cmp",   "a,[expr]",   2, OperandKind::ramAddress,    7, Families::both  },
    {0x18, "cmp",   "a,[x+expr]", 2, OperandKind::indexOffset,   8, Families::both  },
    {0x19, "mov",   "a,expr",     2, OperandKind::data,          4, Families::both  },
    {0x1A, "mov",   "a,[expr]",   2, OperandKind::ramAddress,    5, Families::both  },
    {0x1B, "mov",   "a,[x+expr]", 2, OperandKind::indexOffset,   6, Families::both  },
    {0x1C, "mov",   "x,expr",     2, OperandKind::data,          4, Families::both  },
    {0x1D, "mov",   "x,[expr]",   2, OperandKind::ramAddress,    5, Families::both  },
    {0x1E, "ipret", "expr",       2, OperandKind::value,        13, Families::onlyA },
    {0x1F, "xpage", "",           1, OperandKind::none,          4, Families::both  },
    {0x20, "nop",   "",           1, OperandKind::none,          4, Families::both  },
    {0x21, "inc",   "a",          1, OperandKind::none,          4, Families::both  },
    {0x22, "inc",   "x",          1, OperandKind::none,          4, Families::both  },
    {0x23, "inc",   "[expr]",     2, OperandKind::ramAddress,    7, Families::both  },
    {0x24, "inc",   "[x+expr]",   2, OperandKind::indexOffset,   8, Families::both  },
    {0x25, "dec",   "a",          1, OperandKind::none,          4, Families::both  },
    {0x26, "dec",   "x",          1, OperandKind::none,          4, Families::both  },
    {0x27, "dec",   "[expr]",     2, OperandKind::ramAddress,    7, Families::both  },
    {0x28, "dec",   "[x+expr]",   2, OperandKind::indexOffset,   8, Families::both  },
    {0x29, "iord",  "expr",       2, OperandKind::ioAddress,     5, Families::both  },
    {0x2A, "iowr",  "expr",       2, OperandKind::ioAddress,     5, Families::both  },
    {0x2B, "pop",   "a",          1, OperandKind::none,          4, Families::both  },
    {0x2C, "pop",   "x",          1, OperandKind::none,          4, Families::both  },
    {0x2D, "push",  "a",          1, OperandKind::none,          5, Families::both  },
    {0x2E, "push",  "x",          1, OperandKind::none,          5, Families::both  },
    {0x2F, "swap",  "a,x",        1, OperandKind::none,          5, Families::both  },
    {0x30, "swap",  "a,dsp",      1, OperandKind::none,          5, Families::both  },
    {0x31, "mov",   "[expr],a",   2, OperandKind::ramAddress,    5, Families::both  },
    {0x32, "mov",   "[x+expr],a", 2, OperandKind::indexOffset,   6, Families::both  },
    {0x33, "or",    "[expr],a",   2, OperandKind::ramAddress,    7, Families::both  },
    {0x34, "or",    "[x+expr],a", 2, OperandKind::indexOffset,   8, Families::both  },
    {0x35, "and",   "[expr],a",   2, OperandKind::ramAddress,    7, Families::both  },
    {0x36, "and",   "[x+expr],a", 2, OperandKind::indexOffset,   8, Families::both  },
    {0x37, "xor",   "[expr],a",   2, OperandKind::ramAddress,    7, Families::both  },
    {0x38, "xor",   "[x+expr],a", 2, OperandKind::indexOffset,   8, Families::both  },
    {0x39, "iowx",  "[x+expr]",   2, OperandKind::ioAddress,     6, Families::both  },
    {0x3A, "cpl",   "",           1, OperandKind::none,          4, Families::both  },
    {0x3B, "asl",   "",           1, OperandKind::none,          4, Families::both  },
    {0x3C, "asr",   "",           1, OperandKind::none,          4, Families::both  },
    {0x3D, "rlc",   "",           1, OperandKind::none,          4, Families::both  },
    {0x3E, "rrc",   "",           1, OperandKind::none,          4, Families::both  },
    {0x3F, "ret",   "",           1, OperandKind::none,          8, Families::both  },
    {0x40, "mov",   "a,x",        1, OperandKind::none,          4, Families::onlyB },
    {0x41, "mov",   "x,a",        1, OperandKind::none,          4, Families::onlyB },
    {0x50, "call",  "expr",       2, OperandKind::target,       10, Families::onlyB },
    {0x60, "mov",   "psp,a",      1, OperandKind::none,          4, Families::onlyB },
    {0x60, "swap",  "a,psp",      1, OperandKind::none,          5, Families::onlyB },
    {0x70, "di",    "",           1, OperandKind::none,          4, Families::onlyB },
    {0x72, "ei",    "",           1, OperandKind::none,          4, Families::onlyB },
    {0x73, "reti",  "",           1, OperandKind::none,          8, Families::onlyB },
    {0x80, "jmp",   "expr",       2, OperandKind::target,        5, Families::both  },
    {0x90, "call",  "expr",       2, OperandKind::target,       10, Families::both  },
    {0xA0, "jz",    "expr",       2, OperandKind::target,        5, Families::both  },
    {0xB0, "jnz",   "expr",       2, OperandKind::target,        5, Families::both  },
    {0xC0, "jc",    "expr",       2, OperandKind::target,        5, Families::both  },
    {0xD0, "jnc",   "expr",       2, OperandKind::target,        5, Families::both  },
    {0xE0, "jacc",  "expr",       2, OperandKind::target,        7, Families::both  },
    {0xF0, "index", "expr",       2, OperandKind::target,       14, Families::both  },
    // clang-format on
};

inline constexpr std::size_t kOpcodeMapSize = std::size(kOpcodeMap);

// Index of the row with this mnemonic, operand form and families; evaluated at compile time,
// where a missing row is a compile error.
consteval std::size_t opcodeRowIndex(std::string_view mnemonic, std::string_view operands,
                                     Families families) {
  for (std::size_t i = 0; i < kOpcodeMapSize; ++i) {
    const OpcodeRow& r = kOpcodeMap[i];
    if (r.mnemonic == mnemonic && r.operands == operands && r.families == families) return i;
  }
  throw "no such row in the opcode map";
}

// Index of the first row with this mnemonic and operand form, whatever its families.
consteval std::size_t opcodeRowIndex(std::string_view mnemonic, std::string_view operands) {
  for (std::size_t i = 0; i < kOpcodeMapSize; ++i) {
    const OpcodeRow& r = kOpcodeMap[i];
    if (r.mnemonic == mnemonic && r.operands == operands) return i;
  }
  throw "no such row in the opcode map";
}

// The row of a form, found at compile time.
consteval const OpcodeRow& opcodeRow(std::string_view mnemonic, std::string_view operands) {
  return kOpcodeMap[opcodeRowIndex(mnemonic, operands)];
}

// True when the row's form is legal for family.
constexpr bool legalForFamily(const OpcodeRow& row, CpuFamily family) {
  if (row.families == Families::onlyA) return family == CpuFamily::A;
  if (row.families == Families::onlyB) return family == CpuFamily::B;
  return true;
}

}  // namespace zelas
