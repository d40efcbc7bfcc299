#include "insert/table/TableDesign.h"

#include "insert/table/TableGenerator.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace orvelt {
namespace {

// The rules of every cell as text: per row, per cell "LTRB" with "-" for a side without.
std::string Rules(const TableDesign& design) {
    std::string out;
    for (int r = 1; r <= design.Rows(); ++r) {
        for (int c = 1; c <= design.Cols(); ++c) {
            out += c > 1 ? " " : "";
            out += design.Rule(c, r, RuleSide::Left) ? 'L' : '-';
            out += design.Rule(c, r, RuleSide::Top) ? 'T' : '-';
            out += design.Rule(c, r, RuleSide::Right) ? 'R' : '-';
            out += design.Rule(c, r, RuleSide::Bottom) ? 'B' : '-';
        }
        out += '/';
    }
    return out;
}

TEST(TableDesign, ARuleChangeReachesTheNeighbourAndTheWholeColumn) {
    struct Row {
        const char* name;
        CellRange range;
        RuleSide side;
        std::string expected; // 3 x 2
    };
    const Row rows[] = {
        {"nominal: left of (2,2) is column 2's left and column 1's right in every row",
         {2, 2, 2, 2},
         RuleSide::Left,
         "LT-B -TRB LTRB/LT-B -TRB LTRB/"},
        {"nominal: right of the last column has no neighbour",
         {3, 1, 3, 1},
         RuleSide::Right,
         "LTRB LTRB LT-B/LTRB LTRB LT-B/"},
        {"nominal: bottom of (1,1) is the top of (1,2) only",
         {1, 1, 1, 1},
         RuleSide::Bottom,
         "LTR- LTRB LTRB/L-RB LTRB LTRB/"},
        {"nominal: top of a range of row 2",
         {2, 2, 3, 2},
         RuleSide::Top,
         "LTRB LTR- LTR-/LTRB L-RB L-RB/"},
        {"edge: top of row 1 has no neighbour",
         {1, 1, 1, 1},
         RuleSide::Top,
         "L-RB LTRB LTRB/LTRB LTRB LTRB/"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TableDesign design;
        design.Start(3, 2);
        design.SetRule(row.range, row.side, false);
        EXPECT_EQ(Rules(design), row.expected);
        design.SetRule(row.range, row.side, true);
        EXPECT_EQ(Rules(design), "LTRB LTRB LTRB/LTRB LTRB LTRB/") << "switched on again";
    }
}

TEST(TableDesign, ANewUseResetsRulesAndAlignmentsButKeepsTextsAndSizes) {
    TableDesign design;
    design.Start(3, 3);
    design.SetText(3, 3, "kept");
    design.SetColumnPixels(3, 120);
    design.SetRowPixels(3, 40);
    design.SetRule({1, 1, 3, 3}, RuleSide::Left, false);
    design.SetHAlign({1, 1, 3, 3}, HorizontalAlign::Left);
    design.SetVAlign({1, 1, 3, 3}, VerticalAlign::Top);
    design.Start(2, 2); // smaller: row and column 3 drop out of view
    design.Start(3, 3);
    EXPECT_EQ(design.Text(3, 3), "kept");
    EXPECT_EQ(design.ColumnPixels(3), 120);
    EXPECT_EQ(design.RowPixels(3), 40);
    EXPECT_EQ(Rules(design), "LTRB LTRB LTRB/LTRB LTRB LTRB/LTRB LTRB LTRB/");
    EXPECT_EQ(design.HAlign(2, 2), HorizontalAlign::Centre);
    EXPECT_EQ(design.VAlign(2, 2), VerticalAlign::Bottom);

    design.Start(250, 0);
    EXPECT_EQ(design.Cols(), TableDesign::kMaxSize) << "held to the grid's capacity";
    EXPECT_EQ(design.Rows(), 1);
}

TEST(TableDesign, SizeBoxesReadEitherDecimalPoint) {
    struct Row {
        const char* name;
        const char* text;
        std::optional<double> ex;
    };
    const Row rows[] = {
        {"nominal: whole", "12", 12},
        {"nominal: comma", "2,5", 2.5},
        {"nominal: full stop", "2.5", 2.5},
        {"limit: above 100 is 100", "250", 100},
        {"limit: below 1 is 1", "0,5", 1},
        {"robustness: empty", "", std::nullopt},
        {"robustness: letters", "ab", std::nullopt},
        {"robustness: two points", "1.2.3", std::nullopt},
        {"robustness: a bare point", ",", std::nullopt},
        {"robustness: a sign", "-3", std::nullopt},
        {"robustness: a blank", "2 ", std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ReadSizeEx(row.text), row.ex);
    }
}

TEST(TableDesign, PixelsAndExShareOneFactor) {
    TableDesign design;
    design.Start(2, 2);
    design.SetColumnPixels(2, PixelsOfEx(10, 7));
    EXPECT_EQ(design.ColumnPixels(2), 70) << "a column typed as 10 ex is 10 ex";
    const TableSizes sizes = SizesInEx(design, 7);
    EXPECT_EQ(sizes.colWidthEx, (std::vector<double>{64.0 / 7, 10}));
    EXPECT_EQ(sizes.rowHeightEx, (std::vector<double>{18.0 / 7 + 0.5, 18.0 / 7 + 0.5}));
    EXPECT_EQ(WholeEx(64, 7), 9);
    EXPECT_EQ(SizesInEx(design, 0).colWidthEx[1], 70) << "a font without x-height";
    EXPECT_EQ(PixelsOfEx(2.5, 7), 18);

    // With a 7-pixel x-height the defaults are the worked example's sizes.
    design.SetText(1, 1, "A");
    EXPECT_NE(GenerateTable(design, SizesInEx(design, 7))
                  .Text()
                  .find("\\vbox to3.07ex{\\vspace{1pt}\\vfil\\hbox to9.14ex{\\hfil A\\hfil}}"),
              std::string::npos);
}

TEST(TableDesign, TheWidestTextOfAColumnDecidesItsWidth) {
    TableDesign design;
    design.Start(2, 3);
    design.SetText(1, 1, "wide text");
    design.SetText(1, 2, "old");
    design.SetText(2, 3, "other column");
    const auto length = [](std::string_view text) { return static_cast<int>(text.size()) * 10; };
    EXPECT_EQ(NeededColumnPixels(design, 1, 2, "tiny", length), 96) << "row 1 is wider";
    EXPECT_EQ(NeededColumnPixels(design, 1, 1, "x", length), 36) << "the new text replaces row 1";
}

TEST(TableDesign, CellsThatCannotTypesetAreFound) {
    struct Row {
        const char* name;
        std::string text;
        bool typesets;
    };
    const Row rows[] = {
        {"nominal: plain", "abc", true},
        {"nominal: balanced braces", "\\textbf{b}", true},
        {"nominal: escaped specials", "\\% \\& \\{", true},
        {"nominal: a nested tabular", "\\begin{tabular}{ll}a&b\\end{tabular}", true},
        {"nominal: braces in a comment", "a % {", true},
        {"fault: an open brace", "\\textbf{b", false},
        {"fault: a closing brace first", "}{", false},
        {"fault: a stray ampersand", "a & b", false},
        {"nominal: an ampersand in a comment", "a % & b", true},
        {"edge: an escaped backslash before a brace", "\\\\{", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TableDesign design;
        design.Start(3, 2);
        design.SetText(2, 2, row.text);
        design.SetText(3, 2, "}"); // after it: the first one is named
        const CellRef first = row.typesets ? CellRef{3, 2} : CellRef{2, 2};
        EXPECT_EQ(FirstUntypesettableCell(design), first);
    }
    TableDesign clean;
    clean.Start(2, 2);
    EXPECT_EQ(FirstUntypesettableCell(clean), std::nullopt);
}

} // namespace
} // namespace orvelt
