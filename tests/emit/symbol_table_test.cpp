// The symbolic reference table written at the end of the listing.
#include "emit/symbol_table.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/assembler.h"
#include "emit/listing.h"
#include "support/test_support.h"

namespace zelas::test {
namespace {

constexpr char kHeader[] =
    "\n ************ SYMBOLIC REFERENCE TABLE ************\n"
    "\nValue  Label                # Uses "
    "\n-----  -------------------- ------";

class SymbolTable : public ::testing::Test {
 protected:
  SymbolTable() : as_(stdout, stderr) { as_.listFile = std::make_unique<TextOutput>(listing_); }

  void addLabel(const std::string& name, Value value, char kind, Value uses) {
    Label& label = *newLabel(as_, name);
    label.value = value;
    label.kind = kind;
    label.uses = uses;
  }
  std::string table() {
    writeSymbolTable(as_);
    flushListing(as_);
    return listing_;
  }

  std::string listing_;
  Assembler as_;
};

TEST_F(SymbolTable, WithoutLabelsOnlyTheHeader) {
  EXPECT_EQ(table(), std::string(kHeader) + "\n");
}

TEST_F(SymbolTable, WideValuesAndLongNamesPushTheRowRight) {
  addLabel("minus", -1, '=', 1);
  addLabel("a_name_longer_than_twenty", 0x12345, ' ', 12);
  EXPECT_EQ(table(), std::string(kHeader) +
                         "\n12345   a_name_longer_than_twenty   12"
                         "\nffffffff = minus                  1"
                         "\n");
}

}  // namespace
}  // namespace zelas::test
