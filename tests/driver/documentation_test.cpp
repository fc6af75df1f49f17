// The documents against the program: every option named in --help, the manual page and the
// README's option tables alike, and the product list of both documents as --list-products prints
// it from the product table.
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/test_support.h"
#include "target/product.h"

namespace zelas::test {
namespace {

const std::string kSourceDir = ZELAS_SOURCE_DIR;

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// "-c" of "-cFILE, -c FILE" and "--deps" of "--deps=FILE`": the option's name at the start of
// text, or "" when text starts with no option.
std::string optionName(const std::string& text) {
  if (text.size() < 2 || text[0] != '-') return "";
  if (text[1] != '-') return text.substr(0, 2);
  std::size_t end = text.find_first_of("= `", 2);
  return text.substr(0, end);
}

// The help lists an option per line, indented by two blanks.
std::set<std::string> helpOptions() {
  std::set<std::string> names;
  for (const std::string& line : linesOf(runZelasInProcess({"--help"}).out)) {
    if (line.starts_with("  -")) names.insert(optionName(line.substr(2)));
  }
  return names;
}

// The manual page gives each option as the tag line after .TP (".B \-b", ".BI \-\-deps= file").
std::set<std::string> manualOptions() {
  std::set<std::string> names;
  std::vector<std::string> lines = linesOf(readFile(kSourceDir + "/doc/zelas.1"));
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    if (lines[i] != ".TP") continue;
    std::string tag = lines[i + 1];
    tag = tag.substr(tag.find(' ') + 1);
    for (std::size_t at = tag.find("\\-"); at != std::string::npos; at = tag.find("\\-", at)) {
      tag.erase(at, 1);
    }
    if (!optionName(tag).empty()) names.insert(optionName(tag));
  }
  return names;
}

// The README's option tables: rows whose first cell starts with `-.
std::set<std::string> readmeOptions() {
  std::set<std::string> names;
  for (const std::string& line : linesOf(readFile(kSourceDir + "/README.md"))) {
    if (line.starts_with("| `-")) names.insert(optionName(line.substr(3)));
  }
  return names;
}

TEST(Documentation, HelpManualPageAndReadmeNameTheSameOptions) {
  std::set<std::string> help = helpOptions();
  // A sample of what each must hold, so that a parser that finds nothing fails too.
  for (const char* name : {"-b", "-c", "-t", "--deps", "--color", "--list-products", "--help"}) {
    EXPECT_EQ(help.count(name), 1u) << name;
  }
  EXPECT_EQ(manualOptions(), help);
  EXPECT_EQ(readmeOptions(), help);
}

// The lines of the block in text that starts after the line opening and ends before closing.
std::vector<std::string> blockAfter(const std::string& text, const std::string& heading,
                                    const std::string& opening, const std::string& closing) {
  std::vector<std::string> lines = linesOf(text);
  std::vector<std::string> block;
  std::size_t i = 0;
  while (i < lines.size() && lines[i] != heading) ++i;
  while (i < lines.size() && lines[i] != opening) ++i;
  for (++i; i < lines.size() && lines[i] != closing; ++i) block.push_back(lines[i]);
  return block;
}

TEST(Documentation, ProductListsAreWhatListProductsPrints) {
  std::vector<std::string> printed = linesOf(runZelasInProcess({"--list-products"}).out);
  ASSERT_EQ(printed.size(), productTable().size());
  EXPECT_EQ(blockAfter(readFile(kSourceDir + "/README.md"), "## Products", "```text", "```"),
            printed);
  EXPECT_EQ(blockAfter(readFile(kSourceDir + "/doc/zelas.1"), ".SH PRODUCTS", ".nf", ".fi"),
            printed);
}

TEST(ListProducts, OneLinePerRowInTheTablesOrderAndNothingAssembled) {
  ScopedTempDir dir;
  writeFile("prog.asm", "\tnop\n");
  RunResult r = runZelasInProcess({"prog", "--list-products"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_FALSE(fileExists("prog.lst"));
  std::vector<std::string> lines = linesOf(r.out);
  ASSERT_EQ(lines.size(), 40u);
  EXPECT_EQ(lines[0], "PX101  family A  RAM 00h..7Fh           ROM 0800h");
  EXPECT_EQ(lines[6], "PX107  family B  RAM 00h..FFh           ROM 1000h");
  EXPECT_EQ(lines[26], "PX115  family B  RAM 00h..FFh           ROM 1FE0h");  // the repeated row
  EXPECT_EQ(lines[39], "PX138  family B  RAM 00h..4Fh,F0h..FFh  ROM 0BE0h");
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_TRUE(lines[i].starts_with(productTable()[i].id)) << lines[i];
  }
}

}  // namespace
}  // namespace zelas::test
