// zelas-dis: writes the source of a ROM image (.hex or .rom) that zelas assembles back to it.
#include <cstdio>
#include <string>
#include <vector>

#include "disasm/disassembler.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return zelas::dis::runDisassembler(args, stdout, stderr);
}
