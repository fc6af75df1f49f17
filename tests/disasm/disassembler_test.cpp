// The source the disassembler writes: labels, data, gaps, and the page rule's fillers.
#include "disasm/disassembler.h"

#include <gtest/gtest.h>

#include "disasm/roundtrip_support.h"
#include "support/test_support.h"

namespace zelas::dis {
namespace {

std::string disassemble(const std::vector<std::uint8_t>& image, std::string_view productId,
                        bool cpuLine, const std::string& name = "") {
  DisassemblyOptions options;
  options.product = findProduct(productId);
  options.writeCpuLine = cpuLine;
  options.imageName = name;
  return disassembleImage(image, options);
}

// The source, and that zelas makes the same image of it.
std::string roundTrip(const std::vector<std::uint8_t>& image, std::string_view productId) {
  test::ScopedTempDir dir;
  test::RoundTrip trip = test::roundTripImage(image, *findProduct(productId), false, dir.path());
  EXPECT_TRUE(trip.same) << "differs at " << test::firstDifference(image, trip.reassembled) << "\n"
                         << trip.report << trip.source;
  return trip.source;
}

TEST(Disassembler, WritesHeaderLabelsAndListingComments) {
  std::vector<std::uint8_t> image = {0x19, 0x12, 0x90, 0x06, 0x80, 0x00, 0x3F};
  EXPECT_EQ(disassemble(image, "PX101", false, "t.rom"),
            "; Disassembly of t.rom by zelas-dis\n"
            "; Product PX101, CPU family A, ROM 0800h bytes\n"
            "; Image 0007h bytes, checksum 0180\n"
            "; Bytes no code path reaches are db; runs of 00h fill bytes are org gaps.\n"
            "L_0000: mov     a,12h                   ; 0000  19 12\n"
            "        call    L_0006                  ; 0002  90 06\n"
            "        jmp     L_0000                  ; 0004  80 00\n"
            "L_0006: ret                             ; 0006  3F\n");
}

// jz goes on and to its target; index labels its table without reading it as code; jmp ends
// the path; a run of fill bytes becomes a gap, also at the end of the image.
TEST(Disassembler, WalksTheCodeAndWritesTheRestAsDataAndGaps) {
  std::vector<std::uint8_t> image(0x40, 0);
  const std::uint8_t code[] = {0xA0, 0x06, 0xF0, 0x20, 0x80, 0x00, 0x73, 0x42};
  std::copy(std::begin(code), std::end(code), image.begin());
  image[0x20] = 1;
  image[0x21] = 2;
  image[0x22] = 3;
  EXPECT_EQ(disassemble(image, "PX107", true),
            "; Disassembly of image by zelas-dis\n"
            "; Product PX107, CPU family B, ROM 1000h bytes\n"
            "; Image 0040h bytes, checksum 02F1\n"
            "; Bytes no code path reaches are db; runs of 00h fill bytes are org gaps.\n"
            "        cpu     PX107\n"
            "L_0000: jz      L_0006                  ; 0000  A0 06\n"
            "        index   L_0020                  ; 0002  F0 20\n"
            "        jmp     L_0000                  ; 0004  80 00\n"
            "L_0006: reti                            ; 0006  73\n"
            "        db      42h                     ; 0007  42\n"
            "        org     0020h                   ; 0008  0018h bytes 00h\n"
            "L_0020: db      01h,02h,03h             ; 0020  01 02 03\n"
            "        org     0040h                   ; 0023  001Dh bytes 00h\n");
  roundTrip(image, "PX107");
}

// A jacc table is its run of jmp instructions, each entry followed; the run ends at the first
// other instruction.
TEST(Disassembler, ReadsTheJumpTableOfAJacc) {
  std::vector<std::uint8_t> image = {0xE0, 0x04, 0x00, 0x00, 0x80, 0x08,
                                     0x80, 0x0A, 0x3F, 0x00, 0x2D, 0x3F};
  std::string source = disassemble(image, "PX101", false);
  EXPECT_EQ(source.substr(source.find("        jacc")),
            "        jacc    L_0004                  ; 0000  E0 04\n"
            "        db      00h,00h                 ; 0002  00 00\n"
            "L_0004: jmp     L_0008                  ; 0004  80 08\n"
            "        jmp     L_000A                  ; 0006  80 0A\n"
            "L_0008: ret                             ; 0008  3F\n"
            "        db      00h                     ; 0009  00\n"
            "L_000A: push    a                       ; 000A  2D\n"
            "        ret                             ; 000B  3F\n");
  roundTrip(image, "PX101");
}

TEST(Disassembler, FormsOfOtherFamiliesAndCutInstructionsAreData) {
  // mov x,a (41h) is family B only; ipret (1Eh) family A only; 19h lacks its operand.
  EXPECT_NE(disassemble({0x20, 0x41, 0x3F}, "PX101", false).find("db      41h,3Fh"),
            std::string::npos);
  EXPECT_NE(disassemble({0x1E, 0x05}, "PX107", false).find("db      1Eh,05h"), std::string::npos);
  EXPECT_NE(disassemble({0x1E, 0x05}, "PX101", false).find("ipret   05h"), std::string::npos);
  EXPECT_NE(disassemble({0x20, 0x19}, "PX101", false).find("db      19h"), std::string::npos);
}

// A jump into the middle of an instruction has no line to carry its label: the operand is the
// address itself.
TEST(Disassembler, TargetsInsideAnInstructionStayNumbers) {
  std::string source = roundTrip({0x19, 0x80, 0x80, 0x01, 0x3F}, "PX101");
  EXPECT_NE(source.find("jmp     0001h"), std::string::npos) << source;
  EXPECT_EQ(source.find("L_0001"), std::string::npos) << source;
}

// Code laid out by the page rule: the NOP and XPAGE before the two-byte instruction at 100h and
// the XPAGE before the one-byte instruction at 200h are left to the assembler.
TEST(Disassembler, LeavesThePageFillersToTheAssembler) {
  std::vector<std::uint8_t> image(0x202, 0x20);  // nop all the way
  image[0xFE] = 0x20;
  image[0xFF] = 0x1F;
  image[0x100] = 0x19;  // mov a,12h
  image[0x101] = 0x12;
  image[0x1FF] = 0x1F;
  image[0x200] = 0x2D;  // push a
  image[0x201] = 0x3F;  // ret
  std::string source = roundTrip(image, "PX101");
  EXPECT_NE(source.find("        nop                             ; 00FD  20\n"
                        "; 00FE  20 1F  page fillers, inserted by the assembler\n"
                        "        mov     a,12h                   ; 0100  19 12\n"),
            std::string::npos)
      << source;
  EXPECT_NE(source.find("; 01FF  1F  page fillers, inserted by the assembler\n"
                        "        push    a                       ; 0200  2D\n"),
            std::string::npos)
      << source;
  EXPECT_EQ(source.find("xpage"), std::string::npos) << source;
}

// Bytes the page rule would move are written with page handling off: a two-byte instruction
// over a page end, an XPAGE that ends the code, a NOP/XPAGE pair before a one-byte instruction
// (only the XPAGE is a filler then).
TEST(Disassembler, WritesPageCrossingsWithPageHandlingOff) {
  std::vector<std::uint8_t> image(0x300, 0x20);
  image[0xFF] = 0x19;  // mov a,12h across 100h
  image[0x100] = 0x12;
  image[0x1FE] = 0x20;
  image[0x1FF] = 0x1F;
  image[0x200] = 0x2D;  // one-byte: the NOP at 1FEh is real
  image[0x2FF] = 0x1F;  // the last byte: an XPAGE that nothing follows
  std::string source = roundTrip(image, "PX101");
  EXPECT_NE(source.find("        xpageoff\n"
                        "        mov     a,12h                   ; 00FF  19 12\n"
                        "        xpageon\n"),
            std::string::npos)
      << source;
  EXPECT_NE(source.find("        nop                             ; 01FE  20\n"
                        "; 01FF  1F  page fillers, inserted by the assembler\n"),
            std::string::npos)
      << source;
  EXPECT_NE(source.find("        xpageoff\n"
                        "        xpage                           ; 02FF  1F\n"
                        "        xpageon\n"),
            std::string::npos)
      << source;
}

// The assembler tests a jump's block with the address before the fillers, so fillers at the end
// of the lower block before a jump stay written out; a label on a removed filler stands alone.
TEST(Disassembler, KeepsFillersBeforeAJumpAtTheUpperBlockAndLabelsRemovedOnes) {
  std::vector<std::uint8_t> image(0x1004, 0);
  image[0] = 0x8F;  // jmp L_0FFE
  image[1] = 0xFE;
  image[0xFFE] = 0x20;
  image[0xFFF] = 0x1F;
  image[0x1000] = 0x80;  // jmp L_1002 (upper block)
  image[0x1001] = 0x02;
  image[0x1002] = 0x3F;
  image[0x1003] = 0x00;
  std::string source = roundTrip(image, "PX109");
  EXPECT_NE(source.find("L_0FFE: nop"), std::string::npos) << source;
  EXPECT_NE(source.find("        jmp     L_1002"), std::string::npos) << source;

  std::vector<std::uint8_t> page(0x104, 0);
  page[0] = 0x80;  // jmp L_00FF, an XPAGE before push a
  page[1] = 0xFF;
  page[0xFF] = 0x1F;
  page[0x100] = 0x2D;
  page[0x101] = 0x3F;
  source = roundTrip(page, "PX101");
  EXPECT_NE(source.find("L_00FF:                                 ; 00FF  1F  page fillers"),
            std::string::npos)
      << source;
}

// An image of the whole ROM was made with fillrom: its fill byte and its size come back with it.
TEST(Disassembler, WholeRomImagesUseFillrom) {
  std::vector<std::uint8_t> image(0x800, 0xFF);
  image[0] = 0x80;  // jmp L_0400
  image[1] = 0x00;
  image[0x400] = 0x80;  // jmp L_0400 (padding with 0FFh around)
  image[0x401] = 0x00;
  image[0x3F0] = 0x55;
  std::string source = roundTrip(image, "PX101");
  EXPECT_NE(source.find("        fillrom 0FFh                    ; the image is the whole ROM\n"),
            std::string::npos)
      << source;
  EXPECT_NE(source.find("        db      55h"), std::string::npos) << source;
  EXPECT_NE(source.find("; 0402  03FEh bytes 0FFh up to the end of the ROM\n"), std::string::npos)
      << source;
}

TEST(Disassembler, AnEmptyImageIsAnEmptySource) {
  std::string source = roundTrip({}, "PX101");
  EXPECT_NE(source.find("; Image 0000h bytes, checksum 0000\n"), std::string::npos);
  // Nothing but the header and the cpu line: no statement places a byte.
  EXPECT_EQ(source.find("\n        "), source.find("\n        cpu     PX101\n"));
  EXPECT_EQ(source.find("        org"), std::string::npos);
}

}  // namespace
}  // namespace zelas::dis
