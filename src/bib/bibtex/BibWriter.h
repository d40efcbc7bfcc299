#pragma once

#include "bib/bibtex/BibDatabase.h"

#include <string>

namespace orvelt {

// The text of a bibliography file, regenerated from the entries; the same database always gives
// the same bytes. The window writes it to disk.
//
// Abbreviations come first and preambles next, each in their own order, because BibTeX reads a
// file in order and an abbreviation must be defined before it is used. The ordinary entries
// follow category by category in tree order, then the entries of other types as their text,
// except that an entry another one cross-references comes after every entry referring to it,
// whatever the types of both: BibTeX inherits fields only from a later entry.
[[nodiscard]] std::string WriteBIB(const BibDatabase& database);

} // namespace orvelt
