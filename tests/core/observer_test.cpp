// The observer hooks: what pass 2 tells about code lines, fillers, labels, macros and includes,
// each at the place a reader of the source would point to.
#include "core/observer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/assembler.h"
#include "core/disk_file_system.h"
#include "driver/driver.h"
#include "macro/macro.h"
#include "support/test_support.h"
#include "symbols/label_table.h"

namespace zelas {
namespace {

// Writes each event as one line of text: "what file:line:column[+] details" ("+" inside an
// expansion).
class EventLog final : public AssemblyObserver {
 public:
  std::vector<std::string> events;

  void codeLine(const SourceSpot& s, Value address, const int* bytes, int count,
                int cycles) override {
    char text[64];
    std::snprintf(text, sizeof text, " %04X %02X%s [%d]", address, bytes[0],
                  count == 2 ? " +1" : "", cycles);
    add("code", s, text);
  }
  void fillerInserted(const SourceSpot& s, Value address, int opcode, int,
                      const char* text) override {
    char detail[64];
    std::snprintf(detail, sizeof detail, " %04X %02X %s", address, opcode, text);
    add("filler", s, detail);
  }
  void labelDefined(const SourceSpot& s, const Label& label) override {
    add("define", s, " " + label.name);
  }
  void labelUsed(const SourceSpot& s, const Label& label) override {
    add("use", s, " " + label.name);
  }
  void macroDefined(const SourceSpot& s, const Macro& m) override { add("macro", s, " " + m.name); }
  void macroInvoked(const SourceSpot& s, const Macro& m) override {
    add("invoke", s, " " + m.name);
  }
  void includeNamed(const SourceSpot& s, const std::string& name,
                    const std::string& path) override {
    add("include", s, " " + name + " -> " + path);
  }

 private:
  void add(const char* what, const SourceSpot& s, const std::string& detail) {
    std::string file = s.file != nullptr ? *s.file : "?";
    events.push_back(std::string(what) + " " + file + ":" + std::to_string(s.line) + ":" +
                     std::to_string(s.column) + (s.inExpansion ? "+" : "") + detail);
  }
};

std::vector<std::string> observe(const std::vector<std::string>& args) {
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  EventLog log;
  {
    DiskFileSystem files;
    Assembler as(out, err, files);
    as.observer = &log;
    runZelas(as, args);
  }
  std::fclose(out);
  std::fclose(err);
  return log.events;
}

TEST(AssemblyObserver, ToldOfLabelsAndCodeLinesWithColumnsBehindExpandedTabs) {
  test::ScopedTempDir dir;
  test::writeFile("prog.asm", "start:\tmov a,5\n\tjmp start\nk: equ 3\n\tmov a,k\n");
  EXPECT_EQ(observe({"prog"}), (std::vector<std::string>{
                                   "define prog.asm:1:0 start",
                                   "code prog.asm:1:0 0000 19 +1 [4]",
                                   "use prog.asm:2:12 start",
                                   "code prog.asm:2:0 0002 80 +1 [5]",
                                   "define prog.asm:3:0 k",
                                   "use prog.asm:4:14 k",
                                   "code prog.asm:4:0 0004 19 +1 [4]",
                               }));
}

TEST(AssemblyObserver, ToldOfPageFillersBeforeTheLineTheyPrecede) {
  test::ScopedTempDir dir;
  test::writeFile("prog.asm", "\torg 0FEh\n\tjmp 0\n\tnop\n");
  EXPECT_EQ(observe({"prog"}), (std::vector<std::string>{
                                   "filler prog.asm:2:0 00FE 20 NOP",
                                   "filler prog.asm:2:0 00FF 1F XPAGE",
                                   "code prog.asm:2:0 0100 80 +1 [5]",
                                   "code prog.asm:3:0 0102 20 [4]",
                               }));
}

// Lines replayed by an expansion stand on the invoking line: their text is nowhere in a file.
TEST(AssemblyObserver, ToldOfMacrosWithTheirExpansionsOnTheInvokingLine) {
  test::ScopedTempDir dir;
  test::writeFile("prog.asm", "macro twice x\n\tnop\nhere: nop\nendm\nstart: twice 1\n");
  EXPECT_EQ(observe({"prog"}), (std::vector<std::string>{
                                   "macro prog.asm:1:6 twice",
                                   "define prog.asm:5:0 start",
                                   "invoke prog.asm:5:7 twice",
                                   "code prog.asm:5:0+ 0000 20 [4]",
                                   "define prog.asm:5:0+ here#1",
                                   "code prog.asm:5:0+ 0001 20 [4]",
                               }));
}

TEST(AssemblyObserver, ToldOfIncludeNamesWithThePathLookedFor) {
  test::ScopedTempDir dir;
  std::filesystem::create_directory("inc");
  test::writeFile("inc/defs.inc", "limit: equ 9\n");
  test::writeFile("prog.asm", "\tinclude \"defs.inc\"\n\tmov a,limit\n");
  EXPECT_EQ(observe({"--include-path=inc", "prog"}),
            (std::vector<std::string>{
                "include prog.asm:1:17 defs.inc -> inc/defs.inc",
                "define inc/defs.inc:1:0 limit",
                "use prog.asm:2:14 limit",
                "code prog.asm:2:0 0000 19 +1 [4]",
            }));
}

}  // namespace
}  // namespace zelas
