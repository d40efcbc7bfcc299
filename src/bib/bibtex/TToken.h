#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace orvelt {

enum class BibTokenKind : std::uint8_t {
    Value = 0, // a delimited value, a bare word or number, or the "#" operator
    Type = 1,  // the word after "@"
    Name = 2,  // a field name or citation key; with empty text, a separator or the entry's end
    End = 3,   // the end of the file
};

// TToken: one token of the BibTeX scanner. Texts are views into the file's bytes.
struct TToken {
    std::string_view Text; // as written; " # " for the operator
    BibTokenKind Kind = BibTokenKind::End;
    std::size_t Offset = 0; // where the token starts
    // For values: the text between the delimiters of a delimited value, else the same as Text.
    std::string_view Content;
    bool Delimited = false;
    bool Open = false;     // a delimited value the file ended inside
    bool Operator = false; // the concatenation operator "#"
    bool Key = false;      // a name read where an entry's key is due
};

} // namespace orvelt
