#include "lsp/features.h"

#include <algorithm>
#include <cstdarg>
#include <fstream>
#include <set>
#include <sstream>

#include "diag/messages.h"
#include "diag/report.h"
#include "scan/char_class.h"
#include "scan/scanner.h"
#include "statements/dispatcher.h"
#include "target/opcode_map.h"
#include "target/product.h"

namespace zelas::lsp {

namespace {

using nlohmann::json;

// The protocol's kinds, as numbered there.
enum CompletionKind {
  kFunctionItem = 3,
  kVariableItem = 6,
  kPropertyItem = 10,
  kValueItem = 12,
  kKeywordItem = 14,
  kConstantItem = 21
};
enum SymbolNumber {
  kMethodSymbol = 6,
  kFunctionSymbol = 12,
  kVariableSymbol = 13,
  kConstantSymbol = 14
};

std::string format(const char* fmt, ...) ZELAS_PRINTF(1, 2);
std::string format(const char* fmt, ...) {
  char text[512];
  va_list args;
  va_start(args, fmt);
  std::vsnprintf(text, sizeof text, fmt, args);
  va_end(args);
  return text;
}

int nextTabStop(int column, int tabWidth) {
  return (column / tabWidth + 1) * tabWidth;
}

// The byte offset in line of a column counted with the tabs expanded.
std::size_t rawColumn(std::string_view line, int display, int tabWidth) {
  int column = 0;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (column >= display) return i;
    column = line[i] == '\t' ? nextTabStop(column, tabWidth) : column + 1;
  }
  return line.size();
}

struct Word {
  std::size_t start = 0;
  std::size_t end = 0;
  std::string_view text;
};

// The name around offset (also when the offset stands just behind it).
Word wordAt(std::string_view line, std::size_t offset) {
  offset = std::min(offset, line.size());
  std::size_t start = offset;
  while (start > 0 && isNameChar(line[start - 1])) --start;
  std::size_t end = offset;
  while (end < line.size() && isNameChar(line[end])) ++end;
  return Word{start, end, line.substr(start, end - start)};
}

// The name that starts at or after offset, blanks skipped.
Word wordFrom(std::string_view line, std::size_t offset) {
  while (offset < line.size() && isBlank(line[offset])) ++offset;
  std::size_t end = offset;
  while (end < line.size() && isNameChar(line[end])) ++end;
  return Word{offset, end, line.substr(offset, end - offset)};
}

json positionJson(int line, std::size_t character) {
  return json{{"line", line}, {"character", character}};
}

json rangeJson(int line, std::size_t start, std::size_t end) {
  return json{{"start", positionJson(line, start)}, {"end", positionJson(line, end)}};
}

// The name a site stands on, as offsets in its line.
Word siteWord(const Site& site, SourceTexts& texts, int tabWidth) {
  std::string_view line = texts.lineOf(site.file, site.line - 1);
  if (site.inExpansion) return Word{0, 0, {}};
  return wordFrom(line, rawColumn(line, site.column, tabWidth));
}

json locationJson(const Site& site, SourceTexts& texts, int tabWidth) {
  return json{{"uri", pathToUri(site.file)}, {"range", rangeOf(site, texts, tabWidth)}};
}

// The symbol whose definition or reference stands on the name at the query's position; else
// the one symbol of that name, when the name is not a local label's.
const Symbol* symbolAt(const Query& q, SourceTexts& texts) {
  if (q.analysis == nullptr) return nullptr;
  std::string_view line = lineOf(q.document.text, q.position.line);
  Word word = wordAt(line, offsetOf(line, Position{0, q.position.character}));
  if (word.text.empty()) return nullptr;
  auto standsHere = [&](const Site& site) {
    return !site.inExpansion && site.line == q.position.line + 1 && site.file == q.document.path &&
           siteWord(site, texts, q.analysis->tabWidth).start == word.start;
  };
  const Symbol* byName = nullptr;
  int named = 0;
  for (const Symbol& symbol : q.analysis->symbols) {
    if (symbol.definition && standsHere(*symbol.definition)) return &symbol;
    if (std::any_of(symbol.references.begin(), symbol.references.end(), standsHere)) return &symbol;
    if (symbol.name == word.text) {
      byName = &symbol;
      ++named;
    }
  }
  return named == 1 && byName->kind != SymbolKind::localLabel ? byName : nullptr;
}

// Every site of a symbol written in a source (not produced by an expansion), each once.
std::vector<Site> writtenSites(const Symbol& symbol, bool withDefinition) {
  std::vector<Site> sites;
  if (withDefinition && symbol.definition && !symbol.definition->inExpansion) {
    sites.push_back(*symbol.definition);
  }
  for (const Site& site : symbol.references) {
    if (site.inExpansion || std::find(sites.begin(), sites.end(), site) != sites.end()) continue;
    sites.push_back(site);
  }
  return sites;
}

const IncludeName* includeAt(const Query& q, SourceTexts& texts) {
  if (q.analysis == nullptr) return nullptr;
  for (const IncludeName& include : q.analysis->includes) {
    if (include.site.inExpansion || include.site.file != q.document.path ||
        include.site.line != q.position.line + 1) {
      continue;
    }
    std::string_view line = texts.lineOf(include.site.file, include.site.line - 1);
    std::size_t start = rawColumn(line, include.site.column, q.analysis->tabWidth);
    auto at = static_cast<std::size_t>(std::max(q.position.character, 0));
    if (at >= start && at <= start + include.name.size()) return &include;
  }
  return nullptr;
}

bool isValidName(std::string_view name, bool local) {
  if (name.empty() || (name.front() == '.') != local || isDecimalDigit(name.front())) return false;
  return std::all_of(name.begin(), name.end(), [](char c) { return isNameChar(c); });
}

std::string symbolHover(const Symbol& symbol) {
  const char* name = symbol.name.c_str();
  if (symbol.kind == SymbolKind::macro) return format(msg::lspHoverMacro, name);
  if (!symbol.resolved) return format(msg::lspHoverUnresolved, name);
  switch (symbol.kind) {
    case SymbolKind::constant:
      return format(msg::lspHoverConstant, name, toUnsigned(symbol.value), symbol.value);
    case SymbolKind::localLabel:
      return format(msg::lspHoverLocalLabel, name, symbol.scope.c_str(), toUnsigned(symbol.value));
    default:
      return format(msg::lspHoverCodeLabel, name, toUnsigned(symbol.value));
  }
}

const char* familiesText(Families families) {
  switch (families) {
    case Families::onlyA:
      return "A";
    case Families::onlyB:
      return "B";
    default:
      return "A, B";
  }
}

// The forms of a mnemonic from the opcode map; empty when word is none.
std::string mnemonicHover(std::string_view word) {
  std::string lower;
  for (char c : word) lower.push_back(foldCase(c));
  std::string text;
  for (const OpcodeRow& row : kOpcodeMap) {
    if (row.mnemonic != lower) continue;
    if (text.empty()) text = format(msg::lspHoverMnemonicHead, lower.c_str());
    std::string form = lower;
    if (!row.operands.empty()) form += " " + std::string(row.operands);
    text += format(msg::lspHoverMnemonicRow, form.c_str(), row.opcode, row.bytes, row.cycles,
                   familiesText(row.families));
  }
  return text;
}

std::string productHover(const Product& product) {
  std::string ranges;
  for (const RamRange& range : product.ramRanges) {
    if (!ranges.empty()) ranges += ", ";
    ranges += format("%02Xh-%02Xh", toUnsigned(range.low), toUnsigned(range.high));
  }
  std::string id(product.id);
  return format(msg::lspHoverProduct, id.c_str(), product.family == CpuFamily::A ? "A" : "B",
                ranges.c_str(), ramSize(product), product.romSize);
}

std::string bytesText(const CodeLine& line) {
  std::string text;
  for (int byte : line.bytes) {
    if (!text.empty()) text += ' ';
    text += format("%02X", static_cast<unsigned>(byte) & 0xFFu);
  }
  return text;
}

const CodeLine* codeLineAt(const Analysis* analysis, const std::string& file, int line) {
  if (analysis == nullptr) return nullptr;
  auto inFile = analysis->lines.find(file);
  if (inFile == analysis->lines.end()) return nullptr;
  auto found = inFile->second.find(line);
  return found == inFile->second.end() ? nullptr : &found->second;
}

std::string codeLineHover(const CodeLine& line) {
  std::string text;
  if (!line.bytes.empty()) {
    std::string bytes = bytesText(line);
    text = format(msg::lspHoverCodeLine, toUnsigned(line.address), bytes.c_str(), line.cycles);
  }
  if (!line.fillers.empty()) {
    std::string fillers;
    for (const std::string& f : line.fillers) fillers += (fillers.empty() ? "" : " ") + f;
    if (!text.empty()) text += "\n\n";
    text += format(msg::lspHoverFillers, fillers.c_str());
  }
  return text;
}

// The product a "cpu" line names, when the position is on such a line.
const Product* cpuLineProduct(std::string_view line) {
  Word first = wordFrom(line, 0);
  if (!sameTextNoCase(first.text, "cpu")) return nullptr;
  Word id = wordFrom(line, first.end);
  return findProduct(id.text);
}

void addItem(json& items, std::string_view label, int kind, const std::string& detail = {}) {
  json item{{"label", label}, {"kind", kind}};
  if (!detail.empty()) item["detail"] = detail;
  items.push_back(std::move(item));
}

// Register words: the plain words of the opcode map's operand forms.
std::set<std::string> registerWords() {
  std::set<std::string> words;
  for (const OpcodeRow& row : kOpcodeMap) {
    std::string_view ops = row.operands;
    std::size_t i = 0;
    while (i < ops.size()) {
      std::size_t end = i;
      while (end < ops.size() && isLetter(ops[end])) ++end;
      if (end > i && ops.substr(i, end - i) != "expr") words.emplace(ops.substr(i, end - i));
      i = end + 1;
    }
  }
  return words;
}

// The global label whose scope holds the given line: the last one defined above it.
std::string scopeAt(const Analysis& analysis, const std::string& file, int line) {
  std::string scope;
  int best = 0;
  for (const Symbol& symbol : analysis.symbols) {
    if (symbol.kind != SymbolKind::label || !symbol.definition) continue;
    const Site& site = *symbol.definition;
    if (site.file == file && site.line <= line && site.line > best) {
      best = site.line;
      scope = symbol.name;
    }
  }
  return scope;
}

json symbolJson(const Symbol& symbol, int kind, SourceTexts& texts, int tabWidth) {
  const Site& site = *symbol.definition;
  std::string_view line = texts.lineOf(site.file, site.line - 1);
  return json{{"name", symbol.name},
              {"kind", kind},
              {"range", rangeJson(site.line - 1, 0, line.size())},
              {"selectionRange", rangeOf(site, texts, tabWidth)}};
}

int symbolNumber(SymbolKind kind) {
  switch (kind) {
    case SymbolKind::constant:
      return kConstantSymbol;
    case SymbolKind::macro:
      return kMethodSymbol;
    case SymbolKind::localLabel:
      return kVariableSymbol;
    default:
      return kFunctionSymbol;
  }
}

}  // namespace

