#pragma once

#include "core/HighlightStyle.h"
#include "insert/table/TableDesign.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The LaTeX source of a designed table: a table environment holding a tabular whose every cell
// is a box of fixed width and height, so that the sizes drawn in the designer carry over to
// the typeset table. Each piece carries the highlighting style it is inserted in.
namespace orvelt {

struct TablePiece {
    std::string text; // "\n" is one line break of the document
    StyleKind style;
    bool operator==(const TablePiece&) const = default;
};

struct GeneratedTable {
    std::vector<TablePiece> pieces;
    // Where each cell box begins in `pieces`, row by row: the insertion may stop between cells.
    std::vector<std::size_t> cellStarts;

    [[nodiscard]] std::string Text() const;
};

// `sizes` holds at least the design's columns and rows.
[[nodiscard]] GeneratedTable GenerateTable(const TableDesign& design, const TableSizes& sizes);

// Whether a cell's text must be followed by a line end so that the box's own code after it
// survives: an unescaped "%" would comment it out, and a final odd run of backslashes would
// make a control symbol of the next character.
[[nodiscard]] bool NeedsLineEndAfter(std::string_view text);

} // namespace orvelt
