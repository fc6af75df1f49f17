// zelas-dis: writes the source of a ROM image (.hex or .rom) that zelas assembles back to it.
#include <cstdio>
#include <string>
#include <vector>

#include "core/console.h"
#include "core/disk_file_system.h"
#include "disasm/disassembler.h"

int main(int argc, char** argv) {
  zelas::prepareStandardStreams();
  std::vector<std::string> args = zelas::programArguments(argc, argv);
  zelas::DiskFileSystem files;
  return zelas::dis::runDisassembler(args, stdout, stderr, files);
}
