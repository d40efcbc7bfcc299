#include "editor/spell/SpellScan.h"

#include "editor/spell/WordReader.h"

namespace orvelt {

void CheckLists::Ignore(std::u16string_view word) {
    std::u16string folded;
    FoldWord(word, folded);
    ignored_.insert(std::move(folded));
}

void CheckLists::ReplaceAlways(std::u16string_view word, std::u16string_view replacement) {
    std::u16string folded;
    FoldWord(word, folded);
    replaced_.try_emplace(std::move(folded), replacement);
}

void CheckLists::Clear() {
    ignored_.clear();
    replaced_.clear();
}

const std::u16string* CheckLists::ReplacementOfFolded(std::u16string_view folded) const {
    const auto it = replaced_.find(folded);
    return it == replaced_.end() ? nullptr : &it->second;
}

ScanStop ScanForMisspelling(std::u16string_view text, std::size_t from, const Dictionary& words,
                            const CheckLists& lists,
                            const std::function<void(std::size_t)>& progress) {
    // The status bar is told every so many characters: per word, it would cost more than the
    // lookups.
    constexpr std::size_t kProgressStep = 1 << 15;
    ScanStop stop;
    std::u16string folded;
    std::size_t at = std::min(from, text.size());
    std::size_t told = at;
    while (at < text.size()) {
        const WordRead read = ReadWord(text, at);
        at = read.next;
        if (progress && at - told >= kProgressStep) {
            progress(at);
            told = at;
        }
        if (read.Empty())
            continue;
        const std::u16string_view word = text.substr(read.start, read.end - read.start);
        FoldWord(word, folded);
        if (words.ContainsFolded(folded) || lists.IgnoredFolded(folded))
            continue;
        if (const std::u16string* by = lists.ReplacementOfFolded(folded)) {
            stop.replacements.push_back({read.start, read.end, *by});
            continue;
        }
        if (CharacterCount(word) < 2)
            continue;
        stop.found = true;
        stop.start = read.start;
        stop.end = read.end;
        stop.next = read.next;
        return stop;
    }
    stop.next = text.size();
    if (progress)
        progress(stop.next);
    return stop;
}

} // namespace orvelt
