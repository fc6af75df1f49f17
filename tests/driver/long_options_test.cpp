// The long options on their own: parsing, the --help and --version texts, the errors for bad
// ones, and the make-rule text that --deps writes.
#include "driver/long_options.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "core/memory_file_system.h"
#include "driver/dependencies.h"
#include "support/test_support.h"

namespace zelas {
namespace {

// Parses args as one command line would, returning the captured standard error text.
struct Parsed {
  bool ok = true;
  LongOptions options;
  std::string err;
  std::size_t next = 0;
};

Parsed parse(const std::vector<std::string>& args) {
  Parsed p;
  std::FILE* err = std::tmpfile();
  std::size_t i = 0;
  for (; i < args.size() && p.ok; ++i) p.ok = takeLongOption(args, i, p.options, err);
  p.next = i;
  p.err = test::readStream(err);
  std::fclose(err);
  return p;
}

TEST(LongOptions, TakesValuesAfterAnEqualsSignOrAsTheNextArgument) {
  Parsed p = parse({"--deps=a.d", "--symbols", "a.sym", "--include-path=x", "--include-path", "y",
                    "--diagnostics=gnu"});
  ASSERT_TRUE(p.ok) << p.err;
  EXPECT_EQ(*p.options.depsFile, "a.d");
  EXPECT_EQ(*p.options.symbolsFile, "a.sym");
  EXPECT_EQ(p.options.includePath, (std::vector<std::string>{"x", "y"}));
  EXPECT_EQ(p.options.diagnostics, DiagnosticStyle::gnu);
  EXPECT_EQ(p.next, 7u);  // the separate values were consumed
}

TEST(LongOptions, ReportsUnknownOptionsAndBadValues) {
  EXPECT_EQ(parse({"--foo"}).err, "\nError : unknown option '--foo'\n");
  EXPECT_EQ(parse({"--foo=1"}).err, "\nError : unknown option '--foo'\n");
  EXPECT_EQ(parse({"--Help"}).err, "\nError : unknown option '--Help'\n");
  EXPECT_EQ(parse({"--deps"}).err, "\nError : option '--deps' requires a value\n");
  EXPECT_EQ(parse({"--deps="}).err, "\nError : invalid value '' for option '--deps'\n");
  EXPECT_EQ(parse({"--diagnostics=GNU"}).err,
            "\nError : invalid value 'GNU' for option '--diagnostics'\n");
  EXPECT_EQ(parse({"--help=yes"}).err, "\nError : invalid value 'yes' for option '--help'\n");
  EXPECT_EQ(parse({"--color=yes"}).err, "\nError : invalid value 'yes' for option '--color'\n");
  EXPECT_EQ(parse({"--color="}).err, "\nError : invalid value '' for option '--color'\n");
  EXPECT_EQ(parse({"--list-products=1"}).err,
            "\nError : invalid value '1' for option '--list-products'\n");
  EXPECT_FALSE(parse({"--version=2"}).ok);
}

TEST(LongOptions, ColorTakesAutoAlwaysOrNeverAndIsOffWithoutTheOption) {
  EXPECT_EQ(parse({}).options.color, ColorMode::never);
  EXPECT_EQ(parse({"--color=auto"}).options.color, ColorMode::automatic);
  EXPECT_EQ(parse({"--color", "always"}).options.color, ColorMode::always);
  EXPECT_EQ(parse({"--color=always", "--color=never"}).options.color, ColorMode::never);
  EXPECT_TRUE(parse({"--list-products"}).options.listProducts);
}

TEST(LongOptions, RecognisesOnlyDoubleDashNames) {
  EXPECT_TRUE(isLongOption("--help"));
  EXPECT_FALSE(isLongOption("--"));  // a bare "--" stays an ignored option, as it always was
  EXPECT_FALSE(isLongOption("-help"));
  EXPECT_FALSE(isLongOption("prog"));
}

TEST(MakeRules, EscapesWhatMakeWouldSplitOrExpand) {
  EXPECT_EQ(escapeForMake("plain/name.inc"), "plain/name.inc");
  EXPECT_EQ(escapeForMake("my file.inc"), "my\\ file.inc");
  EXPECT_EQ(escapeForMake("tab\there"), "tab\\\there");
  EXPECT_EQ(escapeForMake("a#b"), "a\\#b");
  EXPECT_EQ(escapeForMake("cost$"), "cost$$");
  // A backslash in front of an escaped blank is doubled, so it stays a backslash for make.
  EXPECT_EQ(escapeForMake("dir\\ x"), "dir\\\\\\ x");
  EXPECT_EQ(escapeForMake("dir\\x"), "dir\\x");
}

TEST(MakeRules, ListsEveryPrerequisiteAndAnEmptyRuleForAllButTheSource) {
  EXPECT_EQ(dependencyRules({"p.lst", "p.rom"}, {"p.asm", "a b.inc", "zelas.cfg"}),
            "p.lst p.rom: p.asm a\\ b.inc zelas.cfg\n"
            "\n"
            "a\\ b.inc:\n"
            "\n"
            "zelas.cfg:\n");
  EXPECT_EQ(dependencyRules({"p.lst"}, {"p.asm"}), "p.lst: p.asm\n");
}

// ':' ends the targets wherever it stands; '%' makes a target a pattern, but is itself in a
// prerequisite, where make would keep a backslash in front of it.
TEST(MakeRules, EscapesColonsAndThePercentOfTargetsOnly) {
  EXPECT_EQ(escapeForMake("c:d.inc"), "c\\:d.inc");
  EXPECT_EQ(escapeForMake("e%f.inc"), "e%f.inc");
  EXPECT_EQ(escapeForMake("e%f.inc", MakeRole::target), "e\\%f.inc");
  EXPECT_EQ(escapeForMake("o\\:p", MakeRole::target), "o\\\\\\:p");
  EXPECT_EQ(dependencyRules({"p%.lst"}, {"p.asm", "x%:y.inc"}),
            "p\\%.lst: p.asm x%\\:y.inc\n"
            "\n"
            "x\\%\\:y.inc:\n");
}

TEST(MakeRules, LeavesOutWhatMakeCannotName) {
  EXPECT_FALSE(makeCanName("a;b.inc"));
  EXPECT_FALSE(makeCanName("line\nend.inc"));
  EXPECT_FALSE(makeCanName("ends\\"));
  EXPECT_FALSE(makeCanName(""));
  EXPECT_TRUE(makeCanName("a\\b:c#d$e%f g"));
  std::vector<std::string> leftOut;
  EXPECT_EQ(dependencyRules({"p.lst"}, {"p.asm", "a;b.inc", "c.inc"}, &leftOut),
            "p.lst: p.asm c.inc\n"
            "\n"
            "c.inc:\n");
  EXPECT_EQ(leftOut, std::vector<std::string>{"a;b.inc"});
}

TEST(MakeRules, FileSetKeepsFirstUseOrderWithoutRepeats) {
  FileSet files;
  for (const char* name : {"main.asm", "b.inc", "a.inc", "b.inc", "main.asm"}) files.add(name);
  EXPECT_EQ(files.names(), (std::vector<std::string>{"main.asm", "b.inc", "a.inc"}));
}

TEST(MakeRules, WriteTextFileFailsWhereNothingCanBeCreated) {
  MemoryFileSystem files;
  EXPECT_TRUE(writeTextFile(files, "ok.txt", "x\n"));
  EXPECT_EQ(files.contents("ok.txt"), "x\n");
  files.faults("missing-folder/x.d").createFails = true;
  EXPECT_FALSE(writeTextFile(files, "missing-folder/x.d", "x\n"));
  files.addSpecial("folder");
  EXPECT_FALSE(writeTextFile(files, "folder", "x\n"));  // a folder
  EXPECT_TRUE(files.exists("folder"));
  // The disk is full: the write fails, and the old file of the name goes too.
  files.addFile("full.d", "old rule\n");
  files.faults("full.d").writeFailsAfter = 1;
  EXPECT_FALSE(writeTextFile(files, "full.d", "x\n"));
  EXPECT_FALSE(files.exists("full.d"));
  files.addFile("unsaved.d", "old rule\n");
  files.faults("unsaved.d").commitFails = true;
  EXPECT_FALSE(writeTextFile(files, "unsaved.d", "x\n"));
  EXPECT_FALSE(files.exists("unsaved.d"));
  EXPECT_EQ(files.openOutputs(), 0);
}

TEST(HelpAndVersion, PrintOnStandardOutputExitZeroAndTouchNothing) {
  MemoryFileSystem files;
  test::RunResult help = test::runZelasInProcess(files, {"--help", "prog"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.err, "");
  for (const char* option : {"\n  -b ", "\n  -cFILE", "\n  -dSYMBOL", "\n  -e ", "\n  -pPRODUCT",
                             "\n  -tN", "\n  --deps=FILE", "\n  --diagnostics=STYLE",
                             "\n  --include-path=DIR", "\n  --symbols=FILE", "\n  --color=WHEN",
                             "\n  --list-products ", "\n  --help ", "\n  --version "}) {
    EXPECT_NE(help.out.find(option), std::string::npos) << option;
  }
  test::RunResult version = test::runZelasInProcess(files, {"prog", "--version"});
  EXPECT_EQ(version.status, 0);
  // The first line is what scripts read; the licence follows it.
  EXPECT_EQ(version.out,
            "zelas 1.94\n"
            "Copyright (c) 2026 The zelas developers\n"
            "MIT License: free to use, copy, modify and distribute, without warranty; see "
            "LICENSE.\n");
  EXPECT_EQ(version.err, "");
  EXPECT_TRUE(files.names().empty());  // no listing, nothing else
}

TEST(HelpAndVersion, UnknownLongOptionStopsBeforeAnyFileIsTouched) {
  MemoryFileSystem files;
  files.addFile("prog.asm", "\tnop\n");
  test::RunResult r = test::runZelasInProcess(files, {"prog", "--foo"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "\nError : unknown option '--foo'\n");
  EXPECT_FALSE(files.exists("prog.lst"));
}

}  // namespace
}  // namespace zelas
