// --sarif: the log's structure for reports of every kind, a whole log for a small source, a run
// that stops, a log that cannot be written, and the other outputs left as they were.
#include "diag/sarif_log.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "diag/diagnostic.h"
#include "support/test_support.h"

namespace zelas {
namespace {

using Json = nlohmann::json;

// A warning from a macro expansion, with its note, and an error.
constexpr char kFaultySource[] =
    "\tmacro inner\n"
    "\tbogus\n"
    "\tendm\n"
    "start:\tinner\n"
    "\torg 10h\n"
    "\torg 0\n";

TEST(SarifLog, WholeLogOfASmallSource) {
  test::ScopedTempDir dir;
  test::writeFile("prog.asm", kFaultySource);
  test::RunResult r = test::runZelasInProcess({"--sarif=prog.sarif", "prog"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(test::readFile("prog.sarif"), R"({
  "$schema": "https://json.schemastore.org/sarif-2.1.0.json",
  "version": "2.1.0",
  "runs": [
    {
      "tool": {
        "driver": {
          "name": "zelas",
          "version": "1.94",
          "rules": [
            {
              "id": "unknownInstruction",
              "shortDescription": {
                "text": "Illegal or unknown instruction '%s'."
              },
              "defaultConfiguration": {
                "level": "warning"
              }
            },
            {
              "id": "orgDecrements",
              "shortDescription": {
                "text": "ORG attempts to decrement PC address"
              },
              "defaultConfiguration": {
                "level": "error"
              }
            }
          ]
        }
      },
      "results": [
        {
          "ruleId": "unknownInstruction",
          "ruleIndex": 0,
          "level": "warning",
          "message": {
            "text": "Illegal or unknown instruction 'bogus'."
          },
          "locations": [
            {
              "physicalLocation": {
                "artifactLocation": {
                  "uri": "prog.asm"
                },
                "region": {
                  "startLine": 2,
                  "startColumn": 9
                }
              }
            }
          ],
          "relatedLocations": [
            {
              "id": 1,
              "physicalLocation": {
                "artifactLocation": {
                  "uri": "prog.asm"
                },
                "region": {
                  "startLine": 4,
                  "startColumn": 9
                }
              },
              "message": {
                "text": "in expansion of macro 'inner'"
              }
            }
          ]
        },
        {
          "ruleId": "orgDecrements",
          "ruleIndex": 1,
          "level": "error",
          "message": {
            "text": "ORG attempts to decrement PC address"
          },
          "locations": [
            {
              "physicalLocation": {
                "artifactLocation": {
                  "uri": "prog.asm"
                },
                "region": {
                  "startLine": 6,
                  "startColumn": 13
                }
              }
            }
          ]
        }
      ]
    }
  ]
}
)");
}

// Every kind of report: minor and plain warnings, errors, nested expansions and an included file
// whose name needs encoding.
void writeManyReports() {
  test::writeFile("my defs.inc", "\tjunk\n");
  test::writeFile("prog.asm",
                  "\tmacro inner\n"
                  "\tbogus\n"
                  "\tendm\n"
                  "\tmacro outer\n"
                  "\tinner\n"
                  "\tendm\n"
                  "start:\touter\n"
                  "\tinclude \"my defs.inc\"\n"
                  "\tmov a,100h\n"
                  "\torg 10h\n"
                  "\torg 0\n"
                  "\tbogus\n");
}

// Checks one physical location: a file and a place in it.
void expectPhysicalLocation(const Json& location) {
  EXPECT_FALSE(location.at("artifactLocation").at("uri").get<std::string>().empty());
  EXPECT_GE(location.at("region").at("startLine").get<int>(), 1);
  EXPECT_GE(location.at("region").at("startColumn").get<int>(), 1);
}

TEST(SarifLog, EveryResultNamesACatalogueRuleTheLogDescribes) {
  test::ScopedTempDir dir;
  writeManyReports();
  test::RunResult r = test::runZelasInProcess({"--sarif", "prog.sarif", "prog"});
  Json log = Json::parse(test::readFile("prog.sarif"));
  EXPECT_EQ(log.at("version"), "2.1.0");
  ASSERT_EQ(log.at("runs").size(), 1u);
  const Json& run = log.at("runs")[0];
  EXPECT_EQ(run.at("tool").at("driver").at("name"), "zelas");
  const Json& rules = run.at("tool").at("driver").at("rules");
  const Json& results = run.at("results");
  std::vector<std::string_view> catalogue = allRuleIds();
  for (const Json& rule : rules) {
    std::string id = rule.at("id");
    EXPECT_NE(std::find(catalogue.begin(), catalogue.end(), id), catalogue.end()) << id;
  }
  int warnings = 0;
  for (const Json& result : results) {
    std::size_t index = result.at("ruleIndex");
    ASSERT_LT(index, rules.size());
    EXPECT_EQ(rules[index].at("id"), result.at("ruleId"));
    EXPECT_EQ(rules[index].at("defaultConfiguration").at("level"), result.at("level"));
    warnings += result.at("level") == "warning";
    EXPECT_FALSE(result.at("message").at("text").get<std::string>().empty());
    ASSERT_EQ(result.at("locations").size(), 1u);
    expectPhysicalLocation(result.at("locations")[0].at("physicalLocation"));
    int id = 0;
    for (const Json& related : result.value("relatedLocations", Json::array())) {
      EXPECT_EQ(related.at("id"), ++id);
      expectPhysicalLocation(related.at("physicalLocation"));
    }
  }
  EXPECT_EQ(warnings, r.status);  // every warning shown is in the log
  ASSERT_EQ(results.size(), 5u);
  // The nested expansion: the fault in inner's body, invoked from outer's, invoked on line 7.
  EXPECT_EQ(results[0].at("relatedLocations").size(), 2u);
  EXPECT_EQ(results[1].at("locations")[0].at("physicalLocation").at("artifactLocation").at("uri"),
            "my%20defs.inc");
  EXPECT_EQ(results[2].at("ruleId"), "dataOutOfRange");
  EXPECT_EQ(results[2].at("properties").at("minor"), true);
  EXPECT_EQ(results[3].at("level"), "error");
}

TEST(SarifLog, WrittenForARunThatStopsWithTheStopMarkedFatal) {
  test::ScopedTempDir dir;
  test::writeFile("prog.asm", "\tnop\n\tmacro open\n");
  test::RunResult r = test::runZelasInProcess({"--sarif=prog.sarif", "prog"});
  EXPECT_EQ(r.status, 1);
  Json log = Json::parse(test::readFile("prog.sarif"));
  const Json& results = log.at("runs")[0].at("results");
  ASSERT_EQ(results.size(), 1u);
  EXPECT_EQ(results[0].at("ruleId"), "eofInMacroBody");
  EXPECT_EQ(results[0].at("level"), "error");
  EXPECT_EQ(results[0].at("properties").at("fatal"), true);
}

TEST(SarifLog, ALogThatCannotBeWrittenFailsTheRun) {
  test::ScopedTempDir dir;
  test::writeFile("prog.asm", "\tnop\n");
  test::RunResult r = test::runZelasInProcess({"--sarif=no/such/folder/prog.sarif", "prog"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "\nError : Unable to create 'no/such/folder/prog.sarif'\n");
}

TEST(SarifLog, NeverWrittenOverTheSource) {
  test::ScopedTempDir dir;
  test::writeFile("prog.asm", "\tbogus\n");
  test::RunResult r = test::runZelasInProcess({"--sarif=./prog.asm", "prog"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "\nError : Output './prog.asm' is 'prog.asm', which this run reads; nothing "
            "written\n");
  EXPECT_EQ(test::readFile("prog.asm"), "\tbogus\n");
}

TEST(SarifLog, LeavesTheOtherOutputsAsTheyWere) {
  test::Assembly plain = test::assembleSource(kFaultySource);
  test::Assembly logged = test::assembleSource(kFaultySource, {"--sarif=prog.sarif"});
  EXPECT_EQ(logged.run.status, plain.run.status);
  EXPECT_EQ(logged.run.out, plain.run.out);
  EXPECT_EQ(logged.run.err, plain.run.err);
  EXPECT_EQ(logged.lst, plain.lst);
  EXPECT_EQ(logged.rom, plain.rom);
  EXPECT_EQ(logged.hex, plain.hex);
}

TEST(SarifLog, FileUrisEncodeWhatAUriCannotHold) {
  EXPECT_EQ(fileUri("prog.asm"), "prog.asm");
  EXPECT_EQ(fileUri("inc/my defs.inc"), "inc/my%20defs.inc");
  EXPECT_EQ(fileUri("../a#b%c.inc"), "../a%23b%25c.inc");
  EXPECT_EQ(fileUri("/abs/d\xC3\xA9j\xC3\xA0.asm"), "file:///abs/d%C3%A9j%C3%A0.asm");
}

}  // namespace
}  // namespace zelas
