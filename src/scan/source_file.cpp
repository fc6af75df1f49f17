#include "scan/source_file.h"

#include <sys/stat.h>

#include <system_error>

#include "scan/read_ahead.h"

namespace zelas {

std::unique_ptr<SourceFile> SourceFile::open(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return nullptr;
  // A directory opens for reading on some systems and then fails at the first read; treat it as
  // a file that can't be opened.
  struct stat st;
  if (fstat(fileno(f), &st) != 0 || S_ISDIR(st.st_mode)) {
    std::fclose(f);
    return nullptr;
  }
  std::uintmax_t size = S_ISREG(st.st_mode) ? static_cast<std::uintmax_t>(st.st_size) : 0;
  return std::unique_ptr<SourceFile>(new SourceFile(f, path, size));
}

SourceFile::SourceFile(std::FILE* f, std::string path, std::uintmax_t size)
    : file_(f), path_(std::move(path)), buffer_(new char[kBlockSize]), size_(size) {}

SourceFile::~SourceFile() {
  ahead_.reset();  // the thread stops before the file it reads is closed
  std::fclose(file_);
}

void SourceFile::readAhead(int tabWidth) {
  if (ahead_ != nullptr) return;
  try {
    ahead_ = std::make_unique<ReadAhead>(*this, tabWidth);
  } catch (const std::system_error&) {
    // Read on demand instead.
  }
}

bool SourceFile::refill() {
  if (atEnd_) return false;
  len_ = std::fread(buffer_.get(), 1, kBlockSize, file_);
  pos_ = 0;
  if (len_ == 0) atEnd_ = true;
  return len_ != 0;
}

}  // namespace zelas
