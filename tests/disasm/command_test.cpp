// The zelas-dis command: options, output, and the refusal of damaged images.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>

#include "core/memory_file_system.h"
#include "disasm/disassembler.h"
#include "support/test_support.h"

namespace zelas::test {
namespace {

RunResult runDis(const std::string& args) {
  std::string command =
      std::string("'") + ZELAS_DIS_BINARY + "' " + args + " >dis_out.txt 2>dis_err.txt";
  int raw = std::system(command.c_str());
  RunResult r;
  r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  r.out = readFile("dis_out.txt");
  r.err = readFile("dis_err.txt");
  return r;
}

TEST(DisCommand, WritesTheSourceToStandardOutputOrToTheOutputFile) {
  ScopedTempDir dir;
  writeFile("p.rom", "19 12 3F \n");
  RunResult r = runDis("-p px109 p.rom");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_NE(r.out.find("; Product PX109, CPU family B, ROM 1FE0h bytes\n"), std::string::npos);
  EXPECT_NE(r.out.find("        cpu     PX109\n"), std::string::npos);
  EXPECT_NE(r.out.find("        mov     a,12h                   ; 0000  19 12\n"),
            std::string::npos);

  r = runDis("-o out.asm p.rom");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "");
  std::string source = readFile("out.asm");
  EXPECT_NE(source.find("; Product PX101, CPU family A"), std::string::npos);
  EXPECT_EQ(source.find("cpu"), std::string::npos);  // no -p, no cpu line
}

TEST(DisCommand, RefusesADamagedHexFileNamingTheLine) {
  ScopedTempDir dir;
  writeFile("bad.hex", ":0100000042BD\n:0100010042BD\n:00000001FF\n");
  RunResult r = runDis("-o out.asm bad.hex");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "zelas-dis: bad.hex:2: bad checksum BDh, the record needs BCh\n");
  EXPECT_FALSE(fileExists("out.asm"));

  writeFile("cut.hex", ":0100000042BD\n");
  r = runDis("cut.hex");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "zelas-dis: cut.hex:2: no end record: the file is truncated\n");
}

TEST(DisCommand, ImagesBeyondTheRomNeedE) {
  ScopedTempDir dir;
  writeFile("big.hex", ":0100000042BD\n:0108000042B5\n:00000001FF\n");
  RunResult r = runDis("big.hex");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "zelas-dis: big.hex:2: address 0800h lies beyond the 0800h-byte ROM of PX101 (images "
            "made with -e need -e)\n");
  r = runDis("-e big.hex");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("; The image exceeds the product's ROM: assemble with -e.\n"),
            std::string::npos);
}

TEST(DisCommand, CommandLineFaults) {
  ScopedTempDir dir;
  RunResult r = runDis("");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "zelas-dis: no image file given\n"
            "Usage: zelas-dis [-p PRODUCT] [-e] [-o OUT.asm] IMAGE\n");
  r = runDis("-p PX999 x.rom");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "zelas-dis: unknown product 'PX999'\n");
  r = runDis("-x x.rom");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "zelas-dis: unknown option '-x'\n"
            "Usage: zelas-dis [-p PRODUCT] [-e] [-o OUT.asm] IMAGE\n");
  r = runDis("missing.rom");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "zelas-dis: unable to open 'missing.rom'\n");
  r = runDis("x.rom -o");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "zelas-dis: option '-o' requires a value\n");
}

// ---- Faults that once aborted the program, hung it or passed unseen --------------------------

RunResult runDisIn(FileSystem& files, const std::vector<std::string>& args) {
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  RunResult r;
  r.status = dis::runDisassembler(args, out, err, files);
  r.out = readStream(out);
  r.err = readStream(err);
  std::fclose(out);
  std::fclose(err);
  return r;
}

