#include "editor/highlight/TokenScanner.h"

#include "core/KeywordTable.h"
#include "editor/highlight/TokenStyle.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace orvelt {
namespace {

// The tokens as "C'\section' B'{' T'A'": each one's kind (T text, C command, K comment, B brace,
// R bracket, M math) and text, with "@offset" before one that does not begin where the last ended.
template <class CharT>
std::string Scanned(std::basic_string_view<CharT> input, ScanOptions options) {
    std::string shown;
    std::size_t at = 0;
    for (const auto& token : ScanText(input, options)) {
        shown += shown.empty() ? "" : " ";
        shown += token.offset == at ? "" : "@" + std::to_string(token.offset) + " ";
        shown += "TKCBRM"[static_cast<int>(token.kind)];
        shown += "'" + std::string(token.text.begin(), token.text.end()) + "'";
        at = token.offset + token.text.size();
    }
    return shown;
}

struct Row {
    const char* name;
    std::string input;
    std::string expected;
};

// The syntax is ASCII, so an ASCII case must scan the same on the surface's UTF-16 text.
void RunRows(const std::vector<Row>& rows, ScanOptions options, bool alsoWide = true) {
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Scanned(std::string_view(row.input), options), row.expected);
        if (alsoWide) {
            const std::u16string wide(row.input.begin(), row.input.end());
            EXPECT_EQ(Scanned(std::u16string_view(wide), options), row.expected) << "UTF-16";
        }
    }
}

const ScanOptions kSource{ScanMode::Source, false, true};
const ScanOptions kSourceBreaks{ScanMode::Source, false, true, true};
const ScanOptions kSourceFiltered{ScanMode::Source, true, true};
const ScanOptions kLine{ScanMode::Line, false, true};

TEST(TokenScanner, Commands) {
    RunRows(
        {
            {"nominal: name of letters", "\\section{A}", "C'\\section' B'{' T'A' B'}'"},
            {"nominal: escaped percent is one command", "100\\% sure % note",
             "T'100' C'\\%' T' sure ' K'% note'"},
            {"nominal: two backslashes are one command, letters after them text", "\\\\alpha",
             "C'\\\\' T'alpha'"},
            {"nominal: digit after backslash", "\\1x", "C'\\1' T'x'"},
            {"nominal: name stops at a digit", "\\alpha2", "C'\\alpha' T'2'"},
            {"nominal: escaped brace", "\\{x", "C'\\{' T'x'"},
            {"edge: backslash at the very end takes nothing", "a\\", "T'a' C'\\'"},
            {"edge: backslash then line end", "\\\nx", "C'\\\n' T'x'"},
            {"edge: commands back to back", "\\a\\b", "C'\\a' C'\\b'"},
        },
        kSource);
}

TEST(TokenScanner, CommandTakesAWholeCharacter) {
    RunRows(
        {
            {"nominal: two-byte UTF-8", "\\\xC3\xA9t", "C'\\\xC3\xA9' T't'"},
            {"nominal: four-byte UTF-8", "\\\xF0\x9F\x98\x80!", "C'\\\xF0\x9F\x98\x80' T'!'"},
            {"robustness: lead byte without continuation", "\\\xC3(", "C'\\\xC3' T'('"},
            {"robustness: sequence cut by the end of input", "\\\xE2\x82", "C'\\\xE2' T'\x82'"},
            {"robustness: overlong form is not one character", "\\\xE0\x80\x80",
             "C'\\\xE0' T'\x80\x80'"},
            {"robustness: stray continuation byte", "\\\x80x", "C'\\\x80' T'x'"},
        },
        kSource, false);
    RunRows({{"nominal: 8-bit code page takes one byte", "\\\xC3\xA9", "C'\\\xC3' T'\xA9'"}},
            ScanOptions{ScanMode::Source, false, false}, false);

    const std::u16string wide = u"\\\U0001F600x\\\xD800y";
    const auto tokens = ScanText(std::u16string_view(wide), kSource);
    ASSERT_EQ(tokens.size(), 4u);
    EXPECT_EQ(tokens[0].text, u"\\\U0001F600") << "both halves of a surrogate pair";
    EXPECT_EQ(tokens[2].text, u"\\\xD800") << "a lone high surrogate is one unit";
    EXPECT_EQ(tokens[3].text, u"y");
}

