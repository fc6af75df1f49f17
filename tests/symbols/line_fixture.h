// An Assembler set up to work on one line of text in a given pass, with its standard error
// captured and a source file open (warnings are shown only while a file is being read).
#pragma once

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "core/assembler.h"
#include "scan/source_file.h"
#include "support/test_support.h"

namespace zelas::test {

class LineFixture {
 public:
  explicit LineFixture(int pass = 2) : errFile_(std::tmpfile()), as_(stdout, errFile_) {
    writeFile(dir_.path() / "prog.asm", "\n");
    file_ = SourceFile::open((dir_.path() / "prog.asm").string());
    as_.sourceFile = file_.get();
    as_.pass = pass;
    as_.reportingEnabled = pass == 2;
    setLine("");
  }
  ~LineFixture() { std::fclose(errFile_); }

  Assembler& as() { return as_; }

  // Makes text the current line with the cursor at its start.
  void setLine(const std::string& text) {
    std::strncpy(line_.data(), text.c_str(), kMaxLineLength);
    line_[kMaxLineLength] = '\0';
    as_.lineStart = line_.data();
    as_.scanPos = line_.data();
  }
  // Text left at the cursor.
  std::string rest() const { return as_.scanPos; }

  // Standard error written since the last call.
  std::string takeErr() {
    std::fflush(errFile_);
    long end = std::ftell(errFile_);
    std::string text(static_cast<std::size_t>(end - taken_), '\0');
    std::fseek(errFile_, taken_, SEEK_SET);
    std::size_t n = std::fread(text.data(), 1, text.size(), errFile_);
    text.resize(n);
    taken_ = end;
    std::fseek(errFile_, 0, SEEK_END);
    return text;
  }

 private:
  ScopedTempDir dir_;
  std::FILE* errFile_;
  Assembler as_;
  std::unique_ptr<SourceFile> file_;
  LineBuffer line_{};
  long taken_ = 0;
};

// The warning lines of one classic report: "\nWarning : <message>\n<position line>".
inline std::string warningText(const std::string& message, int column, const std::string& line) {
  return "\nWarning : " + message + "\n0." + std::to_string(column) + ": " + line + "\n";
}

}  // namespace zelas::test
