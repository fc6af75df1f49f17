#include "emit/emit.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <limits>

#include "core/assembler.h"
#include "core/buffers.h"
#include "core/observer.h"
#include "diag/messages.h"
#include "diag/report.h"
#include "emit/listing.h"
#include "target/opcode_map.h"
#include "target/product.h"

namespace zelas {

namespace {

struct Filler {
  const OpcodeRow& row;
  const char* text;  // shown in the listing where a source line shows its mnemonic
};

constexpr Filler kXpageFiller{opcodeRow("xpage", ""), "XPAGE"};
constexpr Filler kNopFiller{opcodeRow("nop", ""), "NOP"};

constexpr Value kPageLastByte = 0xFF;

Value pageOffset(Value address) {
  return address & 0xFF;
}

bool listing(const Assembler& as) {
  return as.pass == 2;
}

// The image was sized by pass 1. A byte at or beyond its end (a negative pc counts as beyond,
// through the unsigned comparison) means pass 2 ran past where pass 1 ended: the run stops
// rather than store outside the image or silently lose a byte of code. One-byte stores name the
// fault "PC > maxPC" unless the address is exactly the image size; two-byte stores always use
// the "PC >= maxPC" text.
void requireInImage(Assembler& as, Value address, bool twoByteStore) {
  unsigned a = toUnsigned(address);
  unsigned size = static_cast<unsigned>(as.romImage.size());
  if (a < size) return;
  if (twoByteStore || a == size) reportFatal(as, msg::pcAtOrBeyondImage, a, size);
  reportFatal(as, msg::pcBeyondImage, a, size);
}

void store(Assembler& as, Value address, Value byte) {
  as.romImage[static_cast<std::size_t>(address)] = lowByte(byte);
}

// "%04X %02X    [%02d]%*s%s\n": the filler's listing line, its text where a source line shows
// its mnemonic (a tab's width and one blank after the cycles). A long program has a filler at
// most page ends, so the line is formatted as a code line is, rather than by printf.
void listFiller(Assembler& as, const Filler& filler) {
  if (as.listFile == nullptr) return;
  std::size_t textLength = std::strlen(filler.text);
  // The tab width is at least 1 once the driver has run.
  if (as.tabWidth >= 0 && static_cast<std::size_t>(as.tabWidth) + textLength <= kMaxLineLength) {
    auto width = static_cast<std::size_t>(as.tabWidth);
    LineBuffer text;
    std::memset(text.data(), ' ', width);
    std::memcpy(text.data() + width, filler.text, textLength + 1);
    const int bytes[1] = {filler.row.opcode};
    listCodeLine(as, as.pc, bytes, 1, filler.row.cycles, text.data());
    return;
  }
  // A tab wider than any line: printf's blanks, however many (the width itself cannot pass the
  // largest int).
  int blanks = as.tabWidth < std::numeric_limits<int>::max() ? as.tabWidth + 1 : as.tabWidth;
  listPrintf(as, "%04X %02X    [%02d]%*s%s\n", as.pc, filler.row.opcode, filler.row.cycles, blanks,
             "", filler.text);
}

// Pass 2 only: one filler byte at pc with its own listing line.
void insertFiller(Assembler& as, const Filler& filler) {
  listFiller(as, filler);
  if (AssemblyObserver* observer = observerOf(as)) {
    observer->fillerInserted(spotAt(as, as.lineStart), as.pc, filler.row.opcode, filler.row.cycles,
                             filler.text);
  }
  requireInImage(as, as.pc, false);
  store(as, as.pc, filler.row.opcode);
  as.pc = wrapAdd(as.pc, 1);
}

// The instruction would start on the page's last byte.
void startsOnLastByte(Assembler& as, int size) {
  if (as.xpageEnabled == 1) {
    if (as.pass == 2) {
      insertFiller(as, kXpageFiller);
      return;
    }
    as.pc = wrapAdd(as.pc, 1);
  } else if (as.xpageEnabled == 0 && as.pass == 2) {
    if (size == 2) {
      reportWarning(as, msg::pageCrossing);
    } else {
      reportMinorWarning(as, msg::pageCrossingXpageOff);
    }
  }
}

// A two-byte instruction would end on the page's last byte, leaving no room for the XPAGE.
void endsOnLastByte(Assembler& as) {
  if (as.xpageEnabled == 1) {
    if (as.pass == 2) {
      insertFiller(as, kNopFiller);
      insertFiller(as, kXpageFiller);
    } else {
      as.pc = wrapAdd(as.pc, 2);
    }
  } else if (as.xpageEnabled == 0 && as.pass == 2) {
    reportMinorWarning(as, msg::pageCrossingXpageOff);
  }
}

}  // namespace

void pageCheck(Assembler& as, int size) {
  Value offset = pageOffset(as.pc);
  if (offset == kPageLastByte) {
    startsOnLastByte(as, size);
  } else if (size == 2 && offset == kPageLastByte - 1) {
    endsOnLastByte(as);
  }
  // A label on the instruction's line names the instruction, after any filler: in pass 2 too,
  // where the label's address is compared with what pass 1 gave it.
  if (as.lineLabel != nullptr) as.lineLabel->value = as.pc;
}

void reserveCode(Assembler& as, int size) {
  pageCheck(as, size);
  as.pc = wrapAdd(as.pc, size);
}

void checkFitsRom(Assembler& as, Value address, std::size_t count) {
  if (!as.romRangeCheck || as.romOverflowReported) return;
  const auto romSize = static_cast<std::size_t>(as.currentProduct->romSize);
  const std::size_t first = toUnsigned(address);
  if (first + count <= romSize) return;
  // Once: every byte after the first one beyond is beyond as well.
  as.romOverflowReported = true;
  reportError(as, msg::romOverflow, static_cast<unsigned>(std::max(first, romSize)),
              static_cast<unsigned>(romSize), toUnsigned(as.maxPC));
}

void emitByte(Assembler& as, Value byte, int cycles) {
  pageCheck(as, 1);
  if (listing(as)) {
    checkFitsRom(as, as.pc, 1);
    int bytes[1] = {lowByte(byte)};
    listCodeLine(as, as.pc, bytes, 1, cycles, as.lineStart);
    if (as.observer != nullptr)
      as.observer->codeLine(spotAt(as, as.lineStart), as.pc, bytes, 1, cycles);
    requireInImage(as, as.pc, false);
    store(as, as.pc, byte);
  }
  as.pc = wrapAdd(as.pc, 1);
}

void emitTwoBytes(Assembler& as, Value first, Value second, int cycles) {
  pageCheck(as, 2);
  if (listing(as)) {
    checkFitsRom(as, as.pc, 2);
    int bytes[2] = {lowByte(first), lowByte(second)};
    listCodeLine(as, as.pc, bytes, 2, cycles, as.lineStart);
    if (as.observer != nullptr)
      as.observer->codeLine(spotAt(as, as.lineStart), as.pc, bytes, 2, cycles);
    // Both addresses are checked before either byte is stored, so a stop never leaves half an
    // instruction in the image.
    requireInImage(as, as.pc, true);
    requireInImage(as, wrapAdd(as.pc, 1), true);
    store(as, as.pc, first);
    store(as, wrapAdd(as.pc, 1), second);
  }
  as.pc = wrapAdd(as.pc, 2);
}

}  // namespace zelas
