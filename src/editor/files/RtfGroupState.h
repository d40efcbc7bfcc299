#pragma once

#include <cstdint>

namespace orvelt {

// Where the text of a group goes.
enum class RtfDestination : unsigned char { Text, FontTable, ColorTable, Skip };

// Character format and destination: what an RTF group saves and restores.
struct RtfGroupState {
    static constexpr int kDefaultHalfPoints = 24;

    int font = -1; // -1: the document's default font
    std::int64_t halfPoints = kDefaultHalfPoints;
    int color = 0;
    unsigned styles = 0;
    bool hidden = false;
    int unicodeSkip = 1;
    RtfDestination destination = RtfDestination::Text;

    [[nodiscard]] bool SameFormat(const RtfGroupState& other) const {
        return font == other.font && halfPoints == other.halfPoints && color == other.color &&
               styles == other.styles;
    }
};

} // namespace orvelt
