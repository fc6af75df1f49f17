// What a run does with hostile or unlucky files: it never writes over a file it reads, never
// builds an image from a text that is not whole or not the same in both passes, and never leaves
// an old image beside a listing that says the run failed. All in memory.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/memory_file_system.h"
#include "support/test_support.h"

namespace zelas::test {
namespace {

constexpr char kSource[] = "\tinclude \"inc.asm\"\n\tnop\n";
constexpr char kInclude[] = "\tmov a,1\n";
constexpr char kNotRegular[] =
    "\nError : Unable to open '%s': not a regular file (a folder, a device or a pipe)\n";

std::string format(const char* fmt, const std::string& name) {
  std::string text(256, '\0');
  text.resize(static_cast<std::size_t>(std::snprintf(text.data(), text.size(), fmt, name.c_str())));
  return text;
}

// A program with an include and the outputs of an earlier good run.
struct Project {
  MemoryFileSystem files;
  Project() {
    files.addFile("prog.asm", kSource);
    files.addFile("inc.asm", kInclude);
    files.addFile("prog.lst", "old listing\n");
    files.addFile("prog.rom", "old rom\n");
    files.addFile("prog.hex", "old hex\n");
  }
  RunResult run(std::vector<std::string> args) {
    args.push_back("prog");
    return runZelasInProcess(files, args);
  }
  std::string text(const std::string& name) const {
    return files.contents(name).value_or("<none>");
  }
  // The source, the include and the earlier outputs, as they were.
  void expectUntouched() const {
    EXPECT_EQ(text("prog.asm"), kSource);
    EXPECT_EQ(text("inc.asm"), kInclude);
    EXPECT_EQ(text("prog.lst"), "old listing\n");
    EXPECT_EQ(text("prog.rom"), "old rom\n");
    EXPECT_EQ(text("prog.hex"), "old hex\n");
    EXPECT_EQ(files.openOutputs(), 0);
  }
};

// Once, --deps=prog.asm replaced the source with a make rule and the run said "Complete!".
TEST(SameFile, AnOutputThatIsAFileTheRunReadsIsRefusedBeforeAnythingIsWritten) {
  struct Case {
    std::vector<std::string> args;
    const char* output;
    const char* input;
  };
  const Case cases[] = {
      {{"--deps=prog.asm"}, "prog.asm", "prog.asm"},
      {{"--symbols=./sub/../prog.asm"}, "./sub/../prog.asm", "prog.asm"},
      {{"--deps=inc.asm"}, "inc.asm", "inc.asm"},  // known only once pass 1 has read it
      {{"-cmy.cfg", "--symbols=my.cfg"}, "my.cfg", "my.cfg"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.output);
    Project p;
    p.files.addFile("my.cfg", "tab 4\n");
    RunResult r = p.run(c.args);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out.find("Complete"), std::string::npos);
    EXPECT_EQ(r.err, "\nError : Output '" + std::string(c.output) + "' is '" + c.input +
                         "', which this run reads; nothing written\n");
    p.expectUntouched();
    EXPECT_EQ(p.text("my.cfg"), "tab 4\n");
  }
}

// A listing or image that is a link to the source: the old code cut the source through it.
TEST(SameFile, AnOutputLinkedToAnInputIsRefused) {
  for (const char* output : {"prog.lst", "prog.rom", "prog.hex"}) {
    Project p;
    p.files.addLink(output, "prog.asm");
    RunResult r = p.run({});
    EXPECT_EQ(r.status, 1) << output;
    EXPECT_EQ(r.err, "\nError : Output '" + std::string(output) +
                         "' is 'prog.asm', which this run reads; nothing written\n");
    EXPECT_EQ(p.text("prog.asm"), kSource);
  }
}

// A file that only pass 2 includes (pass 1 skipped its block) is read all the same: an output
// may not replace it either.
TEST(SameFile, AnInputThatOnlyPassTwoReadsIsProtectedToo) {
  Project p;
  p.files.addFile("late.inc", "; no bytes\n");
  p.files.addFile("prog.asm", "\tif later\n\tinclude \"late.inc\"\n\tendif\nlater:\tequ 1\n");
  RunResult r = p.run({"--symbols=late.inc"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "\nError : Output 'late.inc' is 'late.inc', which this run reads; nothing written\n");
  EXPECT_EQ(p.text("late.inc"), "; no bytes\n");
}

TEST(SameFile, TwoOutputsOfOneNameAreRefused) {
  for (const char* option : {"--symbols=prog.hex", "--symbols=./prog.lst"}) {
    Project p;
    RunResult r = p.run({option, "--deps=x.d"});
    EXPECT_EQ(r.status, 1) << option;
    EXPECT_NE(r.err.find("; nothing written\n"), std::string::npos) << r.err;
    p.expectUntouched();
    EXPECT_FALSE(p.files.exists("x.d"));
  }
  Project p;
  RunResult r = p.run({"--symbols=a.sym", "--deps=./a.sym"});
  EXPECT_EQ(r.err, "\nError : Outputs 'a.sym' and './a.sym' are the same file; nothing written\n");
}

// Once, a read error in the middle of the source was taken as its end: exit 0 and a cut image.
TEST(ReadErrors, AReadErrorStopsTheRunAndNamesTheFile) {
  for (const char* name : {"prog.asm", "inc.asm"}) {
    Project p;
    p.files.faults(name).readFailsAt = 3;
    RunResult r = p.run({});
    EXPECT_EQ(r.status, 1) << name;
    EXPECT_NE(r.err.find("Error : Read error in '" + std::string(name) + "'; Cannot continue.\n"),
              std::string::npos)
        << r.err;
    EXPECT_NE(p.text("prog.lst").find("; Error : Read error in '"), std::string::npos);
    // No image, and none of the earlier run beside the listing that says this one failed.
    EXPECT_FALSE(p.files.exists("prog.rom"));
    EXPECT_FALSE(p.files.exists("prog.hex"));
  }
}

// Once, a file edited between the passes gave an image made of two different texts.
TEST(ReadErrors, AFileChangedBetweenThePassesStopsTheRun) {
  for (const char* changed : {"\tmov a,2\n", "\tmov a,1\n\tnop\n"}) {  // same size, and longer
    Project p;
    int opens = 0;
    p.files.onOpen([&](const std::string& name) {
      if (name == "inc.asm" && ++opens == 2) p.files.addFile("inc.asm", changed);
    });
    RunResult r = p.run({});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Error : 'inc.asm' changed while it was being assembled; Cannot "
                         "continue.\n"),
              std::string::npos)
        << r.err;
    EXPECT_FALSE(p.files.exists("prog.rom"));
  }
}

