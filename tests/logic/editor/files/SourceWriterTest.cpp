#include "editor/files/SourceWriter.h"

#include <gtest/gtest.h>

namespace orvelt {
namespace {

// The surface's lines of a text with word wrap off: split at every line end, each line ending
// in a hard break except the last, which is empty when the text ends with a line end.
std::vector<SurfaceLine> HardLines(std::u16string_view text, std::u16string_view lineEnd) {
    std::vector<SurfaceLine> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(lineEnd, start)) != std::u16string_view::npos;
         start = end + lineEnd.size()) {
        lines.push_back({text.substr(start, end - start), true});
    }
    lines.push_back({text.substr(start), false});
    return lines;
}

// What the source window does with a file it opens and saves without a change.
std::string OpenAndSave(const std::string& bytes, bool asciiOption, bool softBreakMarker) {
    SourceWriteOptions options;
    options.encoding = DetectEncoding(bytes, asciiOption);
    options.lineEnd = DetectLineEnd(bytes);
    options.softBreakMarker = softBreakMarker;
    const std::u16string text = DecodeText(bytes, options.encoding);
    const std::string_view eol = LineEndText(options.lineEnd);
    const std::u16string lineEnd(eol.begin(), eol.end());
    return WriteSource(HardLines(text, lineEnd), options).bytes;
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
        {"comment: an escape split by the wrap still escapes",
         {{u"50\\", false}, {u"% x ", false}, {u"y", true}, {u"", false}},
         true,
         "50\\%%@\n% x %%@\ny\n"},
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
