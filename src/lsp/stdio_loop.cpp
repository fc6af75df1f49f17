#include "lsp/stdio_loop.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "lsp/server.h"
#include "lsp/transport.h"

namespace zelas::lsp {

namespace {

bool writeAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// True when input is waiting on fd, so that reading it will not block.
bool inputWaiting(int fd) {
  pollfd p{fd, POLLIN, 0};
  return ::poll(&p, 1, 0) > 0;
}

// Reads what is there (blocking when nothing is); false at the end of the input.
bool readSome(int fd, FrameReader& reader) {
  char block[1 << 16];
  for (;;) {
    ssize_t n = ::read(fd, block, sizeof block);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    reader.feed(std::string_view(block, static_cast<std::size_t>(n)));
    return true;
  }
}

}  // namespace

int serveStdio(int inputFd, int outputFd) {
  bool outputOpen = true;
  Server server([&](const std::string& body) {
    if (outputOpen) outputOpen = writeAll(outputFd, frameMessage(body));
  });
  FrameReader reader;
  Frame frame;
  bool inputOpen = true;
  while (inputOpen && !server.exited()) {
    // Everything that has arrived is taken before any work: later changes supersede earlier
    // ones, and a cancel reaches the request it cancels while it still waits.
    do {
      inputOpen = readSome(inputFd, reader);
      while (reader.next(frame)) server.receive(frame);
    } while (inputOpen && inputWaiting(inputFd));
    server.work();
  }
  return server.exited() ? server.exitStatus() : 1;
}

}  // namespace zelas::lsp
