#include "diag/report.h"

#include <gtest/gtest.h>

#include "diag/messages.h"
#include "emit/listing.h"
#include "support/test_support.h"

namespace zelas {
namespace {

using test::LineHarness;

TEST(Report, WarningsShowOnlyWithReportingAndAFileAndCountOnlyWhenShown) {
  LineHarness h;
  h.setLine("  nop x");
  reportWarning(h.as, msg::tooManyOperands);
  EXPECT_EQ(h.as.warningCount, 0);
  h.enableReports();
  h.as.scanPos += 6;
  reportWarning(h.as, msg::tooManyOperands);
  EXPECT_EQ(h.as.warningCount, 1);
  EXPECT_EQ(h.errText(), "\nWarning : Too many operands\n0.6:   nop x\n");
  h.as.sourceFile = nullptr;
  reportWarning(h.as, msg::tooManyOperands);
  EXPECT_EQ(h.as.warningCount, 1);
}

TEST(Report, BriefModeSuppressesOnlyMinorWarnings) {
  LineHarness h;
  h.enableReports();
  h.as.briefMode = true;
  reportMinorWarning(h.as, msg::largerThanByte, 0x100);
  EXPECT_EQ(h.as.warningCount, 0);
  EXPECT_EQ(h.errText(), "");
  reportWarning(h.as, msg::tooManyOperands);
  reportError(h.as, msg::illegalOperands);
  EXPECT_EQ(h.as.warningCount, 1);
  EXPECT_EQ(h.as.errorCount, 1);
}

TEST(Report, ErrorsShowInPassTwoEvenWithoutReporting) {
  LineHarness h;
  h.setLine("x");
  h.as.pass = 1;
  reportError(h.as, msg::illegalOperands);
  EXPECT_EQ(h.as.errorCount, 0);
  h.as.pass = 2;
  reportError(h.as, msg::illegalOperands);
  EXPECT_EQ(h.as.errorCount, 1);
  EXPECT_EQ(h.errText(), "\nError : Illegal operands for instruction\n0.0: x\n");
}

TEST(Report, ForcedReportPassesInPassOneAndClearsReportingAfter) {
  LineHarness h;
  h.enableReports();
  h.as.pass = 1;
  h.as.reportingEnabled = false;
  {
    ForcedReport forced(h.as);
    reportWarning(h.as, msg::labelAlreadyDefined, "lbl");
  }
  EXPECT_FALSE(h.as.reportingEnabled);
  EXPECT_EQ(h.as.warningCount, 1);
}

TEST(Report, FatalIsAlwaysShownCountedAndUnwinds) {
  LineHarness h;
  h.setLine("db 1");
  EXPECT_THROW(reportFatal(h.as, msg::pcBeyondImage, 0x10, 0x8), FatalStop);
  EXPECT_EQ(h.as.errorCount, 1);
  EXPECT_EQ(h.errText(),
            "\nError : PC > maxPC from first pass (10>8); Cannot continue; Check previous "
            "warnings/errors.\n0.0: db 1\n");
}

TEST(Report, AMessageNeverOverrunsItsText) {
  LineHarness h;
  h.enableReports();
  std::string longName(600, 'n');
  reportWarning(h.as, msg::unresolvedOperand, longName.c_str());
  std::string text = h.errText();
  std::size_t first = text.find("Warning : ") + 10;
  std::size_t end = text.find('\n', first);
  EXPECT_EQ(end - first, 255u);
}

TEST(Report, ListingGetsOneLinePerReportWithItsPrefix) {
  LineHarness h;
  h.enableReports();
  std::string listing;
  h.as.listFile = std::make_unique<test::TextOutput>(listing);
  reportWarning(h.as, msg::tooManyOperands);
  reportError(h.as, msg::illegalOperands);
  EXPECT_THROW(reportFatal(h.as, msg::eofInMacroBody, "m"), FatalStop);
  flushListing(h.as);
  h.as.listFile = nullptr;
  EXPECT_EQ(listing,
            "**** Warning : Too many operands\n"
            "**** Error : Illegal operands for instruction\n"
            "; Error : EOF Reached: 'ENDM' missing in 'm' macro definition.\n");
}

// How many lines of text start with prefix.
int linesStartingWith(const std::string& text, const std::string& prefix) {
  int n = 0;
  for (std::size_t at = 0; at < text.size(); at = text.find('\n', at) + 1) {
    if (text.compare(at, prefix.size(), prefix) == 0) ++n;
    if (text.find('\n', at) == std::string::npos) break;
  }
  return n;
}

TEST(ReportBounds, ALineShowsItsFirstReportsAndOneLineForTheRestYetCountsAll) {
  LineHarness h;
  h.enableReports();
  h.setLine("  db @@@");
  for (int i = 0; i < kMaxReportsPerLine + 6; ++i) reportWarning(h.as, msg::badCharacter, '@');
  reportError(h.as, msg::illegalOperands);
  std::string shown = h.errText();
  EXPECT_EQ(linesStartingWith(shown, "Warning : Expecting"), kMaxReportsPerLine);
  EXPECT_EQ(linesStartingWith(shown, "Error : "), 0);
  endLineReports(h.as);
  EXPECT_EQ(h.errText(), "\nWarning : 7 more reports on this line left out.\n0.0:   db @@@\n");
  EXPECT_EQ(h.as.warningCount, kMaxReportsPerLine + 6);  // the note itself is no report
  EXPECT_EQ(h.as.errorCount, 1);
  // The next line starts with a bound of its own.
  reportError(h.as, msg::illegalOperands);
  EXPECT_EQ(linesStartingWith(h.errText(), "Error : "), 1);
}

TEST(ReportBounds, TheRunStopsAtItsBoundAndZeroMeansNone) {
  LineHarness h;
  h.enableReports();
  h.setLine("x");
  h.as.maxReports = 3;
  for (int i = 0; i < 3; ++i) {
    reportWarning(h.as, msg::tooManyOperands);
    endLineReports(h.as);
  }
  EXPECT_THROW(reportWarning(h.as, msg::tooManyOperands), FatalStop);
  std::string text = h.errText();
  EXPECT_EQ(linesStartingWith(text, "Warning : "), 3);
  EXPECT_EQ(text.substr(text.rfind("\nError")),
            "\nError : More than 3 reports; Cannot continue; --max-reports=N sets the bound.\n"
            "0.0: x\n");
  EXPECT_EQ(h.as.warningCount, 4);
  EXPECT_EQ(h.as.errorCount, 1);
  // A fatal report is shown whatever the bound.
  EXPECT_THROW(reportFatal(h.as, msg::eofInMacroBody, "m"), FatalStop);
  EXPECT_EQ(linesStartingWith(h.errText(), "Error : EOF Reached"), 1);
  h.as.maxReports = 0;
  for (int i = 0; i < 2 * kDefaultMaxReports; ++i) {
    reportWarning(h.as, msg::tooManyOperands);
    endLineReports(h.as);
  }
  EXPECT_EQ(linesStartingWith(h.errText(), "Warning : "), 2 * kDefaultMaxReports);
}

// A generated table may draw thousands of legitimate warnings: the run completes, and the exit
// status takes them all (saturated).
TEST(ReportBounds, AGeneratedTableWithThousandsOfWarningsCompletes) {
  std::string source;
  for (int i = 0; i < 5000; ++i) source += "\tdb 300\n";
  test::Assembly a = test::assembleSource(source, {"-e"});
  EXPECT_EQ(a.run.status, 255);
  EXPECT_NE(a.run.out.find("\nComplete (with warnings and/or errors)\n"), std::string::npos);
  EXPECT_NE(a.lst.find("\nWarnings = 5000\nErrors   = 0\n"), std::string::npos);
}

}  // namespace
}  // namespace zelas
