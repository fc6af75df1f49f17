// A source, include or configuration file open for reading, with its own block buffer so that
// the line reader takes one character at a time without a library call per character.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "core/file_system.h"

namespace zelas {

// What was read of a file: enough to tell that a second reading gave the same text.
struct FileStamp {
  std::uint64_t size = 0;  // of the file when opened
  std::uint64_t read = 0;  // bytes read
  std::uint64_t hash = 0;  // of the bytes read
  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

class SourceFile {
 public:
  // Opens path through files for reading; null, with the reason in failure, when it can't.
  static std::unique_ptr<SourceFile> open(FileSystem& files, const std::string& path,
                                          OpenFailure* failure = nullptr);
  SourceFile(std::unique_ptr<InputFile> input, std::string path);
  SourceFile(const SourceFile&) = delete;
  SourceFile& operator=(const SourceFile&) = delete;

  // Next byte (0..255), or -1 at the end of the file or on a read error.
  int get() {
    if (pos_ == len_ && !refill()) return -1;
    return static_cast<unsigned char>(buffer_[pos_++]);
  }
  // Next byte without consuming it, or -1 at the end.
  int peek() {
    if (pos_ == len_ && !refill()) return -1;
    return static_cast<unsigned char>(buffer_[pos_]);
  }
  // The bytes read ahead and not yet taken, refilling the block first when all are taken; empty
  // (and atEnd() true) at the end of the file. take(n) consumes the first n of them.
  std::string_view window() {
    if (pos_ == len_ && !refill()) return {};
    return {buffer_.get() + pos_, len_ - pos_};
  }
  void take(std::size_t n) { pos_ += n; }
  // True once get() has returned -1.
  bool atEnd() const { return atEnd_; }
  // True when the end came from a read error rather than the end of the file.
  bool readFailed() const { return readFailed_; }
  const std::string& path() const { return path_; }
  FileId id() const { return input_->id(); }
  // The size and hash of what was read so far.
  FileStamp stamp() const { return {input_->size(), read_, hash_}; }

 private:
  bool refill();

  static constexpr std::size_t kBlockSize = 1 << 16;
  static constexpr std::size_t kMinBlockSize = 1 << 12;
  std::unique_ptr<InputFile> input_;
  std::string path_;
  std::size_t blockSize_;
  std::unique_ptr<char[]> buffer_;
  std::size_t pos_ = 0;
  std::size_t len_ = 0;
  bool atEnd_ = false;
  bool readFailed_ = false;
  std::uint64_t read_ = 0;
  std::uint64_t hash_ = 0;
};

}  // namespace zelas
