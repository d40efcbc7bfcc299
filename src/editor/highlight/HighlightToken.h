#pragma once

#include <cstddef>
#include <string_view>

namespace orvelt {

enum class TokenKind { Text, Comment, Command, Brace, Bracket, Math };

// A piece of the scanned text. Scanning drops some text (soft-break markers, source
// specials), so consecutive tokens need not touch: the offset says where each one lies.
template <class CharT> struct HighlightToken {
    std::basic_string_view<CharT> text;
    std::size_t offset = 0; // code units from the start of the input
    TokenKind kind = TokenKind::Text;

    bool operator==(const HighlightToken&) const = default;
};

} // namespace orvelt
