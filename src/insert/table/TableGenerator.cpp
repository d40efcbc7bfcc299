#include "insert/table/TableGenerator.h"

#include <charconv>

namespace orvelt {

namespace {

using S = StyleKind;

// Sizes in TeX's notation, whatever the locale: two decimals and a full stop.
std::string Size(double value) {
    char buffer[64];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    return error == std::errc() ? std::string(buffer, end) : std::string("1.00");
}

class Writer {
public:
    explicit Writer(GeneratedTable& out) : out_(out) {}

    void Put(std::string text, StyleKind style) {
        current_ = style;
        out_.pieces.push_back({std::move(text), style});
    }
    // A piece in the style of the one before it.
    void PutCurrent(std::string text) { Put(std::move(text), current_); }
    void MarkCell() { out_.cellStarts.push_back(out_.pieces.size()); }

private:
    GeneratedTable& out_;
    StyleKind current_ = S::Text;
};

// The maximal runs of columns whose cells of `row` have the rule on `side`, as \cline's.
void RuleRuns(Writer& w, const TableDesign& design, int row, RuleSide side) {
    for (int c = 1; c <= design.Cols(); ++c) {
        if (!design.Rule(c, row, side))
            continue;
        const int first = c;
        while (c < design.Cols() && design.Rule(c + 1, row, side))
            ++c;
        w.Put("\\cline", S::TexCommand);
        w.Put("{", S::Brace);
        w.Put(std::to_string(first) + "-" + std::to_string(c), S::Text);
        w.Put("}", S::Brace);
    }
}

void CellBox(Writer& w, const TableDesign& design, const TableSizes& sizes, int col, int row) {
    const HorizontalAlign h = design.HAlign(col, row);
    const VerticalAlign v = design.VAlign(col, row);
    const std::string& text = design.Text(col, row);
    w.Put("\\vbox", S::UserCommand);
    w.Put(" to" + Size(sizes.rowHeightEx[static_cast<std::size_t>(row - 1)]) + "ex", S::Text);
    w.Put("{", S::Brace);
    w.Put("\\vspace", S::TexCommand);
    w.Put("{", S::Brace);
    w.Put("1pt", S::Text);
    w.Put("}", S::Brace);
    if (v != VerticalAlign::Top)
        w.Put("\\vfil", S::UserCommand);
    w.Put("\\hbox", S::UserCommand);
    w.Put(" to" + Size(sizes.colWidthEx[static_cast<std::size_t>(col - 1)]) + "ex", S::Text);
    w.Put("{", S::Brace);
    if (h != HorizontalAlign::Left)
        w.Put("\\hfil ", S::UserCommand);
    w.Put(NeedsLineEndAfter(text) ? text + "\n" : text, S::Text);
    if (h != HorizontalAlign::Right)
        w.Put("\\hfil", S::UserCommand);
    w.Put("}", S::Brace);
    if (v != VerticalAlign::Bottom)
        w.Put("\\vfil", S::UserCommand);
    w.Put("}", S::Brace);
    if (col < design.Cols())
        w.Put(" & \n", S::Text);
    else
        w.Put(" \\\\\n", S::TexCommand);
}

} // namespace

bool NeedsLineEndAfter(std::string_view text) {
    std::size_t backslashes = 0;
    for (char c : text) {
        if (c == '%' && backslashes % 2 == 0)
            return true;
        backslashes = c == '\\' ? backslashes + 1 : 0;
    }
    return backslashes % 2 == 1;
}

std::string GeneratedTable::Text() const {
    std::string text;
    for (const TablePiece& piece : pieces)
        text += piece.text;
    return text;
}

GeneratedTable GenerateTable(const TableDesign& design, const TableSizes& sizes) {
    GeneratedTable out;
    Writer w(out);
    const int cols = design.Cols();
    const int rows = design.Rows();
    w.Put("% Table created by Orvelt 95: " + std::to_string(cols) + " Columns x " +
              std::to_string(rows) + " Rows.\n",
          S::Comment);
    w.Put("\\begin", S::TexCommand);
    w.Put("{", S::Brace);
    w.Put("table", S::Text);
    w.Put("}", S::Brace);
    w.Put("\\centering\n\\begin", S::TexCommand);
    w.Put("{", S::Brace);
    w.Put("tabular", S::Text);
    w.Put("}{", S::Brace);
    std::string columns;
    for (int c = 1; c <= cols; ++c)
        columns += design.Rule(c, 1, RuleSide::Left) ? "|l" : "l";
    if (design.Rule(cols, 1, RuleSide::Right))
        columns += '|';
    w.Put(columns, S::Text);
    w.Put("}\n", S::Brace);
    for (int r = 1; r <= rows; ++r) {
        w.Put("%Row: " + std::to_string(r) + "\n", S::Comment);
        RuleRuns(w, design, r, RuleSide::Top);
        w.PutCurrent("\n");
        for (int c = 1; c <= cols; ++c) {
            w.MarkCell();
            CellBox(w, design, sizes, c, r);
        }
        w.PutCurrent("\n");
    }
    RuleRuns(w, design, rows, RuleSide::Bottom);
    w.Put("\n\\end", S::TexCommand);
    w.Put("{", S::Brace);
    w.Put("tabular", S::Text);
    w.Put("}", S::Brace);
    w.Put("\n\\end", S::TexCommand);
    w.Put("{", S::Brace);
    w.Put("table", S::Text);
    w.Put("}", S::Brace);
    return out;
}

} // namespace orvelt
