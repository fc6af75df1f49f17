// --color: which runs colour the severity words, the coloured texts of both report styles, and a
// listing that never holds colour.
#include "diag/color.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "diag/report.h"
#include "support/test_support.h"

namespace zelas {
namespace {

// The pair of ends of a pseudo-terminal: standard error as an interactive user has it.
class Terminal {
 public:
  Terminal() {
    int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) return;
    master_ = master;
    int slave = open(ptsname(master), O_RDWR | O_NOCTTY);
    if (slave >= 0) stream_ = fdopen(slave, "w");
  }
  ~Terminal() {
    if (stream_ != nullptr) std::fclose(stream_);
    if (master_ >= 0) close(master_);
  }
  Terminal(const Terminal&) = delete;
  Terminal& operator=(const Terminal&) = delete;
  std::FILE* stream() const { return stream_; }

 private:
  int master_ = -1;
  std::FILE* stream_ = nullptr;
};

// Sets NO_COLOR (or removes it) for the test's lifetime and restores it afterwards.
class NoColorVariable {
 public:
  explicit NoColorVariable(const char* value) {
    if (const char* old = std::getenv("NO_COLOR")) old_ = old;
    if (value == nullptr) {
      unsetenv("NO_COLOR");
    } else {
      setenv("NO_COLOR", value, 1);
    }
  }
  ~NoColorVariable() {
    if (old_) {
      setenv("NO_COLOR", old_->c_str(), 1);
    } else {
      unsetenv("NO_COLOR");
    }
  }
  NoColorVariable(const NoColorVariable&) = delete;
  NoColorVariable& operator=(const NoColorVariable&) = delete;

 private:
  std::optional<std::string> old_;
};

TEST(ColorWanted, AutoColoursOnlyATerminalWithoutNoColor) {
  Terminal terminal;
  if (terminal.stream() == nullptr) GTEST_SKIP() << "no pseudo-terminal on this machine";
  std::FILE* file = std::tmpfile();
  {
    NoColorVariable unset(nullptr);
    EXPECT_TRUE(colorWanted(ColorMode::automatic, terminal.stream()));
    EXPECT_FALSE(colorWanted(ColorMode::automatic, file));
    EXPECT_FALSE(colorWanted(ColorMode::never, terminal.stream()));
    EXPECT_TRUE(colorWanted(ColorMode::always, file));
  }
  {
    NoColorVariable set("1");
    EXPECT_FALSE(colorWanted(ColorMode::automatic, terminal.stream()));
    EXPECT_TRUE(colorWanted(ColorMode::always, terminal.stream()));  // asked for explicitly
  }
  {
    NoColorVariable empty("");  // an empty NO_COLOR asks for nothing
    EXPECT_TRUE(colorWanted(ColorMode::automatic, terminal.stream()));
  }
  std::fclose(file);
}

// A warning from a macro expansion, with its note, and an error.
constexpr char kFaultySource[] =
    "\tmacro inner\n"
    "\tbogus\n"
    "\tendm\n"
    "start:\tinner\n"
    "\torg 10h\n"
    "\torg 0\n";

TEST(ColorOption, ColoursTheSeverityWordsOfGnuReports) {
  test::Assembly plain = test::assembleSource(kFaultySource, {"--diagnostics=gnu"});
  test::Assembly colored =
      test::assembleSource(kFaultySource, {"--diagnostics=gnu", "--color=always"});
  EXPECT_EQ(colored.run.err,
            "prog.asm:2:9: \033[1;35mwarning\033[0m: Illegal or unknown instruction 'bogus'.\n"
            "prog.asm:4:9: \033[1;36mnote\033[0m: in expansion of macro 'inner'\n"
            "prog.asm:6:13: \033[1;31merror\033[0m: ORG attempts to decrement PC address\n");
  EXPECT_EQ(colored.lst, plain.lst);  // the listing never holds colour
  EXPECT_EQ(colored.run.out, plain.run.out);
  EXPECT_EQ(colored.run.status, plain.run.status);
}

TEST(ColorOption, ColoursTheTitlesOfClassicReports) {
  test::Assembly plain = test::assembleSource(kFaultySource);
  test::Assembly colored = test::assembleSource(kFaultySource, {"--color=always"});
  EXPECT_EQ(colored.run.err,
            "\n\033[1;35mWarning\033[0m : Illegal or unknown instruction 'bogus'.\n"
            "0.13:         bogus\n"
            "\n\033[1;31mError\033[0m : ORG attempts to decrement PC address\n"
            "6.13:         org 0\n");
  EXPECT_EQ(colored.lst, plain.lst);
  EXPECT_EQ(colored.run.out, plain.run.out);
}

TEST(ColorOption, ColoursAFatalStopInBothStyles) {
  test::LineHarness h;
  h.enableReports();
  h.as.colorReports = true;
  h.setLine("x");
  EXPECT_THROW(reportFatal(h.as, "stop"), FatalStop);
  EXPECT_EQ(h.errText(), "\n\033[1;31mError\033[0m : stop\n0.0: x\n");
  h.as.diagnosticStyle = DiagnosticStyle::gnu;
  EXPECT_THROW(reportFatal(h.as, "stop"), FatalStop);
  EXPECT_EQ(h.errText(), "/dev/null:0:1: \033[1;31mfatal error\033[0m: stop\n");
}

TEST(ColorOption, NeverAndAutoOffATerminalLeaveTheTextAsWithoutTheOption) {
  test::Assembly plain = test::assembleSource(kFaultySource);
  for (const char* option : {"--color=never", "--color=auto"}) {
    test::Assembly run = test::assembleSource(kFaultySource, {option});
    EXPECT_EQ(run.run.err, plain.run.err) << option;
    EXPECT_EQ(run.lst, plain.lst) << option;
  }
}

}  // namespace
}  // namespace zelas
