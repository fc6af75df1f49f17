// zelas: the command-line shell over the assembler library, and its language server (--lsp).
#include <cstdio>
#include <string>
#include <vector>

#include "core/console.h"
#include "core/disk_file_system.h"
#include "driver/driver.h"
#include "lsp/stdio_loop.h"

int main(int argc, char** argv) {
  zelas::prepareStandardStreams();
  std::vector<std::string> args = zelas::programArguments(argc, argv);
  if (args.size() == 1 && args[0] == "--lsp") return zelas::lsp::serveStdio(0, 1);
  zelas::DiskFileSystem files;
  return zelas::runZelas(args, stdout, stderr, files);
}
