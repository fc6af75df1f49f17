// Takes one line from a source file and stores it as the scanner sees it: tabs expanded to the
// next tab stop, at most 255 characters, the line end (LF or CR LF) removed.
#pragma once

#include "core/buffers.h"

namespace zelas {

class SourceFile;

struct ExpandedLine {
  bool any = false;   // bytes were left in the file: false only at its end
  int overflows = 0;  // characters beyond the limit, dropped; each one is reported
  int length = 0;     // characters stored before the terminator
};

// Stores the next line of file at out (kLineSize bytes), terminated. Bytes past the terminator
// may be overwritten.
ExpandedLine expandLine(SourceFile& file, int tabWidth, char* out);

}  // namespace zelas
