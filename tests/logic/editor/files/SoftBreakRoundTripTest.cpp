#include "WrapPieces.h"
#include "core/CodePage.h"
#include "core/LineEnd.h"
#include "editor/files/SourceWriter.h"
#include "editor/highlight/BlockTokenReader.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace orvelt {
namespace {

std::u16string Joined(const std::vector<HardLine>& lines) {
    std::u16string text;
    for (const HardLine& line : lines) {
        text += line.text;
        if (line.end) {
            const std::string_view eol = LineEndText(*line.end);
            text.append(eol.begin(), eol.end());
        }
    }
    return text;
}

struct ReadBack {
    std::u16string kept;
    std::vector<std::pair<std::size_t, std::size_t>> dropped; // offset and length
};

// The import's path: the file decoded, then read through the block reader, keeping the text
// of every token; what lies between two tokens was dropped.
ReadBack Read(const std::string& bytes, std::size_t blockSize) {
    const std::u16string text = DecodeText(bytes, TextEncoding::Utf8);
    BlockTokenReader<char16_t> reader(BlockTokenReader<char16_t>::FromText(text),
                                      ScanOptions{ScanMode::Source, false, false, true}, blockSize);
    ReadBack result;
    std::size_t expectedAt = 0;
    while (auto token = reader.Next()) {
        if (token->offset != expectedAt) {
            result.dropped.emplace_back(expectedAt, token->offset - expectedAt);
        }
        result.kept += token->text;
        expectedAt = token->offset + token->text.size();
    }
    if (expectedAt != text.size()) {
        result.dropped.emplace_back(expectedAt, text.size() - expectedAt);
    }
    return result;
}

// Writes the lines wrapped at `width` in saved-breaks mode, reads the file back and checks that
// the text is the same and that every dropped part is a marker the writer may write.
void ExpectRoundTrip(const std::vector<HardLine>& lines, std::size_t width, std::size_t blockSize) {
    SourceWriteOptions options;
    options.softBreakMarker = true;
    const std::string bytes = WriteSource(WrapPieces(lines, width), options).bytes;
    SCOPED_TRACE(testing::PrintToString(bytes));
    const ReadBack back = Read(bytes, blockSize);
    EXPECT_EQ(back.kept, Joined(lines));
    const std::u16string file = DecodeText(bytes, TextEncoding::Utf8);
    for (const auto& [offset, length] : back.dropped) {
        const std::u16string_view gone = std::u16string_view(file).substr(offset, length);
        ASSERT_TRUE(gone.starts_with(u"%%@")) << "only markers are dropped";
        std::size_t backslashes = 0;
        while (backslashes < offset && file[offset - backslashes - 1] == u'\\') {
            ++backslashes;
        }
        EXPECT_EQ(backslashes % 2, 0u) << "a marker after an odd run of backslashes at " << offset;
    }
}

// Random lines of TeX over the syntax that decides where a break may stand.
TEST(SoftBreakRoundTrip, RandomTextAndWidthsReadBackUnchanged) {
    std::vector<std::u16string> pieces = {
        u"\\", u"\\\\",   u"{",       u"}",       u"%",   u" ",         u"a",      u"word",
        u"\t", u"@",      u"$",       u"^",       u"%%@", u"\\verb|",   u"|",      u"\\verb*+",
        u"+",  u"\\url{", u"\\path{", u"\\href{", u"%20", u"\\section", u"\u00E4", u"\U0001F600"};
    for (const std::u16string environment : {u"verbatim", u"lstlisting", u"comment"}) {
        pieces.push_back(u"\\begin{" + environment + u"}");
        pieces.push_back(u"\\end{" + environment + u"}");
    }
    const LineEnd ends[] = {LineEnd::Lf, LineEnd::CrLf, LineEnd::Cr};
    std::mt19937 random(20240613);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    std::uniform_int_distribution<std::size_t> pickEnd(0, std::size(ends) - 1);
    std::uniform_int_distribution<int> lineCount(1, 6);
    std::uniform_int_distribution<int> lineLength(0, 8);
    std::uniform_int_distribution<std::size_t> width(1, 12);
    for (int round = 0; round < 3000; ++round) {
        std::vector<HardLine> lines(static_cast<std::size_t>(lineCount(random)));
        for (HardLine& line : lines) {
            for (int n = lineLength(random); n > 0; --n) {
                line.text += pieces[pick(random)];
            }
            line.end = ends[pickEnd(random)];
        }
        if (random() % 2 == 0) {
            lines.back().end.reset();
        }
        ExpectRoundTrip(lines, width(random), round % 2 == 0 ? 7 : 10000);
        if (HasFailure()) {
            return;
        }
    }
}

// The cases that need care, kept in sight.
TEST(SoftBreakRoundTrip, AwkwardLinesReadBackUnchanged) {
    struct Row {
        const char* name;
        std::vector<HardLine> lines;
        std::size_t width;
    };
    const Row rows[] = {
        {"nominal: a comment wrapped over several pieces",
         {{u"text % a long comment", LineEnd::Lf}, {u"next", std::nullopt}},
         4},
        {"nominal: \\verb with a percent sign, then a comment",
         {{u"\\verb|%| and \\url{a%20b} % note", LineEnd::CrLf}, {u"", std::nullopt}},
         3},
        {"nominal: a verbatim environment spanning lines",
         {{u"\\begin{verbatim}", LineEnd::Lf},
          {u"% not a comment %%@", LineEnd::Lf},
          {u"\\end{verbatim} % c", LineEnd::Lf}},
         5},
        {"nominal: a line ending in what reads as a marker comes back whole",
         {{u"text %%@", LineEnd::Lf},
          {u"next", LineEnd::Lf},
          {u"%c %%@", LineEnd::Cr},
          {u"%d", std::nullopt}},
         80},
        {"nominal: the same, wrapped", {{u"a b c %%@", LineEnd::Lf}, {u"x", std::nullopt}}, 2},
        {"robustness: backslash runs at every cut", {{u"\\\\\\ \\\\ \\\\\\\\", LineEnd::Lf}}, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ExpectRoundTrip(row.lines, row.width, 10000);
    }
}

} // namespace
} // namespace orvelt