const std::string& SourceTexts::textOf(const std::string& path) {
  if (const Document* doc = documents_.findByPath(path)) return doc->text;
  auto [it, added] = disk_.try_emplace(path);
  if (added) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    it->second = text.str();
  }
  return it->second;
}

std::string_view SourceTexts::lineOf(const std::string& path, int line) {
  const std::string& text = textOf(path);
  auto [it, added] = lineStarts_.try_emplace(path);
  std::vector<std::size_t>& starts = it->second;
  if (added) {
    starts.push_back(0);
    for (std::size_t i = text.find('\n'); i != std::string::npos; i = text.find('\n', i + 1)) {
      starts.push_back(i + 1);
    }
  }
  if (line < 0 || static_cast<std::size_t>(line) >= starts.size()) return {};
  std::string_view rest = std::string_view(text).substr(starts[static_cast<std::size_t>(line)]);
  rest = rest.substr(0, rest.find('\n'));
  if (!rest.empty() && rest.back() == '\r') rest.remove_suffix(1);
  return rest;
}

json rangeOf(const Site& site, SourceTexts& texts, int tabWidth) {
  Word word = siteWord(site, texts, tabWidth);
  return rangeJson(std::max(site.line - 1, 0), word.start, word.end);
}

json definition(const Query& q, SourceTexts& texts) {
  if (const IncludeName* include = includeAt(q, texts)) {
    return json{{"uri", pathToUri(include->path)}, {"range", rangeJson(0, 0, 0)}};
  }
  const Symbol* symbol = symbolAt(q, texts);
  if (symbol == nullptr || !symbol->definition) return nullptr;
  return locationJson(*symbol->definition, texts, q.analysis->tabWidth);
}

