#include "editor/files/SurfaceCharacters.h"

#include <array>
#include <utility>

namespace orvelt {

namespace {

// (file character, its stand-in on the surface)
constexpr std::array<std::pair<char16_t, char16_t>, 4> kStandIns = {{
    {u'\u2028', 0xDFF0},
    {u'\u2029', 0xDFF1},
    {0xFDD0, 0xDFF2},
    {0xFDD1, 0xDFF3},
}};

} // namespace

void ToSurfaceCharacters(char16_t* text, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        const char16_t c = text[i];
        if (c != 0x2028 && c != 0x2029 && c != 0xFDD0 && c != 0xFDD1)
            continue;
        for (const auto& [file, standIn] : kStandIns)
            if (c == file)
                text[i] = standIn;
    }
}

void FromSurfaceCharacters(char16_t* text, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        const char16_t c = text[i];
        if (c < 0xDFF0 || c > 0xDFF3)
            continue;
        // A stand-in is a lone low surrogate: the half of a pair after a high one is not one.
        if (i > 0 && text[i - 1] >= 0xD800 && text[i - 1] <= 0xDBFF)
            continue;
        text[i] = kStandIns[static_cast<std::size_t>(c - 0xDFF0)].first;
    }
}

} // namespace orvelt
