// Helpers shared by the tests: temporary working folders, in-process runs of zelas with captured
// console streams, and file access.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/file_system.h"
#include "core/memory_file_system.h"

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
// Runs zelas in-process on files with args (no program name).
RunResult runZelasInProcess(FileSystem& files, const std::vector<std::string>& args);

// An output whose text goes straight to a string the test reads at any time; commit does
// nothing more.
class TextOutput : public OutputFile {
 public:
  explicit TextOutput(std::string& text) : text_(text) {}
  bool write(const char* data, std::size_t size) override {
    text_.append(data, size);
    return true;
  }
  bool commit() override { return true; }

 private:
  std::string& text_;
};
// Runs the zelas executable through the shell in the working directory.
RunResult runZelasExecutable(const std::vector<std::string>& args);

void writeFile(const std::filesystem::path& path, const std::string& text);
std::string readFile(const std::filesystem::path& path);
// Everything written to f so far; f is left at its end, so that later writes append.
std::string readStream(std::FILE* f);
bool fileExists(const std::filesystem::path& path);

// Files in memory under the names a test uses, and runs of zelas on them: a base for fixtures
// whose tests need no real disk.
class MemoryFiles {
 protected:
  std::string readFile(const std::string& name) const { return files_.contents(name).value_or(""); }
  void writeFile(const std::string& name, const std::string& text) { files_.addFile(name, text); }
  bool fileExists(const std::string& name) const { return files_.exists(name); }
  bool folderIsEmpty() const { return files_.names().empty(); }
  // A file that takes no byte and then fails, as one on a full disk does.
  void fillsTheDisk(const std::string& name) { files_.faults(name).writeFailsAfter = 0; }
  RunResult runZelasInProcess(const std::vector<std::string>& args) {
    return test::runZelasInProcess(files_, args);
  }

  MemoryFileSystem files_;
};

// Assembles source (as prog.asm) with extra args, in a file system of its own in memory.
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

#include "core/assembler.h"

namespace zelas::test {

// An Assembler on captured console streams with a current line of the caller's choosing, for
// unit tests of operations that work on the current line.
class LineHarness {
 public:
  LineHarness();
  ~LineHarness();
  LineHarness(const LineHarness&) = delete;
  LineHarness& operator=(const LineHarness&) = delete;

  // Makes text (at most 255 characters) the current line, cursor at its start.
  void setLine(const std::string& text);
  // Reports are shown as in pass 2 (reporting on, a file open).
  void enableReports();
  // What was written to standard error since the last call.
  std::string errText();
  // The text from the cursor to the end of the line.
  std::string rest() const { return as.scanPos; }
  int column() const { return static_cast<int>(as.scanPos - as.lineStart); }

  MemoryFileSystem files;  // what as reads and writes
  Assembler as;

 private:
  std::FILE* out_;
  std::FILE* err_;
  LineBuffer line_{};
  std::unique_ptr<SourceFile> file_;
  long errRead_ = 0;
};

}  // namespace zelas::test
