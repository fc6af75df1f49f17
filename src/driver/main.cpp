// zelas: the command-line shell over the assembler library.
#include <cstdio>
#include <string>
#include <vector>

#include "core/disk_file_system.h"
#include "driver/driver.h"

int main(int argc, char** argv) {
  zelas::DiskFileSystem::openClosedStandardDescriptors();
  std::vector<std::string> args(argv + 1, argv + argc);
  zelas::DiskFileSystem files;
  return zelas::runZelas(args, stdout, stderr, files);
}
