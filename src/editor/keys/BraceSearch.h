#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>

namespace orvelt {

struct LinePoint {
    std::size_t line = 0;
    std::size_t offset = 0;

    bool operator==(const LinePoint&) const = default;
};

// Whether the character at `offset` is escaped: an odd run of backslashes right before it
// in its line. "\\{" is a line break followed by a real group, so only the parity counts.
[[nodiscard]] bool IsEscaped(std::u16string_view line, std::size_t offset);

// The opening brace that the closing brace at `brace` matches, searching backwards line by
// line to the start of the text. Escaped braces do not count; a brace that starts its line
// always does. `lineText(i)` gives line i, valid until the next call; `escapePressed` is
// asked before each character and gives up the search. Nothing when the search gave up or
// found no brace.
[[nodiscard]] std::optional<LinePoint>
FindOpenBrace(LinePoint brace, const std::function<std::u16string_view(std::size_t)>& lineText,
              const std::function<bool()>& escapePressed);

// The pause of the brace display: the option's decimal text in milliseconds. Anything that
// is not a number is no pause, and a pause is at most ten seconds, since the window does not
// react while it lasts.
[[nodiscard]] int BraceDelayMilliseconds(std::string_view text);

} // namespace orvelt
