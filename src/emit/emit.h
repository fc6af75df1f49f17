// Code emission: the only ways bytes reach the ROM image, with the page rule and listing lines.
#pragma once

#include <cstddef>

#include "core/value.h"

namespace zelas {

struct Assembler;

// Emits a one-byte instruction or data byte with its cycle count.
void emitByte(Assembler& as, Value byte, int cycles);
// Emits first at pc and second at pc+1 with the cycle count.
void emitTwoBytes(Assembler& as, Value first, Value second, int cycles);
// The page rule for an emission of size 1 or 2 at pc: inserts the XPAGE (and NOP) fillers or
// reports the crossing, then moves the line label to pc.
void pageCheck(Assembler& as, int size);
// Pass 1: what emitting an instruction of size bytes does to pc (the page rule included), for a
// statement whose bytes only pass 2 needs.
void reserveCode(Assembler& as, int size);
// Pass 2, with the ROM size enforced (no -e): count bytes stored from address must lie within
// the current product's ROM, or the image does not fit the part; reported once per run.
void checkFitsRom(Assembler& as, Value address, std::size_t count);

}  // namespace zelas
