#pragma once

#include <array>

// Single-byte code pages that other programs' RTF names in \ansicpg, for reading its \'hh.
namespace orvelt {

// The characters of bytes 80..FF of the code page (Windows, DOS 437 and 850, Mac Roman as
// 10000). Bytes a code page leaves undefined keep their own value. A code page not listed
// reads as Windows-1252, the format's default.
[[nodiscard]] const std::array<char16_t, 128>& CodePageUpperHalf(int codePage);

} // namespace orvelt
