// The whole state of one assembly run. Every operation of the assembler takes it by reference;
// nothing lives in globals, so one process can run any number of assemblies.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "core/buffers.h"
#include "core/file_system.h"
#include "core/value.h"
#include "diag/diagnostic.h"
#include "driver/dependencies.h"
#include "macro/macro.h"
#include "scan/source_file.h"
#include "statements/defined_symbols.h"
#include "symbols/label_table.h"

namespace zelas {

class AssemblyObserver;
struct Product;

// Thrown by a fatal stop (a fatal diagnostic, or a file that can't be opened); only the driver
// catches it, flushes the listing and ends the run with status 1.
struct FatalStop {};

// Diagnostics on standard error: the classic two-line form, or one GNU-style line per report.
enum class DiagnosticStyle { classic, gnu };

// One open macro expansion, for the positions of diagnostic records (diag/diagnostic.h). An
// expansion runs for every invocation and a report is rare, so the frame keeps pointers and
// offsets, and positions are worked out only when a report needs them. Each pointer points to
// what outlives the frame: the macro's record and body, the open file's path.
struct MacroInvocation {
  const Macro* macro = nullptr;
  const BodyLine* bodyLine = nullptr;  // the body line being replayed now
  // The invoking line: on a line of a file, that file and line number; on a body line of the
  // enclosing expansion (same include level), found through that frame instead.
  const std::string* file = nullptr;
  int line = 0;
  std::size_t nameOffset = 0;  // where the invoked name begins in the invoking line (expanded)
  int includeDepth = 0;        // include level the invocation belongs to
};

// A file the run read: outputs may not replace it.
struct FileRead {
  std::string path;
  FileId id;
};
// Reports shown in one run at most, unless --max-reports says otherwise; the next one stops the
// run. Far above what a real program meets, however many warnings a generated table draws.
inline constexpr int kDefaultMaxReports = 10000;

struct Assembler {
  // A run on files of its own: an empty in-memory file system.
  Assembler(std::FILE* out, std::FILE* err);
  // A run reading and writing through files, which outlives the run.
  Assembler(std::FILE* out, std::FILE* err, FileSystem& files);
  ~Assembler();
  Assembler(const Assembler&) = delete;
  Assembler& operator=(const Assembler&) = delete;

  // Console streams of this run.
  std::FILE* out;
  std::FILE* err;

 private:
  std::unique_ptr<FileSystem> ownFiles_;  // of a run given none; declared before files

 public:
  // Every file the run reads or writes goes through this.
  FileSystem& files;

  // Passes and image.
  int pass = 0;  // 0 while the configuration is read, then 1 and 2
  Value pc = 0;
  Value maxPC = 0;
  std::vector<std::uint8_t> romImage;  // sized with maxPC at the end of pass 1
  Value fillValue = 0;
  Value checksum = 0;

  // Options.
  int tabWidth = 8;
  bool briefMode = false;
  bool romRangeCheck = true;
  DiagnosticStyle diagnosticStyle = DiagnosticStyle::classic;
  bool colorReports = false;             // --color: severity words on standard error in colour
  std::vector<std::string> includePath;  // --include-path folders, searched in order

  // Told what pass 2 assembles (see core/observer.h); none on the command line.
  AssemblyObserver* observer = nullptr;

  // Diagnostics.
  bool reportingEnabled = false;
  int warningCount = 0;
  int errorCount = 0;
  bool outputFailed = false;            // an output file could not be written completely
  bool romOverflowReported = false;     // code or data beyond the product's ROM, told once
  int maxReports = kDefaultMaxReports;  // reports shown at most (--max-reports); 0: no bound
  int reportsShown = 0;
  int lineReports = 0;         // shown for the current line
  int lineReportsLeftOut = 0;  // counted but not shown for the current line
  // Told of every shown report; none by default, and then no record is built.
  std::vector<DiagnosticListener> diagnosticListeners;

  // Page handling: 1 on, 0 off, 2 suspended while data directives emit.
  int xpageEnabled = 1;

  // Conditional assembly.
  int assemblyEnabled = 1;
  std::vector<int> condStack = std::vector<int>(1, 1);  // entry 0 is the base level
  int condDepth = 0;
  DefinedSymbols definedSymbols;
  // Bit i: the product of row i has put its names among the defined symbols. Names are never
  // removed, so a "cpu" line for a product seen before has nothing to add.
  std::uint64_t productsDefined = 0;

  const Product* currentProduct;

  // Labels.
  LabelTable labels;
  Label* lineLabel = nullptr;
  bool exprResolved = false;

  // Macros.
  MacroTable macroTable;
  int macroDepth = 0;       // macro expansions now open
  int includeDepth = 0;     // include levels now open
  int expandedLines = 0;    // macro body lines replayed in this pass
  long long fileLines = 0;  // lines read from files in this pass, first reads
  std::unordered_set<std::string> filesReadThisPass;
  int includedFiles = 0;                    // files opened by include in this pass
  std::vector<MacroInvocation> expansions;  // open macro expansions, innermost last

  // Every file read (source, includes), each once in first-use order, for --deps.
  FileSet filesRead;
  // Every file opened for reading (configuration, source, includes), by identity, in opening
  // order; names of one file may repeat.
  std::vector<FileRead> inputsRead;
  // The configuration file read, if any.
  std::optional<std::string> configurationPath;
  // What the first reading of each file name read; every later reading, in either pass, must
  // read the same. Keyed by name, not by order: pass 2 may include a file that a conditional
  // skipped in pass 1.
  std::unordered_map<std::string, FileStamp> firstReadings;

  // Listing and the current line.
  std::unique_ptr<OutputFile> listFile;
  std::string listPath;  // the name the listing is committed under
  // Listing text not yet handed to listFile. Lines are gathered here and passed on in large
  // blocks (flushListing), which costs far less than a library call per line.
  std::unique_ptr<char[]> listPending;
  std::size_t listPendingSize = 0;
  std::size_t listPendingCapacity = 0;  // the size of listPending's block
  SourceFile* sourceFile = nullptr;
  char* lineStart;
  char* scanPos;
  // Where the token read last begins in the current line: the column a report points at. Null
  // until a token of the line is read.
  const char* tokenStart = nullptr;
  int lineNumber = 0;

  // Scanner buffers, overwritten by the next call of their operation.
  LineBuffer tokenBuffer{};
  std::size_t tokenLength = 0;  // of the text in tokenBuffer
  LineBuffer blankBuffer{};

  // The text readToken read last: the hot paths take it with its length rather than measure it.
  std::string_view lastToken() const { return {tokenBuffer.data(), tokenLength}; }

  // Used while nothing else is current, so lineStart always points at a terminated text.
  LineBuffer idleLine{};
};

}  // namespace zelas
