#include "editor/highlight/TokenStyle.h"

namespace orvelt {

namespace {

template <class CharT>
StyleKind StyleOf(std::basic_string_view<CharT> token, const KeywordTable& keywords) {
    if (token.empty() || token.front() != CharT('\\')) {
        return StyleKind::Text;
    }
    return keywords.IsKeyword(token) ? StyleKind::TexCommand : StyleKind::UserCommand;
}

} // namespace

StyleKind StyleOfToken(std::string_view token, const KeywordTable& keywords) {
    return StyleOf(token, keywords);
}

StyleKind StyleOfToken(std::u16string_view token, const KeywordTable& keywords) {
    return StyleOf(token, keywords);
}

} // namespace orvelt
