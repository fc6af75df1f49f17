// End-to-end cases: reading a case file, in either of its two forms, into the inputs of one run
// and the outputs that run must give; matching those outputs; writing a case back and exporting
// its inputs to a folder. The forms are described atop case_file.cpp.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zelas::test {

// One expected line; nothing stands for a gap, any number of lines (none included).
using ExpectedLine = std::optional<std::string>;

// What one console stream or output file must hold. No lines and no gap: it must be empty.
struct ExpectedText {
  std::string name;  // "stdout", "stderr" or the name of a file the run writes
  std::vector<ExpectedLine> lines;
};

struct EndToEndCase {
  std::vector<std::string> notes;                           // what the case is about
  std::vector<std::pair<std::string, std::string>> inputs;  // name and text, source first
  std::vector<std::string> args{"prog"};                    // the command line, program excluded
  std::optional<int> exitStatus;
  std::vector<ExpectedText> texts;  // in the order the case gives them
  std::vector<std::string> absent;  // files the run must not leave
  std::vector<std::string> faults;  // lines the reader could not take, with their numbers
};

// The source of a source-form case is run under this name.
inline constexpr const char* kCaseSourceName = "prog.asm";

// A source-form case (*.asm): the source, then its block of ";;" lines.
EndToEndCase parseSourceCase(const std::string& text);
// A whole-output case (*.case): "==> " sections.
EndToEndCase parseWholeCase(const std::string& text);
// Reads the case file at path in the form its extension names.
EndToEndCase readEndToEndCase(const std::filesystem::path& path);
// Every case file under folder, in name order.
std::vector<std::filesystem::path> endToEndCaseFiles(const std::filesystem::path& folder);

// The case as text of the form parseSourceCase reads; the inputs must start with the source.
std::string renderSourceCase(const EndToEndCase& c);
// The case as text of the form parseWholeCase reads.
std::string renderWholeCase(const EndToEndCase& c);

// Empty when actual holds what expected asks; otherwise a few lines saying where it differs.
std::string textMismatch(const std::vector<ExpectedLine>& expected, const std::string& actual);
// Writes every input of c under folder, as the run sees it, and the arguments, one per line, to
// folder/args.
void exportCase(const EndToEndCase& c, const std::filesystem::path& folder);

}  // namespace zelas::test
