#include "editor/files/RtfCodec.h"

#include "TestFiles.h"

#include <gtest/gtest.h>
#include <random>

namespace orvelt {

void PrintTo(const HighlightStyle& style, std::ostream* os) {
    *os << '"' << style.face << "\" " << style.size << "pt colour " << style.color << " styles "
        << style.styles;
}

namespace {

// What a read-back must equal: empty runs dropped, neighbours of equal style merged, colours
// as their 24 bits.
StyledText Normalized(const StyledText& runs) {
    StyledText out;
    for (StyledRun run : runs) {
        run.style.color &= 0xFFFFFF;
        run.style.styles &= kBold | kItalic | kUnderline | kStrikeOut;
        if (run.text.empty()) {
            continue;
        }
        if (!out.empty() && out.back().style == run.style) {
            out.back().text += run.text;
        } else {
            out.push_back(std::move(run));
        }
    }
    return out;
}

void ExpectRuns(const StyledText& got, const StyledText& expected) {
    ASSERT_EQ(got.size(), expected.size());
    for (std::size_t k = 0; k < expected.size(); ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(got[k].style, expected[k].style);
        EXPECT_TRUE(got[k].text == expected[k].text);
    }
}

// Writes, reads back and insists the read-back succeeded and restored everything.
void ExpectRoundTrip(const StyledText& runs) {
    const RtfReadResult back = ReadRtf(WriteRtf(runs));
    ASSERT_TRUE(back.ok) << back.error << " at byte " << back.errorOffset;
    EXPECT_TRUE(back.error.empty());
    ExpectRuns(back.runs, Normalized(runs));
}

HighlightStyle Style(std::string face, int size, std::uint32_t color, unsigned styles) {
    return HighlightStyle{std::move(face), size, color, styles};
}

std::u16string PlainText(const StyledText& runs) {
    std::u16string text;
    for (const StyledRun& run : runs) {
        text += run.text;
    }
    return text;
}

TEST(RtfCodec, RoundTripOfChosenCases) {
    struct Row {
        const char* name;
        StyledText runs;
    };
    const HighlightStyle text = Style("Courier New", 10, 0, 0);
    const Row rows[] = {
        {"nominal: empty document", {}},
        {"nominal: characters RTF reserves", {{u"\\section{A} {}\\\\", text}}},
        {"nominal: paragraphs, tabs and blank lines", {{u"one\n\ttwo\n\n\nthree\n", text}}},
        {"nominal: a space right after a paragraph or format change",
         {{u"a\n b", text}, {u" c", Style("Arial", 12, 0xFF, kBold)}}},
        {"nominal: every style bit on and off again",
         {{u"a", Style("Arial", 10, 0, kBold | kItalic | kUnderline | kStrikeOut)},
          {u"b", text},
          {u"c", Style("Arial", 10, 0, kUnderline)}}},
        {"nominal: Latin-1, typographic quotes and a character outside the BMP",
         {{u"\u00E4\u00DF \u201Eq\u201C \U0001F600 \u20AC", text}}},
        {"nominal: digits and '?' after a Unicode escape", {{u"\u00E41?\u00E4?", text}}},
        {"nominal: faces with reserved characters and umlauts",
         {{u"x", Style("Times;New{Roman}\\", 11, 0x123456, 0)},
          {u"y", Style("Schrift \xC3\xA4", 9, 0, kItalic)}}},
        {"nominal: odd sizes, size zero and negative sizes survive",
         {{u"a", Style("Arial", 1, 0, 0)},
          {u"b", Style("Arial", 0, 0, 0)},
          {u"c", Style("Arial", -3, 0, 0)},
          {u"d", Style("Arial", 1637, 0, 0)}}},
        {"nominal: black, white and colour neighbours",
         {{u"a", Style("Arial", 10, 0, 0)},
          {u"b", Style("Arial", 10, 0xFFFFFF, 0)},
          {u"c", Style("Arial", 10, 0x010203, 0)}}},
        {"nominal: empty runs and equal neighbours", {{u"", text}, {u"a", text}, {u"b", text}}},
        {"robustness: control characters and carriage returns",
         {{std::u16string(u"a\r\x01\x1F\x7F", 5) + std::u16string(1, u'\0') + u"z", text}}},
        {"robustness: lone surrogates",
         {{std::u16string{u'a', char16_t(0xD800), u'b', char16_t(0xDFFF)}, text}}},
        {"robustness: an empty face", {{u"x", Style("", 10, 0, 0)}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ExpectRoundTrip(row.runs);
    }
}

TEST(RtfCodec, RoundTripOfRandomStyledRuns) {
    std::mt19937 random(20240517);
    const std::string faces[] = {"Courier New", "Times New Roman", "Arial", "Liberation Mono",
                                 "Gr\xC3\xBC\xC3\x9F;e"};
    const std::u16string alphabet =
        u"abcXYZ 019\\{}%$;?\t\n\r\u00E4\u00F6\u00DF\u20AC\u201C\u4E2D\u0410\uFFFD\uFEFF";
    for (int trial = 0; trial < 200; ++trial) {
        SCOPED_TRACE(trial);
        StyledText runs(std::uniform_int_distribution<int>(0, 30)(random));
        for (StyledRun& run : runs) {
            run.style.face = faces[random() % std::size(faces)];
            run.style.size = std::uniform_int_distribution<int>(1, 72)(random);
            run.style.color = static_cast<std::uint32_t>(random());
            run.style.styles = static_cast<unsigned>(random() % 16);
            const int length = std::uniform_int_distribution<int>(0, 12)(random);
            for (int i = 0; i < length; ++i) {
                if (random() % 10 == 0) {
                    const char32_t c = 0x10000 + random() % 0x100000;
                    run.text.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
                    run.text.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
                } else {
                    run.text.push_back(alphabet[random() % alphabet.size()]);
                }
            }
        }
        ExpectRoundTrip(runs);
    }
}

TEST(RtfCodec, MatchesTheGoldenSidecar) {
    const StyledText runs = {
        {u"\\section{Gr\u00FC\u00DFe}", Style("Courier New", 10, 0xFF0000, kBold)},
        {u" % \u201Equoted\u201C\n\tnext", Style("Courier New", 10, 0x008000, kItalic)},
    };
    const std::string golden = testing::ReadFile(ORVELT_TEST_DATA "/editor/golden.orv");
    ASSERT_FALSE(golden.empty()) << "missing golden file";
    EXPECT_EQ(WriteRtf(runs), golden);
    ExpectRoundTrip(runs);
}

// RTF as other programs write it, typed by hand in their manner, and control words that no
// program should write.
TEST(RtfCodec, ReadsOtherProgramsTextAndAwkwardControlWords) {
    struct Row {
        const char* name;
        std::string rtf;
        std::u16string text;
        bool ok = true;
    };
    const Row rows[] = {
        {"word processor: header tables, generator and info skipped",
         "{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat\\deflang1031{\\fonttbl{\\f0\\fnil"
         "\\fcharset0 Calibri;}{\\f1\\froman\\fprq2 Times New Roman{\\*\\falt Times};}}\r\n"
         "{\\colortbl ;\\red255\\green0\\blue0;}\r\n{\\stylesheet{\\s0 Normal;}}"
         "{\\info{\\author Someone}{\\title A title}}"
         "{\\*\\generator Riched20 10.0.19041}\\viewkind4\\uc1 \r\n"
         "\\pard\\sa200\\sl276\\slmult1\\f0\\fs22\\lang7 Gr\\'fc\\'dfe \\cf1 rot\\cf0\\par\r\n"
         "Zweite\\tab Zeile\\par\r\n}\r\n" +
             std::string(3, '\0'),
         u"Gr\u00FC\u00DFe rot\nZweite\tZeile\n"},
        {"word processor: Unicode with a hex fallback and a two-character fallback",
         "{\\rtf1\\ansi\\uc1 \\u8220\\'93quoted\\u8221\\'94 {\\uc2 \\u8364\\'80\\'80 x}"
         "\\u-10179?\\u-8704?}",
         u"\u201Cquoted\u201D \u20AC x\U0001F600"},
        {"word processor: fields show their result, not their instruction",
         "{\\rtf1 see {\\field{\\*\\fldinst { HYPERLINK \"http://x\" }}{\\fldrslt {\\ul here}}}"
         ".}",
         u"see here."},
        {"word processor: pictures and binary data are not text",
         "{\\rtf1 a{\\pict\\wmetafile8 0100ff}b{\\*\\shppict{\\pict 89504e47}}c"
         "{\\object\\bin5 {}\\x}}d}",
         u"abcd"},
        {"word processor: symbols and special characters",
         "{\\rtf1 a\\~b\\_c\\-d\\emdash\\endash\\lquote\\rquote\\ldblquote\\rdblquote\\bullet"
         "\\line e\\{\\}\\\\}",
         u"a\u00A0b\u2011cd\u2014\u2013\u2018\u2019\u201C\u201D\u2022\ne{}\\"},
        {"word processor: hidden text is not shown", "{\\rtf1 a{\\v hidden}b\\v c\\v0 d}", u"abd"},
        {"word processor: hex escapes in a Central European code page",
         "{\\rtf1\\ansi\\ansicpg1250 \\'8a\\'e8\\'9c}", u"\u0160\u010D\u015B"},
        {"word processor: hex escapes in a Cyrillic code page",
         "{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8}", u"\u041F\u0440\u0438"},
        {"word processor: the DOS code page", "{\\rtf1\\pc \\'84\\'e1}", u"\u00E4\u00DF"},
        {"word processor: an unknown code page reads as Windows-1252",
         "{\\rtf1\\ansicpg99999 \\'80}", u"\u20AC"},
        {"word processor: raw 8-bit text in the code page", "{\\rtf1\\ansi s\xFC\xDF}",
         u"s\u00FC\u00DF"},
        {"word processor: a backslash before a line end is a paragraph", "{\\rtf1 a\\\nb\\\r\nc}",
         u"a\nb\nc"},
        {"robustness: text after the document's group is ignored", "{\\rtf1 a}b{c}", u"a"},
        {"robustness: backslash at the very end", "{\\rtf1 a}\\", u"a"},
        {"robustness: \\u without a number", "{\\rtf1 a\\u b}", u"ab"},
        {"robustness: \\u far beyond Unicode", "{\\rtf1 \\u99999999999999999999999?}", u"\uFFFD"},
        {"robustness: hex escape without digits", "{\\rtf1 a\\'zz}", u"azz"},
        {"robustness: huge fallback count", "{\\rtf1 \\uc999999999\\u228 abc{d}e}", u"\u00E4de"},
        {"robustness: \\bin longer than the file", "{\\rtf1 a\\bin999999999 xyz}", u"a", false},
        {"robustness: negative \\bin", "{\\rtf1 a\\bin-5 b}", u"ab"},
        {"robustness: colour and font numbers out of range",
         "{\\rtf1 \\cf99999\\f-7\\fs99999999999999999999 x}", u"x"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const RtfReadResult result = ReadRtf(row.rtf);
        EXPECT_EQ(result.ok, row.ok) << result.error;
        EXPECT_TRUE(PlainText(result.runs) == row.text);
    }
}

TEST(RtfCodec, ReadsOtherProgramsFormats) {
    const std::string rtf =
        "{\\rtf1\\ansi\\deff1{\\fonttbl\\f0\\fswiss Arial;\\f1\\fmodern Courier New;}"
        "{\\colortbl\\red0\\green0\\blue255;\\red0\\green128\\blue0;}"
        "\\fs21 a{\\b\\i\\f0\\cf1 b{\\plain c}\\ul d\\ulnone\\uldb e\\ul0 f}"
        "\\strike g\\striked0 h\\b0 i}";
    const RtfReadResult result = ReadRtf(rtf);
    ASSERT_TRUE(result.ok) << result.error;
    const StyledText expected = {
        {u"a", Style("Courier New", 11, 0xFF0000, 0)}, // default font \deff1, colour 0 = 1st
        {u"b", Style("Arial", 11, 0x008000, kBold | kItalic)},
        {u"c", Style("Courier New", 12, 0xFF0000, 0)}, // \plain: default font and size
        {u"d", Style("Arial", 11, 0x008000, kBold | kItalic | kUnderline)},
        {u"e", Style("Arial", 11, 0x008000, kBold | kItalic | kUnderline)}, // one run with d
        {u"f", Style("Arial", 11, 0x008000, kBold | kItalic)},
        {u"g", Style("Courier New", 11, 0xFF0000, kStrikeOut)}, // the group restored the rest
        {u"hi", Style("Courier New", 11, 0xFF0000, 0)},
    };
    ExpectRuns(result.runs, Normalized(expected));
}

// Regression: formats are cached while reading, and a colour table that came after some text
// left the later text with the colour the table did not yet have.
TEST(RtfCodec, TablesAfterTextTakeEffect) {
    const RtfReadResult result = ReadRtf("{\\rtf1 \\cf1 a{\\colortbl;\\red255\\green0\\blue0;}b"
                                         "{\\fonttbl{\\f0 Arial;}}c}");
    ASSERT_TRUE(result.ok) << result.error;
    ASSERT_EQ(result.runs.size(), 3u);
    EXPECT_EQ(result.runs[0].style.color, 0u);
    EXPECT_EQ(result.runs[1].style.color, 0x0000FFu);
    EXPECT_EQ(result.runs[2].style.face, "Arial");
}

TEST(RtfCodec, RejectsMalformedInput) {
    struct Row {
        const char* name;
        std::string rtf;
    };
    const Row rows[] = {
        {"robustness: empty", ""},
        {"robustness: plain text", "hello"},
        {"robustness: cut inside the signature", "{\\rt"},
        {"robustness: group never closed", "{\\rtf1 abc{\\b def}"},
        {"robustness: truncated sidecar",
         WriteRtf({{u"text", Style("Arial", 10, 0, 0)}}).substr(0, 40)},
        {"robustness: groups nested beyond the limit", "{\\rtf1 " + std::string(100000, '{')},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const RtfReadResult result = ReadRtf(row.rtf);
        EXPECT_FALSE(result.ok);
        EXPECT_FALSE(result.error.empty());
        EXPECT_LE(result.errorOffset, row.rtf.size());
    }
}

TEST(RtfCodec, RandomBytesNeverCrashAndWhatTheyGiveSurvivesASave) {
    std::mt19937 random(7);
    const std::string sample = WriteRtf({{u"\\begin{x}\u00E4\n", Style("Arial", 10, 0xFF, 0)},
                                         {u"\U0001F600 y", Style("Times", 12, 0, kBold)}});
    const std::string pieces[] = {"{",   "}",         "\\",         "\\u",  "\\'", "\\bin",
                                  "\\*", "\\fonttbl", "\\colortbl", ";",    "-",   "9",
                                  "\\f", "\\uc",      " ",          "\\par"};
    for (int trial = 0; trial < 3000; ++trial) {
        SCOPED_TRACE(trial);
        std::string input;
        switch (trial % 3) {
        case 0: // raw bytes behind a valid signature
            input = "{\\rtf1";
            for (int i = random() % 200; i > 0; --i) {
                input.push_back(static_cast<char>(random()));
            }
            break;
        case 1: // RTF-looking token soup
            input = "{\\rtf1";
            for (int i = random() % 100; i > 0; --i) {
                input += pieces[random() % std::size(pieces)];
            }
            break;
        default: // a real sidecar with a few bytes changed and its tail cut
            input = sample;
            for (int i = random() % 4; i >= 0; --i) {
                input[random() % input.size()] = static_cast<char>(random());
            }
            input.resize(random() % (input.size() + 1));
            break;
        }
        const RtfReadResult result = ReadRtf(input);
        EXPECT_EQ(result.ok, result.error.empty());
        EXPECT_LE(result.errorOffset, input.size());
        // Whatever was read is editor text like any other: it must survive a save and a load.
        const RtfReadResult again = ReadRtf(WriteRtf(result.runs));
        ASSERT_TRUE(again.ok) << again.error;
        ASSERT_TRUE(again.runs == result.runs);
    }
}

} // namespace
} // namespace orvelt
