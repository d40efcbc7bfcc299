#pragma once

#include <cstddef>
#include <string_view>

namespace orvelt {

// What typing-time highlighting restyles before a typed character goes in. Offsets count
// from the first character of the line. The restyled range is the length - 1 characters
// from start: length counts the typed character too.
struct CaretToken {
    std::size_t start = 0;
    std::size_t length = 0;
    bool isComment = false;

    bool operator==(const CaretToken&) const = default;
};

// The token that ends at the caret (col characters of line before it) when c is typed:
// the word or command before the caret, an escaped percent, or the comment that a typed
// "%" or an earlier percent sign makes of the rest of the line. col beyond the line counts
// as its end.
[[nodiscard]] CaretToken TokenBeforeCaret(std::u16string_view line, std::size_t col, char32_t c);

// Whether offset p lies after a comment's percent sign: only the nearest percent sign
// before p is looked at, and a backslash before it escapes it.
[[nodiscard]] bool InComment(std::u16string_view line, std::size_t p);

} // namespace orvelt
