#include "driver/driver.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_support.h"

namespace zelas {
namespace {

namespace fs = std::filesystem;
using test::runZelasExecutable;
using test::ScopedTempDir;

// Runs in memory; the tests of the executable use a folder on disk.
class Driver : public ::testing::Test, public test::MemoryFiles {};
class Feeder : public ::testing::Test, public test::MemoryFiles {};

constexpr char kBanner[] =
    "ZELAS Version 1.94 \nFor A and B series USB Microcontrollers\n"
    "Two-pass assembler: listing, ROM dump and Intel HEX output.\n";

bool diskFolderIsEmpty() {
  return fs::is_empty(fs::current_path());
}

TEST_F(Driver, NoArgumentsPrintsBannerAndUsageAndCreatesNothing) {
  ScopedTempDir dir;
  test::RunResult r = runZelasExecutable({});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, kBanner);
  EXPECT_EQ(r.err,
            "\nUsage: zelas source {-b -t nnn -c filename}\n"
            "             -pP: Product Name (P is the 6 character product name)\n"
            "             -dD: defined symbol (D is the symbol string\n"
            "             -b: Brief - Limited warnings.\n"
            "             -t: Tab spacing - nnn = # spaces for each tab.\n"
            "             -c: Config file - filename = new config file.\n");
  EXPECT_TRUE(diskFolderIsEmpty());
}

TEST_F(Driver, CommandLineErrorsStopWithStatusOne) {
  test::RunResult noSource = runZelasInProcess({"-b", "-e"});
  EXPECT_EQ(noSource.status, 1);
  EXPECT_EQ(noSource.err, "\nError : No input file specified\n");
  test::RunResult missing = runZelasInProcess({"prog", "-t"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "\nError : Missing argument to switch\n");
  EXPECT_EQ(runZelasInProcess({"prog", "-c"}).err, "\nError : Missing argument to switch\n");
  EXPECT_TRUE(folderIsEmpty());
}

TEST_F(Driver, MissingSourceStopsAfterCreatingTheListing) {
  test::RunResult r = runZelasInProcess({"nothere"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "\nError : Unable to open 'nothere.asm'\n");
  EXPECT_EQ(readFile("nothere.lst"),
            "ZELAS Version 1.94 \nTwo-pass assembler: listing, ROM dump and Intel HEX output.\n\n");
}

TEST_F(Driver, SourceThatIsAFolderCannotBeOpened) {
  files_.addSpecial("dir.asm");
  test::RunResult r = runZelasInProcess({"dir"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "\nError : Unable to open 'dir.asm': not a regular file (a folder, a device or a "
            "pipe)\n");
}

TEST_F(Driver, ListingThatCannotBeCreatedStops) {
  writeFile("prog.asm", "\n");
  files_.addSpecial("prog.lst");
  test::RunResult r = runZelasInProcess({"prog"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "\nError : Unable to create 'prog.lst'\n");
}

TEST_F(Driver, BaseNameRule) {
  writeFile("prog.asm.asm", "\n");
  EXPECT_EQ(runZelasInProcess({"prog.asm.bak"}).status, 0);
  EXPECT_TRUE(fileExists("prog.asm.lst"));  // ".asm" occurs, so four characters go
  writeFile("prog.asm", "\n");
  EXPECT_EQ(runZelasInProcess({"prog.asm"}).status, 0);
  EXPECT_TRUE(fileExists("prog.lst"));
  // The last source name wins; an argument taken by -c is no source name.
  writeFile("b.asm", "\n");
  EXPECT_EQ(runZelasInProcess({"-c", "a", "b"}).status, 1);  // the missing -c file warns once
  EXPECT_TRUE(fileExists("b.lst"));
  EXPECT_FALSE(fileExists("a.lst"));
}

TEST_F(Driver, TooLongBaseNameStopsInsteadOfBeingCut) {
  std::string name(124, 'n');
  test::RunResult r = runZelasInProcess({name});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "\nError : File name too long (at most 123 characters): '" + name + "'\n");
  EXPECT_TRUE(folderIsEmpty());
  writeFile(std::string(123, 'n') + ".asm", "\n");
  EXPECT_EQ(runZelasInProcess({std::string(123, 'n')}).status, 0);
}

TEST_F(Driver, EmptySourceCompletesCleanly) {
  writeFile("prog.asm", "");
  test::RunResult r = runZelasInProcess({"prog"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, std::string(kBanner) + "\nComplete!\n");
  EXPECT_EQ(r.err, "");
}

TEST_F(Driver, ExitStatusIsTheWarningCountSaturatedAt255) {
  ScopedTempDir dir;
  std::string source;
  for (int i = 0; i < 300; ++i) source += "bogus\n";
  test::writeFile("prog.asm", source);
  test::RunResult r = runZelasExecutable({"prog"});
  EXPECT_EQ(r.status, 255);
  EXPECT_NE(test::readFile("prog.lst").find("Warnings = 300\n"), std::string::npos);
  test::writeFile("prog.asm", "bogus\nbogus\n");
  EXPECT_EQ(runZelasExecutable({"prog"}).status, 2);
}

TEST_F(Driver, RunWithErrorsNeverExitsWithZero) {
  writeFile("prog.asm", std::string(300, 'x') + "\n");
  test::RunResult r = runZelasInProcess({"prog"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("\nComplete (with warnings and/or errors)\n"), std::string::npos);
}

TEST_F(Feeder, IncludeNumbersItsOwnLinesAndTheCallerGoesOn) {
  writeFile("prog.asm", "\n\n\n\n\n\n\n\n\ninclude \"inc.asm\"\nbad1\n");
  writeFile("inc.asm", "\n\nbad2\n");
  test::RunResult r = runZelasInProcess({"prog"});
  EXPECT_EQ(r.err,
            "\nWarning : Illegal or unknown instruction 'bad2'.\n3.4: bad2\n"
            "\nWarning : Illegal or unknown instruction 'bad1'.\n11.4: bad1\n");
}

TEST_F(Feeder, UnquotedIncludeDropsTheFirstCharacter) {
  writeFile("prog.asm", "include defs.inc\n");
  writeFile("efs.inc", "\n");
  test::RunResult r = runZelasInProcess({"prog"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "\nWarning : Missing '\"' to string\n1.8: include defs.inc\n");
  files_.remove("efs.inc");
  r = runZelasInProcess({"prog"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "\nError : Unable to open 'efs.inc'\n");  // already in pass 1
}

TEST_F(Feeder, IncludeCyclesEndWithAFatalReport) {
  writeFile("prog.asm", "include \"prog.asm\"\n");
  test::RunResult self = runZelasInProcess({"prog"});
  EXPECT_EQ(self.status, 1);
  EXPECT_NE(self.err.find("Include nesting deeper than 64 levels: 'prog.asm' includes itself"),
            std::string::npos);
  EXPECT_NE(readFile("prog.lst").find("; Error : Include nesting deeper than 64"),
            std::string::npos);
  writeFile("prog.asm", "include \"a.inc\"\n");
  writeFile("a.inc", "include \"b.inc\"\n");
  writeFile("b.inc", "include \"a.inc\"\n");
  test::RunResult mutual = runZelasInProcess({"prog"});
  EXPECT_EQ(mutual.status, 1);
  EXPECT_NE(mutual.err.find("Include nesting deeper than 64 levels"), std::string::npos);
}

TEST_F(Feeder, UnreadableIncludeStops) {
  writeFile("prog.asm", "include \"secret.inc\"\n");
  writeFile("secret.inc", "\n");
  files_.faults("secret.inc").openFails = true;  // as a file without read permission
  test::RunResult r = runZelasInProcess({"prog"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "\nError : Unable to open 'secret.inc'\n");
}

}  // namespace
}  // namespace zelas
