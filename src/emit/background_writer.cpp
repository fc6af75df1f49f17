#include "emit/background_writer.h"

#include <utility>

namespace zelas {

BackgroundWriter::BackgroundWriter(OutputFile& file) : file_(file), thread_([this] { run(); }) {}

BackgroundWriter::~BackgroundWriter() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void BackgroundWriter::run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return waiting_ != nullptr || stopping_; });
    if (waiting_ == nullptr) return;  // stopping, and everything is written
    std::unique_ptr<char[]> block = std::move(waiting_);
    std::size_t size = waitingSize_;
    writing_ = true;
    lock.unlock();
    file_.write(block.get(), size);  // a failure stays with the file, which then won't commit
    lock.lock();
    writing_ = false;
    free_ = std::move(block);
    changed_.notify_all();
  }
}

std::unique_ptr<char[]> BackgroundWriter::handOver(std::unique_ptr<char[]> block, std::size_t size,
                                                   std::size_t capacity) {
  std::unique_ptr<char[]> next;
  {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return waiting_ == nullptr; });
    waiting_ = std::move(block);
    waitingSize_ = size;
    next = std::move(free_);
  }
  changed_.notify_all();
  if (next == nullptr) next = std::make_unique_for_overwrite<char[]>(capacity);
  return next;
}

void BackgroundWriter::wait() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return waiting_ == nullptr && !writing_; });
}

}  // namespace zelas
