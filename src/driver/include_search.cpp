#include "driver/include_search.h"

#include <filesystem>

#include "core/assembler.h"

namespace zelas {

namespace {

// A name that is there but not a regular file is taken too: it is then refused with a message
// that says why, rather than passed over for a file of the same name further down the path.
bool isThere(FileSystem& files, const std::string& path) {
  OpenFailure failure = OpenFailure::notFound;
  return files.openForReading(path, &failure) != nullptr || failure == OpenFailure::notRegular;
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
  if (isThere(as.files, name)) return name;
  for (const std::string& folder : as.includePath) {
    std::string candidate = inFolder(folder, name);
    if (isThere(as.files, candidate)) return candidate;
  }
  return name;
}

}  // namespace zelas
