#include "source_generator.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace zelas::bench {

namespace {

struct ShapeName {
  SourceShape shape;
  const char* name;
};

constexpr ShapeName kShapeNames[] = {
    // shape                   name
    {SourceShape::mix, "mix"},
    {SourceShape::labels, "labels"},
    {SourceShape::macros, "macros"},
    {SourceShape::longNames, "long-names"},
    {SourceShape::deepLocals, "deep-locals"},
    {SourceShape::noLabels, "no-labels"},
};

// A small deterministic generator (xorshift64), so a size always gives the same source.
struct Random {
  std::uint64_t state = 0x9E3779B97F4A7C15ull;
  std::uint64_t next() {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return state;
  }
  // A number in [0, n); n > 0.
  long below(long n) { return static_cast<long>(next() % static_cast<std::uint64_t>(n)); }
};

using FilePtr = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

// Counts the lines written so the generators can stop at the size asked for.
struct Writer {
  std::FILE* f;
  long lines = 0;
  template <typename... Args>
  void line(const char* format, Args... args) {
    std::fprintf(f, format, args...);
    std::fputc('\n', f);
    ++lines;
  }
};

// Ports and RAM cells, included by every generated source.
bool writeInclude(const std::string& path) {
  FilePtr f(std::fopen(path.c_str(), "w"), std::fclose);
  if (!f) return false;
  std::fprintf(f.get(), "; ports and RAM cells of the synthetic program\n");
  for (int i = 0; i < 16; ++i) std::fprintf(f.get(), "P%d:\tequ\t%02Xh\n", i, 0x10 + i);
  for (int i = 0; i < 32; ++i) std::fprintf(f.get(), "V%d:\tequ\t%02Xh\n", i, 0x20 + i * 3);
  return std::fclose(f.release()) == 0;
}

// The part every shape starts with: product, include, constants and the macro with a local
// label. Code starts in the upper 4K block, so no jump crosses between the blocks.
void writePreamble(Writer& w, const std::string& includeName) {
  w.line("; synthetic source for the zelas benchmarks");
  w.line("\tcpu\tPX109");
  w.line("\tinclude\t\"%s\"", includeName.c_str());
  w.line("\tdefine\tFAST");
  w.line("DEBUG:\tequ\t0");
  for (int i = 0; i < 16; ++i) w.line("K%d:\tequ\t%d", i, i * 7 + 3);
  w.line("");
  w.line("; wait ticks: counts ticks down to zero");
  w.line("\tmacro\twait ticks");
  w.line("\tmov\ta,ticks");
  w.line("spin:\tdec\ta");
  w.line("\tjnz\tspin");
  w.line("\tendm");
  w.line("");
  w.line("\torg\t1000h");
}

// The mix: about six lines in ten instructions, one in ten labels, data, equ, comments, blank
// lines, conditionals and macro invocations.
class MixWriter {
 public:
  MixWriter(Writer& w, long target) : w_(w), target_(target) {}

  void run() {
    startGlobal();
    while (w_.lines < target_) step();
    closeScope();
    for (long g = globals_; g <= maxGlobalRef_; ++g) w_.line("f%ld:\tret", g);
  }

 private:
  Writer& w_;
  long target_;
  Random r_;
  long globals_ = 0;        // global labels f0.. defined so far
  long locals_ = 0;         // local labels .l0.. defined under the current global
  long maxLocalRef_ = -1;   // highest local label referenced in this scope
  long maxGlobalRef_ = -1;  // highest global label referenced anywhere
  long constants_ = 16;     // K0.. defined so far

  void startGlobal() {
    closeScope();
    w_.line("f%ld:", globals_++);
    openScope();
  }

  void openScope() {
    locals_ = 0;
    maxLocalRef_ = -1;
  }

  // Local labels referenced ahead of their definition are defined before the scope ends.
  void closeScope() {
    for (long l = locals_; l <= maxLocalRef_; ++l) w_.line(".l%ld:\tnop", l);
    locals_ = maxLocalRef_ + 1 > locals_ ? maxLocalRef_ + 1 : locals_;
  }

  const char* pick(const char* const* list, long n) { return list[r_.below(n)]; }
  long constant() { return r_.below(constants_); }
  long cell() { return r_.below(32); }
  long port() { return r_.below(16); }

