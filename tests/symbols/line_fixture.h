// An Assembler set up to work on one line of text in a given pass, with its standard error
// captured and a file open (warnings are shown only while a file is being read).
#pragma once

#include <string>

#include "core/assembler.h"
#include "support/test_support.h"

namespace zelas::test {

// The shared LineHarness, reporting as the given pass would: with a file open, and reporting
// on in pass 2 only.
class LineFixture : public LineHarness {
 public:
  explicit LineFixture(int pass = 2) {
    enableReports();
    LineHarness::as.pass = pass;
    LineHarness::as.reportingEnabled = pass == 2;
  }

  Assembler& as() { return LineHarness::as; }
  // Standard error written since the last call.
  std::string takeErr() { return errText(); }
};

// The warning lines of one classic report: "\nWarning : <message>\n<position line>".
inline std::string warningText(const std::string& message, int column, const std::string& line) {
  return "\nWarning : " + message + "\n0." + std::to_string(column) + ": " + line + "\n";
}

}  // namespace zelas::test
