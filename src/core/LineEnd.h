#pragma once

#include <cstdint>
#include <string_view>

// How a text file ends its lines. A file keeps its own convention; new files get LF, as this
// platform's tools do (TeX and BibTeX read both).
namespace orvelt {

enum class LineEnd : std::uint8_t { Lf, CrLf };

// The convention of the first line end; LF when the file has none.
[[nodiscard]] LineEnd DetectLineEnd(std::string_view bytes);

[[nodiscard]] constexpr std::string_view LineEndText(LineEnd end) {
    return end == LineEnd::CrLf ? "\r\n" : "\n";
}

} // namespace orvelt
