#pragma once

#include "core/HighlightStyle.h"
#include "core/KeywordTable.h"

#include <cstddef>
#include <optional>
#include <string_view>

namespace orvelt {

// What the character handler does to the surface when c is typed: restyle `count`
// characters of the caret line from `start` with `tokenStyle` (none when count is 0), then
// give the typed character `typedStyle`. No typedStyle means the format stays as the
// restyling left it, so that "\" and a typed "&" read as one command.
struct TypingHighlight {
    std::size_t start = 0;
    std::size_t count = 0;
    StyleKind tokenStyle = StyleKind::Text;
    std::optional<StyleKind> typedStyle = StyleKind::Text;

    bool operator==(const TypingHighlight&) const = default;
};

// line is the caret line, col the number of its characters before the caret.
[[nodiscard]] TypingHighlight HighlightTypedCharacter(std::u16string_view line, std::size_t col,
                                                      char32_t c, const KeywordTable& keywords);

} // namespace orvelt
