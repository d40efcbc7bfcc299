#include "editor/keys/BraceSearch.h"

#include <algorithm>
#include <charconv>

namespace orvelt {

bool IsEscaped(std::u16string_view line, std::size_t offset) {
    std::size_t backslashes = 0;
    for (std::size_t k = std::min(offset, line.size()); k > 0 && line[k - 1] == u'\\'; --k)
        ++backslashes;
    return backslashes % 2 == 1;
}

std::optional<LinePoint>
FindOpenBrace(LinePoint brace, const std::function<std::u16string_view(std::size_t)>& lineText,
              const std::function<bool()>& escapePressed) {
    long depth = 0;
    std::size_t end = brace.offset; // characters of the current line still to look at
    for (std::size_t line = brace.line + 1; line-- > 0;) {
        const std::u16string_view text = lineText(line);
        for (std::size_t k = std::min(end, text.size()); k-- > 0;) {
            if (escapePressed())
                return std::nullopt;
            const char16_t c = text[k];
            if ((c != u'{' && c != u'}') || IsEscaped(text, k))
                continue;
            if (c == u'}')
                ++depth;
            else if (depth == 0)
                return LinePoint{line, k};
            else
                --depth;
        }
        end = static_cast<std::size_t>(-1);
    }
    return std::nullopt;
}

int BraceDelayMilliseconds(std::string_view text) {
    constexpr int kLongest = 10'000;
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    long value = 0;
    const auto [rest, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range)
        return kLongest;
    if (error != std::errc() || rest != text.data() + text.size() || value < 0)
        return 0;
    return static_cast<int>(std::min<long>(value, kLongest));
}

} // namespace orvelt
