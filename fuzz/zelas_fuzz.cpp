// libFuzzer target: one whole assembly, in-process and in memory, per input (layout in
// fuzz_input.h). The source, include and configuration of an input are files of a file system
// in memory, which also takes the outputs, so a run touches no disk. Console output is discarded.
#include <sys/types.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/memory_file_system.h"
#include "driver/driver.h"
#include "fuzz_input.h"

namespace {

ssize_t discard(void*, const char*, std::size_t size) {
  return static_cast<ssize_t>(size);
}

// A stream that takes every write and keeps nothing, for both console streams of every run.
std::FILE* openSink() {
  static const cookie_io_functions_t kDiscarding = {nullptr, discard, nullptr, nullptr};
  return fopencookie(nullptr, "w", kDiscarding);
}

}  // namespace

// The address sanitizer keeps freed blocks in a quarantine of 256 MB by default. Together with
// the fuzzer's own memory that passes half of -rss_limit_mb=512, and from then on libFuzzer
// empties the quarantine and hands all free memory back to the kernel every second: each run
// then pays page faults for its fresh blocks. One run frees a few megabytes at most and every
// run is a whole assembly of its own, so a use after free happens within one run, and 64 MB
// still catches it. ASAN_OPTIONS set by the caller override this.
extern "C" const char* __asan_default_options() {
  return "quarantine_size_mb=64";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static std::FILE* const sink = openSink();
  zelas::fuzz::FuzzInput in = zelas::fuzz::parseFuzzInput(data, size);
  zelas::MemoryFileSystem files;
  zelas::fuzz::addFuzzFiles(files, in);
  zelas::runZelas(zelas::fuzz::fuzzCommandLine(in), sink, sink, files);
  return 0;
}
