// Reads the lines of a large source file on a thread of its own, ahead of the assembler: reading
// the file and expanding its tabs then run on the machine's second core, and the assembler only
// copies each finished line. The lines, their reports and the end of the file come out exactly as
// expandLine gives them on the assembler's own thread.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "scan/line_expander.h"

namespace zelas {

class SourceFile;

class ReadAhead {
 public:
  // Starts reading file, which nothing else reads from now on; throws std::system_error when
  // the system gives no thread.
  ReadAhead(SourceFile& file, int tabWidth);
  // Stops the thread, also when it is waiting for room.
  ~ReadAhead();
  ReadAhead(const ReadAhead&) = delete;
  ReadAhead& operator=(const ReadAhead&) = delete;

  // True where SourceFile::atEnd would be true for the next line.
  bool atEnd();
  // The next line, stored at out (kLineSize bytes) as expandLine stores it; after the end of
  // the file, an empty line and any unset.
  ExpandedLine next(char* out);

  // Lines travel in blocks: one lock per block of lines, not per line.
  struct Block {
    std::unique_ptr<char[]> data;
    std::size_t size = 0;
  };
  static constexpr std::size_t kBlockSize = std::size_t{1} << 18;
  static constexpr std::size_t kBlocksInFlight = 4;

 private:
  void run(int tabWidth);
  Block takeFreeBlock();       // thread side; an empty block once stopping
  void handOver(Block block);  // thread side
  void fetchBlock();           // assembler side: the next full block into current_

  SourceFile& file_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Block> full_;
  std::vector<Block> free_;
  bool stopping_ = false;
  Block current_;  // the block the assembler takes lines from
  std::size_t readPos_ = 0;
  std::thread thread_;  // declared last: it starts once everything above exists
};

}  // namespace zelas
