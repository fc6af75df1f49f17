// The decoder reads the opcode map backwards: every opcode of a family to its form.
#include "disasm/decoder.h"

#include <gtest/gtest.h>

#include <vector>

namespace zelas::dis {
namespace {

// The opcodes a row stands for: sixteen for a target form, else one.
std::vector<int> opcodesOf(const OpcodeRow& row) {
  std::vector<int> codes;
  int span = row.operand == OperandKind::target ? 16 : 1;
  for (int n = 0; n < span; ++n) codes.push_back(row.opcode + n);
  return codes;
}

void expectEveryFormDecodes(CpuFamily family) {
  for (const OpcodeRow& row : kOpcodeMap) {
    if (!legalForFamily(row, family)) continue;
    for (int code : opcodesOf(row)) {
      std::vector<std::uint8_t> image = {static_cast<std::uint8_t>(code), 0x5A};
      std::optional<Decoded> d = decodeAt(image, 0, family);
      ASSERT_TRUE(d.has_value()) << std::hex << code;
      // 60h is both mov psp,a and swap a,psp; the map's first row names it.
      if (code == 0x60) {
        EXPECT_EQ(d->row->mnemonic, "mov");
        EXPECT_EQ(d->row->operands, "psp,a");
        continue;
      }
      EXPECT_EQ(d->row->mnemonic, row.mnemonic) << std::hex << code;
      EXPECT_EQ(d->row->operands, row.operands) << std::hex << code;
      EXPECT_EQ(d->row->bytes, row.bytes);
      EXPECT_EQ(d->operand, row.bytes == 2 ? 0x5A : 0);
    }
  }
}

int decodableOpcodes(CpuFamily family) {
  int count = 0;
  for (int code = 0; code < 256; ++code) count += rowForOpcode(code, family) != nullptr;
  return count;
}

TEST(Decoder, EveryFormOfFamilyADecodesToItsMnemonicAndOperands) {
  expectEveryFormDecodes(CpuFamily::A);
}

TEST(Decoder, EveryFormOfFamilyBDecodesToItsMnemonicAndOperands) {
  expectEveryFormDecodes(CpuFamily::B);
}

// Family A: 00h-3Fh and the eight address nibbles 8nh-Fnh. Family B: 00h-3Fh without ipret,
// 40h, 41h, 60h, 70h, 72h, 73h and the nibbles 5nh and 8nh-Fnh.
TEST(Decoder, EachFamilyDecodesExactlyItsOwnOpcodes) {
  EXPECT_EQ(decodableOpcodes(CpuFamily::A), 64 + 8 * 16);
  EXPECT_EQ(decodableOpcodes(CpuFamily::B), 63 + 6 + 9 * 16);
  for (int code : {0x40, 0x41, 0x50, 0x5F, 0x60, 0x70, 0x72, 0x73, 0x42, 0x71, 0x7F}) {
    EXPECT_EQ(rowForOpcode(code, CpuFamily::A), nullptr) << std::hex << code;
  }
  for (int code : {0x1E, 0x42, 0x4F, 0x61, 0x71, 0x74, 0x7F}) {
    EXPECT_EQ(rowForOpcode(code, CpuFamily::B), nullptr) << std::hex << code;
  }
  EXPECT_EQ(rowForOpcode(0x1E, CpuFamily::A)->mnemonic, "ipret");
}

TEST(Decoder, TargetsCarryTwelveBitsAndTheBlockOfTheJumpOrCall) {
  std::vector<std::uint8_t> image(0x1200, 0);
  auto decodeBytes = [&](std::size_t at, std::uint8_t op, std::uint8_t operand, CpuFamily f) {
    image[at] = op;
    image[at + 1] = operand;
    return decodeAt(image, at, f)->target;
  };
  EXPECT_EQ(decodeBytes(0x0200, 0x81, 0x23, CpuFamily::B), 0x0123);  // jmp, lower block
  EXPECT_EQ(decodeBytes(0x1100, 0xA1, 0x00, CpuFamily::B), 0x1100);  // jz, upper block
  EXPECT_EQ(decodeBytes(0x1100, 0xFF, 0xF0, CpuFamily::B), 0x1FF0);  // index, upper block
  EXPECT_EQ(decodeBytes(0x0200, 0x52, 0x34, CpuFamily::B), 0x1234);  // call to the upper block
  EXPECT_EQ(decodeBytes(0x1100, 0x92, 0x34, CpuFamily::B), 0x0234);  // call to the lower block
  EXPECT_EQ(decodeBytes(0x0100, 0x99, 0x00, CpuFamily::A), 0x0900);  // family A call
}

TEST(Decoder, RefusesATwoByteFormCutByTheImageEnd) {
  std::vector<std::uint8_t> image = {0x20, 0x19};
  EXPECT_TRUE(decodeAt(image, 0, CpuFamily::A).has_value());
  EXPECT_FALSE(decodeAt(image, 1, CpuFamily::A).has_value());
  EXPECT_FALSE(decodeAt(image, 2, CpuFamily::A).has_value());
}

TEST(Decoder, FlowOfTheControlTransfers) {
  auto flow = [](std::uint8_t code, CpuFamily f = CpuFamily::B) {
    return flowOf(*rowForOpcode(code, f));
  };
  EXPECT_EQ(flow(0x80), Flow::jump);
  EXPECT_EQ(flow(0xA0), Flow::branch);
  EXPECT_EQ(flow(0xD5), Flow::branch);
  EXPECT_EQ(flow(0x90), Flow::call);
  EXPECT_EQ(flow(0x50), Flow::call);
  EXPECT_EQ(flow(0xE0), Flow::table);
  EXPECT_EQ(flow(0xF0), Flow::lookup);
  EXPECT_EQ(flow(0x3F), Flow::stop);
  EXPECT_EQ(flow(0x73), Flow::stop);
  EXPECT_EQ(flow(0x00), Flow::stop);
  EXPECT_EQ(flow(0x1E, CpuFamily::A), Flow::stop);
  EXPECT_EQ(flow(0x1F), Flow::next);
  EXPECT_EQ(flow(0x19), Flow::next);
}

}  // namespace
}  // namespace zelas::dis
