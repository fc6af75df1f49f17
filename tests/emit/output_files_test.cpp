// The ROM dump and Intel HEX writers, on hand-filled images, and their failures through the
// driver: a file that can't be created, and one that is created but can't be written.
#include "emit/output_files.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "core/assembler.h"
#include "core/memory_file_system.h"
#include "support/test_support.h"

namespace zelas::test {
namespace {

class InMemory : public ::testing::Test, public MemoryFiles {};

// An assembler after pass 2, with an image filled by the test.
class Writers : public InMemory {
 protected:
  Writers() : as_(std::tmpfile(), std::tmpfile(), files_) { as_.pass = 2; }
  ~Writers() override {
    std::fclose(as_.out);
    std::fclose(as_.err);
  }

  void setImage(std::vector<std::uint8_t> bytes) {
    as_.romImage = std::move(bytes);
    as_.maxPC = static_cast<Value>(as_.romImage.size());
  }
  std::string err() { return readStream(as_.err); }

  Assembler as_;
};

std::vector<std::uint8_t> counting(std::size_t n) {
  std::vector<std::uint8_t> bytes(n);
  for (std::size_t i = 0; i < n; ++i) bytes[i] = static_cast<std::uint8_t>(i);
  return bytes;
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) out.push_back(line);
  return out;
}

// Byte sum of a record from the count to the checksum, modulo 256.
unsigned recordSum(const std::string& record) {
  unsigned sum = 0;
  for (std::size_t i = 1; i + 1 < record.size(); i += 2) {
    sum += static_cast<unsigned>(std::stoul(record.substr(i, 2), nullptr, 16));
  }
  return sum & 0xFFu;
}

TEST_F(Writers, ThreeByteImageGivesTheDocumentedFiles) {
  setImage({0x01, 0x02, 0x03});
  ASSERT_TRUE(writeRomFile(as_, "prog"));
  writeHexFile(as_, "prog");
  EXPECT_EQ(readFile("prog.rom"), "01 02 03 \n");
  EXPECT_EQ(as_.checksum, 6);
  EXPECT_EQ(readFile("prog.hex"),
            ":200000000102030000000000000000000000000000000000000000000000000000000000DA\n"
            ":00000001FF\n");
  EXPECT_EQ(as_.errorCount, 0);
}

TEST_F(Writers, RomLinesHoldEightBytes) {
  setImage(counting(8));
  ASSERT_TRUE(writeRomFile(as_, "prog"));
  EXPECT_EQ(readFile("prog.rom"), "00 01 02 03 04 05 06 07\n");
  setImage(counting(9));
  ASSERT_TRUE(writeRomFile(as_, "prog"));
  EXPECT_EQ(readFile("prog.rom"), "00 01 02 03 04 05 06 07\n08 \n");
  EXPECT_EQ(as_.checksum, 36);
}

TEST_F(Writers, EmptyImageGivesEmptyRomAndOnlyTheEndRecord) {
  setImage({});
  as_.checksum = 99;
  ASSERT_TRUE(writeRomFile(as_, "prog"));
  writeHexFile(as_, "prog");
  EXPECT_EQ(readFile("prog.rom"), "");
  EXPECT_EQ(as_.checksum, 0);
  EXPECT_EQ(readFile("prog.hex"), ":00000001FF\n");
}

TEST_F(Writers, LastHexRecordIsFullLengthWithFillBytes) {
  setImage(counting(40));
  as_.fillValue = 0x1AB;  // only the low byte is used
  writeHexFile(as_, "prog");
  std::vector<std::string> records = lines(readFile("prog.hex"));
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0].substr(0, 9), ":20000000");
  EXPECT_EQ(records[1].substr(0, 9), ":20002000");
  EXPECT_EQ(records[1].substr(9, 16), "2021222324252627");
  std::string fill;
  for (int i = 0; i < 24; ++i) fill += "AB";
  EXPECT_EQ(records[1].substr(25, 48), fill);
  EXPECT_EQ(records[2], ":00000001FF");
  for (const std::string& r : records) EXPECT_EQ(recordSum(r), 0u) << r;
}

TEST_F(Writers, CheckSumCountsEveryImageByte) {
  setImage(std::vector<std::uint8_t>(0x200, 0xFF));
  ASSERT_TRUE(writeRomFile(as_, "prog"));
  EXPECT_EQ(as_.checksum, 0x200 * 0xFF);
}

// Pass 2 may raise maxPC above the image pass 1 sized; the files stop at the image's end.
TEST_F(Writers, NeverReadBeyondTheImage) {
  setImage({0x10, 0x20, 0x30});
  as_.maxPC = 0x100;
  ASSERT_TRUE(writeRomFile(as_, "prog"));
  writeHexFile(as_, "prog");
  EXPECT_EQ(readFile("prog.rom"), "10 20 30 \n");
  EXPECT_EQ(as_.checksum, 0x60);
  EXPECT_EQ(lines(readFile("prog.hex")).size(), 2u);
}

