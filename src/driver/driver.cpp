#include "driver/driver.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <optional>
#include <utility>

#include "core/assembler.h"
#include "diag/color.h"
#include "diag/messages.h"
#include "diag/report.h"
#include "diag/sarif_log.h"
#include "driver/config.h"
#include "driver/dependencies.h"
#include "driver/feeder.h"
#include "driver/long_options.h"
#include "driver/output_safety.h"
#include "emit/listing.h"
#include "emit/output_files.h"
#include "emit/symbol_table.h"
#include "emit/symbols_file.h"
#include "macro/macro.h"
#include "statements/conditionals.h"
#include "symbols/literals.h"
#include "target/product.h"

namespace zelas {

namespace {

constexpr char kNoticeLine[] = "Two-pass assembler: listing, ROM dump and Intel HEX output.\n";
constexpr char kDefaultConfig[] = "zelas.cfg";
constexpr const char* kUsageLines[] = {
    "\nUsage: zelas source {-b -t nnn -c filename}\n",
    "             -pP: Product Name (P is the 6 character product name)\n",
    "             -dD: defined symbol (D is the symbol string\n",
    "             -b: Brief - Limited warnings.\n",
    "             -t: Tab spacing - nnn = # spaces for each tab.\n",
    "             -c: Config file - filename = new config file.\n",
};
// "%s.lst" and its siblings are formed in a 128-byte buffer: the base leaves room for the suffix.
constexpr int kMaxBaseLength = static_cast<int>(kFileNameSize) - 1 - 4;

// What the command line asked for.
struct Options {
  std::string source;
  std::optional<std::string> configName;
  std::string productName;
  Value tabOverride = 0;
  LongOptions longOptions;
};

// The example value shown for -p and -d when a bare one is followed by another argument.
const char* joinedValueExample(char option) {
  return option == 'p' ? "PX107" : "SYMBOL";
}

// A bare -p or -d takes no value from the next argument (that one is the source name): a note
// says so, since the run would otherwise go on for another product or without the symbol.
void noteBareOption(Assembler& as, const std::vector<std::string>& args, std::size_t i) {
  if (args[i].size() != 2 || i + 1 >= args.size()) return;
  char option = args[i][1];
  std::fprintf(as.err, msg::valueMustBeJoined, option, option, joinedValueExample(option),
               args[i + 1].c_str());
}

// An unknown -p product leaves the default product in place; the run says so on the console,
// before the configuration is read, so the counts do not take it.
void selectOptionProduct(Assembler& as, const std::string& name) {
  if (findProduct(name) == nullptr &&
      !recordDriverReport(as, Severity::warning, false, msg::unknownProduct,
                          driverMessage(msg::unknownProduct, name.c_str()).c_str())) {
    std::fprintf(as.err, msg::unknownProductOption, name.c_str());
  }
  selectProduct(as, name.c_str());
}

// A driver error that ends the run with status 1 after its message.
struct CommandLineError {};

void printBanner(Assembler& as) {
  std::fprintf(as.out, "ZELAS Version %s\n", kVersionText);
  std::fprintf(as.out, "For A and B series USB Microcontrollers\n");
  std::fprintf(as.out, "%s", kNoticeLine);
  if (as.listFile != nullptr) {
    listPrintf(as, "ZELAS Version %s\n", kVersionText);
    listPrintf(as, "%s\n", kNoticeLine);
  }
}

void printUsage(Assembler& as) {
  for (const char* line : kUsageLines) std::fputs(line, as.err);
}

// The value of -c or -t: the rest of the argument, or else the next argument.
std::string nextArgument(Assembler& as, const std::vector<std::string>& args, std::size_t& i) {
  if (args[i].size() > 2) return args[i].substr(2);
  if (i + 1 >= args.size()) {
    std::fputs(msg::missingSwitchArgument, as.err);
    throw CommandLineError{};
  }
  return args[++i];
}

Options walkArguments(Assembler& as, const std::vector<std::string>& args) {
  Options options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (isLongOption(arg)) {
      if (!takeLongOption(args, i, options.longOptions, as.err)) throw CommandLineError{};
      continue;
    }
    if (arg.empty() || arg[0] != '-') {
      options.source = arg;
      continue;
    }
    std::string rest = arg.size() > 2 ? arg.substr(2) : std::string();
    switch (arg.size() > 1 ? arg[1] : '\0') {
      case 'b':
        as.briefMode = true;
        break;
      case 'e':
        as.romRangeCheck = false;
        break;
      case 'c':
        options.configName = nextArgument(as, args, i);
        break;
      case 't':
        options.tabOverride = decimalValue(nextArgument(as, args, i));
        break;
      case 'd':
        if (!rest.empty()) addDefinedSymbol(as.definedSymbols, rest);
        if (rest.empty()) noteBareOption(as, args, i);
        break;
      case 'p':
        if (!rest.empty()) options.productName = rest;
        if (rest.empty()) noteBareOption(as, args, i);
        break;
      default:
        break;  // other letters, upper case and a lone "-" are ignored
    }
  }
  return options;
}

// prog.asm and prog both give prog: a name containing ".asm" anywhere loses its last four
// characters.
std::string baseName(const std::string& source) {
  if (source.find(".asm") != std::string::npos) return source.substr(0, source.size() - 4);
  return source;
}

// What ends a folder's name in a path: Windows takes the backslash as well.
#ifdef _WIN32
constexpr const char* kFolderSeparators = "/\\";
#else
constexpr const char* kFolderSeparators = "/";
#endif

// dir/name, with one separator between them.
std::string joinPath(const std::string& dir, const std::string& name) {
  bool separated = !dir.empty() && std::strchr(kFolderSeparators, dir.back()) != nullptr;
  return separated ? dir + name : dir + "/" + name;
}

// The base name of the outputs: the source's base, or with --output-dir its last part in that
// folder (the source stays where it is).
std::string outputBase(const Options& options, const std::string& base) {
  const std::optional<std::string>& dir = options.longOptions.outputDir;
  if (!dir) return base;
  return joinPath(*dir, base.substr(base.find_last_of(kFolderSeparators) + 1));
}

// With --output-dir, the --deps, --symbols and --sarif files named without a folder go into it
// too; a name with a folder stays as given.
void placeRequestedFiles(LongOptions& lo) {
  if (!lo.outputDir) return;
  for (std::optional<std::string>* file : {&lo.depsFile, &lo.symbolsFile, &lo.sarifFile}) {
    if (*file && (*file)->find_first_of(kFolderSeparators) == std::string::npos) {
      **file = joinPath(*lo.outputDir, **file);
    }
  }
}

void writeSummary(Assembler& as) {
  const Product& product = *as.currentProduct;
  listPrintf(as, "\n");
  listPrintf(as, "CheckSum = %04X\n", toUnsigned(as.checksum) & 0xFFFFu);
  listPrintf(as, "Warnings = %d\n", as.warningCount);
  listPrintf(as, "Errors   = %d\n", as.errorCount);
  listPrintf(as, "\nProduct: %.*s, CPU Family=%s, RAM=%d bytes, ROM=%d bytes\n",
             static_cast<int>(product.id.size()), product.id.data(),
             product.family == CpuFamily::A ? "A" : "B", ramSize(product), product.romSize);
}

// Between the passes: expansion counts and the local scope start again, and the image is
// allocated with the size pass 1 measured, filled with the fill byte.
void prepareSecondPass(Assembler& as) {
  resetExpansionCounts(as);
  resetLocalScope(as);
  as.expandedLines = 0;
  as.fileLines = 0;
  as.filesReadThisPass.clear();
  as.includedFiles = 0;
  as.pass = 2;
  as.pc = 0;
  as.reportingEnabled = true;
  // Pass 1 started with page handling on; pass 2 must too, or a source that ends with xpageoff
  // would place its first page-crossing code at other addresses than its labels say.
  as.xpageEnabled = 1;
  if (as.maxPC > kMaxImageSize || as.maxPC < 0) {
    reportFatal(as, msg::imageTooLarge, toUnsigned(as.maxPC), kMaxImageSize);
  }
  as.romImage.assign(static_cast<std::size_t>(as.maxPC), lowByte(as.fillValue));
}

void runPasses(Assembler& as, const std::string& base) {
  std::string source = base + ".asm";
  as.reportingEnabled = false;
  as.pass = 1;
  as.pc = 0;
  feedSource(as, source);
  closeConditionalsAtEnd(as);
  prepareSecondPass(as);
  feedSource(as, source);
  closeConditionalsAtEnd(as);
}

// The exit status is the warning count, saturated to what a process status holds; a run that
// reported errors never exits with 0, so build tools never take a faulty image for a good one.
int exitStatus(const Assembler& as) {
  int status = std::min(as.warningCount, 255);
  if (as.errorCount > 0 && status == 0) status = 1;
  return status;
}

// The --sarif log; one that cannot be written fails the run, as a missing log would hide its
// reports from the service reading it.
bool writeSarifLog(Assembler& as, const std::string& path, const SarifLog& log) {
  if (writeTextFile(as.files, path, log.text(versionNumber()))) return true;
  std::fprintf(as.err, msg::unableToCreate, path.c_str());
  return false;
}

// The files asked for with --sarif, --deps and --symbols. One that can't be written fails the run,
// so that make never takes a missing rule for a good one.
bool writeRequestedFiles(Assembler& as, const Options& options, const std::string& base,
                         const SarifLog& sarif) {
  const LongOptions& lo = options.longOptions;
  std::vector<std::string> leftOut;
  if (lo.sarifFile && !writeSarifLog(as, *lo.sarifFile, sarif)) return false;
  if (lo.symbolsFile && !writeTextFile(as.files, *lo.symbolsFile, symbolsFileText(as, &leftOut))) {
    std::fprintf(as.err, msg::unableToCreate, lo.symbolsFile->c_str());
    return false;
  }
  for (const std::string& name : leftOut) {
    std::fprintf(as.err, msg::symbolLeftOut, name.c_str(), lo.symbolsFile->c_str());
  }
  leftOut.clear();
  if (!lo.depsFile) return true;
  std::vector<std::string> targets = {base + ".lst", base + ".rom", base + ".hex"};
  if (lo.symbolsFile) targets.push_back(*lo.symbolsFile);
  std::vector<std::string> prerequisites = as.filesRead.names();
  // The configuration file this run read, if any: a make rule must name it too.
  if (as.configurationPath) prerequisites.push_back(*as.configurationPath);
  if (!writeTextFile(as.files, *lo.depsFile, dependencyRules(targets, prerequisites, &leftOut))) {
    std::fprintf(as.err, msg::unableToCreate, lo.depsFile->c_str());
    return false;
  }
  for (const std::string& name : leftOut) {
    std::fprintf(as.err, msg::depsNameLeftOut, name.c_str(), lo.depsFile->c_str());
  }
  return true;
}

// --help, --version and --list-products answer instead of assembling (the help before the
// version before the list, whatever their order). False when none was given.
bool printInformation(const LongOptions& lo, std::FILE* out) {
  if (lo.help) {
    printHelp(out);
  } else if (lo.version) {
    printVersion(out);
  } else if (lo.listProducts) {
    printProductList(out);
  } else {
    return false;
  }
  return true;
}

// Every file the run may write, the listing first.
std::vector<std::string> outputNames(const Options& options, const std::string& base) {
  std::vector<std::string> names = {base + ".lst", base + ".rom", base + ".hex"};
  if (options.longOptions.symbolsFile) names.push_back(*options.longOptions.symbolsFile);
  if (options.longOptions.depsFile) names.push_back(*options.longOptions.depsFile);
  if (options.longOptions.sarifFile) names.push_back(*options.longOptions.sarifFile);
  return names;
}

// A run stopped by a fatal report keeps its listing, complete up to the stop, which tells why.
// Images of an earlier run of the same base are removed: beside that listing they would pass
// for this run's result.
void finishStoppedRun(Assembler& as, const Options& options,
                      const std::vector<std::string>& outputs, const std::string& base,
                      const SarifLog& sarif) {
  if (!outputsAreSafe(as, outputs, {})) {
    discardListing(as);
    return;
  }
  closeListing(as);
  // The log of a stopped run tells why it stopped.
  const std::optional<std::string>& sarifFile = options.longOptions.sarifFile;
  if (sarifFile) writeSarifLog(as, *sarifFile, sarif);
  as.files.remove(base + ".rom");
  as.files.remove(base + ".hex");
}

// The run proper, once its listing is open; FatalStop and bad_alloc end it early.
int assembleToListing(Assembler& as, const Options& options, const std::string& base,
                      const std::vector<std::string>& outputs, const SarifLog& sarif) {
  if (!options.productName.empty()) selectOptionProduct(as, options.productName);
  printBanner(as);
  as.reportingEnabled = true;
  readConfiguration(as, options.configName.value_or(kDefaultConfig),
                    options.configName.has_value());
  if (options.tabOverride != 0) as.tabWidth = options.tabOverride;
  if (as.tabWidth < 1) as.tabWidth = 1;
  runPasses(as, baseName(options.source));
  // Only now are all the files read known: no output is committed before this.
  if (!outputsAreSafe(as, outputs, {})) {
    discardListing(as);
    return 1;
  }
  if (!writeImageFiles(as, base)) {
    closeListing(as);  // the listing shows how far the run came
    return 1;
  }
  writeSummary(as);
  writeSymbolTable(as);
  if (!closeListing(as)) {
    std::fprintf(as.err, msg::unableToCreate, as.listPath.c_str());
    return 1;
  }
  if (!writeRequestedFiles(as, options, base, sarif)) return 1;
  std::fputs(as.warningCount == 0 && as.errorCount == 0
                 ? "\nComplete!\n"
                 : "\nComplete (with warnings and/or errors)\n",
             as.out);
  return exitStatus(as);
}

int assemble(Assembler& as, const Options& options, const SarifLog& sarif) {
  std::string base = baseName(options.source);
  if (static_cast<int>(base.size()) > kMaxBaseLength) {
    std::fprintf(as.err, msg::nameTooLong, kMaxBaseLength, base.c_str());
    return 1;
  }
  std::string outBase = outputBase(options, base);
  std::vector<std::string> outputs = outputNames(options, outBase);
  // The source and the outputs are known before anything is read: a clash among them is told
  // at once.
  if (!outputsAreSafe(as, outputs, {base + ".asm"})) return 1;
  if (!openListing(as, outputs.front())) {
    std::fprintf(as.err, msg::unableToCreate, outputs.front().c_str());
    return 1;
  }
  try {
    return assembleToListing(as, options, outBase, outputs, sarif);
  } catch (const FatalStop&) {
    // The report that stopped the run is already told.
  } catch (const std::bad_alloc&) {
    std::fputs(msg::outOfMemory, as.err);
  }
  finishStoppedRun(as, options, outputs, outBase, sarif);
  return 1;
}

}  // namespace

