#include "core/observer.h"

#include "core/assembler.h"
#include "macro/macro.h"
#include "macro/macro_expand.h"
#include "scan/line_reader.h"
#include "scan/source_file.h"

namespace zelas {

SourceSpot spotAt(const Assembler& as, const char* at) {
  SourceSpot spot;
  // Frames opened at this include level stand on a line of the current file.
  if (as.macroDepth > 0 && !as.expansions.empty() &&
      as.expansions.back().includeDepth == as.includeDepth) {
    const MacroInvocation& frame = as.expansions.back();
    spot.file = frame.file;
    spot.line = frame.line;
    spot.inExpansion = true;
    return spot;
  }
  spot.file = as.sourceFile != nullptr ? &as.sourceFile->path() : nullptr;
  spot.line = as.lineNumber;
  spot.column =
      expandedColumn(as.lineStart, static_cast<std::size_t>(at - as.lineStart), as.tabWidth);
  return spot;
}

SourceSpot writtenSpotAt(const Assembler& as, const char* at, std::string_view name) {
  SourceSpot spot = spotAt(as, at);
  if (!spot.inExpansion) return spot;
  const MacroInvocation& frame = as.expansions.back();
  if (frame.bodyLine == nullptr || frame.macro == nullptr || frame.macro->file.empty()) return spot;
  const BodyToken* token =
      bodyTokenAt(*frame.bodyLine, *frame.macro, static_cast<std::size_t>(at - as.lineStart));
  bool written = token != nullptr && token->text == name &&
                 (token->kind == TokenKind::word || token->kind == TokenKind::statementWord);
  if (!written) return spot;
  return SourceSpot{&frame.macro->file, frame.bodyLine->lineNumber, token->column - 1, false};
}

AssemblyObserver* observerOf(const Assembler& as) {
  return as.pass == 2 ? as.observer : nullptr;
}

}  // namespace zelas
