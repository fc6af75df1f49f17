// libFuzzer target: one whole assembly, in-process, per input (layout in fuzz_input.h).
//
// The runs happen in a private temporary folder that is made the working directory once; the
// files of one run are removed before the next. Console output goes to /dev/null.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "driver/driver.h"
#include "fuzz_input.h"

namespace {

// The working folder and the console sink, for the whole fuzzing process.
struct FuzzWorld {
  std::string folder;
  std::FILE* sink = nullptr;
};

FuzzWorld world;

void removeRunFiles() {
  for (const char* name : zelas::fuzz::kRunFiles) unlink(name);
}

void removeFolder() {
  removeRunFiles();
  if (!world.folder.empty() && chdir("/") == 0) rmdir(world.folder.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char pattern[] = "/tmp/zelas-fuzz-XXXXXX";
  if (mkdtemp(pattern) == nullptr || chdir(pattern) != 0) std::abort();
  world.folder = pattern;
  world.sink = std::fopen("/dev/null", "w");
  if (world.sink == nullptr) std::abort();
  std::atexit(removeFolder);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zelas::fuzz::FuzzInput in = zelas::fuzz::parseFuzzInput(data, size);
  // The folder is the harness's own: failing to write there is a broken machine, not a finding.
  if (!zelas::fuzz::writeFuzzFiles(in)) std::abort();
  zelas::runZelas(zelas::fuzz::fuzzCommandLine(in), world.sink, world.sink);
  removeRunFiles();
  return 0;
}