json references(const Query& q, SourceTexts& texts, bool includeDeclaration) {
  const Symbol* symbol = symbolAt(q, texts);
  if (symbol == nullptr) return nullptr;
  json locations = json::array();
  for (const Site& site : writtenSites(*symbol, includeDeclaration)) {
    locations.push_back(locationJson(site, texts, q.analysis->tabWidth));
  }
  return locations;
}

json rename(const Query& q, SourceTexts& texts, const std::string& newName, std::string& error) {
  const Symbol* symbol = symbolAt(q, texts);
  if (symbol == nullptr) {
    error = msg::lspNothingToRename;
    return nullptr;
  }
  if (!isValidName(newName, symbol->kind == SymbolKind::localLabel)) {
    error = format(msg::lspInvalidName, newName.c_str());
    return nullptr;
  }
  json changes = json::object();
  for (const Site& site : writtenSites(*symbol, true)) {
    json edit{{"range", rangeOf(site, texts, q.analysis->tabWidth)}, {"newText", newName}};
    changes[pathToUri(site.file)].push_back(std::move(edit));
  }
  return json{{"changes", changes}};
}

json hover(const Query& q, SourceTexts& texts) {
  std::vector<std::string> parts;
  std::string_view line = lineOf(q.document.text, q.position.line);
  Word word = wordAt(line, offsetOf(line, Position{0, q.position.character}));
  if (const Symbol* symbol = symbolAt(q, texts)) {
    parts.push_back(symbolHover(*symbol));
  } else if (std::string forms = mnemonicHover(word.text); !forms.empty()) {
    parts.push_back(forms);
  } else if (const Product* product = findProduct(word.text)) {
    parts.push_back(productHover(*product));
  } else if (const Product* named = cpuLineProduct(line)) {
    parts.push_back(productHover(*named));
  }
  if (const CodeLine* code = codeLineAt(q.analysis, q.document.path, q.position.line + 1)) {
    parts.push_back(codeLineHover(*code));
  }
  if (parts.empty()) return nullptr;
  std::string text;
  for (const std::string& part : parts) text += (text.empty() ? "" : "\n\n") + part;
  return json{{"contents", {{"kind", "markdown"}, {"value", text}}}};
}

