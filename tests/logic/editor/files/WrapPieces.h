#pragma once

#include "core/LineEnd.h"
#include "editor/files/SourceWriter.h"

#include <optional>
#include <string>
#include <vector>

namespace orvelt {

// A hard line of the text on screen and the end the file gives it (none for the last).
struct HardLine {
    std::u16string text;
    std::optional<LineEnd> end;
};

// The simplest word wrap: each hard line cut into pieces of `width` units.
inline std::vector<SurfaceLine> WrapPieces(const std::vector<HardLine>& lines, std::size_t width) {
    std::vector<SurfaceLine> pieces;
    for (const HardLine& line : lines) {
        const std::u16string_view text = line.text;
        std::size_t at = 0;
        while (text.size() - at > width) {
            pieces.push_back({text.substr(at, width), false});
            at += width;
        }
        pieces.push_back({text.substr(at), line.end.has_value(), line.end});
    }
    return pieces;
}

} // namespace orvelt
