#include "diag/messages.h"
#include "disasm/disassembler.h"
#include "disasm/image_reader.h"
#include "disasm/text_format.h"
#include "driver/dependencies.h"
#include "driver/output_safety.h"

namespace zelas::dis {

namespace {

// What the command line asked for, or the fault that ends the run with status 1.
struct Request {
  std::string productId;  // empty: the default product, no cpu line
  std::string outputPath;
  std::string imagePath;
  bool beyondRom = false;
  std::string fault;
  bool showUsage = false;
  bool help = false;
};

// The value of -p or -o: the rest of the argument, or else the next argument.
bool takeValue(const std::vector<std::string>& args, std::size_t& i, std::string& value,
               Request& request) {
  if (args[i].size() > 2) {
    value = args[i].substr(2);
  } else if (i + 1 < args.size()) {
    value = args[++i];
  } else {
    request.fault = formatText(msg::disMissingValue, args[i].c_str());
    return false;
  }
  return true;
}

Request parseArguments(const std::vector<std::string>& args) {
  Request request;
  for (std::size_t i = 0; i < args.size() && request.fault.empty(); ++i) {
    const std::string& arg = args[i];
    if (arg.size() < 2 || arg[0] != '-') {
      request.imagePath = arg;  // a later name replaces an earlier one
    } else if (arg == "--help") {
      request.help = true;
      return request;
    } else if (arg[1] == 'p') {
      takeValue(args, i, request.productId, request);
    } else if (arg[1] == 'o') {
      takeValue(args, i, request.outputPath, request);
    } else if (arg == "-e") {
      request.beyondRom = true;
    } else {
      request.fault = formatText(msg::disUnknownOption, arg.c_str());
      request.showUsage = true;
    }
  }
  if (request.fault.empty() && request.imagePath.empty()) {
    request.fault = msg::disNoImage;
    request.showUsage = true;
  }
  return request;
}

// The options of the disassembly; the fault is set when the product is unknown.
DisassemblyOptions optionsFor(Request& request) {
  DisassemblyOptions options;
  options.product = &productTable().front();
  if (!request.productId.empty()) {
    options.product = findProduct(request.productId);
    if (options.product == nullptr) {
      request.fault = formatText(msg::disUnknownProduct, request.productId.c_str());
    }
    options.writeCpuLine = true;
  }
  options.imageName = request.imagePath;
  return options;
}

// Writes the source to standard output or to the -o file; false when the file failed.
bool writeSource(FileSystem& files, const Request& request, const std::string& source,
                 std::FILE* out) {
  if (request.outputPath.empty()) {
    // Flushed here: a full disk or a closed pipe must fail the run, not pass unseen at exit.
    std::fputs(source.c_str(), out);
    return std::fflush(out) == 0 && std::ferror(out) == 0;
  }
  return writeTextFile(files, request.outputPath, source);
}

int failWith(const Request& request, std::FILE* err) {
  std::fprintf(err, msg::disFault, request.fault.c_str());
  if (request.showUsage) std::fputs(msg::disUsage, err);
  return 1;
}

}  // namespace

int runDisassembler(const std::vector<std::string>& args, std::FILE* out, std::FILE* err,
                    FileSystem& files) {
  Request request = parseArguments(args);
  if (request.help) {
    std::fputs(msg::disHelp, out);
    return std::fflush(out) == 0 ? 0 : 1;
  }
  if (!request.fault.empty()) return failWith(request, err);
  // The source would replace the image it is made from, perhaps its only copy.
  if (!request.outputPath.empty() && sameFile(files, request.outputPath, request.imagePath)) {
    request.fault =
        formatText(msg::disOutputIsImage, request.outputPath.c_str(), request.imagePath.c_str());
    return failWith(request, err);
  }
  DisassemblyOptions options = optionsFor(request);
  if (!request.fault.empty()) return failWith(request, err);
  ImageLimit limit{static_cast<std::size_t>(options.product->romSize), request.beyondRom,
                   options.product->id};
  ImageRead read = readImageFile(files, request.imagePath, limit);
  if (!read.ok()) {
    request.fault = read.error;
    return failWith(request, err);
  }
  if (!writeSource(files, request, disassembleImage(read.image, options), out)) {
    request.fault = formatText(msg::disUnableToCreate,
                               request.outputPath.empty() ? "-" : request.outputPath.c_str());
    return failWith(request, err);
  }
  return 0;
}

}  // namespace zelas::dis
