// Listing text is gathered in a block and handed to the file in large writes: what reaches the
// file must be every piece in the order it was written, across many blocks, and with formatted
// texts longer than the room that is reserved for them.
#include "emit/listing.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/assembler.h"
#include "core/memory_file_system.h"
#include "support/test_support.h"

namespace zelas::test {
namespace {

// An assembler in pass 2 whose listing is out.lst, in a file system of its own.
struct PassTwoListing {
  MemoryFileSystem files;
  Assembler as{stdout, stderr, files};
  PassTwoListing() {
    as.pass = 2;
    openListing(as, "out.lst");
  }
  std::string text() const { return files.contents("out.lst").value_or("<none>"); }
};

TEST(Listing, PiecesReachTheFileInOrderAcrossManyBlocks) {
  PassTwoListing listing;
  Assembler& as = listing.as;
  ASSERT_NE(as.listFile, nullptr);
  char text[] = "\tnop";
  as.lineStart = text;
  std::string expected;
  const std::string longName(3000, 'n');  // longer than a formatted text is given at first
  for (int i = 0; i < 40000; ++i) {
    listAddressLine(as);
    expected += "0000                    nop\n";  // the current line is shown expanded
    int bytes[2] = {0x12, i & 0xFF};
    listCodeLine(as, i, bytes, 2, 5, "text");
    char line[64];
    std::snprintf(line, sizeof line, "%04X 12 %02X [05] text\n", i, i & 0xFF);
    expected += line;
    listWrite(as, "raw\n", 4);
    expected += "raw\n";
    listPrefixedLine(as, "**** Warning : ", "note");
    expected += "**** Warning : note\n";
    if (i % 20000 == 0) {  // far enough apart for the block to fill between them
      listPrintf(as, "<%s>\n", longName.c_str());
      expected += "<" + longName + ">\n";
    }
    listPrintf(as, "%d;", i);
    expected += std::to_string(i) + ";";
  }
  ASSERT_GT(expected.size(), 2u * 1048576);
  // The full blocks went to the file as they filled; only the last part is still gathered.
  EXPECT_LT(as.listPendingSize, std::size_t{1} << 20);
  flushListing(as);
  // Nothing is visible before the listing is committed whole.
  EXPECT_FALSE(listing.files.exists("out.lst"));
  listWrite(as, "end\n", 4);
  EXPECT_TRUE(closeListing(as));
  EXPECT_EQ(as.listFile, nullptr);
  EXPECT_EQ(as.listPendingSize, 0u);
  EXPECT_EQ(listing.text(), expected + "end\n");
}

// The listing left by an earlier run stays whole while the new one is written, and is replaced
// once the new one is committed, whether its text is shorter than the old or empty. Opening
// leaves the old one as it is.
TEST(Listing, OldListingStaysUntilTheNewOneIsCommitted) {
  for (std::size_t oldSize : {std::size_t{100000}, std::size_t{3} << 20}) {
    MemoryFileSystem files;
    files.addFile("out.lst", std::string(oldSize, 'o'));
    {
      Assembler as(stdout, stderr, files);
      ASSERT_TRUE(openListing(as, "out.lst"));
      EXPECT_EQ(files.contents("out.lst")->size(), oldSize);
      as.pass = 2;
      listWrite(as, "new\n", 4);
      flushListing(as);
      EXPECT_EQ(files.contents("out.lst")->size(), oldSize);
      EXPECT_TRUE(closeListing(as));
    }
    EXPECT_EQ(files.contents("out.lst"), "new\n") << oldSize;
    files.addFile("out.lst", std::string(oldSize, 'o'));
    {
      Assembler as(stdout, stderr, files);
      ASSERT_TRUE(openListing(as, "out.lst"));
      EXPECT_TRUE(closeListing(as));
    }
    EXPECT_EQ(files.contents("out.lst"), "") << oldSize;
  }
  MemoryFileSystem files;
  files.faults("out.lst").createFails = true;
  Assembler as(stdout, stderr, files);
  EXPECT_FALSE(openListing(as, "out.lst"));
  EXPECT_EQ(as.listFile, nullptr);
}

// The block starts small and doubles as the listing grows, up to its largest size; a piece
// larger than twice the block must still fit whole, and every byte reaches the file in order.
TEST(Listing, BlockGrowsWithTheListingUpToItsLargestSize) {
  PassTwoListing listing;
  Assembler& as = listing.as;
  listPrintf(as, "%s\n", "small");
  std::size_t first = as.listPendingCapacity;
  EXPECT_GE(first, 1024u);
  EXPECT_LE(first, 65536u);
  std::string expected = "small\n";
  const std::string piece(5 * first + 7, 'p');
  listWrite(as, piece.data(), piece.size());
  expected += piece;
  EXPECT_GE(as.listPendingCapacity, piece.size());
  EXPECT_LE(as.listPendingSize, as.listPendingCapacity);
  for (int i = 0; expected.size() < (std::size_t{3} << 20); ++i) {
    std::string line = std::to_string(i) + std::string(i % 300, 'x') + "\n";
    listWrite(as, line.data(), line.size());
    expected += line;
    ASSERT_LE(as.listPendingSize, as.listPendingCapacity);
  }
  EXPECT_EQ(as.listPendingCapacity, std::size_t{1} << 20);
  EXPECT_TRUE(closeListing(as));
  EXPECT_EQ(listing.text(), expected);
}

TEST(Listing, SmallListingIsWrittenAtTheFlush) {
  PassTwoListing listing;
  Assembler& as = listing.as;
  ASSERT_NE(as.listFile, nullptr);
  for (int i = 0; i < 100; ++i) listPrintf(as, "line %d\n", i);
  EXPECT_EQ(as.listPendingSize, 790u);  // gathered, not yet written
  flushListing(as);
  EXPECT_EQ(as.listPendingSize, 0u);
  EXPECT_TRUE(closeListing(as));
  EXPECT_EQ(listing.text().size(), 790u);
}

// A full block whose write fails while the assembly goes on: the failure reaches the close, and
// the old listing stays as it was.
TEST(Listing, FailedBlockWriteIsReportedAtClose) {
  MemoryFileSystem files;
  files.addFile("out.lst", "old\n");
  files.faults("out.lst").writeFailsAfter = 1000;
  Assembler as(stdout, stderr, files);
  as.pass = 2;
  ASSERT_TRUE(openListing(as, "out.lst"));
  const std::string line(200, 'x');
  for (int i = 0; i < 8000; ++i) listPrintf(as, "%s\n", line.c_str());
  EXPECT_LT(as.listPendingSize, 8000u * 201);  // full blocks were written before the close
  EXPECT_FALSE(closeListing(as));
  EXPECT_EQ(as.listFile, nullptr);
  EXPECT_EQ(files.contents("out.lst"), "old\n");
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
