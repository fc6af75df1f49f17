// Runs every end-to-end case file under tests/e2e/cases. A case file holds the inputs of one run
// and the outputs it must give, as sections:
//
//   ==> in NAME        a file written before the run (prog.asm is the usual source)
//   ==> args           the command-line arguments, one per line (default: prog)
//   ==> status         the exit status
//   ==> stdout         standard output, whole
//   ==> stderr         standard error, whole
//   ==> out NAME       a file the run must leave, whole (prog.lst, prog.rom, prog.hex ...)
//   ==> absent NAME    a file the run must not leave
//
// Every section's text is its lines, each ending in a line end. Lines starting with "#" before
// the first section are comments. With ZELAS_UPDATE_CASES=1 in the environment the expected
// sections are rewritten from what the run gave: read every changed line before committing it.
// With ZELAS_EXPORT_CASES=DIR each case is also written out for a run on disk by another build:
// DIR/<room>/<case>/ holds its input files under their names and "args", the arguments one per
// line.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/memory_file_system.h"
#include "support/test_support.h"

namespace zelas::test {
namespace {

namespace fs = std::filesystem;

struct Section {
  std::string kind;  // in, args, status, stdout, stderr, out, absent
  std::string name;
  std::string text;
};

struct CaseFile {
  std::vector<std::string> preamble;
  std::vector<Section> sections;
};

CaseFile parseCase(const std::string& text) {
  CaseFile c;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("==> ", 0) == 0) {
      Section s;
      std::string header = line.substr(4);
      std::size_t blank = header.find(' ');
      s.kind = header.substr(0, blank);
      if (blank != std::string::npos) s.name = header.substr(blank + 1);
      c.sections.push_back(s);
    } else if (c.sections.empty()) {
      c.preamble.push_back(line);
    } else {
      c.sections.back().text += line + "\n";
    }
  }
  return c;
}

std::string renderCase(const CaseFile& c) {
  std::string text;
  for (const std::string& line : c.preamble) text += line + "\n";
  for (const Section& s : c.sections) {
    text += "==> " + s.kind + (s.name.empty() ? "" : " " + s.name) + "\n" + s.text;
  }
  return text;
}

std::vector<std::string> argumentsOf(const CaseFile& c) {
  for (const Section& s : c.sections) {
    if (s.kind != "args") continue;
    std::vector<std::string> args;
    std::istringstream in(s.text);
    std::string line;
    while (std::getline(in, line)) args.push_back(line);
    return args;
  }
  return {"prog"};
}

std::vector<fs::path> caseFiles() {
  std::vector<fs::path> files;
  for (const auto& entry :
       fs::recursive_directory_iterator(fs::path(ZELAS_TEST_DATA) / "e2e/cases")) {
    if (entry.path().extension() == ".case") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// Writes the inputs and the arguments of the case at casePath under exportRoot.
void exportCase(const CaseFile& c, const fs::path& casePath, const fs::path& exportRoot) {
  fs::path folder = exportRoot / casePath.parent_path().filename() / casePath.stem();
  fs::remove_all(folder);
  fs::create_directories(folder);
  for (const Section& s : c.sections) {
    if (s.kind != "in") continue;
    fs::path file = folder / s.name;
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << s.text;
  }
  std::ofstream args(folder / "args", std::ios::binary);
  for (const std::string& arg : argumentsOf(c)) args << arg << "\n";
  ASSERT_TRUE(args.good()) << folder;
}

class EndToEnd : public ::testing::TestWithParam<fs::path> {};

TEST_P(EndToEnd, GivesExpectedOutputs) {
  const fs::path casePath = GetParam();
  CaseFile c = parseCase(readFile(casePath));
  ASSERT_FALSE(c.sections.empty()) << casePath << " has no sections";
  bool update = std::getenv("ZELAS_UPDATE_CASES") != nullptr;
  if (const char* exportRoot = std::getenv("ZELAS_EXPORT_CASES")) {
    exportCase(c, casePath, exportRoot);
  }
  {
    MemoryFileSystem files;
    for (const Section& s : c.sections) {
      if (s.kind == "in") files.addFile(s.name, s.text);
    }
    RunResult r = runZelasInProcess(files, argumentsOf(c));
    for (Section& s : c.sections) {
      std::string actual;
      if (s.kind == "status") {
        actual = std::to_string(r.status) + "\n";
      } else if (s.kind == "stdout") {
        actual = r.out;
      } else if (s.kind == "stderr") {
        actual = r.err;
      } else if (s.kind == "out") {
        EXPECT_TRUE(files.exists(s.name)) << casePath.filename() << ": " << s.name << " missing";
        actual = files.contents(s.name).value_or("");
      } else if (s.kind == "absent") {
        EXPECT_FALSE(files.exists(s.name)) << casePath.filename() << ": " << s.name << " exists";
        continue;
      } else {
        continue;
      }
      if (update) {
        s.text = actual;
      } else {
        EXPECT_EQ(s.text, actual) << casePath.filename() << ", section " << s.kind << " " << s.name;
      }
    }
  }
  if (update) {
    std::ofstream f(casePath, std::ios::binary);
    f << renderCase(c);
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

INSTANTIATE_TEST_SUITE_P(Cases, EndToEnd, ::testing::ValuesIn(caseFiles()), caseName);

}  // namespace
}  // namespace zelas::test
