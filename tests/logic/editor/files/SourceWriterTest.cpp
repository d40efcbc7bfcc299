#include "editor/files/SourceWriter.h"

#include <gtest/gtest.h>
#include <random>
#include <tuple>

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

// Surface lines written as one text: "^" ends a piece that word wrap broke, "\n" a hard line
// (one the file did not have, so it takes the document's default end); what follows the last of
// them is the last line.
std::vector<SurfaceLine> Pieces(std::u16string_view surface) {
    std::vector<SurfaceLine> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < surface.size(); ++i) {
        if (surface[i] == u'^' || surface[i] == u'\n') {
            lines.push_back({surface.substr(start, i - start), surface[i] == u'\n'});
            start = i + 1;
        }
    }
    lines.push_back({surface.substr(start), false});
    return lines;
}

struct Row {
    const char* name;
    std::u16string surface;
    std::string expected;
    bool marker = true;
};

void RunRows(std::initializer_list<Row> rows) {
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SourceWriteOptions options;
        options.softBreakMarker = row.marker;
        EXPECT_EQ(WriteSource(Pieces(row.surface), options).bytes, row.expected);
    }
}

TEST(SourceWriter, SoftBreaksAndCommentContinuation) {
    RunRows({
        {"nominal: wrapped paragraph gets the marker on each broken line",
         u"The quick ^brown fox ^jumps.\n", "The quick %%@\nbrown fox %%@\njumps.\n"},
        {"nominal: marker off writes wrapped lines plainly", u"The quick ^brown fox\n",
         "The quick \nbrown fox\n", false},
        {"nominal: the last line gets neither marker nor line end", u"a\nb", "a\nb"},
        {"nominal: a single empty line is an empty file", u"", ""},
        {"comment: a wrap inside a comment continues it with '%'", u"text % a long ^comment\n",
         "text % a long %%@\n%comment\n"},
        {"comment: over three pieces, every piece stays a comment", u"a % b ^c ^d\n",
         "a % b %%@\n%c %%@\n%d\n"},
        {"comment: the last line of the document continues a comment too", u"% x ^y",
         "% x %%@\n%y"},
        {"comment: a wrap just before a comment keeps the plain form", u"text ^% comment\n",
         "text %%@\n% comment\n"},
        {"comment: a percent sign as the last character begins the comment", u"a %^b\n",
         "a %%%@\n%b\n"},
        {"comment: an escaped percent sign is not a comment", u"50\\% of ^it\n",
         "50\\% of %%@\nit\n"},
        {"comment: a double backslash does not escape", u"a\\\\% c ^d\n", "a\\\\% c %%@\n%d\n"},
        {"regression: a wrap after a backslash keeps the pieces on one line", u"50\\^% x ^y\n",
         "50\\% x %%@\ny\n"},
        {"comment: a hard break ends the comment", u"% c\ntext ^more\n", "% c\ntext %%@\nmore\n"},
        {"comment: no continuation without the marker", u"a % b ^c\n", "a % b \nc\n", false},
    });
    SourceWriteOptions marker;
    marker.softBreakMarker = true;
    EXPECT_EQ(WriteSource({}, marker).bytes, "") << "no lines at all";
}

// Where a comment would change what TeX reads, the pieces stay one line of the file.
TEST(SourceWriter, SoftBreaksOnlyWhereACommentIsHarmless) {
    RunRows({
        {"regression: a wrap between the two backslashes of \\\\ wrote \\%%@", u"end\\^\\ next\n",
         "end\\\\ next\n"},
        {"regression: a wrap between a backslash and a brace lost the brace", u"a \\^{b\\}\n",
         "a \\{b\\}\n"},
        {"nominal: inside \\verb, then a break allowed again", u"\\verb|a ^b| c ^d\n",
         "\\verb|a b| c %%@\nd\n"},
        {"nominal: inside \\url", u"see \\url{http://x.org/a ^b}\n",
         "see \\url{http://x.org/a b}\n"},
        {"regression: the percent sign in \\verb|%| was taken for a comment", u"\\verb|%| x ^y\n",
         "\\verb|%| x %%@\ny\n"},
        {"regression: the percent sign in \\url{..%20..} was taken for a comment",
         u"\\url{a%20b} x ^y\n", "\\url{a%20b} x %%@\ny\n"},
        {"nominal: a verbatim environment over several hard lines",
         u"\\begin{verbatim}\na ^b\n\\end{verbatim} x ^y\n",
         "\\begin{verbatim}\na b\n\\end{verbatim} x %%@\ny\n"},
        {"robustness: a break before blanks would lose them", u"a^  b\n", "a  b\n"},
        {"robustness: an empty last piece would make an empty line", u"a ^\nb", "a \nb"},
        {"robustness: a break inside a control word's name", u"\\sec^tion{A}\n", "\\section{A}\n"},
    });
}

