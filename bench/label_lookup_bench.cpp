// Label lookup against the size of the label table: finding a global label, and a local label of
// a global one, should cost about the same with 100 labels as with 100,000. Random probes over a
// large table also measure cache misses; the hot variant isolates the lookup itself.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "core/assembler.h"
#include "symbols/label_table.h"

namespace {

using zelas::Assembler;

// Names like the ones a real program uses, spread over the whole table.
std::vector<std::string> makeNames(std::size_t count) {
  std::vector<std::string> names;
  names.reserve(count);
  for (std::size_t i = 0; i < count; ++i)
    names.push_back("label_" + std::to_string(i * 7919 % count));
  return names;
}

// Enters count global labels, each with four locals, as pass 1 would.
void fillTable(Assembler& as, const std::vector<std::string>& names) {
  as.pass = 1;
  for (const std::string& name : names) {
    zelas::newLabel(as, name);
    for (const char* local : {".loop", ".next", ".done", ".skip"}) zelas::newLabel(as, local);
  }
  zelas::resetLocalScope(as);
  as.pass = 2;
}

void globalLookup(benchmark::State& state) {
  Assembler as(stdout, stderr);
  std::vector<std::string> names = makeNames(static_cast<std::size_t>(state.range(0)));
  fillTable(as, names);
  std::mt19937 random(1);
  std::vector<std::string> probes;
  for (int i = 0; i < 1024; ++i) probes.push_back(names[random() % names.size()]);
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(zelas::findLabel(as, probes[i++ & 1023]));
  }
  state.SetItemsProcessed(state.iterations());
}

// The same lookup over a handful of labels that stay in the cache: what is left is the cost of
// the lookup itself, without the memory misses that a table larger than the cache adds.
void hotGlobalLookup(benchmark::State& state) {
  Assembler as(stdout, stderr);
  std::vector<std::string> names = makeNames(static_cast<std::size_t>(state.range(0)));
  fillTable(as, names);
  std::mt19937 random(3);
  std::vector<std::string> probes;
  for (int i = 0; i < 16; ++i) probes.push_back(names[random() % names.size()]);
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(zelas::findLabel(as, probes[i++ & 15]));
  }
  state.SetItemsProcessed(state.iterations());
}

void scopedLocalLookup(benchmark::State& state) {
  Assembler as(stdout, stderr);
  std::vector<std::string> names = makeNames(static_cast<std::size_t>(state.range(0)));
  fillTable(as, names);
  std::mt19937 random(2);
  std::vector<std::string> probes;
  for (int i = 0; i < 1024; ++i) probes.push_back(names[random() % names.size()]);
  std::size_t i = 0;
  for (auto _ : state) {
    // Entering a global label's scope in pass 2, then finding one of its locals.
    zelas::defineLabel(as, probes[i++ & 1023]);
    benchmark::DoNotOptimize(zelas::findLabel(as, ".done"));
  }
  state.SetItemsProcessed(state.iterations());
}

BENCHMARK(globalLookup)->RangeMultiplier(10)->Range(100, 100000);
BENCHMARK(hotGlobalLookup)->RangeMultiplier(10)->Range(100, 100000);
BENCHMARK(scopedLocalLookup)->RangeMultiplier(10)->Range(100, 100000);

}  // namespace
