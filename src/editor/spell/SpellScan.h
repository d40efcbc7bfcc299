#pragma once

#include "editor/spell/Dictionary.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace orvelt {

// The words of one check that the user ignored (Ignore All) or replaces without being asked
// (Replace All), compared without regard to case.
class CheckLists {
public:
    void Ignore(std::u16string_view word);
    // The first replacement given for a word stays.
    void ReplaceAlways(std::u16string_view word, std::u16string_view replacement);
    void Clear();
    [[nodiscard]] bool IgnoredFolded(std::u16string_view folded) const {
        return ignored_.find(folded) != ignored_.end();
    }
    // Null when the word is not to be replaced.
    [[nodiscard]] const std::u16string* ReplacementOfFolded(std::u16string_view folded) const;

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::u16string_view word) const {
            return std::hash<std::u16string_view>()(word);
        }
    };
    std::unordered_set<std::u16string, Hash, std::equal_to<>> ignored_;
    std::unordered_map<std::u16string, std::u16string, Hash, std::equal_to<>> replaced_;
};

// A Replace All word met by the scan: the text from start to end becomes `by`.
struct AutoReplacement {
    std::size_t start;
    std::size_t end;
    std::u16string_view by; // held by the CheckLists
};

// Where a scan stopped. Positions are the scanned text's, before any of the replacements.
struct ScanStop {
    std::vector<AutoReplacement> replacements; // in text order
    bool found = false;                        // a word to show; else the end was reached
    std::size_t start = 0;
    std::size_t end = 0;
    std::size_t next = 0; // where reading goes on after the word
};

// Reads words from `from` until one of two characters or more is neither known, ignored nor to
// be replaced, or the text ends. Replaced words are not looked up again and reading goes on
// after them, so the text after a replacement is read as it stands. `progress` hears the read
// position now and then.
[[nodiscard]] ScanStop ScanForMisspelling(std::u16string_view text, std::size_t from,
                                          const Dictionary& words, const CheckLists& lists,
                                          const std::function<void(std::size_t)>& progress = {});

} // namespace orvelt
