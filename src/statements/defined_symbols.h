// The defined-symbol list tested by ifdef/ifndef: names compared ignoring letter case, no removal.
#pragma once

#include <string>
#include <string_view>
#include <unordered_set>

namespace zelas {

struct DefinedSymbols {
  std::unordered_set<std::string> folded;  // names folded to lower case
};

// Adds name unless an equal name (letter case ignored) is present.
void addDefinedSymbol(DefinedSymbols& symbols, std::string_view name);
// True when an equal name (letter case ignored) was added.
bool isDefinedSymbol(const DefinedSymbols& symbols, std::string_view name);

}  // namespace zelas
