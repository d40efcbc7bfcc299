#include "editor/files/SourceWriter.h"

#include <gtest/gtest.h>
#include <random>

namespace orvelt {
namespace {

// What the source window does with a file it opens and saves without a change: each line of
// the file a hard line with its own end, the first end the default.
std::string OpenAndSave(const std::string& bytes, bool asciiOption, bool softBreakMarker) {
    SourceWriteOptions options;
    options.encoding = DetectEncoding(bytes, asciiOption);
    options.lineEnd = DetectLineEnd(bytes);
    options.softBreakMarker = softBreakMarker;
    const std::u16string text = DecodeText(bytes, options.encoding);
    std::vector<SurfaceLine> lines;
    for (const auto& line : SplitLines(std::u16string_view(text))) {
        lines.push_back({line.text, line.end.has_value(), line.end});
    }
    return WriteSource(lines, options).bytes;
}

std::string AllBytes() {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all.push_back(static_cast<char>(b));
    }
    return all;
}

TEST(SourceWriter, UnchangedFileIsWrittenBackByteForByte) {
    struct Row {
        const char* name;
        std::string bytes;
        bool ascii;
    };
    const Row rows[] = {
        {"UTF-8 LF: umlauts, quotes, outside the BMP",
         "\\section{Gr\xC3\xBC\xC3\x9F"
         "e}\n\xE2\x80\x9Eq\xE2\x80\x9C\n\xF0\x9F\x98\x80\n",
         false},
        {"UTF-8 CR LF", "a\r\nb\r\n\r\nc\r\n", false},
        {"UTF-8 with byte-order mark, CR LF",
         "\xEF\xBB\xBF"
         "a\r\n\xC3\xA4\r\n",
         false},
        {"UTF-8 without a final line end", "a\nlast", false},
        {"UTF-8 empty file", "", false},
        {"UTF-8 byte-order mark alone", "\xEF\xBB\xBF", false},
        {"UTF-8 only line ends", "\n\n\n", false},
        {"UTF-8 CR LF file with a lone LF and a lone CR inside", "a\r\nb\nc\rd\r\n", false},
        {"UTF-8 LF file with a CR LF later", "a\nb\r\nc\n", false},
        {"regression: a lone CR file stayed no lone CR file", "a\rb\r\rc", false},
        {"regression: mixed ends were all made the first kind", "a\r\nb\nc\rd\n\r\n", false},
        {"Windows-1252 LF: every byte value", AllBytes() + "\n" + AllBytes(), false},
        {"Windows-1252 CR LF: every byte value", "x\r\n" + AllBytes() + "\r\n", false},
        {"DOS 437 (ASCII on): bytes the tables carry both ways",
         "Gr\x81\xE1"
         "e \x84\x94\x81\r\n\x8E\x99\x9A\r\n",
         true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(OpenAndSave(row.bytes, row.ascii, true), row.bytes);
        EXPECT_EQ(OpenAndSave(row.bytes, row.ascii, false), row.bytes);
    }
}

// Every mix of line ends, with any text between them, comes back byte for byte.
TEST(SourceWriter, UnchangedFileKeepsEveryMixOfLineEnds) {
    const std::string pieces[] = {"\n", "\r\n", "\r",       "a",      " ",    "%",
                                  "\\", "{",    "\xC3\xA4", "\r\r\n", "\n\r", "%%@"};
    std::mt19937 random(1306);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
    std::uniform_int_distribution<int> length(0, 30);
    for (int round = 0; round < 400; ++round) {
        std::string bytes;
        for (int n = length(random); n > 0; --n) {
            bytes += pieces[pick(random)];
        }
        SCOPED_TRACE(testing::PrintToString(bytes));
        EXPECT_EQ(OpenAndSave(bytes, false, false), bytes);
        if (bytes.find("%%@") == std::string::npos) {
            EXPECT_EQ(OpenAndSave(bytes, false, true), bytes) << "saved-breaks mode, no wrap";
        }
    }
}

TEST(SourceWriter, EachHardLineKeepsItsOwnEnd) {
    struct Row {
        const char* name;
        std::vector<SurfaceLine> lines;
        bool marker;
        LineEnd byDefault;
        std::string expected;
    };
    const Row rows[] = {
        {"nominal: soft breaks take the end of their hard line",
         {{u"a", true, LineEnd::CrLf},
          {u"b ", false},
          {u"c", true, LineEnd::Cr},
          {u"d ", false},
          {u"e", false}},
         true,
         LineEnd::Lf,
         "a\r\nb %%@\rc\rd %%@\ne"},
        {"nominal: a line typed here takes the document's default",
         {{u"a", true, LineEnd::Cr}, {u"typed", true}, {u"", false}},
         true,
         LineEnd::CrLf,
         "a\rtyped\r\n"},
        {"nominal: marker off, a wrapped piece ends like its hard line",
         {{u"a ", false}, {u"b", true, LineEnd::Cr}, {u"", false}},
         false,
         LineEnd::Lf,
         "a \rb\r"},
        {"nominal: the extra line after a marker-like end takes the line's end",
         {{u"x %%@", true, LineEnd::CrLf}, {u"y", false}},
         true,
         LineEnd::Lf,
         "x %%@%%@\r\n%\r\ny"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SourceWriteOptions options;
        options.softBreakMarker = row.marker;
        options.lineEnd = row.byDefault;
        EXPECT_EQ(WriteSource(row.lines, options).bytes, row.expected);
    }
}

TEST(SourceWriter, SoftBreaksAndCommentContinuation) {
    struct Row {
        const char* name;
        std::vector<SurfaceLine> lines;
        bool marker;
        std::string expected;
    };
    const Row rows[] = {
        {"nominal: wrapped paragraph gets the marker on each broken line",
         {{u"The quick ", false}, {u"brown fox ", false}, {u"jumps.", true}, {u"", false}},
         true,
         "The quick %%@\nbrown fox %%@\njumps.\n"},
        {"nominal: marker off writes wrapped lines plainly",
         {{u"The quick ", false}, {u"brown fox", true}, {u"", false}},
         false,
         "The quick \nbrown fox\n"},
        {"nominal: the last line gets neither marker nor line end",
         {{u"a", true}, {u"b", false}},
         true,
         "a\nb"},
        {"nominal: a single empty line is an empty file", {{u"", false}}, true, ""},
        {"nominal: no lines at all", {}, true, ""},
        {"comment: a wrap inside a comment continues it with '%'",
         {{u"text % a long ", false}, {u"comment", true}, {u"", false}},
         true,
         "text % a long %%@\n%comment\n"},
        {"comment: over three pieces, every piece stays a comment",
         {{u"a % b ", false}, {u"c ", false}, {u"d", true}, {u"", false}},
         true,
         "a % b %%@\n%c %%@\n%d\n"},
        {"comment: the last line of the document continues a comment too",
         {{u"% x ", false}, {u"y", false}},
         true,
         "% x %%@\n%y"},
        {"comment: a wrap just before a comment keeps the plain form",
         {{u"text ", false}, {u"% comment", true}, {u"", false}},
         true,
         "text %%@\n% comment\n"},
        {"comment: a percent sign as the last character begins the comment",
         {{u"a %", false}, {u"b", true}, {u"", false}},
         true,
         "a %%%@\n%b\n"},
        {"comment: an escaped percent sign is not a comment",
         {{u"50\\% of ", false}, {u"it", true}, {u"", false}},
         true,
         "50\\% of %%@\nit\n"},
        {"comment: a double backslash does not escape",
         {{u"a\\\\% c ", false}, {u"d", true}, {u"", false}},
         true,
         "a\\\\% c %%@\n%d\n"},
        {"regression: a wrap after a backslash keeps the pieces on one line",
         {{u"50\\", false}, {u"% x ", false}, {u"y", true}, {u"", false}},
         true,
         "50\\% x %%@\ny\n"},
        {"comment: a hard break ends the comment",
         {{u"% c", true}, {u"text ", false}, {u"more", true}, {u"", false}},
         true,
         "% c\ntext %%@\nmore\n"},
        {"comment: no continuation without the marker",
         {{u"a % b ", false}, {u"c", true}, {u"", false}},
         false,
         "a % b \nc\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SourceWriteOptions options;
        options.softBreakMarker = row.marker;
        EXPECT_EQ(WriteSource(row.lines, options).bytes, row.expected);
    }
}

// Where a comment would change what TeX reads, the pieces stay one line of the file.
TEST(SourceWriter, SoftBreaksOnlyWhereACommentIsHarmless) {
    struct Row {
        const char* name;
        std::vector<SurfaceLine> lines;
        std::string expected;
    };
    const Row rows[] = {
        {"regression: a wrap between the two backslashes of \\\\ wrote \\%%@",
         {{u"end\\", false}, {u"\\ next", true}, {u"", false}},
         "end\\\\ next\n"},
        {"regression: a wrap between a backslash and a brace lost the brace",
         {{u"a \\", false}, {u"{b\\}", true}, {u"", false}},
         "a \\{b\\}\n"},
        {"nominal: inside \\verb, then a break allowed again",
         {{u"\\verb|a ", false}, {u"b| c ", false}, {u"d", true}, {u"", false}},
         "\\verb|a b| c %%@\nd\n"},
        {"nominal: inside \\url",
         {{u"see \\url{http://x.org/a ", false}, {u"b}", true}, {u"", false}},
         "see \\url{http://x.org/a b}\n"},
        {"regression: the percent sign in \\verb|%| was taken for a comment",
         {{u"\\verb|%| x ", false}, {u"y", true}, {u"", false}},
         "\\verb|%| x %%@\ny\n"},
        {"regression: the percent sign in \\url{..%20..} was taken for a comment",
         {{u"\\url{a%20b} x ", false}, {u"y", true}, {u"", false}},
         "\\url{a%20b} x %%@\ny\n"},
        {"nominal: a verbatim environment over several hard lines",
         {{u"\\begin{verbatim}", true},
          {u"a ", false},
          {u"b", true},
          {u"\\end{verbatim} x ", false},
          {u"y", true},
          {u"", false}},
         "\\begin{verbatim}\na b\n\\end{verbatim} x %%@\ny\n"},
        {"robustness: a break before blanks would lose them",
         {{u"a", false}, {u"  b", true}, {u"", false}},
         "a  b\n"},
        {"robustness: an empty last piece would make an empty line",
         {{u"a ", false}, {u"", true}, {u"b", false}},
         "a \nb"},
        {"robustness: a break inside a control word's name",
         {{u"\\sec", false}, {u"tion{A}", true}, {u"", false}},
         "\\section{A}\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SourceWriteOptions options;
        options.softBreakMarker = true;
        EXPECT_EQ(WriteSource(row.lines, options).bytes, row.expected);
    }
}

// The one text the format cannot hold as it stands: a line of the file whose own text ends in
// "%%@" where a marker could stand reads back joined to the next line. The writer adds one
// soft break into an empty comment piece after it; TeX reads comments either way.
TEST(SourceWriter, LineEndingInWhatReadsAsAMarkerGetsOneMoreLine) {
    struct Row {
        const char* name;
        std::vector<SurfaceLine> lines;
        std::string expected;
    };
    const Row rows[] = {
        {"nominal: a marker of its own at the end of a line",
         {{u"text %%@", true}, {u"next", true}, {u"", false}},
         "text %%@%%@\n%\nnext\n"},
        {"nominal: inside a comment",
         {{u"% c %%@", true}, {u"% next", false}},
         "% c %%@%%@\n%\n% next"},
        {"nominal: after a soft break, only the last file line counts",
         {{u"a ", false}, {u"b%%@", true}, {u"c", false}},
         "a %%@\nb%%@%%@\n%\nc"},
        {"nominal: the last line has no line end to join",
         {{u"a", true}, {u"text %%@", false}},
         "a\ntext %%@"},
        {"nominal: after an escape no marker can stand",
         {{u"50\\%%@", true}, {u"x", false}},
         "50\\%%@\nx"},
        {"nominal: inside \\url no marker can stand",
         {{u"\\url{a%%@", true}, {u"b}", false}},
         "\\url{a%%@\nb}"},
        {"nominal: the marker's first sign continues a comment piece",
         {{u"% a", false}, {u"%%@", true}, {u"x", false}},
         "% a%%@\n%%%@%%@\n%\nx"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SourceWriteOptions options;
        options.softBreakMarker = true;
        EXPECT_EQ(WriteSource(row.lines, options).bytes, row.expected);
        options.softBreakMarker = false;
        EXPECT_EQ(WriteSource(row.lines, options).bytes.find("%%@%%@"), std::string::npos)
            << "only with the marker on";
    }
}

TEST(SourceWriter, LineEndsAndEncodings) {
    struct Row {
        const char* name;
        TextEncoding encoding;
        LineEnd lineEnd;
        std::string expected;
    };
    const std::vector<SurfaceLine> lines = {
        {u"\u00E4 ", false}, {u"\u20AC\u0100", true}, {u"", false}};
    const Row rows[] = {
        {"nominal: UTF-8 with CR LF after the marker", TextEncoding::Utf8, LineEnd::CrLf,
         "\xC3\xA4 %%@\r\n\xE2\x82\xAC\xC4\x80\r\n"},
        {"nominal: UTF-8 with byte-order mark", TextEncoding::Utf8Bom, LineEnd::Lf,
         "\xEF\xBB\xBF\xC3\xA4 %%@\n\xE2\x82\xAC\xC4\x80\n"},
        {"nominal: Windows-1252, a character it cannot hold becomes '?'", TextEncoding::Windows1252,
         LineEnd::Lf, "\xE4 %%@\n\x80?\n"},
        {"nominal: ASCII setting converts through the DOS table", TextEncoding::Dos437,
         LineEnd::CrLf, "\x84 %%@\r\n\x80?\r\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SourceWriteOptions options;
        options.encoding = row.encoding;
        options.lineEnd = row.lineEnd;
        options.softBreakMarker = true;
        EXPECT_EQ(WriteSource(lines, options).bytes, row.expected);
    }
    SourceWriteOptions bom;
    bom.encoding = TextEncoding::Utf8Bom;
    EXPECT_EQ(WriteSource({{u"", false}}, bom).bytes, "\xEF\xBB\xBF");
}

TEST(SourceWriter, BraceDepth) {
    struct Row {
        const char* name;
        std::vector<SurfaceLine> lines;
        int depth;
    };
    const Row rows[] = {
        {"nominal: balanced", {{u"\\textbf{a}", true}, {u"{b}", false}}, 0},
        {"nominal: open group across lines", {{u"\\begin{x}{", true}, {u"", false}}, 1},
        {"nominal: escaped braces count too", {{u"\\{ \\{", false}}, 2},
        {"nominal: braces in comments count too", {{u"% }}}", false}}, -3},
        {"nominal: counted over wrapped pieces", {{u"{a ", false}, {u"{b", false}}, 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(WriteSource(row.lines, SourceWriteOptions{}).braceDepth, row.depth);
    }
}

// A hook's text at the start of a piece that stays on the line before, or that continues a
// comment, would land inside the text or end the comment.
TEST(SourceWriter, LineHookOnlyWhereAFileLineBegins) {
    const std::vector<SurfaceLine> lines = {{u"x ", false},        {u"y ", false},
                                            {u"\\verb|c ", false}, {u"d| % e ", false},
                                            {u"f", true},          {u"", false}};
    SourceWriteOptions options;
    options.softBreakMarker = true;
    options.beforeLine = [](int line, int, std::u16string& out) {
        out.append({u'<', static_cast<char16_t>(u'0' + line), u'>'});
    };
    EXPECT_EQ(WriteSource(lines, options).bytes,
              "<1>x %%@\n<2>y %%@\n<3>\\verb|c d| % e %%@\n%f\n<6>");
}

TEST(SourceWriter, LineHookSeesLineNumberAndDepth) {
    const std::vector<SurfaceLine> lines = {{u"{a", true}, {u"b}", true}, {u"c", false}};
    SourceWriteOptions options;
    std::vector<std::pair<int, int>> seen;
    options.beforeLine = [&seen](int line, int depth, std::u16string& out) {
        seen.emplace_back(line, depth);
        if (depth == 0) {
            out.append({u'<', static_cast<char16_t>(u'0' + line), u'>'});
        }
    };
    EXPECT_EQ(WriteSource(lines, options).bytes, "{a\n<2>b}\n<3>c");
    EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{1, 1}, {2, 0}, {3, 0}}));
}

} // namespace
} // namespace orvelt
