#include "support/test_support.h"

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "core/disk_file_system.h"
#include "core/memory_file_system.h"
#include "driver/driver.h"

namespace zelas::test {

namespace fs = std::filesystem;

ScopedTempDir::ScopedTempDir() : previous_(fs::current_path()) {
  std::random_device rd;
  for (int attempt = 0; attempt < 100; ++attempt) {
    fs::path candidate = fs::temp_directory_path() / ("zelas-test-" + std::to_string(rd()));
    if (fs::create_directory(candidate)) {
      path_ = candidate;
      fs::current_path(path_);
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary folder");
}

ScopedTempDir::~ScopedTempDir() {
  std::error_code ec;
  fs::current_path(previous_, ec);
  // Restore write permission on anything a test made read-only, so it can be removed.
  for (auto it = fs::recursive_directory_iterator(path_, ec);
       it != fs::recursive_directory_iterator(); it.increment(ec)) {
    fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
  }
  fs::remove_all(path_, ec);
}

std::string readStream(std::FILE* f) {
  std::fflush(f);
  std::rewind(f);
  std::string text;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
  return text;
}

namespace {

std::string drain(std::FILE* f) {
  std::string text = readStream(f);
  std::fclose(f);
  return text;
}

std::string shellQuote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += (c == '\'') ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

}  // namespace

RunResult runZelasInProcess(const std::vector<std::string>& args) {
  DiskFileSystem files;
  return runZelasInProcess(files, args);
}

RunResult runZelasInProcess(FileSystem& files, const std::vector<std::string>& args) {
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  RunResult r;
  r.status = runZelas(args, out, err, files);
  r.out = drain(out);
  r.err = drain(err);
  return r;
}

RunResult runZelasExecutable(const std::vector<std::string>& args) {
  std::string command = shellQuote(ZELAS_BINARY);
  for (const std::string& a : args) command += " " + shellQuote(a);
  command += " >stdout.txt 2>stderr.txt";
  int raw = std::system(command.c_str());
  RunResult r;
  r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  r.out = readFile("stdout.txt");
  r.err = readFile("stderr.txt");
  fs::remove("stdout.txt");
  fs::remove("stderr.txt");
  return r;
}

void writeFile(const fs::path& path, const std::string& text) {
  std::ofstream f(path, std::ios::binary);
  f << text;
}

std::string readFile(const fs::path& path) {
  std::ifstream f(path, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

bool fileExists(const fs::path& path) {
  return fs::exists(path);
}

Assembly assembleSource(const std::string& source, const std::vector<std::string>& args) {
  MemoryFileSystem files;
  files.addFile("prog.asm", source);
  std::vector<std::string> all = args;
  all.push_back("prog");
  Assembly a;
  a.run = runZelasInProcess(files, all);
  a.lst = files.contents("prog.lst").value_or("");
  a.rom = files.contents("prog.rom").value_or("");
  a.hex = files.contents("prog.hex").value_or("");
  return a;
}

std::string listingBody(const std::string& lst) {
  // The banner is two lines and an empty line; the summary starts with "\nCheckSum = ".
  std::size_t start = 0;
  for (int i = 0; i < 3 && start != std::string::npos; ++i) start = lst.find('\n', start) + 1;
  std::size_t end = lst.find("\nCheckSum = ");
  if (end == std::string::npos) end = lst.size();
  if (start > end) return {};
  return lst.substr(start, end - start);
}

}  // namespace zelas::test

#include <cstring>

#include "scan/source_file.h"

namespace zelas::test {

LineHarness::LineHarness() : as(std::tmpfile(), std::tmpfile(), files), out_(as.out), err_(as.err) {
  as.lineStart = line_.data();
  as.scanPos = line_.data();
}

LineHarness::~LineHarness() {
  as.sourceFile = nullptr;
  std::fclose(out_);
  std::fclose(err_);
}

void LineHarness::setLine(const std::string& text) {
  std::size_t n = std::min(text.size(), kMaxLineLength);
  std::memcpy(line_.data(), text.data(), n);
  line_[n] = '\0';
  as.lineStart = line_.data();
  as.scanPos = line_.data();
}

void LineHarness::enableReports() {
  // Warnings are shown only while a file is being read: any readable file will do.
  if (file_ == nullptr) {
    MemoryFileSystem files;
    files.addFile("/dev/null", "");
    file_ = SourceFile::open(files, "/dev/null");
  }
  as.sourceFile = file_.get();
  as.reportingEnabled = true;
  as.pass = 2;
}

std::string LineHarness::errText() {
  std::fflush(err_);
  long end = std::ftell(err_);
  std::fseek(err_, errRead_, SEEK_SET);
  std::string text(static_cast<std::size_t>(end - errRead_), '\0');
  std::size_t n = std::fread(text.data(), 1, text.size(), err_);
  text.resize(n);
  std::fseek(err_, 0, SEEK_END);
  errRead_ = end;
  return text;
}

}  // namespace zelas::test
