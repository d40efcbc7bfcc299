#pragma once

#include "options/values/OptionValues.h"

#include <set>
#include <string>
#include <vector>

namespace orvelt {

// The snippet keys the user can choose, after the empty entry, as key texts: Ctrl plus a letter
// (not C, F, R, S, V, X), then Shift+Ctrl plus each letter.
[[nodiscard]] const std::vector<std::string>& SnippetKeyChoices();

enum class SnippetAdd { Added, NothingToAdd, Occupied };
// Appends a row unless the key or the file is empty, or the key is already a row's or one of
// the occupied keys (held by menus and standard editing; key texts as WriteKeyValue spells them).
[[nodiscard]] SnippetAdd AddSnippet(std::vector<SnippetKey>& snippets, const std::string& keyText,
                                    const std::string& file,
                                    const std::set<std::string, std::less<>>& occupied);

// For each row, whether its key works. A key stored twice would be ambiguous and insert nothing:
// the first row keeps it. A key that is occupied (an old settings file may hold Ctrl+A) works
// for nothing else: its row is kept but gets no key.
[[nodiscard]] std::vector<bool>
SnippetKeyHolders(const std::vector<SnippetKey>& snippets,
                  const std::set<std::string, std::less<>>& occupied);

} // namespace orvelt
