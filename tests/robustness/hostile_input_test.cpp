// Hostile input: runaway nesting at and past each resource limit, absurd line lengths, bytes that
// are no text, a source far larger than memory should ever need, and addresses far beyond any
// ROM. Each run must end with a clear report and its documented exit status, never with a crash,
// a hang or unbounded memory.
//
// Covered elsewhere and not repeated here: a file including itself and two files including each
// other (tests/driver/driver_test.cpp, Feeder.IncludeCyclesEndWithAFatalReport); a source that is
// a folder (Driver.SourceThatIsAFolderCannotBeOpened); an unreadable include
// (Feeder.UnreadableIncludeStops); a base name beyond the 128-byte file-name buffer
// (Driver.TooLongBaseNameStopsInsteadOfBeingCut); a .rom or .hex path that is a folder
// (tests/emit/output_files_test.cpp, OutputFailures.*); a macro invoking itself and two invoking
// each other (tests/e2e/cases/macro/err_self_invoking.asm, err_mutual_invocation.asm).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "core/disk_file_system.h"
#include "core/memory_file_system.h"
#include "diag/report.h"
#include "driver/driver.h"
#include "driver/feeder.h"
#include "statements/conditionals.h"
#include "support/test_support.h"

extern char** environ;

namespace zelas {
namespace {

namespace fs = std::filesystem;

using test::readFile;
using test::runZelasInProcess;
using test::ScopedTempDir;
using test::writeFile;

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

std::size_t countOf(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

std::string repeat(const std::string& line, int times) {
  std::string text;
  text.reserve(line.size() * static_cast<std::size_t>(times));
  for (int i = 0; i < times; ++i) text += line;
  return text;
}

// ---- Nesting limits: the deepest accepted level works, one more is a fatal report -----------

// Puts a chain of include files in files: the source includes f1.inc, which includes f2.inc,
// and so on to f<count>.inc, which holds one nop.
void addIncludeChain(MemoryFileSystem& files, int count) {
  files.addFile("prog.asm", "include \"f1.inc\"\n");
  for (int i = 1; i < count; ++i) {
    files.addFile("f" + std::to_string(i) + ".inc",
                  "include \"f" + std::to_string(i + 1) + ".inc\"\n");
  }
  files.addFile("f" + std::to_string(count) + ".inc", "\tnop\n");
}

TEST(NestingLimits, IncludeChainUpToTheLimitAssemblesAndOneMoreIsFatal) {
  MemoryFileSystem files;
  // The main source is the first level, so kMaxIncludeDepth - 1 included files still fit.
  addIncludeChain(files, kMaxIncludeDepth - 1);
  test::RunResult ok = runZelasInProcess(files, {"prog"});
  EXPECT_EQ(ok.status, 0) << ok.err;
  EXPECT_EQ(files.contents("prog.rom").value_or("").substr(0, 2), "20");  // the nop was assembled
  files.remove("prog.rom");
  addIncludeChain(files, kMaxIncludeDepth);
  test::RunResult deep = runZelasInProcess(files, {"prog"});
  EXPECT_EQ(deep.status, 1);
  std::string report = "Include nesting deeper than " + std::to_string(kMaxIncludeDepth) +
                       " levels: 'f" + std::to_string(kMaxIncludeDepth) +
                       ".inc' includes itself or nests too deeply.";
  EXPECT_EQ(deep.err, "\nError : " + report + "\n1.17: include \"f" +
                          std::to_string(kMaxIncludeDepth) + ".inc\"\n");
  std::string lst = files.contents("prog.lst").value_or("");
  EXPECT_TRUE(contains(lst, "; Error : " + report + "\n"));
  EXPECT_FALSE(files.exists("prog.rom"));
  EXPECT_FALSE(contains(lst, "CheckSum"));
}

// Macros m1 .. m<levels>, each invoking the next; the last emits one nop.
std::string macroChain(int levels) {
  std::string source;
  for (int i = levels; i >= 1; --i) {
    std::string body = i == levels ? "\tnop" : "\tm" + std::to_string(i + 1);
    source += "\tmacro m" + std::to_string(i) + "\n" + body + "\n\tendm\n";
  }
  return source + "\tm1\n";
}

TEST(NestingLimits, MacroChainUpToTheLimitExpandsAndOneMoreIsFatal) {
  test::Assembly ok = test::assembleSource(macroChain(kMaxMacroDepth));
  EXPECT_EQ(ok.run.status, 0) << ok.run.err.substr(0, 300);
  EXPECT_EQ(ok.rom.substr(0, 2), "20");
  test::Assembly deep = test::assembleSource(macroChain(kMaxMacroDepth + 1));
  EXPECT_EQ(deep.run.status, 1);
  std::string report = "Macro nesting deeper than " + std::to_string(kMaxMacroDepth) +
                       " levels: 'm" + std::to_string(kMaxMacroDepth + 1) +
                       "' invokes itself or nests too deeply.";
  // Raised while the innermost expansion replays its line: line 0, the expanded text.
  EXPECT_TRUE(contains(deep.run.err, "\nError : " + report + "\n0."));
  EXPECT_EQ(countOf(deep.run.err, "\nError : "), 1u);
  EXPECT_TRUE(contains(deep.lst, "; Error : " + report + "\n"));
  EXPECT_EQ(deep.rom, "");
}

TEST(NestingLimits, ConditionalsUpToTheLimitAssembleAndOneMoreIsFatal) {
  std::string atLimit =
      repeat("if 1\n", kMaxCondDepth) + "\tnop\n" + repeat("endif\n", kMaxCondDepth);
  test::Assembly ok = test::assembleSource(atLimit);
  EXPECT_EQ(ok.run.status, 0) << ok.run.err.substr(0, 300);
  EXPECT_EQ(ok.rom.substr(0, 2), "20");
  // A skipped branch counts its nesting too.
  std::string skipped = "if 0\n" + repeat("ifdef NOTHING\n", kMaxCondDepth) + "\tnop\n";
  test::Assembly deep = test::assembleSource(skipped);
  EXPECT_EQ(deep.run.status, 1);
  std::string report =
      "Conditional nesting deeper than " + std::to_string(kMaxCondDepth) + " levels.";
  std::string line = std::to_string(kMaxCondDepth + 1);
  EXPECT_EQ(deep.run.err, "\nError : " + report + "\n" + line + ".13: ifdef NOTHING\n");
  EXPECT_TRUE(contains(deep.lst, "; Error : " + report + "\n"));
}

TEST(NestingLimits, HundredThousandNestedIfsStopAtTheLimitWithOneReport) {
  test::Assembly a = test::assembleSource(repeat("\tif 1\n", 100000) + repeat("\tendif\n", 100000));
  EXPECT_EQ(a.run.status, 1);
  EXPECT_EQ(a.run.err, "\nError : Conditional nesting deeper than " +
                           std::to_string(kMaxCondDepth) + " levels.\n" +
                           std::to_string(kMaxCondDepth + 1) + ".12:         if 1\n");
  EXPECT_EQ(a.rom, "");
}

// ---- Work limits: nesting that stays shallow but grows exponentially ----------------------

TEST(WorkLimits, ExponentialMacroExpansionStopsAtTheLineLimit) {
  // m0 is one nop; each further macro invokes the one before twice: m20 would replay 2^20 lines.
  std::string source = "\tmacro m0\n\tnop\n\tendm\n";
  for (int i = 1; i <= 20; ++i) {
    std::string previous = "\tm" + std::to_string(i - 1) + "\n";
    source += "\tmacro m" + std::to_string(i) + "\n" + previous + previous + "\tendm\n";
  }
  test::Assembly a = test::assembleSource(source + "\tm20\n");
  EXPECT_EQ(a.run.status, 1);
  // A source this small may replay the lines every pass may; a large one up to kMaxExpandedLines.
  EXPECT_TRUE(contains(a.run.err, "\nError : Macro expansions replay more than " +
                                      std::to_string(kFreeExpandedLines) +
                                      " lines in one pass; stopped while expanding 'm1'.\n0."))
      << a.run.err.substr(0, 400);
  EXPECT_EQ(countOf(a.run.err, "\nError : "), 1u);
  EXPECT_TRUE(contains(a.lst, "; Error : Macro expansions replay more than"));
  EXPECT_EQ(a.rom, "");
}

// m0 is one nop with a long comment; each further macro invokes the one before twice.
std::string doublingMacros(int top) {
  const std::string comment = " ;" + std::string(200, 'c') + "\n";
  std::string source = "\tmacro m0\n\tnop" + comment + "\tendm\n";
  for (int i = 1; i <= top; ++i) {
    std::string previous = "\tm" + std::to_string(i - 1) + comment;
    source += "\tmacro m" + std::to_string(i) + "\n" + previous + previous + "\tendm\n";
  }
  return source + "\tm" + std::to_string(top) + "\n";
}

// Under 9 KB of nested macros with long lines once listed 53 MB. A small source now replays at
// most kFreeExpandedLines lines a pass, so its outputs stay near 10 MB at most.
TEST(WorkLimits, ASmallSourceReplaysALimitedNumberOfLines) {
  ScopedTempDir dir;
  writeFile("prog.asm", doublingMacros(16));
  ASSERT_LT(fs::file_size("prog.asm"), 10u * 1024);
  test::RunResult r = test::runZelasExecutable({"-e", "prog"});
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(contains(r.err, "Macro expansions replay more than " +
                                  std::to_string(kFreeExpandedLines) + " lines in one pass"));
  EXPECT_LT(fs::file_size("prog.lst") + r.err.size(), 11u * 1024 * 1024);
}

// A program with many lines of its own keeps a larger allowance: twice its file lines.
TEST(WorkLimits, ALargeProgramMayReplayTwiceItsLines) {
  ScopedTempDir dir;
  std::string source(40000 * 2, '\n');
  writeFile("prog.asm", doublingMacros(15) + source);
  test::RunResult r = test::runZelasExecutable({"-e", "prog"});
  EXPECT_EQ(r.status, 1);  // the invocation comes before most lines are read: pass 1 stops
  writeFile("prog.asm", source + doublingMacros(15));
  r = test::runZelasExecutable({"-e", "prog"});
  EXPECT_EQ(r.status, 0) << r.err.substr(0, 300);
}

// 25 includes of a file that includes another 25 times, which includes a third 25 times: under
// 9 KB of files once listed 130 MB within the file limit. Lines of a file read again in a pass
// come out of the same allowance as macro lines.
TEST(WorkLimits, FilesIncludedAgainShareTheReplayAllowance) {
  ScopedTempDir dir;
  std::string top;
  std::string first;
  std::string second;
  for (int i = 0; i < 25; ++i) {
    top += "\tinclude \"d1.inc\"\n";
    first += "\tinclude \"d2.inc\"\n";
    second += "\tinclude \"d3.inc\"\n";
  }
  writeFile("prog.asm", top);
  writeFile("d1.inc", first);
  writeFile("d2.inc", second);
  writeFile("d3.inc", "\tdb 1 ;" + std::string(200, 'y') + "\n\tdb 2\n");
  test::RunResult r = test::runZelasExecutable({"-e", "prog"});
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(
      contains(r.err, "\nError : Macro expansions and files included again replay more than " +
                          std::to_string(kFreeExpandedLines) +
                          " lines in one pass; stopped reading 'd2.inc'.\n"))
      << r.err.substr(0, 300);
  EXPECT_LT(fs::file_size("prog.lst"), 1024u * 1024);
}

TEST(WorkLimits, WideIncludeFanOutStopsAtTheFileLimit) {
  MemoryFileSystem files;
  // 200 includes of a file that includes an empty file 100 times: 20,200 files in one pass.
  files.addFile("prog.asm", repeat("include \"a.inc\"\n", 200));
  files.addFile("a.inc", repeat("include \"b.inc\"\n", 100));
  files.addFile("b.inc", "");
  test::RunResult r = runZelasInProcess(files, {"prog"});
  EXPECT_EQ(r.status, 1);
  // Files are opened in blocks of 101: a.inc (from the source's line k), then b.inc from each of
  // its 100 lines. Find the open that goes one beyond the limit.
  int position = kMaxIncludedFiles % 101;  // 0-based place of open number limit + 1 in its block
  bool isA = position == 0;
  std::string name = isA ? "a.inc" : "b.inc";
  int line = isA ? kMaxIncludedFiles / 101 + 1 : position;
  EXPECT_EQ(r.err, "\nError : More than " + std::to_string(kMaxIncludedFiles) +
                       " files included in one pass; stopped at '" + name + "'.\n" +
                       std::to_string(line) + ".15: include \"" + name + "\"\n");
}

TEST(WorkLimits, IncludeOfTheListingIsRefusedBeforeItGrowsWithoutEnd) {
  MemoryFileSystem files;
  files.addFile("prog.asm", repeat("; a comment line\n", 5000) + "include \"prog.lst\"\n");
  test::RunResult r = runZelasInProcess(files, {"prog"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "\nError : 'prog.lst' is the listing being written; it can't be read as source.\n"
            "5001.18: include \"prog.lst\"\n");
  // Refused in pass 1, before any line is listed.
  EXPECT_LT(files.contents("prog.lst").value_or("").size(), 1000u);
}

// ---- Lines and bytes that are no ordinary text ----------------------------------------------

// Counts the lines of a file that begin with prefix, reading it in blocks (it may be large).
std::size_t countLinesStartingWith(const char* path, const std::string& prefix) {
  std::FILE* f = std::fopen(path, "rb");
  if (f == nullptr) return 0;
  std::size_t count = 0;
  std::string pending;  // the start of a line not yet ended in the blocks read so far
  std::vector<char> block(1 << 20);
  std::size_t n;
  while ((n = std::fread(block.data(), 1, block.size(), f)) > 0) {
    pending.append(block.data(), n);
    std::size_t start = 0;
    for (std::size_t end; (end = pending.find('\n', start)) != std::string::npos; start = end + 1) {
      if (pending.compare(start, prefix.size(), prefix) == 0) ++count;
    }
    pending.erase(0, start);
  }
  std::fclose(f);
  return count;
}

// Once every character beyond the limit was shown as a report of its own: a megabyte line wrote
// hundreds of megabytes. The line now shows the first reports and one line for the rest, and
// every one of them is still counted.
TEST(HostileLines, MegabyteLineShowsBoundedReportsAndCountsEveryCharacterBeyondTheLimit) {
  ScopedTempDir dir;
  constexpr std::size_t kLength = 1 << 20;
  writeFile("prog.asm", "\tnop\n" + std::string(kLength, 'x') + "\n\tnop\n");
  std::FILE* out = std::fopen("out.txt", "w");
  std::FILE* err = std::fopen("err.txt", "w");
  ASSERT_NE(out, nullptr);
  ASSERT_NE(err, nullptr);
  DiskFileSystem files;
  int status = runZelas({"prog"}, out, err, files);
  std::fclose(out);
  std::fclose(err);
  EXPECT_EQ(status, 1);  // the one warning: the cut line is no instruction
  std::size_t beyond = kLength - 255;
  const auto shown = static_cast<std::size_t>(kMaxReportsPerLine);
  EXPECT_EQ(countLinesStartingWith("err.txt", "Error : Line 2' exceeds maximum line length"),
            shown);
  EXPECT_EQ(countLinesStartingWith("prog.lst", "**** Error : Line 2' exceeds maximum line length"),
            shown);
  // The unknown instruction of the cut line is one more report left out.
  const std::string leftOut =
      std::to_string(beyond - shown + 1) + " more reports on this line left out.";
  EXPECT_EQ(countLinesStartingWith("err.txt", "Warning : " + leftOut), 1u);
  EXPECT_EQ(countLinesStartingWith("prog.lst", "**** Warning : " + leftOut), 1u);
  EXPECT_LT(fs::file_size("err.txt") + fs::file_size("prog.lst"), 100u * 1024);
  // The line keeps its first 255 characters, and the lines around it are assembled.
  EXPECT_EQ(readFile("prog.rom").substr(0, 5), "20 20");
  std::string lst = readFile("prog.lst");
  EXPECT_TRUE(contains(lst, "Errors   = " + std::to_string(beyond) + "\n"));
  EXPECT_TRUE(contains(lst, "Warnings = 1\n"));
}

TEST(HostileLines, BytesBeyondAsciiAreBlanksAndNulEndsTheLineText) {
  // 80h to FFh separate words like blanks; a NUL byte ends the text that is assembled.
  std::string source =
      "\xA0\tnop\xFF\n\x80\x81mov\xC3"
      "a,\xFE"
      "1\n\tnop\0garbage words\n";
  source += std::string("\0\0\0\n", 4) + "\tret\n";
  test::Assembly a = test::assembleSource(source);
  EXPECT_EQ(a.run.status, 0) << a.run.err;
  EXPECT_EQ(a.run.err, "");
  EXPECT_EQ(a.rom, "20 19 01 20 3F \n");
}

TEST(HostileLines, RandomBytesEndWithTheSummary) {
  std::mt19937 random(20261209);
  for (int round = 0; round < 8; ++round) {
    std::string source(64 * 1024, '\0');
    for (char& c : source) c = static_cast<char>(random() & 0xFF);
    test::Assembly a = test::assembleSource(
        source, round % 2 ? std::vector<std::string>{"-e"} : std::vector<std::string>{});
    // A random source either completes with its counts in the summary, or stops on a fatal
    // report (such as a macro left open) that the listing keeps.
    if (a.run.status == 1 && !contains(a.run.out, "Complete")) {
      EXPECT_TRUE(contains(a.lst, "; Error : ")) << "round " << round;
    } else {
      EXPECT_TRUE(contains(a.run.out, "\nComplete")) << "round " << round;
      EXPECT_TRUE(contains(a.lst, "\nCheckSum = ")) << "round " << round;
    }
  }
}

// ---- Size: a huge source streams in flat memory --------------------------------------------

// Peak resident set of the zelas executable assembling prog in the working folder, in KiB. The
// code of a large source is far more than any product's ROM holds: -e lets it be.
long peakKilobytesOfRun() {
  std::vector<std::string> args = {ZELAS_BINARY, "-e", "prog"};
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  // A sanitizer build keeps freed memory in quarantine; that is no growth of the program's own.
  std::string asan = "ASAN_OPTIONS=quarantine_size_mb=1:";
  if (const char* old = std::getenv("ASAN_OPTIONS")) asan += old;
  std::vector<char*> env;
  for (char** e = environ; *e != nullptr; ++e) {
    if (std::strncmp(*e, "ASAN_OPTIONS=", 13) != 0) env.push_back(*e);
  }
  env.push_back(asan.data());
  env.push_back(nullptr);
  pid_t pid = 0;
  int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), env.data());
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return -1;
  int status = 0;
  struct rusage usage {};
  if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status)) return -1;
  return usage.ru_maxrss;
}

