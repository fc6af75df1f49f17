// The two file systems behind the seam: the in-memory one the tests and the fuzzer run on, and
// the disk one, whose links, devices, FIFOs and permission bits only a real disk shows.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "core/disk_file_system.h"
#include "core/memory_file_system.h"
#include "driver/driver.h"
#include "support/test_support.h"

namespace zelas::test {
namespace {

namespace fs = std::filesystem;

std::string readAll(InputFile& file) {
  std::string text;
  char block[7];  // a small block: reads must continue where the last one stopped
  for (ReadResult r; (r = file.read(block, sizeof block)).count != 0;) text.append(block, r.count);
  return text;
}

TEST(MemoryFileSystem, NamesAreComparedAfterTheirDotSteps) {
  EXPECT_EQ(MemoryFileSystem::normalName("./a//b/../c"), "a/c");
  EXPECT_EQ(MemoryFileSystem::normalName("/../x/."), "/x");
  EXPECT_EQ(MemoryFileSystem::normalName("../x"), "../x");
  EXPECT_EQ(MemoryFileSystem::normalName("a/.."), ".");
  // Names that are already normal come back as they are; the others are rebuilt.
  EXPECT_EQ(MemoryFileSystem::normalName("dir/.x/..y/prog.asm"), "dir/.x/..y/prog.asm");
  EXPECT_EQ(MemoryFileSystem::normalName("/abs"), "/abs");
  EXPECT_EQ(MemoryFileSystem::normalName("/"), "/");
  EXPECT_EQ(MemoryFileSystem::normalName("//"), "/");
  EXPECT_EQ(MemoryFileSystem::normalName(""), ".");
  EXPECT_EQ(MemoryFileSystem::normalName("."), ".");
  EXPECT_EQ(MemoryFileSystem::normalName("dir/"), "dir");
  EXPECT_EQ(MemoryFileSystem::normalName("dir//x"), "dir/x");
  EXPECT_EQ(MemoryFileSystem::normalName("dir/x/."), "dir/x");
  EXPECT_EQ(MemoryFileSystem::normalName("x/.."), ".");
  EXPECT_EQ(MemoryFileSystem::normalName(".."), "..");
  MemoryFileSystem files;
  files.addFile("dir/prog.asm", "text");
  files.addLink("alias.asm", "./dir/prog.asm");
  EXPECT_EQ(files.identify("dir/../dir/prog.asm"), files.identify("alias.asm"));
  EXPECT_EQ(files.identifyName("./dir/x"), files.identifyName("dir/x"));
  EXPECT_NE(files.identifyName("dir/x"), files.identifyName("x"));
  EXPECT_EQ(files.identify("missing"), std::nullopt);
}

TEST(MemoryFileSystem, OutputIsInvisibleUntilCommittedWhole) {
  MemoryFileSystem files;
  files.addFile("out", "old");
  std::unique_ptr<OutputFile> out = files.createOutput("out");
  ASSERT_NE(out, nullptr);
  EXPECT_TRUE(out->write("new ", 4));
  EXPECT_TRUE(out->write("text", 4));
  EXPECT_EQ(files.contents("out"), "old");
  EXPECT_EQ(files.openOutputs(), 1);
  EXPECT_TRUE(out->commit());
  EXPECT_EQ(files.contents("out"), "new text");
  EXPECT_EQ(files.openOutputs(), 0);
  out = files.createOutput("dropped");
  out.reset();
  EXPECT_FALSE(files.exists("dropped"));
  EXPECT_EQ(files.openOutputs(), 0);
}

TEST(MemoryFileSystem, InjectedFaultsFailWhereTheyAreSet) {
  MemoryFileSystem files;
  files.addFile("in", "0123456789");
  files.faults("in").readFailsAt = 8;
  std::unique_ptr<InputFile> in = files.openForReading("in", nullptr);
  char block[16];
  ReadResult r = in->read(block, sizeof block);
  EXPECT_EQ(r.count, 8u);
  EXPECT_FALSE(r.failed);
  r = in->read(block, sizeof block);
  EXPECT_TRUE(r.failed);  // never an end of file
  files.faults("in").openFails = true;
  OpenFailure why = OpenFailure::notRegular;
  EXPECT_EQ(files.openForReading("in", &why), nullptr);
  EXPECT_EQ(why, OpenFailure::notFound);
  files.addSpecial("fifo");
  EXPECT_EQ(files.openForReading("fifo", &why), nullptr);
  EXPECT_EQ(why, OpenFailure::notRegular);
  EXPECT_EQ(files.createOutput("fifo"), nullptr);
  files.faults("full").writeFailsAfter = 5;
  std::unique_ptr<OutputFile> out = files.createOutput("full");
  EXPECT_TRUE(out->write("abc", 3));
  EXPECT_FALSE(out->write("def", 3));
  EXPECT_FALSE(out->write("g", 1));  // later writes fail too
  EXPECT_FALSE(out->commit());
  EXPECT_FALSE(files.exists("full"));
  files.faults("late").commitFails = true;
  out = files.createOutput("late");
  EXPECT_FALSE(out->commit());
  EXPECT_FALSE(files.exists("late"));
  files.faults("none").createFails = true;
  EXPECT_EQ(files.createOutput("none"), nullptr);
}

// ---- On disk --------------------------------------------------------------------------------

TEST(DiskFileSystem, ReadsARegularFileAndRefusesEverythingElseWithoutBlocking) {
  ScopedTempDir dir;
  writeFile("in.asm", "hello, disk\n");
  DiskFileSystem files;
  OpenFailure why = OpenFailure::notRegular;
  std::unique_ptr<InputFile> in = files.openForReading("in.asm", &why);
  ASSERT_NE(in, nullptr);
  EXPECT_EQ(in->size(), 12u);
  EXPECT_EQ(readAll(*in), "hello, disk\n");
  EXPECT_EQ(in->id(), files.identify("./in.asm"));
  ASSERT_EQ(mkfifo("pipe", 0600), 0);  // opening a FIFO for reading would block here
  fs::create_directory("folder");
  for (const char* name : {"pipe", "folder", "/dev/zero", "/dev/null"}) {
    EXPECT_EQ(files.openForReading(name, &why), nullptr) << name;
    EXPECT_EQ(why, OpenFailure::notRegular) << name;
  }
  EXPECT_EQ(files.openForReading("missing", &why), nullptr);
  EXPECT_EQ(why, OpenFailure::notFound);
}

TEST(DiskFileSystem, OutputReplacesALinkWithoutWritingThroughIt) {
  ScopedTempDir dir;
  writeFile("target.txt", "keep me\n");
  fs::create_symlink("target.txt", "out.hex");
  DiskFileSystem files;
  std::unique_ptr<OutputFile> out = files.createOutput("out.hex");
  ASSERT_NE(out, nullptr);
  ASSERT_TRUE(out->write("new\n", 4));
  EXPECT_EQ(readFile("out.hex"), "keep me\n");  // not visible before the commit
  ASSERT_TRUE(out->commit());
  out.reset();
  EXPECT_EQ(readFile("target.txt"), "keep me\n");
  EXPECT_FALSE(fs::is_symlink("out.hex"));
  EXPECT_EQ(readFile("out.hex"), "new\n");
  // The new file gets 0666 less the umask, as any file created anew.
  mode_t mask = umask(0);
  umask(mask);
  EXPECT_EQ(fs::status("out.hex").permissions(),
            static_cast<fs::perms>(0666 & ~mask) & fs::perms::all);
  // Nothing else is left in the folder: no temporary file.
  int entries = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(".")) ++entries;
  EXPECT_EQ(entries, 2);
}

TEST(DiskFileSystem, UncommittedOutputLeavesTheOldFileAndNoTemporary) {
  ScopedTempDir dir;
  writeFile("prog.rom", "good\n");
  DiskFileSystem files;
  {
    std::unique_ptr<OutputFile> out = files.createOutput("prog.rom");
    ASSERT_NE(out, nullptr);
    out->write("cut", 3);
  }
  EXPECT_EQ(readFile("prog.rom"), "good\n");
  int entries = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(".")) ++entries;
  EXPECT_EQ(entries, 1);
  // A folder or a device is never replaced; a name in a missing folder can't be created.
  fs::create_directory("folder");
  EXPECT_EQ(files.createOutput("folder"), nullptr);
  EXPECT_EQ(files.createOutput("/dev/null"), nullptr);
  EXPECT_EQ(files.createOutput("missing/x"), nullptr);
  // Nor a link to a device, such as /dev/stdout: replacing it would break it for everyone.
  fs::create_symlink("/dev/null", "null.lst");
  EXPECT_EQ(files.createOutput("null.lst"), nullptr);
  EXPECT_TRUE(fs::is_symlink("null.lst"));
}

