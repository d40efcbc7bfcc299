#include "editor/highlight/TypingHighlight.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace orvelt {
namespace {

TEST(TypingHighlight, WhatATypedCharacterRestyles) {
    const KeywordTable keywords(std::vector<std::string>{"\\&", "\\alpha", "\\section"});
    using S = StyleKind;
    struct Row {
        const char* name;
        std::u16string line;
        std::size_t col;
        char32_t c;
        TypingHighlight expected;
    };
    const Row rows[] = {
        {"nominal: a letter only sets text for the insertion", u"\\sec", 4, U't', {}},
        {"nominal: blank after an unlisted command",
         u"\\sec",
         4,
         U' ',
         {0, 4, S::UserCommand, S::Text}},
        {"nominal: blank after a listed command",
         u"x \\section",
         10,
         U' ',
         {2, 8, S::TexCommand, S::Text}},
        {"nominal: two backslashes and letters become one command",
         u"\\\\alpha",
         7,
         U' ',
         {0, 7, S::UserCommand, S::Text}},
        {"nominal: percent at the line start comments the whole line",
         u"abc",
         0,
         U'%',
         {0, 3, S::Comment, S::Comment}},
        {"nominal: percent after a backslash is looked up as one command",
         u"100\\",
         4,
         U'%',
         {3, 1, S::UserCommand, S::UserCommand}},
        {"nominal: backslash and a listed character stay one command",
         u"x \\",
         3,
         U'&',
         {2, 1, S::TexCommand, std::nullopt}},
        {"nominal: brace after a command", u"\\section", 8, U'{', {0, 8, S::TexCommand, S::Brace}},
        {"nominal: dollar after text", u"x", 1, U'$', {0, 1, S::Text, S::Math}},
        {"nominal: blank inside a comment restyles its rest, the blank is text",
         u"% note",
         6,
         U' ',
         {1, 5, S::Comment, S::Text}},
        {"edge: percent on an empty line has nothing to restyle",
         u"",
         0,
         U'%',
         {0, 0, S::Text, S::Comment}},
        {"edge: control characters below 13 only set text", u"\\sec", 4, U'\t', {}},
        {"edge: carriage return restyles the token before it",
         u"\\sec",
         4,
         U'\r',
         {0, 4, S::UserCommand, S::Text}},
        {"edge: a backslash before a character outside the BMP",
         u"\\",
         1,
         U'\U0001F600',
         {0, 1, S::UserCommand, std::nullopt}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const TypingHighlight got = HighlightTypedCharacter(row.line, row.col, row.c, keywords);
        EXPECT_EQ(got.start, row.expected.start);
        EXPECT_EQ(got.count, row.expected.count);
        EXPECT_EQ(got.tokenStyle, row.expected.tokenStyle);
        EXPECT_EQ(got.typedStyle, row.expected.typedStyle);
    }
}

} // namespace
} // namespace orvelt
