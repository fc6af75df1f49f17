#include "scan/source_file.h"

#include <sys/stat.h>

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
  return std::unique_ptr<SourceFile>(new SourceFile(f, path));
}

SourceFile::SourceFile(std::FILE* f, std::string path)
    : file_(f), path_(std::move(path)), buffer_(new char[kBlockSize]) {}

SourceFile::~SourceFile() {
  std::fclose(file_);
}

bool SourceFile::refill() {
  if (atEnd_) return false;
  len_ = std::fread(buffer_.get(), 1, kBlockSize, file_);
  pos_ = 0;
  if (len_ == 0) atEnd_ = true;
  return len_ != 0;
}

}  // namespace zelas
