// The instruction decoder: the opcode map read in reverse, one byte to one form of a family.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "core/value.h"
#include "target/opcode_map.h"
#include "target/product.h"

namespace zelas::dis {

// What an instruction does to the flow of control, for the walk over the code.
enum class Flow : std::uint8_t {
  next,    // goes on with the following instruction
  jump,    // goes to its target only
  branch,  // goes to its target or on (conditional jumps)
  call,    // goes to its target and returns to the following instruction
  table,   // jumps into a table at its target plus the accumulator (jacc): not followed
  lookup,  // reads a table at its target plus the accumulator, then goes on (index)
  stop,    // goes nowhere the image tells (ret, reti, ipret, halt)
};

// One decoded instruction.
struct Decoded {
  const OpcodeRow* row = nullptr;  // the form in the opcode map
  std::uint8_t opcode = 0;         // the first byte as found in the image
  std::uint8_t operand = 0;        // the second byte of a two-byte form
  Value target = 0;                // the ROM address of a target operand, else 0
};

// The row of the opcode map that opcode decodes to in family, or null when it is no instruction
// of that family. Where two forms share an opcode, the first row of the map wins.
const OpcodeRow* rowForOpcode(std::uint8_t opcode, CpuFamily family);
// Decodes the instruction at address; none when the byte is no instruction of the family or the
// instruction would run past the end of the image.
std::optional<Decoded> decodeAt(std::span<const std::uint8_t> image, std::size_t address,
                                CpuFamily family);
// The ROM address that a target operand names, for an instruction at address.
Value targetOf(const OpcodeRow& row, std::uint8_t opcode, std::uint8_t operand, std::size_t address,
               CpuFamily family);
// How the decoded form moves the flow of control.
Flow flowOf(const OpcodeRow& row);

}  // namespace zelas::dis
