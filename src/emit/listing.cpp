#include "emit/listing.h"

#include <cstdarg>
#include <cstdio>

#include "core/assembler.h"

namespace zelas {

namespace {

bool listingActive(const Assembler& as) { return as.pass == 2 && as.listFile != nullptr; }

}  // namespace

void listAddressLine(Assembler& as) {
  if (listingActive(as)) std::fprintf(as.listFile, "%04X            %s\n", as.pc, as.lineStart);
}

void listValueLine(Assembler& as, Value value) {
  if (listingActive(as)) std::fprintf(as.listFile, "%04X=           %s\n", value, as.lineStart);
}

void listTextLine(Assembler& as) {
  if (listingActive(as)) std::fprintf(as.listFile, "                %s\n", as.lineStart);
}

void listPrintf(Assembler& as, const char* fmt, ...) {
  if (as.listFile == nullptr) return;
  va_list args;
  va_start(args, fmt);
  std::vfprintf(as.listFile, fmt, args);
  va_end(args);
}

}  // namespace zelas
