#include "editor/keys/CommandCompletion.h"

#include "core/CodePage.h"
#include "editor/highlight/TokenScanner.h"

#include <algorithm>

namespace orvelt {

namespace {

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c < 0xDC00;
}

} // namespace

std::optional<CaretCommand> CommandAtCaret(std::u16string_view line, std::size_t col) {
    col = std::min(col, line.size());
    std::size_t k = col;
    while (k > 0 && line[k - 1] != u'\\')
        --k;
    if (k == 0)
        return std::nullopt;
    const std::size_t start = k - 1;
    std::size_t end = k;
    if (end < line.size() && !IsTexLetter(line[end])) {
        // One character, which in UTF-16 may take two units.
        end += IsHighSurrogate(line[end]) && end + 1 < line.size() ? 2 : 1;
    } else {
        while (end < line.size() && IsTexLetter(line[end]))
            ++end;
    }
    return CaretCommand{start, end, std::u16string(line.substr(start, end - start))};
}

std::optional<std::string> CompletionOf(std::u16string_view word,
                                        const std::vector<std::string>& keywords) {
    const std::string key = Utf16ToUtf8(word);
    for (const std::string& keyword : keywords) {
        if (keyword.starts_with(key))
            return keyword.substr(key.size());
        // Byte order, as the list is sorted: compare as unsigned characters.
        const bool before = std::lexicographical_compare(
            keyword.begin(), keyword.end(), key.begin(), key.end(), [](char a, char b) {
                return static_cast<unsigned char>(a) < static_cast<unsigned char>(b);
            });
        if (!before)
            return std::nullopt;
    }
    return std::nullopt;
}

std::optional<std::u16string> EnvironmentToClose(std::u16string_view line) {
    constexpr std::u16string_view kBegin = u"\\begin{";
    const std::size_t at = line.find(kBegin);
    if (at == std::u16string_view::npos || at + kBegin.size() >= line.size())
        return std::nullopt;
    const std::u16string_view rest = line.substr(at + kBegin.size());
    return std::u16string(rest.substr(0, rest.find(u'}')));
}

} // namespace orvelt
