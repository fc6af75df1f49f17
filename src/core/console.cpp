#include "core/console.h"

#include <unistd.h>

#include "core/disk_file_system.h"

namespace zelas {

void prepareStandardStreams() {
  DiskFileSystem::openClosedStandardDescriptors();
}

// The bytes of argv are the names as the file system spells them: taken unchanged.
std::vector<std::string> programArguments(int argc, char** argv) {
  return std::vector<std::string>(argv + 1, argv + argc);
}

bool isColorTerminal(std::FILE* stream) {
  return ::isatty(::fileno(stream)) == 1;
}

}  // namespace zelas
