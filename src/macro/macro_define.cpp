#include "macro/macro_define.h"

#include <string>

#include "core/assembler.h"
#include "core/observer.h"
#include "diag/messages.h"
#include "diag/report.h"
#include "emit/listing.h"
#include "scan/char_class.h"
#include "scan/line_reader.h"
#include "scan/scanner.h"
#include "scan/source_file.h"

namespace zelas {

namespace {

// Body lines are recorded with their tabs expanded, so this is the column an editor shows.
int columnAtCursor(const Assembler& as) {
  return static_cast<int>(as.scanPos - as.lineStart) + 1;
}

// A name becomes a local-label reference or a parameter reference; labels are looked up first.
void resolveWordRef(const Macro& macro, BodyToken& token) {
  if (auto local = macro.localIndex.find(token.text); local != macro.localIndex.end()) {
    token.kind = TokenKind::localLabel;
    token.ref = local->second;
  } else if (auto param = macro.paramIndex.find(token.text); param != macro.paramIndex.end()) {
    token.kind = TokenKind::paramRef;
    token.ref = param->second;
  }
}

// The tokens behind the first one, each with the blanks in front of it; position counts from
// the statement word.
void recordRestOfLine(Assembler& as, Macro& macro, BodyLine& line, int position) {
  while (!atLineEnd(as)) {
    std::string blanks = takeBlanks(as);
    int column = columnAtCursor(as);
    std::string token = readToken(as, false);
    if (token.empty()) {
      // End of the line, or a character that starts no token (already stepped over).
      line.trailing = blanks;
      line.hasTrailing = true;
      continue;
    }
    ++position;
    TokenKind kind = classifyToken(as, token.c_str(), position);
    BodyToken& recorded = line.tokens.emplace_back(BodyToken{token, kind, blanks, -1, column});
    if (kind == TokenKind::word) resolveWordRef(macro, recorded);
  }
}

// The parameter names behind the macro name, with or without commas between them.
void recordParameters(Assembler& as, Macro& macro) {
  while (!atLineEnd(as)) {
    std::string token = readToken(as, true);
    if (token.empty()) continue;  // a rejected character, already stepped over
    ++macro.paramCount;
    acceptChar(as, ',');
    newMacParam(as, &macro, token);
  }
}

// Body lines up to endm; the file must hold the endm.
void recordBody(Assembler& as, Macro& macro) {
  while (readLine(as)) {
    if (recordBodyLine(as, macro)) return;
  }
  reportFatal(as, msg::eofInMacroBody, macro.name.c_str());
}

// References written above their label are not known while the body is recorded.
void completeLocalReferences(Macro& macro) {
  for (BodyLine& line : macro.lines) {
    for (BodyToken& token : line.tokens) {
      if (token.kind != TokenKind::word) continue;
      auto local = macro.localIndex.find(token.text);
      if (local == macro.localIndex.end()) continue;
      token.kind = TokenKind::localLabel;
      token.ref = local->second;
    }
  }
  joinFixedHeads(macro);
}

}  // namespace

TokenKind classifyToken(Assembler& as, const char* token, int position) {
  if (!isNameChar(token[0])) {
    return isPunctChar(token[0]) ? TokenKind::punct : TokenKind::charLiteral;
  }
  if (*as.scanPos == ':') {
    ++as.scanPos;  // the colon of a definition is not recorded; the expansion adds it back
    return TokenKind::localLabel;
  }
  return position == 1 ? TokenKind::statementWord : TokenKind::word;
}

bool recordBodyLine(Assembler& as, Macro& macro) {
  // A body line is kept as the listing shows it: an expansion replays its blanks, and a tab's
  // width would depend on the column where the replayed text lands.
  expandLineTabs(as);
  std::string indentation = takeBlanks(as);
  int column = columnAtCursor(as);
  std::string token = readToken(as, false);
  if (token.empty()) return false;  // empty, comment-only or unreadable lines leave no trace
  if (sameTextNoCase(token, "endm")) return true;
  if (sameTextNoCase(token, "macro")) reportFatal(as, msg::newMacroInBody, macro.name.c_str());
  TokenKind kind = classifyToken(as, token.c_str(), 1);
  BodyLine* line = newMacLine(as, &macro, token, kind, indentation);
  line->lineNumber = as.lineNumber;
  line->tokens.front().column = column;
  int position = 1;
  if (kind == TokenKind::localLabel) {
    line->tokens.front().ref = addMacroLocal(macro, token);
    position = 0;  // the word after a label is the statement word
  }
  recordRestOfLine(as, macro, *line, position);
  return false;
}

void skipMacroBody(Assembler& as, bool list, Macro* macro) {
  if (macro != nullptr) completeLocalReferences(*macro);
  while (readLine(as)) {
    if (list) listAddressLine(as);
    skipBlanks(as, true);
    if (sameTextNoCase(readToken(as, true), "endm")) return;
  }
  // A missing endm was reported as fatal in pass 1; here the file simply ends.
}

// macro <name> [<param>{[,]<param>}] ... endm
void defineMacro(Assembler& as) {
  const char* nameAt = as.scanPos;
  std::string name = readToken(as, true);
  if (name.empty()) {
    reportWarning(as, msg::macroNameMissing);
    skipMacroBody(as, false, nullptr);
    return;
  }
  if (as.pass == 2) {
    Macro* macro = findMacro(as, name);
    if (macro != nullptr) macro->definedInPass = 2;
    AssemblyObserver* observer = observerOf(as);
    if (observer != nullptr && macro != nullptr) observer->macroDefined(spotAt(as, nameAt), *macro);
    listAddressLine(as);
    skipMacroBody(as, true, macro);
    return;
  }
  Macro* macro = newMacro(as, name);
  if (macro == nullptr) {
    skipMacroBody(as, false, nullptr);
    return;
  }
  if (as.sourceFile != nullptr) macro->file = as.sourceFile->path();
  recordParameters(as, *macro);
  recordBody(as, *macro);
  joinFixedHeads(*macro);
}

}  // namespace zelas
