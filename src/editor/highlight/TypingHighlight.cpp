#include "editor/highlight/TypingHighlight.h"

#include "editor/highlight/CaretToken.h"
#include "editor/highlight/TokenScanner.h"
#include "editor/highlight/TokenStyle.h"

#include <string>

namespace orvelt {

TypingHighlight HighlightTypedCharacter(std::u16string_view line, std::size_t col, char32_t c,
                                        const KeywordTable& keywords) {
    if (IsTexLetter(c) || c < 13) {
        return {};
    }
    const CaretToken caret = TokenBeforeCaret(line, col, c);
    const std::size_t count = caret.length == 0 ? 0 : caret.length - 1;
    const std::u16string_view token = line.substr(std::min(caret.start, line.size()), count);
    const bool backslashAlone = token == u"\\";

    TypingHighlight result;
    result.start = caret.start;
    result.count = count;
    if (!token.empty() && caret.isComment) {
        result.tokenStyle = StyleKind::Comment;
    } else if (backslashAlone && c <= 0xFFFF) {
        // The backslash and the typed character will be one command.
        const char16_t pair[] = {u'\\', static_cast<char16_t>(c)};
        result.tokenStyle = StyleOfToken(std::u16string_view(pair, 2), keywords);
    } else if (backslashAlone) {
        std::u16string pair = u"\\";
        pair += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
        pair += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        result.tokenStyle = StyleOfToken(std::u16string_view(pair), keywords);
    } else {
        result.tokenStyle = StyleOfToken(token, keywords);
    }

    switch (c) {
    case U'{':
    case U'}':
        result.typedStyle = StyleKind::Brace;
        break;
    case U'[':
    case U']':
        result.typedStyle = StyleKind::Bracket;
        break;
    case U'$':
        result.typedStyle = StyleKind::Math;
        break;
    case U'%':
        result.typedStyle = caret.isComment ? StyleKind::Comment : result.tokenStyle;
        break;
    default:
        if (backslashAlone) {
            result.typedStyle = std::nullopt;
        } else {
            result.typedStyle = StyleKind::Text;
        }
        break;
    }
    return result;
}

} // namespace orvelt
