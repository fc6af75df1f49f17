#include <iterator>
#include <string>

#include "core/assembler.h"
#include "diag/messages.h"
#include "diag/report.h"
#include "macro/macro.h"
#include "macro/macro_define.h"
#include "scan/scanner.h"

namespace zelas {

namespace {

// Words a macro name is checked against (letter case ignored): the mnemonics and directives
// that a macro of the same name would take over. ipret, reti, di, ei, dsu, cpu, the conditional
// directives and endm are deliberately not in it.
// clang-format off
constexpr const char* kReservedWords[] = {
    // word
    "halt",
    "add",
    "adc",
    "sub",
    "sbb",
    "or",
    "and",
    "xor",
    "cmp",
    "mov",
    "xpage",
    "nop",
    "inc",
    "dec",
    "iord",
    "iowr",
    "pop",
    "push",
    "swap",
    "iowx",
    "cpl",
    "asl",
    "asr",
    "rlc",
    "rrc",
    "ret",
    "jmp",
    "call",
    "jz",
    "jnz",
    "jc",
    "jnc",
    "jacc",
    "index",
    "macro",
    "equ",
    "org",
    "db",
    "dwl",
    "dw",
    "ds",
    "xpageon",
    "xpageoff",
    "fillrom",
    "include",
};
// clang-format on
static_assert(std::size(kReservedWords) == 45);

}  // namespace

bool isReservedWord(const char* name) {
  for (const char* word : kReservedWords) {
    if (sameTextNoCase(word, name)) return true;
  }
  return false;
}

Macro* findMacro(Assembler& as, std::string_view name) {
  const auto& first = as.macroTable.firstChars;
  if (!name.empty() && !first[static_cast<unsigned char>(name[0])]) return nullptr;
  auto it = as.macroTable.byName.find(name);
  return it == as.macroTable.byName.end() ? nullptr : it->second;
}

void resetExpansionCounts(Assembler& as) {
  for (Macro& macro : as.macroTable.macros) macro.expansionCount = 0;
}

Macro* newMacro(Assembler& as, std::string_view name) {
  std::string text(name);
  // Both checks run only in pass 1, where nothing else is shown; pass 2 never repeats them.
  if (isReservedWord(text.c_str())) {
    ForcedReport forced(as);
    reportWarning(as, msg::macroRedefinesReserved, text.c_str());
  }
  if (findMacro(as, text) != nullptr) {
    ForcedReport forced(as);
    reportWarning(as, msg::macroAlreadyDefined, text.c_str());
    return nullptr;
  }
  Macro& macro = as.macroTable.macros.emplace_back();
  macro.name = text;
  macro.definedInPass = as.pass;
  as.macroTable.byName.emplace(text, &macro);
  if (!text.empty()) as.macroTable.firstChars[static_cast<unsigned char>(text[0])] = true;
  return &macro;
}

void newMacParam(Assembler& as, Macro* macro, std::string_view name) {
  if (macro == nullptr) reportFatal(as, msg::internalNewMacParam);
  std::string text(name);
  macro->paramIndex.emplace(text, static_cast<int>(macro->params.size()));
  macro->params.push_back(MacroParam{text, {}});
}

BodyLine* newMacLine(Assembler& as, Macro* macro, std::string_view text, TokenKind kind,
                     std::string_view blanks) {
  if (macro == nullptr) reportFatal(as, msg::internalNewMacLine);
  BodyLine& line = macro->lines.emplace_back();
  line.tokens.push_back(BodyToken{std::string(text), kind, std::string(blanks), -1});
  return &line;
}

void joinFixedHeads(Macro& macro) {
  for (BodyLine& line : macro.lines) {
    line.fixedHead.clear();
    line.fixedTokens = 0;
    for (const BodyToken& token : line.tokens) {
      // A parameter reads as its argument, a local label with the expansion's number, and the
      // blanks after a local label shrink by what the number adds.
      if (token.kind == TokenKind::paramRef || token.kind == TokenKind::localLabel) break;
      line.fixedHead += token.blanks;
      line.fixedHead += token.text;
      ++line.fixedTokens;
    }
  }
}

int addMacroLocal(Macro& macro, std::string_view name) {
  int index = static_cast<int>(macro.localLabels.size());
  macro.localLabels.push_back(MacroLocal{std::string(name)});
  macro.localIndex[std::string(name)] = index;
  return index;
}

}  // namespace zelas