  std::string globalTarget() {
    long g = globals_ - 1 + r_.below(12) - 5;  // mostly nearby, before and after
    if (g < 0) g = 0;
    if (g > maxGlobalRef_) maxGlobalRef_ = g;
    return "f" + std::to_string(g);
  }
  std::string localTarget() {
    long l = locals_ + r_.below(4) - 2;
    if (l < 0) l = 0;
    if (l > maxLocalRef_) maxLocalRef_ = l;
    return ".l" + std::to_string(l);
  }

  void step() {
    long roll = r_.below(100);
    if (roll < 60) {
      instruction();
    } else if (roll < 63) {
      startGlobal();
    } else if (roll < 70) {
      w_.line(".l%ld:\t%s", locals_++, r_.below(2) ? "inc\tx" : "");
    } else if (roll < 72) {
      // An equ name is a global label too and opens a scope of its own.
      closeScope();
      w_.line("K%ld:\tequ\t(K%ld*2+%ld)&7Fh", constants_, constant(), r_.below(9));
      openScope();
      ++constants_;
    } else if (roll < 77) {
      data();
    } else if (roll < 83) {
      w_.line("; %s step %ld: keep the accumulator for the caller", "state", w_.lines);
    } else if (roll < 87) {
      w_.line("");
    } else if (roll < 90) {
      conditional();
    } else if (roll < 94) {
      // The macro's label is global, so the locals after the call belong to its scope.
      closeScope();
      w_.line("\twait\tK%ld", constant());
      openScope();
    } else if (roll < 95) {
      // ipret exists only in family A: a short stretch for a family A product.
      w_.line("\tcpu\tPX106");
      w_.line("\tipret\tK%ld", constant());
      w_.line("\tcpu\tPX109");
    } else {
      w_.line("\t%s\t%s\t; to %s", pick(kJumps, 7), localTarget().c_str(), "the local");
    }
  }

  static constexpr const char* kJumps[] = {"jmp", "jz", "jnz", "jc", "jnc", "jmp", "jnz"};
  static constexpr const char* kAlu[] = {"add", "adc", "sub", "sbb", "or", "and", "xor", "cmp"};
  static constexpr const char* kBare[] = {
      "nop",       "cpl",      "asl",      "asr",         "rlc",        "rrc",         "ret",
      "di",        "ei",       "reti",     "inc\ta",      "dec\tx",     "push\ta",     "pop\tx",
      "swap\ta,x", "mov\ta,x", "mov\tx,a", "swap\ta,dsp", "mov\tpsp,a", "swap\ta,psp", "push\tx",
      "pop\ta",    "inc\tx",   "dec\ta",   "halt",        "xpage"};

  void instruction() {
    long kind = r_.below(20);
    const char* alu = pick(kAlu, 8);
    switch (kind) {
      case 0:
        w_.line("\t%s\ta,K%ld", alu, constant());
        break;
      case 1:
        w_.line("\t%s\ta,[V%ld]", alu, cell());
        break;
      case 2:
        w_.line("\t%s\ta,[x+V%ld]\t; indexed", alu, cell());
        break;
      case 3:
        w_.line("\t%s\ta,(K%ld+K%ld)&0FFh", alu, constant(), constant());
        break;
      case 4:
        w_.line("\tmov\t[V%ld],a", cell());
        break;
      case 5:
        w_.line("\t%s\t[x+%ld],a", pick(kAlu + 4, 3), cell());
        break;
      case 6:
        w_.line("\tmov\tx,[V%ld]", cell());
        break;
      case 7:
        w_.line("\tinc\t[V%ld]", cell());
        break;
      case 8:
        w_.line("\tdec\t[x+V%ld]", cell());
        break;
      case 9:
        w_.line("\tiord\tP%ld", port());
        break;
      case 10:
        w_.line("\tiowr\tP%ld", port());
        break;
      case 11:
        w_.line("\tiowx\t[x+P%ld]", port());
        break;
      case 12:
        w_.line("\tcall\t%s", globalTarget().c_str());
        break;
      case 13:
        w_.line("\t%s\t%s", pick(kJumps, 7), globalTarget().c_str());
        break;
      case 14:
        w_.line("\t%s\t%s", pick(kJumps, 7), localTarget().c_str());
        break;
      case 15:
        w_.line("\t%s\t%s", r_.below(2) ? "jacc" : "index", globalTarget().c_str());
        break;
      case 16:
        w_.line("\tmov\tx,K%ld", constant());
        break;
      default:
        w_.line("\t%s", pick(kBare, std::size(kBare)));
        break;
    }
  }

