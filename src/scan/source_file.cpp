#include "scan/source_file.h"

#include <algorithm>
#include <functional>
#include <string_view>

namespace zelas {

namespace {

// The hash of what was read, block by block: a file is read twice, and the two readings must
// agree, but the check may not slow the reading down.
std::uint64_t hashBlock(std::uint64_t hash, const char* data, std::size_t size) {
  constexpr std::uint64_t kPrime = 0x100000001B3u;
  return (hash ^ std::hash<std::string_view>{}({data, size})) * kPrime;
}

}  // namespace

std::unique_ptr<SourceFile> SourceFile::open(FileSystem& files, const std::string& path,
                                             OpenFailure* failure) {
  std::unique_ptr<InputFile> input = files.openForReading(path, failure);
  if (input == nullptr) return nullptr;
  return std::make_unique<SourceFile>(std::move(input), path);
}

// A small file gets a block of its own size: many small includes (and every run of the fuzzer)
// would otherwise each take a whole block.
SourceFile::SourceFile(std::unique_ptr<InputFile> input, std::string path)
    : input_(std::move(input)),
      path_(std::move(path)),
      blockSize_(static_cast<std::size_t>(
          std::clamp<std::uint64_t>(input_->size() + 1, kMinBlockSize, kBlockSize))),
      buffer_(new char[blockSize_]) {}

bool SourceFile::refill() {
  if (atEnd_) return false;
  ReadResult r = input_->read(buffer_.get(), blockSize_);
  len_ = r.count;
  pos_ = 0;
  read_ += len_;
  hash_ = hashBlock(hash_, buffer_.get(), len_);
  if (r.failed) {
    readFailed_ = true;
    len_ = 0;
  }
  if (len_ == 0) atEnd_ = true;
  return len_ != 0;
}

}  // namespace zelas
