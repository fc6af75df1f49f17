// Emission: the page rule with its fillers and reports, the line label, and the bounds of the
// image that pass 1 measured.
#include "emit/emit.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "core/assembler.h"
#include "support/test_support.h"
#include "target/statement_fixture.h"

namespace zelas::test {
namespace {

std::string repeat(const std::string& line, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += line;
  return text;
}

std::vector<std::string> bodyLines(const Assembly& a) {
  std::vector<std::string> lines;
  std::istringstream in(listingBody(a.lst));
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

// The listing lines from the first one that starts with address on.
std::vector<std::string> linesFrom(const Assembly& a, const std::string& address, std::size_t n) {
  std::vector<std::string> all = bodyLines(a);
  for (std::size_t i = 0; i < all.size(); ++i) {
    if (all[i].rfind(address, 0) == 0) {
      return {all.begin() + i, all.begin() + std::min(all.size(), i + n)};
    }
  }
  return {};
}

TEST(PageRule, OneByteInstructionsGetAnXpageAtThePageEnd) {
  Assembly a = assembleSource(repeat("\tnop\n", 256));
  EXPECT_EQ(a.run.status, 0);
  std::vector<std::string> lines = bodyLines(a);
  ASSERT_EQ(lines.size(), 257u);
  EXPECT_EQ(lines[0], "0000 20    [04]         nop");
  EXPECT_EQ(lines[254], "00FE 20    [04]         nop");
  EXPECT_EQ(lines[255], "00FF 1F    [04]         XPAGE");
  EXPECT_EQ(lines[256], "0100 20    [04]         nop");
}

// The filler's text stands where a mnemonic would: a tab's width of blanks after the cycles and
// one more, also for a tab too wide for any line.
TEST(PageRule, FillerLinesFollowTheTabWidth) {
  Assembly narrow = assembleSource(repeat("\tnop\n", 0xFE) + "\tjmp 0\n", {"-t", "2"});
  EXPECT_EQ(linesFrom(narrow, "00FE", 2),
            (std::vector<std::string>{"00FE 20    [04]   NOP", "00FF 1F    [04]   XPAGE"}));
  Assembly wide = assembleSource(repeat(" nop\n", 0x100), {"-t", "300"});
  EXPECT_EQ(linesFrom(wide, "00FF", 1),
            (std::vector<std::string>{"00FF 1F    [04]" + std::string(301, ' ') + "XPAGE"}));
}

TEST(PageRule, TwoByteInstructionReachedAtFEhGetsNopAndXpage) {
  Assembly a = assembleSource(repeat("\tnop\n", 0xFE) + "\tjmp 0\n");
  EXPECT_EQ(linesFrom(a, "00FE", 3), (std::vector<std::string>{"00FE 20    [04]         NOP",
                                                               "00FF 1F    [04]         XPAGE",
                                                               "0100 80 00 [05]         jmp 0"}));
  EXPECT_EQ(a.run.err, "");
}

TEST(PageRule, TwoByteInstructionReachedAtFFhGetsXpage) {
  Assembly a = assembleSource(repeat("\tnop\n", 0xFF) + "\tjmp 0\n");
  EXPECT_EQ(linesFrom(a, "00FF", 2), (std::vector<std::string>{"00FF 1F    [04]         XPAGE",
                                                               "0100 80 00 [05]         jmp 0"}));
}

TEST(PageRule, TwoByteInstructionEndingAtFEhNeedsNoFiller) {
  Assembly a = assembleSource(repeat("\tnop\n", 0xFD) + "\tjmp 0\n\tnop\n");
  EXPECT_EQ(linesFrom(a, "00FD", 4), (std::vector<std::string>{"00FD 80 00 [05]         jmp 0",
                                                               "00FF 1F    [04]         XPAGE",
                                                               "0100 20    [04]         nop"}));
}

TEST(PageRule, ExplicitXpageAtFFhIsItselfMoved) {
  Assembly a = assembleSource(repeat("\tnop\n", 0xFF) + "\txpage\n");
  EXPECT_EQ(linesFrom(a, "00FF", 2), (std::vector<std::string>{"00FF 1F    [04]         XPAGE",
                                                               "0100 1F    [04]         xpage"}));
}

TEST(PageRule, FillerTextFollowsTheTabWidth) {
  Assembly a = assembleSource(repeat("\tnop\n", 0xFF) + "\tnop\n", {"prog", "-t", "4"});
  EXPECT_EQ(linesFrom(a, "00FF", 2),
            (std::vector<std::string>{"00FF 1F    [04]     XPAGE", "0100 20    [04]     nop"}));
}

TEST(PageRule, LabelsBeforeAndOnAnInstructionWithFillers) {
  // before: names the filler's address, on: the instruction after the fillers.
  Assembly a = assembleSource(repeat("\tnop\n", 0xFE) + "before:\non:\tjmp before\n\tjmp on\n");
  EXPECT_EQ(
      linesFrom(a, "00FE", 5),
      (std::vector<std::string>{
          "00FE            before:", "00FE 20    [04]         NOP", "00FF 1F    [04]         XPAGE",
          "0100 80 FE [05] on:     jmp before", "0102 81 00 [05]         jmp on"}));
}

TEST(PageRule, XpageoffReportsCrossingsAndKeepsTheBytesWhereTheyAre) {
  const std::string off = "\txpageoff\n";
  Assembly a = assembleSource(off + repeat("\tnop\n", 0xFF) + "\tjmp 0\n");
  EXPECT_EQ(linesFrom(a, "00FF", 1), (std::vector<std::string>{"00FF 80 00 [05]         jmp 0"}));
  EXPECT_EQ(a.run.err,
            "\nWarning : Following instruction crosses page boundary. WILL NOT EXECUTE CORRECTLY!\n"
            "257.13:         jmp 0\n");
  EXPECT_NE(a.lst.find("**** Warning : Following instruction crosses page boundary. WILL NOT "
                       "EXECUTE CORRECTLY!\n00FF 80 00 [05]"),
            std::string::npos);
  EXPECT_EQ(a.run.status, 1);
  // A one-byte instruction on the last byte, or a two-byte one ending there: the minor report,
  // which -b suppresses.
  Assembly b = assembleSource(off + repeat("\tnop\n", 0xFF) + "\tnop\n");
  EXPECT_EQ(linesFrom(b, "00FF", 2), (std::vector<std::string>{"00FF 20    [04]         nop"}));
  EXPECT_EQ(b.run.err,
            "\nWarning : Page crossing detected and XPAGEOFF enabled.\n257.11:         nop\n");
  Assembly c = assembleSource(off + repeat("\tnop\n", 0xFE) + "\tjmp 0\n");
  EXPECT_EQ(linesFrom(c, "00FE", 2), (std::vector<std::string>{"00FE 80 00 [05]         jmp 0"}));
  EXPECT_EQ(c.run.err,
            "\nWarning : Page crossing detected and XPAGEOFF enabled.\n256.13:         jmp 0\n");
  Assembly d = assembleSource(off + repeat("\tnop\n", 0xFE) + "\tjmp 0\n", {"prog", "-b"});
  EXPECT_EQ(d.run.err, "");
  EXPECT_EQ(d.run.status, 0);
}

// Regression: pass 2 began in the page state that pass 1 ended in, so code before the first
// xpageoff of a source that ends with it got no fillers in pass 2, away from its labels.
TEST(PageRule, SecondPassStartsWithPageHandlingOn) {
  Assembly a = assembleSource(repeat("\tnop\n", 0xFF) + "\tjmp after\n\txpageoff\nafter:\tnop\n");
  EXPECT_EQ(linesFrom(a, "00FF", 2),
            (std::vector<std::string>{"00FF 1F    [04]         XPAGE",
                                      "0100 81 02 [05]         jmp after"}));
  EXPECT_EQ(a.run.err, "");
}

TEST(Emission, PassOneAdvancesLikePassTwoWithoutWriting) {
  StatementFixture f(0x200);
  f.as().pass = 1;
  Label label;
  f.as().lineLabel = &label;
  f.as().pc = 0xFE;
  emitTwoBytes(f.as(), 0x80, 0x00, 5);
  EXPECT_EQ(f.as().pc, 0x102);
  EXPECT_EQ(label.value, 0x100);
  f.as().pc = 0x1FF;
  emitByte(f.as(), 0x20, 4);
  EXPECT_EQ(f.as().pc, 0x201);
  EXPECT_EQ(label.value, 0x200);
  EXPECT_EQ(f.listing(), "");
  EXPECT_EQ(f.image(0xFE), 0xEE);
}

TEST(Emission, SuspendedPageHandlingNeitherFillsNorReports) {
  StatementFixture f(0x200);
  f.as().xpageEnabled = 2;
  Label label;
  f.as().lineLabel = &label;
  f.as().pc = 0xFF;
  emitTwoBytes(f.as(), 0x34, 0x12, 0);
  EXPECT_EQ(label.value, 0xFF);
  EXPECT_EQ(f.image(0xFF), 0x34);
  EXPECT_EQ(f.image(0x100), 0x12);
  EXPECT_EQ(f.err(), "");
}

// Pass 2 reaching beyond the image that pass 1 measured stops the run; nothing is stored
// outside the image.
TEST(Emission, BytesBeyondTheImageStopTheRun) {
  struct Case {
    Value pc;
    bool twoBytes;
    const char* fatal;
  };
  const Case cases[] = {
      {4, false,
       "PC >= maxPC from first pass (4>=4); Cannot continue; Check previous warnings/errors."},
      {5, false,
       "PC > maxPC from first pass (5>4); Cannot continue; Check previous warnings/errors."},
      {4, true,
       "PC >= maxPC from first pass (4>=4); Cannot continue; Check previous warnings/errors."},
      // The second byte of a two-byte emission is checked as well.
      {3, true,
       "PC >= maxPC from first pass (4>=4); Cannot continue; Check previous warnings/errors."},
      // A pc that wrapped around to a negative value is far beyond the image.
      {-2, false,
       "PC > maxPC from first pass (FFFFFFFE>4); Cannot continue; Check previous warnings/errors."},
  };
  for (const Case& c : cases) {
    StatementFixture f(4);
    SCOPED_TRACE(c.pc);
    f.assemble("");
    f.as().pc = c.pc;
    if (c.twoBytes) {
      EXPECT_THROW(emitTwoBytes(f.as(), 0x80, 0x12, 5), FatalStop);
    } else {
      EXPECT_THROW(emitByte(f.as(), 0x20, 4), FatalStop);
    }
    std::string listing = f.listing();
    EXPECT_NE(listing.find(std::string("; Error : ") + c.fatal + "\n"), std::string::npos)
        << listing;
    EXPECT_EQ(f.as().romImage, std::vector<std::uint8_t>(4, 0xEE));
  }
}

TEST(Emission, FillerBeyondTheImageStopsTheRun) {
  StatementFixture f(0xFF);
  f.assemble("");
  f.as().pc = 0xFE;
  EXPECT_THROW(emitTwoBytes(f.as(), 0x80, 0x12, 5), FatalStop);
  EXPECT_EQ(f.image(0xFE), 0x20);
  EXPECT_EQ(f.listing(),
            "00FE 20    [04]         NOP\n"
            "00FF 1F    [04]         XPAGE\n"
            "; Error : PC >= maxPC from first pass (FF>=FF); Cannot continue; Check previous "
            "warnings/errors.\n");
}

}  // namespace
}  // namespace zelas::test
