#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace orvelt {

// Font style bits, in the order the settings letters are written: B, I, U, S.
enum FontStyleBit : unsigned {
    kBold = 1u << 0,
    kItalic = 1u << 1,
    kUnderline = 1u << 2,
    kStrikeOut = 1u << 3,
};

// One character format of the editor: what a highlighting category, a sidecar run and the
// font dialog all describe.
struct HighlightStyle {
    std::string face = "Courier New"; // UTF-8
    int size = 10;                    // points
    std::uint32_t color = 0;          // red + 256 * green + 65536 * blue
    unsigned styles = 0;              // FontStyleBit set

    bool operator==(const HighlightStyle&) const = default;
};

// The seven categories, in the order the options list them.
enum class StyleKind { Text, Comment, TexCommand, UserCommand, Brace, Bracket, Math };
inline constexpr int kStyleKindCount = 7;

using StyleSet = std::array<HighlightStyle, kStyleKindCount>;

inline const HighlightStyle& StyleFor(const StyleSet& set, StyleKind kind) {
    return set[static_cast<int>(kind)];
}

} // namespace orvelt
