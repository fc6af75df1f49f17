// Listing lines of statements that emit no bytes. Each writes in pass 2 only.
#pragma once

#include <cstddef>
#include <string>

#include "core/value.h"
#include "diag/report.h"

namespace zelas {

struct Assembler;

// "%04X            %s": the address and the line text.
void listAddressLine(Assembler& as);
// "%04X=           %s": a value (equ) and the line text.
void listValueLine(Assembler& as, Value value);
// Sixteen blanks and the line text.
void listTextLine(Assembler& as);
// "%04X %02X %02X [%02d] %s" (count 2) or "%04X %02X    [%02d] %s" (count 1): a line with
// bytes, when a listing is open (any pass).
void listCodeLine(Assembler& as, Value address, const int* bytes, int count, int cycles,
                  const char* text);
// "%s%s\n": prefix, text and a line end, when a listing is open (any pass).
void listPrefixedLine(Assembler& as, const char* prefix, const char* text);
// length bytes of text to the listing, when one is open (any pass).
void listWrite(Assembler& as, const char* text, std::size_t length);
// Formatted text to the listing, when one is open (any pass).
void listPrintf(Assembler& as, const char* fmt, ...) ZELAS_PRINTF(2, 3);
// Writes the gathered listing text to the listing file; due before the file is checked or written
// to directly.
void flushListing(Assembler& as);
// Starts the listing output, to become path once closed; false when it can't be created.
bool openListing(Assembler& as, const std::string& path);
// Writes what is gathered and commits the listing, if one is open; false when a write or the
// commit failed (an old listing of that name then stays as it was).
bool closeListing(Assembler& as);
// Drops the listing without committing it: the old listing of that name stays as it was.
void discardListing(Assembler& as);

}  // namespace zelas