json completion(const Query& q) {
  json items = json::array();
  std::set<std::string_view> mnemonics;
  for (const OpcodeRow& row : kOpcodeMap) mnemonics.insert(row.mnemonic);
  for (std::string_view m : mnemonics) addItem(items, m, kKeywordItem, mnemonicHover(m));
  for (std::string_view d : statementKeywords()) addItem(items, d, kKeywordItem);
  for (const std::string& r : registerWords()) addItem(items, r, kPropertyItem);
  std::set<std::string_view> products;
  for (const Product& p : productTable()) {
    if (products.insert(p.id).second) addItem(items, p.id, kValueItem, productHover(p));
  }
  if (q.analysis == nullptr) return items;
  std::string scope = scopeAt(*q.analysis, q.document.path, q.position.line + 1);
  for (const Symbol& symbol : q.analysis->symbols) {
    if (symbol.kind == SymbolKind::localLabel && symbol.scope != scope) continue;
    int kind = symbol.kind == SymbolKind::macro      ? kFunctionItem
               : symbol.kind == SymbolKind::constant ? kConstantItem
                                                     : kVariableItem;
    addItem(items, symbol.name, kind, symbolHover(symbol));
  }
  return items;
}

json documentSymbols(const Query& q, SourceTexts& texts) {
  json symbols = json::array();
  if (q.analysis == nullptr) return symbols;
  auto inThisFile = [&](const Symbol& s) {
    return s.definition && !s.definition->inExpansion && s.definition->file == q.document.path;
  };
  const int tabWidth = q.analysis->tabWidth;
  for (const Symbol& symbol : q.analysis->symbols) {
    if (!inThisFile(symbol) || symbol.kind == SymbolKind::localLabel) continue;
    json entry = symbolJson(symbol, symbolNumber(symbol.kind), texts, tabWidth);
    if (symbol.kind == SymbolKind::label) {
      json children = json::array();
      for (const Symbol& local : q.analysis->symbols) {
        if (local.kind == SymbolKind::localLabel && local.scope == symbol.name &&
            inThisFile(local)) {
          children.push_back(symbolJson(local, kVariableSymbol, texts, tabWidth));
        }
      }
      if (!children.empty()) entry["children"] = std::move(children);
    }
    symbols.push_back(std::move(entry));
  }
  return symbols;
}

