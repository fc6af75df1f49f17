// The language features, each answered from an analysis (the assembler's own record of the
// program) and the assembler's tables: the results of the protocol's requests, as JSON.
#pragma once

#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "lsp/analysis.h"
#include "lsp/document_store.h"

namespace zelas::lsp {

// What a request is about: a document, its analysis (null before the first), a position.
struct Query {
  const Document& document;
  const Analysis* analysis;
  Position position;
};

// The source text of a file: the open document, else the file on disk (empty when unreadable).
class SourceTexts {
 public:
  explicit SourceTexts(const DocumentStore& documents) : documents_(documents) {}
  const std::string& textOf(const std::string& path);
  // Line line (0-based) of that text, without its line end; empty beyond the last line. The
  // line starts of a text are found once: a request may name thousands of lines.
  std::string_view lineOf(const std::string& path, int line);

 private:
  const DocumentStore& documents_;
  std::map<std::string, std::string> disk_;
  std::map<std::string, std::vector<std::size_t>> lineStarts_;
};

// The protocol range of a site: the name that starts at its column, or the line's start inside
// a macro expansion.
nlohmann::json rangeOf(const Site& site, SourceTexts& texts, int tabWidth);

nlohmann::json definition(const Query& q, SourceTexts& texts);
nlohmann::json references(const Query& q, SourceTexts& texts, bool includeDeclaration);
// A WorkspaceEdit; null with error set when nothing renamable stands at the position or
// newName can't name it.
nlohmann::json rename(const Query& q, SourceTexts& texts, const std::string& newName,
                      std::string& error);
nlohmann::json hover(const Query& q, SourceTexts& texts);
nlohmann::json completion(const Query& q);
nlohmann::json documentSymbols(const Query& q, SourceTexts& texts);
nlohmann::json inlayHints(const Query& q, SourceTexts& texts, int firstLine, int lastLine);
nlohmann::json documentLinks(const Query& q, SourceTexts& texts);
// The publishDiagnostics params of every file of the analysis (an empty list for a file
// without reports, which clears what an older analysis left).
nlohmann::json diagnosticsOf(const Analysis& analysis, const std::string& file, SourceTexts& texts);

}  // namespace zelas::lsp
