#include "core/CodePage.h"
#include "toolchain/log/LogParser.h"

#include <climits>
#include <gtest/gtest.h>

namespace orvelt {
namespace {

using Kind = LineNumber::Kind;

TEST(LogText, ReadsTheNumberFromFirstToLastDigit) {
    const struct {
        const char* name;
        const char* text;
        Kind kind;
        int value;
    } cases[] = {
        {"nominal", "42", Kind::Number, 42},
        {"text around the digits", "l.42 x", Kind::Number, 42},
        {"leading zeros", "007", Kind::Number, 7},
        {"no digit", "", Kind::NoDigit, 0},
        {"no ASCII digit", "x \xd9\xa3", Kind::NoDigit, 0},
        {"a range is not a number", "1-2", Kind::NotANumber, 0},
        {"the largest int", "2147483647", Kind::Number, INT_MAX},
        // A damaged log's digit run wrapped negative.
        {"regression: beyond an int is the largest int", "2147483648", Kind::Number, INT_MAX},
        {"far beyond an int", "99999999999999999999", Kind::Number, INT_MAX},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const LineNumber number = ExtractLineNumber(c.text);
        EXPECT_EQ(number.kind, c.kind);
        EXPECT_EQ(number.value, c.value);
    }
}

TEST(LogText, NamesTheLogBesideTheSource) {
    const struct {
        const char* name;
        const char* source;
        bool bibliography;
        const char* log;
    } cases[] = {
        {"nominal: lower case as TeX writes it", "/home/ann/Paper.TEX", false,
         "/home/ann/Paper.log"},
        {"a bibliography's BibTeX log", "/home/ann/paper.tex", true, "/home/ann/paper.blg"},
        {"only the last full stop", "my.paper.tex", false, "my.paper.log"},
        // The log of /home/ann/v1.2/notes was read from /home/ann/v1.log.
        {"regression: a full stop in a folder", "/home/ann/v1.2/notes", false,
         "/home/ann/v1.2/notes.log"},
        {"an untitled window names no file", "", false, ".log"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(LogFileName(c.source, c.bibliography), c.log);
    }
}

TEST(LogText, MovesABreakOutOfTheCharacterItSplits) {
    const struct {
        const char* name;
        std::string log;
        std::string mended;
    } cases[] = {
        {"nominal: two bytes", "M\xc3\n\xb6ller", "M\xc3\xb6\nller"},
        {"CR LF", "\xc3\r\n\xb6x", "\xc3\xb6\r\nx"},
        {"three bytes, cut after one", "\xe2\n\x82\xac.", "\xe2\x82\xac\n."},
        {"three bytes, cut after two", "\xe2\x82\n\xac", "\xe2\x82\xac\n"},
        {"four bytes", "\xf0\x9f\n\x98\x80", "\xf0\x9f\x98\x80\n"},
        {"whole characters stay", "\xc3\xb6\n\xc3\xb6", "\xc3\xb6\n\xc3\xb6"},
        {"Windows-1252 stays", "M\xfc\n\xb6ller\xe4\n", "M\xfc\n\xb6ller\xe4\n"},
        {"no character when joined", "\xc3\n(\xe0\n\x80\x80\xed\n\xa0\x80",
         "\xc3\n(\xe0\n\x80\x80\xed\n\xa0\x80"},
        {"a lone CR is not a wrap", "\xc3\r\xb6", "\xc3\r\xb6"},
        {"two breaks", "\xe2\n\x82\n\xac", "\xe2\n\x82\n\xac"},
        {"a first byte at the end", "x\xc3\n", "x\xc3\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(MendWrappedCharacters(c.log), c.mended);
    }
}

TEST(LogText, MendsALogWrappedAt79Bytes) {
    std::string text = "x";
    while (text.size() < 1000) {
        text += "\xc3\xb6\xe2\x82\xac\xf0\x9f\x98\x80";
    }
    std::string log;
    for (std::size_t at = 0; at < text.size(); at += 79) {
        log.append(text, at, 79).append("\n");
    }
    ASSERT_FALSE(IsValidUtf8(log));
    std::string mended = MendWrappedCharacters(log);
    EXPECT_TRUE(IsValidUtf8(mended));
    EXPECT_EQ(std::erase(mended, '\n'), std::erase(log, '\n'));
    EXPECT_EQ(mended, text);
}

} // namespace
} // namespace orvelt
