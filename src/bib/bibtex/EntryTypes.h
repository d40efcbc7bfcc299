#pragma once

#include <array>
#include <span>
#include <string_view>

// The sixteen BibTeX entry types the bibliography knows, in the order of the window's tree, and
// the fields each one offers.
namespace orvelt {

inline constexpr int EntryTypeCount = 16;
inline constexpr int StringType = 14;   // @STRING: abbreviations
inline constexpr int PreambleType = 15; // @PREAMBLE

// Where an ordinary entry keeps its citation key; not a BibTeX field.
inline constexpr std::string_view CiteKeyName = "cite key";

// Type words as written, upper case.
extern const std::array<std::string_view, EntryTypeCount> EntryTypeNames;
// Captions of the category nodes.
extern const std::array<std::string_view, EntryTypeCount> CategoryCaptions;
// Field names per type, in the order they are offered and written. STRING and PREAMBLE have
// one pair whose name is empty in a new entry.
extern const std::array<std::span<const std::string_view>, EntryTypeCount> EntryFieldTable;

// The type whose word equals `word` without regard to ASCII case, or -1.
[[nodiscard]] int FindEntryType(std::string_view word);

} // namespace orvelt
