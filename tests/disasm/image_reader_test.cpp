// Reading images back from .hex and .rom files, and refusing damaged or foreign files.
#include "disasm/image_reader.h"

#include <gtest/gtest.h>

namespace zelas::dis {
namespace {

const ImageLimit kPx101{0x800, false, "PX101"};
const ImageLimit kBeyond{0x800, true, "PX101"};

// The worked example of the assembler's HEX writer: 01 02 03 and 29 fill bytes.
constexpr char kThreeBytes[] =
    ":200000000102030000000000000000000000000000000000000000000000000000000000DA\n"
    ":00000001FF\n";

TEST(ImageReader, ReadsTheAssemblersHexFile) {
  ImageRead read = readIntelHex(kThreeBytes, "prog.hex", kPx101);
  ASSERT_TRUE(read.ok()) << read.error;
  ASSERT_EQ(read.image.size(), 32u);  // a HEX file ends at its last record's end
  EXPECT_EQ(read.image[0], 1);
  EXPECT_EQ(read.image[2], 3);
  EXPECT_EQ(read.image[31], 0);
}

TEST(ImageReader, ReadsShortRecordsCarriageReturnsAndLowerCaseDigits) {
  ImageRead read = readIntelHex(":0300100001fe7f6f\r\n\r\n:00000001FF\r\n", "a.hex", kPx101);
  ASSERT_TRUE(read.ok()) << read.error;
  ASSERT_EQ(read.image.size(), 0x13u);
  EXPECT_EQ(read.image[0x0F], 0);  // not covered by a record
  EXPECT_EQ(read.image[0x11], 0xFE);
  EXPECT_EQ(read.image[0x12], 0x7F);
}

TEST(ImageReader, ExtendedLinearAddressRecordsMoveTheRecordsAbove10000h) {
  std::string text = ":020000040001F9\n:0100050042B8\n:00000001FF\n";
  ImageRead read = readIntelHex(text, "big.hex", kBeyond);
  ASSERT_TRUE(read.ok()) << read.error;
  ASSERT_EQ(read.image.size(), 0x10006u);
  EXPECT_EQ(read.image[0x10005], 0x42);
  EXPECT_EQ(readIntelHex(text, "big.hex", kPx101).error,
            "big.hex:2: address 10005h lies beyond the 0800h-byte ROM of PX101 (images made "
            "with -e need -e)");
}

TEST(ImageReader, NamesTheLineOfEveryDamagedRecord) {
  struct Case {
    std::string text;
    std::string error;
  };
  const Case cases[] = {
      {":0100000042BD\n:0100010042BD\n:00000001FF\n",
       "x.hex:2: bad checksum BDh, the record needs BCh"},
      {"\n0100000042BD\n", "x.hex:2: record does not start with ':'"},
      {":01000000423\n", "x.hex:1: malformed record: pairs of hexadecimal digits expected"},
      {":0100000G42BD\n", "x.hex:1: malformed record: pairs of hexadecimal digits expected"},
      {":02000000420BB\n", "x.hex:1: malformed record: pairs of hexadecimal digits expected"},
      {":020000004241\n", "x.hex:1: record holds 1 data bytes, its byte count says 2"},
      {":0000\n", "x.hex:1: malformed record: pairs of hexadecimal digits expected"},
      {":020000021000EC\n", "x.hex:1: unsupported record type 02h"},
      {":01000001AA54\n", "x.hex:1: malformed end record"},
      {":0100000004000000F7\n", "x.hex:1: record holds 4 data bytes, its byte count says 1"},
      {":020000030000FB\n", "x.hex:1: unsupported record type 03h"},
      {":0100000042BD\n:00000001FF\n:00000001FF\n", "x.hex:3: text after the end record"},
      {":02080000424272\n:00000001FF\n",
       "x.hex:1: address 0800h lies beyond the 0800h-byte ROM of PX101 (images made with -e "
       "need -e)"},
      {":0200000042427A\n:0100010042BC\n:00000001FF\n",
       "x.hex:2: record overlaps an earlier record at address 0001h"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(readIntelHex(c.text, "x.hex", kPx101).error, c.error) << c.text;
  }
}

// A file cut short, even at a record boundary, is never taken for the whole image.
TEST(ImageReader, RefusesAHexFileWithoutItsEndRecord) {
  std::string whole = kThreeBytes;
  std::string cut = whole.substr(0, whole.find('\n') + 1);
  EXPECT_EQ(readIntelHex(cut, "p.hex", kPx101).error,
            "p.hex:2: no end record: the file is truncated");
  EXPECT_EQ(readIntelHex(whole.substr(0, 20), "p.hex", kPx101).error,
            "p.hex:1: malformed record: pairs of hexadecimal digits expected");
  EXPECT_EQ(readIntelHex("", "p.hex", kPx101).error,
            "p.hex:1: no end record: the file is truncated");
}

TEST(ImageReader, ReadsARomDumpToItsExactSize) {
  ImageRead read = readRomDump("19 12 80 00 20 20 20 20\n3F \n", "p.rom", kPx101);
  ASSERT_TRUE(read.ok()) << read.error;
  EXPECT_EQ(read.image,
            (std::vector<std::uint8_t>{0x19, 0x12, 0x80, 0, 0x20, 0x20, 0x20, 0x20, 0x3F}));
  EXPECT_TRUE(readRomDump("", "p.rom", kPx101).image.empty());
}

TEST(ImageReader, NamesTheLineOfABadRomDump) {
  EXPECT_EQ(readRomDump("19 12\n80 0\n", "p.rom", kPx101).error,
            "p.rom:2: '0' is not a two-digit hexadecimal byte");
  EXPECT_EQ(readRomDump("19 12\n80 XY\n", "p.rom", kPx101).error,
            "p.rom:2: 'XY' is not a two-digit hexadecimal byte");
  std::string tooLong;
  for (int i = 0; i < 0x801; ++i) tooLong += (i + 1) % 8 == 0 ? "00\n" : "00 ";
  EXPECT_EQ(readRomDump(tooLong, "p.rom", kPx101).error,
            "p.rom:257: address 0800h lies beyond the 0800h-byte ROM of PX101 (images made with "
            "-e need -e)");
  EXPECT_TRUE(readRomDump(tooLong, "p.rom", kBeyond).ok());
}

TEST(ImageReader, DetectsTheFormatByContentThenByExtension) {
  EXPECT_EQ(detectFormat("  \n:00000001FF\n", "image.rom"), ImageFormat::intelHex);
  EXPECT_EQ(detectFormat("3F 00\n", "image.hex"), ImageFormat::romDump);
  EXPECT_EQ(detectFormat("", "image.HEX"), ImageFormat::intelHex);
  EXPECT_EQ(detectFormat("", "image.rom"), ImageFormat::romDump);
  EXPECT_FALSE(readImageText("", "empty.hex", kPx101).ok());
  EXPECT_TRUE(readImageText("", "empty.rom", kPx101).ok());
}

}  // namespace
}  // namespace zelas::dis
