// Text read with either line end: sources, included files, the configuration file and the
// images zelas-dis reads give the same results with CR LF as with LF, whichever platform wrote
// them.
#include <gtest/gtest.h>

#include <cstdio>

#include "core/memory_file_system.h"
#include "disasm/disassembler.h"
#include "disasm/image_reader.h"
#include "support/test_support.h"

namespace zelas::test {
namespace {

std::string withCrLf(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

using Inputs = std::vector<std::pair<std::string, std::string>>;

// Every output of one in-memory run: console streams, status and the files left.
struct Outputs {
  RunResult run;
  std::string lst, rom, hex, deps;
};

Outputs assemble(const Inputs& inputs, bool crLf, const std::vector<std::string>& args) {
  MemoryFileSystem files;
  for (const auto& [name, text] : inputs) files.addFile(name, crLf ? withCrLf(text) : text);
  Outputs o;
  o.run = runZelasInProcess(files, args);
  o.lst = files.contents("prog.lst").value_or("<none>");
  o.rom = files.contents("prog.rom").value_or("<none>");
  o.hex = files.contents("prog.hex").value_or("<none>");
  o.deps = files.contents("prog.d").value_or("<none>");
  return o;
}

void expectSameOutputs(const Inputs& inputs, const std::vector<std::string>& args) {
  Outputs lf = assemble(inputs, false, args);
  Outputs crLf = assemble(inputs, true, args);
  EXPECT_EQ(lf.run.status, crLf.run.status);
  EXPECT_EQ(lf.run.out, crLf.run.out);
  EXPECT_EQ(lf.run.err, crLf.run.err);
  EXPECT_EQ(lf.lst, crLf.lst);
  EXPECT_EQ(lf.rom, crLf.rom);
  EXPECT_EQ(lf.hex, crLf.hex);
  EXPECT_EQ(lf.deps, crLf.deps);
  // The outputs themselves keep the one line end of the format.
  EXPECT_EQ(crLf.lst.find('\r'), std::string::npos);
  EXPECT_EQ(crLf.hex.find('\r'), std::string::npos);
}

TEST(LineEnds, CrLfExamplesAssembleLikeLfOnes) {
  for (const char* name : {"blink", "counter", "hello", "thermostat"}) {
    SCOPED_TRACE(name);
    Inputs inputs{{"prog.asm", readFile(std::string(ZELAS_EXAMPLES) + "/" + name + ".asm")},
                  {"blink_io.inc", readFile(std::string(ZELAS_EXAMPLES) + "/blink_io.inc")},
                  {"inc/ports.inc", readFile(std::string(ZELAS_EXAMPLES) + "/inc/ports.inc")}};
    // As the examples' Makefile runs them.
    std::vector<std::string> args{"--include-path=inc", "--diagnostics=gnu", "--deps=prog.d",
                                  "prog"};
    Outputs lf = assemble(inputs, false, args);
    ASSERT_NE(lf.hex, "<none>") << lf.run.err;
    expectSameOutputs(inputs, args);
  }
}

// The line text shown in a report must not carry the carriage return: it would move the
// terminal's cursor back over the message.
TEST(LineEnds, ReportsShowTheLineWithoutItsCarriageReturn) {
  Inputs inputs{{"prog.asm",
                 "\tinclude \"part.inc\"\n"
                 "\tdb 1,\n"
                 "label:\tmov a,300 ; too big\n"
                 "\tmacro two x\n\tdb x,x\n\tendm\n"
                 "\ttwo 5\n"
                 "\tdb \"text\" ; a string\n"
                 "\tnop"},  // no line end after the last line
                {"part.inc", "\tundefined_mnemonic\n\tdw 1234h\n"},
                {"zelas.cfg", "tab 4\nfillrom FF\nfillrom 0FFh\n; comment\n"}};
  Outputs crLf = assemble(inputs, true, {"prog"});
  EXPECT_EQ(crLf.run.err.find('\r'), std::string::npos) << crLf.run.err;
  EXPECT_NE(crLf.run.err.find("'fillrom FF'"), std::string::npos) << crLf.run.err;
  expectSameOutputs(inputs, {"prog"});
}

TEST(LineEnds, ConfigurationFileReadAlikeWithEitherLineEnd) {
  Inputs inputs{{"prog.asm", "\tnop\n\torg 10h\n\tnop\n"},
                {"my.cfg", "TAB 3 ; three\nfillrom 7\n"}};
  Outputs crLf = assemble(inputs, true, {"-c", "my.cfg", "prog"});
  EXPECT_NE(crLf.rom.find("07 07"), std::string::npos) << crLf.rom;
  expectSameOutputs(inputs, {"-c", "my.cfg", "prog"});
}

// zelas-dis run in-process; its output file (or standard output) and its console.
struct DisRun {
  RunResult run;
  std::string source;
};

DisRun disassemble(const std::string& imageName, const std::string& image) {
  MemoryFileSystem files;
  files.addFile(imageName, image);
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  DisRun d;
  d.run.status = dis::runDisassembler({"-o", "out.asm", imageName}, out, err, files);
  d.run.out = readStream(out);
  d.run.err = readStream(err);
  std::fclose(out);
  std::fclose(err);
  d.source = files.contents("out.asm").value_or("<none>");
  return d;
}

TEST(LineEnds, DisassemblerReadsCrLfImagesLikeLfOnes) {
  Inputs inputs{{"prog.asm", readFile(std::string(ZELAS_EXAMPLES) + "/thermostat.asm")}};
  Outputs o = assemble(inputs, false, {"prog"});
  ASSERT_EQ(o.run.status, 0) << o.run.err;
  for (const auto& [name, image] : {std::pair{"prog.hex", o.hex}, std::pair{"prog.rom", o.rom}}) {
    SCOPED_TRACE(name);
    DisRun lf = disassemble(name, image);
    DisRun crLf = disassemble(name, withCrLf(image));
    EXPECT_EQ(lf.run.status, 0) << lf.run.err;
    EXPECT_EQ(crLf.run.status, lf.run.status);
    EXPECT_EQ(crLf.run.err, lf.run.err);
    EXPECT_EQ(crLf.source, lf.source);
    EXPECT_NE(lf.source, "<none>");
  }
  // A fault is reported at the same line whichever line end the image has.
  std::string bad = ":0100000042BD\n:0100010042BD\n:00000001FF\n";
  dis::ImageLimit limit{0x800, false, "PX101"};
  EXPECT_EQ(dis::readIntelHex(withCrLf(bad), "bad.hex", limit).error,
            dis::readIntelHex(bad, "bad.hex", limit).error);
  EXPECT_NE(dis::readIntelHex(bad, "bad.hex", limit).error, "");
}

}  // namespace
}  // namespace zelas::test
