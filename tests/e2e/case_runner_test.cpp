// Runs every end-to-end case under tests/e2e/cases/<room>/, in memory. A case is one run of zelas:
// the files it reads, its command line, and what it must give back. Adding a case is adding a file.
//
// Source cases, ok_*.asm and err_*.asm, are the source itself followed by a block of lines that
// start with ";;". The block is not part of the source: the run reads prog.asm made of the lines
// above it, so line numbers in reports are those of the file. In the block:
//
//   ;; args: -e prog         the command line, split at blanks (default: prog)
//   ;; file NAME: TEXT       a line of another input file (an include, zelas.cfg), in order
//   ;; exit: 3               the exit status; every case gives it
//   ;; stdout: TEXT          a line of standard output; stderr: likewise
//   ;; listing: TEXT         a line of prog.lst; rom: of prog.rom, hex: of prog.hex
//   ;; out NAME: TEXT        a line of any other file the run writes (prog.d, prog.sym)
//   ;; empty: NAME           stdout, stderr or a file that must be empty (a file must exist)
//   ;; absent: NAME          a file the run must not leave
//   ;; anything else         a note on what the case is about; but a lowercase word before a
//                            colon is taken for a key, and an unknown key is a fault
//
// TEXT is the rest of the line after one blank. A final "|" is dropped: it marks the end of a text
// that ends in blanks (or in "|"). Matching: each output named in the block must hold the lines
// given for it, whole lines, in the order given, and nothing else; the text "..." stands for any
// number of lines there (none included), so "...", lines, "..." asks for those lines in a row
// somewhere. Outputs not named are not checked. Names say the outcome: ok_ cases exit with 0,
// err_ cases with a status above 0.
//
// Whole-output cases, *.case, are kept where the whole text is the point (the help, the version,
// the symbol table, a HEX file). They hold sections, each its lines until the next header:
//
//   ==> in NAME   an input file        ==> args     the command line, one argument a line
//   ==> status    the exit status      ==> stdout, ==> stderr, ==> out NAME: a whole output
//   ==> absent NAME                    a file the run must not leave
//
// with "#" comment lines above the first section. Both forms are read by e2e/case_file.cpp.
//
// Environment:
//   ZELAS_UPDATE_CASES=1   rewrites the exit status and every output without "..." from what the
//                          run gave; read every changed line before committing it.
//   ZELAS_EXPORT_CASES=DIR writes, for each case, DIR/<room>/<case>/ with every input file as the
//                          run sees it and a file args, the arguments one a line. Only this mode
//                          writes to the disk.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <sstream>

#include "core/memory_file_system.h"
#include "e2e/case_file.h"
#include "support/test_support.h"

namespace zelas::test {
namespace {

namespace fs = std::filesystem;

std::optional<std::string> actualText(const std::string& name, const RunResult& run,
                                      const MemoryFileSystem& files) {
  if (name == "stdout") return run.out;
  if (name == "stderr") return run.err;
  return files.contents(name);
}

// The case's name says whether it must succeed: ok_ with status 0, err_ with more.
void expectNameSaysOutcome(const fs::path& path, const EndToEndCase& c) {
  std::string stem = path.stem().string();
  ASSERT_TRUE(c.exitStatus.has_value()) << path.filename() << " gives no exit status";
  if (stem.rfind("ok_", 0) == 0) {
    EXPECT_EQ(*c.exitStatus, 0) << path.filename() << " is named ok_";
  } else if (stem.rfind("err_", 0) == 0) {
    EXPECT_GT(*c.exitStatus, 0) << path.filename() << " is named err_";
  } else {
    ADD_FAILURE() << path.filename() << " is named neither ok_ nor err_";
  }
}

void exportIfAsked(const fs::path& path, const EndToEndCase& c) {
  const char* folder = std::getenv("ZELAS_EXPORT_CASES");
  if (folder == nullptr) return;
  exportCase(c, fs::path(folder) / path.parent_path().filename() / path.stem());
}

// Takes what the run gave as the expectations of c, where they hold no gap.
void updateExpectations(EndToEndCase& c, const RunResult& run, const MemoryFileSystem& files) {
  c.exitStatus = run.status;
  for (ExpectedText& t : c.texts) {
    if (std::find(t.lines.begin(), t.lines.end(), std::nullopt) != t.lines.end()) continue;
    std::istringstream in(actualText(t.name, run, files).value_or(""));
    t.lines.clear();
    for (std::string line; std::getline(in, line);) t.lines.emplace_back(line);
  }
}

class EndToEnd : public ::testing::TestWithParam<fs::path> {};

TEST_P(EndToEnd, GivesExpectedOutputs) {
  const fs::path path = GetParam();
  EndToEndCase c = readEndToEndCase(path);
  for (const std::string& fault : c.faults) ADD_FAILURE() << path.filename() << ", " << fault;
  expectNameSaysOutcome(path, c);
  exportIfAsked(path, c);
  MemoryFileSystem files;
  for (const auto& [name, text] : c.inputs) files.addFile(name, text);
  RunResult run = runZelasInProcess(files, c.args);
  if (std::getenv("ZELAS_UPDATE_CASES") != nullptr) {
    updateExpectations(c, run, files);
    writeFile(path, path.extension() == ".case" ? renderWholeCase(c) : renderSourceCase(c));
    return;
  }
  EXPECT_EQ(run.status, c.exitStatus.value_or(-1)) << path.filename() << ", exit status";
  for (const ExpectedText& t : c.texts) {
    std::optional<std::string> actual = actualText(t.name, run, files);
    if (!actual) {
      ADD_FAILURE() << path.filename() << ": " << t.name << " missing";
      continue;
    }
    EXPECT_EQ(textMismatch(t.lines, *actual), "")
        << path.filename() << ", " << t.name << " as given:\n"
        << *actual;
  }
  for (const std::string& name : c.absent) {
    EXPECT_FALSE(files.exists(name)) << path.filename() << ": " << name << " exists";
  }
}

std::string caseName(const ::testing::TestParamInfo<fs::path>& info) {
  std::string name =
      info.param.parent_path().filename().string() + "_" + info.param.stem().string();
  for (char& ch : name) {
    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
  }
  return name;
}

INSTANTIATE_TEST_SUITE_P(Cases, EndToEnd,
                         ::testing::ValuesIn(endToEndCaseFiles(fs::path(ZELAS_TEST_DATA) /
                                                               "e2e/cases")),
                         caseName);

}  // namespace
}  // namespace zelas::test