  void data() {
    switch (r_.below(5)) {
      case 0:
        w_.line("\tdb\t%ld,K%ld,'A',0", r_.below(200), constant());
        break;
      case 1:
        w_.line("\tds\t\"message %ld: ready\"", w_.lines);
        break;
      case 2:
        w_.line("\tdw\t%s&0FFFFh,1234h", globalTarget().c_str());
        break;
      case 3:
        w_.line("\tdwl\t%s&0FFFFh", globalTarget().c_str());
        break;
      default:
        w_.line("\tds\t\"name%ld\"", r_.below(1000));
        break;
    }
  }

  void conditional() {
    switch (r_.below(3)) {
      case 0:
        w_.line("if\tDEBUG");
        w_.line("\tiowr\tP%ld", port());
        w_.line("else");
        w_.line("\tnop");
        w_.line("endif");
        break;
      case 1:
        w_.line("ifdef\tFAST");
        w_.line("\tmov\ta,K%ld", constant());
        w_.line("endif");
        break;
      default:
        w_.line("ifndef\tBCPU");
        w_.line("\tipret\t0");
        w_.line("endif");
        break;
    }
  }
};

// Every line a global label on an instruction that jumps to another label anywhere.
void writeLabels(Writer& w, long target, const char* stem) {
  Random r;
  long count = target - w.lines;
  for (long i = 0; i < count; ++i) {
    w.line("%s%ld:\tjmp\t%s%ld", stem, i, stem, r.below(count));
  }
}

// Macros of five lines each with a local label, then an invocation of each, in turn.
void writeMacros(Writer& w, long target) {
  long count = (target - w.lines) / 7;
  for (long m = 0; m < count; ++m) {
    w.line("\tmacro\tm%ld n", m);
    w.line("\tmov\ta,n");
    // Each macro its own label name: the expansions of two macros share their counts.
    w.line("lp%ld:\tdec\ta", m);
    w.line("\tjnz\tlp%ld", m);
    w.line("\tendm");
  }
  for (long i = 0; w.lines < target; ++i) w.line("\tm%ld\t%ld", i % count, i % 200);
}

// One global label and every other line a local label under it.
void writeDeepLocals(Writer& w, long target) {
  Random r;
  w.line("deep:");
  long count = target - w.lines;
  for (long i = 0; i < count; ++i) {
    w.line(".x%ld:\tjnz\t.x%ld", i, r.below(count));
  }
}

// Instructions only, no label after the preamble: memory must not grow with these lines
// (beyond the two bytes each adds to the ROM image).
void writeNoLabels(Writer& w, long target) {
  static constexpr const char* kLines[] = {"\tmov\ta,K3", "\tadd\ta,[V2]\t; sum", "\tiowr\tP1",
                                           "\tinc\t[x+V4]"};
  for (long i = 0; w.lines < target; ++i) w.line("%s", kLines[i % 4]);
}

}  // namespace

bool parseShape(std::string_view name, SourceShape& shape) {
  for (const ShapeName& s : kShapeNames) {
    if (name == s.name) {
      shape = s.shape;
      return true;
    }
  }
  return false;
}

const char* shapeName(SourceShape shape) {
  for (const ShapeName& s : kShapeNames) {
    if (s.shape == shape) return s.name;
  }
  return "?";
}

bool writeSource(const std::string& path, long lines, SourceShape shape) {
  std::string folder;
  std::size_t slash = path.rfind('/');
  if (slash != std::string::npos) folder = path.substr(0, slash + 1);
  const std::string includeName = "bench_io.inc";
  if (!writeInclude(folder + includeName)) return false;
  FilePtr f(std::fopen(path.c_str(), "w"), std::fclose);
  if (!f) return false;
  std::setvbuf(f.get(), nullptr, _IOFBF, 1 << 16);
  Writer w{f.get()};
  writePreamble(w, includeName);
  // A name of 100 characters and more, so the line still fits two of them and an instruction.
  const std::string longStem =
      "a_rather_long_label_name_as_generated_by_a_table_compiler_for_the_state_machine_entry_";
  switch (shape) {
    case SourceShape::mix:
      MixWriter(w, lines).run();
      break;
    case SourceShape::labels:
      writeLabels(w, lines, "lab");
      break;
    case SourceShape::longNames:
      writeLabels(w, lines, longStem.c_str());
      break;
    case SourceShape::macros:
      writeMacros(w, lines);
      break;
    case SourceShape::deepLocals:
      writeDeepLocals(w, lines);
      break;
    case SourceShape::noLabels:
      writeNoLabels(w, lines);
      break;
  }
  return std::fclose(f.release()) == 0;
}

}  // namespace zelas::bench
