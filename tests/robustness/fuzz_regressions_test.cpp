// Replays every input of fuzz/regressions (inputs of the fuzz target that once crashed, hung or
// blew up) through the same decoding as the fuzz target, and checks each ends with its report.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <string>

#include "../../fuzz/fuzz_input.h"
#include "driver/driver.h"
#include "support/test_support.h"

namespace zelas {
namespace {

namespace fs = std::filesystem;

const fs::path kRegressionFolder = fs::path(ZELAS_TEST_DATA) / ".." / "fuzz" / "regressions";

struct Regression {
  const char* file;
  const char* fault;  // what went wrong once
  int status;
  const char* report;  // a line standard error must hold ("" for none at all)
};

constexpr Regression kSavedInputs[] = {
    {"include-listing",
     "include of the listing read back every line it listed: the listing grew until the disk was "
     "full",
     1, "Error : 'prog.lst' is the listing being written; it can't be read as source."},
    {"exponential-macros",
     "30 macros each invoking the one before twice replayed 2^29 lines: a run of hours", 1,
     "Error : Macro expansions replay more than 32768 lines in one pass; stopped while "
     "expanding 'm0'."},
    {"include-fan-out",
     "60 includes of a file including a third 60 times: 3,600 files a pass, over the fuzz "
     "time-out (within the file limit of a normal build; the lines of the files read again now "
     "exceed what a pass may replay)",
     1,
     "Error : Macro expansions and files included again replay more than 32768 lines in one "
     "pass; stopped reading 'zelas.cfg'."},
};

test::RunResult replay(const std::string& bytes) {
  auto data = reinterpret_cast<const std::uint8_t*>(bytes.data());
  fuzz::FuzzInput in = fuzz::parseFuzzInput(data, bytes.size());
  MemoryFileSystem files;
  fuzz::addFuzzFiles(files, in);
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  test::RunResult r;
  r.status = runZelas(fuzz::fuzzCommandLine(in), out, err, files);
  r.err = test::readStream(err);
  std::fclose(out);
  std::fclose(err);
  return r;
}

TEST(FuzzRegressions, EverySavedInputEndsWithItsReport) {
  for (const Regression& reg : kSavedInputs) {
    SCOPED_TRACE(std::string(reg.file) + ": " + reg.fault);
    test::RunResult r = replay(test::readFile(kRegressionFolder / reg.file));
    EXPECT_EQ(r.status, reg.status);
    if (*reg.report == '\0') {
      EXPECT_EQ(r.err, "");
    } else {
      EXPECT_NE(r.err.find(std::string("\n") + reg.report + "\n"), std::string::npos) << r.err;
    }
  }
}

// A file saved in fuzz/regressions without a row above would never be checked.
TEST(FuzzRegressions, EverySavedInputHasItsRow) {
  std::set<std::string> rows;
  for (const Regression& reg : kSavedInputs) rows.insert(reg.file);
  for (const fs::directory_entry& entry : fs::directory_iterator(kRegressionFolder)) {
    EXPECT_EQ(rows.count(entry.path().filename().string()), 1u) << entry.path();
  }
  EXPECT_EQ(rows.size(), std::size(kSavedInputs));
}

}  // namespace
}  // namespace zelas
