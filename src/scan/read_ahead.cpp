#include "scan/read_ahead.h"

#include <cstring>
#include <utility>

#include "scan/source_file.h"

namespace zelas {

namespace {

// Each line is a header and its text, without the terminator. The end of the file is a header
// of its own (atEnd set), always the last one the thread writes.
struct LineHeader {
  int overflows;
  int length;
  bool any;
  bool atEnd;
};

constexpr std::size_t kLineRecordRoom = sizeof(LineHeader) + kLineSize;

}  // namespace

namespace {

// Every block is made here, on the assembler's thread, so that the reading thread never
// allocates (and so never meets an allocation failure it could not pass on).
std::vector<ReadAhead::Block> makeBlocks() {
  std::vector<ReadAhead::Block> blocks(ReadAhead::kBlocksInFlight);
  for (ReadAhead::Block& block : blocks)
    block.data = std::make_unique<char[]>(ReadAhead::kBlockSize);
  return blocks;
}

}  // namespace

ReadAhead::ReadAhead(SourceFile& file, int tabWidth)
    : file_(file), free_(makeBlocks()), thread_([this, tabWidth] { run(tabWidth); }) {}

ReadAhead::~ReadAhead() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

ReadAhead::Block ReadAhead::takeFreeBlock() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return stopping_ || !free_.empty(); });
  if (stopping_) return Block{};
  Block block = std::move(free_.back());
  free_.pop_back();
  return block;
}

void ReadAhead::handOver(Block block) {
  {
    std::lock_guard lock(mutex_);
    full_.push_back(std::move(block));
  }
  changed_.notify_all();
}

void ReadAhead::run(int tabWidth) {
  Block block = takeFreeBlock();
  while (block.data != nullptr) {
    LineHeader header{};
    char* text = block.data.get() + block.size + sizeof header;
    if (file_.atEnd()) {
      header.atEnd = true;
    } else {
      ExpandedLine line = expandLine(file_, tabWidth, text);
      header = LineHeader{line.overflows, line.length, line.any, false};
    }
    std::memcpy(block.data.get() + block.size, &header, sizeof header);
    block.size += sizeof header + static_cast<std::size_t>(header.length);
    if (header.atEnd) {
      handOver(std::move(block));
      return;
    }
    if (kBlockSize - block.size < kLineRecordRoom) {
      handOver(std::move(block));
      block = takeFreeBlock();
    }
  }
}

void ReadAhead::fetchBlock() {
  std::unique_lock lock(mutex_);
  if (current_.data != nullptr) {
    current_.size = 0;
    free_.push_back(std::move(current_));
    changed_.notify_all();
  }
  changed_.wait(lock, [this] { return !full_.empty(); });
  current_ = std::move(full_.front());
  full_.pop_front();
  readPos_ = 0;
}

bool ReadAhead::atEnd() {
  if (current_.data == nullptr || readPos_ == current_.size) fetchBlock();
  LineHeader header;
  std::memcpy(&header, current_.data.get() + readPos_, sizeof header);
  return header.atEnd;
}

ExpandedLine ReadAhead::next(char* out) {
  if (current_.data == nullptr || readPos_ == current_.size) fetchBlock();
  LineHeader header;
  const char* record = current_.data.get() + readPos_;
  std::memcpy(&header, record, sizeof header);
  if (header.atEnd) {  // stays at the end, as the file does
    out[0] = '\0';
    return ExpandedLine{};
  }
  std::size_t length = static_cast<std::size_t>(header.length);
  std::memcpy(out, record + sizeof header, length);
  out[length] = '\0';
  readPos_ += sizeof header + length;
  return ExpandedLine{header.any, header.overflows, header.length};
}

}  // namespace zelas