// An image that never ends, one character after another, with no line end: it counts what it
// hands out.
class EndlessImage : public MemoryFileSystem {
 public:
  std::uint64_t served = 0;
  std::unique_ptr<InputFile> openForReading(const std::string&, OpenFailure*) override {
    return std::make_unique<Reader>(served);
  }

 private:
  class Reader : public InputFile {
   public:
    explicit Reader(std::uint64_t& served) : served_(served) {}
    ReadResult read(char* buffer, std::size_t size) override {
      std::memset(buffer, '1', size);
      served_ += size;
      return {size, false};
    }
    FileId id() const override { return {9, 9}; }
    std::uint64_t size() const override { return 0; }

   private:
    std::uint64_t& served_;
  };
};

TEST(DisFaults, WhatIsNoRegularFileIsRefused) {
  MemoryFileSystem files;
  files.addSpecial("/dev/zero");  // read whole, it once filled the memory
  RunResult r = runDisIn(files, {"/dev/zero"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "zelas-dis: unable to open '/dev/zero': not a regular file (a folder, a device or a "
            "pipe)\n");
  ScopedTempDir dir;
  std::filesystem::create_directory("folder.hex");
  r = runDis("folder.hex");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "zelas-dis: unable to open 'folder.hex': not a regular file (a folder, a device or a "
            "pipe)\n");
}

TEST(DisFaults, AReadErrorIsNoEndOfTheImage) {
  MemoryFileSystem files;
  files.addFile("p.rom", "19 12 3F \n20 20\n");
  files.faults("p.rom").readFailsAt = 10;
  RunResult r = runDisIn(files, {"p.rom"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "zelas-dis: read error in 'p.rom'\n");
}

TEST(DisFaults, AnInputOfAnySizeIsReadInBoundedMemory) {
  EndlessImage files;
  RunResult r = runDisIn(files, {"big.rom"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "zelas-dis: big.rom:1: line longer than 65536 characters: no image text\n");
  EXPECT_LT(files.served, std::uint64_t{1} << 20);  // stopped at the first line too long
}

TEST(DisFaults, AnOutputThatIsTheImageIsRefused) {
  for (const char* output : {"x.hex", "./x.hex"}) {
    MemoryFileSystem files;
    files.addFile("x.hex", ":0100000042BD\n:00000001FF\n");
    RunResult r = runDisIn(files, {"-o", output, "x.hex"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err,
              "zelas-dis: output '" + std::string(output) + "' is the image 'x.hex' being read\n");
    EXPECT_EQ(files.contents("x.hex"), ":0100000042BD\n:00000001FF\n");
  }
}

TEST(DisFaults, AFailedWriteFailsTheRun) {
  MemoryFileSystem files;
  files.addFile("p.rom", "19 12 3F \n");
  files.faults("out.asm").writeFailsAfter = 10;
  RunResult r = runDisIn(files, {"-o", "out.asm", "p.rom"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "zelas-dis: unable to create 'out.asm'\n");
  EXPECT_FALSE(files.exists("out.asm"));
  // Standard output on a full disk: the text waited in the stream's buffer until exit, unseen.
  ScopedTempDir dir;
  writeFile("p.rom", "19 12 3F \n");
  std::string command = std::string("'") + ZELAS_DIS_BINARY + "' p.rom >/dev/full 2>err.txt";
  int raw = std::system(command.c_str());
  EXPECT_TRUE(WIFEXITED(raw));
  EXPECT_EQ(WEXITSTATUS(raw), 1);
  EXPECT_EQ(readFile("err.txt"), "zelas-dis: unable to create '-'\n");
}

TEST(DisCommand, HelpShowsTheOptionsOnStandardOutput) {
  ScopedTempDir dir;
  RunResult r = runDis("--help");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out.rfind("Usage: zelas-dis [-p PRODUCT] [-e] [-o OUT.asm] IMAGE\n", 0), 0u);
  EXPECT_NE(r.out.find("  -o OUT.asm  write the source to OUT.asm"), std::string::npos);
}

}  // namespace
}  // namespace zelas::test
