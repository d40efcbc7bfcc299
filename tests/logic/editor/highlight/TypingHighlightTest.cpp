#include "editor/highlight/TypingHighlight.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace orvelt {
namespace {

TEST(TypingHighlight, WhatATypedCharacterRestyles) {
    const KeywordTable keywords(std::vector<std::string>{"\\&", "\\alpha", "\\section"});
    constexpr auto Txt = StyleKind::Text;
    constexpr auto Tex = StyleKind::TexCommand;
    constexpr auto User = StyleKind::UserCommand;
    constexpr auto Rem = StyleKind::Comment;
    struct Row {
        const char* name;
        std::u16string line;
        std::size_t col;
        char32_t c;
        std::size_t start; // what is restyled, and how
        std::size_t count;
        StyleKind token;
        std::optional<StyleKind> typed;
    };
    const Row rows[] = {
        {"nominal: a letter only sets text for the insertion", u"\\sec", 4, U't', 0, 0, Txt, Txt},
        {"nominal: blank after an unlisted command", u"\\sec", 4, U' ', 0, 4, User, Txt},
        {"nominal: blank after a listed command", u"x \\section", 10, U' ', 2, 8, Tex, Txt},
        {"nominal: two backslashes and letters become one command", u"\\\\alpha", 7, U' ', 0, 7,
         User, Txt},
        {"nominal: percent at the line start comments the whole line", u"abc", 0, U'%', 0, 3, Rem,
         Rem},
        {"nominal: percent after a backslash is looked up as one command", u"100\\", 4, U'%', 3, 1,
         User, User},
        {"nominal: backslash and a listed character stay one command", u"x \\", 3, U'&', 2, 1, Tex,
         std::nullopt},
        {"nominal: brace after a command", u"\\section", 8, U'{', 0, 8, Tex, StyleKind::Brace},
        {"nominal: dollar after text", u"x", 1, U'$', 0, 1, Txt, StyleKind::Math},
        {"nominal: blank inside a comment restyles its rest, the blank is text", u"% note", 6, U' ',
         1, 5, Rem, Txt},
        {"edge: percent on an empty line has nothing to restyle", u"", 0, U'%', 0, 0, Txt, Rem},
        {"edge: control characters below 13 only set text", u"\\sec", 4, U'\t', 0, 0, Txt, Txt},
        {"edge: carriage return restyles the token before it", u"\\sec", 4, U'\r', 0, 4, User, Txt},
        {"edge: a backslash before a character outside the BMP", u"\\", 1, U'\U0001F600', 0, 1,
         User, std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const TypingHighlight got = HighlightTypedCharacter(row.line, row.col, row.c, keywords);
        EXPECT_EQ(got.start, row.start);
        EXPECT_EQ(got.count, row.count);
        EXPECT_EQ(got.tokenStyle, row.token);
        EXPECT_EQ(got.typedStyle, row.typed);
    }
}

} // namespace
} // namespace orvelt
