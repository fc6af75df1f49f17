// Writes blocks of output text to a file on a thread of its own, while the assembler formats the
// next block: copying a listing of tens of megabytes into the system's file cache then runs on
// the machine's second core instead of holding up the assembly.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdio>
#include <memory>
#include <mutex>
#include <thread>

namespace zelas {

// Cuts the file open at fd to nothing, as opening it with "w" does: a regular file only, since
// pipes and devices have nothing to cut. False when the cut failed.
bool cutToNothing(int fd);

class BackgroundWriter {
 public:
  // Starts the thread; throws std::system_error when the system has none to give. With
  // cutFirst the thread first cuts a regular file to nothing, as opening it with "w" would have.
  explicit BackgroundWriter(std::FILE* file, bool cutFirst = false);
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
  // Returns once every block handed over is written. A failed write has set the file's error
  // flag, as any fwrite does, so the file may be checked and closed after this.
  void wait();
  // The file could not be cut (checked after wait()).
  bool cutFailed() const { return cutFailed_; }

 private:
  void run(bool cutFirst);

  std::FILE* file_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::unique_ptr<char[]> waiting_;  // handed over, not yet taken by the thread
  std::size_t waitingSize_ = 0;
  bool writing_;  // the thread is writing a block or cutting the file
  bool cutFailed_ = false;
  std::unique_ptr<char[]> free_;  // a written block, ready to be filled again
  bool stopping_ = false;
  std::thread thread_;  // declared last: it starts once everything above exists
};

}  // namespace zelas
