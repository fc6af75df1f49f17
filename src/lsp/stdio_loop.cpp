#include "lsp/stdio_loop.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <poll.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <string>

#include "lsp/server.h"
#include "lsp/transport.h"

namespace zelas::lsp {

namespace {

#ifdef _WIN32
// The messages are counted in bytes: the C runtime's text mode would add and drop carriage
// returns.
void useBinaryMode(int fd) {
  ::_setmode(fd, _O_BINARY);
}

int readBlock(int fd, char* buffer, std::size_t size) {
  return ::_read(fd, buffer, static_cast<unsigned>(size));
}

int writeBlock(int fd, const char* data, std::size_t size) {
  return ::_write(fd, data, static_cast<unsigned>(size));
}

// An editor talks to its server through a pipe; anything else is read as it comes.
bool inputWaiting(int fd) {
  HANDLE handle = reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
  DWORD available = 0;
  return ::PeekNamedPipe(handle, nullptr, 0, nullptr, &available, nullptr) && available > 0;
}
#else
void useBinaryMode(int) {}

ssize_t readBlock(int fd, char* buffer, std::size_t size) {
  return ::read(fd, buffer, size);
}

ssize_t writeBlock(int fd, const char* data, std::size_t size) {
  return ::write(fd, data, size);
}

// True when input is waiting on fd, so that reading it will not block.
bool inputWaiting(int fd) {
  pollfd p{fd, POLLIN, 0};
  return ::poll(&p, 1, 0) > 0;
}
#endif

bool writeAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    auto n = writeBlock(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// Reads what is there (blocking when nothing is); false at the end of the input.
bool readSome(int fd, FrameReader& reader) {
  char block[1 << 16];
  for (;;) {
    auto n = readBlock(fd, block, sizeof block);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    reader.feed(std::string_view(block, static_cast<std::size_t>(n)));
    return true;
  }
}

}  // namespace

int serveStdio(int inputFd, int outputFd) {
  useBinaryMode(inputFd);
  useBinaryMode(outputFd);
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
