#pragma once

#include "editor/files/SoftBreakRules.h"
#include "editor/highlight/HighlightToken.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace orvelt {

// A source file gets the soft-break and source-special rules; a line of the surface,
// re-highlighted on its own, only the four token rules.
enum class ScanMode { Source, Line };

struct ScanOptions {
    ScanMode mode = ScanMode::Source;
    bool filterSpecials = false; // drop \special{src...} up to its "}" on the same line
    // For char input: a backslash takes a whole UTF-8 sequence after it. Off for an 8-bit
    // code page, where every byte is a character.
    bool utf8 = true;
    // Source mode, saved-breaks word wrap: drop each soft break the writer would have written
    // ("%%@" and its line end, and in a comment the "%" after them). Off, a file reads as it is.
    bool removeSoftBreaks = false;
};

[[nodiscard]] constexpr bool IsTexLetter(char32_t c) {
    return (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z');
}

// Cuts text into highlighting tokens. It works on a window onto the input that may not
// hold all of it yet: a token that could run past the window's end is not cut there but
// reported as NeedMore, so the tokens are the same however the input is read in pieces.
// CharT is char (a file's bytes) or char16_t (the surface's UTF-16 text).
template <class CharT> class TokenScanner {
public:
    using View = std::basic_string_view<CharT>;
    using Token = HighlightToken<CharT>;
    enum class Step { Token, NeedMore, End };

    explicit TokenScanner(ScanOptions options = {}) : options_(options) {}

    // window holds the input from offset windowStart on and must reach back to Consumed();
    // inputEnds says that nothing follows it. The token's text views the window.
    [[nodiscard]] Step Next(View window, std::size_t windowStart, bool inputEnds, Token& token);

    // Input taken so far, dropped text included: the import's progress.
    [[nodiscard]] std::size_t Consumed() const { return position_; }

private:
    enum class Outcome { Emit, Skip, NeedMore };
    struct Piece {
        Outcome outcome = Outcome::NeedMore;
        TokenKind kind = TokenKind::Text;
        std::size_t length = 0; // of the token, from where the step began
        std::size_t next = 0;   // where the next step begins, relative to the window
        bool continues = false; // the next step continues a comment joined across a marker
    };

    Piece StepAt(View window, std::size_t at, bool inputEnds) const;
    Piece Command(View window, std::size_t at, bool inputEnds) const;
    Piece Comment(View window, std::size_t at, bool inputEnds) const;

    ScanOptions options_;
    std::size_t position_ = 0;
    bool inJoinedComment_ = false;
    SoftBreakState softBreaks_; // fed what the scan keeps, to judge each marker
};

// The whole text at once.
template <class CharT>
[[nodiscard]] std::vector<HighlightToken<CharT>> ScanText(std::basic_string_view<CharT> text,
                                                          ScanOptions options);

// One line of the surface, for re-highlighting it: rules for commands, comments, the
// single-character tokens and text only.
[[nodiscard]] std::vector<HighlightToken<char16_t>> ScanLine(std::u16string_view line);

extern template class TokenScanner<char>;
extern template class TokenScanner<char16_t>;
extern template std::vector<HighlightToken<char>> ScanText(std::string_view, ScanOptions);
extern template std::vector<HighlightToken<char16_t>> ScanText(std::u16string_view, ScanOptions);

} // namespace orvelt
