#pragma once

#include "bib/bibtex/BibDatabase.h"
#include "core/CodePage.h"
#include "search/find/TextSearch.h"

#include <compare>
#include <cstddef>
#include <optional>
#include <string_view>

// Searching a bibliography through the texts its window's grid shows, in the order of the tree.
namespace orvelt {

// A grid cell of a bibliography window, ordered as the tree and grid show them: the sixteen
// categories in type order, then the entries of other types; entries in category order; an
// entry's pairs, then the fields beyond them; in a row the name before the value. Names are
// searched only under Abbreviations, the one category whose names the grid lets the user edit.
// An entry of another type has one row, its text.
struct BibCell {
    int Category = 0; // the entry type, or EntryTypeCount for the entries of other types
    std::size_t Entry = 0;
    std::size_t Row = 0;
    int Column = 1; // 0 the name, 1 the value

    auto operator<=>(const BibCell&) const = default;
};

// The category of the entries of other types, after the sixteen.
inline constexpr int OtherTypesCategory = EntryTypeCount;

struct BibMatch {
    BibCell Cell;
    TextMatch Match; // in UTF-16 units of the cell's text as the grid shows it

    bool operator==(const BibMatch&) const = default;
};

// The cell's bytes as held, or none for a cell the database does not have.
[[nodiscard]] std::optional<std::string_view> BibCellText(const BibDatabase& database,
                                                          BibCell cell);

// The first match that begins at or after `position` (UTF-16 units) of cell `from`, or in a
// later cell. Cells are decoded from the file's `encoding` as the grid shows them. `from` need
// not exist: the search goes on from where it would sit.
[[nodiscard]] std::optional<BibMatch> FindInBibliography(const BibDatabase& database,
                                                         TextEncoding encoding,
                                                         const TextSearch& search, BibCell from,
                                                         std::size_t position);

} // namespace orvelt
