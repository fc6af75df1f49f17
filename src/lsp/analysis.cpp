#include "lsp/analysis.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <unordered_map>
#include <utility>

#include "core/assembler.h"
#include "core/observer.h"
#include "diag/diagnostic.h"
#include "diag/messages.h"
#include "driver/driver.h"
#include "lsp/editor_file_system.h"
#include "macro/macro.h"
#include "symbols/label_table.h"
#include "target/product.h"

namespace zelas::lsp {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kMessageSize = 512;
constexpr char kErrorTitle[] = "Error : ";

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
#ifdef _WIN32
  // Windows has no stream into memory; no caller reads the text back, so the null device
  // takes it.
  MemoryStream() : file_(std::fopen("NUL", "wb")) {}
#else
  MemoryStream() : file_(open_memstream(&text_, &size_)) {}
#endif
  ~MemoryStream() {
    close();
    std::free(text_);
  }
  MemoryStream(const MemoryStream&) = delete;
  MemoryStream& operator=(const MemoryStream&) = delete;
  std::FILE* file() const {
    return file_;
  }
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

Site siteOf(Recorder& recorder, const SourcePosition& position) {
  return Site{recorder.absolute(position.file), position.line, std::max(position.column - 1, 0),
              false};
}

// A report as the command line shows it, at its line (the top of the source for one that
// belongs to no line), with the invocations that led to it.
lsp::Diagnostic diagnosticOf(Recorder& recorder, const std::string& root,
                             const zelas::Diagnostic& d) {
  lsp::Diagnostic diagnostic;
  diagnostic.site = d.position ? siteOf(recorder, *d.position) : Site{root, 1, 0, false};
  diagnostic.severity =
      d.severity == zelas::Severity::warning ? lsp::Severity::warning : lsp::Severity::error;
  diagnostic.message = d.message;
  for (const ExpansionStep& step : d.expansions) {
    diagnostic.expansions.push_back(siteOf(recorder, step.invokedAt));
  }
  return diagnostic;
}

// A file that could not be opened stops the run with a console line of its own rather than a
// report: it is shown where it was named, the include statement or the top of the source.
void reportUnopenedFile(Analysis& analysis) {
  std::string named = analysis.root;
  Site site{analysis.root, 1, 0, false};
  if (!analysis.includes.empty()) {
    named = analysis.includes.back().path;
    site = analysis.includes.back().site;
  }
  if (std::find(analysis.files.begin(), analysis.files.end(), named) != analysis.files.end())
    return;
  char text[kMessageSize];
  std::snprintf(text, sizeof text, msg::unableToOpen, named.c_str());
  std::string message = text;
  // The console form's line ends and title are not part of the message.
  message.erase(0, message.find_first_not_of('\n'));
  if (message.rfind(kErrorTitle, 0) == 0) message.erase(0, std::strlen(kErrorTitle));
  while (!message.empty() && message.back() == '\n') message.pop_back();
  analysis.diagnostics.push_back(lsp::Diagnostic{site, lsp::Severity::error, message, {}});
}

}  // namespace

Analysis analyse(const std::string& root, const DocumentStore& documents,
                 const ProjectOptions& options) {
  Analysis analysis;
  analysis.root = root;
  fs::path source(root);
  Recorder recorder(analysis, source.parent_path());
  std::vector<std::string> args = commandLineFor(options, source.filename().string());
  MemoryStream out;
  MemoryStream err;
  bool stopped = false;
  int status = 0;
  {
    EditorFileSystem files(documents, source.parent_path().string());
    Assembler as(out.file(), err.file(), files);
    as.observer = &recorder;
    as.diagnosticListeners.push_back([&](const zelas::Diagnostic& d) {
      analysis.diagnostics.push_back(diagnosticOf(recorder, root, d));
      stopped = stopped || d.severity == zelas::Severity::fatal;
    });
    status = runZelas(as, args);
    recorder.finish();
    analysis.tabWidth = as.tabWidth;
    if (as.currentProduct != nullptr) analysis.product = std::string(as.currentProduct->id);
    for (const std::string& name : as.filesRead.names()) {
      analysis.files.push_back(recorder.absolute(name));
    }
  }
  if (!stopped && status != 0) reportUnopenedFile(analysis);
  return analysis;
}

}  // namespace zelas::lsp
