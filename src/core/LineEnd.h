#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// How a text file ends its lines. A file keeps each line's own end; lines without one of their
// own (new ones) get the file's first kind, and new files get LF, as this platform's tools do
// (TeX and BibTeX read all three).
namespace orvelt {

enum class LineEnd : std::uint8_t { Lf, CrLf, Cr };

// The kind of the first line end (LF, CR LF or a lone CR); LF when the file has none.
[[nodiscard]] LineEnd DetectLineEnd(std::string_view bytes);

[[nodiscard]] constexpr std::string_view LineEndText(LineEnd end) {
    switch (end) {
    case LineEnd::CrLf:
        return "\r\n";
    case LineEnd::Cr:
        return "\r";
    case LineEnd::Lf:
        break;
    }
    return "\n";
}

// A line of a text without its end, and that end; the last line has none.
template <class CharT> struct TextLine {
    std::basic_string_view<CharT> text;
    std::optional<LineEnd> end;

    bool operator==(const TextLine&) const = default;
};

// Cuts at every LF, CR LF and lone CR, as TeX reads lines. There is always one line more than
// there are line ends: a text ending in a line end ends in an empty line.
template <class CharT>
[[nodiscard]] std::vector<TextLine<CharT>> SplitLines(std::basic_string_view<CharT> text);

// The import gets its text in pieces (tokens) and gives the surface every line end as one LF:
// this passes each piece on so and remembers each end's own kind, in order, for the save. A CR
// that ends one piece and an LF that starts the next are one CR LF.
class LineEndFolder {
public:
    // Appends `piece` to `out` with its line ends folded to LF.
    void Append(std::u16string_view piece, std::u16string& out);

    // One per LF appended so far.
    [[nodiscard]] const std::vector<LineEnd>& Ends() const { return ends_; }

private:
    std::vector<LineEnd> ends_;
    bool afterCr_ = false; // the last unit appended was a CR
};

extern template std::vector<TextLine<char>> SplitLines(std::string_view);
extern template std::vector<TextLine<char16_t>> SplitLines(std::u16string_view);

} // namespace orvelt
