// zelas: the command-line shell over the assembler library.
#include <cstdio>
#include <string>
#include <vector>

#include "driver/driver.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return zelas::runZelas(args, stdout, stderr);
}
