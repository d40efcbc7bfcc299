#include "core/LineEnd.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace orvelt {
namespace {

TEST(LineEnd, TheFirstLineEndDecides) {
    struct Row {
        const char* name;
        const char* bytes;
        LineEnd expected;
    };
    const Row rows[] = {
        {"nominal: LF first", "a\nb\r\n", LineEnd::Lf},
        {"nominal: CR LF first", "a\r\nb\n", LineEnd::CrLf},
        {"nominal: lone CR first", "a\rb\r\n", LineEnd::Cr},
        {"nominal: no line end is LF", "abc", LineEnd::Lf},
        {"nominal: empty is LF", "", LineEnd::Lf},
        {"robustness: a file starting with LF", "\nx", LineEnd::Lf},
        {"robustness: a CR as the very last byte is a lone CR", "abc\r", LineEnd::Cr},
        {"robustness: LF CR is LF then a lone CR", "a\n\rb", LineEnd::Lf},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(DetectLineEnd(row.bytes), row.expected);
    }
}

TEST(LineEnd, SplitLinesKeepsEachLinesOwnEnd) {
    using Line = TextLine<char>;
    struct Row {
        const char* name;
        std::string text;
        std::vector<Line> expected;
    };
    const Row rows[] = {
        {"nominal: one of each kind",
         "a\nb\r\nc\rd",
         {{"a", LineEnd::Lf}, {"b", LineEnd::CrLf}, {"c", LineEnd::Cr}, {"d", std::nullopt}}},
        {"nominal: a final line end leaves an empty last line",
         "a\r\n",
         {{"a", LineEnd::CrLf}, {"", std::nullopt}}},
        {"nominal: empty text is one empty line", "", {{"", std::nullopt}}},
        {"edge: LF CR is two line ends",
         "\n\r",
         {{"", LineEnd::Lf}, {"", LineEnd::Cr}, {"", std::nullopt}}},
        {"edge: CR CR LF is a lone CR, then CR LF",
         "\r\r\n",
         {{"", LineEnd::Cr}, {"", LineEnd::CrLf}, {"", std::nullopt}}},
        {"edge: other control characters stay in the line",
         "a\f\x0b\x85z",
         {{"a\f\x0b\x85z", std::nullopt}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(SplitLines(std::string_view(row.text)), row.expected);
    }
    const auto wide = SplitLines(std::u16string_view(u"\u00E4\r\n\u2028"));
    ASSERT_EQ(wide.size(), 2u);
    EXPECT_EQ(wide[0].text, u"\u00E4");
    EXPECT_EQ(wide[0].end, LineEnd::CrLf);
    EXPECT_EQ(wide[1].text, u"\u2028") << "a line separator is not a line end of the file";
}

// What the import does: the text in random pieces through the folder must give the lines and
// ends that splitting the whole text gives. Pieces cut between a CR and its LF are the case
// that matters.
TEST(LineEnd, FolderAgreesWithSplitLinesHoweverTheTextIsCut) {
    const std::u16string units[] = {u"\r", u"\n", u"\r\n", u"a", u"bc", u"\u00E4", u" "};
    std::mt19937 random(4711);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(units) - 1);
    std::uniform_int_distribution<int> length(0, 16);
    for (int round = 0; round < 500; ++round) {
        std::u16string text;
        for (int n = length(random); n > 0; --n) {
            text += units[pick(random)];
        }
        SCOPED_TRACE(testing::PrintToString(std::string(text.begin(), text.end())));
        std::u16string expectedText;
        std::vector<LineEnd> expectedEnds;
        for (const auto& line : SplitLines(std::u16string_view(text))) {
            expectedText += line.text;
            if (line.end) {
                expectedText += u'\n';
                expectedEnds.push_back(*line.end);
            }
        }
        LineEndFolder folder;
        std::u16string folded;
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t count = std::uniform_int_distribution<std::size_t>(1, 3)(random);
            folder.Append(std::u16string_view(text).substr(at, count), folded);
            at += count;
        }
        EXPECT_EQ(folded, expectedText);
        EXPECT_EQ(folder.Ends(), expectedEnds);
    }
}

} // namespace
} // namespace orvelt
