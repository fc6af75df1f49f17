// The toolchain options end to end, through the zelas executable: make rules, the include search
// list, GNU-style diagnostics, the symbols file, and the examples' makefile.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "diag/messages.h"
#include "diag/report.h"
#include "support/test_support.h"

namespace zelas::test {
namespace {

namespace fs = std::filesystem;

// main includes lvl1.inc from inc1/, which includes "my defs.inc" from inc2/ (two levels deep,
// both found through the search list), and main includes lvl1.inc a second time.
void writeNestedIncludes() {
  fs::create_directories("inc1");
  fs::create_directories("inc2");
  writeFile("prog.asm",
            "start:\n"
            "\tinclude \"lvl1.inc\"\n"
            "\tbogus\n"
            "\tinclude \"lvl1.inc\"\n");
  writeFile("inc1/lvl1.inc",
            "; level one\n"
            "\tinclude \"my defs.inc\"\n"
            "\tjunk 1\n");
  writeFile("inc2/my defs.inc", "\n\tdeep\n");
}

TEST(Deps, NamesTheSourceEveryIncludeOnceAndTheConfigurationRead) {
  ScopedTempDir dir;
  writeNestedIncludes();
  writeFile("zelas.cfg", "tab 8\n");
  RunResult r = runZelasExecutable(
      {"--include-path=inc1", "--include-path", "inc2", "--deps=prog.d", "prog"});
  EXPECT_EQ(r.status, 5) << r.err;  // bogus, and deep and junk once per include
  EXPECT_EQ(readFile("prog.d"),
            "prog.lst prog.rom prog.hex: prog.asm inc1/lvl1.inc inc2/my\\ defs.inc zelas.cfg\n"
            "\n"
            "inc1/lvl1.inc:\n"
            "\n"
            "inc2/my\\ defs.inc:\n"
            "\n"
            "zelas.cfg:\n");
}

TEST(Deps, AddsTheSymbolsFileAsATargetAndLeavesOutAMissingConfiguration) {
  ScopedTempDir dir;
  writeFile("prog.asm", "\tnop\n");
  RunResult r = runZelasExecutable({"--symbols=prog.sym", "--deps=prog.d", "prog.asm"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(readFile("prog.d"), "prog.lst prog.rom prog.hex prog.sym: prog.asm\n");
}

TEST(Deps, AFileThatCannotBeWrittenFailsTheRun) {
  ScopedTempDir dir;
  writeFile("prog.asm", "\tnop\n");
  RunResult r = runZelasExecutable({"--deps=no/such/folder/prog.d", "prog"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "\nError : Unable to create 'no/such/folder/prog.d'\n");
  EXPECT_EQ(r.out.find("Complete"), std::string::npos);
  writeFile("prog.asm", "start:\n\tnop\n");
  r = runZelasExecutable({"--symbols=/dev/full", "prog"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "\nError : Unable to create '/dev/full'\n");
}

TEST(Deps, NotWrittenWhenTheRunStops) {
  ScopedTempDir dir;
  writeFile("prog.asm", "\tinclude \"missing.inc\"\n");
  RunResult r = runZelasExecutable({"--deps=prog.d", "prog"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "\nError : Unable to open 'missing.inc'\n");
  EXPECT_FALSE(fileExists("prog.d"));
}

// Exit status of make -q prog.lst: 0 up to date, 1 to be remade, 2 for a rule make can't read.
int makeQuestionStatus() {
  int raw = std::system("make -q prog.lst >make.out 2>&1");
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

// Names with every character that make treats specially in a rule: make must find each file
// under its name (nothing to do right after the run) and see each one change.
TEST(Deps, MakeReadsBackNamesWithEveryCharacterItTreatsSpecially) {
  ScopedTempDir dir;
  const std::vector<std::string> names = {"c:d.inc", "e%f.inc",  "g#h.inc",   "i$j.inc",
                                          "k l.inc", "m\\n.inc", "o\\#p.inc", "q\\ r.inc"};
  std::string source = "start:\n";
  for (const std::string& name : names) {
    writeFile(name, "\tnop\n");
    source += "\tinclude \"" + name + "\"\n";
  }
  writeFile("prog.asm", source);
  RunResult r = runZelasExecutable({"--deps=prog.d", "prog"});
  ASSERT_EQ(r.status, 0) << r.err;
  writeFile("Makefile", "prog.lst:\n\ttouch prog.lst\n\ninclude prog.d\n");
  EXPECT_EQ(makeQuestionStatus(), 0) << readFile("make.out") << readFile("prog.d");
  const auto assembled = fs::last_write_time("prog.lst");
  for (const std::string& name : names) {
    const auto before = fs::last_write_time(name);
    fs::last_write_time(name, assembled + std::chrono::hours(1));
    EXPECT_EQ(makeQuestionStatus(), 1) << name << "\n" << readFile("make.out");
    fs::last_write_time(name, before);
  }
}

// make has no escape for ';' in a rule: such a name is left out with a warning, and the rule
// stays readable; the run's status is unchanged.
TEST(Deps, ANameMakeCannotWriteIsLeftOutWithAWarning) {
  ScopedTempDir dir;
  writeFile("a;b.inc", "\tnop\n");
  writeFile("prog.asm", "\tinclude \"a;b.inc\"\n");
  RunResult r = runZelasExecutable({"--deps=prog.d", "prog"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "\nWarning : make can't name 'a;b.inc' in a rule; left out of 'prog.d'.\n");
  EXPECT_EQ(readFile("prog.d"), "prog.lst prog.rom prog.hex: prog.asm\n");
}

TEST(IncludePath, SearchedOnlyForFilesNotFoundWhereTheyAreWritten) {
  ScopedTempDir dir;
  fs::create_directories("first");
  fs::create_directories("second");
  writeFile("prog.asm", "\tinclude \"here.inc\"\n\tinclude \"there.inc\"\n");
  writeFile("here.inc", "fromCwd:\n");
  writeFile("first/here.inc", "fromFirst:\n");
  writeFile("second/there.inc", "fromSecond:\n");
  writeFile("first/there.inc/placeholder", "");  // a folder of that name is not a file
  RunResult r = runZelasExecutable(
      {"--include-path=first", "--include-path=second/", "--symbols=prog.sym", "prog"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(readFile("prog.sym"), "fromCwd: equ 00h\nfromSecond: equ 00h\n");
}

TEST(IncludePath, WithoutTheOptionOrAMatchTheNameAsWrittenFails) {
  ScopedTempDir dir;
  fs::create_directories("inc");
  writeFile("inc/defs.inc", "x:\n");
  writeFile("prog.asm", "\tinclude \"defs.inc\"\n");
  RunResult r = runZelasExecutable({"prog"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "\nError : Unable to open 'defs.inc'\n");
  r = runZelasExecutable({"--include-path=elsewhere", "prog"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "\nError : Unable to open 'defs.inc'\n");
}

TEST(GnuDiagnostics, NameTheFileBeingReadTwoIncludesDeep) {
  ScopedTempDir dir;
  writeNestedIncludes();
  RunResult gnu = runZelasExecutable(
      {"--diagnostics=gnu", "--include-path=inc1", "--include-path=inc2", "prog"});
  std::string gnuListing = readFile("prog.lst");
  EXPECT_EQ(gnu.status, 5);
  // Columns count from 1 after tab expansion and point at the token the report is about.
  const std::string once =
      "inc2/my defs.inc:2:9: warning: Illegal or unknown instruction 'deep'.\n"
      "inc1/lvl1.inc:3:9: warning: Illegal or unknown instruction 'junk'.\n";
  EXPECT_EQ(gnu.err,
            once + "prog.asm:3:9: warning: Illegal or unknown instruction 'bogus'.\n" + once);
  // The listing is the same in either style.
  RunResult classic = runZelasExecutable({"--include-path=inc1", "--include-path=inc2", "prog"});
  EXPECT_EQ(classic.status, 5);
  EXPECT_EQ(readFile("prog.lst"), gnuListing);
  EXPECT_NE(classic.err.find("\nWarning : Illegal or unknown instruction 'deep'.\n2.12: "),
            std::string::npos);
}

TEST(GnuDiagnostics, MessagesEndingInALineEndStayOneLine) {
  ScopedTempDir dir;
  writeFile("prog.asm", "x: equ later\nlater: equ 3\n");
  RunResult r = runZelasExecutable({"--diagnostics=gnu", "prog"});
  EXPECT_EQ(r.status, 1);
  // The column is that of the operand that pass 1 could not resolve.
  EXPECT_EQ(r.err, "prog.asm:1:8: warning: Label 'x' undefined after first pass.\n");
  // The listing keeps the message as it stands, empty line included.
  EXPECT_NE(readFile("prog.lst").find("**** Warning : Label 'x' undefined after first pass.\n\n"),
            std::string::npos);
}

// The report points at the body line in the macro's definition; each note at the invocation
// one level further out, down to the line of the file.
TEST(GnuDiagnostics, MacroExpansionPointsAtTheBodyLineWithANotePerInvocation) {
  ScopedTempDir dir;
  writeFile("prog.asm",
            "\tmacro inner\n"
            "\tbogus\n"
            "\tendm\n"
            "\tmacro outer n\n"
            "\tinner\n"
            "\tendm\n"
            "start:\touter 1\n"
            "\tinner\n");
  RunResult r = runZelasExecutable({"--diagnostics=gnu", "prog"});
  EXPECT_EQ(r.err,
            "prog.asm:2:9: warning: Illegal or unknown instruction 'bogus'.\n"
            "prog.asm:5:9: note: in expansion of macro 'inner'\n"
            "prog.asm:7:9: note: in expansion of macro 'outer'\n"
            "prog.asm:2:9: warning: Illegal or unknown instruction 'bogus'.\n"
            "prog.asm:8:9: note: in expansion of macro 'inner'\n");
  EXPECT_EQ(r.status, 2);
}

// A deep chain keeps its two ends: five notes from the fault outwards, one note counting the
// expansions left out, and the five outermost, down to the invocation in the file.
TEST(GnuDiagnostics, ALongExpansionChainIsCutWithOneNoteCountingWhatWasLeftOut) {
  ScopedTempDir dir;
  std::string source = "\tmacro m1\n\tbogus\n\tendm\n";
  for (int k = 2; k <= 12; ++k) {
    source += "\tmacro m" + std::to_string(k) + "\n\tm" + std::to_string(k - 1) + "\n\tendm\n";
  }
  writeFile("prog.asm", source + "\tm12\n");
  RunResult r = runZelasExecutable({"--diagnostics=gnu", "prog"});
  EXPECT_EQ(r.err,
            "prog.asm:2:9: warning: Illegal or unknown instruction 'bogus'.\n"
            "prog.asm:5:9: note: in expansion of macro 'm1'\n"
            "prog.asm:8:9: note: in expansion of macro 'm2'\n"
            "prog.asm:11:9: note: in expansion of macro 'm3'\n"
            "prog.asm:14:9: note: in expansion of macro 'm4'\n"
            "prog.asm:17:9: note: in expansion of macro 'm5'\n"
            "prog.asm:20:9: note: 2 more macro expansions left out here\n"
            "prog.asm:26:9: note: in expansion of macro 'm8'\n"
            "prog.asm:29:9: note: in expansion of macro 'm9'\n"
            "prog.asm:32:9: note: in expansion of macro 'm10'\n"
            "prog.asm:35:9: note: in expansion of macro 'm11'\n"
            "prog.asm:37:9: note: in expansion of macro 'm12'\n");
  EXPECT_EQ(r.status, 1);
}

TEST(GnuDiagnostics, OneLinePerReportWithOneBasedColumns) {
  LineHarness h;
  h.as.diagnosticStyle = DiagnosticStyle::gnu;
  h.enableReports();
  h.as.lineNumber = 4;
  h.setLine("        foo bar");
  reportWarning(h.as, "nothing read yet");
  h.as.scanPos += 12;
  reportError(h.as, "%s", "first part\nsecond part\n");
  EXPECT_EQ(h.errText(),
            "/dev/null:4:1: warning: nothing read yet\n"
            "/dev/null:4:13: error: first part second part\n");
  EXPECT_EQ(h.as.warningCount, 1);
  EXPECT_EQ(h.as.errorCount, 1);
  // After the passes no file is being read: the output writers' errors name the program.
  h.as.sourceFile = nullptr;
  reportError(h.as, msg::unableToWrite, "prog.rom");
  EXPECT_EQ(h.errText(), "zelas: error: Unable to write 'prog.rom'\n");
  EXPECT_THROW(reportFatal(h.as, "stop"), FatalStop);
  EXPECT_EQ(h.errText(), "zelas: fatal error: stop\n");
}

// A local is named after its scope, so its name can be longer than a line: such a label is
// left out with a warning, and every line written reads back without a report.
TEST(Symbols, ANameTooLongForALineIsLeftOutAndTheRestReadsBack) {
  ScopedTempDir dir;
  const std::string global(200, 'g');
  const std::string local = "." + std::string(49, 'l');
  writeFile("prog.asm", global + ":\n" + local + ":\n\tnop\nshort:\n");
  RunResult r = runZelasExecutable({"--symbols=prog.sym", "prog"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "\nWarning : '" + global + local +
                       "' is too long for a line of 'prog.sym'; left out.\n");
  EXPECT_EQ(readFile("prog.sym"), global + ": equ 00h\nshort: equ 01h\n");
  writeFile("back.asm", "\tinclude \"prog.sym\"\n");
  RunResult back = runZelasExecutable({"back"});
  EXPECT_EQ(back.status, 0) << back.err;
  EXPECT_EQ(back.err, "");
}

TEST(Symbols, EveryLabelSortedWithLocalsNamedAfterTheirScope) {
  ScopedTempDir dir;
  writeFile("prog.asm",
            "start:\n"
            "\tnop\n"
            ".loop:\n"
            "\tjmp .loop\n"
            "Zed: equ 1234h\n"
            "a-b: equ 2\n"  // not a label name: the line is an unknown instruction
            "minus: equ 0-2\n"
            "a:\n"
            ".z:\n"
            "\tnop\n");
  RunResult r = runZelasExecutable({"--symbols=prog.sym", "prog"});
  EXPECT_EQ(readFile("prog.sym"),
            "Zed: equ 01234h\n"
            "a: equ 03h\n"
            "a.z: equ 03h\n"
            "minus: equ 0FFFFFFFEh\n"
            "start: equ 00h\n"
            "start.loop: equ 01h\n")
      << r.err;
}

TEST(Symbols, IncludedBackTheyGiveTheSameLabelsAndValues) {
  ScopedTempDir dir;
  writeFile("prog.asm", "start:\n\tnop\n.loop:\n\tjmp .loop\nminus: equ 0-2\nbig: equ 12345678h\n");
  RunResult first = runZelasExecutable({"--symbols=prog.sym", "prog"});
  ASSERT_EQ(first.status, 0) << first.err;
  writeFile("user.asm", "\tinclude \"prog.sym\"\n");
  RunResult second = runZelasExecutable({"--symbols=user.sym", "user"});
  EXPECT_EQ(second.status, 0) << second.err;
  EXPECT_EQ(readFile("user.sym"), readFile("prog.sym"));
}

// Runs make in folder with the zelas under test; returns make's status, output in text.
int runMake(const fs::path& folder, std::string& text) {
  std::string command =
      "make -C '" + folder.string() + "' ZELAS='" + ZELAS_BINARY + "' >make.txt 2>&1";
  int raw = std::system(command.c_str());
  text = readFile("make.txt");
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

// make compares modification times: everything in folder is put ten seconds back, then file is
// stamped now, so it is newer than what was built and older than what is built next.
void touchAfterBuild(const fs::path& folder, const fs::path& file) {
  auto past = fs::file_time_type::clock::now() - std::chrono::seconds(10);
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    fs::last_write_time(entry.path(), past);
  }
  fs::last_write_time(file, fs::file_time_type::clock::now());
}

TEST(ExamplesMakefile, RebuildsWhatAnIncludeChangeAffectsAndNothingTwice) {
  if (std::system("make --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "make not installed";
  ScopedTempDir dir;
  fs::copy(ZELAS_EXAMPLES, "examples", fs::copy_options::recursive);
  std::string text;
  ASSERT_EQ(runMake("examples", text), 0) << text;
  EXPECT_NE(text.find("--deps=counter.d counter"), std::string::npos) << text;
  EXPECT_TRUE(fileExists("examples/counter.rom"));
  ASSERT_EQ(runMake("examples", text), 0) << text;
  EXPECT_NE(text.find("Nothing to be done"), std::string::npos) << text;

  touchAfterBuild("examples", "examples/inc/ports.inc");
  ASSERT_EQ(runMake("examples", text), 0) << text;
  EXPECT_NE(text.find("--deps=counter.d counter"), std::string::npos) << text;
  EXPECT_EQ(text.find("--deps=hello.d hello"), std::string::npos) << text;  // no include
  ASSERT_EQ(runMake("examples", text), 0) << text;
  EXPECT_NE(text.find("Nothing to be done"), std::string::npos) << text;
}

TEST(ExamplesMakefile, ADeletedIncludeNoLongerUsedDoesNotStopMake) {
  if (std::system("make --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "make not installed";
  ScopedTempDir dir;
  fs::copy(ZELAS_EXAMPLES, "examples", fs::copy_options::recursive);
  writeFile("examples/extra.asm", "\tinclude \"gone.inc\"\n\tnop\n");
  writeFile("examples/inc/gone.inc", "gone:\n");
  std::string text;
  ASSERT_EQ(runMake("examples", text), 0) << text;
  writeFile("examples/extra.asm", "\tnop\n");
  touchAfterBuild("examples", "examples/extra.asm");
  fs::remove("examples/inc/gone.inc");
  ASSERT_EQ(runMake("examples", text), 0) << text;
  EXPECT_NE(text.find("--deps=extra.d extra"), std::string::npos) << text;
  EXPECT_EQ(readFile("examples/extra.d"), "extra.lst extra.rom extra.hex: extra.asm\n");
}

}  // namespace
}  // namespace zelas::test

namespace zelas::test {
namespace {

// A source in a folder of its own, which includes a file of the working directory.
void writeSourceInFolder() {
  fs::create_directories("src");
  fs::create_directories("out");
  writeFile("src/prog.asm", "start:\n\tinclude \"defs.inc\"\n\tbogus\n");
  writeFile("defs.inc", "\tnop\n");
}

TEST(OutputDir, PutsTheOutputsUnderTheBaseNameAndLeavesTheSourceWhereItIs) {
  ScopedTempDir dir;
  writeSourceInFolder();
  RunResult plain = runZelasInProcess({"src/prog"});
  std::string lst = readFile("src/prog.lst");
  std::string rom = readFile("src/prog.rom");
  std::string hex = readFile("src/prog.hex");
  for (const char* ext : {".lst", ".rom", ".hex"}) fs::remove(std::string("src/prog") + ext);
  RunResult r = runZelasInProcess({"--output-dir=out/", "src/prog"});
  EXPECT_EQ(r.status, plain.status);
  EXPECT_EQ(r.out, plain.out);
  EXPECT_EQ(r.err, plain.err);
  EXPECT_EQ(readFile("out/prog.lst"), lst);
  EXPECT_EQ(readFile("out/prog.rom"), rom);
  EXPECT_EQ(readFile("out/prog.hex"), hex);
  EXPECT_FALSE(fileExists("src/prog.lst"));
  EXPECT_FALSE(fileExists("prog.lst"));
}

TEST(OutputDir, TakesRequestedFilesWithoutAFolderAndNamesThePathsForMake) {
  ScopedTempDir dir;
  writeSourceInFolder();
  fs::create_directories("dep");
  RunResult r = runZelasInProcess({"--output-dir", "out", "--deps=dep/prog.d", "--symbols=prog.sym",
                                   "--sarif=prog.sarif", "src/prog"});
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_EQ(readFile("dep/prog.d"),  // make runs where zelas ran: paths from there
            "out/prog.lst out/prog.rom out/prog.hex out/prog.sym: src/prog.asm defs.inc\n"
            "\n"
            "defs.inc:\n");
  EXPECT_EQ(readFile("out/prog.sym"), "start: equ 00h\n");
  EXPECT_TRUE(fileExists("out/prog.sarif"));
  EXPECT_FALSE(fileExists("prog.sym"));
}

// On POSIX a backslash is a letter of the name, never a folder separator as on Windows.
TEST(OutputDir, ABackslashIsPartOfTheNameOnPosix) {
  ScopedTempDir dir;
  writeSourceInFolder();
  RunResult r = runZelasInProcess({"--output-dir=out", "--symbols=a\\b.sym", "src/prog"});
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_EQ(readFile("out/a\\b.sym"), "start: equ 00h\n");
  EXPECT_FALSE(fileExists("a\\b.sym"));
}

TEST(OutputDir, AFolderThatDoesNotExistFailsTheRunBeforeAssembling) {
  ScopedTempDir dir;
  writeSourceInFolder();
  RunResult r = runZelasInProcess({"--output-dir=missing", "src/prog"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "\nError : Unable to create 'missing/prog.lst'\n");
}

// A requested file placed in the folder may land on the source: that is refused like any clash.
TEST(OutputDir, NeverWritesOverTheSource) {
  ScopedTempDir dir;
  writeSourceInFolder();
  RunResult r = runZelasInProcess({"--output-dir=src", "--symbols=prog.asm", "src/prog"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "\nError : Output 'src/prog.asm' is 'src/prog.asm', which this run reads; nothing "
            "written\n");
  EXPECT_EQ(readFile("src/prog.asm"), "start:\n\tinclude \"defs.inc\"\n\tbogus\n");
  EXPECT_FALSE(fileExists("src/prog.lst"));
}

}  // namespace
}  // namespace zelas::test
