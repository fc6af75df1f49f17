// The location and data directives: what they store, list and report, through whole runs.
#include "statements/data_directives.h"

#include <gtest/gtest.h>

#include <string>

#include "support/test_support.h"
#include "target/product.h"

namespace zelas::test {
namespace {

// The ROM dump's bytes as one string of hexadecimal pairs, blanks and line ends removed.
std::string romDigits(const std::string& rom) {
  std::string digits;
  for (char ch : rom) {
    if (ch != ' ' && ch != '\n') digits.push_back(ch);
  }
  return digits;
}

TEST(DataLists, BriefModeHidesRangeWarnings) {
  Assembly a = assembleSource("\tdb 256\n\tdwl 10000h\n\tfillrom 100h\n", {"-b"});
  EXPECT_EQ(a.run.status, 0);
  EXPECT_EQ(a.run.err, "");
}

TEST(DataLists, DataRunsAcrossAPageWithoutFillers) {
  Assembly a = assembleSource("\torg 0FEh\n\tdb 1,2,3\n\tnop\n");
  EXPECT_EQ(romDigits(a.rom).substr(2 * 0xFE), "01020320");
  EXPECT_EQ(a.run.err, "");
}

// Once hung: the evaluator stops at "]" without consuming it.
TEST(DataLists, StrayCharacterEndsTheListWithOneWarning) {
  Assembly a = assembleSource("\tdb 1] 2\n\tdb 4\n");
  EXPECT_EQ(listingBody(a.lst),
            "**** Warning : Unexpected ']' in operand list; rest of line ignored.\n"
            "0000 01    [00]         db 1] 2\n"
            "0001 04    [00]         db 4\n");
  EXPECT_EQ(a.run.status, 1);
}

TEST(Strings, DsuStoresEachCharacterWithAZero) {
  Assembly a = assembleSource("\torg 30h\n\tdsu \"Hi\"\n\tdsu \"\xE9\"\n");
  EXPECT_EQ(listingBody(a.lst),
            "0030                    org 30h\n"
            "0030 48 00 ...          dsu \"Hi\"\n"
            "     69 00 \n"
            "0034 E9 00                dsu \"\xE9\"\n");
  EXPECT_EQ(romDigits(a.rom).substr(0x60), "48006900E900");
}

TEST(Strings, ContinuationLinesHold25BytesOr13Characters) {
  Assembly a =
      assembleSource("\tds \"abcdefghijklmnopqrstuvwxyz0123\"\n\tdsu \"ABCDEFGHIJKLMNO\"\n");
  EXPECT_EQ(listingBody(a.lst),
            "0000 61 62 ...          ds \"abcdefghijklmnopqrstuvwxyz0123\"\n"
            "     63 64 65 66 67 68 69 6A 6B 6C 6D 6E 6F 70 71 72 73 74 75 76 77 78 79 7A 30 \n"
            "     31 32 33 \n"
            "001E 41 00 ...          dsu \"ABCDEFGHIJKLMNO\"\n"
            "     42 00 43 00 44 00 45 00 46 00 47 00 48 00 49 00 4A 00 4B 00 4C 00 4D 00 4E "
            "00 \n"
            "     4F 00 \n");
}

TEST(Strings, EscapesMissingQuotesAndEmptyStrings) {
  Assembly a = assembleSource("\tds \"xy\\\"z\"\n\tds abc\n\tds \"\"\n\tds \"q\\");
  EXPECT_EQ(listingBody(a.lst),
            "0000 78 79 ...          ds \"xy\\\"z\"\n"
            "     22 7A \n"
            "**** Warning : Missing '\"' to string\n"
            "0004 62 63 ...          ds abc\n"
            "0006 00                 ds \"\"\n"
            "0006 71                 ds \"q\\\n");
  EXPECT_EQ(a.rom, "78 79 22 7A 62 63 71 \n");
}

// Pass 1 could not place the org, so pass 2 puts the string beyond the image.
TEST(Strings, StoreBeyondTheImageStopsTheRun) {
  Assembly a = assembleSource("\torg later\n\tds \"ab\"\nlater:\n");
  EXPECT_EQ(a.run.status, 1);
  EXPECT_EQ(listingBody(a.lst),
            "**** Error : Unable to resolve ORG in first pass, labels following will be incorrect "
            "on second pass.\n'        org later'\n"
            "0002                    org later\n"
            "0002 61 62 ...          ds \"ab\"\n"
            "; Error : PC > maxPC from first pass (2>2); Cannot continue; Check previous "
            "warnings/errors.\n");
}

// The image ends inside the string: the bytes up to the one that leaves it are listed, the
// ones before it stored, and the run stops there.
TEST(Strings, StoreLeavingTheImageMidwayStopsAtThatByte) {
  Assembly ds = assembleSource("\torg later\n\tds \"abcdefgh\"\nlater:\tequ 3\n");
  EXPECT_EQ(ds.run.status, 1);
  EXPECT_NE(
      listingBody(ds.lst).find("0003 61 62 ...          ds \"abcdefgh\"\n"
                               "     63 64 65 66 \n"
                               "; Error : PC > maxPC from first pass (8>8); Cannot continue;"),
      std::string::npos)
      << ds.lst;
  Assembly dsu = assembleSource("\torg later\n\tdsu \"abcdefgh\"\nlater:\tequ 11\n");
  EXPECT_EQ(dsu.run.status, 1);
  EXPECT_NE(listingBody(dsu.lst).find("000B 61 00 ...          dsu \"abcdefgh\"\n"
                                      "     62 00 63 00 \n"
                                      "; Error : PC > maxPC from first pass (F>10);"),
            std::string::npos)
      << dsu.lst;
}

TEST(Strings, ShortDsuHeadersKeepTheirWidth) {
  Assembly a = assembleSource("\tdsu \"\"\n\tdsu \"z\"\n");
  EXPECT_EQ(listingBody(a.lst),
            "0000 00 00                dsu \"\"\n"
            "0000 7A 00                dsu \"z\"\n");
  EXPECT_EQ(a.rom, "7A 00 \n");
}

// A line read with its tabs is listed with them expanded, and the reports about its later items
// give the columns of the expanded text, also after the line was cut behind the first item.
TEST(DataList, TabbedItemsListExpandedAndReportExpandedColumns) {
  const std::string source = "\tdb\t1,\t300,\t2,\t-300\n";
  Assembly a = assembleSource(source);
  EXPECT_EQ(listingBody(a.lst),
            "0000 01    [00]         db      1,      300,    2,      -300\n"
            "**** Warning : '12Ch' is larger than a byte.\n"
            "0001 2C    [00] \n"
            "0002 02    [00] \n"
            "**** Warning : 'FFFFFED4h' is larger than a byte.\n"
            "0003 D4    [00] \n");
  EXPECT_NE(a.run.err.find("1.32: \n"), std::string::npos) << a.run.err;
  EXPECT_NE(a.run.err.find("1.44: \n"), std::string::npos) << a.run.err;
  Assembly gnu = assembleSource(source, {"--diagnostics=gnu"});
  // GNU columns point at the item itself, although the line was cut behind the first one.
  EXPECT_NE(gnu.run.err.find(":1:25: warning: '12Ch' is larger than a byte."), std::string::npos)
      << gnu.run.err;
  EXPECT_NE(gnu.run.err.find(":1:41: warning: 'FFFFFED4h'"), std::string::npos) << gnu.run.err;
}

TEST(Org, WithoutRangeCheckBeyondRomIsAWarningAndMoves) {
  Assembly a = assembleSource("\torg 800h\n\tdb 1\n", {"-e"});
  EXPECT_EQ(listingBody(a.lst),
            "**** Warning : ROM address out of range, '0800h' >= 0800h\n"
            "0800                    org 800h\n"
            "0800 01    [00]         db 1\n");
  EXPECT_EQ(a.rom.size(), 0x800u * 3 + 4);  // 256 full lines and "01 \n"
}

TEST(Equ, ForwardReferenceWarnsOnceInPassOne) {
  Assembly a = assembleSource("size:\tequ later\nlater:\tdb 1\n");
  // Forced out in pass 1, so it stands above every code line.
  EXPECT_EQ(listingBody(a.lst).find("**** Warning : Label 'size' undefined after first pass.\n\n"),
            0u);
  EXPECT_NE(listingBody(a.lst).find("0000=           size:   equ later\n"), std::string::npos);
  EXPECT_EQ(a.run.status, 1);
  Assembly brief = assembleSource("size:\tequ later\nlater:\tdb 1\n", {"-b"});
  EXPECT_EQ(brief.run.status, 0);
}

TEST(Fillrom, ImageCoversTheWholeRom) {
  Assembly a = assembleSource("\tdb 1,2\n\tfillrom 0FFh\n");
  std::size_t romSize = static_cast<std::size_t>(productTable().front().romSize);
  std::string digits = romDigits(a.rom);
  ASSERT_EQ(digits.size(), 2 * romSize);
  EXPECT_EQ(digits.substr(0, 6), "0102FF");
  EXPECT_EQ(digits.find_first_not_of('F', 4), std::string::npos);
  EXPECT_EQ(a.hex.size(), (romSize / 32) * 76 + 12);  // full records and the end record
}

TEST(Fillrom, WithoutOperandKeepsTheFillAndWarns) {
  Assembly a = assembleSource("\tfillrom\n");
  EXPECT_EQ(listingBody(a.lst),
            "**** Warning : FILLROM requires an operand.\n"
            "0000                    fillrom\n");
  EXPECT_EQ(romDigits(a.rom).find_first_not_of('0'), std::string::npos);
}

}  // namespace
}  // namespace zelas::test
