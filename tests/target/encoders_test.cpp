// The operand grammar, placeholders and reports of the encoders, and the 4K-block rules of the
// address instructions.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>

#include "target/opcode_map.h"
#include "target/statement_fixture.h"

namespace zelas::test {
namespace {

// The listing line of one assembled statement (without reports above it).
std::string lastLine(const std::string& listing) {
  std::size_t end = listing.size() - 1;
  std::size_t start = listing.rfind('\n', end - 1);
  return listing.substr(start == std::string::npos ? 0 : start + 1);
}

struct Case {
  const char* product;
  Value pc;
  const char* text;
  const char* line;  // expected listing line of the bytes
  const char* err;   // expected standard error, whole
};

void runCases(std::initializer_list<Case> cases) {
  for (const Case& c : cases) {
    StatementFixture f;
    f.useProduct(c.product);
    SCOPED_TRACE(c.text);
    ASSERT_TRUE(f.assemble(c.text, c.pc));
    EXPECT_EQ(lastLine(f.listing()), c.line);
    EXPECT_EQ(f.err(), c.err);
  }
}

TEST(AccumulatorEncoder, FormsAndChecks) {
  runCases({
      {"PX109", 0, "adc a,[x+10h]", "0000 06 10 [07] adc a,[x+10h]\n", ""},
      {"PX109", 0, "cmp a,[x+10h]", "0000 18 10 [08] cmp a,[x+10h]\n", ""},
      {"PX109", 0, "mov a,[x+10h]", "0000 1B 10 [06] mov a,[x+10h]\n", ""},
      {"PX109", 0, "add a,300", "0000 01 2C [04] add a,300\n",
       "\nWarning : Data out of range, '300' >= '256'\n1.9: add a,300\n"},
      {"PX109", 0, "add a,-1", "0000 01 FF [04] add a,-1\n", ""},
      {"PX101", 0, "mov a,[80h]", "0000 1A 80 [05] mov a,[80h]\n",
       "\nWarning : Nonexistent RAM address, '80h'\n1.11: mov a,[80h]\n"},
      {"PX107", 0, "mov a,[80h]", "0000 1A 80 [05] mov a,[80h]\n", ""},
      {"PX109", 0, "add 5", "0000 01 00 [05] add 5\n",
       "\nError : Illegal operands for instruction\n1.4: add 5\n"},
      {"PX109", 0, "add", "0000 01 00 [05] add\n",
       "\nError : Missing operand for instruction\n1.3: add\n"},
      {"PX109", 0, "sub a,1,2", "0000 07 01 [04] sub a,1,2\n",
       "\nWarning : Too many operands\n1.7: sub a,1,2\n"},
      {"PX109", 0, "sbb a,[3", "0000 0B 03 [06] sbb a,[3\n",
       "\nWarning : Missing punctuation ']'\n1.8: sbb a,[3\n"},
      {"PX109", 0, "addx a,1", "0000 01 00 [05] addx a,1\n",
       "\nWarning : Space or tab delimiter required after 'add'.\n1.3: addx a,1\n"
       "\nError : Illegal operands for instruction\n1.3: addx a,1\n"},
  });
}

TEST(LogicEncoder, MemoryDestination) {
  runCases({
      {"PX109", 0, "or [20h],a", "0000 33 20 [07] or [20h],a\n", ""},
      {"PX109", 0, "xor [x+2],a ; ok", "0000 38 02 [08] xor [x+2],a ; ok\n", ""},
      {"PX109", 0, "or [20h]", "0000 33 20 [07] or [20h]\n",
       "\nWarning : ',a' Expected as second operand.\n1.8: or [20h]\n"},
      {"PX109", 0, "and [1],a b", "0000 35 01 [07] and [1],a b\n",
       "\nWarning : Too many operands for 'LOGIC' instruction.\n1.10: and [1],a b\n"},
      {"PX109", 0, "or a,[20h]", "0000 0E 20 [06] or a,[20h]\n", ""},
  });
}

TEST(MovEncoder, FormsInTheirOrder) {
  runCases({
      {"PX109", 0, "mov [x],a", "0000 32 00 [06] mov [x],a\n", ""},
      {"PX109", 0, "mov [x+3],a", "0000 32 03 [06] mov [x+3],a\n", ""},
      {"PX109", 0, "mov [3],a", "0000 31 03 [05] mov [3],a\n", ""},
      {"PX109", 0, "mov a,x", "0000 40    [04] mov a,x\n", ""},
      {"PX109", 0, "mov x,[5]", "0000 1D 05 [05] mov x,[5]\n", ""},
      {"PX109", 0, "mov x,300", "0000 1C 2C [04] mov x,300\n",
       "\nWarning : Data out of range, '300' >= '256'\n1.9: mov x,300\n"},
      {"PX109", 0, "mov x,[x+1]", "0000 00    [05] mov x,[x+1]\n",
       "\nWarning : Illegal instruction MOV X,[X+expr]\n1.9: mov x,[x+1]\n"},
      {"PX109", 0, "mov [3]", "0000 31 03 [05] mov [3]\n",
       "\nWarning : ',a' Expected as second operand.\n1.7: mov [3]\n"},
      {"PX109", 0, "mov x,1,2", "0000 1C 01 [04] mov x,1,2\n",
       "\nWarning : Too many operands for a MOV instruction\n1.7: mov x,1,2\n"},
      {"PX101", 0, "mov psp,a", "0000 60    [04] mov psp,a\n",
       "\nError : Illegal instruction for this CPU\n1.9: mov psp,a\n"},
  });
}

TEST(MovEncoder, RegisterWordsMustBeWholeWords) {
  // xyz is a label here, not the register x (the evaluator reports it as unknown).
  StatementFixture f;
  ASSERT_TRUE(f.assemble("mov a,xyz"));
  EXPECT_EQ(f.image(0), 0x19);
  EXPECT_EQ(f.as().pc, 2);
}

TEST(MovEncoder, NoMatchingFormEmitsNothing) {
  StatementFixture f;
  ASSERT_TRUE(f.assemble("mov 5,a", 0x10));
  EXPECT_EQ(f.as().pc, 0x10);
  EXPECT_EQ(f.listing(), "**** Error : Illegal instruction for all CPUs\n");
  EXPECT_EQ(f.err(), "\nError : Illegal instruction for all CPUs\n1.4: mov 5,a\n");
  EXPECT_EQ(f.image(0x10), 0xEE);
}

TEST(RegisterEncoders, IncDecPushPopSwapShifts) {
  runCases({
      {"PX109", 0, "inc abc", "0000 21    [04] inc abc\n",
       "\nWarning : Too many operands for 'INC/DEC a' instruction.\n1.5: inc abc\n"},
      {"PX109", 0, "inc x", "0000 22    [04] inc x\n", ""},
      {"PX109", 0, "dec [x+4]", "0000 28 04 [08] dec [x+4]\n", ""},
      {"PX101", 0, "inc [90h", "0000 23 90 [07] inc [90h\n",
       "\nWarning : Nonexistent RAM address, '90h'\n1.8: inc [90h\n"
       "\nWarning : Missing punctuation ']'\n1.8: inc [90h\n"},
      {"PX109", 0, "dec 5", "0000 25    [04] dec 5\n",
       "\nError : Illegal operands for 'INC/DEC'\n1.4: dec 5\n"},
      {"PX109", 0, "inc", "0000 21    [04] inc\n",
       "\nError : Missing operand for 'INC/DEC'\n1.3: inc\n"},
      {"PX109", 0, "push x", "0000 2E    [05] push x\n", ""},
      {"PX109", 0, "pop x", "0000 2C    [04] pop x\n", ""},
      {"PX109", 0, "push 1", "0000 2D    [05] push 1\n",
       "\nError : Illegal operand for 'PUSH/POP'\n1.5: push 1\n"},
      {"PX109", 0, "pop", "0000 2B    [04] pop\n",
       "\nError : Missing operand for 'PUSH/POP'\n1.3: pop\n"},
      {"PX109", 0, "swap a,x", "0000 2F    [05] swap a,x\n", ""},
      {"PX109", 0, "swap x,a", "0000 00    [05] swap x,a\n",
       "\nError : Illegal operand for 'SWAP'\n1.5: swap x,a\n"},
      {"PX109", 0, "swap a, dsp 1", "0000 30    [05] swap a, dsp 1\n",
       "\nWarning : Too many operands for 'SWAP' instruction.\n1.12: swap a, dsp 1\n"},
      {"PX109", 0, "cpl a", "0000 3A    [04] cpl a\n", ""},
      {"PX109", 0, "cpl x", "0000 3A    [04] cpl x\n",
       "\nWarning : Too many operands for instruction.\n1.4: cpl x\n"},
      {"PX109", 0, "nopx", "0000 20    [04] nopx\n",
       "\nWarning : No operands allowed for instruction.\n1.3: nopx\n"},
      {"PX109", 0, "nop // fine", "0000 20    [04] nop // fine\n", ""},
  });
}

TEST(InstructionTable, PrefixOrderAndCase) {
  StatementFixture f;
  ASSERT_TRUE(f.assemble("RETI"));
  EXPECT_EQ(f.image(0), 0x73);
  ASSERT_TRUE(f.assemble("Ret"));
  EXPECT_EQ(f.image(0), 0x3F);
  EXPECT_FALSE(f.assemble("bogus 1"));
  EXPECT_EQ(f.as().scanPos, f.as().lineStart);
}

// PX109: family B, ROM 1FE0h, so both 4K blocks exist.
TEST(AddressEncoders, FourKBlockRules) {
  runCases({
      {"PX109", 0x0200, "jmp 0123h", "0200 81 23 [05] jmp 0123h\n", ""},
      {"PX109", 0x0200, "jmp 1234h", "0200 82 34 [05] jmp 1234h\n",
       "\nError : Jumps and Indexing from lower 4K block to upper 4K block are illegal\n"
       "1.9: jmp 1234h\n"},
      {"PX109", 0x1100, "jz 0100h", "1100 A1 00 [05] jz 0100h\n",
       "\nError : Jumps and Indexing from upper 4K block to lower 4K block are illegal\n"
       "1.8: jz 0100h\n"},
      {"PX109", 0, "jnc 1FF0h", "0000 DF F0 [05] jnc 1FF0h\n",
       "\nWarning : Operand address out of range, '1FF0h' >= 1FE0h\n1.9: jnc 1FF0h\n"},
      {"PX109", 0x0200, "call 1234h", "0200 52 34 [10] call 1234h\n", ""},
      {"PX109", 0x1100, "call 0234h", "1100 92 34 [10] call 0234h\n",
       "\nError : Calls to lower 4K block from upper 4K block are illegal\n1.10: call 0234h\n"},
      {"PX109", 0, "call 2000h", "0000 50 00 [10] call 2000h\n",
       "\nWarning : Operand address out of range, '2000h' >= 1FE0b\n1.10: call 2000h\n"},
      {"PX109", 0x0100, "index 0FF0h", "0100 FF F0 [14] index 0FF0h\n", ""},
      {"PX109", 0, "jacc 0", "0000 E0 00 [07] jacc 0\n", ""},
      {"PX109", 0, "jc 10h, 2", "0000 C0 10 [05] jc 10h, 2\n",
       "\nWarning : Too many operands for an address instruction.\n1.6: jc 10h, 2\n"},
      {"PX101", 0, "call 0900h", "0000 99 00 [10] call 0900h\n",
       "\nWarning : Operand address out of range, '0900h' >= 0800b\n1.10: call 0900h\n"},
      {"PX101", 0, "call 1234h", "0000 92 34 [10] call 1234h\n",
       "\nWarning : Operand address out of range, '1234h' >= 0800b\n1.10: call 1234h\n"},
      {"PX101", 0, "jmp -2", "0000 8F FE [05] jmp -2\n", ""},
  });
}

TEST(AddressEncoders, RangeCheckOffStillAppliesTheBlockTest) {
  StatementFixture f;
  f.useProduct("PX109");
  f.as().romRangeCheck = false;
  ASSERT_TRUE(f.assemble("jmp 3000h", 0x0100));
  EXPECT_EQ(lastLine(f.listing()), "0100 80 00 [05] jmp 3000h\n");
  EXPECT_EQ(f.err(),
            "\nError : Jumps and Indexing from lower 4K block to upper 4K block are illegal\n"
            "1.9: jmp 3000h\n");
}

TEST(AddressEncoders, BlockTestUsesTheAddressBeforeTheFillers) {
  StatementFixture f;
  f.useProduct("PX109");
  ASSERT_TRUE(f.assemble("jmp 0123h", 0x0FFE));
  EXPECT_EQ(f.err(), "");
  EXPECT_EQ(lastLine(f.listing()), "1000 81 23 [05] jmp 0123h\n");
  EXPECT_EQ(f.image(0x0FFE), 0x20);
  EXPECT_EQ(f.image(0x0FFF), 0x1F);
  EXPECT_EQ(f.image(0x1000), 0x81);
  EXPECT_EQ(f.image(0x1001), 0x23);
}

TEST(IoAndIpret, OperandsAndReports) {
  runCases({
      {"PX107", 0, "iord 30h", "0000 29 30 [05] iord 30h\n", ""},
      {"PX107", 0, "iowr 100h", "0000 2A 00 [05] iowr 100h\n",
       "\nWarning : IO address out of range, '100h' >= '100h'\n1.9: iowr 100h\n"},
      {"PX107", 0, "iowx [x+12h]", "0000 39 12 [06] iowx [x+12h]\n", ""},
      {"PX107", 0, "iowx [12h]", "0000 39 12 [06] iowx [12h]\n",
       "\nWarning : IOWX expects 'x +' within square brackets.\n1.6: iowx [12h]\n"},
      {"PX107", 0, "iowx 12h", "0000 39 12 [06] iowx 12h\n", ""},
      {"PX107", 0, "iord [12h]", "0000 29 12 [05] iord [12h]\n",
       "\nWarning : Illegal operand for IO read or write.\n1.6: iord [12h]\n"},
      {"PX107", 0, "iord 1,2", "0000 29 01 [05] iord 1,2\n",
       "\nWarning : Too many operands for 'IO' instruction.\n1.6: iord 1,2\n"},
      {"PX101", 0, "ipret 5", "0000 1E 05 [13] ipret 5\n", ""},
      {"PX107", 0, "ipret 5", "0000 1E 05 [13] ipret 5\n",
       "\nError : Illegal instruction for this product\n1.7: ipret 5\n"},
      {"PX101", 0, "ipret 5,6", "0000 1E 05 [13] ipret 5,6\n",
       "\nWarning : Too many operands for 'IPRET' instruction.\n1.7: ipret 5,6\n"},
  });
}

}  // namespace
}  // namespace zelas::test

