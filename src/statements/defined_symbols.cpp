#include "statements/defined_symbols.h"

#include "scan/char_class.h"

namespace zelas {

namespace {

std::string folded(std::string_view name) {
  std::string s(name);
  for (char& c : s) c = foldCase(c);
  return s;
}

}  // namespace

void addDefinedSymbol(DefinedSymbols& symbols, std::string_view name) {
  symbols.folded.insert(folded(name));
}

bool isDefinedSymbol(const DefinedSymbols& symbols, std::string_view name) {
  return symbols.folded.contains(folded(name));
}

}  // namespace zelas
