#include "statements/data_directives.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "core/assembler.h"
#include "diag/messages.h"
#include "diag/report.h"
#include "emit/emit.h"
#include "emit/hex_text.h"
#include "emit/listing.h"
#include "scan/line_reader.h"
#include "scan/scanner.h"
#include "symbols/expression.h"
#include "symbols/label_table.h"
#include "target/product.h"

namespace zelas {

namespace {

// The three item sizes of the data lists.
enum class ItemKind { byte, wordHighFirst, wordLowFirst };

constexpr int kDsBytesPerLine = 25;   // ds continuation lines
constexpr int kDsuCharsPerLine = 13;  // dsu continuation lines

Value itemSize(ItemKind kind) {
  return kind == ItemKind::byte ? 1 : 2;
}

bool fitsByte(Value v) {
  return v >= -128 && v <= 255;
}
bool fitsWord(Value v) {
  return v >= -32768 && v <= 65535;
}

// Out-of-range data is only a minor fault: the value is still stored, truncated.
void checkItemRange(Assembler& as, ItemKind kind, Value v) {
  if (kind == ItemKind::byte) {
    if (!fitsByte(v)) reportMinorWarning(as, msg::largerThanByte, v);
  } else if (!fitsWord(v)) {
    reportMinorWarning(as, msg::largerThanWord, v);
  }
}

void emitItem(Assembler& as, ItemKind kind, Value v) {
  Value low = v & 0xFF;
  Value high = (v >> 8) & 0xFF;
  switch (kind) {
    case ItemKind::byte:
      emitByte(as, low, 0);
      break;
    case ItemKind::wordHighFirst:
      emitTwoBytes(as, high, low, 0);
      break;
    case ItemKind::wordLowFirst:
      emitTwoBytes(as, low, high, 0);
      break;
  }
}

// Pass 1 only measures; pass 2 checks, emits and then cuts the line text so that the following
// items list their address and bytes alone.
void placeItem(Assembler& as, ItemKind kind, Value v) {
  if (as.pass != 2) {
    as.pc = wrapAdd(as.pc, itemSize(kind));
    return;
  }
  checkItemRange(as, kind, v);
  emitItem(as, kind, v);
  // The cursor stays where it is in the text the listing showed, so that a report about a later
  // item gives the column it always gave.
  expandLineTabs(as);
  *as.lineStart = '\0';
}

// Data must never be split by inserted fillers, so page handling is suspended while the items
// are emitted; the line's label, which the page rule moves to each item, names the first item
// again afterwards.
class DataStatementGuard {
 public:
  explicit DataStatementGuard(Assembler& as)
      : as_(as),
        label_(as.lineLabel),
        labelValue_(label_ != nullptr ? label_->value : 0),
        xpage_(as.xpageEnabled) {
    as_.xpageEnabled = 2;
  }
  ~DataStatementGuard() {
    as_.xpageEnabled = xpage_;
    if (label_ != nullptr) label_->value = labelValue_;
  }
  DataStatementGuard(const DataStatementGuard&) = delete;
  DataStatementGuard& operator=(const DataStatementGuard&) = delete;

