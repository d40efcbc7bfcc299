#include "options/values/SnippetTable.h"

#include <unordered_set>

namespace orvelt {

const std::vector<std::string>& SnippetKeyChoices() {
    static const std::vector<std::string> choices = [] {
        std::vector<std::string> keys;
        // Ctrl+C, F, R, S, V and X are the editor's own (copy, find, replace, save, paste, cut).
        for (char letter = 'A'; letter <= 'Z'; ++letter)
            if (std::string_view("CFRSVX").find(letter) == std::string_view::npos)
                keys.push_back(WriteKeyValue(KeyChord{kCtrl, std::string(1, letter)}));
        for (char letter = 'A'; letter <= 'Z'; ++letter)
            keys.push_back(WriteKeyValue(KeyChord{kShift | kCtrl, std::string(1, letter)}));
        return keys;
    }();
    return choices;
}

SnippetAdd AddSnippet(std::vector<SnippetKey>& snippets, const std::string& keyText,
                      const std::string& file, const std::set<std::string, std::less<>>& occupied) {
    const std::optional<KeyChord> key = ReadKeyValue(keyText);
    if (!key || file.empty())
        return SnippetAdd::NothingToAdd;
    // Compared as the store spells keys, so a row read from an old file matches its own text.
    const std::string text = WriteKeyValue(key);
    if (occupied.contains(text))
        return SnippetAdd::Occupied;
    for (const SnippetKey& row : snippets)
        if (WriteKeyValue(row.key) == text)
            return SnippetAdd::Occupied;
    snippets.push_back({*key, file});
    return SnippetAdd::Added;
}

std::vector<bool> SnippetKeyHolders(const std::vector<SnippetKey>& snippets,
                                    const std::set<std::string, std::less<>>& occupied) {
    std::vector<bool> holds;
    holds.reserve(snippets.size());
    std::unordered_set<std::string> seen;
    for (const SnippetKey& row : snippets) {
        std::string text = WriteKeyValue(row.key);
        const bool first = seen.insert(text).second;
        holds.push_back(first && !text.empty() && !row.file.empty() && !occupied.contains(text));
    }
    return holds;
}

} // namespace orvelt
