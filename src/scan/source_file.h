// A source, include or configuration file open for reading, with its own block buffer so that
// the line reader takes one character at a time without a library call per character.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace zelas {

class SourceFile {
 public:
  // Opens path for reading; returns null when it can't be opened (or is a directory).
  static std::unique_ptr<SourceFile> open(const std::string& path);
  ~SourceFile();
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
  const std::string& path() const { return path_; }

 private:
  SourceFile(std::FILE* f, std::string path);
  bool refill();

  static constexpr std::size_t kBlockSize = 1 << 16;
  std::FILE* file_;
  std::string path_;
  std::unique_ptr<char[]> buffer_;
  std::size_t pos_ = 0;
  std::size_t len_ = 0;
  bool atEnd_ = false;
};

}  // namespace zelas