int runZelas(const std::vector<std::string>& args, std::FILE* out, std::FILE* err,
             FileSystem& files) {
  return runZelas(args, out, err, files, {});
}

int runZelas(const std::vector<std::string>& args, std::FILE* out, std::FILE* err,
             FileSystem& files, std::vector<DiagnosticListener> listeners) {
  Assembler as(out, err, files);
  as.diagnosticListeners = std::move(listeners);
  return runZelas(as, args);
}

int runZelas(Assembler& as, const std::vector<std::string>& args) {
  if (args.empty()) {
    printBanner(as);
    printUsage(as);
    return 1;
  }
  addDefinedSymbol(as.definedSymbols, "true");
  int status = 1;
  SarifLog sarif;
  try {
    Options options = walkArguments(as, args);
    placeRequestedFiles(options.longOptions);
    if (printInformation(options.longOptions, as.out)) {
      std::fflush(as.out);
      return 0;
    }
    as.diagnosticStyle = options.longOptions.diagnostics;
    as.colorReports = colorWanted(options.longOptions.color, as.err);
    as.includePath = options.longOptions.includePath;
    if (options.longOptions.sarifFile) {
      as.diagnosticListeners.push_back([&sarif](const Diagnostic& d) { sarif.add(d); });
    }
    as.maxReports = options.longOptions.maxReports;
    if (options.source.empty()) {
      std::fputs(msg::noInputFile, as.err);
      return 1;
    }
    status = assemble(as, options, sarif);
  } catch (const CommandLineError&) {
    status = 1;
  } catch (const FatalStop&) {
    status = 1;
  } catch (const std::bad_alloc&) {
    std::fputs(msg::outOfMemory, as.err);
    status = 1;
  }
  std::fflush(as.out);
  std::fflush(as.err);
  return status;
}

}  // namespace zelas
