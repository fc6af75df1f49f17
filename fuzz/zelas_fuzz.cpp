// libFuzzer target: one whole assembly, in-process, per input (layout in fuzz_input.h).
//
// The runs happen in a private temporary folder, made the working directory before the first
// run; the files of one run are removed before the next. Console output goes to /dev/null.
// libFuzzer reads and writes its corpus and artifacts by the paths on its command line, so those
// are made absolute first, and artifacts default to the folder the fuzzer was started in.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/disk_file_system.h"
#include "driver/driver.h"
#include "fuzz_input.h"

namespace {

// The working folder, the console sink and the rewritten command line, for the whole process.
struct FuzzWorld {
  std::string folder;
  bool entered = false;
  std::FILE* sink = nullptr;
  std::vector<std::string> args;
  std::vector<char*> argv;
};

FuzzWorld world;

// Flags of libFuzzer whose value is a path.
constexpr std::string_view kPathFlags[] = {"-artifact_prefix=", "-exact_artifact_path=", "-dict=",
                                           "-merge_control_file=", "-features_dir="};

std::string absolute(std::string_view path) {
  if (path.empty() || path.front() == '/') return std::string(path);
  std::string made = std::filesystem::current_path().string() + "/" + std::string(path);
  return made;
}

std::string withAbsolutePath(const std::string& arg, bool& hasArtifactPrefix) {
  if (arg.empty() || arg.front() != '-') return absolute(arg);
  for (std::string_view flag : kPathFlags) {
    if (arg.compare(0, flag.size(), flag) != 0) continue;
    if (flag == "-artifact_prefix=") hasArtifactPrefix = true;
    return std::string(flag) + absolute(std::string_view(arg).substr(flag.size()));
  }
  return arg;
}

void makePathsAbsolute(int* argc, char*** argv) {
  bool hasArtifactPrefix = false;
  world.args.emplace_back((*argv)[0]);
  for (int i = 1; i < *argc; ++i)
    world.args.push_back(withAbsolutePath((*argv)[i], hasArtifactPrefix));
  if (!hasArtifactPrefix) world.args.push_back("-artifact_prefix=" + absolute("") + "/");
  for (std::string& a : world.args) world.argv.push_back(a.data());
  world.argv.push_back(nullptr);
  *argc = static_cast<int>(world.args.size());
  *argv = world.argv.data();
}

void removeRunFiles() {
  for (const char* name : zelas::fuzz::kRunFiles) unlink(name);
}

void removeFolder() {
  if (!world.entered) return;
  removeRunFiles();
  if (chdir("/") == 0) rmdir(world.folder.c_str());
}

void enterPrivateFolder() {
  char pattern[] = "/tmp/zelas-fuzz-XXXXXX";
  if (mkdtemp(pattern) == nullptr || chdir(pattern) != 0) std::abort();
  world.folder = pattern;
  world.entered = true;
  std::atexit(removeFolder);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  makePathsAbsolute(argc, argv);
  world.sink = std::fopen("/dev/null", "w");
  if (world.sink == nullptr) std::abort();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Entered at the first run, not at start-up: with -jobs the parent process runs nothing and
  // writes the workers' logs into the folder it was started in.
  if (!world.entered) enterPrivateFolder();
  zelas::fuzz::FuzzInput in = zelas::fuzz::parseFuzzInput(data, size);
  // The folder is the harness's own: failing to write there is a broken machine, not a finding.
  if (!zelas::fuzz::writeFuzzFiles(in)) std::abort();
  zelas::DiskFileSystem files;
  zelas::runZelas(zelas::fuzz::fuzzCommandLine(in), world.sink, world.sink, files);
  removeRunFiles();
  return 0;
}
