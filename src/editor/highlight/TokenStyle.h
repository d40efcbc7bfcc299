#pragma once

#include "core/HighlightStyle.h"
#include "core/KeywordTable.h"
#include "editor/highlight/HighlightToken.h"

#include <string_view>

namespace orvelt {

// Text unless the token starts with a backslash; then TeX-command when it is in the keyword
// list, else user-command.
[[nodiscard]] StyleKind StyleOfToken(std::string_view token, const KeywordTable& keywords);
[[nodiscard]] StyleKind StyleOfToken(std::u16string_view token, const KeywordTable& keywords);

// The style of a scanned token: its kind decides, commands through the keyword list. A
// comment continued across a soft break does not start with "%", so the kind is what counts.
template <class CharT>
[[nodiscard]] StyleKind TokenStyle(const HighlightToken<CharT>& token,
                                   const KeywordTable& keywords) {
    switch (token.kind) {
    case TokenKind::Comment:
        return StyleKind::Comment;
    case TokenKind::Brace:
        return StyleKind::Brace;
    case TokenKind::Bracket:
        return StyleKind::Bracket;
    case TokenKind::Math:
        return StyleKind::Math;
    case TokenKind::Command:
    case TokenKind::Text:
        break;
    }
    return StyleOfToken(token.text, keywords);
}

} // namespace orvelt
