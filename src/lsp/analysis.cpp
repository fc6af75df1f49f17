#include "lsp/analysis.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <unordered_map>
#include <utility>

#include "core/assembler.h"
#include "core/observer.h"
#include "driver/driver.h"
#include "macro/macro.h"
#include "symbols/label_table.h"
#include "target/product.h"

namespace zelas::lsp {

namespace {

namespace fs = std::filesystem;

// A line's bytes beyond this many are summed up in the cycles only: a hint shows a few.
constexpr std::size_t kBytesKept = 16;

// Records what pass 2 reports, with file names made absolute against the source's folder, where
// the assembler opens them.
class Recorder final : public AssemblyObserver {
 public:
  Recorder(Analysis& analysis, fs::path folder) : analysis_(analysis), folder_(std::move(folder)) {}

  void codeLine(const SourceSpot& spot, Value address, const int* bytes, int count,
                int cycles) override {
    if (spot.file == nullptr) return;
    CodeLine& line = analysis_.lines[absolute(*spot.file)][spot.line];
    if (line.bytes.empty()) line.address = address;
    for (int i = 0; i < count && line.bytes.size() < kBytesKept; ++i)
      line.bytes.push_back(bytes[i]);
    line.cycles += cycles;
  }

  void fillerInserted(const SourceSpot& spot, Value, int, int, const char* text) override {
    if (spot.file == nullptr) return;
    analysis_.lines[absolute(*spot.file)][spot.line].fillers.emplace_back(text);
  }

  void labelDefined(const SourceSpot& spot, const Label& label) override {
    Symbol& symbol = symbolOf(label);
    if (!symbol.definition) symbol.definition = siteOf(spot);
  }

  void labelUsed(const SourceSpot& spot, const Label& label) override {
    symbolOf(label).references.push_back(siteOf(spot));
  }

  void macroDefined(const SourceSpot& spot, const Macro& macro) override {
    Symbol& symbol = symbolOf(macro);
    if (!symbol.definition) symbol.definition = siteOf(spot);
  }

  void macroInvoked(const SourceSpot& spot, const Macro& macro) override {
    symbolOf(macro).references.push_back(siteOf(spot));
  }

  void includeNamed(const SourceSpot& spot, const std::string& name,
                    const std::string& path) override {
    analysis_.includes.push_back(IncludeName{siteOf(spot), name, absolute(path)});
  }

  // Takes the final values of the labels seen, while the assembler still holds them.
  void finish() {
    for (const auto& [label, index] : labels_) {
      Symbol& symbol = analysis_.symbols[index];
      symbol.value = label->value;
      symbol.resolved = label->resolved;
      if (label->kind == '=') symbol.kind = SymbolKind::constant;
    }
  }

  const std::string& absolute(const std::string& path) {
    if (path != lastPath_) {
      lastPath_ = path;
      lastAbsolute_ = (folder_ / path).lexically_normal().string();
    }
    return lastAbsolute_;
  }

 private:
  Site siteOf(const SourceSpot& spot) {
    Site site;
    site.file = spot.file != nullptr ? absolute(*spot.file) : analysis_.root;
    site.line = spot.line;
    site.column = spot.column;
    site.inExpansion = spot.inExpansion;
    return site;
  }

  Symbol& symbolOf(const Label& label) {
    auto [it, added] = labels_.try_emplace(&label, analysis_.symbols.size());
    if (added) {
      Symbol& symbol = analysis_.symbols.emplace_back();
      symbol.name = label.name;
      if (label.scope != nullptr) {
        symbol.kind = SymbolKind::localLabel;
        symbol.scope = label.scope->name;
      }
    }
    return analysis_.symbols[it->second];
  }

  Symbol& symbolOf(const Macro& macro) {
    auto [it, added] = macros_.try_emplace(&macro, analysis_.symbols.size());
    if (added) {
      Symbol& symbol = analysis_.symbols.emplace_back();
      symbol.kind = SymbolKind::macro;
      symbol.name = macro.name;
    }
    return analysis_.symbols[it->second];
  }

  Analysis& analysis_;
  fs::path folder_;
  std::unordered_map<const Label*, std::size_t> labels_;
  std::unordered_map<const Macro*, std::size_t> macros_;
  std::string lastPath_;
  std::string lastAbsolute_;
};

// Text written to a stream opened by openMemoryStream, readable once the stream is closed.
class MemoryStream {
 public:
  MemoryStream() : file_(open_memstream(&text_, &size_)) {}
  ~MemoryStream() {
    close();
    std::free(text_);
  }
  MemoryStream(const MemoryStream&) = delete;
  MemoryStream& operator=(const MemoryStream&) = delete;
  std::FILE* file() const { return file_; }
  std::string take() {
    close();
    return text_ != nullptr ? std::string(text_, size_) : std::string();
  }

 private:
  void close() {
    if (file_ != nullptr) std::fclose(std::exchange(file_, nullptr));
  }
  char* text_ = nullptr;
  std::size_t size_ = 0;
  std::FILE* file_;
};

Severity severityOf(const std::string& word) {
  return word == "warning" ? Severity::warning : Severity::error;
}

// The reports of a run in the one-line form ("FILE:LINE:COL: severity: message", each followed
// by the notes of the expansions that led to it).
void takeReports(Analysis& analysis, Recorder& recorder, const std::string& text) {
  static const std::regex kReport(R"(^(.*):(\d+):(\d+): (warning|error|fatal error|note): (.*)$)");
  static const std::regex kStop(R"(^(zelas: )?(fatal error|error|Error) ?: (.*)$)");
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    std::smatch m;
    if (std::regex_match(line, m, kReport)) {
      Site site{recorder.absolute(m[1]), std::stoi(m[2]), std::max(std::stoi(m[3]) - 1, 0), false};
      if (m[4] == "note" && !analysis.diagnostics.empty()) {
        analysis.diagnostics.back().expansions.push_back(site);
      } else if (m[4] != "note") {
        analysis.diagnostics.push_back(Diagnostic{site, severityOf(m[4]), m[5], {}});
      }
    } else if (std::regex_match(line, m, kStop)) {
      // A stop that names no line (a file that can't be opened): shown where the last include
      // was read, else at the top of the source.
      Site site{analysis.root, 1, 0, false};
      if (!analysis.includes.empty()) site = analysis.includes.back().site;
      analysis.diagnostics.push_back(Diagnostic{site, Severity::error, m[3], {}});
    }
  }
}

}  // namespace

Analysis analyse(const std::string& root, const DocumentStore& documents,
                 const ProjectOptions& options) {
  (void)documents;
  Analysis analysis;
  analysis.root = root;
  fs::path source(root);
  Recorder recorder(analysis, source.parent_path());
  std::vector<std::string> args = commandLineFor(options, source.filename().string());
  args.insert(args.begin(), "--diagnostics=gnu");
  MemoryStream out;
  MemoryStream err;
  {
    Assembler as(out.file(), err.file());
    as.observer = &recorder;
    std::error_code ignored;
    fs::path previous = fs::current_path(ignored);
    fs::current_path(source.parent_path(), ignored);
    runZelas(as, args);
    fs::current_path(previous, ignored);
    recorder.finish();
    analysis.tabWidth = as.tabWidth;
    if (as.currentProduct != nullptr) analysis.product = std::string(as.currentProduct->id);
    for (const std::string& name : as.filesRead.names()) {
      analysis.files.push_back(recorder.absolute(name));
    }
  }
  takeReports(analysis, recorder, err.take());
  return analysis;
}

}  // namespace zelas::lsp
