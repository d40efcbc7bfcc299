#include "editor/files/SoftBreakRules.h"

#include <gtest/gtest.h>
#include <string>

namespace orvelt {
namespace {

struct Row {
    const char* name;
    std::u16string before; // fed up to the break; "\n" is a hard line end
    std::u16string after;  // the rest of the line
    SoftBreak expected;
};

void RunRows(std::initializer_list<Row> rows) {
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SoftBreakState state;
        state.Feed(std::u16string_view(row.before));
        const std::optional<char32_t> next =
            row.after.empty() ? std::nullopt : std::optional<char32_t>(row.after.front());
        EXPECT_EQ(static_cast<int>(state.BreakHere(next)), static_cast<int>(row.expected));
    }
}

constexpr auto None = SoftBreak::None;
constexpr auto Plain = SoftBreak::Plain;
constexpr auto Comment = SoftBreak::Comment;

TEST(SoftBreakRules, TextAndComments) {
    RunRows({
        {"nominal: between words", u"text ", u"more", Plain},
        {"nominal: inside a comment", u"a % note ", u"more", Comment},
        {"nominal: just before a comment", u"text ", u"% note", Plain},
        {"nominal: an escaped percent sign is no comment", u"50\\% of ", u"it", Plain},
        {"nominal: after a double backslash a percent sign is a comment", u"a\\\\% c ", u"d",
         Comment},
        {"nominal: a hard line end ends the comment", u"% c\nx ", u"y", Plain},
        {"robustness: blanks after the break would be skipped", u"a", u" b", None},
        {"robustness: a tab after the break would be skipped", u"a", u"\tb", None},
        {"robustness: nothing after the break would be an empty line", u"a", u"", None},
        {"robustness: a control character after the break", u"a", u"\x01z", None},
        {"robustness: inside a comment a blank may follow", u"% a", u" b", Comment},
        {"robustness: never between the halves of a surrogate pair", u"% \xD83D", u"\xDE00", None},
    });
}

// A break right after an odd run of backslashes writes "\%%@": TeX prints "%" and the line
// break and the rest of the piece become part of the text.
TEST(SoftBreakRules, NeverAfterAnOddRunOfBackslashes) {
    RunRows({
        {"regression: between the two backslashes of \\\\", u"end\\", u"\\ next", None},
        {"regression: between a backslash and a brace", u"a \\", u"{b\\}", None},
        {"nominal: after two backslashes", u"end\\\\", u"next", Plain},
        {"robustness: after three backslashes", u"x\\\\\\", u"y", None},
        {"robustness: inside a comment too", u"% c \\", u"x", None},
        {"nominal: inside a comment after two", u"% c \\\\", u"x", Comment},
    });
}

TEST(SoftBreakRules, ControlWordsAndCarets) {
    RunRows({
        {"nominal: a blank ends the name", u"\\foo ", u"bar", Plain},
        {"robustness: inside a name the comment would split it", u"\\foo", u"bar", None},
        {"robustness: right after a name", u"\\foo", u"{x}", None},
        {"robustness: a name goes on over @ in packages", u"\\foo@", u"bar", None},
        {"robustness: after a superscript sign", u"x^", u"2", None},
        {"robustness: before a superscript sign", u"x", u"^2", None},
        {"robustness: after ^^ nothing on the line is followed", u"a^^25b cc ", u"d", None},
        {"nominal: ^^ on an earlier line is forgotten", u"a^^25\nb ", u"c", Plain},
        {"nominal: a superscript further back", u"$x^2$ ", u"y", Plain},
    });
}

TEST(SoftBreakRules, VerbAndUrlArguments) {
    RunRows({
        {"nominal: inside \\verb", u"\\verb|a ", u"b|", None},
        {"nominal: inside \\verb*", u"\\verb*|a ", u"b|", None},
        {"nominal: between \\verb and its delimiter", u"\\verb", u"|x|", None},
        {"regression: a percent sign inside \\verb begins no comment", u"\\verb|%| x ", u"y",
         Plain},
        {"nominal: after \\verb* closed", u"\\verb*|x| ", u"y", Plain},
        {"nominal: a longer name is not \\verb", u"\\verbatim x ", u"y", Plain},
        {"nominal: \\verb ends with its line", u"\\verb|a\nx ", u"y", Plain},
        {"robustness: a delimiter beyond ASCII runs to the line's end", u"\\verb\u00E4a\u00E4 ",
         u"b", None},
        {"nominal: inside \\url", u"\\url{a ", u"b}", None},
        {"regression: a percent sign inside \\url begins no comment", u"\\url{a%20b} ", u"c",
         Plain},
        {"nominal: inside nested braces of \\url", u"\\url{a{b}c ", u"d}", None},
        {"nominal: \\url with a delimiter", u"\\url|a ", u"b|", None},
        {"nominal: blanks before the argument", u"\\url {a ", u"b}", None},
        {"nominal: \\url's argument goes on over a line end", u"\\url{a\nb ", u"c}", None},
        {"nominal: inside \\path", u"\\path{a ", u"b}", None},
        {"nominal: inside the first argument of \\href", u"\\href{a%20b ", u"c}{d}", None},
        {"nominal: the second argument of \\href is text", u"\\href{a%20b}{some ", u"text}", Plain},
        {"robustness: an escaped brace does not close \\href's argument", u"\\href{a\\}b ", u"c}",
         None},
    });
}

TEST(SoftBreakRules, VerbatimEnvironmentsSpanLines) {
    RunRows({
        {"nominal: inside verbatim", u"\\begin{verbatim}\nx ", u"y", None},
        {"nominal: on the line of \\begin", u"\\begin{verbatim} x ", u"y", None},
        {"nominal: a percent sign inside is no comment", u"\\begin{Verbatim}\n% x ", u"y", None},
        {"nominal: after \\end", u"\\begin{verbatim}\na\n\\end{verbatim} ", u"y", Plain},
        {"nominal: starred form", u"\\begin{verbatim*}\nx ", u"y", None},
        {"nominal: starred form ends only with its star", u"\\begin{verbatim*}\n\\end{verbatim} ",
         u"y", None},
        {"nominal: options on the line of \\begin", u"\\begin{lstlisting}[language=C]\nx ", u"y",
         None},
        {"nominal: minted, comment, filecontents",
         u"\\begin{minted}{c}\\end{minted}\\begin{comment}\\end{comment}"
         u"\\begin{filecontents*}{a.tex}\nx ",
         u"y", None},
        {"nominal: other environments are text", u"\\begin{itemize}\nx ", u"y", Plain},
        {"nominal: commented out", u"% \\begin{verbatim}\nx ", u"y", Plain},
        {"nominal: only the exact end string ends it", u"\\begin{verbatim}\n\\end {verbatim} ",
         u"y", None},
        {"nominal: blanks before the name's brace", u"\\begin {verbatim}\nx ", u"y", None},
        {"robustness: a comment between \\begin and its argument", u"\\begin%\n{verbatim}\nx ",
         u"y", None},
        {"robustness: inside the name", u"\\begin{verb", u"atim}", None},
        {"robustness: a name longer than any known", u"\\begin{verbatimverbatimverbatimx}\nx ",
         u"y", Plain},
    });
}

} // namespace
} // namespace orvelt
