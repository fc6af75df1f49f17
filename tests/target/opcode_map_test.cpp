// Every row of the opcode map assembled from its own operand form: the bytes in the image and the
// listing line with the row's cycle count in a family where it is legal, and the family error in
// a family where it is not.
#include "target/opcode_map.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "target/statement_fixture.h"

namespace zelas::test {
namespace {

// Operand values chosen so that each byte shows where it came from.
constexpr Value kOperand = 0x12;
constexpr Value kLowerTarget = 0x0123;
constexpr Value kUpperTarget = 0x1234;

bool isUpperCall(const OpcodeRow& row) {
  return row.operand == OperandKind::target && row.families == Families::onlyB;
}

Value targetOf(const OpcodeRow& row) {
  return isUpperCall(row) ? kUpperTarget : kLowerTarget;
}

// The statement text for a row: its mnemonic and operand form with "expr" given a value.
std::string statementFor(const OpcodeRow& row) {
  std::string operands(row.operands);
  std::size_t at = operands.find("expr");
  if (at != std::string::npos) {
    char value[16];
    Value v = row.operand == OperandKind::target ? targetOf(row) : kOperand;
    std::snprintf(value, sizeof value, "%Xh", toUnsigned(v));
    operands.replace(at, 4, value);
  }
  std::string text(row.mnemonic);
  return operands.empty() ? text : text + " " + operands;
}

std::string expectedListing(const OpcodeRow& row, const std::string& text) {
  char line[128];
  if (row.bytes == 1) {
    std::snprintf(line, sizeof line, "0000 %02X    [%02d] %s\n", row.opcode, row.cycles,
                  text.c_str());
  } else {
    Value target = targetOf(row);
    int first =
        row.operand == OperandKind::target ? row.opcode | ((target >> 8) & 0x0F) : row.opcode;
    int second = row.operand == OperandKind::target ? (target & 0xFF) : kOperand;
    std::snprintf(line, sizeof line, "0000 %02X %02X [%02d] %s\n", first, second, row.cycles,
                  text.c_str());
  }
  return line;
}

// A product of a family where the row is legal (PX109: family B with 8K of ROM, RAM 00h-FFh).
const char* legalProduct(const OpcodeRow& row) {
  return row.families == Families::onlyA ? "PX101" : "PX109";
}

TEST(OpcodeMap, EveryRowAssemblesToItsBytesAndCycles) {
  for (const OpcodeRow& row : kOpcodeMap) {
    StatementFixture f;
    f.useProduct(legalProduct(row));
    std::string text = statementFor(row);
    SCOPED_TRACE(text);
    ASSERT_TRUE(f.assemble(text));
    EXPECT_EQ(f.listing(), expectedListing(row, text));
    EXPECT_EQ(f.err(), "");
    EXPECT_EQ(f.as().pc, row.bytes);
    std::string listed = expectedListing(row, text);
    EXPECT_EQ(f.image(0), std::stoi(listed.substr(5, 2), nullptr, 16));
    if (row.bytes == 2) {
      EXPECT_EQ(f.image(1), std::stoi(listed.substr(8, 2), nullptr, 16));
    }
    EXPECT_EQ(f.image(row.bytes), 0xEE);  // nothing beyond the instruction
  }
}

TEST(OpcodeMap, FormsOfTheOtherFamilyAreReportedAndStillEmitted) {
  int checked = 0;
  for (const OpcodeRow& row : kOpcodeMap) {
    if (row.families == Families::both || isUpperCall(row)) continue;
    StatementFixture f;
    bool onlyA = row.families == Families::onlyA;
    f.useProduct(onlyA ? "PX107" : "PX101");
    std::string text = statementFor(row);
    SCOPED_TRACE(text);
    ASSERT_TRUE(f.assemble(text));
    std::string message =
        onlyA ? "Illegal instruction for this product" : "Illegal instruction for this CPU";
    // Every form has read its whole line when the family is checked.
    std::string column = std::to_string(text.size());
    EXPECT_EQ(f.err(), "\nError : " + message + "\n1." + column + ": " + text + "\n");
    EXPECT_EQ(f.listing(), "**** Error : " + message + "\n" + expectedListing(row, text));
    EXPECT_EQ(f.as().errorCount, 1);
    ++checked;
  }
  EXPECT_EQ(checked, 8);  // ipret, mov a,x, mov x,a, mov psp,a, swap a,psp, di, ei, reti
}

TEST(OpcodeMap, NoTwoRowsShareAFirstByteExceptThePspForms) {
  // A decoder reads the table in reverse: apart from the shared 60h, no two rows of one family
  // may claim the same first byte.
  for (std::size_t i = 0; i < kOpcodeMapSize; ++i) {
    for (std::size_t j = i + 1; j < kOpcodeMapSize; ++j) {
      const OpcodeRow& a = kOpcodeMap[i];
      const OpcodeRow& b = kOpcodeMap[j];
      int maskA = a.operand == OperandKind::target ? 0xF0 : 0xFF;
      int maskB = b.operand == OperandKind::target ? 0xF0 : 0xFF;
      int mask = maskA & maskB;
      if ((a.opcode & mask) != (b.opcode & mask)) continue;
      EXPECT_EQ(a.opcode, 0x60) << a.mnemonic << " " << a.operands << " / " << b.mnemonic;
      EXPECT_NE(a.cycles, b.cycles);
    }
  }
}

}  // namespace
}  // namespace zelas::test
