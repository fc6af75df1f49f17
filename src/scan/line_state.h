// The current line (its file, text, cursor and number) as a nested level saves and restores it.
#pragma once

#include "core/assembler.h"
#include "core/buffers.h"

namespace zelas {

class SourceFile;

// Saves the line state on entry and gives it back on exit, also when a fatal stop unwinds
// through the level that owns the guard.
class SavedLineState {
 public:
  explicit SavedLineState(Assembler& as)
      : as_(as),
        sourceFile_(as.sourceFile),
        lineStart_(as.lineStart),
        scanPos_(as.scanPos),
        tokenStart_(as.tokenStart),
        lineReports_(as.lineReports),
        lineReportsLeftOut_(as.lineReportsLeftOut),
        lineNumber_(as.lineNumber) {}
  ~SavedLineState() {
    as_.sourceFile = sourceFile_;
    as_.lineStart = lineStart_;
    as_.scanPos = scanPos_;
    as_.tokenStart = tokenStart_;
    as_.lineReports = lineReports_;
    as_.lineReportsLeftOut = lineReportsLeftOut_;
    as_.lineNumber = lineNumber_;
  }
  SavedLineState(const SavedLineState&) = delete;
  SavedLineState& operator=(const SavedLineState&) = delete;

 private:
  Assembler& as_;
  SourceFile* sourceFile_;
  char* lineStart_;
  char* scanPos_;
  const char* tokenStart_;
  int lineReports_;
  int lineReportsLeftOut_;
  int lineNumber_;
};

// Makes buffer the current line, empty, with the cursor at its start and line number 0.
inline void useLineBuffer(Assembler& as, LineBuffer& buffer) {
  buffer[0] = '\0';
  as.lineStart = buffer.data();
  as.scanPos = buffer.data();
  as.tokenStart = nullptr;
  as.lineNumber = 0;
}

}  // namespace zelas
