#include "editor/keys/BraceSearch.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace orvelt {
namespace {

std::optional<LinePoint> Search(const std::vector<std::u16string>& lines, LinePoint brace,
                                int escapeAfter = -1) {
    int asked = 0;
    return FindOpenBrace(
        brace, [&](std::size_t i) { return std::u16string_view(lines.at(i)); },
        [&] { return escapeAfter >= 0 && asked++ >= escapeAfter; });
}

TEST(BraceSearch, FindsTheOpeningBraceOfTheGroup) {
    struct Row {
        const char* name;
        std::vector<std::u16string> lines;
        LinePoint brace;
        std::optional<LinePoint> expected;
    };
    const Row rows[] = {
        {"nominal: the inner group is skipped", {u"{a{b}c}"}, {0, 6}, LinePoint{0, 0}},
        {"nominal: the nearest open group", {u"{a{b}"}, {0, 4}, LinePoint{0, 2}},
        {"nominal: a group opened three lines earlier",
         {u"\\textbf{", u"one", u"two", u"}"},
         {3, 0},
         LinePoint{0, 7}},
        {"nominal: groups closed on earlier lines are skipped",
         {u"{x", u"{y", u"}", u"}"},
         {3, 0},
         LinePoint{0, 0}},
        {"nominal: an escaped brace does not count", {u"{a\\{b}"}, {0, 5}, LinePoint{0, 0}},
        {"nominal: an escaped closing brace does not count", {u"{a\\}b}"}, {0, 5}, LinePoint{0, 0}},
        {"regression: after a line break command \\\\ the brace is real",
         {u"a\\\\{b}"},
         {0, 5},
         LinePoint{0, 3}},
        {"nominal: a brace first on its line counts even after a backslash line end",
         {u"x\\", u"{y}"},
         {1, 2},
         LinePoint{1, 0}},
        {"robustness: no opening brace", {u"abc", u"d}"}, {1, 1}, std::nullopt},
        {"robustness: the brace at the very start has nothing before it",
         {u"}"},
         {0, 0},
         std::nullopt},
        {"robustness: every group closed", {u"{a}", u"{b}}"}, {1, 3}, std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Search(row.lines, row.brace), row.expected);
    }
}

TEST(BraceSearch, EscapeGivesUpBeforeTheNextCharacter) {
    const std::vector<std::u16string> lines = {u"{abc}"};
    EXPECT_EQ(Search(lines, {0, 4}, 3), std::nullopt) << "three characters looked at, then Esc";
    EXPECT_EQ(Search(lines, {0, 4}, 4), (LinePoint{0, 0})) << "Esc too late";
}

TEST(BraceSearch, EscapedMeansAnOddRunOfBackslashes) {
    struct Row {
        const char* name;
        std::u16string line;
        std::size_t offset;
        bool escaped;
    };
    const Row rows[] = {
        {"nominal: one backslash", u"\\}", 1, true},
        {"nominal: two backslashes are a line break", u"\\\\}", 2, false},
        {"nominal: three", u"\\\\\\}", 3, true},
        {"boundary: first in the line", u"}", 0, false},
        {"boundary: offset past the end looks at the line's end", u"a\\", 9, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(IsEscaped(row.line, row.offset), row.escaped);
    }
}

TEST(BraceSearch, DelayIsDecimalMillisecondsWithinTenSeconds) {
    struct Row {
        const char* name;
        const char* text;
        int ms;
    };
    const Row rows[] = {
        {"nominal: the default", "500", 500},
        {"nominal: blanks around", " 20 ", 20},
        {"robustness: empty", "", 0},
        {"robustness: not a number", "fast", 0},
        {"robustness: trailing junk", "5x", 0},
        {"robustness: negative", "-5", 0},
        {"robustness: a typo of many digits freezes nothing for long", "99999999999999999999",
         10'000},
        {"boundary: just over the cap", "10001", 10'000},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(BraceDelayMilliseconds(row.text), row.ms);
    }
}

} // namespace
} // namespace orvelt
