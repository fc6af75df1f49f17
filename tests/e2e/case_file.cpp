// Reading and writing the two forms of an end-to-end case; the forms and the matching rules are
// written up atop case_runner_test.cpp.
#include "e2e/case_file.h"

#include <algorithm>
#include <charconv>
#include <sstream>

#include "support/test_support.h"

namespace zelas::test {
namespace {

namespace fs = std::filesystem;

// The lines of text, each without its line end; a last line without one counts as well.
std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

std::string joinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

std::vector<std::string> splitWords(const std::string& text) {
  std::vector<std::string> words;
  std::istringstream in(text);
  std::string word;
  while (in >> word) words.push_back(word);
  return words;
}

// The short keys of the outputs of "prog"; every other file is named with "out NAME".
constexpr std::pair<const char*, const char*> kShortKeys[] = {
    {"listing", "prog.lst"},
    {"rom", "prog.rom"},
    {"hex", "prog.hex"},
};

std::string nameOfKey(const std::string& key) {
  for (const auto& [shortKey, name] : kShortKeys) {
    if (key == shortKey) return name;
  }
  if (key.rfind("out ", 0) == 0) return key.substr(4);
  return key;  // stdout, stderr
}

std::string keyOfName(const std::string& name) {
  for (const auto& [shortKey, fileName] : kShortKeys) {
    if (name == fileName) return shortKey;
  }
  if (name == "stdout" || name == "stderr") return name;
  return "out " + name;
}

bool isTextKey(const std::string& key) {
  return key == "stdout" || key == "stderr" || nameOfKey(key) != key;
}

// A lowercase word, maybe with a file name after it: what a key looks like, so that a misspelt
// key is reported instead of being taken as a note and its expectation lost.
bool looksLikeKey(const std::string& key) {
  std::size_t word = key.find(' ');
  bool lowercase = !key.empty() && word != 0 &&
                   std::all_of(key.begin(), key.begin() + std::min(word, key.size()),
                               [](char ch) { return ch >= 'a' && ch <= 'z'; });
  return lowercase && (word == std::string::npos || key.find(' ', word + 1) == std::string::npos);
}

ExpectedText& textNamed(EndToEndCase& c, const std::string& name) {
  for (ExpectedText& t : c.texts) {
    if (t.name == name) return t;
  }
  c.texts.push_back({name, {}});
  return c.texts.back();
}

std::string& inputNamed(EndToEndCase& c, const std::string& name) {
  for (auto& [inputName, text] : c.inputs) {
    if (inputName == name) return text;
  }
  c.inputs.emplace_back(name, "");
  return c.inputs.back().second;
}

// A final "|" only marks where the text ends, so that trailing blanks stay visible.
std::string unmarked(const std::string& text) {
  return !text.empty() && text.back() == '|' ? text.substr(0, text.size() - 1) : text;
}

std::string marked(const std::string& text) {
  bool needsMark =
      text == "..." ||
      (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '|'));
  return needsMark ? text + "|" : text;
}

// Takes one ";;" line (without the ";;") into c; what is wrong with it, or nothing.
std::string takeCaseLine(EndToEndCase& c, std::string body, bool& haveArgs) {
  if (!body.empty() && body.front() == ' ') body.erase(0, 1);
  std::size_t colon = body.find(':');
  std::string key = colon == std::string::npos ? "" : body.substr(0, colon);
  std::string rest = colon == std::string::npos ? "" : body.substr(colon + 1);
  if (!rest.empty() && rest.front() == ' ') rest.erase(0, 1);
  if (key == "args") {
    if (!haveArgs) c.args.clear();
    haveArgs = true;
    for (std::string& word : splitWords(rest)) c.args.push_back(std::move(word));
  } else if (key == "exit") {
    int status = 0;
    auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), status);
    if (error != std::errc() || end != rest.data() + rest.size())
      return "an exit status that is no number";
    c.exitStatus = status;
  } else if (key == "empty") {
    textNamed(c, nameOfKey(rest));
  } else if (key == "absent") {
    c.absent.push_back(rest);
  } else if (key.rfind("file ", 0) == 0) {
    inputNamed(c, key.substr(5)) += unmarked(rest) + "\n";
  } else if (isTextKey(key)) {
    ExpectedLine line;
    if (rest != "...") line = unmarked(rest);
    textNamed(c, nameOfKey(key)).lines.push_back(line);
  } else if (looksLikeKey(key)) {
    return "an unknown key '" + key + "'";
  } else {
    c.notes.push_back(body);
  }
  return "";
}

