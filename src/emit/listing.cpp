#include "emit/listing.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <utility>

#include "core/assembler.h"
#include "emit/hex_text.h"
#include "scan/line_reader.h"

namespace zelas {

namespace {

bool listingActive(const Assembler& as) {
  return as.pass == 2 && as.listFile != nullptr;
}

constexpr std::size_t kPendingCapacity = std::size_t{1} << 20;
constexpr std::size_t kFirstPendingCapacity = std::size_t{1} << 12;

// The next block for n bytes at least: twice the last one, up to kPendingCapacity. A short
// listing so gets a small block; a megabyte, allocated and released on every run, costs an
// embedding program (the fuzzer above all) more than assembling a small source does.
void growPending(Assembler& as, std::size_t n) {
  std::size_t capacity = std::max(kFirstPendingCapacity, as.listPendingCapacity * 2);
  while (capacity < n) capacity *= 2;
  capacity = std::min(capacity, kPendingCapacity);
  if (capacity <= as.listPendingCapacity) return;
  // Not cleared: only what is written of it is ever read.
  as.listPending = std::make_unique_for_overwrite<char[]>(capacity);
  as.listPendingCapacity = capacity;
}

// A full block is handed to the file, then replaced by a larger one until the largest is
// reached. Rare, and kept out of line: reservePending runs for every listing line and must stay
// small enough to be inlined there.
[[gnu::cold]] void makePendingRoom(Assembler& as, std::size_t n) {
  flushListing(as);
  growPending(as, n);
}

// Room for n more bytes (at most kPendingCapacity) at the end of the pending text.
char* reservePending(Assembler& as, std::size_t n) {
  if (as.listPendingCapacity - as.listPendingSize < n) makePendingRoom(as, n);
  return as.listPending.get() + as.listPendingSize;
}

void appendPending(Assembler& as, const char* text, std::size_t length) {
  if (length > kPendingCapacity) {
    flushListing(as);
    as.listFile->write(text, length);
    return;
  }
  std::memcpy(reservePending(as, length), text, length);
  as.listPendingSize += length;
}

}  // namespace

// Gathering lines into one large block and writing it whole costs far less than a library call
// per line.
void flushListing(Assembler& as) {
  std::size_t size = std::exchange(as.listPendingSize, 0);
  if (as.listFile == nullptr || size == 0) return;
  as.listFile->write(as.listPending.get(), size);
}

bool openListing(Assembler& as, const std::string& path) {
  as.listFile = as.files.createOutput(path);
  as.listPath = path;
  return as.listFile != nullptr;
}

bool closeListing(Assembler& as) {
  if (as.listFile == nullptr) return true;
  flushListing(as);
  // A write that failed earlier keeps the commit from taking place.
  bool committed = as.listFile->commit();
  as.listFile.reset();
  return committed;
}

void discardListing(Assembler& as) {
  if (as.listFile == nullptr) return;
  flushListing(as);
  as.listFile.reset();
}

namespace {

// Room for the widest prefix (an address of eight digits, two bytes, the cycles) and the line.
constexpr std::size_t kListLineRoom = 64 + kLineSize;

// A listing line is formatted straight into the pending text: room for it first, then the
// prefix, then finishListLine adds the text and "\n" and keeps the line.
char* startListLine(Assembler& as) {
  return reservePending(as, kListLineRoom);
}

// Adds text and "\n" after the prefix (at line, ending at out) and keeps the line. The current
// line is shown with its tabs expanded.
void finishListLine(Assembler& as, char* line, char* out, const char* text) {
  if (text == as.lineStart) {
    out = copyExpandingTabs(out, text, as.tabWidth);
    *out++ = '\n';
    as.listPendingSize += static_cast<std::size_t>(out - line);
    return;
  }
  std::size_t length = std::strlen(text);
  if (length > kLineSize) length = kLineSize;  // a line text never exceeds its buffer
  std::memcpy(out, text, length);
  out += length;
  *out++ = '\n';
  as.listPendingSize += static_cast<std::size_t>(out - line);
}

char* putBlanks(char* out, int count) {
  for (int i = 0; i < count; ++i) *out++ = ' ';
  return out;
}

}  // namespace

void listAddressLine(Assembler& as) {
  if (!listingActive(as)) return;
  char* line = startListLine(as);
  char* out = putBlanks(putHex(line, toUnsigned(as.pc), 4), 12);  // "%04X            %s\n"
  finishListLine(as, line, out, as.lineStart);
}

void listValueLine(Assembler& as, Value value) {
  if (!listingActive(as)) return;
  char* line = startListLine(as);
  char* out = putHex(line, toUnsigned(value), 4);  // "%04X=           %s\n"
  *out++ = '=';
  finishListLine(as, line, putBlanks(out, 11), as.lineStart);
}

void listTextLine(Assembler& as) {
  if (!listingActive(as)) return;
  char* line = startListLine(as);
  finishListLine(as, line, putBlanks(line, 16), as.lineStart);  // "                %s\n"
}

void listCodeLine(Assembler& as, Value address, const int* bytes, int count, int cycles,
                  const char* text) {
  if (as.listFile == nullptr) return;
  char* line = startListLine(as);
  char* out = putHex(line, toUnsigned(address), 4);  // "%04X %02X %02X [%02d] %s\n"
  *out++ = ' ';
  out = putHexByte(out, static_cast<unsigned>(bytes[0]));
  *out++ = ' ';
  if (count == 2) {
    out = putHexByte(out, static_cast<unsigned>(bytes[1]));
  } else {
    out = putBlanks(out, 2);  // "%04X %02X    [%02d] %s\n"
  }
  *out++ = ' ';
  *out++ = '[';
  out = putDecimal2(out, cycles);
  *out++ = ']';
  *out++ = ' ';
  finishListLine(as, line, out, text);
}

void listPrefixedLine(Assembler& as, const char* prefix, const char* text) {
  if (as.listFile == nullptr) return;
  appendPending(as, prefix, std::strlen(prefix));
  appendPending(as, text, std::strlen(text));
  appendPending(as, "\n", 1);
}

void listWrite(Assembler& as, const char* text, std::size_t length) {
  if (as.listFile != nullptr) appendPending(as, text, length);
}

void listPrintf(Assembler& as, const char* fmt, ...) {
  if (as.listFile == nullptr) return;
  // Formatted straight into the pending text when it fits, else handed over to the file.
  constexpr std::size_t kTypical = 1024;
  char* out = reservePending(as, kTypical);
  va_list args;
  va_start(args, fmt);
  int length = std::vsnprintf(out, kTypical, fmt, args);
  va_end(args);
  if (length < 0) return;
  if (static_cast<std::size_t>(length) < kTypical) {
    as.listPendingSize += static_cast<std::size_t>(length);
    return;
  }
  // Longer than the typical room: formatted again, into a string of its full length.
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  va_start(args, fmt);
  std::vsnprintf(text.data(), text.size(), fmt, args);
  va_end(args);
  appendPending(as, text.data(), static_cast<std::size_t>(length));
}

}  // namespace zelas
