#include "diag/diagnostic.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "diag/messages.h"
#include "driver/driver.h"
#include "support/test_support.h"

namespace zelas {
namespace {

using test::ScopedTempDir;
using test::writeFile;

// One line per record: severity, rule, place, message, then one line per expansion step.
std::string describe(const Diagnostic& d) {
  static const char* const kSeverity[] = {"warning", "error", "fatal"};
  std::string s = kSeverity[static_cast<int>(d.severity)];
  if (d.minor) s += "(minor)";
  s += " " + std::string(d.ruleId) + " ";
  if (d.position) {
    s += d.position->file + ":" + std::to_string(d.position->line) + ":" +
         std::to_string(d.position->column);
  } else {
    s += "-";
  }
  s += " " + d.message + "\n";
  for (const ExpansionStep& step : d.expansions) {
    s += "  in " + step.macro + " at " + step.invokedAt.file + ":" +
         std::to_string(step.invokedAt.line) + ":" + std::to_string(step.invokedAt.column) + "\n";
  }
  return s;
}

// Runs zelas on source (as prog.asm) and returns what its listener heard, and the console.
struct Heard {
  std::string records;
  test::RunResult run;
};

Heard assembleHearing(const std::string& source, std::vector<std::string> args = {}) {
  std::vector<Diagnostic> seen;
  writeFile("prog.asm", source);
  args.push_back("prog");
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  Heard h;
  h.run.status = runZelas(args, out, err, {[&seen](const Diagnostic& d) { seen.push_back(d); }});
  h.run.err = test::readStream(err);
  std::fclose(out);
  std::fclose(err);
  for (const Diagnostic& d : seen) h.records += describe(d);
  return h;
}

TEST(RuleIds, AreTheCatalogueNamesEachOnce) {
  EXPECT_EQ(ruleIdOf(msg::labelUnresolved), "labelUnresolved");
  EXPECT_EQ(ruleIdOf(msg::pcBeyondImage), "pcBeyondImage");
  EXPECT_EQ(ruleIdOf(msg::pageCrossingXpageOff), "pageCrossingXpageOff");
  EXPECT_EQ(ruleIdOf("a text of a test's own"), "unlisted");
  std::vector<std::string_view> ids = allRuleIds();
  std::set<std::string_view> unique(ids.begin(), ids.end());
  EXPECT_EQ(unique.size(), ids.size());
  EXPECT_EQ(ids.front(), "pcBeyondImage");  // catalogue order: the fatal messages first
  EXPECT_EQ(ids.back(), "pageCrossingXpageOff");
}

// Every shown report reaches the listener once, with what the console shows; reports that are
// not shown (pass 1, -b) reach it as little as they reach the console.
TEST(DiagnosticListener, HearsEveryShownReportOnceWithItsPlace) {
  ScopedTempDir dir;
  Heard h = assembleHearing(
      "start:\tbogus\n"
      "\tdb\t1,\t300\n"
      "\tmov\tq,a\n"
      "start:\n"
      "x:\tequ\tlater\n"
      "later:\tequ 1\n",
      {"-b"});
  EXPECT_EQ(h.records,
            "warning labelAlreadyDefined prog.asm:4:1 Label 'start' is already defined\n"
            "warning unknownInstruction prog.asm:1:9 Illegal or unknown instruction 'bogus'.\n"
            "error illegalForAllCpus prog.asm:3:9 Illegal instruction for all CPUs\n");
  // The listener changes nothing on the console: the classic form stays as it was.
  EXPECT_NE(h.run.err.find("\nWarning : Illegal or unknown instruction 'bogus'.\n1.13: "),
            std::string::npos)
      << h.run.err;
}

TEST(DiagnosticListener, HearsAFatalStopAndAMinorWarning) {
  ScopedTempDir dir;
  // The end of the file is found on the line after the last.
  Heard h = assembleHearing("\tdb 300\n\tmacro open\n\tnop\n");
  EXPECT_EQ(h.records,
            "fatal eofInMacroBody prog.asm:4:1 EOF Reached: 'ENDM' missing in 'open' macro "
            "definition.\n");
  EXPECT_EQ(h.run.status, 1);
  h = assembleHearing("\tdb 300\n");
  EXPECT_EQ(h.records,
            "warning(minor) largerThanByte prog.asm:1:12 '12Ch' is larger than a byte.\n");
}

// A fault in a macro body points at the body line where the macro is defined, with the column
// the token has there (not in the expanded line, which a long argument and a local label's
// number push to the right); the chain runs innermost first down to the invoking file line.
TEST(DiagnosticListener, MacroBodyFaultPointsAtTheDefinitionAndItsInvocations) {
  ScopedTempDir dir;
  writeFile("defs.inc",
            "; definitions\n"
            "\tmacro inner p\n"
            ".l:\tdb p,\t300\n"
            "\tendm\n"
            "\tmacro outer\n"
            "\t\tinner 1+2+3+4+5+6\n"
            "\tendm\n");
  Heard h = assembleHearing("\tinclude \"defs.inc\"\nstart:\touter\n");
  EXPECT_EQ(h.records,
            "warning(minor) largerThanByte defs.inc:3:17 '12Ch' is larger than a byte.\n"
            "  in inner at defs.inc:6:17\n"
            "  in outer at prog.asm:2:9\n");
}

}  // namespace
}  // namespace zelas
