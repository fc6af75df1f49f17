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

// Decodes one path from address until it ends; targets to follow go to pending.
void walkPath(std::span<const std::uint8_t> image, CpuFamily family, std::size_t address,
              CodeMap& map, std::vector<std::size_t>& pending) {
  while (address < image.size()) {
    std::optional<Decoded> d = decodeAt(image, address, family);
    if (!d || !fitsAt(map, address, d->row->bytes)) return;
    map.role[address] = ByteRole::instruction;
    if (d->row->bytes == 2) map.role[address + 1] = ByteRole::operand;
    Flow flow = flowOf(*d->row);
    if (d->row->operand == OperandKind::target && d->target >= 0 &&
        static_cast<std::size_t>(d->target) < image.size()) {
      std::size_t target = static_cast<std::size_t>(d->target);
      map.target[target] = true;
      if (followsTarget(flow)) pending.push_back(target);
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
  if (!image.empty()) pending.push_back(0);
  while (!pending.empty()) {
    std::size_t address = pending.back();
    pending.pop_back();
    walkPath(image, family, address, map, pending);
  }
  return map;
}

}  // namespace zelas::dis
