#include "core/assembler.h"

#include "scan/source_file.h"
#include "target/product.h"

namespace zelas {

Assembler::Assembler(std::FILE* outStream, std::FILE* errStream)
    : out(outStream),
      err(errStream),
      currentProduct(&productTable().front()),
      lineStart(idleLine.data()),
      scanPos(idleLine.data()) {}

Assembler::~Assembler() = default;

}  // namespace zelas