TEST_F(Writers, ImagesFrom10000hOnUseExtendedLinearAddressRecords) {
  setImage(counting(0x10000 + 0x21));
  writeHexFile(as_, "prog");
  std::vector<std::string> records = lines(readFile("prog.hex"));
  // 2048 records below 10000h, the segment record, two records above, the end record.
  ASSERT_EQ(records.size(), 2048u + 1 + 2 + 1);
  for (std::size_t i = 0; i < 2048; ++i) {
    ASSERT_EQ(records[i].substr(7, 2), "00") << records[i];
    char address[5];
    std::snprintf(address, sizeof address, "%04X", static_cast<unsigned>(i * 32));
    ASSERT_EQ(records[i].substr(3, 4), address);
  }
  EXPECT_EQ(records[2048], ":020000040001F9");
  EXPECT_EQ(records[2049].substr(0, 13), ":200000000001");
  EXPECT_EQ(records[2050].substr(0, 13), ":200020002000");  // 10020h holds 20h; then fill
  EXPECT_EQ(records[2051], ":00000001FF");
  for (const std::string& r : records) EXPECT_EQ(recordSum(r), 0u) << r;
}

TEST_F(Writers, RomThatCannotBeCreatedIsTheDriversStop) {
  setImage({1});
  files_.addSpecial("prog.rom");
  EXPECT_FALSE(writeRomFile(as_, "prog"));
  EXPECT_EQ(err(), "\nError : Unable to create 'prog.rom'\n");
  EXPECT_EQ(as_.errorCount, 0);
}

TEST_F(Writers, HexThatCannotBeCreatedIsReportedAsError) {
  setImage({1});
  files_.addSpecial("prog.hex");
  writeHexFile(as_, "prog");
  EXPECT_EQ(err(), "\nError : Unable to write 'prog.hex'\n\n0.0: \n");
  EXPECT_EQ(as_.errorCount, 1);
}

TEST_F(Writers, FullDiskIsReportedAndLeavesNoFile) {
  setImage(counting(100));
  fillsTheDisk("prog.rom");
  fillsTheDisk("prog.hex");
  EXPECT_TRUE(writeRomFile(as_, "prog"));
  writeHexFile(as_, "prog");
  EXPECT_EQ(err(),
            "\nError : Unable to write 'prog.rom'\n\n0.0: \n"
            "\nError : Unable to write 'prog.hex'\n\n0.0: \n");
  EXPECT_EQ(as_.errorCount, 2);
  EXPECT_TRUE(as_.outputFailed);
  EXPECT_FALSE(files_.exists("prog.rom"));
  EXPECT_FALSE(files_.exists("prog.hex"));
}

// The driver writes both files in one call, small image and large (past the first 64K segment):
// the files, the checksum and the reports must be those of the two writers one after the other.
TEST_F(Writers, BothFilesAtOnceMatchTheWritersInTurn) {
  for (std::size_t size : {std::size_t{3}, std::size_t{0x50003}}) {
    std::vector<std::uint8_t> image = counting(size);
    for (std::size_t i = 0; i < size; i += 7) image[i] = static_cast<std::uint8_t>(i * 31 >> 3);
    setImage(image);
    ASSERT_TRUE(writeRomFile(as_, "prog"));
    writeHexFile(as_, "prog");
    std::string rom = readFile("prog.rom");
    std::string hex = readFile("prog.hex");
    Value checksum = as_.checksum;
    as_.checksum = 0;
    ASSERT_TRUE(writeImageFiles(as_, "prog"));
    EXPECT_EQ(readFile("prog.rom"), rom) << size;
    EXPECT_EQ(readFile("prog.hex"), hex) << size;
    EXPECT_EQ(as_.checksum, checksum) << size;
    EXPECT_EQ(as_.errorCount, 0);
  }
}

TEST_F(Writers, BothFilesAtOnceReportInTheOrderOfTheFiles) {
  setImage(counting(0x50000));
  fillsTheDisk("prog.rom");
  files_.addSpecial("prog.hex");
  EXPECT_TRUE(writeImageFiles(as_, "prog"));
  EXPECT_EQ(err(),
            "\nError : Unable to write 'prog.rom'\n\n0.0: \n"
            "\nError : Unable to write 'prog.hex'\n\n0.0: \n");
  EXPECT_EQ(as_.errorCount, 2);
  EXPECT_FALSE(files_.exists("prog.rom"));
}

TEST_F(Writers, BothFilesAtOnceCreateNoHexWithoutTheRom) {
  setImage(counting(0x50000));
  files_.addSpecial("prog.rom");
  EXPECT_FALSE(writeImageFiles(as_, "prog"));
  EXPECT_EQ(err(), "\nError : Unable to create 'prog.rom'\n");
  EXPECT_FALSE(files_.exists("prog.hex"));
}

// A program large enough that its labels fill many buckets and its listing many blocks: the
// failures must come out as for a small program.
std::string largeProgram(int labels) {
  std::string text;
  for (int i = 0; i < labels; ++i) text += "L" + std::to_string(i) + ":\tmov\ta,[x+1]\n";
  return text;
}

