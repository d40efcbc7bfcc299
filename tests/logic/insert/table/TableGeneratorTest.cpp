#include "insert/table/TableGenerator.h"

#include <gtest/gtest.h>
#include <locale>
#include <string>
#include <utility>
#include <vector>

namespace orvelt {
namespace {

using S = StyleKind;

TableSizes Uniform(int cols, int rows, double width = 9.14, double height = 3.07) {
    return {std::vector<double>(static_cast<std::size_t>(cols), width),
            std::vector<double>(static_cast<std::size_t>(rows), height)};
}

// The line of the text after the first line that is `marker`.
std::string LineAfter(const std::string& text, const std::string& marker) {
    const std::size_t at = text.find(marker + "\n");
    if (at == std::string::npos)
        return "<no " + marker + ">";
    const std::size_t start = at + marker.size() + 1;
    return text.substr(start, text.find('\n', start) - start);
}

TEST(TableGenerator, TheWorkedExampleComesOutExactly) {
    TableDesign design;
    design.Start(2, 1);
    design.SetText(1, 1, "A");
    design.SetText(2, 1, "B");
    const GeneratedTable table = GenerateTable(design, Uniform(2, 1));
    EXPECT_EQ(table.Text(),
              "% Table created by Orvelt 95: 2 Columns x 1 Rows.\n"
              "\\begin{table}\\centering\n"
              "\\begin{tabular}{|l|l|}\n"
              "%Row: 1\n"
              "\\cline{1-2}\n"
              "\\vbox to3.07ex{\\vspace{1pt}\\vfil\\hbox to9.14ex{\\hfil A\\hfil}} & \n"
              "\\vbox to3.07ex{\\vspace{1pt}\\vfil\\hbox to9.14ex{\\hfil B\\hfil}} \\\\\n"
              "\n"
              "\\cline{1-2}\n"
              "\\end{tabular}\n"
              "\\end{table}");

    // Each piece in its highlighting style, the cells where the insertion may stop.
    const std::vector<TablePiece> head = {
        {"% Table created by Orvelt 95: 2 Columns x 1 Rows.\n", S::Comment},
        {"\\begin", S::TexCommand},
        {"{", S::Brace},
        {"table", S::Text},
        {"}", S::Brace},
        {"\\centering\n\\begin", S::TexCommand},
        {"{", S::Brace},
        {"tabular", S::Text},
        {"}{", S::Brace},
        {"|l|l|", S::Text},
        {"}\n", S::Brace},
        {"%Row: 1\n", S::Comment},
        {"\\cline", S::TexCommand},
        {"{", S::Brace},
        {"1-2", S::Text},
        {"}", S::Brace},
        {"\n", S::Brace}, // a line end takes the style before it
    };
    const std::vector<TablePiece> lastCell = {
        {"\\vbox", S::UserCommand},
        {" to3.07ex", S::Text},
        {"{", S::Brace},
        {"\\vspace", S::TexCommand},
        {"{", S::Brace},
        {"1pt", S::Text},
        {"}", S::Brace},
        {"\\vfil", S::UserCommand},
        {"\\hbox", S::UserCommand},
        {" to9.14ex", S::Text},
        {"{", S::Brace},
        {"\\hfil ", S::UserCommand},
        {"B", S::Text},
        {"\\hfil", S::UserCommand},
        {"}", S::Brace},
        {"}", S::Brace},
        {" \\\\\n", S::TexCommand},
        {"\n", S::TexCommand},
    };
    ASSERT_EQ(table.cellStarts.size(), 2u);
    EXPECT_EQ(
        std::vector<TablePiece>(table.pieces.begin(),
                                table.pieces.begin() + static_cast<long>(table.cellStarts[0])),
        head);
    const auto last = table.pieces.begin() + static_cast<long>(table.cellStarts[1]);
    EXPECT_EQ(std::vector<TablePiece>(last, last + static_cast<long>(lastCell.size())), lastCell);
    EXPECT_EQ(table.pieces[table.cellStarts[1] - 1], (TablePiece{" & \n", S::Text}));
    EXPECT_EQ(table.pieces.back(), (TablePiece{"}", S::Brace}));
}

TEST(TableGenerator, RuleRunsFollowTheTopAndBottomSides) {
    struct Row {
        const char* name;
        int cols;
        std::vector<int> topOff; // columns of row 1 whose top rule is removed
        std::string expected;
    };
    const Row rows[] = {
        {"nominal: 1 x 1 has one rule above", 1, {}, "\\cline{1-1}"},
        {"nominal: a run over the first two of three", 3, {3}, "\\cline{1-2}"},
        {"nominal: two runs on one line", 3, {2}, "\\cline{1-1}\\cline{3-3}"},
        {"nominal: a row without rules gives an empty line", 2, {1, 2}, ""},
        {"edge: a run at the end", 4, {1, 2}, "\\cline{3-4}"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TableDesign design;
        design.Start(row.cols, 1);
        for (int c : row.topOff)
            design.SetRule({c, 1, c, 1}, RuleSide::Top, false);
        EXPECT_EQ(LineAfter(GenerateTable(design, Uniform(row.cols, 1)).Text(), "%Row: 1"),
                  row.expected);
    }

    // The bottom rules of the last row close the table, after its empty line.
    TableDesign design;
    design.Start(3, 2);
    design.SetRule({2, 2, 2, 2}, RuleSide::Bottom, false);
    const std::string text = GenerateTable(design, Uniform(3, 2)).Text();
    EXPECT_EQ(LineAfter(text, "%Row: 2"), "\\cline{1-3}") << "row 2's top is row 1's bottom";
    EXPECT_NE(text.find(" \\\\\n\n\\cline{1-1}\\cline{3-3}\n\\end{tabular}"), std::string::npos)
        << text;
}

TEST(TableGenerator, TheColumnSpecificationFollowsTheFirstRow) {
    struct Row {
        const char* name;
        int cols;
        CellRange off;
        RuleSide side;
        std::string expected;
    };
    const Row rows[] = {
        {"nominal: every rule", 3, {1, 1, 1, 1}, RuleSide::Top, "{|l|l|l|}"},
        {"nominal: a left rule removed in row 2 goes for the whole column",
         3,
         {2, 2, 2, 2},
         RuleSide::Left,
         "{|ll|l|}"},
        {"nominal: the right rule of column 1 is column 2's left",
         3,
         {1, 1, 1, 1},
         RuleSide::Right,
         "{|ll|l|}"},
        {"nominal: the last right rule", 2, {2, 2, 2, 2}, RuleSide::Right, "{|l|l}"},
        {"nominal: the first left rule", 2, {1, 1, 1, 1}, RuleSide::Left, "{l|l|}"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TableDesign design;
        design.Start(row.cols, 2);
        design.SetRule(row.off, row.side, false);
        EXPECT_EQ(LineAfter(GenerateTable(design, Uniform(row.cols, 2)).Text(),
                            "\\begin{table}\\centering")
                      .substr(std::string("\\begin{tabular}").size()),
                  row.expected);
    }
}

TEST(TableGenerator, AlignmentsPlaceTheFillers) {
    struct Row {
        const char* name;
        HorizontalAlign h;
        VerticalAlign v;
        std::string box;
    };
    const Row rows[] = {
        {"corner: left and top", HorizontalAlign::Left, VerticalAlign::Top,
         "\\vbox to2.50ex{\\vspace{1pt}\\hbox to10.00ex{T\\hfil}\\vfil} \\\\"},
        {"corner: right and bottom", HorizontalAlign::Right, VerticalAlign::Bottom,
         "\\vbox to2.50ex{\\vspace{1pt}\\vfil\\hbox to10.00ex{\\hfil T}} \\\\"},
        {"corner: left and bottom", HorizontalAlign::Left, VerticalAlign::Bottom,
         "\\vbox to2.50ex{\\vspace{1pt}\\vfil\\hbox to10.00ex{T\\hfil}} \\\\"},
        {"corner: right and top", HorizontalAlign::Right, VerticalAlign::Top,
         "\\vbox to2.50ex{\\vspace{1pt}\\hbox to10.00ex{\\hfil T}\\vfil} \\\\"},
        {"nominal: centred and middle", HorizontalAlign::Centre, VerticalAlign::Middle,
         "\\vbox to2.50ex{\\vspace{1pt}\\vfil\\hbox to10.00ex{\\hfil T\\hfil}\\vfil} \\\\"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TableDesign design;
        design.Start(1, 1);
        design.SetText(1, 1, "T");
        design.SetHAlign({1, 1, 1, 1}, row.h);
        design.SetVAlign({1, 1, 1, 1}, row.v);
        EXPECT_EQ(LineAfter(GenerateTable(design, Uniform(1, 1, 10, 2.5)).Text(), "\\cline{1-1}"),
                  row.box);
    }
}

TEST(TableGenerator, CellTextKeepsTheBoxCodeAfterIt) {
    struct Row {
        const char* name;
        std::string text;
        bool lineEnd;
    };
    // Without the line end every one of these tables failed: "%" commented out the cell's
    // closing braces and " & ", a final odd backslash swallowed the "\hfil" after it.
    const Row rows[] = {
        {"mend: a comment", "x % note", true},
        {"mend: a final backslash", "a\\", true},
        {"mend: three final backslashes", "a\\\\\\", true},
        {"mend: an escaped backslash before a comment", "\\\\%", true},
        {"nominal: an escaped percent", "50\\%", false},
        {"nominal: a line break", "a\\\\", false},
        {"nominal: LaTeX inside", "$x^2$ \\textbf{b}", false},
        {"nominal: empty", "", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(NeedsLineEndAfter(row.text), row.lineEnd);
        TableDesign design;
        design.Start(1, 1);
        design.SetText(1, 1, row.text);
        const std::string text = GenerateTable(design, Uniform(1, 1)).Text();
        EXPECT_NE(text.find("{\\hfil " + row.text + (row.lineEnd ? "\n" : "") + "\\hfil}"),
                  std::string::npos)
            << "verbatim: " << text;
    }
}

// A numpunct that writes a comma, as a German locale does.
struct CommaPoint : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

TEST(TableGenerator, SizesAreWrittenWithAFullStopInAnyLocale) {
    const std::locale previous = std::locale::global(std::locale(std::locale(), new CommaPoint));
    TableDesign design;
    design.Start(1, 1);
    const std::string text = GenerateTable(design, Uniform(1, 1, 12.3, 2.5)).Text();
    std::locale::global(previous);
    EXPECT_NE(text.find("\\vbox to2.50ex{"), std::string::npos) << text;
    EXPECT_NE(text.find("\\hbox to12.30ex{"), std::string::npos) << text;
}

} // namespace
} // namespace orvelt