struct WholeSection {
  std::string kind;  // in, args, status, stdout, stderr, out, absent
  std::string name;
  std::string text;
};

// The sections of a whole-output case; the "#" lines above the first go to notes.
std::vector<WholeSection> wholeSections(const std::string& text, std::vector<std::string>& notes) {
  std::vector<WholeSection> sections;
  for (const std::string& line : splitLines(text)) {
    if (line.rfind("==> ", 0) == 0) {
      std::string header = line.substr(4);
      std::size_t blank = header.find(' ');
      sections.push_back({header.substr(0, blank),
                          blank == std::string::npos ? "" : header.substr(blank + 1), ""});
    } else if (!sections.empty()) {
      sections.back().text += line + "\n";
    } else {
      notes.push_back(line.rfind("# ", 0) == 0 ? line.substr(2) : "");
    }
  }
  return sections;
}

// True when out holds the lines of run from index at on.
bool runsAt(const std::vector<std::string>& out, std::size_t at,
            const std::vector<std::string>& run) {
  return at + run.size() <= out.size() && std::equal(run.begin(), run.end(), out.begin() + at);
}

std::string notFound(const std::vector<std::string>& run, const std::string& where) {
  std::string text = "these lines are not found " + where + ":\n";
  for (const std::string& line : run) text += "  " + line + "\n";
  return text;
}

std::string exactMismatch(const std::vector<std::string>& expected,
                          const std::vector<std::string>& out) {
  auto [e, o] = std::mismatch(expected.begin(), expected.end(), out.begin(), out.end());
  if (e == expected.end() && o == out.end()) return "";
  std::size_t line = static_cast<std::size_t>(e - expected.begin()) + 1;
  std::string want = e == expected.end() ? "(the end)" : "'" + *e + "'";
  std::string got = o == out.end() ? "(the end)" : "'" + *o + "'";
  return "line " + std::to_string(line) + ": expected " + want + ", got " + got;
}

std::string withLineNumber(std::size_t index, const std::string& what) {
  return "line " + std::to_string(index + 1) + ": " + what;
}

}  // namespace

EndToEndCase parseSourceCase(const std::string& text) {
  EndToEndCase c;
  std::vector<std::string> lines = splitLines(text);
  auto blockStart = std::find_if(lines.begin(), lines.end(),
                                 [](const std::string& line) { return line.rfind(";;", 0) == 0; });
  c.inputs.emplace_back(kCaseSourceName, joinLines({lines.begin(), blockStart}));
  bool haveArgs = false;
  for (auto it = blockStart; it != lines.end(); ++it) {
    std::size_t index = static_cast<std::size_t>(it - lines.begin());
    if (it->rfind(";;", 0) != 0) {
      c.faults.push_back(withLineNumber(index, "a source line below the case lines"));
    } else if (std::string fault = takeCaseLine(c, it->substr(2), haveArgs); !fault.empty()) {
      c.faults.push_back(withLineNumber(index, fault));
    }
  }
  return c;
}

EndToEndCase parseWholeCase(const std::string& text) {
  EndToEndCase c;
  std::vector<WholeSection> sections = wholeSections(text, c.notes);
  for (const WholeSection& s : sections) {
    if (s.kind == "in") {
      inputNamed(c, s.name) = s.text;
    } else if (s.kind == "args") {
      c.args = splitLines(s.text);
    } else if (s.kind == "status") {
      c.exitStatus = std::atoi(s.text.c_str());
    } else if (s.kind == "stdout" || s.kind == "stderr" || s.kind == "out") {
      ExpectedText& t = textNamed(c, s.kind == "out" ? s.name : s.kind);
      for (const std::string& line : splitLines(s.text)) t.lines.emplace_back(line);
    } else if (s.kind == "absent") {
      c.absent.push_back(s.name);
    } else {
      c.faults.push_back("an unknown section: " + s.kind);
    }
  }
  return c;
}

