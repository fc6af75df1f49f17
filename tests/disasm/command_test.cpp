// The zelas-dis command: options, output, and the refusal of damaged images.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>

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

}  // namespace
}  // namespace zelas::test
