#include "insert/table/TableDesign.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace orvelt {

TableDesign::TableDesign()
    : cells_(static_cast<std::size_t>(kMaxSize) * kMaxSize),
      colPixels_(kMaxSize, kDefaultColumnPixels), rowPixels_(kMaxSize, kDefaultRowPixels) {
    Start(1, 1);
}

void TableDesign::Start(int cols, int rows) {
    cols_ = std::clamp(cols, 1, kMaxSize);
    rows_ = std::clamp(rows, 1, kMaxSize);
    for (Cell& cell : cells_) {
        cell.rules.fill(true);
        cell.h = HorizontalAlign::Centre;
        cell.v = VerticalAlign::Bottom;
    }
}

bool TableDesign::Rule(int col, int row, RuleSide side) const {
    return At(col, row).rules[static_cast<std::size_t>(side) - 1];
}

void TableDesign::SetRule(const CellRange& range, RuleSide side, bool on) {
    for (int c = range.firstCol; c <= range.lastCol; ++c) {
        switch (side) {
        case RuleSide::Left:
        case RuleSide::Right: {
            const bool left = side == RuleSide::Left;
            const int neighbour = left ? c - 1 : c + 1;
            for (int r = 1; r <= rows_; ++r) {
                SetSide(c, r, side, on);
                if (neighbour >= 1 && neighbour <= cols_)
                    SetSide(neighbour, r, left ? RuleSide::Right : RuleSide::Left, on);
            }
            break;
        }
        case RuleSide::Top:
        case RuleSide::Bottom: {
            const bool top = side == RuleSide::Top;
            for (int r = range.firstRow; r <= range.lastRow; ++r) {
                SetSide(c, r, side, on);
                const int neighbour = top ? r - 1 : r + 1;
                if (neighbour >= 1 && neighbour <= rows_)
                    SetSide(c, neighbour, top ? RuleSide::Bottom : RuleSide::Top, on);
            }
            break;
        }
        }
    }
}

void TableDesign::SetHAlign(const CellRange& range, HorizontalAlign align) {
    for (int r = range.firstRow; r <= range.lastRow; ++r)
        for (int c = range.firstCol; c <= range.lastCol; ++c)
            At(c, r).h = align;
}

void TableDesign::SetVAlign(const CellRange& range, VerticalAlign align) {
    for (int r = range.firstRow; r <= range.lastRow; ++r)
        for (int c = range.firstCol; c <= range.lastCol; ++c)
            At(c, r).v = align;
}

TableSizes SizesInEx(const TableDesign& design, int pixelsPerEx) {
    const double factor = std::max(1, pixelsPerEx);
    TableSizes sizes;
    for (int c = 1; c <= design.Cols(); ++c)
        sizes.colWidthEx.push_back(design.ColumnPixels(c) / factor);
    for (int r = 1; r <= design.Rows(); ++r)
        sizes.rowHeightEx.push_back(design.RowPixels(r) / factor + 0.5);
    return sizes;
}

std::optional<double> ReadSizeEx(std::string_view text) {
    std::string number(text);
    // Either decimal point, whatever the locale says: "2,5" and "2.5" mean the same here.
    std::replace(number.begin(), number.end(), ',', '.');
    if (number.empty() || number.front() == '.' || number.back() == '.' ||
        std::count(number.begin(), number.end(), '.') > 1 ||
        !std::all_of(number.begin(), number.end(),
                     [](char c) { return c == '.' || (c >= '0' && c <= '9'); }))
        return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value,
                                              std::chars_format::fixed);
    if (error != std::errc() || end != number.data() + number.size())
        return std::nullopt;
    return std::clamp(value, 1.0, 100.0);
}

int PixelsOfEx(double ex, int pixelsPerEx) {
    return static_cast<int>(std::lround(ex * std::max(1, pixelsPerEx)));
}

int WholeEx(int pixels, int pixelsPerEx) {
    return pixels / std::max(1, pixelsPerEx);
}

int NeededColumnPixels(const TableDesign& design, int col, int row, std::string_view text,
                       const std::function<int(std::string_view)>& measure) {
    int widest = measure(text);
    for (int r = 1; r <= design.Rows(); ++r)
        if (r != row)
            widest = std::max(widest, measure(design.Text(col, r)));
    return widest + 6;
}

namespace {

bool Typesets(std::string_view text) {
    int depth = 0;
    bool ampersand = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        switch (text[i]) {
        case '\\':
            ++i; // an escaped character is no syntax
            break;
        case '%':
            while (i + 1 < text.size() && text[i + 1] != '\n')
                ++i;
            break;
        case '{':
            ++depth;
            break;
        case '}':
            if (--depth < 0)
                return false;
            break;
        case '&':
            ampersand = true;
            break;
        default:
            break;
        }
    }
    return depth == 0 && (!ampersand || text.find("\\begin") != std::string_view::npos);
}

} // namespace

std::optional<CellRef> FirstUntypesettableCell(const TableDesign& design) {
    for (int r = 1; r <= design.Rows(); ++r)
        for (int c = 1; c <= design.Cols(); ++c)
            if (!Typesets(design.Text(c, r)))
                return CellRef{c, r};
    return std::nullopt;
}

} // namespace orvelt
