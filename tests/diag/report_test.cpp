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

}  // namespace
}  // namespace zelas
