// The rule that keeps a run from destroying what it reads: no output may be a file the run
// reads, nor another output of the run, however the two names are spelt.
#pragma once

#include <string>
#include <vector>

#include "core/file_system.h"

namespace zelas {

struct Assembler;

// True when the names a and b reach the same file, or will once an output is committed: the
// same existing file (through links, "./", hard links), or the same name in the same folder.
bool sameFile(FileSystem& files, const std::string& a, const std::string& b);
// Checks outputs against each other and against inputs (names) and the files the run has read;
// reports the first clash on the console and returns false.
bool outputsAreSafe(Assembler& as, const std::vector<std::string>& outputs,
                    const std::vector<std::string>& inputs);

}  // namespace zelas
