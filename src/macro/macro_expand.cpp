#include "macro/macro_expand.h"

#include <charconv>
#include <cstring>
#include <string_view>

#include "core/assembler.h"
#include "core/observer.h"
#include "diag/messages.h"
#include "diag/report.h"
#include "driver/feeder.h"
#include "emit/listing.h"
#include "macro/macro.h"
#include "scan/char_class.h"
#include "scan/line_reader.h"
#include "scan/scanner.h"

namespace zelas {

namespace {

// Listing lines that frame an expansion in pass 2: "**** MACRO **** %s\n" and
// "***END MACRO*** \n".
constexpr char kMacroStartPrefix[] = "**** MACRO **** ";
constexpr char kMacroEndLine[] = "***END MACRO*** \n";

// Joins the pieces of an expanded line in the line buffer, never beyond its 255 characters.
struct LineBuilder {
  char* start;
  std::size_t length = 0;
  bool whole = true;  // false once a piece was cut

  void append(std::string_view text) {
    std::size_t room = kMaxLineLength - length;
    std::size_t n = text.size() < room ? text.size() : room;
    std::memcpy(start + length, text.data(), n);
    length += n;
    whole = whole && n == text.size();
  }
};

// The blanks in front of a token, shortened by what a preceding "#n" suffix pushed the line to
// the right, so that later columns stay where the body had them.
std::string_view shortenBlanks(std::string_view blanks, int& carry) {
  if (carry <= 0) return blanks;
  std::size_t c = static_cast<std::size_t>(carry);
  if (blanks.size() > c) {
    carry = 0;
    return blanks.substr(0, blanks.size() - c);
  }
  if (blanks.size() == c) {
    --carry;
    return blanks.substr(0, 1);
  }
  return blanks;
}

// Appends the text a token stands for in this expansion; sets the carry for a local label.
void appendPiece(LineBuilder& line, const BodyToken& token, const Macro& macro, int& carry) {
  switch (token.kind) {
    case TokenKind::localLabel: {
      // "%s#%d:": the name, the expansion's number, the colon.
      char suffix[16];
      suffix[0] = '#';
      auto [end, ec] = std::to_chars(suffix + 1, suffix + sizeof suffix, macro.expansionCount);
      // The carry is what the suffix adds in front of the colon: "#" and the digits.
      carry = static_cast<int>(end - suffix);
      line.append(token.text);
      line.append(std::string_view(suffix, static_cast<std::size_t>(end - suffix)));
      line.append(":");
      return;
    }
    case TokenKind::paramRef:
      if (token.ref >= 0 && token.ref < static_cast<int>(macro.params.size())) {
        line.append(macro.params[static_cast<std::size_t>(token.ref)].argument);
      }
      return;
    default:
      line.append(token.text);
  }
}

// The length of the text appendPiece appends for token; sets the carry as it does.
std::size_t pieceLength(const BodyToken& token, const Macro& macro, int& carry) {
  switch (token.kind) {
    case TokenKind::localLabel: {
      char digits[16];
      auto [end, ec] = std::to_chars(digits, digits + sizeof digits, macro.expansionCount);
      carry = static_cast<int>(end - digits) + 1;
      return token.text.size() + static_cast<std::size_t>(carry) + 1;
    }
    case TokenKind::paramRef:
      if (token.ref >= 0 && token.ref < static_cast<int>(macro.params.size())) {
        return macro.params[static_cast<std::size_t>(token.ref)].argument.size();
      }
      return 0;
    default:
      return token.text.size();
  }
}

void reportMissingArgument(Assembler& as, const Macro& macro) {
  if (macro.paramCount > 1) {
    reportWarning(as, msg::missingParamsPlural, macro.name.c_str(), macro.paramCount);
  } else {
    reportWarning(as, msg::missingParamSingular, macro.name.c_str(), macro.paramCount);
  }
}

void reportSurplusArguments(Assembler& as, const Macro& macro) {
  if (macro.paramCount > 1) {
    reportWarning(as, msg::tooManyParamsPlural, macro.name.c_str(), macro.paramCount);
  } else {
    reportWarning(as, msg::tooManyParamsSingular, macro.name.c_str(), macro.paramCount);
  }
}

// Binds one argument per parameter; false (nothing expanded) when one is missing.
bool bindArguments(Assembler& as, Macro& macro) {
  for (MacroParam& param : macro.params) {
    std::string argument = readArgument(as);
    acceptChar(as, ',');
    if (argument.empty()) {
      reportMissingArgument(as, macro);
      return false;
    }
    param.argument = argument;
  }
  if (!atLineEnd(as)) reportSurplusArguments(as, macro);
  return true;
}

}  // namespace

const BodyToken* bodyTokenAt(const BodyLine& line, const Macro& macro, std::size_t offset) {
  // Walks the expanded line as buildLine lays it out, up to the token that covers offset (or
  // stands after it, when offset is in the blanks in front of a token).
  std::size_t at = 0;
  int carry = 0;
  for (const BodyToken& token : line.tokens) {
    at += shortenBlanks(token.blanks, carry).size();
    at += pieceLength(token, macro, carry);
    if (offset < at) return &token;
  }
  return line.tokens.empty() ? nullptr : &line.tokens.back();
}

int bodyColumn(const BodyLine& line, const Macro& macro, std::size_t offset) {
  const BodyToken* token = bodyTokenAt(line, macro, offset);
  return token != nullptr ? token->column : 1;
}

bool expandMacroCall(Assembler& as) {
  // A name whose first character begins no macro name is not a macro: answered without reading
  // the word (which, for a name, reports nothing and leaves only the token buffer changed).
  char first = *as.scanPos;
  if (isNameChar(first) && !as.macroTable.firstChars[static_cast<unsigned char>(first)]) {
    return false;
  }
  // A character that begins no token draws a report, and a report expands the line's tabs in
  // place: the rewind below must then find the expanded text, so it is expanded first.
  if (!isNameChar(first) && !isPunctChar(first) && first != '\'') expandLineTabs(as);
  char* saved = as.scanPos;
  readToken(as, true);
  Macro* macro = findMacro(as, as.lastToken());
  if (macro == nullptr) {
    as.scanPos = saved;
    return false;
  }
  if (AssemblyObserver* observer = observerOf(as)) {
    observer->macroInvoked(writtenSpotAt(as, saved, macro->name), *macro);
  }
  // The arguments are taken as text, blanks and all, and the expansion points at this line.
  expandLineTabs(as);
  if (as.pass == 2) listPrefixedLine(as, kMacroStartPrefix, as.lineStart);
  resolveMacro(as, macro);
  if (as.pass == 2) listWrite(as, kMacroEndLine, sizeof kMacroEndLine - 1);
  return true;
}

// <macro name> [<argument>{,<argument>}]
void resolveMacro(Assembler& as, Macro* macro) {
  if (macro == nullptr) reportFatal(as, msg::internalResolveMacro);
  if (as.pass == 2 && macro->definedInPass == 1) {
    reportError(as, msg::macroBeforeDefinition, macro->name.c_str());
    return;
  }
  if (!bindArguments(as, *macro)) return;
  ++macro->expansionCount;
  feedSource(as, *macro);
}

std::string readArgument(Assembler& as) {
  const char* start = as.scanPos;
  std::size_t length = std::strcspn(start, ",;\\");
  as.scanPos += length;
  std::string argument(start, length);
  skipBlanks(as, true);
  return argument;
}

void buildLine(Assembler& as, const BodyLine* line, Macro* macro) {
  if (macro == nullptr) reportFatal(as, msg::internalBuildLine);
  as.lineStart[0] = '\0';
  as.scanPos = as.lineStart;
  as.tokenStart = nullptr;
  if (line == nullptr) return;
  LineBuilder built{as.lineStart};
  built.append(line->fixedHead);
  int carry = 0;
  for (std::size_t i = line->fixedTokens; i < line->tokens.size(); ++i) {
    const BodyToken& token = line->tokens[i];
    built.append(shortenBlanks(token.blanks, carry));
    appendPiece(built, token, *macro, carry);
  }
  as.lineStart[built.length] = '\0';
  // Arguments can make the expanded line longer than the 255 characters of the feeder's line
  // buffer. Rather than grow the buffer (every scanner operation and report assumes the fixed
  // size), the line is cut at the limit and reported once, here, also when only the trailing
  // text that the caller appends next would not fit; the cut line is still assembled.
  if (!built.whole ||
      (line->hasTrailing && built.length + line->trailing.size() > kMaxLineLength)) {
    reportWarning(as, msg::expandedLineTooLong, static_cast<int>(kMaxLineLength));
  }
  // The report above shows the line without it, as the line stood when the cut was found.
  if (line->hasTrailing) {
    built.append(line->trailing);
    as.lineStart[built.length] = '\0';
  }
}

}  // namespace zelas
