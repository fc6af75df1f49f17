// The label pass: which bytes of an image are code, found by walking the flow of control, and
// which addresses are jump, call or table targets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "target/product.h"

namespace zelas::dis {

// What a byte of the image is.
enum class ByteRole : std::uint8_t {
  data,         // reached by no code path (or no instruction of the family)
  instruction,  // the first byte of a decoded instruction
  operand,      // the second byte of a two-byte instruction
};

// What the label pass found, per byte of the image.
struct CodeMap {
  std::vector<ByteRole> role;  // per address
  std::vector<bool> target;    // per address: named by a jump, call, jacc or index operand
};

// Walks the code from address 0 and from every jump and call target. Conditional jumps and calls
// also go on to the next instruction; jmp, jacc, ret, reti, ipret and halt end a path. A path
// ends too at a byte that is no instruction of the family, at an instruction that would overlap
// one already decoded, and at the end of the image. The tables that jacc and index name are
// labelled, but how far they reach and what the accumulator selects the image does not tell:
// at a jacc target the run of jmp instructions is taken as its jump table (each entry followed,
// the run ending at the first other byte, after every ordinary path has been walked), while an
// index table is data that no path enters unless another one reaches it.
CodeMap mapCode(std::span<const std::uint8_t> image, CpuFamily family);

}  // namespace zelas::dis
