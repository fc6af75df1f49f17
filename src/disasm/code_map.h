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

struct CodeMap {
  std::vector<ByteRole> role;  // per address
  std::vector<bool> target;    // per address: named by a jump, call, jacc or index operand
};

// Walks the code from address 0 and from every jump and call target. Conditional jumps and calls
// also go on to the next instruction; jmp, ret, reti, ipret and halt end a path. The targets of
// jacc (a jump table indexed by the accumulator) and index (a lookup table) are labelled but not
// followed: what lies there, and how far it reaches, the image does not tell, so those bytes stay
// data unless another path reaches them. A path ends at a byte that is no instruction of the
// family, at an instruction that would overlap one already decoded, or at the end of the image.
CodeMap mapCode(std::span<const std::uint8_t> image, CpuFamily family);

}  // namespace zelas::dis
