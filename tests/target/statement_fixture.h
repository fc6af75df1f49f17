// An Assembler in pass 2 that assembles single statements: the product and pc are chosen per
// statement, and the listing, standard error and ROM image are captured.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "core/assembler.h"
#include "core/memory_file_system.h"
#include "emit/listing.h"
#include "scan/source_file.h"
#include "support/test_support.h"
#include "target/instructions.h"
#include "target/product.h"

namespace zelas::test {

class StatementFixture {
 public:
  explicit StatementFixture(std::size_t imageSize = 0x2000)
      : errFile_(std::tmpfile()), as_(stdout, errFile_) {
    files_.addFile("prog.asm", "\n");
    file_ = SourceFile::open(files_, "prog.asm");
    as_.sourceFile = file_.get();
    as_.pass = 2;
    as_.reportingEnabled = true;
    as_.listFile = std::make_unique<TextOutput>(listing_);
    as_.romImage.assign(imageSize, 0xEE);
  }
  ~StatementFixture() {
    closeListing(as_);
    std::fclose(errFile_);
  }

  Assembler& as() { return as_; }

  // Makes the product with this ID current (no symbols matter here).
  void useProduct(std::string_view id) {
    for (const Product& p : productTable()) {
      if (p.id == id) {
        as_.currentProduct = &p;
        return;
      }
    }
  }

  // Assembles text as one instruction statement at address pc; returns whether it matched.
  bool assemble(const std::string& text, Value pc = 0) {
    std::strncpy(line_.data(), text.c_str(), kMaxLineLength);
    line_[kMaxLineLength] = '\0';
    as_.lineStart = line_.data();
    as_.scanPos = line_.data();
    as_.lineNumber = 1;
    as_.pc = pc;
    flushListing(as_);
    listing_.clear();
    clear(errFile_);
    return assembleInstruction(as_);
  }

  std::string listing() {
    flushListing(as_);
    return listing_;
  }
  std::string err() { return readStream(errFile_); }
  int image(Value address) const { return as_.romImage.at(static_cast<std::size_t>(address)); }

 private:
  static void clear(std::FILE* f) {
    std::fflush(f);
    std::rewind(f);
    if (ftruncate(fileno(f), 0) != 0) std::abort();
  }

  MemoryFileSystem files_;
  std::string listing_;
  std::FILE* errFile_;
  Assembler as_;
  std::unique_ptr<SourceFile> file_;
  LineBuffer line_{};
};

}  // namespace zelas::test
