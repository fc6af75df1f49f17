// One analysis of a program: the two passes run over the editor's buffers, and what the
// assembler's observer and reports told about it, kept for the features to answer from.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/value.h"
#include "lsp/document_store.h"
#include "lsp/project_options.h"

namespace zelas::lsp {

// A place in a source file as the assembler saw it.
struct Site {
  std::string file;  // absolute path
  int line = 0;      // 1-based
  int column = 0;    // 0-based, with the line's tabs expanded
  bool inExpansion = false;
  friend bool operator==(const Site&, const Site&) = default;
};

enum class SymbolKind { label, localLabel, constant, macro };

struct Symbol {
  SymbolKind kind = SymbolKind::label;
  std::string name;
  std::string scope;  // local labels: the global label they belong to
  Value value = 0;
  bool resolved = true;
  std::optional<Site> definition;
  std::vector<Site> references;
};

// What one source line placed in the image.
struct CodeLine {
  Value address = 0;
  std::vector<int> bytes;
  int cycles = 0;
  std::vector<std::string> fillers;  // XPAGE/NOP the page rule inserted before the line
};

struct IncludeName {
  Site site;
  std::string name;
  std::string path;  // absolute: the file that was looked for
};

enum class Severity { error = 1, warning = 2, information = 3 };

struct Diagnostic {
  Site site;
  Severity severity = Severity::error;
  std::string message;
  std::vector<Site> expansions;  // the invocations that led here, innermost first
};

struct Analysis {
  std::string root;  // the main source
  int tabWidth = 8;
  std::vector<Symbol> symbols;
  std::map<std::string, std::map<int, CodeLine>> lines;  // by file, then 1-based line
  std::vector<IncludeName> includes;
  std::vector<Diagnostic> diagnostics;
  std::vector<std::string> files;  // every file read, the root first
  std::string product;             // the product current at the end
};

// Assembles root (an absolute path) with options; open documents stand in for their files.
Analysis analyse(const std::string& root, const DocumentStore& documents,
                 const ProjectOptions& options);

}  // namespace zelas::lsp
