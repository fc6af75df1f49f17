// Helpers shared by the tests: temporary working folders, in-process runs of zelas with captured
// console streams, and file access.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zelas::test {

// Creates a fresh folder, makes it the working directory, and removes it afterwards.
class ScopedTempDir {
 public:
  ScopedTempDir();
  ~ScopedTempDir();
  ScopedTempDir(const ScopedTempDir&) = delete;
  ScopedTempDir& operator=(const ScopedTempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
  std::filesystem::path previous_;
};

struct RunResult {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs zelas in-process in the working directory with args (no program name).
RunResult runZelasInProcess(const std::vector<std::string>& args);
// Runs the zelas executable through the shell in the working directory.
RunResult runZelasExecutable(const std::vector<std::string>& args);

void writeFile(const std::filesystem::path& path, const std::string& text);
std::string readFile(const std::filesystem::path& path);
bool fileExists(const std::filesystem::path& path);

// Assembles source (written as prog.asm) in a fresh temporary folder with extra args.
struct Assembly {
  RunResult run;
  std::string lst;
  std::string rom;
  std::string hex;
};
Assembly assembleSource(const std::string& source, const std::vector<std::string>& args = {});

// The listing lines between the banner and the summary: what pass 2 assembled.
std::string listingBody(const std::string& lst);

}  // namespace zelas::test
