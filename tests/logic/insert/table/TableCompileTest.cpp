#include "TestFiles.h"
#include "insert/table/TableGenerator.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <sstream>
#include <string>
#include <unistd.h>

namespace orvelt {
namespace {

namespace fs = std::filesystem;

using testing::OnPath;
using testing::ReadFile;
using testing::ScratchFolder;
using testing::WriteFile;

constexpr int kPixelsPerEx = 7; // the designer's grid font

// Typesets one document with pdflatex in a fresh folder: the exit status and the log.
class TableTeX : public ::testing::Test {
protected:
    void SetUp() override {
        if (!OnPath("pdflatex"))
            GTEST_SKIP() << "pdflatex is not on PATH";
    }

    int Typeset(const std::string& body) {
        WriteFile(dir_ / "tables.tex", "\\documentclass{article}\n"
                                       "\\setlength\\textwidth{50cm}\\setlength\\textheight{80cm}\n"
                                       "\\begin{document}\n" +
                                           body + "\n\\end{document}\n");
        const std::string command = "cd '" + dir_.string() +
                                    "' && timeout 300 pdflatex -interaction=nonstopmode "
                                    "-halt-on-error tables.tex > /dev/null 2>&1";
        const int status = std::system(command.c_str());
        log_ = ReadFile(dir_ / "tables.log");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    // The lines of the log that start with one of these.
    [[nodiscard]] std::string Complaints() const {
        std::istringstream lines(log_);
        std::string line;
        std::string out;
        while (std::getline(lines, line))
            if (line.starts_with("!") || line.starts_with("Overfull") ||
                line.starts_with("Underfull"))
                out += line + "\n";
        return out;
    }

    const ScratchFolder scratch_{"orvelt-table"};
    const fs::path dir_ = scratch_.Path();
    std::string log_;
};

// A table of the designer's making, in its own float page.
std::string Table(const TableDesign& design) {
    return GenerateTable(design, SizesInEx(design, kPixelsPerEx)).Text() + "\n\\clearpage\n";
}

TEST_F(TableTeX, EveryKindOfDesignTypesetsCleanly) {
    std::string body;
    TableDesign design;

    design.Start(2, 1); // the worked example
    design.SetText(1, 1, "A");
    design.SetText(2, 1, "B");
    body += Table(design);

    design.Start(1, 1);
    design.SetText(1, 1, "x");
    body += Table(design);

    design.Start(3, 3); // rule patterns, and the nine alignments
    const char* const letters[] = {"a", "b", "c", "d", "e", "f", "g", "h", "i"};
    for (int i = 0; i < 9; ++i) {
        const CellRange cell{i % 3 + 1, i / 3 + 1, i % 3 + 1, i / 3 + 1};
        design.SetText(cell.firstCol, cell.firstRow, letters[i]);
        design.SetHAlign(cell, static_cast<HorizontalAlign>(i % 3));
        design.SetVAlign(cell, static_cast<VerticalAlign>(i / 3));
        design.SetRowPixels(i / 3 + 1, 40);
    }
    body += Table(design);
    design.SetRule({2, 2, 2, 2}, RuleSide::Left, false);
    design.SetRule({2, 1, 3, 1}, RuleSide::Top, false);
    design.SetRule({1, 3, 1, 3}, RuleSide::Bottom, false);
    design.SetRule({3, 3, 3, 3}, RuleSide::Right, false);
    body += Table(design);

    // LaTeX in cells, a comment, and a text ending in a backslash (a control space).
    design.Start(3, 3);
    const char* const cells[] = {"$x^2$",
                                 "\\textbf{b}",
                                 "50\\%",
                                 "\\&",
                                 "a % note",
                                 "end\\",
                                 "\\begin{tabular}{ll}a&b\\end{tabular}",
                                 "",
                                 "x"};
    for (int i = 0; i < 9; ++i)
        design.SetText(i % 3 + 1, i / 3 + 1, cells[i]);
    design.SetColumnPixels(1, 150);
    design.SetColumnPixels(2, 100);
    design.SetRowPixels(3, 40);
    body += Table(design);

    // Seeded random designs: sizes from the default to 20 ex, wide enough for their texts.
    std::mt19937 random(20261207);
    const auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const std::string alphabet = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int n = 0; n < 50; ++n) {
        TableDesign random_design;
        random_design.Start(pick(1, 6), pick(1, 6));
        for (int c = 1; c <= random_design.Cols(); ++c) {
            std::size_t longest = 0;
            for (int r = 1; r <= random_design.Rows(); ++r) {
                std::string text;
                for (int k = pick(0, 5); k > 0; --k)
                    text += alphabet[static_cast<std::size_t>(pick(0, 61))];
                longest = std::max(longest, text.size());
                random_design.SetText(c, r, text);
                const CellRange cell{c, r, c, r};
                random_design.SetHAlign(cell, static_cast<HorizontalAlign>(pick(0, 2)));
                random_design.SetVAlign(cell, static_cast<VerticalAlign>(pick(0, 2)));
                for (RuleSide side :
                     {RuleSide::Left, RuleSide::Top, RuleSide::Right, RuleSide::Bottom})
                    if (pick(0, 1) == 1)
                        random_design.SetRule(cell, side, false);
            }
            // An upper-case W is 2.4 ex wide in Computer Modern.
            const int needed = static_cast<int>(longest) * 5 * kPixelsPerEx / 2;
            random_design.SetColumnPixels(
                c, std::max(needed, pick(TableDesign::kDefaultColumnPixels, 20 * kPixelsPerEx)));
        }
        for (int r = 1; r <= random_design.Rows(); ++r)
            random_design.SetRowPixels(r, pick(TableDesign::kDefaultRowPixels, 20 * kPixelsPerEx));
        body += Table(random_design);
    }

    EXPECT_EQ(Typeset(body), 0) << Complaints();
    EXPECT_EQ(Complaints(), "");
}

TEST_F(TableTeX, TheLargestTableCompiles) {
    TableDesign design;
    design.Start(TableDesign::kMaxSize, TableDesign::kMaxSize);
    for (int r = 1; r <= design.Rows(); ++r)
        for (int c = 1; c <= design.Cols(); ++c)
            design.SetText(c, r, std::to_string(r * 100 + c));
    // Overfull boxes and a float too large for the page are expected; an error is not.
    EXPECT_EQ(Typeset(Table(design)), 0) << Complaints();
}

} // namespace
} // namespace orvelt
