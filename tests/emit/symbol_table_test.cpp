// The symbolic reference table written at the end of the listing.
#include "emit/symbol_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

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

// Hundreds of names that share long beginnings (ties on any leading eight bytes) and differ
// only in case or in bytes from 80h up are listed in byte order, each once, whatever the order
// they were entered in.
TEST_F(SymbolTable, NamesSharingLongPrefixesAreListedInByteOrder) {
  std::vector<std::string> names;
  for (const char* stem : {"interrupt_vector_", "Interrupt_vector_", "interrupt", "intErrupt_"}) {
    for (const char* tail : {"", "a", "A", "_", "\xC3", "0", "10", "9", "aa", "a0"}) {
      names.push_back(std::string(stem) + tail);
    }
  }
  std::mt19937 random(7);
  std::vector<std::string> entered = names;
  std::shuffle(entered.begin(), entered.end(), random);
  for (const std::string& name : entered) addLabel(name, 0, ' ', 0);
  std::sort(names.begin(), names.end());
  std::string expected = kHeader;
  for (const std::string& name : names) {
    std::string padded = name + std::string(name.size() < 20 ? 20 - name.size() : 0, ' ');
    expected += "\n   0   " + padded + "   0";
  }
  EXPECT_EQ(table(), expected + "\n");
}

}  // namespace
}  // namespace zelas::test