// Writes a source of about megabytes MB: comment lines and code, streamed in blocks.
void writeLargeSource(int megabytes) {
  std::string block;
  std::string comment = "; " + std::string(200, 'c') + "\n";
  while (block.size() < (1 << 20)) block += comment + "\tmov a,[x+12h]\n";
  std::FILE* f = std::fopen("prog.asm", "wb");
  ASSERT_NE(f, nullptr);
  for (int i = 0; i < megabytes; ++i) std::fwrite(block.data(), 1, block.size(), f);
  std::fclose(f);
}

TEST(HostileSize, HundredMegabyteSourceStreamsInFlatMemory) {
  ScopedTempDir dir;
  writeLargeSource(1);
  long small = peakKilobytesOfRun();
  writeLargeSource(100);
  long large = peakKilobytesOfRun();
  ASSERT_GT(small, 0);
  ASSERT_GT(large, 0);
  // Lines are read one at a time: a hundred times the text may not cost more than a few MB.
  EXPECT_LT(large - small, 8 * 1024) << "peak RSS " << small << " KiB -> " << large << " KiB";
  std::string lst = readFile("prog.lst");
  EXPECT_TRUE(contains(lst, "\nErrors   = 0\n"));
}

// ---- Addresses far beyond any ROM ----------------------------------------------------------

