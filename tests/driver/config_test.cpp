// The configuration reader: value forms, settings, and the reader's own line state.
#include "driver/config.h"

#include <gtest/gtest.h>

#include "scan/source_file.h"
#include "support/test_support.h"

namespace zelas::test {
namespace {

std::optional<Value> valueOf(const std::string& text) {
  LineHarness h;
  h.setLine(text);
  return parseConfigValue(h.as);
}

TEST(ConfigValue, AcceptsEveryRadixAndTheMultiplier) {
  EXPECT_EQ(valueOf("12"), 12);
  EXPECT_EQ(valueOf("12d"), 12);
  EXPECT_EQ(valueOf("12D"), 12);
  EXPECT_EQ(valueOf("0FFh"), 255);
  EXPECT_EQ(valueOf("FFh"), 255);
  EXPECT_EQ(valueOf("101b"), 5);
  EXPECT_EQ(valueOf("1B"), 1);
  EXPECT_EQ(valueOf("4K"), 4096);
  EXPECT_EQ(valueOf("10hK"), 16384);
  EXPECT_EQ(valueOf("1k"), 1024);
  EXPECT_EQ(valueOf("0"), 0);
  EXPECT_EQ(valueOf("3 ; three"), 3);
  // The multiplier wraps like every other 32-bit product.
  EXPECT_EQ(valueOf("400000hK"), 0);
}

TEST(ConfigValue, RefusesWhatIsNoNumber) {
  for (const char* text :
       {"FF", "A1", "", "-1", "1Bx", "12x", "b", "h", "K", "102b", "0AD", "1dK3", "G1h", "'a'"}) {
    EXPECT_EQ(valueOf(text), std::nullopt) << text;
  }
}

struct ConfigFile : LineHarness {
  void read(const std::string& text, bool isExplicit = true) {
    files.addFile("test.cfg", text);
    readConfiguration(as, "test.cfg", isExplicit);
  }
};

TEST(ConfigReader, SettingsTakeEffectAndTheLastValidOneWins) {
  ConfigFile c;
  c.as.reportingEnabled = true;
  c.read("; settings\n\n  TAB 3 ; three\nfillrom 0FFh\ntab\t5\nfillrom FF\nbogus 7\n");
  EXPECT_EQ(c.as.tabWidth, 5);
  EXPECT_EQ(c.as.fillValue, 255);
  EXPECT_EQ(c.errText(),
            "\nWarning : Unable to resolve config value 'fillrom FF': Using default, fillrom = "
            "FFh.\n\n6.10: fillrom FF\n");
  EXPECT_EQ(c.as.warningCount, 1);
}

TEST(ConfigReader, TabSetByEarlierLineExpandsLaterTabsAndShowsInWarning) {
  ConfigFile c;
  c.as.reportingEnabled = true;
  c.read("tab 4\ntab\t= 2\n");
  EXPECT_EQ(c.as.tabWidth, 4);
  EXPECT_EQ(c.errText(),
            "\nWarning : Expecting an AlphaNumeric or Operator: Found '='\n2.4: tab = 2\n"
            "\nWarning : Unable to resolve config value 'tab = 2': Using default, tab = 4.\n\n"
            "2.5: tab = 2\n");
}

TEST(ConfigReader, KeyRunTogetherWarnsAboutTheDelimiter) {
  ConfigFile c;
  c.as.reportingEnabled = true;
  c.read("tabs 4\ntab 0\n");
  EXPECT_EQ(c.as.tabWidth, 0);  // accepted here; the driver raises it to 1
  EXPECT_EQ(c.as.warningCount, 2);
}

TEST(ConfigReader, RestoresTheCallersLineState) {
  ConfigFile c;
  c.setLine("caller");
  char* start = c.as.lineStart;
  c.as.scanPos = start + 2;
  c.as.lineNumber = 7;
  c.read("tab 2\n");
  EXPECT_EQ(c.as.tabWidth, 2);
  EXPECT_EQ(c.as.sourceFile, nullptr);
  EXPECT_EQ(c.as.lineStart, start);
  EXPECT_EQ(c.as.scanPos, start + 2);
  EXPECT_EQ(c.as.lineNumber, 7);
  EXPECT_STREQ(c.as.lineStart, "caller");
}

TEST(ConfigReader, MissingFileWarnsOnlyWhenNamedExplicitly) {
  ConfigFile c;
  c.as.reportingEnabled = true;
  readConfiguration(c.as, "absent.cfg", false);
  EXPECT_EQ(c.errText(), "");
  EXPECT_EQ(c.as.warningCount, 0);
  readConfiguration(c.as, "absent.cfg", true);
  EXPECT_EQ(c.errText(),
            "\nWarning : Unable to open config file, 'absent.cfg': Using default values.\n");
  EXPECT_EQ(c.as.warningCount, 1);
  EXPECT_EQ(c.as.tabWidth, 8);
  EXPECT_EQ(c.as.fillValue, 0);
}

}  // namespace
}  // namespace zelas::test
