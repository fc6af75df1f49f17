// The ROM dump and Intel HEX files written after pass 2.
#pragma once

#include <string>

namespace zelas {

struct Assembler;

// Writes "<base>.rom" and sets as.checksum; false when the file could not be created (the caller
// ends the run).
bool writeRomFile(Assembler& as, const std::string& base);
// Writes "<base>.hex"; failures are reported as errors.
void writeHexFile(Assembler& as, const std::string& base);
// Both files, the ROM file first; no HEX file when the ROM file could not be created.
bool writeImageFiles(Assembler& as, const std::string& base);

}  // namespace zelas
