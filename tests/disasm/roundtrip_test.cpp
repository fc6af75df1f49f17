// Round trips: assemble, disassemble, assemble again, and compare the images byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/disk_file_system.h"
#include "disasm/disassembler.h"
#include "disasm/image_reader.h"
#include "disasm/roundtrip_support.h"
#include "e2e/case_file.h"
#include "support/test_support.h"

namespace zelas::test {
namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t kSeed = 20261209;
constexpr int kImagesPerFamily = 1250;  // eight streams each: 10,000 streams per family

const Product& product(std::string_view id) {
  return *findProduct(id);
}

// Runs the random round trips of one product and stops at the first image that fails.
void roundTripRandomStreams(const Product& p, std::uint32_t seed) {
  ScopedTempDir dir;
  std::mt19937 rng(seed);
  StreamImageShape shape;
  // A quarter of family B's images may reach past 1000h, where the upper 4K block begins.
  for (int i = 0; i < kImagesPerFamily; ++i) {
    shape.maxImageSize = p.family == CpuFamily::B && i % 4 == 3 ? 0x1200 : 0x400;
    std::vector<std::uint8_t> image = randomStreamImage(rng, p, shape);
    RoundTrip trip = roundTripImage(image, p, false, dir.path());
    ASSERT_TRUE(trip.same) << "image " << i << " of " << image.size() << " bytes differs at "
                           << firstDifference(image, trip.reassembled) << "\n"
                           << trip.report << "\n"
                           << trip.source;
  }
}

TEST(DisassemblerRoundTrip, RandomStreamsOfFamilyA) {
  roundTripRandomStreams(product("PX104"), kSeed);
}

TEST(DisassemblerRoundTrip, RandomStreamsOfFamilyB) {
  roundTripRandomStreams(product("PX109"), kSeed + 1);
}

// The product a run ended with, from the listing's summary line.
std::string productOfListing(const std::string& lst) {
  std::size_t at = lst.rfind("\nProduct: ");
  if (at == std::string::npos) return "PX101";
  at += 10;
  return lst.substr(at, lst.find(',', at) - at);
}

// Disassembles image (a .rom or .hex file in the working folder) with the command, assembles
// the source in a fresh folder and returns the file of the same kind that it gives.
std::string reassembled(const std::string& image, const std::string& productId, bool beyondRom) {
  std::vector<std::string> args = {"-p", productId, "-o", "dis.asm", image};
  if (beyondRom) args.push_back("-e");
  std::FILE* err = std::tmpfile();
  DiskFileSystem files;
  int status = dis::runDisassembler(args, stdout, err, files);
  std::fclose(err);
  EXPECT_EQ(status, 0) << image;
  std::string source = readFile("dis.asm");
  ScopedTempDir again;
  writeFile("prog.asm", source);
  std::vector<std::string> zelasArgs = {"prog"};
  if (beyondRom) zelasArgs.push_back("-e");
  runZelasInProcess(zelasArgs);
  std::string result = readFile("prog" + fs::path(image).extension().string());
  EXPECT_NE(readFile("prog.lst").find("Errors   = 0"), std::string::npos) << source;
  return result;
}

// Assembles the program base in the working folder with args; when that gives no errors, both
// of its images must survive the round trip. Tells whether they were tried.
bool expectRoundTrip(const std::string& base, const std::vector<std::string>& args,
                     const std::string& what) {
  runZelasInProcess(args);
  std::string lst = readFile(base + ".lst");
  if (!fileExists(base + ".rom") || lst.find("Errors   = 0") == std::string::npos) return false;
  std::string productId = productOfListing(lst);
  std::string rom = readFile(base + ".rom");
  // An image larger than the ROM of the product the source ended with (made with -e, or sized
  // by an earlier product) can only be written back with -e.
  std::size_t size = dis::readRomDump(rom, "rom", {0, true, ""}).image.size();
  bool beyondRom = std::find(args.begin(), args.end(), "-e") != args.end() ||
                   size > static_cast<std::size_t>(product(productId).romSize);
  std::string hex = readFile(base + ".hex");
  fs::path here = fs::current_path();
  EXPECT_EQ(reassembled((here / (base + ".rom")).string(), productId, beyondRom), rom) << what;
  EXPECT_EQ(reassembled((here / (base + ".hex")).string(), productId, beyondRom), hex) << what;
  return true;
}

// Every example, assembled as its Makefile does, in a copy of the examples folder.
TEST(DisassemblerRoundTrip, EveryExample) {
  ScopedTempDir dir;
  fs::copy(ZELAS_EXAMPLES, dir.path(), fs::copy_options::recursive);
  int count = 0;
  for (const auto& entry : fs::directory_iterator(dir.path())) {
    if (entry.path().extension() != ".asm") continue;
    std::string base = entry.path().stem().string();
    bool tried = expectRoundTrip(base, {"--include-path=inc", base}, entry.path().string());
    EXPECT_TRUE(tried) << entry.path() << " does not assemble without errors";
    count += tried;
  }
  EXPECT_GT(count, 0);
}

TEST(DisassemblerRoundTrip, EveryEndToEndCaseSource) {
  int count = 0;
  for (const fs::path& path : endToEndCaseFiles(fs::path(ZELAS_TEST_DATA) / "e2e/cases")) {
    EndToEndCase c = readEndToEndCase(path);
    bool hasProg = false;
    for (const auto& file : c.inputs) hasProg = hasProg || file.first == "prog.asm";
    if (!hasProg) continue;
    ScopedTempDir dir;
    for (const auto& [name, text] : c.inputs) writeFile(name, text);
    count += expectRoundTrip("prog", c.args, path.string());
  }
  EXPECT_GT(count, 0);
}

// An image made with -e reaches past the ROM; from 10000h on its HEX file needs extended
// linear address records.
TEST(DisassemblerRoundTrip, ImageBeyondTheRomWithE) {
  ScopedTempDir dir;
  std::vector<std::uint8_t> image(0x10010, 0);
  image[0] = 0x80;  // jmp 0003h
  image[1] = 0x03;
  image[3] = 0x3F;
  image[0x900] = 0x55;
  image[0x1000F] = 0x77;
  RoundTrip trip = roundTripImage(image, product("PX101"), true, dir.path());
  EXPECT_TRUE(trip.same) << trip.report;
  std::string hex = readFile(dir.path() / "trip.hex");
  EXPECT_NE(hex.find(":020000040001F9\n"), std::string::npos);
  EXPECT_EQ(reassembled((dir.path() / "trip.hex").string(), "PX101", true), hex);
}

}  // namespace
}  // namespace zelas::test