json inlayHints(const Query& q, SourceTexts& texts, int firstLine, int lastLine) {
  json hints = json::array();
  if (q.analysis == nullptr) return hints;
  auto inFile = q.analysis->lines.find(q.document.path);
  if (inFile == q.analysis->lines.end()) return hints;
  for (auto it = inFile->second.lower_bound(firstLine + 1);
       it != inFile->second.end() && it->first <= lastLine + 1; ++it) {
    const CodeLine& code = it->second;
    std::string label;
    if (!code.bytes.empty()) {
      std::string bytes = bytesText(code);
      label = format(msg::lspHintCodeLine, toUnsigned(code.address), bytes.c_str(), code.cycles);
    }
    for (const std::string& filler : code.fillers)
      label += format(msg::lspHintFillers, filler.c_str());
    std::string_view line = texts.lineOf(q.document.path, it->first - 1);
    hints.push_back(json{{"position", positionJson(it->first - 1, line.size())},
                         {"label", label},
                         {"paddingLeft", true}});
  }
  return hints;
}

json documentLinks(const Query& q, SourceTexts& texts) {
  json links = json::array();
  if (q.analysis == nullptr) return links;
  for (const IncludeName& include : q.analysis->includes) {
    if (include.site.inExpansion || include.site.file != q.document.path) continue;
    std::string_view line = texts.lineOf(include.site.file, include.site.line - 1);
    std::size_t start = rawColumn(line, include.site.column, q.analysis->tabWidth);
    links.push_back(json{{"range", rangeJson(include.site.line - 1, start,
                                             std::min(start + include.name.size(), line.size()))},
                         {"target", pathToUri(include.path)}});
  }
  return links;
}

json diagnosticsOf(const Analysis& analysis, const std::string& file, SourceTexts& texts) {
  json diagnostics = json::array();
  for (const Diagnostic& d : analysis.diagnostics) {
    if (d.site.file != file) continue;
    std::string_view line = texts.lineOf(file, d.site.line - 1);
    std::size_t start = rawColumn(line, d.site.column, analysis.tabWidth);
    // The cursor of a report stands on the name it is about, or just behind it.
    Word word = wordAt(line, start);
    if (word.text.empty()) word = wordFrom(line, start);
    json entry{{"range", rangeJson(std::max(d.site.line - 1, 0), word.start, word.end)},
               {"severity", static_cast<int>(d.severity)},
               {"source", "zelas"},
               {"message", d.message}};
    for (const Site& invocation : d.expansions) {
      entry["relatedInformation"].push_back(
          json{{"location", locationJson(invocation, texts, analysis.tabWidth)},
               {"message", msg::lspInExpansionOf}});
    }
    diagnostics.push_back(std::move(entry));
  }
  return json{{"uri", pathToUri(file)}, {"diagnostics", diagnostics}};
}

}  // namespace zelas::lsp
