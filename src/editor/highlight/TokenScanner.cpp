#include "editor/highlight/TokenScanner.h"

#include <optional>

namespace orvelt {

namespace {

template <class CharT> constexpr char32_t CodeOf(CharT c) {
    if constexpr (sizeof(CharT) == 1) {
        return static_cast<unsigned char>(c);
    } else {
        return static_cast<char32_t>(c);
    }
}

constexpr bool EndsText(char32_t c) {
    return c == U'$' || c == U'%' || c == U'[' || c == U'\\' || c == U']' || c == U'{' || c == U'}';
}

// Line feed and carriage return stop a comment; so does every other control character
// except the tab.
constexpr bool StaysInComment(char32_t c) {
    return c > 13 || c == 9;
}

constexpr std::size_t kNeedMore = 0;

// Length of the character at `at` (window[at] exists), or kNeedMore when the window ends
// before it can be told. Invalid UTF-8 is taken one byte at a time.
template <class CharT>
std::size_t CharacterLength(std::basic_string_view<CharT> window, std::size_t at, bool inputEnds,
                            [[maybe_unused]] bool utf8) {
    const char32_t lead = CodeOf(window[at]);
    if constexpr (sizeof(CharT) == 1) {
        if (!utf8 || lead < 0x80) {
            return 1;
        }
        std::size_t length = 0;
        char32_t low = 0x80;
        char32_t high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            low = lead == 0xE0 ? 0xA0 : 0x80;  // overlong forms
            high = lead == 0xED ? 0x9F : 0xBF; // surrogates
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF; // beyond U+10FFFF
        } else {
            return 1;
        }
        for (std::size_t k = 1; k < length; ++k) {
            if (at + k == window.size()) {
                return inputEnds ? 1 : kNeedMore;
            }
            const char32_t next = CodeOf(window[at + k]);
            if (next < low || next > high) {
                return 1;
            }
            low = 0x80;
            high = 0xBF;
        }
        return length;
    } else {
        if (lead < 0xD800 || lead > 0xDBFF) {
            return 1;
        }
        if (at + 1 == window.size()) {
            return inputEnds ? 1 : kNeedMore;
        }
        const char32_t next = CodeOf(window[at + 1]);
        return next >= 0xDC00 && next <= 0xDFFF ? 2 : 1;
    }
}

// Line end at `at`: 1 for LF or a lone CR, 2 for CR LF, 0 for none; -1 when
// the window ends too early to tell.
template <class CharT>
long LineEndLength(std::basic_string_view<CharT> window, std::size_t at, bool inputEnds) {
    if (at == window.size()) {
        return inputEnds ? 0 : -1;
    }
    if (window[at] == CharT('\n')) {
        return 1;
    }
    if (window[at] != CharT('\r')) {
        return 0;
    }
    if (at + 1 == window.size()) {
        return inputEnds ? 1 : -1;
    }
    return window[at + 1] == CharT('\n') ? 2 : 1;
}

template <class CharT>
bool Matches(std::basic_string_view<CharT> window, std::size_t at, std::string_view ascii) {
    if (at + ascii.size() > window.size()) {
        return false;
    }
    for (std::size_t k = 0; k < ascii.size(); ++k) {
        if (window[at + k] != CharT(ascii[k])) {
            return false;
        }
    }
    return true;
}

} // namespace

template <class CharT>
typename TokenScanner<CharT>::Step TokenScanner<CharT>::Next(View window, std::size_t windowStart,
                                                             bool inputEnds, Token& token) {
    for (;;) {
        const std::size_t at = position_ - windowStart;
        if (at >= window.size()) {
            return inputEnds ? Step::End : Step::NeedMore;
        }
        const Piece piece = StepAt(window, at, inputEnds);
        if (piece.outcome == Outcome::NeedMore) {
            return Step::NeedMore;
        }
        position_ = windowStart + piece.next;
        inJoinedComment_ = piece.continues;
        if (piece.outcome == Outcome::Emit) {
            token.text = window.substr(at, piece.length);
            if (options_.mode == ScanMode::Source && options_.removeSoftBreaks) {
                softBreaks_.Feed(token.text);
            }
            token.offset = windowStart + at;
            token.kind = piece.kind;
            return Step::Token;
        }
    }
}

template <class CharT>
typename TokenScanner<CharT>::Piece TokenScanner<CharT>::StepAt(View window, std::size_t at,
                                                                bool inputEnds) const {
    if (inJoinedComment_) {
        return Comment(window, at, inputEnds);
    }
    const char32_t c = CodeOf(window[at]);
    switch (c) {
    case U'\\':
        return Command(window, at, inputEnds);
    case U'%':
        return Comment(window, at, inputEnds);
    case U'$':
        return {Outcome::Emit, TokenKind::Math, 1, at + 1, false};
    case U'[':
    case U']':
        return {Outcome::Emit, TokenKind::Bracket, 1, at + 1, false};
    case U'{':
    case U'}':
        return {Outcome::Emit, TokenKind::Brace, 1, at + 1, false};
    default:
        break;
    }
    std::size_t end = at + 1;
    while (end < window.size() && !EndsText(CodeOf(window[end]))) {
        ++end;
    }
    if (end == window.size() && !inputEnds) {
        return {};
    }
    return {Outcome::Emit, TokenKind::Text, end - at, end, false};
}

