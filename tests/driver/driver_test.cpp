#include "driver/driver.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "support/test_support.h"

namespace zelas {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::runZelasExecutable;
using test::runZelasInProcess;
using test::ScopedTempDir;
using test::writeFile;

constexpr char kBanner[] =
    "ZELAS Version 1.94 \nFor A and B series USB Microcontrollers\n"
    "Two-pass assembler: listing, ROM dump and Intel HEX output.\n";

bool folderIsEmpty() {
  return fs::is_empty(fs::current_path());
}

TEST(Driver, NoArgumentsPrintsBannerAndUsageAndCreatesNothing) {
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
  EXPECT_TRUE(folderIsEmpty());
}

TEST(Driver, CommandLineErrorsStopWithStatusOne) {
  ScopedTempDir dir;
  test::RunResult noSource = runZelasInProcess({"-b", "-e"});
  EXPECT_EQ(noSource.status, 1);
  EXPECT_EQ(noSource.err, "\nError : No input file specified\n");
  test::RunResult missing = runZelasInProcess({"prog", "-t"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "\nError : Missing argument to switch\n");
  EXPECT_EQ(runZelasInProcess({"prog", "-c"}).err, "\nError : Missing argument to switch\n");
  EXPECT_TRUE(folderIsEmpty());
}

TEST(Driver, MissingSourceStopsAfterCreatingTheListing) {
  ScopedTempDir dir;
  test::RunResult r = runZelasInProcess({"nothere"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "\nError : Unable to open 'nothere.asm'\n");
  EXPECT_EQ(readFile("nothere.lst"),
            "ZELAS Version 1.94 \nTwo-pass assembler: listing, ROM dump and Intel HEX output.\n\n");
}

TEST(Driver, SourceThatIsAFolderCannotBeOpened) {
  ScopedTempDir dir;
  fs::create_directory("dir.asm");
  test::RunResult r = runZelasInProcess({"dir"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "\nError : Unable to open 'dir.asm': not a regular file (a folder, a device or a "
            "pipe)\n");
}

TEST(Driver, ListingThatCannotBeCreatedStops) {
  ScopedTempDir dir;
  writeFile("prog.asm", "\n");
  fs::create_directory("prog.lst");
  test::RunResult r = runZelasInProcess({"prog"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "\nError : Unable to create 'prog.lst'\n");
}

TEST(Driver, BaseNameRule) {
  ScopedTempDir dir;
  writeFile("prog.asm.asm", "\n");
  EXPECT_EQ(runZelasInProcess({"prog.asm.bak"}).status, 0);
  EXPECT_TRUE(test::fileExists("prog.asm.lst"));  // ".asm" occurs, so four characters go
  writeFile("prog.asm", "\n");
  EXPECT_EQ(runZelasInProcess({"prog.asm"}).status, 0);
  EXPECT_TRUE(test::fileExists("prog.lst"));
  // The last source name wins; an argument taken by -c is no source name.
  writeFile("b.asm", "\n");
  EXPECT_EQ(runZelasInProcess({"-c", "a", "b"}).status, 1);  // the missing -c file warns once
  EXPECT_TRUE(test::fileExists("b.lst"));
  EXPECT_FALSE(test::fileExists("a.lst"));
}

TEST(Driver, TooLongBaseNameStopsInsteadOfBeingCut) {
  ScopedTempDir dir;
  std::string name(124, 'n');
  test::RunResult r = runZelasInProcess({name});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "\nError : File name too long (at most 123 characters): '" + name + "'\n");
  EXPECT_TRUE(folderIsEmpty());
  writeFile(std::string(123, 'n') + ".asm", "\n");
  EXPECT_EQ(runZelasInProcess({std::string(123, 'n')}).status, 0);
}

TEST(Driver, EmptySourceCompletesCleanly) {
  ScopedTempDir dir;
  writeFile("prog.asm", "");
  test::RunResult r = runZelasInProcess({"prog"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, std::string(kBanner) + "\nComplete!\n");
  EXPECT_EQ(r.err, "");
}

TEST(Driver, ExitStatusIsTheWarningCountSaturatedAt255) {
  ScopedTempDir dir;
  std::string source;
  for (int i = 0; i < 300; ++i) source += "bogus\n";
  writeFile("prog.asm", source);
  test::RunResult r = runZelasExecutable({"prog"});
  EXPECT_EQ(r.status, 255);
  EXPECT_NE(readFile("prog.lst").find("Warnings = 300\n"), std::string::npos);
  writeFile("prog.asm", "bogus\nbogus\n");
  EXPECT_EQ(runZelasExecutable({"prog"}).status, 2);
}

TEST(Driver, RunWithErrorsNeverExitsWithZero) {
  ScopedTempDir dir;
  writeFile("prog.asm", std::string(300, 'x') + "\n");
  test::RunResult r = runZelasInProcess({"prog"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("\nComplete (with warnings and/or errors)\n"), std::string::npos);
}

TEST(Feeder, IncludeNumbersItsOwnLinesAndTheCallerGoesOn) {
  ScopedTempDir dir;
  writeFile("prog.asm", "\n\n\n\n\n\n\n\n\ninclude \"inc.asm\"\nbad1\n");
  writeFile("inc.asm", "\n\nbad2\n");
  test::RunResult r = runZelasInProcess({"prog"});
  EXPECT_EQ(r.err,
            "\nWarning : Illegal or unknown instruction 'bad2'.\n3.4: bad2\n"
            "\nWarning : Illegal or unknown instruction 'bad1'.\n11.4: bad1\n");
}

TEST(Feeder, UnquotedIncludeDropsTheFirstCharacter) {
  ScopedTempDir dir;
  writeFile("prog.asm", "include defs.inc\n");
  writeFile("efs.inc", "\n");
  test::RunResult r = runZelasInProcess({"prog"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "\nWarning : Missing '\"' to string\n1.8: include defs.inc\n");
  fs::remove("efs.inc");
  r = runZelasInProcess({"prog"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "\nError : Unable to open 'efs.inc'\n");  // already in pass 1
}

TEST(Feeder, IncludeCyclesEndWithAFatalReport) {
  ScopedTempDir dir;
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

TEST(Feeder, UnreadableIncludeStops) {
  ScopedTempDir dir;
  writeFile("prog.asm", "include \"secret.inc\"\n");
  // Root reads every file whatever its permissions, so there a folder stands in for a file that
  // can't be read.
  if (geteuid() == 0) {
    fs::create_directory("secret.inc");
  } else {
    writeFile("secret.inc", "\n");
    fs::permissions("secret.inc", fs::perms::none);
  }
  test::RunResult r = runZelasInProcess({"prog"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, geteuid() == 0 ? "\nError : Unable to open 'secret.inc': not a regular file (a "
                                    "folder, a device or a pipe)\n"
                                  : "\nError : Unable to open 'secret.inc'\n");
}

}  // namespace
}  // namespace zelas
