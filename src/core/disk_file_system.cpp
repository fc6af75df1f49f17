#include "core/disk_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <utility>

namespace zelas {

namespace {

FileId idOf(const struct stat& st) {
  return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

// The folder part of path ("." for a bare name) and its last component.
std::pair<std::string, std::string> splitName(const std::string& path) {
  std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return {".", path};
  if (slash == 0) return {"/", path.substr(1)};
  return {path.substr(0, slash), path.substr(slash + 1)};
}

class DiskInput : public InputFile {
 public:
  DiskInput(int fd, const struct stat& st)
      : fd_(fd), id_(idOf(st)), size_(static_cast<std::uint64_t>(st.st_size)) {}
  ~DiskInput() override { ::close(fd_); }
  DiskInput(const DiskInput&) = delete;
  DiskInput& operator=(const DiskInput&) = delete;

  ReadResult read(char* buffer, std::size_t size) override {
    for (;;) {
      ssize_t n = ::read(fd_, buffer, size);
      if (n >= 0) return {static_cast<std::size_t>(n), false};
      if (errno != EINTR) return {0, true};
    }
  }
  FileId id() const override { return id_; }
  std::uint64_t size() const override { return size_; }

 private:
  int fd_;
  FileId id_;
  std::uint64_t size_;
};

// Written to a new file beside the name and renamed over it on commit: the name holds the old
// file until the new one is complete, so a run that fails or is killed never leaves a cut one.
class DiskOutput : public OutputFile {
 public:
  DiskOutput(int fd, std::string temporary, std::string path)
      : fd_(fd), temporary_(std::move(temporary)), path_(std::move(path)) {}
  ~DiskOutput() override {
    if (fd_ >= 0) ::close(fd_);
    if (!committed_) ::unlink(temporary_.c_str());
  }
  DiskOutput(const DiskOutput&) = delete;
  DiskOutput& operator=(const DiskOutput&) = delete;

  bool write(const char* data, std::size_t size) override {
    while (!failed_ && size > 0) {
      ssize_t n = ::write(fd_, data, size);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        failed_ = true;
        break;
      }
      data += n;
      size -= static_cast<std::size_t>(n);
    }
    return !failed_;
  }

  bool commit() override {
    if (committed_ || failed_ || fd_ < 0) return committed_;
    bool closed = ::close(std::exchange(fd_, -1)) == 0;
    // rename replaces a link of that name, never the file it points to.
    committed_ = closed && ::rename(temporary_.c_str(), path_.c_str()) == 0;
    return committed_;
  }

 private:
  int fd_;
  std::string temporary_;
  std::string path_;
  bool failed_ = false;
  bool committed_ = false;
};

// A fresh name ".LEAF.XXXXXX" in the folder of path: hidden, and never one a run asks for.
std::string temporaryName(const std::string& path, std::mt19937_64& random) {
  auto [folder, leaf] = splitName(path);
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::string name = folder + "/." + leaf + ".";
  for (int i = 0; i < 6; ++i) name += kLetters[random() % (sizeof kLetters - 1)];
  return name;
}

// What may stand under an output's name: nothing, a link to a regular file or to nothing (the
// rename replaces the link itself), or a regular file the user may write, which keeps the
// protection it had when outputs were written in place. A folder, a device or a FIFO is never
// replaced, nor a link to one (/dev/stdout): renaming over a device node or such a link would
// destroy it for every program on the machine.
bool mayReplace(const std::string& path) {
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0) return errno == ENOENT;
  if (S_ISLNK(st.st_mode)) {
    if (::stat(path.c_str(), &st) != 0) return errno == ENOENT;
    return S_ISREG(st.st_mode);
  }
  return S_ISREG(st.st_mode) && ::access(path.c_str(), W_OK) == 0;
}

}  // namespace

std::unique_ptr<InputFile> DiskFileSystem::openForReading(const std::string& path,
                                                          OpenFailure* failure) {
  OpenFailure ignored;
  if (failure == nullptr) failure = &ignored;
  // A FIFO blocks at open and a device may never end: look before opening, then check the
  // descriptor itself, in case the name was replaced in between.
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) {
    *failure = OpenFailure::notFound;
    return nullptr;
  }
  if (!S_ISREG(st.st_mode)) {
    *failure = OpenFailure::notRegular;
    return nullptr;
  }
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    *failure = OpenFailure::notFound;
    return nullptr;
  }
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    *failure = OpenFailure::notRegular;
    return nullptr;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return std::make_unique<DiskInput>(fd, st);
}

std::unique_ptr<OutputFile> DiskFileSystem::createOutput(const std::string& path) {
  if (path.empty() || path.back() == '/' || !mayReplace(path)) return nullptr;
  std::mt19937_64 random(std::random_device{}());
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string temporary = temporaryName(path, random);
    // Mode 0666 less the umask, as any newly created file gets: the permission bits of an old
    // file of that name are not carried over, as they would not be by a file written anew.
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd >= 0) return std::make_unique<DiskOutput>(fd, std::move(temporary), path);
    if (errno != EEXIST) return nullptr;
  }
  return nullptr;
}

std::optional<FileId> DiskFileSystem::identify(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  return idOf(st);
}

std::optional<NameId> DiskFileSystem::identifyName(const std::string& path) {
  auto [folder, leaf] = splitName(path);
  std::optional<FileId> folderId = identify(folder);
  if (!folderId) return std::nullopt;
  return NameId{*folderId, leaf};
}

bool DiskFileSystem::remove(const std::string& path) {
  return ::unlink(path.c_str()) == 0;
}

void DiskFileSystem::openClosedStandardDescriptors() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    // open takes the lowest free number, which is fd itself while the ones below it are open.
    int opened = ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
    if (opened >= 0 && opened != fd) ::close(opened);
  }
}

}  // namespace zelas