template <class CharT>
typename TokenScanner<CharT>::Piece TokenScanner<CharT>::Command(View window, std::size_t at,
                                                                 bool inputEnds) const {
    const std::size_t first = at + 1;
    if (first == window.size()) {
        if (!inputEnds) {
            return {};
        }
        return {Outcome::Emit, TokenKind::Command, 1, first, false};
    }
    if (!IsTexLetter(CodeOf(window[first]))) {
        const std::size_t length = CharacterLength(window, first, inputEnds, options_.utf8);
        if (length == kNeedMore) {
            return {};
        }
        return {Outcome::Emit, TokenKind::Command, 1 + length, first + length, false};
    }
    std::size_t end = first;
    while (end < window.size() && IsTexLetter(CodeOf(window[end]))) {
        ++end;
    }
    if (end == window.size() && !inputEnds) {
        return {};
    }
    const Piece command{Outcome::Emit, TokenKind::Command, end - at, end, false};
    if (options_.mode != ScanMode::Source || !options_.filterSpecials ||
        !Matches(window, at, "\\special") || end - at != 8) {
        return command;
    }
    // \special{src:...}: the character after the name, then "src".
    if (end + 4 > window.size()) {
        return inputEnds ? command : Piece{};
    }
    if (!Matches(window, end + 1, "src")) {
        return command;
    }
    // Removed only up to a "}" on its own line: a special without one is text the user wrote,
    // and taking all up to a later brace would lose it, and the next save would write the loss.
    for (std::size_t k = end; k < window.size(); ++k) {
        if (window[k] == CharT('}')) {
            return {Outcome::Skip, TokenKind::Command, 0, k + 1, false};
        }
        if (window[k] == CharT('\n') || window[k] == CharT('\r')) {
            return command;
        }
    }
    return inputEnds ? command : Piece{};
}

template <class CharT>
typename TokenScanner<CharT>::Piece TokenScanner<CharT>::Comment(View window, std::size_t at,
                                                                 bool inputEnds) const {
    const bool joined = inJoinedComment_;
    std::size_t end = joined ? at : at + 1;
    while (end < window.size() && StaysInComment(CodeOf(window[end]))) {
        ++end;
    }
    if (end == window.size() && !inputEnds) {
        return {};
    }
    const std::size_t length = end - at;
    const Piece whole{length == 0 ? Outcome::Skip : Outcome::Emit, TokenKind::Comment, length, end,
                      false};
    if (options_.mode != ScanMode::Source || !options_.removeSoftBreaks || length < 3 ||
        !Matches(window, end - 3, "%%@")) {
        return whole;
    }
    const long lineEnd = LineEndLength(window, end, inputEnds);
    if (lineEnd < 0) {
        return {};
    }
    if (lineEnd == 0) {
        return whole; // the writer ends no file with a marker
    }
    const std::size_t afterLineEnd = end + static_cast<std::size_t>(lineEnd);
    if (afterLineEnd == window.size() && !inputEnds) {
        return {};
    }
    const std::optional<char32_t> next =
        afterLineEnd < window.size() ? std::optional(CodeOf(window[afterLineEnd])) : std::nullopt;
    // Whether the writer would have written a soft break here, and which, by its own rule.
    const std::size_t before = length - 3;
    SoftBreakState state = softBreaks_;
    state.Feed(window.substr(at, before));
    const Outcome kept = before == 0 ? Outcome::Skip : Outcome::Emit;
    switch (state.BreakHere(next)) {
    case SoftBreak::Plain:
        return {kept, TokenKind::Comment, before, afterLineEnd, false};
    case SoftBreak::Comment:
        // The writer put "%" before the rest so that TeX keeps it a comment: join the pieces.
        if (next == U'%') {
            return {kept, TokenKind::Comment, before, afterLineEnd + 1, true};
        }
        return whole;
    case SoftBreak::None:
        break;
    }
    return whole;
}

template <class CharT>
std::vector<HighlightToken<CharT>> ScanText(std::basic_string_view<CharT> text,
                                            ScanOptions options) {
    std::vector<HighlightToken<CharT>> tokens;
    TokenScanner<CharT> scanner(options);
    HighlightToken<CharT> token;
    while (scanner.Next(text, 0, true, token) == TokenScanner<CharT>::Step::Token) {
        tokens.push_back(token);
    }
    return tokens;
}

std::vector<HighlightToken<char16_t>> ScanLine(std::u16string_view line) {
    return ScanText(line, ScanOptions{ScanMode::Line, false, true, false});
}

template class TokenScanner<char>;
template class TokenScanner<char16_t>;
template std::vector<HighlightToken<char>> ScanText(std::string_view, ScanOptions);
template std::vector<HighlightToken<char16_t>> ScanText(std::u16string_view, ScanOptions);

} // namespace orvelt
