#include "statements/dispatcher.h"

#include <string>

#include "core/assembler.h"
#include "core/observer.h"
#include "diag/messages.h"
#include "diag/report.h"
#include "driver/feeder.h"
#include "emit/listing.h"
#include "macro/macro_define.h"
#include "macro/macro_expand.h"
#include "scan/char_class.h"
#include "scan/keyword_table.h"
#include "scan/scanner.h"
#include "statements/conditionals.h"
#include "statements/data_directives.h"
#include "target/instructions.h"
#include "target/product.h"

namespace zelas {

namespace {

using Handler = void (*)(Assembler&);

struct Directive {
  const char* keyword;
  MatchMode mode;
  Handler handler;
};

// Conditional directives, tried on every line, also in skipped branches. "ifdef" and "ifndef"
// stand before "if", which would otherwise claim them as a prefix.
constexpr Directive kConditionals[] = {
    // clang-format off
    // keyword   mode                   handler
    {"ifdef",    MatchMode::delimited,  [](Assembler& as) { ifdefDirective(as, true); }},
    {"ifndef",   MatchMode::delimited,  [](Assembler& as) { ifdefDirective(as, false); }},
    {"if",       MatchMode::delimited,  ifDirective},
    {"define",   MatchMode::delimited,  defineDirective},
    {"else",     MatchMode::delimited,  elseDirective},
    {"endif",    MatchMode::delimited,  endifDirective},
    // clang-format on
};

// Directives, tried after the macros; "dwl" before "dw" and "dsu" before "ds" for the same
// prefix reason. xpageon/xpageoff need no delimiter and ignore what follows them.
constexpr Directive kDirectives[] = {
    // clang-format off
    // keyword   mode                   handler
    {"equ",      MatchMode::delimited,  [](Assembler& as) { equDirective(as, as.lineLabel); }},
    {"org",      MatchMode::delimited,  [](Assembler& as) { orgDirective(as, as.lineLabel); }},
    {"db",       MatchMode::delimited,  dbDirective},
    {"dwl",      MatchMode::delimited,  dwlDirective},
    {"dw",       MatchMode::delimited,  dwDirective},
    {"dsu",      MatchMode::delimited,  dsuDirective},
    {"ds",       MatchMode::delimited,  dsDirective},
    {"cpu",      MatchMode::delimited,  [](Assembler& as) { selectProduct(as, nullptr); }},
    {"xpageon",  MatchMode::prefix,     [](Assembler& as) { as.xpageEnabled = 1; listAddressLine(as); }},
    {"xpageoff", MatchMode::prefix,     [](Assembler& as) { as.xpageEnabled = 0; listAddressLine(as); }},
    {"fillrom",  MatchMode::delimited,  fillromDirective},
    {"include",  MatchMode::delimited,  includeDirective},
    // clang-format on
};

constexpr KeywordsByLetters kConditionalsByLetters(kConditionals, &Directive::keyword);
constexpr KeywordsByLetters kDirectivesByLetters(kDirectives, &Directive::keyword);

// Runs the first entry of table whose keyword matches at the cursor.
template <std::size_t N>
bool runFirstMatch(Assembler& as, const Directive (&table)[N],
                   const KeywordsByLetters<N>& byLetters) {
  for (std::uint8_t i : byLetters.startingWith(as.scanPos)) {
    const Directive& d = table[i];
    if (matchKeyword(as, d.keyword, d.mode)) {
      d.handler(as);
      return true;
    }
  }
  return false;
}

// Steps 8 to 11: the statement word, once assembly is enabled and the line is not empty.
void dispatchStatementWord(Assembler& as) {
  if (foldCase(*as.scanPos) == 'm' && matchKeyword(as, "macro", MatchMode::delimited)) {
    defineMacro(as);
    return;
  }
  if (expandMacroCall(as)) return;
  if (runFirstMatch(as, kDirectives, kDirectivesByLetters)) return;
  if (assembleInstruction(as)) return;
  std::string word = readToken(as, true);
  reportWarning(as, msg::unknownInstruction, word.c_str());
  listAddressLine(as);
}

// Steps 5 on: the conditionals, then (while assembling) the statement word.
void dispatchStatementBody(Assembler& as) {
  if (runFirstMatch(as, kConditionals, kConditionalsByLetters)) return;
  if (!as.assemblyEnabled) return;
  if (atLineEnd(as)) {
    listTextLine(as);
    return;
  }
  dispatchStatementWord(as);
  if (as.pc > as.maxPC) as.maxPC = as.pc;
}

// True when the statement starts with a name that no ":" follows. Such a line has no label
// field, and reading its first word (which reports nothing for a name) can be skipped: the
// cursor stays at the word, where the rewind would put it again.
bool startsWithPlainWord(const Assembler& as) {
  const char* p = as.scanPos;
  if (!isNameChar(*p)) return false;
  while (isNameChar(*p)) ++p;
  while (isBlank(*p)) ++p;
  return *p != ':';
}

// The report of a label that moved points at the label field (a data statement may have cut
// the line after its first item; the field is then at its start).
void checkPlacementOfLineLabel(Assembler& as, const LabelPlacement& placement) {
  const char* field = as.lineStart;
  while (isBlank(*field)) ++field;
  as.tokenStart = field;
  checkLabelPlacement(as, placement);
}

}  // namespace

std::vector<std::string_view> statementKeywords() {
  std::vector<std::string_view> words;
  for (const Directive& d : kConditionals) words.emplace_back(d.keyword);
  words.insert(words.end(), {"macro", "endm"});
  for (const Directive& d : kDirectives) words.emplace_back(d.keyword);
  return words;
}

void dispatchStatement(Assembler& as) {
  skipBlanks(as, true);
  as.lineLabel = nullptr;
  if (startsWithPlainWord(as)) {
    dispatchStatementBody(as);
    return;
  }
  const char* nameAt = as.scanPos;
  readToken(as, true);
  if (acceptChar(as, ':')) {
    if (as.assemblyEnabled) {
      as.lineLabel = defineLabel(as, as.lastToken());
      AssemblyObserver* observer = observerOf(as);
      if (observer != nullptr && as.lineLabel != nullptr) {
        observer->labelDefined(spotAt(as, nameAt), *as.lineLabel);
      }
      LabelPlacement placement = placeLabel(as, as.lineLabel);
      if (atLineEnd(as)) {  // the colon was taken with the blanks and comment after it
        listAddressLine(as);
      } else {
        dispatchStatementBody(as);
      }
      if (placement.label != nullptr) checkPlacementOfLineLabel(as, placement);
      return;
    }
  } else {
    as.scanPos = as.lineStart;
    skipBlanks(as, true);
  }
  dispatchStatementBody(as);
}

}  // namespace zelas
