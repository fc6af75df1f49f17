#include "driver/output_safety.h"

#include <cstdio>
#include <optional>

#include "core/assembler.h"
#include "diag/messages.h"

namespace zelas {

namespace {

// What two names are compared by: the file each reaches and the name in its folder.
struct Identity {
  std::optional<FileId> file;
  std::optional<NameId> name;
};

Identity identityOf(FileSystem& files, const std::string& path) {
  return {files.identify(path), files.identifyName(path)};
}

bool sameIdentity(const Identity& a, const Identity& b) {
  return (a.file && b.file && *a.file == *b.file) || (a.name && b.name && *a.name == *b.name);
}

// The identities of names, each asked of the file system once: every output is compared with
// every input and every other output, and asking means a path walk (a stat on disk).
std::vector<Identity> identitiesOf(FileSystem& files, const std::vector<std::string>& paths) {
  std::vector<Identity> ids;
  ids.reserve(paths.size());
  for (const std::string& path : paths) ids.push_back(identityOf(files, path));
  return ids;
}

// A file the run has read, with the identity it had when it was read and its name's now.
struct ReadIdentity {
  const FileRead* read;
  Identity now;
};

// The inputs of one check, named and read, with their identities.
class SafetyCheck {
 public:
  SafetyCheck(Assembler& as, const std::vector<std::string>& inputs)
      : inputs_(inputs), inputIds_(identitiesOf(as.files, inputs)) {
    reads_.reserve(as.inputsRead.size());
    for (const FileRead& read : as.inputsRead) {
      reads_.push_back({&read, identityOf(as.files, read.path)});
    }
  }

  // The input output would replace, if any.
  const std::string* inputReplacedBy(const Identity& output) const {
    for (std::size_t i = 0; i < inputs_.size(); ++i) {
      if (sameIdentity(output, inputIds_[i])) return &inputs_[i];
    }
    for (const ReadIdentity& input : reads_) {
      if ((output.file && *output.file == input.read->id) || sameIdentity(output, input.now)) {
        return &input.read->path;
      }
    }
    return nullptr;
  }

 private:
  const std::vector<std::string>& inputs_;
  std::vector<Identity> inputIds_;
  std::vector<ReadIdentity> reads_;
};

}  // namespace

bool sameFile(FileSystem& files, const std::string& a, const std::string& b) {
  return sameIdentity(identityOf(files, a), identityOf(files, b));
}

bool outputsAreSafe(Assembler& as, const std::vector<std::string>& outputs,
                    const std::vector<std::string>& inputs) {
  SafetyCheck check(as, inputs);
  std::vector<Identity> outputIds = identitiesOf(as.files, outputs);
  for (std::size_t i = 0; i < outputs.size(); ++i) {
    if (const std::string* input = check.inputReplacedBy(outputIds[i])) {
      std::fprintf(as.err, msg::outputIsInput, outputs[i].c_str(), input->c_str());
      return false;
    }
    for (std::size_t j = 0; j < i; ++j) {
      if (sameIdentity(outputIds[j], outputIds[i])) {
        std::fprintf(as.err, msg::outputsCollide, outputs[j].c_str(), outputs[i].c_str());
        return false;
      }
    }
  }
  return true;
}

}  // namespace zelas