TEST(TokenScanner, CommentsSingleCharactersAndText) {
    RunRows(
        {
            {"nominal: comment stops before the line end", "% a\tb\r\nx", "K'% a\tb' T'\r\nx'"},
            {"nominal: comment to the end of input", "x%y", "T'x' K'%y'"},
            {"edge: other control characters end a comment", "%a\x01z", "K'%a' T'\x01z'"},
            {"edge: control characters above 13 stay in a comment", "%a\x0Ez", "K'%a\x0Ez'"},
            {"nominal: comment keeps 8-bit bytes", "%\xE4\xFC", "K'%\xE4\xFC'"},
            {"nominal: dollar signs only", "$x^2$", "M'$' T'x^2' M'$'"},
            {"nominal: each bracket and brace alone", "[]{}", "R'[' R']' B'{' B'}'"},
            {"nominal: text runs across lines", "a b\n c$", "T'a b\n c' M'$'"},
            {"edge: empty input", "", ""},
        },
        kSource);
}

TEST(TokenScanner, SourceSpecials) {
    RunRows(
        {
            {"nominal: dropped up to its closing brace", "x\\special{src:12a.tex}y",
             "T'x' @22 T'y'"},
            {"nominal: any character before src", "\\special src}z", "@13 T'z'"},
            {"nominal: other specials stay", "\\special{ps:x}", "C'\\special' B'{' T'ps:x' B'}'"},
            {"nominal: a longer name is another command", "\\specials{src}",
             "C'\\specials' B'{' T'src' B'}'"},
            {"nominal: the form a previewer reads", "\\special{src:12 ch1.tex}Hello",
             "@24 T'Hello'"},
            {"nominal: the form with a space", "\\special{src: 12 ch1.tex}Hello", "@25 T'Hello'"},
            {"nominal: each of two on one line", "\\special{src:1 a}\\special{src:2 a}x",
             "@34 T'x'"},
            // Regression: an unclosed special took all text up to the next "}" or the end of the
            // file with it, and the next save wrote the loss.
            {"regression: unclosed special keeps the rest", "\\special{src:1\nabc}",
             "C'\\special' B'{' T'src:1\nabc' B'}'"},
            {"regression: unclosed special at the end of the input", "\\special{src:1 a.tex",
             "C'\\special' B'{' T'src:1 a.tex'"},
            {"robustness: a CR ends the line too", "\\special{src:1\r}",
             "C'\\special' B'{' T'src:1\r' B'}'"},
            {"robustness: input ends before src could follow", "\\special{sr",
             "C'\\special' B'{' T'sr'"},
        },
        kSourceFiltered);
    // Kept without the setting, and when scanning a line.
    for (const ScanOptions options : {kSource, ScanOptions{ScanMode::Line, true, true}}) {
        RunRows({{"nominal: kept", "\\special{src:1}", "C'\\special' B'{' T'src:1' B'}'"}},
                options);
    }
}

TEST(TokenScanner, SoftBreakMarkers) {
    RunRows(
        {
            {"nominal: marker and LF dropped", "one%%@\ntwo", "T'one' @7 T'two'"},
            {"nominal: marker and CR LF dropped", "one%%@\r\ntwo", "T'one' @8 T'two'"},
            {"nominal: marker after an escaped percent", "50\\%%%@\nx", "T'50' C'\\%' @8 T'x'"},
            {"edge: without a line end it is no marker", "one%%@", "T'one' K'%%@'"},
            {"edge: lone CR line end", "one%%@\rtwo", "T'one' @7 T'two'"},
            {"nominal: marker alone before a real comment drops only the line end",
             "text %%@\n% real", "T'text ' @9 K'% real'"},
            {"nominal: wrap inside a comment joins the pieces", "% a long %%@\n% comment\nx",
             "K'% a long ' @14 K' comment' T'\nx'"},
            {"nominal: wrap inside a comment with CR LF", "% a %%@\r\n%b", "K'% a ' @10 K'b'"},
            {"nominal: comment wrapped twice", "%a%%@\n%b%%@\n%c", "K'%a' @7 K'b' @13 K'c'"},
            {"edge: wrapped piece that is empty", "%a%%@\n%\nx", "K'%a' @7 T'\nx'"},
            {"edge: comment ending in a marker but no percent follows", "% ends %%@\nplain",
             "K'% ends %%@' T'\nplain'"},
            {"edge: comment ending in a marker at the end of input", "% ends %%@", "K'% ends %%@'"},
            {"edge: marker inside a comment, not at its end", "% a %%@ b\nx",
             "K'% a %%@ b' T'\nx'"},
        },
        kSourceBreaks);
    RunRows(
        {
            {"nominal: a line keeps its marker", "one%%@", "T'one' K'%%@'"},
            {"nominal: a line keeps a marker ending a comment", "%a%%@", "K'%a%%@'"},
        },
        kLine);
}

// What the import keeps of a file: the text of every token, in order.
std::string Kept(std::string_view input, ScanOptions options) {
    std::string kept;
    for (const auto& token : ScanText(input, options)) {
        kept += token.text;
    }
    return kept;
}

