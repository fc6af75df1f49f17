// Writes blocks of output text to a file on a thread of its own, while the assembler formats the
// next block: copying a listing of tens of megabytes into the system's file cache then runs on
// the machine's second core instead of holding up the assembly.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <thread>

#include "core/file_system.h"

namespace zelas {

class BackgroundWriter {
 public:
  // Starts the thread; throws std::system_error when the system has none to give.
  explicit BackgroundWriter(OutputFile& file);
  // Writes what was handed over, then ends the thread.
  ~BackgroundWriter();
  BackgroundWriter(const BackgroundWriter&) = delete;
  BackgroundWriter& operator=(const BackgroundWriter&) = delete;

  // Hands over the first size bytes of block, to be written after every block handed over
  // before it, and returns an empty block of capacity bytes for the caller to fill next (one
  // written earlier, when there is one). Waits while the previous block is still waiting, so
  // the text in flight never exceeds three blocks.
  std::unique_ptr<char[]> handOver(std::unique_ptr<char[]> block, std::size_t size,
                                   std::size_t capacity);
  // Returns once every block handed over is written; the file may then be committed.
  void wait();

 private:
  void run();

  OutputFile& file_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::unique_ptr<char[]> waiting_;  // handed over, not yet taken by the thread
  std::size_t waitingSize_ = 0;
  bool writing_ = false;          // the thread is writing a block
  std::unique_ptr<char[]> free_;  // a written block, ready to be filled again
  bool stopping_ = false;
  std::thread thread_;  // declared last: it starts once everything above exists
};

}  // namespace zelas
