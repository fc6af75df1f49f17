#include "target/product.h"

#include <cstdint>
#include <string>

#include "core/assembler.h"
#include "diag/messages.h"
#include "diag/report.h"
#include "emit/listing.h"
#include "scan/scanner.h"
#include "statements/defined_symbols.h"

namespace zelas {

namespace {

// The three RAM layouts, shared by the rows that have them; ranges in ascending order.
constexpr RamRange kRamList1[] = {{0x00, 0x7F}};
constexpr RamRange kRamList2[] = {{0x00, 0xFF}};
constexpr RamRange kRamList3[] = {{0x00, 0x4F}, {0xF0, 0xFF}};

// The lookup takes the first matching row, so the repeated PX115 and PX116 rows (27 and 30) are
// never selected; they stay so that the table keeps its published row numbers.
constexpr Product kProductTable[] = {
    // clang-format off
    // id      family        RAM        romSize    row
    {"PX101", CpuFamily::A, kRamList1, 0x0800},  // 1
    {"PX102", CpuFamily::A, kRamList1, 0x1000},  // 2
    {"PX103", CpuFamily::A, kRamList1, 0x0800},  // 3
    {"PX104", CpuFamily::A, kRamList1, 0x1000},  // 4
    {"PX105", CpuFamily::A, kRamList1, 0x0800},  // 5
    {"PX106", CpuFamily::A, kRamList1, 0x1000},  // 6
    {"PX107", CpuFamily::B, kRamList2, 0x1000},  // 7
    {"PX108", CpuFamily::B, kRamList2, 0x1800},  // 8
    {"PX109", CpuFamily::B, kRamList2, 0x1FE0},  // 9
    {"PX110", CpuFamily::B, kRamList2, 0x1000},  // 10
    {"PX111", CpuFamily::B, kRamList2, 0x1800},  // 11
    {"PX112", CpuFamily::B, kRamList2, 0x1FE0},  // 12
    {"PX113", CpuFamily::B, kRamList2, 0x1800},  // 13
    {"PX114", CpuFamily::B, kRamList2, 0x1FE0},  // 14
    {"PX115", CpuFamily::B, kRamList2, 0x1FE0},  // 15
    {"PX116", CpuFamily::B, kRamList2, 0x1FE0},  // 16
    {"PX117", CpuFamily::B, kRamList2, 0x1FE0},  // 17
    {"PX118", CpuFamily::B, kRamList2, 0x1FE0},  // 18
    {"PX119", CpuFamily::B, kRamList2, 0x1000},  // 19
    {"PX120", CpuFamily::B, kRamList2, 0x1800},  // 20
    {"PX121", CpuFamily::B, kRamList2, 0x1FE0},  // 21
    {"PX122", CpuFamily::B, kRamList2, 0x1000},  // 22
    {"PX123", CpuFamily::B, kRamList2, 0x1800},  // 23
    {"PX124", CpuFamily::B, kRamList2, 0x1FE0},  // 24
    {"PX125", CpuFamily::B, kRamList2, 0x1000},  // 25
    {"PX126", CpuFamily::B, kRamList2, 0x1800},  // 26
    {"PX115", CpuFamily::B, kRamList2, 0x1FE0},  // 27
    {"PX127", CpuFamily::B, kRamList2, 0x1000},  // 28
    {"PX128", CpuFamily::B, kRamList2, 0x1800},  // 29
    {"PX116", CpuFamily::B, kRamList2, 0x1FE0},  // 30
    {"PX129", CpuFamily::B, kRamList2, 0x1FE0},  // 31
    {"PX130", CpuFamily::B, kRamList2, 0x1FE0},  // 32
    {"PX131", CpuFamily::B, kRamList2, 0x1FE0},  // 33
    {"PX132", CpuFamily::B, kRamList2, 0x1FE0},  // 34
    {"PX133", CpuFamily::B, kRamList2, 0x1800},  // 35
    {"PX134", CpuFamily::B, kRamList2, 0x1FE0},  // 36
    {"PX135", CpuFamily::B, kRamList2, 0x1800},  // 37
    {"PX136", CpuFamily::B, kRamList2, 0x1FE0},  // 38
    {"PX137", CpuFamily::B, kRamList3, 0x0BE0},  // 39
    {"PX138", CpuFamily::B, kRamList3, 0x0BE0},  // 40
    // clang-format on
};
static_assert(std::size(kProductTable) == 40);
static_assert(std::size(kProductTable) <= 64, "one bit of Assembler::productsDefined per row");

}  // namespace

const Product* findProduct(std::string_view id) {
  for (const Product& product : kProductTable) {
    if (sameTextNoCase(product.id, id)) return &product;
  }
  return nullptr;
}

std::span<const Product> productTable() {
  return kProductTable;
}

// cpu <id>
void selectProduct(Assembler& as, const char* id) {
  std::string name = id != nullptr ? id : readToken(as, true);
  const Product* product = findProduct(name);
  if (product == nullptr) {
    reportWarning(as, msg::unknownProduct, name.c_str());
    return;
  }
  as.currentProduct = product;
  std::uint64_t row = std::uint64_t{1} << (product - kProductTable);
  if ((as.productsDefined & row) == 0) {
    as.productsDefined |= row;
    addDefinedSymbol(as.definedSymbols, product->id);
    addDefinedSymbol(as.definedSymbols, product->family == CpuFamily::A ? "ACPU" : "BCPU");
  }
  if (id == nullptr) listAddressLine(as);
}

bool isRamAddress(const Assembler& as, Value value) {
  for (const RamRange& r : as.currentProduct->ramRanges) {
    if (r.low <= value && value <= r.high) return true;
  }
  return false;
}

Value ramSize(const Product& product) {
  Value size = 0;
  for (const RamRange& r : product.ramRanges) size += r.high - r.low + 1;
  return size;
}

}  // namespace zelas
