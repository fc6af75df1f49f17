#include "disasm/code_map.h"

#include "disasm/decoder.h"

namespace zelas::dis {

namespace {

// Whether the bytes of an instruction at address are all still free.
bool fitsAt(const CodeMap& map, std::size_t address, std::size_t length) {
  for (std::size_t i = address; i < address + length; ++i) {
    if (map.role[i] != ByteRole::data) return false;
  }
  return true;
}

bool followsTarget(Flow flow) {
  return flow == Flow::jump || flow == Flow::branch || flow == Flow::call;
}

bool goesOn(Flow flow) {
  return flow != Flow::jump && flow != Flow::table && flow != Flow::stop;
}

// Marks the instruction d at address as code and labels its target; a target to follow goes to
// pending.
void markInstruction(const Decoded& d, std::size_t address, std::size_t size, CodeMap& map,
                     std::vector<std::size_t>& pending) {
  map.role[address] = ByteRole::instruction;
  if (d.row->bytes == 2) map.role[address + 1] = ByteRole::operand;
  if (d.row->operand != OperandKind::target || d.target < 0) return;
  std::size_t target = static_cast<std::size_t>(d.target);
  if (target >= size) return;
  map.target[target] = true;
  if (followsTarget(flowOf(*d.row))) pending.push_back(target);
}

// The jump table of a jacc: the run of jmp instructions at its target, each entry followed.
void walkJumpTable(std::span<const std::uint8_t> image, CpuFamily family, std::size_t address,
                   CodeMap& map, std::vector<std::size_t>& pending) {
  while (address < image.size()) {
    std::optional<Decoded> d = decodeAt(image, address, family);
    if (!d || flowOf(*d->row) != Flow::jump || !fitsAt(map, address, d->row->bytes)) return;
    markInstruction(*d, address, image.size(), map, pending);
    address += d->row->bytes;
  }
}

// Decodes one path from address until it ends; targets to follow go to pending.
void walkPath(std::span<const std::uint8_t> image, CpuFamily family, std::size_t address,
              CodeMap& map, std::vector<std::size_t>& pending, std::vector<std::size_t>& tables) {
  while (address < image.size()) {
    std::optional<Decoded> d = decodeAt(image, address, family);
    if (!d || !fitsAt(map, address, d->row->bytes)) return;
    markInstruction(*d, address, image.size(), map, pending);
    Flow flow = flowOf(*d->row);
    if (flow == Flow::table && d->target >= 0) {
      tables.push_back(static_cast<std::size_t>(d->target));
    }
    if (!goesOn(flow)) return;
    address += d->row->bytes;
  }
}

}  // namespace

CodeMap mapCode(std::span<const std::uint8_t> image, CpuFamily family) {
  CodeMap map;
  map.role.assign(image.size(), ByteRole::data);
  map.target.assign(image.size(), false);
  std::vector<std::size_t> pending;
  std::vector<std::size_t> tables;
  if (!image.empty()) pending.push_back(0);
  // Paths first, so that a table never swallows code that a path reaches; then each table, whose
  // entries open new paths.
  while (!pending.empty() || !tables.empty()) {
    if (pending.empty()) {
      walkJumpTable(image, family, tables.back(), map, pending);
      tables.pop_back();
      continue;
    }
    std::size_t address = pending.back();
    pending.pop_back();
    walkPath(image, family, address, map, pending, tables);
  }
  return map;
}

}  // namespace zelas::dis