TEST(HostileAddresses, OrgNearTheTopOfTheValueRangeIsStoppedByTheImageLimit) {
  test::Assembly a = test::assembleSource("\torg 7FFFFFFFh\n\tnop\n", {"-e"});
  EXPECT_EQ(a.run.status, 1);
  EXPECT_TRUE(contains(a.run.err,
                       "\nError : ROM image of 7FFFFFFF bytes exceeds the limit of "
                       "1000000 bytes; Cannot continue.\n"))
      << a.run.err;
  EXPECT_TRUE(contains(a.lst, "; Error : ROM image of 7FFFFFFF bytes exceeds the limit"));
  EXPECT_FALSE(contains(a.lst, "CheckSum"));
  EXPECT_EQ(a.rom, "");
  // One byte past the limit is refused the same way.
  test::Assembly over = test::assembleSource("\torg 1000000h\n\tnop\n", {"-e"});
  EXPECT_EQ(over.run.status, 1);
  EXPECT_TRUE(contains(over.run.err, "ROM image of 1000001 bytes exceeds the limit of 1000000"));
}

TEST(HostileNames, FileNamesBeyondTheBufferAreReportedWhole) {
  MemoryFileSystem files;
  std::string longName(240, 'i');  // the line stays within 255 characters
  files.addFile("prog.asm", "include \"" + longName + "\"\n");
  test::RunResult include = runZelasInProcess(files, {"prog"});
  EXPECT_EQ(include.status, 1);
  EXPECT_EQ(include.err, "\nError : Unable to open '" + longName + "'\n");
  files.addFile("prog.asm", "\tnop\n");
  std::string config(300, 'c');
  test::RunResult cfg = runZelasInProcess(files, {"-c", config, "prog"});
  EXPECT_EQ(cfg.status, 1);  // the one warning
  EXPECT_EQ(cfg.err,
            "\nWarning : Unable to open config file, '" + config + "': Using default values.\n");
}

}  // namespace
}  // namespace zelas