// A marker is removed exactly where the writer would have written one; anywhere else "%%@" is
// the user's text.
TEST(TokenScanner, SoftBreakMarkersFollowTheWriterRule) {
    struct KeptRow {
        const char* name;
        std::string input;
        std::string kept;
    };
    const KeptRow rows[] = {
        {"regression: after \\verb|%| the marker is no comment's end", "\\verb|%| x %%@\ny",
         "\\verb|%| x y"},
        {"regression: after \\url{..%20..} the marker is no comment's end", "\\url{a%20b} x %%@\ny",
         "\\url{a%20b} x y"},
        {"regression: a wrapped line after \\url{..%20..} kept its \"%\"", "\\url{a%20b} x %%@\n%y",
         "\\url{a%20b} x %y"},
        {"nominal: a comment holding \\verb| is joined", "% c \\verb|x %%@\n%y", "% c \\verb|x y"},
        {"nominal: after two backslashes", "\\\\%%@\nx", "\\\\x"},
        {"nominal: CR LF and a lone CR", "a %%@\r\nb %%@\rc % d %%@\r%e", "a b c % d e"},
        {"nominal: a real comment after the marker keeps its \"%\"", "text %%@\n% real",
         "text % real"},
        {"robustness: inside \\verb it is text", "\\verb|a%%@\nb|", "\\verb|a%%@\nb|"},
        {"robustness: inside \\url it is text", "\\url{a%%@\nb}", "\\url{a%%@\nb}"},
        {"robustness: inside a verbatim environment it is text",
         "\\begin{verbatim}\nx %%@\ny\n% z %%@\n%w\n\\end{verbatim}",
         "\\begin{verbatim}\nx %%@\ny\n% z %%@\n%w\n\\end{verbatim}"},
        {"robustness: after an odd run of backslashes", "\\\\\\%%@\nx", "\\\\\\%%@\nx"},
        {"robustness: a blank after the line end", "a %%@\n b", "a %%@\n b"},
        {"robustness: nothing after the line end", "a %%@\n", "a %%@\n"},
        {"robustness: inside a control word's name", "\\sec%%@\ntion", "\\sec%%@\ntion"},
    };
    for (const KeptRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Kept(row.input, kSourceBreaks), row.kept);
        EXPECT_EQ(Kept(row.input, kSource), row.input) << "off, the file reads as it is";
    }
}

TEST(TokenScanner, ScanLineIsTheLineMode) {
    const auto tokens = ScanLine(u"\\alpha %%@");
    ASSERT_EQ(tokens.size(), 3u);
    EXPECT_EQ(tokens[2].text, u"%%@");
    EXPECT_EQ(tokens[2].kind, TokenKind::Comment);
}

TEST(TokenStyle, StylesAsAPersonSeesThem) {
    const KeywordTable keywords(std::vector<std::string>{"\\alpha", "\\section"});
    struct Row {
        const char* name;
        std::string input;
        std::vector<StyleKind> expected;
    };
    using S = StyleKind;
    const Row rows[] = {
        {"nominal: listed and unlisted commands",
         "\\alpha \\beta",
         {S::TexCommand, S::Text, S::UserCommand}},
        {"nominal: only the dollar signs are mathematics", "$x^2$", {S::Math, S::Text, S::Math}},
        {"nominal: escaped percent then a comment",
         "100\\% sure % note",
         {S::Text, S::UserCommand, S::Text, S::Comment}},
        {"nominal: braces and brackets",
         "\\section[a]{b}",
         {S::TexCommand, S::Bracket, S::Text, S::Bracket, S::Brace, S::Text, S::Brace}},
        {"nominal: a joined comment piece is a comment though it lacks the percent",
         "%a%%@\n%\\alpha",
         {S::Comment, S::Comment}},
        {"robustness: case differs from the list", "\\Alpha", {S::UserCommand}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<StyleKind> styles;
        for (const auto& token : ScanText(std::string_view(row.input), kSourceBreaks)) {
            styles.push_back(TokenStyle(token, keywords));
        }
        EXPECT_EQ(styles, row.expected);
    }
    EXPECT_EQ(StyleOfToken(std::u16string_view(u""), keywords), S::Text);
    EXPECT_EQ(StyleOfToken(std::u16string_view(u"alpha"), keywords), S::Text);
    EXPECT_EQ(StyleOfToken(std::u16string_view(u"\\alpha"), keywords), S::TexCommand);
    EXPECT_EQ(StyleOfToken(std::string_view("\\"), keywords), S::UserCommand);
}

} // namespace
} // namespace orvelt