TEST(DiskFileSystem, SameNamesAreKnownWhateverTheirSpelling) {
  ScopedTempDir dir;
  writeFile("prog.asm", "x\n");
  fs::create_hard_link("prog.asm", "hard.asm");
  fs::create_directory("sub");
  DiskFileSystem files;
  EXPECT_EQ(files.identify("hard.asm"), files.identify("sub/../prog.asm"));
  EXPECT_EQ(files.identifyName("./new.d"), files.identifyName("sub/../new.d"));
  EXPECT_NE(files.identifyName("new.d"), files.identifyName("sub/new.d"));
  EXPECT_TRUE(files.remove("hard.asm"));
  EXPECT_FALSE(files.remove("hard.asm"));
}

// A hard link is the source under another name: writing the listing there would cut it.
TEST(DiskRuns, OutputsThatAreTheSourceThroughLinksAreRefused) {
  ScopedTempDir dir;
  writeFile("prog.asm", "\tnop\n");
  fs::create_hard_link("prog.asm", "prog.rom");
  RunResult r = runZelasExecutable({"prog"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "\nError : Output 'prog.rom' is 'prog.asm', which this run reads; nothing "
            "written\n");
  EXPECT_EQ(readFile("prog.asm"), "\tnop\n");
  EXPECT_FALSE(fileExists("prog.lst"));
  fs::remove("prog.rom");
  fs::create_symlink("prog.asm", "prog.lst");
  r = runZelasExecutable({"prog"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(readFile("prog.asm"), "\tnop\n");
}

TEST(DiskRuns, DevicesAndPipesAreRefusedAsSourceIncludeAndConfiguration) {
  ScopedTempDir dir;
  ASSERT_EQ(mkfifo("pipe.inc", 0600), 0);
  writeFile("prog.asm", "\tinclude \"pipe.inc\"\n");
  RunResult r = runZelasExecutable({"prog"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "\nError : Unable to open 'pipe.inc': not a regular file (a folder, a device "
            "or a pipe)\n");
  writeFile("prog.asm", "\tinclude \"/dev/zero\"\n");
  r = runZelasExecutable({"prog"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("'/dev/zero': not a regular file"), std::string::npos);
  writeFile("prog.asm", "\tnop\n");
  r = runZelasExecutable({"-c", "/dev/zero", "prog"});
  EXPECT_EQ(r.status, 1);  // the warning of a configuration that can't be read
  EXPECT_NE(r.err.find("Unable to open config file, '/dev/zero'"), std::string::npos);
  EXPECT_EQ(readFile("prog.rom"), "20 \n");
}

// Standard error closed at start-up: the listing, opened first, would get its number and take
// every diagnostic.
TEST(DiskRuns, ClosedStandardErrorGivesNoOutputItsNumber) {
  ScopedTempDir dir;
  writeFile("prog.asm", "\tbogus\n");
  std::string command = std::string("'") + ZELAS_BINARY + "' prog >/dev/null 2>&-";
  int raw = std::system(command.c_str());
  EXPECT_TRUE(WIFEXITED(raw));
  std::string lst = readFile("prog.lst");
  EXPECT_NE(lst.find("**** Warning : Illegal or unknown instruction 'bogus'."), std::string::npos);
  EXPECT_EQ(lst.find("\nWarning : "), std::string::npos) << lst;
  EXPECT_EQ(lst.find("1.8: "), std::string::npos) << lst;
}

// A run killed while it writes leaves the good files of the run before, whole.
// The disk file system, except that the process kills itself (SIGKILL, no chance to clean up)
// at a chosen write or commit of its outputs: a run stopped from outside at that very moment,
// whatever the speed of the machine.
class KillingFileSystem : public FileSystem {
 public:
  KillingFileSystem(int writesBeforeKill, int commitsBeforeKill)
      : writesLeft_(writesBeforeKill), commitsLeft_(commitsBeforeKill) {}

  std::unique_ptr<InputFile> openForReading(const std::string& path,
                                            OpenFailure* failure) override {
    return disk_.openForReading(path, failure);
  }
  std::unique_ptr<OutputFile> createOutput(const std::string& path) override {
    std::unique_ptr<OutputFile> output = disk_.createOutput(path);
    if (!output) return nullptr;
    return std::make_unique<KillingOutput>(*this, std::move(output));
  }
  std::optional<FileId> identify(const std::string& path) override { return disk_.identify(path); }
  std::optional<NameId> identifyName(const std::string& path) override {
    return disk_.identifyName(path);
  }
  bool remove(const std::string& path) override { return disk_.remove(path); }

 private:
  class KillingOutput : public OutputFile {
   public:
    KillingOutput(KillingFileSystem& files, std::unique_ptr<OutputFile> output)
        : files_(files), output_(std::move(output)) {}
    bool write(const char* data, std::size_t size) override {
      if (files_.writesLeft_-- == 0) kill(getpid(), SIGKILL);
      return output_->write(data, size);
    }
    bool commit() override {
      if (files_.commitsLeft_-- == 0) kill(getpid(), SIGKILL);
      return output_->commit();
    }

   private:
    KillingFileSystem& files_;
    std::unique_ptr<OutputFile> output_;
  };

  DiskFileSystem disk_;
  int writesLeft_;  // negative: never killed on a write
  int commitsLeft_;
};

TEST(DiskRuns, AKilledRunLeavesTheEarlierOutputsWhole) {
  struct Stop {
    int writes;
    int commits;
    int filesReplaced;  // outputs committed before the kill
  };
  // Killed while the listing is being written, before any output is committed, and between the
  // commit of the first output and that of the second.
  for (Stop stop : {Stop{3, -1, 0}, Stop{-1, 1, 1}}) {
    SCOPED_TRACE(stop.writes >= 0 ? "killed while writing" : "killed between two commits");
    ScopedTempDir dir;
    std::string source;
    for (int i = 0; i < 50000; ++i) source += "\tdb 1,2,3,4,5,6,7,8\n";
    writeFile("prog.asm", source);
    for (const char* name : {"prog.lst", "prog.rom", "prog.hex"}) writeFile(name, "good\n");
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      KillingFileSystem files(stop.writes, stop.commits);
      std::FILE* sink = std::tmpfile();
      _exit(runZelas({"-e", "prog"}, sink, sink, files));
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    int replaced = 0;
    for (const char* name : {"prog.lst", "prog.rom", "prog.hex"}) {
      std::string text = readFile(name);
      if (text == "good\n") continue;
      ++replaced;
      // A replaced file is a whole new one, never a cut one.
      EXPECT_TRUE(text.size() > 100000 && text.back() == '\n') << name << ": " << text.size();
    }
    EXPECT_EQ(replaced, stop.filesReplaced);
  }
}

}  // namespace
}  // namespace zelas::test