class OutputFailures : public InMemory {
 protected:
  // Assembles a large program where a folder stands in the way of one of its output files.
  RunResult runLargeProgramBlocking(const char* output) {
    writeFile("prog.asm", largeProgram(6000));
    files_.addSpecial(output);
    return runZelasInProcess({"-e", "prog"});
  }
};

// Through the driver: the listing's summary counts the write error and the run fails.
TEST_F(OutputFailures, FullDiskMakesTheRunFail) {
  writeFile("prog.asm", "\tnop\n");
  fillsTheDisk("prog.rom");
  RunResult r = runZelasInProcess({"prog"});
  EXPECT_NE(r.status, 0);
  EXPECT_NE(r.err.find("\nError : Unable to write 'prog.rom'\n"), std::string::npos) << r.err;
  std::string lst = readFile("prog.lst");
  EXPECT_NE(lst.find("**** Error : Unable to write 'prog.rom'\n\n\nCheckSum = "), std::string::npos)
      << lst;
  EXPECT_NE(lst.find("Errors   = 1\n"), std::string::npos);
  EXPECT_TRUE(fileExists("prog.hex"));
}

TEST_F(OutputFailures, RomNotCreatedStopsBeforeHexAndSummary) {
  writeFile("prog.asm", "\tnop\n");
  files_.addSpecial("prog.rom");
  RunResult r = runZelasInProcess({"prog"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "\nError : Unable to create 'prog.rom'\n");
  EXPECT_FALSE(fileExists("prog.hex"));
  EXPECT_EQ(readFile("prog.lst").find("CheckSum"), std::string::npos);
}

TEST_F(OutputFailures, HexNotCreatedIsCountedInTheSummary) {
  writeFile("prog.asm", "\tnop\n");
  files_.addSpecial("prog.hex");
  RunResult r = runZelasInProcess({"prog"});
  EXPECT_EQ(r.status, 1);
  std::string lst = readFile("prog.lst");
  EXPECT_NE(lst.find("**** Error : Unable to write 'prog.hex'\n\n\nCheckSum = "), std::string::npos)
      << lst;
  EXPECT_NE(lst.find("Errors   = 1\n"), std::string::npos);
  EXPECT_NE(lst.find("SYMBOLIC REFERENCE TABLE"), std::string::npos);
}

TEST_F(OutputFailures, LargeProgramRomNotCreatedStillStopsBeforeTheSymbolTable) {
  RunResult r = runLargeProgramBlocking("prog.rom");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "\nError : Unable to create 'prog.rom'\n");
  std::string lst = readFile("prog.lst");
  EXPECT_EQ(lst.find("CheckSum"), std::string::npos);
  EXPECT_EQ(lst.find("SYMBOLIC REFERENCE TABLE"), std::string::npos);
  EXPECT_NE(lst.find("2F3C 1B 01 [06] L5999:"), std::string::npos);  // the last line is listed
}

TEST_F(OutputFailures, LargeProgramHexNotCreatedComesBeforeTheSummaryAndTable) {
  RunResult r = runLargeProgramBlocking("prog.hex");
  EXPECT_EQ(r.status, 1);
  std::string lst = readFile("prog.lst");
  std::size_t report = lst.find("**** Error : Unable to write 'prog.hex'\n\n\nCheckSum = ");
  std::size_t table = lst.find("SYMBOLIC REFERENCE TABLE");
  ASSERT_NE(report, std::string::npos);
  ASSERT_NE(table, std::string::npos);
  EXPECT_LT(report, table);
  EXPECT_NE(lst.find("\n2f3c   L5999                  0\n"), std::string::npos);
}

// A fatal stop deep into a large listing: everything listed before it reaches the file, in order.
// Pass 1 skips the block of the "if" (its label is not defined yet) and pass 2 assembles it, so
// pass 2 runs past the end of the image after listing more than 2 MiB.
TEST_F(OutputFailures, FatalStopInPassTwoKeepsAWholeLargeListing) {
  std::string text = "\tif\tlater\n";
  for (int i = 0; i < 90000; ++i) text += "\tnop\n";
  text += "\tendif\n" + largeProgram(40000) + "later:\tequ\t1\n";
  writeFile("prog.asm", text);
  RunResult r = runZelasInProcess({"-e", "prog"});
  EXPECT_EQ(r.status, 1);
  std::string lst = readFile("prog.lst");
  EXPECT_GT(lst.size(), std::size_t{2} << 20);
  const std::string tail =
      "13AF4 20    [04]         nop\n"
      "; Error : PC >= maxPC from first pass (13AF4>=13AF4); Cannot continue; Check previous "
      "warnings/errors.\n";
  ASSERT_GE(lst.size(), tail.size());
  EXPECT_EQ(lst.substr(lst.size() - tail.size()), tail);
  EXPECT_EQ(lst.find("L0:"), std::string::npos);
}

}  // namespace
}  // namespace zelas::test
