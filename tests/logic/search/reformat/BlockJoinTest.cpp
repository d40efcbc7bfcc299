#include "search/reformat/BlockJoin.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace orvelt {
namespace {

// The text with each joined break as a blank.
std::u16string Joined(std::u16string text, std::size_t selectionStart) {
    for (const std::size_t at : BreaksToJoin(text, selectionStart)) {
        text[at] = u' ';
    }
    return text;
}

TEST(BreaksToJoin, JoinsTheSelectedLinesIntoOneParagraph) {
    const struct {
        const char* name;
        std::u16string text;
        std::size_t selectionStart;
        std::u16string expected;
    } rows[] = {
        {"nominal: three lines ending in a break keep the last", u"one\ntwo\nthree\n", 0,
         u"one two three\n"},
        {"nominal: a selection ending inside a line joins every break", u"one\ntwo\nthr", 0,
         u"one two thr"},
        {"nominal: the surface's paragraph separator", u"a\u2029b\u2029", 0, u"a b\u2029"},
        {"nominal: a break before the selection stays", u"before\nin\nsel", 7, u"before\nin sel"},
        {"nominal: a comment line keeps its break", u"text % note\nnext\nlast", 0,
         u"text % note\nnext last"},
        {"nominal: an escaped percent is no comment", u"50\\% off\nnext", 0, u"50\\% off next"},
        {"nominal: a line break command before a percent is one", u"row \\\\% note\nnext", 0,
         u"row \\\\% note\nnext"},
        {"nominal: a comment before the selection start still counts", u"% all\nx", 3, u"% all\nx"},
        {"robustness: an empty selection", u"", 0, u""},
        {"robustness: a break alone ends the selection", u"\n", 0, u"\n"},
        {"robustness: empty lines join too", u"a\n\n\nb", 0, u"a   b"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Joined(row.text, row.selectionStart), row.expected);
    }
}

TEST(BreaksToJoin, ListsTheBreaksInOrder) {
    EXPECT_EQ(BreaksToJoin(u"a\nb\nc", 0), (std::vector<std::size_t>{1, 3}));
}

} // namespace
} // namespace orvelt
