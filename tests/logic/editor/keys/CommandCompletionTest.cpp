#include "editor/keys/CommandCompletion.h"

#include <gtest/gtest.h>

namespace orvelt {
namespace {

TEST(CommandCompletion, CommandAroundTheCaret) {
    struct Row {
        const char* name;
        std::u16string line;
        std::size_t col;
        std::optional<CaretCommand> expected;
    };
    const Row rows[] = {
        {"nominal: letters before the caret", u"x \\sec", 6, CaretCommand{2, 6, u"\\sec"}},
        {"nominal: letters after the caret belong to it", u"\\sec tion", 3,
         CaretCommand{0, 4, u"\\sec"}},
        {"nominal: the nearest backslash", u"\\a \\b", 5, CaretCommand{3, 5, u"\\b"}},
        {"nominal: a non-letter after the backslash is the whole name", u"\\%x", 3,
         CaretCommand{0, 2, u"\\%"}},
        {"nominal: caret right after the backslash", u"\\begin", 1, CaretCommand{0, 6, u"\\begin"}},
        {"nominal: the caret past the command's end", u"\\begin{itemize}", 15,
         CaretCommand{0, 6, u"\\begin"}},
        {"boundary: a lone backslash at the end", u"a\\", 2, CaretCommand{1, 2, u"\\"}},
        {"boundary: a non-BMP character is one", u"\\\U0001D400", 1,
         CaretCommand{0, 3, u"\\\U0001D400"}},
        {"robustness: no backslash before the caret", u"abc \\x", 3, std::nullopt},
        {"robustness: empty line", u"", 0, std::nullopt},
        {"robustness: caret beyond the line", u"\\ab", 9, CaretCommand{0, 3, u"\\ab"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(CommandAtCaret(row.line, row.col), row.expected);
    }
}

TEST(CommandCompletion, FirstKeywordInListOrderWithEarlyStop) {
    const std::vector<std::string> sorted = {"\\begin", "\\sec", "\\section", "\\subsection",
                                             "\\\xC3\xA4h"};
    struct Row {
        const char* name;
        std::vector<std::string> keywords;
        std::u16string word;
        std::optional<std::string> expected;
    };
    const Row rows[] = {
        {"nominal: the rest of the first match", {"\\section", "\\sectionmark"}, u"\\sec", "tion"},
        {"nominal: a keyword itself adds nothing", sorted, u"\\begin", ""},
        {"nominal: the shorter keyword comes first", sorted, u"\\sec", ""},
        {"nominal: a longer prefix", sorted, u"\\sect", "ion"},
        {"nominal: no keyword begins with it", sorted, u"\\sz", std::nullopt},
        {"nominal: bytes above ASCII sort after letters", sorted, u"\\\u00E4", "h"},
        {"nominal: the walk stops at the first keyword sorting after the word",
         {"\\b", "\\z", "\\section"},
         u"\\sec",
         std::nullopt},
        {"robustness: empty list", {}, u"\\sec", std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(CompletionOf(row.word, row.keywords), row.expected);
    }
}

TEST(CommandCompletion, EnvironmentOpenedByTheLine) {
    struct Row {
        const char* name;
        std::u16string line;
        std::optional<std::u16string> expected;
    };
    const Row rows[] = {
        {"nominal: the name in braces", u"\\begin{itemize}", u"itemize"},
        {"nominal: text around", u"  \\begin{tabular}{ll} % table", u"tabular"},
        {"nominal: the first begin counts", u"\\begin{a}\\begin{b}", u"a"},
        {"nominal: an unclosed name runs to the line end", u"\\begin{equ", u"equ"},
        {"boundary: an empty name", u"\\begin{}", u""},
        {"boundary: nothing after the brace", u"\\begin{", std::nullopt},
        {"robustness: no begin", u"\\end{itemize}", std::nullopt},
        {"robustness: begin without a brace", u"\\begin itemize", std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(EnvironmentToClose(row.line), row.expected);
    }
}

} // namespace
} // namespace orvelt
