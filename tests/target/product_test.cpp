// The product table, product selection and the RAM ranges.
#include "target/product.h"

#include <gtest/gtest.h>

#include "statements/defined_symbols.h"
#include "target/statement_fixture.h"

namespace zelas::test {
namespace {

TEST(ProductTable, RowsInTheirPublishedOrder) {
  auto table = productTable();
  ASSERT_EQ(table.size(), 40u);
  EXPECT_EQ(table[0].id, "PX101");
  EXPECT_EQ(table[8].id, "PX109");
  EXPECT_EQ(table[8].romSize, 0x1FE0);
  // Rows 27 and 30 repeat the IDs of rows 15 and 16.
  EXPECT_EQ(table[26].id, "PX115");
  EXPECT_EQ(table[29].id, "PX116");
  EXPECT_EQ(table[39].id, "PX138");
  EXPECT_EQ(table[39].romSize, 0x0BE0);
  int familyA = 0;
  for (const Product& p : table) {
    if (p.family == CpuFamily::A) {
      ++familyA;
      EXPECT_EQ(ramSize(p), 128) << p.id;
    }
  }
  EXPECT_EQ(familyA, 6);
  EXPECT_EQ(ramSize(table[6]), 256);
  EXPECT_EQ(ramSize(table[38]), 96);
}

TEST(SelectProduct, ByIdIgnoringCaseDefinesTableSpellingAndFamily) {
  StatementFixture f;
  selectProduct(f.as(), "px107");
  EXPECT_EQ(f.as().currentProduct->id, "PX107");
  EXPECT_TRUE(isDefinedSymbol(f.as().definedSymbols, "PX107"));
  EXPECT_TRUE(isDefinedSymbol(f.as().definedSymbols, "BCPU"));
  EXPECT_FALSE(isDefinedSymbol(f.as().definedSymbols, "ACPU"));
  EXPECT_EQ(f.listing(), "");  // the command line has no statement to list
  selectProduct(f.as(), "PX101");
  EXPECT_TRUE(isDefinedSymbol(f.as().definedSymbols, "ACPU"));
  EXPECT_TRUE(isDefinedSymbol(f.as().definedSymbols, "BCPU"));
}

TEST(SelectProduct, RepeatedIdsSelectTheFirstRow) {
  StatementFixture f;
  selectProduct(f.as(), "PX115");
  EXPECT_EQ(f.as().currentProduct, &productTable()[14]);
  selectProduct(f.as(), "px116");
  EXPECT_EQ(f.as().currentProduct, &productTable()[15]);
}

// Ids are found whatever the case of each letter, never by a prefix, a longer text or a text
// that only packs like an id; going back to a product keeps every name defined so far.
TEST(SelectProduct, FindsWholeIdsOnlyAndKeepsNamesWhenSwitchingBack) {
  EXPECT_EQ(findProduct("pX1O9"), nullptr);
  EXPECT_EQ(findProduct("Px109"), &productTable()[8]);
  EXPECT_EQ(findProduct("PX10"), nullptr);
  EXPECT_EQ(findProduct("PX1090"), nullptr);
  EXPECT_EQ(findProduct("PX109PX109"), nullptr);
  EXPECT_EQ(findProduct(std::string_view("PX109\0", 6)), nullptr);
  EXPECT_EQ(findProduct(""), nullptr);
  EXPECT_EQ(findProduct("PX138"), &productTable()[39]);

  StatementFixture f;
  selectProduct(f.as(), "PX106");
  selectProduct(f.as(), "PX109");
  selectProduct(f.as(), "px106");
  EXPECT_EQ(f.as().currentProduct->id, "PX106");
  for (const char* name : {"PX106", "PX109", "ACPU", "BCPU"}) {
    EXPECT_TRUE(isDefinedSymbol(f.as().definedSymbols, name)) << name;
  }
  EXPECT_FALSE(isDefinedSymbol(f.as().definedSymbols, "PX101"));
}

// A line in a buffer of its own kind: the scanner may read up to eight bytes past its end.
LineBuffer lineOf(const std::string& text) {
  LineBuffer line{};
  text.copy(line.data(), kMaxLineLength);
  return line;
}

TEST(SelectProduct, CpuDirectiveReadsTheIdAndListsTheLine) {
  StatementFixture f;
  f.assemble("");  // sets up the line state
  LineBuffer line = lineOf("cpu PX137 ; small part");
  f.as().lineStart = line.data();
  f.as().scanPos = line.data() + 4;
  f.as().pc = 0x12;
  selectProduct(f.as(), nullptr);
  EXPECT_EQ(f.as().currentProduct->id, "PX137");
  EXPECT_EQ(f.listing(), "0012            cpu PX137 ; small part\n");
  EXPECT_EQ(f.err(), "");
}

TEST(SelectProduct, UnknownIdIsReportedAndChangesNothing) {
  StatementFixture f;
  const Product* before = f.as().currentProduct;
  LineBuffer line = lineOf("cpu PX999");
  f.as().lineStart = line.data();
  f.as().scanPos = line.data() + 4;
  selectProduct(f.as(), nullptr);
  EXPECT_EQ(f.as().currentProduct, before);
  EXPECT_EQ(f.listing(), "**** Warning : Product ID 'PX999'is unknown!\n");
  EXPECT_FALSE(isDefinedSymbol(f.as().definedSymbols, "ACPU"));
  LineBuffer empty = lineOf("cpu");
  f.as().lineStart = empty.data();
  f.as().scanPos = empty.data() + 3;
  selectProduct(f.as(), nullptr);
  EXPECT_NE(f.err().find("Product ID ''is unknown!"), std::string::npos);
}

TEST(IsRamAddress, RangesOfTheCurrentProduct) {
  StatementFixture f;
  f.useProduct("PX137");
  EXPECT_TRUE(isRamAddress(f.as(), 0x4F));
  EXPECT_TRUE(isRamAddress(f.as(), 0xF0));
  EXPECT_FALSE(isRamAddress(f.as(), 0x50));
  EXPECT_FALSE(isRamAddress(f.as(), 0xEF));
  f.useProduct("PX101");
  EXPECT_TRUE(isRamAddress(f.as(), 0x7F));
  EXPECT_FALSE(isRamAddress(f.as(), 0x80));
  for (const Product& p : productTable()) {
    f.as().currentProduct = &p;
    EXPECT_FALSE(isRamAddress(f.as(), -1)) << p.id;
    EXPECT_FALSE(isRamAddress(f.as(), 0x100)) << p.id;
  }
}

}  // namespace
}  // namespace zelas::test
