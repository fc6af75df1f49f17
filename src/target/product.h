// The product table: every supported microcontroller with its CPU family, RAM ranges and ROM size.
#pragma once

#include <span>
#include <string_view>

#include "core/value.h"

namespace zelas {

struct Assembler;

enum class CpuFamily { A, B };

struct RamRange {
  Value low;
  Value high;  // inclusive
};

struct Product {
  std::string_view id;
  CpuFamily family;
  std::span<const RamRange> ramRanges;
  Value romSize;
};

// The table's rows in their fixed order (the lookup takes the first match).
std::span<const Product> productTable();
// The product with this ID (letter case ignored, first match), or null.
const Product* findProduct(std::string_view id);

// Makes the product with this ID current and defines its symbols; with a null id the ID is read
// from the current line. An unknown ID is reported and changes nothing.
void selectProduct(Assembler& as, const char* id);
// True when value lies in one of the current product's RAM ranges.
bool isRamAddress(const Assembler& as, Value value);
// Sum of the product's RAM range sizes.
Value ramSize(const Product& product);

}  // namespace zelas
