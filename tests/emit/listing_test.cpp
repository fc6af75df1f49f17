// Listing text is gathered in a block and handed to the file in large writes: what reaches the
// file must be every piece in the order it was written, across many blocks, and with formatted
// texts longer than the room that is reserved for them.
#include "emit/listing.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/assembler.h"
#include "support/test_support.h"

namespace zelas::test {
namespace {

TEST(Listing, PiecesReachTheFileInOrderAcrossManyBlocks) {
  ScopedTempDir dir;
  Assembler as(stdout, stderr);
  as.pass = 2;
  as.listFile = std::fopen("out.lst", "w");
  ASSERT_NE(as.listFile, nullptr);
  char text[] = "\tnop";
  as.lineStart = text;
  std::string expected;
  const std::string longName(3000, 'n');  // longer than a formatted text is given at first
  for (int i = 0; i < 3000; ++i) {
    listAddressLine(as);
    expected += "0000            \tnop\n";
    int bytes[2] = {0x12, i & 0xFF};
    listCodeLine(as, i, bytes, 2, 5, "text");
    char line[64];
    std::snprintf(line, sizeof line, "%04X 12 %02X [05] text\n", i, i & 0xFF);
    expected += line;
    listWrite(as, "raw\n", 4);
    expected += "raw\n";
    listPrefixedLine(as, "**** Warning : ", "note");
    expected += "**** Warning : note\n";
    if (i % 500 == 0) {
      listPrintf(as, "<%s>\n", longName.c_str());
      expected += "<" + longName + ">\n";
    }
    listPrintf(as, "%d;", i);
    expected += std::to_string(i) + ";";
  }
  ASSERT_GT(expected.size(), 3u * 65536);
  flushListing(as);
  std::fclose(as.listFile);
  as.listFile = nullptr;
  EXPECT_EQ(readFile("out.lst"), expected);
}

TEST(Listing, NothingIsGatheredWithoutAListingFile) {
  Assembler as(stdout, stderr);
  as.pass = 2;
  listWrite(as, "lost\n", 5);
  listPrintf(as, "%s", "lost");
  EXPECT_EQ(as.listPendingSize, 0u);
}

}  // namespace
}  // namespace zelas::test
