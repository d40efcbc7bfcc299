#include "search/find/TextSearch.h"

#include "core/UnicodeCase.h"

#include <algorithm>

namespace orvelt {
namespace {

bool IsHighSurrogate(char16_t u) {
    return u >= 0xD800 && u <= 0xDBFF;
}

bool IsLowSurrogate(char16_t u) {
    return u >= 0xDC00 && u <= 0xDFFF;
}

// The character at `at` and how many units it takes.
char32_t CharacterAt(std::u16string_view text, std::size_t at, std::size_t& units) {
    const char16_t u = text[at];
    if (IsHighSurrogate(u) && at + 1 < text.size() && IsLowSurrogate(text[at + 1])) {
        units = 2;
        return 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (text[at + 1] - 0xDC00);
    }
    units = 1;
    return u;
}

// The character ending at `at`; 0, which is no word character, at the text's start.
char32_t CharacterBefore(std::u16string_view text, std::size_t at) {
    if (at == 0) {
        return 0;
    }
    const char16_t u = text[at - 1];
    if (IsLowSurrogate(u) && at >= 2 && IsHighSurrogate(text[at - 2])) {
        std::size_t units = 0;
        return CharacterAt(text, at - 2, units);
    }
    return u;
}

// Splitting a pair at `at` would select half a character.
bool InsidePair(std::u16string_view text, std::size_t at) {
    return at > 0 && at < text.size() && IsLowSurrogate(text[at]) && IsHighSurrogate(text[at - 1]);
}

} // namespace

TextSearch::TextSearch(std::u16string_view needle, SearchOptions options)
    : units_(needle.size()), options_(options) {
    for (std::size_t at = 0; at < needle.size();) {
        std::size_t units = 0;
        const char32_t c = CharacterAt(needle, at, units);
        pattern_.push_back(options.MatchCase ? c : FoldCase(c));
        at += units;
    }
    fallback_.assign(pattern_.size(), 0);
    for (std::size_t i = 1, border = 0; i < pattern_.size(); ++i) {
        while (border > 0 && pattern_[i] != pattern_[border]) {
            border = fallback_[border - 1];
        }
        if (pattern_[i] == pattern_[border]) {
            ++border;
        }
        fallback_[i] = border;
    }
}

std::optional<TextMatch> TextSearch::Find(std::u16string_view text, std::size_t from) const {
    return FindFrom(text, from, std::nullopt);
}

std::optional<TextMatch> TextSearch::FindFrom(std::u16string_view text, std::size_t from,
                                              std::optional<char32_t> before) const {
    if (pattern_.empty() || from >= text.size()) {
        return std::nullopt;
    }
    // Knuth-Morris-Pratt over the characters: each unit is read once, so a text like "aaa...ab"
    // costs no more than any other. A folded character keeps its UTF-16 length, so a match is as
    // long as the search text.
    const std::size_t last = pattern_.size();
    std::size_t matched = 0;
    for (std::size_t at = from; at < text.size();) {
        std::size_t units = 0;
        char32_t c = CharacterAt(text, at, units);
        if (!options_.MatchCase) {
            c = FoldCase(c);
        }
        at += units;
        while (matched > 0 && pattern_[matched] != c) {
            matched = fallback_[matched - 1];
        }
        if (pattern_[matched] == c) {
            ++matched;
        }
        if (matched < last) {
            continue;
        }
        const std::size_t start = at - units_;
        bool accepted = !(start == from && InsidePair(text, start));
        if (accepted && options_.WholeWords) {
            const char32_t left =
                (start == from && before) ? *before : CharacterBefore(text, start);
            std::size_t afterUnits = 0;
            const char32_t right = at < text.size() ? CharacterAt(text, at, afterUnits) : 0;
            accepted = !IsLetterOrDigit(left) && !IsLetterOrDigit(right);
        }
        if (accepted) {
            return TextMatch{start, units_};
        }
        matched = fallback_[matched - 1];
    }
    return std::nullopt;
}

std::vector<TextMatch> TextSearch::ReplaceAllMatches(std::u16string_view text, std::size_t from,
                                                     std::u16string_view replacement) const {
    std::vector<TextMatch> matches;
    const char32_t replacementEnd = CharacterBefore(replacement, replacement.size());
    std::optional<char32_t> before;
    for (std::size_t at = from;;) {
        const std::optional<TextMatch> match = FindFrom(text, at, before);
        if (!match) {
            return matches;
        }
        matches.push_back(*match);
        if (!replacement.empty()) {
            before = replacementEnd;
        } else if (match->Position != at || !before) {
            before = CharacterBefore(text, match->Position);
        }
        at = match->Position + match->Length;
    }
}

std::u16string ApplyReplacements(std::u16string_view text, const std::vector<TextMatch>& matches,
                                 std::u16string_view replacement) {
    std::u16string result;
    std::size_t replaced = 0;
    for (const TextMatch& match : matches) {
        replaced += match.Length;
    }
    result.reserve(text.size() - replaced + matches.size() * replacement.size());
    std::size_t copied = 0;
    for (const TextMatch& match : matches) {
        result.append(text.substr(copied, match.Position - copied));
        result.append(replacement);
        copied = match.Position + match.Length;
    }
    result.append(text.substr(copied));
    return result;
}

bool EqualsFolded(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t at = 0; at < a.size();) {
        std::size_t unitsA = 0;
        std::size_t unitsB = 0;
        if (FoldCase(CharacterAt(a, at, unitsA)) != FoldCase(CharacterAt(b, at, unitsB)) ||
            unitsA != unitsB) {
            return false;
        }
        at += unitsA;
    }
    return true;
}

std::vector<std::u16string> UpdateHistory(std::vector<std::u16string> history,
                                          std::u16string_view current) {
    const auto same = std::find_if(history.begin(), history.end(), [&](const std::u16string& item) {
        return EqualsFolded(item, current);
    });
    if (same != history.end()) {
        history.erase(same);
    }
    history.insert(history.begin(), std::u16string(current));
    return history;
}

} // namespace orvelt
