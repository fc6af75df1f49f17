// A real Intel HEX consumer reads back every .hex file that the end-to-end cases and the examples
// produce: converted to binary it must give the bytes of the matching .rom dump, apart from the
// fill that completes the last 32-byte record.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "e2e/case_file.h"
#include "support/test_support.h"

namespace zelas::test {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kRecordSize = 32;

bool haveSrecCat() {
  return std::system("command -v srec_cat >/dev/null 2>&1") == 0;
}

// The bytes of a ROM dump: hexadecimal pairs separated by blanks and line ends.
std::string romBytes(const std::string& text) {
  std::string bytes;
  std::istringstream in(text);
  std::string pair;
  while (in >> pair) bytes.push_back(static_cast<char>(std::stoul(pair, nullptr, 16)));
  return bytes;
}

// Converts every NAME.hex beside a NAME.rom in the working folder and compares; returns how
// many pairs were checked.
int checkPairsInWorkingFolder(const std::string& origin) {
  int checked = 0;
  for (const auto& entry : fs::directory_iterator(".")) {
    fs::path hex = entry.path();
    fs::path rom = fs::path(hex).replace_extension(".rom");
    if (hex.extension() != ".hex" || !fs::exists(rom)) continue;
    SCOPED_TRACE(origin + ": " + hex.filename().string());
    std::string expected = romBytes(readFile(rom));
    ++checked;
    if (expected.empty()) {
      // The consumer refuses a file without data; an empty image is the end record alone.
      EXPECT_EQ(readFile(hex), ":00000001FF\n");
      continue;
    }
    std::string command =
        "srec_cat '" + hex.string() + "' -intel -o consumer.bin -binary 2>consumer.err";
    EXPECT_EQ(std::system(command.c_str()), 0) << readFile("consumer.err");
    std::string binary = readFile("consumer.bin");
    std::size_t records = (expected.size() + kRecordSize - 1) / kRecordSize;
    EXPECT_EQ(binary.size(), records * kRecordSize);
    EXPECT_TRUE(binary.compare(0, expected.size(), expected) == 0);
    fs::remove("consumer.bin");
  }
  return checked;
}

TEST(HexConsumer, EndToEndOutputsRoundTrip) {
  if (!haveSrecCat()) GTEST_SKIP() << "srec_cat (Debian package srecord) is not installed";
  int checked = 0;
  for (const fs::path& path : endToEndCaseFiles(fs::path(ZELAS_TEST_DATA) / "e2e/cases")) {
    EndToEndCase c = readEndToEndCase(path);
    ScopedTempDir dir;
    for (const auto& [name, text] : c.inputs) {
      if (fs::path(name).has_parent_path()) fs::create_directories(fs::path(name).parent_path());
      writeFile(name, text);
    }
    runZelasInProcess(c.args);
    checked += checkPairsInWorkingFolder(path.filename().string());
  }
  EXPECT_GT(checked, 0);
}

TEST(HexConsumer, ExampleOutputsRoundTrip) {
  if (!haveSrecCat()) GTEST_SKIP() << "srec_cat (Debian package srecord) is not installed";
  int checked = 0;
  ScopedTempDir dir;
  fs::copy(ZELAS_EXAMPLES, ".", fs::copy_options::recursive);
  for (const auto& entry : fs::directory_iterator(".")) {
    if (entry.path().extension() == ".asm") runZelasInProcess({entry.path().stem().string()});
  }
  checked += checkPairsInWorkingFolder("examples");
  EXPECT_GT(checked, 0);
}

// Above 10000h the file carries extended linear address records.
TEST(HexConsumer, ImageBeyond64KRoundTrips) {
  if (!haveSrecCat()) GTEST_SKIP() << "srec_cat (Debian package srecord) is not installed";
  ScopedTempDir dir;
  writeFile("prog.asm", "\tdb 1\n\torg 10010h\n\tdb 5,6\n");
  runZelasInProcess({"-e", "prog"});
  EXPECT_EQ(checkPairsInWorkingFolder("image beyond 64K"), 1);
  EXPECT_NE(readFile("prog.hex").find(":020000040001F9\n"), std::string::npos);
}

}  // namespace
}  // namespace zelas::test
