#include "editor/spell/WordReader.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace orvelt {
namespace {

// Every word the reader finds from the start, as text, empty words left out.
std::vector<std::u16string> Words(std::u16string_view text) {
    std::vector<std::u16string> words;
    for (std::size_t at = 0; at < text.size();) {
        const WordRead read = ReadWord(text, at);
        EXPECT_GT(read.next, at) << "a read that consumes nothing";
        EXPECT_LE(read.next, text.size());
        EXPECT_LE(read.token, read.start);
        EXPECT_LE(read.start, read.end);
        EXPECT_LE(read.end, read.next);
        if (read.next <= at)
            break;
        at = read.next;
        if (!read.Empty())
            words.emplace_back(text.substr(read.start, read.end - read.start));
    }
    return words;
}

TEST(WordReader, FindsTheWordsToLookUp) {
    struct Case {
        const char* name;
        std::u16string text;
        std::vector<std::u16string> words;
    };
    const Case cases[] = {
        {"nominal: plain words", u"Ein Haus steht", {u"Ein", u"Haus", u"steht"}},
        {"nominal: the umlaut notation is part of the word", u"Gr\"u\"se", {u"Gr\"u\"se"}},
        {"nominal: command name and comment are skipped",
         u"\\textbf{Strasse} % Kommentar",
         {u"Strasse"}},
        {"nominal: a trailing hyphen at a line end is dropped",
         u"Haus-\r\nt\u00FCr",
         {u"Haus", u"t\u00FCr"}},
        {"nominal: a hyphenated word is one", u"Haus-T\u00FCr", {u"Haus-T\u00FCr"}},
        {"nominal: words with digits or slashes are never looked up", u"A4 km/h 2024 ok", {u"ok"}},
        {"nominal: one-letter words are read", u"a b", {u"a", u"b"}},
        {"nominal: quotes that start no umlaut are no word", u"``Wort'' \"\" \"1", {u"Wort"}},
        {"nominal: a trailing quote is dropped", u"Wort\" x", {u"Wort", u"x"}},
        {"nominal: a comment ends at the line end", u"% teh\r\nthe", {u"the"}},
        {"nominal: a tab does not end a comment", u"%a\tteh\nthe", {u"the"}},
        {"nominal: a command ends at a stop character", u"\\section*{Titel}", {u"Titel"}},
        // "caf" was reported although the list held café: é stopped the word.
        {"regression: every letter is a letter",
         u"caf\u00E9 \u03BB\u03CC\u03B3\u03BF\u03C2",
         {u"caf\u00E9", u"\u03BB\u03CC\u03B3\u03BF\u03C2"}},
        {"robustness: a combining accent stays with its letter",
         u"cafe\u0301 x",
         {u"cafe\u0301", u"x"}},
        {"robustness: a letter beyond the first plane", u"\U0001D44Eb", {u"\U0001D44Eb"}},
        // A backslash stopped before its stop character, which then began a comment or word.
        {"regression: an escaped percent is no comment", u"50\\% of teh", {u"of", u"teh"}},
        {"regression: a line break command is no command name", u"\\\\Teh", {u"Teh"}},
        {"regression: an escaped quote is no umlaut", u"Gr\\\"u\\ss e", {u"Gr", u"u", u"e"}},
        {"robustness: a backslash at the end", u"ok \\", {u"ok"}},
        {"robustness: a percent sign at the end", u"ok %", {u"ok"}},
        {"robustness: a quote at the end", u"ok \"", {u"ok"}},
        {"robustness: a lone surrogate",
         u"a\xD800"
         u"b",
         {u"a", u"b"}},
        {"robustness: empty", u"", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Words(c.text), c.words);
    }
}

TEST(WordReader, PositionsCountEveryUnit) {
    struct Case {
        const char* name;
        std::u16string text;
        std::size_t from;
        WordRead expected;
    };
    const Case cases[] = {
        {"nominal: a word after blanks", u"  Haus ", 0, {2, 2, 6, 6}},
        {"nominal: trailing marks are consumed but not kept", u"Haus-\" x", 0, {0, 0, 4, 6}},
        {"nominal: a comment up to the CR", u"x % c\r\ny", 1, {2, 5, 5, 5}},
        {"nominal: from the middle of a text", u"ab cd", 2, {3, 3, 5, 5}},
        {"nominal: an unspellable word is empty at its start", u"ab1c d", 0, {0, 0, 0, 4}},
        {"robustness: past the end", u"ab", 7, {2, 2, 2, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const WordRead read = ReadWord(c.text, c.from);
        EXPECT_EQ(read.token, c.expected.token);
        EXPECT_EQ(read.start, c.expected.start);
        EXPECT_EQ(read.end, c.expected.end);
        EXPECT_EQ(read.next, c.expected.next);
    }
}

// A caret inside "recie|ve" started the check at "ve", which was reported.
TEST(WordReader, ACheckStartsAtTheWordThatHoldsTheCaret) {
    struct Case {
        const char* name;
        std::u16string text;
        std::size_t caret;
        std::size_t start;
    };
    const Case cases[] = {
        {"regression: inside a word", u"a recieve b", 6, 2},
        {"nominal: before a word", u"a recieve b", 2, 2},
        {"nominal: after a word", u"a recieve b", 9, 9},
        {"nominal: between words", u"a  b", 2, 2},
        {"nominal: inside a command name", u"x \\textbf{y}", 5, 2},
        {"nominal: inside a comment", u"x % teh", 6, 2},
        {"nominal: a comment on the line before does not reach", u"% c\r\nteh", 6, 5},
        {"nominal: inside the umlaut notation", u"Gr\"u\"se", 3, 0},
        {"robustness: at the end", u"ab", 2, 2},
        {"robustness: past the end", u"ab", 9, 2},
        {"robustness: empty", u"", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CheckStart(c.text, c.caret), c.start);
    }
}

} // namespace
} // namespace orvelt