namespace zelas::test {
namespace {

// Pass 1 takes the size of most instructions without reading their operands, and steps over the
// operands of the rest without evaluating them. Whatever the operands, well formed or not, pass 1
// must move pc exactly as pass 2 does, or every label after the line would be wrong. Each line is
// tried at three addresses: inside a page, on a page's last byte and on the byte before it.
TEST(PassOneSizes, AgreeWithPassTwoForEveryMnemonicAndOperandShape) {
  const char* const operands[] = {
      "",         " a",       " x",      " a,5",   " a,[3]",   " a,[x+3]",     " [3],a",
      " [x+3],a", " [x],a",   " 5",      " [x+4]", " a,x",     " x,a",         " x,5",
      " x,[3]",   " x,[x+1]", " psp,a",  " a,psp", " a,dsp",   " ,,]",         " [",
      " a,",      " lbl: ,1", " lbl:+1", " 'c'",   " (1+2)*3", " 1 2",         " a ; note",
      " [3] ,a",  " a,[3",    " ??",     " x+",    " [x+3]]",  " a, [ x + 3 ]"};
  StatementFixture passes[2];
  for (int pass = 1; pass <= 2; ++pass) {
    StatementFixture& f = passes[pass - 1];
    f.useProduct("PX109");
    f.as().pass = pass;
    f.as().reportingEnabled = pass == 2;
  }
  std::set<std::string_view> mnemonics;
  for (const OpcodeRow& row : kOpcodeMap) mnemonics.insert(row.mnemonic);
  for (std::string_view mnemonic : mnemonics) {
    for (const char* operand : operands) {
      std::string text = std::string(mnemonic) + operand;
      for (Value pc : {0x1010, 0x10FF, 0x10FE}) {
        Value moved[2];
        for (int pass = 1; pass <= 2; ++pass) {
          StatementFixture& f = passes[pass - 1];
          ASSERT_TRUE(f.assemble(text, pc)) << text;
          moved[pass - 1] = f.as().pc - pc;
        }
        EXPECT_EQ(moved[0], moved[1]) << '"' << text << "\" at " << pc;
      }
    }
  }
}

}  // namespace
}  // namespace zelas::test
