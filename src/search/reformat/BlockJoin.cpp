#include "search/reformat/BlockJoin.h"

#include "editor/highlight/TokenScanner.h"

#include <algorithm>

namespace orvelt {

namespace {

bool IsBreak(char16_t c) {
    return c == u'\n' || c == u'\u2029';
}

bool HoldsComment(std::u16string_view line) {
    if (line.find(u'%') == std::u16string_view::npos) {
        return false; // most lines: no need to cut them into tokens
    }
    const auto tokens = ScanLine(line);
    return std::any_of(tokens.begin(), tokens.end(), [](const HighlightToken<char16_t>& token) {
        return token.kind == TokenKind::Comment;
    });
}

} // namespace

std::vector<std::size_t> BreaksToJoin(std::u16string_view text, std::size_t selectionStart) {
    std::vector<std::size_t> breaks;
    std::size_t lineStart = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (!IsBreak(text[at])) {
            continue;
        }
        const bool endsSelection = at + 1 == text.size();
        if (at >= selectionStart && !endsSelection &&
            !HoldsComment(text.substr(lineStart, at - lineStart))) {
            breaks.push_back(at);
        }
        lineStart = at + 1;
    }
    return breaks;
}

} // namespace orvelt
