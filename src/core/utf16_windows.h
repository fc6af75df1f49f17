// Names are UTF-8 inside zelas and UTF-16 at the calls of the Windows interface.
#pragma once

#include <string>
#include <string_view>

namespace zelas {

// text as UTF-16; a byte that is no part of a UTF-8 character becomes U+FFFD.
std::wstring toUtf16(std::string_view text);
// text as UTF-8; an unpaired surrogate becomes U+FFFD.
std::string toUtf8(std::wstring_view text);

}  // namespace zelas