 private:
  Assembler& as_;
  Label* label_;
  Value labelValue_;
  int xpage_;
};

// db, dw, dwl: expressions separated by commas, a trailing comma allowed. An item followed by
// neither a comma nor the end of the line (a stray "]" at which the evaluator stops, say) is
// still stored, and then ends the statement with one warning: the cursor would never move past
// that character, and guessing where a next item starts could store bytes nobody meant. The
// warning comes before the item's listing line, while the line text is still whole.
void dataList(Assembler& as, ItemKind kind) {
  DataStatementGuard guard(as);
  while (!atLineEnd(as)) {
    Value v = evaluateOperand(as);
    bool comma = acceptChar(as, ',');
    skipBlanks(as, true);
    bool stray = !comma && !atLineEnd(as);
    if (stray) reportWarning(as, msg::strayItemText, *as.scanPos);
    placeItem(as, kind, v);
    if (stray) return;
  }
}

// The text between double quotes; a backslash takes the next character literally. A backslash
// that ends the line ends the string and adds nothing.
std::string readQuotedString(Assembler& as) {
  expandLineTabs(as);  // without its quotes, the text runs to the line end, blanks and all
  if (*as.scanPos != '"') reportWarning(as, msg::missingQuote);
  if (!atLineEnd(as)) ++as.scanPos;  // the opening quote, or whatever stands in its place
  std::string text;
  while (*as.scanPos != '\0' && *as.scanPos != '"') {
    if (*as.scanPos == '\\' && *++as.scanPos == '\0') break;
    text.push_back(*as.scanPos++);
  }
  if (*as.scanPos == '"') ++as.scanPos;
  return text;
}

unsigned charByte(const std::string& text, std::size_t i) {
  return i < text.size() ? static_cast<unsigned char>(text[i]) : 0u;
}

// The first line of a string's listing, without its line end: the address, one byte or two
// (second below 0: none), the tail (blanks, or "..." where continuation lines follow) and the
// line text. A program's strings are many, so it is formatted here rather than by printf.
template <std::size_t N>
void listStringHeader(Assembler& as, unsigned first, int second, const char (&tail)[N]) {
  if (as.listFile == nullptr) return;
  char head[32];
  char* out = putHex(head, toUnsigned(as.pc), 4);
  *out++ = ' ';
  out = putHexByte(out, first);
  if (second >= 0) {
    *out++ = ' ';
    out = putHexByte(out, static_cast<unsigned>(second));
  }
  std::memcpy(out, tail, N - 1);
  out += N - 1;
  listWrite(as, head, static_cast<std::size_t>(out - head));
  listWrite(as, as.lineStart, std::strlen(as.lineStart));
}

void listDsHeader(Assembler& as, const std::string& text) {
  if (text.size() >= 2) {
    // "%04X %02X %02X ...  %s"
    listStringHeader(as, charByte(text, 0), static_cast<int>(charByte(text, 1)), " ...  ");
  } else {
    // "%04X %02X         %s": one byte (none shows as 00) and no second one.
    listStringHeader(as, charByte(text, 0), -1, "         ");
  }
}

void listDsuHeader(Assembler& as, const std::string& text) {
  if (text.size() >= 2) {
    listStringHeader(as, charByte(text, 0), 0, " ...  ");  // "%04X %02X 00 ...  %s"
  } else {
    listStringHeader(as, charByte(text, 0), 0, "        ");  // "%04X %02X 00        %s"
  }
}

// How many of count bytes from address lie inside the image pass 1 measured.
std::size_t bytesInImage(const Assembler& as, std::size_t address, std::size_t count) {
  std::size_t size = as.romImage.size();
  if (address >= size) return 0;
  return std::min(count, size - address);
}

// Strings are stored straight into the image, never through the page rule. A store that would
// leave the image stops the run; the listing shows the string up to the item that left it, and
// its line is ended first, so that the report stands on a line of its own.
[[noreturn]] void stopBeyondImage(Assembler& as, std::size_t address) {
  listWrite(as, "\n", 1);
  reportFatal(as, msg::pcBeyondImage, static_cast<unsigned>(address),
              static_cast<unsigned>(as.romImage.size()));
}

// The continuation lines of a string: characters [first, end) of text, "%02X " each ("%02X 00 "
// with its zero), a new line "\n     " before every perLine of them. Strings are long, so the
// text is gathered in a buffer and handed over in a few pieces rather than a call per byte.
void listStringBytes(Assembler& as, const std::string& text, std::size_t first, std::size_t end,
                     std::size_t perLine, bool withZero) {
  if (as.listFile == nullptr || first >= end) return;
  char buffer[512];
  constexpr std::size_t kItemRoom = 6 + 6;  // a new line and the widest item
  char* out = buffer;
  for (std::size_t i = first; i < end; ++i) {
    if (static_cast<std::size_t>(buffer + sizeof buffer - out) < kItemRoom) {
      listWrite(as, buffer, static_cast<std::size_t>(out - buffer));
      out = buffer;
    }
    if ((i - first) % perLine == 0) {
      std::memcpy(out, "\n     ", 6);
      out += 6;
    }
    out = putHexByte(out, static_cast<unsigned char>(text[i]));
    *out++ = ' ';
    if (withZero) {
      std::memcpy(out, "00 ", 3);
      out += 3;
    }
  }
  listWrite(as, buffer, static_cast<std::size_t>(out - buffer));
}

// Pass 2: the header, the continuation lines and the bytes of a ds string.
void storeDs(Assembler& as, const std::string& text) {
  checkFitsRom(as, as.pc, text.size());
  listDsHeader(as, text);
  std::size_t address = toUnsigned(as.pc);
  std::size_t stored = bytesInImage(as, address, text.size());
  // The byte that leaves the image is listed before the run stops, as all before it were.
  std::size_t listed = stored < text.size() ? stored + 1 : text.size();
  listStringBytes(as, text, 2, listed, kDsBytesPerLine, false);
  if (stored > 0) std::memcpy(as.romImage.data() + address, text.data(), stored);
  if (stored < text.size()) stopBeyondImage(as, address + stored);
  listWrite(as, "\n", 1);
}

// Pass 2: the header, the continuation lines and the character/zero pairs of a dsu string.
void storeDsu(Assembler& as, const std::string& text) {
  checkFitsRom(as, as.pc, 2 * text.size());
  listDsuHeader(as, text);
  std::size_t address = toUnsigned(as.pc);
  std::size_t stored = bytesInImage(as, address, 2 * text.size()) / 2;  // whole pairs only
  std::size_t listed = stored < text.size() ? stored + 1 : text.size();
  listStringBytes(as, text, 1, listed, kDsuCharsPerLine, true);
  for (std::size_t i = 0; i < stored; ++i) {
    as.romImage[address + 2 * i] = static_cast<std::uint8_t>(text[i]);
    as.romImage[address + 2 * i + 1] = 0;
  }
  if (stored < text.size()) stopBeyondImage(as, address + 2 * stored);
  listWrite(as, "\n", 1);
}

}  // namespace

// <label>: equ <expr>
void equDirective(Assembler& as, Label* label) {
  if (as.pass != 2) {
    if (label == nullptr) return;  // reported in pass 2
    label->kind = '=';
    label->value = evaluateExpression(as);
    if (!as.exprResolved) {
      label->resolved = false;
      ForcedReport forced(as);
      reportMinorWarning(as, msg::equUndefinedAfterPass1, label->name.c_str());
    }
    return;
  }
  if (label == nullptr) {
    reportWarning(as, msg::equMissingLabel);
    listValueLine(as, 0);  // there is no label to take a value from
    return;
  }
  if (atLineEnd(as)) reportWarning(as, msg::equMissingOperand);
  label->value = evaluateExpression(as);
  label->resolved = as.exprResolved;
  listValueLine(as, label->value);
}

namespace {

// The new address of an org, or the old one when the target lies behind it or is unknown.
void moveToOrgTarget(Assembler& as, Value target) {
  if (as.exprResolved) {
    if (as.pc > target) {
      reportError(as, msg::orgDecrements);
    } else {
      as.pc = target;
    }
  } else if (as.pass == 1) {
    // Labels after this org will get wrong addresses in pass 1; pass 2 can't find that again.
    ForcedReport forced(as);
    reportError(as, msg::orgUnresolved, as.lineStart);
  }
}

// With the ROM range check on, an org beyond the product's ROM is refused; with -e it is only
// reported and pc does move there.
void checkOrgRomLimit(Assembler& as, Value oldPc) {
  Value romSize = as.currentProduct->romSize;
  if (as.pc < romSize) return;
  if (as.romRangeCheck) {
    reportError(as, msg::orgOutOfRomFixed, as.pc, romSize);
    as.pc = oldPc;
  } else {
    reportWarning(as, msg::orgOutOfRom, as.pc, romSize);
  }
}

}  // namespace

// org <expr>
void orgDirective(Assembler& as, Label* label) {
  Value oldPc = as.pc;
  Value target = evaluateExpression(as);
  moveToOrgTarget(as, target);
  checkOrgRomLimit(as, oldPc);
  if (label != nullptr) {
    label->value = as.pc;
    label->resolved = as.exprResolved;
  }
  listAddressLine(as);
}

// db <expr>{,<expr>}
void dbDirective(Assembler& as) {
  dataList(as, ItemKind::byte);
}

// dw <expr>{,<expr>}
void dwDirective(Assembler& as) {
  dataList(as, ItemKind::wordHighFirst);
}

// dwl <expr>{,<expr>}
void dwlDirective(Assembler& as) {
  dataList(as, ItemKind::wordLowFirst);
}

// ds "<text>"
void dsDirective(Assembler& as) {
  std::string text = readQuotedString(as);
  if (as.pass == 2) storeDs(as, text);
  as.pc = wrapAdd(as.pc, static_cast<Value>(text.size()));
}

// dsu "<text>"
void dsuDirective(Assembler& as) {
  std::string text = readQuotedString(as);
  if (as.pass == 2) storeDsu(as, text);
  as.pc = wrapAdd(as.pc, static_cast<Value>(2 * text.size()));
}

// fillrom [<expr>]
void fillromDirective(Assembler& as) {
  // The image allocated after pass 1 then covers the whole ROM; unwritten bytes hold the fill.
  as.maxPC = as.currentProduct->romSize;
  if (as.pass != 2) {
    if (!atLineEnd(as)) as.fillValue = evaluateExpression(as);
    return;
  }
  if (atLineEnd(as)) {
    reportWarning(as, msg::fillromMissingOperand);
  } else if (!fitsByte(as.fillValue)) {
    reportMinorWarning(as, msg::largerThanByte, as.fillValue);
  }
  listAddressLine(as);
}

}  // namespace zelas
