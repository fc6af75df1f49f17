// The assembler's per-line hot paths, each on its own: finding the statement word (directive
// and mnemonic matching), evaluating an operand expression, and formatting a listing line.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "core/assembler.h"
#include "emit/emit.h"
#include "emit/listing.h"
#include "statements/dispatcher.h"
#include "symbols/expression.h"
#include "symbols/label_table.h"
#include "target/instructions.h"

namespace {

using zelas::Assembler;

// Puts text on the current line, with the cursor at its start.
void setLine(Assembler& as, const char* text) {
  std::strncpy(as.idleLine.data(), text, zelas::kMaxLineLength);
  as.lineStart = as.idleLine.data();
  as.scanPos = as.lineStart;
}

// A pass-1 assembler with the labels the lines below refer to.
void prepare(Assembler& as) {
  as.pass = 1;
  for (const char* name : {"K1", "K2", "PORT", "table", "loop"}) zelas::newLabel(as, name);
}

// Every mnemonic of the table once (both families' forms), as the word of a statement.
const std::vector<const char*> kInstructionWords = {
    "halt",       "add a,K1",    "adc a,[K2]",    "sub a,[x+K1]", "sbb a,3", "or [K1],a",
    "and a,K2",   "xor [x+2],a", "cmp a,K1",      "mov a,[K2]",   "xpage",   "nop",
    "inc [K1]",   "dec x",       "iord PORT",     "iowr PORT",    "pop a",   "push x",
    "swap a,x",   "ipret 3",     "iowx [x+PORT]", "cpl",          "asl",     "asr",
    "rlc",        "rrc",         "reti",          "di",           "ei",      "ret",
    "jmp loop",   "call table",  "jz loop",       "jnz loop",     "jc loop", "jnc loop",
    "jacc table", "index table"};

// assembleInstruction alone: the mnemonic lookup and the encoder, pass 1 (no listing).
void instructionMatching(benchmark::State& state) {
  Assembler as(stdout, stderr);
  prepare(as);
  std::size_t i = 0;
  for (auto _ : state) {
    setLine(as, kInstructionWords[i++ % kInstructionWords.size()]);
    as.pc = 0x100;
    benchmark::DoNotOptimize(zelas::assembleInstruction(as));
  }
  state.SetItemsProcessed(state.iterations());
}

// dispatchStatement on a mix of statement forms: the conditional and directive keywords are
// tried before the mnemonics, so this covers the directive walk too.
void statementDispatch(benchmark::State& state) {
  Assembler as(stdout, stderr);
  prepare(as);
  const std::vector<const char*> lines = {
      "\tmov\ta,K1",  "\tjnz\tloop ; again", "\tdb\t1,2,3", "\tdw\ttable",
      "\txpageon",    "\tcall\ttable",       "; a comment", "",
      "\tiowr\tPORT", "\tds\t\"text\"",      "\tinc\t[K2]", "\tret"};
  std::size_t i = 0;
  for (auto _ : state) {
    setLine(as, lines[i++ % lines.size()]);
    as.pc = 0x100;
    zelas::dispatchStatement(as);
  }
  state.SetItemsProcessed(state.iterations());
}

// evaluateExpression on operands of growing length.
void expressionEvaluation(benchmark::State& state) {
  Assembler as(stdout, stderr);
  prepare(as);
  const char* operands[] = {"K1", "0FFh", "K1+1", "(K1+K2*3)&0FFh", "-(table/2)|1010b^'A'"};
  const char* text = operands[state.range(0)];
  for (auto _ : state) {
    setLine(as, text);
    benchmark::DoNotOptimize(zelas::evaluateExpression(as));
  }
  state.SetLabel(text);
  state.SetItemsProcessed(state.iterations());
}

// Takes the listing's text and keeps none of it.
class DiscardingOutput : public zelas::OutputFile {
 public:
  bool write(const char*, std::size_t) override { return true; }
  bool commit() override { return true; }
};

// One two-byte instruction's listing line, written to a discarding output.
void listingLineFormatting(benchmark::State& state) {
  Assembler as(stdout, stderr);
  as.listFile = std::make_unique<DiscardingOutput>();
  as.pass = 2;
  as.romImage.assign(0x10000, 0);
  setLine(as, "        mov     a,[x+counter]   ; next element");
  for (auto _ : state) {
    as.pc = 0x1234;
    zelas::emitTwoBytes(as, 0x1B, 0x42, 6);
  }
  zelas::flushListing(as);
  as.listFile = nullptr;
  state.SetItemsProcessed(state.iterations());
}

BENCHMARK(instructionMatching);
BENCHMARK(statementDispatch);
BENCHMARK(expressionEvaluation)->DenseRange(0, 4);
BENCHMARK(listingLineFormatting);

}  // namespace
