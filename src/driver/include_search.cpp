#include "driver/include_search.h"

#include <filesystem>

#include "core/assembler.h"
#include "scan/source_file.h"

namespace zelas {

namespace {

bool opens(const std::string& path) {
  return SourceFile::open(path) != nullptr;
}

std::string inFolder(const std::string& folder, const std::string& name) {
  if (folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

}  // namespace

std::string findIncludeFile(const Assembler& as, const std::string& name) {
  if (as.includePath.empty() || name.empty() || std::filesystem::path(name).is_absolute()) {
    return name;
  }
  if (opens(name)) return name;
  for (const std::string& folder : as.includePath) {
    std::string candidate = inFolder(folder, name);
    if (opens(candidate)) return candidate;
  }
  return name;
}

}  // namespace zelas
