#pragma once

#include <cstddef>
#include <string_view>

namespace orvelt {

// The spell checker's word reader over a document's UTF-16 text. Positions are indices into the
// text handed in; given the surface's text with every break as CR LF, they are document
// positions. TeX commands and comments are skipped; the umlaut notation ("a for ä) is part of a
// word.
struct WordRead {
    std::size_t token = 0; // where the word, command or comment began
    std::size_t start = 0; // the word's kept characters; start == end for no word
    std::size_t end = 0;
    std::size_t next = 0; // the read position after it (trailing marks are consumed)
    [[nodiscard]] bool Empty() const { return start == end; }
};

// Reads from `from` on; at the end of the text, an empty word with next == text.size().
[[nodiscard]] WordRead ReadWord(std::u16string_view text, std::size_t from);

// Where a check that starts at the caret reads first: the start of the word, command or comment
// that holds the caret, else the caret itself.
[[nodiscard]] std::size_t CheckStart(std::u16string_view text, std::size_t caret);

// The number of characters (not UTF-16 units) of a word.
[[nodiscard]] std::size_t CharacterCount(std::u16string_view word);

// One character at i: its code and how many UTF-16 units it takes (a lone surrogate is itself).
struct CharAt {
    char32_t code;
    std::size_t units;
};
[[nodiscard]] CharAt CharacterAt(std::u16string_view text, std::size_t i);

} // namespace orvelt
