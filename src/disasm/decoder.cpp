#include "disasm/decoder.h"

#include <array>
#include <string_view>

namespace zelas::dis {

namespace {

constexpr std::int16_t kNoRow = -1;
using DecodeTable = std::array<std::int16_t, 256>;

// Every opcode of a family to its row of the opcode map. A target form owns the sixteen opcodes
// of its high nibble (the low nibble carries address bits 11-8).
consteval DecodeTable buildDecodeTable(CpuFamily family) {
  DecodeTable table{};
  table.fill(kNoRow);
  for (std::size_t i = 0; i < kOpcodeMapSize; ++i) {
    const OpcodeRow& row = kOpcodeMap[i];
    if (!legalForFamily(row, family)) continue;
    int span = row.operand == OperandKind::target ? 16 : 1;
    for (int n = 0; n < span; ++n) {
      std::int16_t& slot = table[static_cast<std::size_t>(row.opcode + n)];
      if (slot == kNoRow) slot = static_cast<std::int16_t>(i);
    }
  }
  return table;
}

constexpr DecodeTable kDecodeA = buildDecodeTable(CpuFamily::A);
constexpr DecodeTable kDecodeB = buildDecodeTable(CpuFamily::B);

// The forms that move the flow of control other than on to the next instruction.
struct FlowRow {
  std::string_view mnemonic;
  Flow flow;
};
constexpr FlowRow kFlowTable[] = {
    // clang-format off
    // mnemonic flow
    {"halt",  Flow::stop  },
    {"ipret", Flow::stop  },
    {"ret",   Flow::stop  },
    {"reti",  Flow::stop  },
    {"jmp",   Flow::jump  },
    {"call",  Flow::call  },
    {"jz",    Flow::branch},
    {"jnz",   Flow::branch},
    {"jc",    Flow::branch},
    {"jnc",   Flow::branch},
    {"jacc",  Flow::table },
    {"index", Flow::lookup},
    // clang-format on
};

constexpr std::uint32_t kBlockMask = 0xFFFu;    // a 12-bit target stays within a 4K block
constexpr std::uint32_t kUpperBlock = 0x1000u;  // the family B upper-block call (5nh)
constexpr std::uint8_t kUpperCallNibble = 0x50;

}  // namespace

const OpcodeRow* rowForOpcode(std::uint8_t opcode, CpuFamily family) {
  const DecodeTable& table = family == CpuFamily::A ? kDecodeA : kDecodeB;
  std::int16_t index = table[opcode];
  return index == kNoRow ? nullptr : &kOpcodeMap[static_cast<std::size_t>(index)];
}

Value targetOf(const OpcodeRow& row, std::uint8_t opcode, std::uint8_t operand, std::size_t address,
               CpuFamily family) {
  std::uint32_t low12 = ((opcode & 0x0Fu) << 8) | operand;
  if (flowOf(row) == Flow::call) {
    // Calls name their block in the opcode (family B: 5nh upper, 9nh lower); family A calls
    // reach 12 bits only.
    bool upper = family == CpuFamily::B && (opcode & 0xF0u) == kUpperCallNibble;
    return fromUnsigned(upper ? (kUpperBlock | low12) : low12);
  }
  // Jumps and tables stay in the 4K block of the instruction itself.
  return fromUnsigned((static_cast<std::uint32_t>(address) & ~kBlockMask) | low12);
}

std::optional<Decoded> decodeAt(std::span<const std::uint8_t> image, std::size_t address,
                                CpuFamily family) {
  if (address >= image.size()) return std::nullopt;
  const OpcodeRow* row = rowForOpcode(image[address], family);
  if (row == nullptr || address + row->bytes > image.size()) return std::nullopt;
  Decoded d;
  d.row = row;
  d.opcode = image[address];
  if (row->bytes == 2) d.operand = image[address + 1];
  if (row->operand == OperandKind::target) {
    d.target = targetOf(*row, d.opcode, d.operand, address, family);
  }
  return d;
}

Flow flowOf(const OpcodeRow& row) {
  for (const FlowRow& f : kFlowTable) {
    if (f.mnemonic == row.mnemonic) return f.flow;
  }
  return Flow::next;
}

}  // namespace zelas::dis
