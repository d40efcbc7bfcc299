#pragma once

#include "bib/bibtex/BibEntry.h"

#include <functional>
#include <optional>
#include <string_view>

namespace orvelt {

// Which of the target type's pairs takes the value of a field the type has no pair of that name
// for: an index into the target's pairs, or none to keep it as a field outside the table.
using ConversionChoice = std::function<std::optional<int>(std::string_view fieldName)>;

// A copy of `source` as an entry of `targetType` (caption left empty). Each non-empty value goes
// to the pair of the same name (any case), else where `choose` says. Nothing is dropped: a value
// without a place, and every field the source kept beyond its table, stays with the copy as a
// field outside its table.
[[nodiscard]] BibEntry ConvertEntry(const BibEntry& source, int targetType,
                                    const ConversionChoice& choose);

} // namespace orvelt
