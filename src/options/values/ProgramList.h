#pragma once

#include "options/values/OptionValues.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvelt {

// The program list has this many slots: the store's numbering and the TeX menu's tags stop here.
inline constexpr std::size_t kMaxPrograms = 50;

// What a new settings file offers, so a new installation compiles at once.
[[nodiscard]] std::vector<ProgramEntry> DefaultPrograms();

// The key entries are ordered by: the UTF-8 name upper-cased code point by code point (ä → Ä),
// as code points. Bytes that are no UTF-8 count as themselves.
[[nodiscard]] std::u32string ProgramSortKey(std::string_view name);
// Orders by ProgramSortKey, keeping the order of equal keys.
void SortPrograms(std::vector<ProgramEntry>& programs);

// Each operation keeps the list sorted and returns the position of the entry to select, so the
// entry itself is selected even when names repeat.

// Appends "NONAME" + (count + 1) with no command and no key; none when all slots are taken.
[[nodiscard]] std::optional<std::size_t> AddProgram(std::vector<ProgramEntry>& programs);
// An empty name would end the stored list at the next start: the old name stays. An `at` that
// is no entry changes nothing and is returned as it is.
[[nodiscard]] std::size_t RenameProgram(std::vector<ProgramEntry>& programs, std::size_t at,
                                        std::string name);
// Removes the entry at `at`; the same position is selected again, or the last one when it was
// the last. None when the list is empty afterwards, or `at` is no entry (nothing is removed).
[[nodiscard]] std::optional<std::size_t> DeleteProgram(std::vector<ProgramEntry>& programs,
                                                       std::size_t at);

// The program keys the user can choose, after the empty entry: F2 .. F10.
[[nodiscard]] const std::vector<std::string>& ProgramKeyChoices();

} // namespace orvelt