// Pass 1 skips a block whose condition names a label defined further down; pass 2 reads the
// include in it for the first time, which is no change.
TEST(ReadErrors, AnIncludeReadOnlyByPassTwoIsNoChange) {
  Project p;
  p.files.addFile("inc.asm", "; no bytes, or pass 2 would outgrow the image of pass 1\n");
  p.files.addFile("prog.asm",
                  "\tif later\n\tinclude \"inc.asm\"\n\tendif\n\tinclude \"inc.asm\"\n"
                  "\tnop\nlater:\tequ 1\n");
  RunResult r = p.run({"-b"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(p.text("prog.rom"), "20 \n");
}

TEST(Inputs, WhatIsNoRegularFileIsRefusedBeforeItIsRead) {
  Project p;
  p.files.addSpecial("inc.asm");
  RunResult r = p.run({});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, format(kNotRegular, "inc.asm"));
  Project q;
  q.files.addSpecial("prog.asm");
  r = q.run({});
  EXPECT_EQ(r.err, format(kNotRegular, "prog.asm"));
  // A configuration that is no regular file is not read, as one that is not there.
  Project c;
  c.files.addSpecial("dev.cfg");
  r = c.run({"-cdev.cfg"});
  EXPECT_EQ(r.status, 1);  // the warning
  EXPECT_NE(r.err.find("Unable to open config file, 'dev.cfg'"), std::string::npos) << r.err;
}

// A --symbols or --deps file that can't be written whole is not left, nor an old one.
TEST(Outputs, ARequestedFileThatCannotBeWrittenIsNotLeft) {
  for (const char* name : {"prog.sym", "prog.d"}) {
    Project p;
    p.files.addFile("prog.asm", "start:\tnop\n");  // a label: the symbols file is not empty
    p.files.addFile(name, "old\n");
    p.files.faults(name).writeFailsAfter = 2;
    RunResult r = p.run({"--symbols=prog.sym", "--deps=prog.d"});
    EXPECT_EQ(r.status, 1) << name;
    EXPECT_EQ(r.err, "\nError : Unable to create '" + std::string(name) + "'\n");
    EXPECT_FALSE(p.files.exists(name));
  }
}

TEST(Outputs, AnImageThatCannotBeCommittedIsReportedAndRemoved) {
  Project p;
  p.files.faults("prog.hex").commitFails = true;
  RunResult r = p.run({});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("Error : Unable to write 'prog.hex'"), std::string::npos) << r.err;
  EXPECT_FALSE(p.files.exists("prog.hex"));
  EXPECT_EQ(p.text("prog.rom"), "19 01 20 \n");
}

TEST(Outputs, AListingThatCannotBeWrittenLeavesTheOldOne) {
  Project p;
  p.files.faults("prog.lst").writeFailsAfter = 10;
  RunResult r = p.run({});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "\nError : Unable to create 'prog.lst'\n");
  EXPECT_EQ(p.text("prog.lst"), "old listing\n");
}

}  // namespace
}  // namespace zelas::test