// The one text the format cannot hold as it stands: a line of the file whose own text ends in
// "%%@" where a marker could stand reads back joined to the next line. The writer adds one
// soft break into an empty comment piece after it; TeX reads comments either way.
TEST(SourceWriter, LineEndingInWhatReadsAsAMarkerGetsOneMoreLine) {
    const std::initializer_list<Row> rows = {
        {"nominal: a marker of its own at the end of a line", u"text %%@\nnext\n",
         "text %%@%%@\n%\nnext\n"},
        {"nominal: inside a comment", u"% c %%@\n% next", "% c %%@%%@\n%\n% next"},
        {"nominal: after a soft break, only the last file line counts", u"a ^b%%@\nc",
         "a %%@\nb%%@%%@\n%\nc"},
        {"nominal: the last line has no line end to join", u"a\ntext %%@", "a\ntext %%@"},
        {"nominal: after an escape no marker can stand", u"50\\%%@\nx", "50\\%%@\nx"},
        {"nominal: inside \\url no marker can stand", u"\\url{a%%@\nb}", "\\url{a%%@\nb}"},
        {"nominal: the marker's first sign continues a comment piece", u"% a^%%@\nx",
         "% a%%@\n%%%@%%@\n%\nx"},
    };
    RunRows(rows);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(WriteSource(Pieces(row.surface), SourceWriteOptions{}).bytes.find("%%@%%@"),
                  std::string::npos)
            << "only with the marker on";
    }
}

TEST(SourceWriter, LineEndsAndEncodings) {
    struct EncodingRow {
        const char* name;
        TextEncoding encoding;
        LineEnd lineEnd;
        std::string expected;
    };
    const EncodingRow rows[] = {
        {"nominal: UTF-8 with CR LF after the marker", TextEncoding::Utf8, LineEnd::CrLf,
         "\xC3\xA4 %%@\r\n\xE2\x82\xAC\xC4\x80\r\n"},
        {"nominal: UTF-8 with byte-order mark", TextEncoding::Utf8Bom, LineEnd::Lf,
         "\xEF\xBB\xBF\xC3\xA4 %%@\n\xE2\x82\xAC\xC4\x80\n"},
        {"nominal: Windows-1252, a character it cannot hold becomes '?'", TextEncoding::Windows1252,
         LineEnd::Lf, "\xE4 %%@\n\x80?\n"},
        {"nominal: ASCII setting converts through the DOS table", TextEncoding::Dos437,
         LineEnd::CrLf, "\x84 %%@\r\n\x80?\r\n"},
    };
    for (const EncodingRow& row : rows) {
        SCOPED_TRACE(row.name);
        SourceWriteOptions options;
        options.encoding = row.encoding;
        options.lineEnd = row.lineEnd;
        options.softBreakMarker = true;
        EXPECT_EQ(WriteSource(Pieces(u"\u00E4 ^\u20AC\u0100\n"), options).bytes, row.expected);
    }
    SourceWriteOptions bom;
    bom.encoding = TextEncoding::Utf8Bom;
    EXPECT_EQ(WriteSource(Pieces(u""), bom).bytes, "\xEF\xBB\xBF");
}

TEST(SourceWriter, BraceDepth) {
    struct DepthRow {
        const char* name;
        std::u16string surface;
        int depth;
    };
    const DepthRow rows[] = {
        {"nominal: balanced", u"\\textbf{a}\n{b}", 0},
        {"nominal: open group across lines", u"\\begin{x}{\n", 1},
        {"nominal: escaped braces count too", u"\\{ \\{", 2},
        {"nominal: braces in comments count too", u"% }}}", -3},
        {"nominal: counted over wrapped pieces", u"{a ^{b", 2},
    };
    for (const DepthRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(WriteSource(Pieces(row.surface), SourceWriteOptions{}).braceDepth, row.depth);
    }
}

// A hook's text at the start of a piece that stays on the line before, or that continues a
// comment, would land inside the text or end the comment.
TEST(SourceWriter, LineHookOnlyWhereAFileLineBegins) {
    SourceWriteOptions options;
    options.softBreakMarker = true;
    std::vector<bool> markers;
    options.beforeLine = [&markers](const SourceLineStart& line, std::u16string& out) {
        markers.push_back(line.afterMarker);
        out.append({u'<', static_cast<char16_t>(u'0' + line.number), u'>'});
    };
    EXPECT_EQ(WriteSource(Pieces(u"x ^y ^\\verb|c ^d| % e ^f\n"), options).bytes,
              "<1>x %%@\n<2>y %%@\n<3>\\verb|c d| % e %%@\n%f\n<6>");
    EXPECT_EQ(markers, (std::vector<bool>{false, true, true, false, true, false}));
}

TEST(SourceWriter, LineHookSeesEveryLineWithDepthBeforeAndAfter) {
    SourceWriteOptions options;
    std::vector<std::tuple<int, std::u16string, int, int>> seen;
    options.beforeLine = [&seen](const SourceLineStart& line, std::u16string& out) {
        seen.emplace_back(line.number, line.text, line.braceDepthBefore, line.braceDepthAfter);
        if (line.braceDepthBefore == 0) {
            out.append({u'<', static_cast<char16_t>(u'0' + line.number), u'>'});
        }
    };
    EXPECT_EQ(WriteSource(Pieces(u"{a\nb}\nc"), options).bytes, "<1>{a\nb}\n<3>c");
    EXPECT_EQ(seen, (std::vector<std::tuple<int, std::u16string, int, int>>{
                        {1, u"{a", 0, 1}, {2, u"b}", 1, 0}, {3, u"c", 0, 0}}));
}

} // namespace
} // namespace orvelt
