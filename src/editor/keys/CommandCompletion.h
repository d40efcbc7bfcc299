#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvelt {

// The command around the caret: from the nearest backslash before the caret, the backslash
// with the one non-letter after it, or with all the letters after it (also those after the
// caret). Offsets count from the start of the line; end is exclusive.
struct CaretCommand {
    std::size_t start = 0;
    std::size_t end = 0;
    std::u16string word;

    bool operator==(const CaretCommand&) const = default;
};

// col: the characters of the line before the caret. Nothing when no backslash precedes it.
[[nodiscard]] std::optional<CaretCommand> CommandAtCaret(std::u16string_view line, std::size_t col);

// What completes `word`: the rest of the first keyword that begins with it, walking the
// sorted list and stopping at the first keyword that sorts after the word (UTF-8 byte order).
// Nothing when no keyword begins with it; empty when the word is a keyword itself.
[[nodiscard]] std::optional<std::string> CompletionOf(std::u16string_view word,
                                                      const std::vector<std::string>& keywords);

// The environment a line opens: the text after its first "\begin{" up to the next "}" or the
// end of the line, when at least one character follows the brace.
[[nodiscard]] std::optional<std::u16string> EnvironmentToClose(std::u16string_view line);

} // namespace orvelt
