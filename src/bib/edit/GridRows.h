#pragma once

#include "bib/bibtex/BibEntry.h"

#include <string>
#include <vector>

// What the field grid shows of an entry, and writing its edits back.
namespace orvelt {

// One row of the grid: a name and a value, as text.
struct GridRow {
    std::string Name;
    std::string Value;
    bool operator==(const GridRow&) const = default;
};

// The entry's pairs in table order, then the fields kept beyond its table, in file order.
[[nodiscard]] std::vector<GridRow> EntryRows(const BibEntry& entry);

// Writes back the rows that differ from what `shown` (the entry's rows when the grid was filled)
// held; untouched rows leave their pairs exactly as they were, so a visit never turns
// `month = jan` into `{jan}`. An edited value keeps its form while the form can still hold it.
// Rows beyond the entry's pairs and fields are ignored. True when anything changed.
bool RowsToEntry(BibEntry& entry, const std::vector<GridRow>& shown,
                 const std::vector<GridRow>& edited);

// Whether `text` can stand bare after "name = ": numbers, abbreviation names and delimited
// strings joined by "#".
[[nodiscard]] bool IsRawExpression(std::string_view text);

} // namespace orvelt
