#include "editor/highlight/CaretToken.h"

#include <gtest/gtest.h>
#include <string>

namespace orvelt {
namespace {

TEST(CaretToken, TokenBeforeTheTypedCharacter) {
    struct Row {
        const char* name;
        std::u16string line;
        std::size_t col;
        char32_t typed;
        CaretToken expected;
    };
    const Row rows[] = {
        {"nominal: % at the line start comments the line", u"abc def", 0, U'%', {0, 8, true}},
        {"nominal: % after a backslash makes one command", u"100\\", 4, U'%', {3, 2, false}},
        {"nominal: % after a word comments the rest", u"ab cd", 2, U'%', {2, 4, true}},
        {"nominal: % at the line end, nothing to restyle", u"ab", 2, U'%', {2, 1, true}},
        {"edge: % after a first-column backslash, no escape", u"\\x", 1, U'%', {1, 2, true}},
        {"edge: % on an empty line", u"", 0, U'%', {0, 1, true}},
        {"robustness: % with col beyond the line", u"ab\\", 9, U'%', {2, 2, false}},
        {"nominal: word before the caret", u"hello world", 11, U' ', {6, 6, false}},
        {"nominal: command before the caret", u"a \\sec", 6, U' ', {2, 5, false}},
        {"nominal: two backslashes and letters: one command", u"\\\\alpha", 7, U' ', {0, 8, false}},
        {"nominal: three backslashes, two join the letters", u"x\\\\\\ab", 6, U' ', {2, 5, false}},
        {"nominal: double quotes inside a word", u"Gr\"u\"se", 7, U' ', {0, 8, false}},
        {"nominal: backslash alone before the caret", u"x \\", 3, U' ', {2, 2, false}},
        {"nominal: a word in a comment: the rest", u"x % hello there", 9, U' ', {3, 13, true}},
        {"nominal: escaped percent earlier is no comment", u"50\\% off", 8, U' ', {5, 4, false}},
        {"edge: caret inside a word: the part before it", u"hello world", 3, U' ', {0, 4, false}},
        {"edge: non-letter before the caret restyles nothing", u"a+", 2, U' ', {2, 1, false}},
        {"edge: col 0 restyles nothing", u"abc", 0, U' ', {0, 0, false}},
        {"edge: empty line", u"", 0, U' ', {0, 0, false}},
        {"edge: comment sign first in the line", u"%abc", 4, U' ', {0, 5, true}},
        {"robustness: col beyond the line counts as its end", u"ab", 5, U' ', {0, 3, false}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(TokenBeforeCaret(row.line, row.col, row.typed), row.expected);
    }
}

TEST(CaretToken, InComment) {
    struct Row {
        const char* name;
        std::u16string line;
        std::size_t p;
        bool expected;
    };
    const Row rows[] = {
        {"nominal: after a percent sign", u"a % b", 4, true},
        {"nominal: percent sign first in the line", u"% a", 1, true},
        {"nominal: escaped percent", u"a\\%b", 4, false},
        {"edge: the percent sign at p itself is not before p", u"a%b", 1, false},
        {"edge: p = 0 has nothing before it", u"%", 0, false},
        {"edge: only the nearest percent sign is looked at", u"a%b\\%c", 6, false},
        {"edge: a percent after two backslashes still counts as escaped", u"\\\\%", 3, false},
        {"edge: no percent sign", u"abc", 3, false},
        {"edge: empty line", u"", 0, false},
        {"robustness: p beyond the line", u"x%", 10, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(InComment(row.line, row.p), row.expected);
    }
}

} // namespace
} // namespace orvelt
