#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Finding a text in the editor surface's text (UTF-16, a line break one unit), forward from a
// position to the end. A surrogate pair is one character: it is folded, compared and taken as a
// word character whole, and a match never begins or ends inside one. A lone surrogate is a
// character of its own that is no letter.
namespace orvelt {

struct SearchOptions {
    bool MatchCase = false;
    // The characters just before and after the match are not letters or digits; the text's
    // start and end, and a line end, are boundaries.
    bool WholeWords = false;
};

// Positions and lengths in UTF-16 units of the searched text.
struct TextMatch {
    std::size_t Position = 0;
    std::size_t Length = 0;

    bool operator==(const TextMatch&) const = default;
};

// One search text under one set of options, prepared once for any number of searches: Find
// again and Replace all search the same text many times.
class TextSearch {
public:
    TextSearch(std::u16string_view needle, SearchOptions options);

    // An empty search text finds nothing.
    [[nodiscard]] bool Empty() const { return pattern_.empty(); }

    // The first match that begins at or after `from` (clamped to the text), or none. Linear in
    // the length searched, whatever the texts hold.
    [[nodiscard]] std::optional<TextMatch> Find(std::u16string_view text, std::size_t from) const;

    // The matches one pass of Replace all replaces, in order, as positions in `text` before any
    // replacement: after each replacement the search goes on after the inserted text, so a
    // replacement holding the search text is not searched again. Whole words are judged in the
    // text as it is at that moment: the character before a match that directly follows a
    // replacement is the replacement's last one (or, for an empty replacement, whatever came
    // before it).
    [[nodiscard]] std::vector<TextMatch> ReplaceAllMatches(std::u16string_view text,
                                                           std::size_t from,
                                                           std::u16string_view replacement) const;

private:
    // `before` stands in for the character ending at `from` (0 for the text's start).
    [[nodiscard]] std::optional<TextMatch> FindFrom(std::u16string_view text, std::size_t from,
                                                    std::optional<char32_t> before) const;

    std::vector<char32_t> pattern_;     // folded unless case matters
    std::vector<std::size_t> fallback_; // longest proper border of each pattern prefix
    std::size_t units_ = 0;             // the search text's length, which every match has
    SearchOptions options_;
};

// `text` with each match replaced by `replacement`; the matches in order, not overlapping.
[[nodiscard]] std::u16string ApplyReplacements(std::u16string_view text,
                                               const std::vector<TextMatch>& matches,
                                               std::u16string_view replacement);

// Equal once each character is case-folded.
[[nodiscard]] bool EqualsFolded(std::u16string_view a, std::u16string_view b);

// The history of a combo box after a use: `current` first, then the items as they were, less
// the first one equal to `current` without regard to case. An empty text is kept like any other,
// and the list has no limit.
[[nodiscard]] std::vector<std::u16string> UpdateHistory(std::vector<std::u16string> history,
                                                        std::u16string_view current);

} // namespace orvelt
