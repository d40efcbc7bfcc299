#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the table designer holds: the cells' texts, their rules and alignments, and the sizes of
// the columns and rows in pixels of the designer's grid. It is kept between uses of the
// designer: a new use resets rules and alignments, never texts or sizes.
namespace orvelt {

// The numbers are the rule panels' tags.
enum class RuleSide { Left = 1, Top = 2, Right = 3, Bottom = 4 };
enum class HorizontalAlign { Left, Centre, Right };
enum class VerticalAlign { Top, Middle, Bottom };

// Columns and rows from 1, both ends included.
struct CellRange {
    int firstCol = 1;
    int firstRow = 1;
    int lastCol = 1;
    int lastRow = 1;
};

struct CellRef {
    int col = 0;
    int row = 0;
    bool operator==(const CellRef&) const = default;
};

class TableDesign {
public:
    static constexpr int kMaxSize = 100; // columns and rows alike
    static constexpr int kDefaultColumnPixels = 64;
    static constexpr int kDefaultRowPixels = 18;

    TableDesign();

    // A new use of the designer: the size, every rule on, centred and at the bottom. Sizes
    // outside 1 .. kMaxSize are held to it.
    void Start(int cols, int rows);

    [[nodiscard]] int Cols() const { return cols_; }
    [[nodiscard]] int Rows() const { return rows_; }

    [[nodiscard]] const std::string& Text(int col, int row) const { return At(col, row).text; }
    void SetText(int col, int row, std::string text) { At(col, row).text = std::move(text); }

    [[nodiscard]] bool Rule(int col, int row, RuleSide side) const;
    // Sets a side of every cell of the range, and the facing side of its neighbour, so that
    // what the grid shows is what LaTeX draws: a vertical rule belongs to a whole column (the
    // column format decides it), so left and right apply to every row.
    void SetRule(const CellRange& range, RuleSide side, bool on);

    [[nodiscard]] HorizontalAlign HAlign(int col, int row) const { return At(col, row).h; }
    [[nodiscard]] VerticalAlign VAlign(int col, int row) const { return At(col, row).v; }
    void SetHAlign(const CellRange& range, HorizontalAlign align);
    void SetVAlign(const CellRange& range, VerticalAlign align);

    [[nodiscard]] int ColumnPixels(int col) const { return colPixels_[Index(col)]; }
    [[nodiscard]] int RowPixels(int row) const { return rowPixels_[Index(row)]; }
    void SetColumnPixels(int col, int pixels) { colPixels_[Index(col)] = pixels; }
    void SetRowPixels(int row, int pixels) { rowPixels_[Index(row)] = pixels; }

private:
    struct Cell {
        std::string text;
        std::array<bool, 4> rules{}; // by RuleSide - 1
        HorizontalAlign h = HorizontalAlign::Centre;
        VerticalAlign v = VerticalAlign::Bottom;
    };
    [[nodiscard]] static std::size_t Index(int oneBased) {
        return static_cast<std::size_t>(oneBased - 1);
    }
    [[nodiscard]] Cell& At(int col, int row) { return cells_[Index(row) * kMaxSize + Index(col)]; }
    [[nodiscard]] const Cell& At(int col, int row) const {
        return cells_[Index(row) * kMaxSize + Index(col)];
    }
    void SetSide(int col, int row, RuleSide side, bool on) {
        At(col, row).rules[static_cast<std::size_t>(side) - 1] = on;
    }

    int cols_ = 1;
    int rows_ = 1;
    std::vector<Cell> cells_;
    std::vector<int> colPixels_;
    std::vector<int> rowPixels_;
};

// The designer's pixels in ex, by one factor for both directions: the grid font's x-height.
// Rows get half an ex more, so that a default row holds a line of text.
struct TableSizes {
    std::vector<double> colWidthEx; // column c at c - 1
    std::vector<double> rowHeightEx;
};
[[nodiscard]] TableSizes SizesInEx(const TableDesign& design, int pixelsPerEx);

// A size box's text as ex: digits with "." or "," as the decimal point, held to 1 .. 100. None
// when the text is no number.
[[nodiscard]] std::optional<double> ReadSizeEx(std::string_view text);
[[nodiscard]] int PixelsOfEx(double ex, int pixelsPerEx);
// What a size box shows for a size in pixels: whole ex, truncated.
[[nodiscard]] int WholeEx(int pixels, int pixelsPerEx);

// The width a column needs for its widest text (`measure` gives a text's width in pixels),
// with `text` in place of the text of `row`; 6 pixels of margin.
[[nodiscard]] int NeededColumnPixels(const TableDesign& design, int col, int row,
                                     std::string_view text,
                                     const std::function<int(std::string_view)>& measure);

// The first cell, row by row, that cannot typeset as typed: braces that do not balance, or an
// "&" outside a comment in a cell that opens no environment of its own (a stray "&" in a cell
// box sends a non-stop TeX run into an endless loop).
[[nodiscard]] std::optional<CellRef> FirstUntypesettableCell(const TableDesign& design);

} // namespace orvelt