EndToEndCase readEndToEndCase(const fs::path& path) {
  std::string text = readFile(path);
  return path.extension() == ".case" ? parseWholeCase(text) : parseSourceCase(text);
}

std::vector<fs::path> endToEndCaseFiles(const fs::path& folder) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    fs::path ext = entry.path().extension();
    if (ext == ".asm" || ext == ".case") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::string renderSourceCase(const EndToEndCase& c) {
  std::string text = c.inputs.front().second;
  for (const std::string& note : c.notes) text += note.empty() ? ";;\n" : ";; " + note + "\n";
  if (c.args != std::vector<std::string>{"prog"}) {
    text += ";; args:";
    for (const std::string& arg : c.args) text += " " + arg;
    text += "\n";
  }
  for (auto input = c.inputs.begin() + 1; input != c.inputs.end(); ++input) {
    for (const std::string& line : splitLines(input->second)) {
      text += ";; file " + input->first + ": " + marked(line) + "\n";
    }
  }
  if (c.exitStatus) text += ";; exit: " + std::to_string(*c.exitStatus) + "\n";
  for (const ExpectedText& t : c.texts) {
    if (t.lines.empty()) text += ";; empty: " + t.name + "\n";
    for (const ExpectedLine& line : t.lines) {
      std::string shown = line ? marked(*line) : "...";
      text += ";; " + keyOfName(t.name) + ":" + (shown.empty() ? "" : " " + shown) + "\n";
    }
  }
  for (const std::string& name : c.absent) text += ";; absent: " + name + "\n";
  return text;
}

std::string renderWholeCase(const EndToEndCase& c) {
  std::string text;
  for (const std::string& note : c.notes) text += note.empty() ? "#\n" : "# " + note + "\n";
  for (const auto& [name, input] : c.inputs) text += "==> in " + name + "\n" + input;
  if (c.args != std::vector<std::string>{"prog"}) text += "==> args\n" + joinLines(c.args);
  if (c.exitStatus) text += "==> status\n" + std::to_string(*c.exitStatus) + "\n";
  for (const ExpectedText& t : c.texts) {
    bool stream = t.name == "stdout" || t.name == "stderr";
    text += "==> " + (stream ? t.name : "out " + t.name) + "\n";
    for (const ExpectedLine& line : t.lines) text += line.value_or("...") + "\n";
  }
  for (const std::string& name : c.absent) text += "==> absent " + name + "\n";
  return text;
}

std::string textMismatch(const std::vector<ExpectedLine>& expected, const std::string& actual) {
  if (!actual.empty() && actual.back() != '\n') return "the text does not end in a line end";
  std::vector<std::string> out = splitLines(actual);
  std::vector<std::vector<std::string>> runs(1);
  for (const ExpectedLine& line : expected) {
    if (line) {
      runs.back().push_back(*line);
    } else {
      runs.emplace_back();
    }
  }
  if (runs.size() == 1) return exactMismatch(runs.front(), out);
  // The first run is held to the start and the last to the end; those between take the first
  // place they fit, which leaves the most room for the runs after them.
  if (!runsAt(out, 0, runs.front())) return notFound(runs.front(), "at the start");
  std::size_t next = runs.front().size();
  for (std::size_t i = 1; i + 1 < runs.size(); ++i) {
    std::size_t at = next;
    while (at + runs[i].size() <= out.size() && !runsAt(out, at, runs[i])) ++at;
    if (at + runs[i].size() > out.size()) {
      return notFound(runs[i], "after line " + std::to_string(next));
    }
    next = at + runs[i].size();
  }
  const std::vector<std::string>& last = runs.back();
  if (out.size() < next + last.size() || !runsAt(out, out.size() - last.size(), last)) {
    return notFound(last, "at the end, after line " + std::to_string(next));
  }
  return "";
}

void exportCase(const EndToEndCase& c, const fs::path& folder) {
  fs::create_directories(folder);
  for (const auto& [name, text] : c.inputs) {
    fs::path path = folder / name;
    fs::create_directories(path.parent_path());
    writeFile(path, text);
  }
  writeFile(folder / "args", joinLines(c.args));
}

}  // namespace zelas::test
