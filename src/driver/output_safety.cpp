#include "driver/output_safety.h"

#include <cstdio>
#include <optional>

#include "core/assembler.h"
#include "diag/messages.h"

namespace zelas {

namespace {

bool sameName(FileSystem& files, const std::string& a, const std::string& b) {
  std::optional<NameId> na = files.identifyName(a);
  std::optional<NameId> nb = files.identifyName(b);
  return na && nb && *na == *nb;
}

// The file read, by the identity it had when it was read or by its name.
bool replacesInput(FileSystem& files, const std::string& output, const FileRead& input) {
  std::optional<FileId> id = files.identify(output);
  return (id && *id == input.id) || sameFile(files, output, input.path);
}

// The input output would replace, if any.
const std::string* inputReplacedBy(Assembler& as, const std::string& output,
                                   const std::vector<std::string>& inputs) {
  for (const std::string& input : inputs) {
    if (sameFile(as.files, output, input)) return &input;
  }
  for (const FileRead& input : as.inputsRead) {
    if (replacesInput(as.files, output, input)) return &input.path;
  }
  return nullptr;
}

}  // namespace

bool sameFile(FileSystem& files, const std::string& a, const std::string& b) {
  std::optional<FileId> ia = files.identify(a);
  std::optional<FileId> ib = files.identify(b);
  return (ia && ib && *ia == *ib) || sameName(files, a, b);
}

bool outputsAreSafe(Assembler& as, const std::vector<std::string>& outputs,
                    const std::vector<std::string>& inputs) {
  for (std::size_t i = 0; i < outputs.size(); ++i) {
    if (const std::string* input = inputReplacedBy(as, outputs[i], inputs)) {
      std::fprintf(as.err, msg::outputIsInput, outputs[i].c_str(), input->c_str());
      return false;
    }
    for (std::size_t j = 0; j < i; ++j) {
      if (sameFile(as.files, outputs[j], outputs[i])) {
        std::fprintf(as.err, msg::outputsCollide, outputs[j].c_str(), outputs[i].c_str());
        return false;
      }
    }
  }
  return true;
}

}  // namespace zelas
