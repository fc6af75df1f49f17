#include "core/assembler.h"

#include "core/memory_file_system.h"
#include "scan/source_file.h"
#include "target/product.h"

namespace zelas {

Assembler::Assembler(std::FILE* outStream, std::FILE* errStream)
    : out(outStream),
      err(errStream),
      ownFiles_(std::make_unique<MemoryFileSystem>()),
      files(*ownFiles_),
      currentProduct(&productTable().front()) {
  lineStart = idleLine.data();
  scanPos = idleLine.data();
}

Assembler::Assembler(std::FILE* outStream, std::FILE* errStream, FileSystem& fileSystem)
    : out(outStream), err(errStream), files(fileSystem), currentProduct(&productTable().front()) {
  // idleLine is declared after the line pointers, so they can only point at it once it exists.
  lineStart = idleLine.data();
  scanPos = idleLine.data();
}

Assembler::~Assembler() = default;

}  // namespace zelas
