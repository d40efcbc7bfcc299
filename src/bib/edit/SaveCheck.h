#pragma once

#include "bib/bibtex/BibDatabase.h"

#include <cstddef>
#include <optional>
#include <string>

namespace orvelt {

// The first thing in a database that BibTeX would not read back as it was meant.
struct UnreadablePart {
    int Type = 0;          // the entry's category
    std::size_t Index = 0; // its place there
    std::string Field;     // the field's name
    std::string Problem;   // what is wrong, as a sentence
};

// Looks at every value for unbalanced braces (and, where it is written between double quotes or
// bare, for what would end it early) and at citation keys and abbreviation names for characters
// that would end them: blanks, ",", "=", "#", braces, parentheses and double quotes.
[[nodiscard]] std::optional<UnreadablePart> FindUnreadablePart(const BibDatabase& database);

} // namespace orvelt
