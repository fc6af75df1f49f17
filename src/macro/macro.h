// Macro records: a macro's parameters, its local labels and its body, recorded once in pass 1 as
// classified tokens so that an expansion only joins the pieces again.
#pragma once

#include <array>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zelas {

struct Assembler;

enum class TokenKind { statementWord, word, localLabel, paramRef, punct, charLiteral };

struct MacroParam {
  std::string name;
  std::string argument;  // bound by the latest expansion
};

struct MacroLocal {
  std::string name;
};

struct BodyToken {
  std::string text;
  TokenKind kind = TokenKind::word;
  std::string blanks;  // the blanks in front of the token
  int ref = -1;        // index into params (paramRef) or localLabels (localLabel); -1 for none
  int column = 1;      // where the token stands in its line of the definition, from 1
};

struct BodyLine {
  std::vector<BodyToken> tokens;
  int lineNumber = 0;    // in the file that defines the macro
  std::string trailing;  // blanks and comment behind the last token
  bool hasTrailing = false;
  // The first fixedTokens tokens, blanks and text, joined: they read the same in every
  // expansion (they stand before any parameter or local label), so an expansion copies them in
  // one piece. Empty, with fixedTokens 0, until joinFixedHeads runs.
  std::string fixedHead;
  std::size_t fixedTokens = 0;
};

struct Macro {
  std::string name;
  std::string file;  // the file that defines the macro, as it was named
  int expansionCount = 0;
  int definedInPass = 1;
  std::vector<MacroLocal> localLabels;  // in recording order; localIndex finds the newest
  int paramCount = 0;
  std::vector<MacroParam> params;
  std::vector<BodyLine> lines;
  // Name lookups for the body recorder, so that classifying a token does not walk the lists.
  std::unordered_map<std::string, int> localIndex;  // name -> newest MacroLocal of that name
  std::unordered_map<std::string, int> paramIndex;  // name -> first MacroParam of that name
};

// Hashes std::string and std::string_view alike, for lookups by a view of the line.
struct NameHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view name) const {
    return std::hash<std::string_view>{}(name);
  }
};

struct MacroTable {
  std::deque<Macro> macros;  // stable storage, in definition order
  // Exact-name lookup; the hash is transparent so a name is found without copying it.
  std::unordered_map<std::string, Macro*, NameHash, std::equal_to<>> byName;
  // The first characters of the names in byName: most statement words are not macros, and this
  // answers them without hashing the word.
  std::array<bool, 256> firstChars{};
};

// The macro of exactly this name, or null.
Macro* findMacro(Assembler& as, std::string_view name);
// Checks name (reserved word, already defined) and records a new empty macro; null when taken.
Macro* newMacro(Assembler& as, std::string_view name);
// Appends a parameter without argument to macro; a null macro is an internal fatal error.
void newMacParam(Assembler& as, Macro* macro, std::string_view name);
// Starts a new body line with its first token; a null macro is an internal fatal error.
BodyLine* newMacLine(Assembler& as, Macro* macro, std::string_view text, TokenKind kind,
                     std::string_view blanks);
// Adds a local label name to macro and returns its index in localLabels.
int addMacroLocal(Macro& macro, std::string_view name);
// Joins the fixed head of each body line; to be called again whenever token kinds change.
void joinFixedHeads(Macro& macro);
// Called between the passes so that pass 2 numbers expansions as pass 1 did.
void resetExpansionCounts(Assembler& as);

}  // namespace zelas
