#include "core/CodePage.h"

#include <gtest/gtest.h>
#include <set>

namespace orvelt {
namespace {

TEST(CodePage, AsciiSettingWritesAndReadsThroughTheTables) {
    struct Row {
        const char* name;
        std::u16string text;
        std::string written;
        std::u16string readBack;
    };
    const Row rows[] = {
        {"nominal: a-umlaut is written 84 and read back", u"\u00E4", "\x84", u"\u00E4"},
        {"nominal: C-cedilla is written 80, which reading leaves alone (the euro sign)", u"\u00C7",
         "\x80", u"\u20AC"},
        {"nominal: AE is written 92, which reads as a space", u"\u00C6", "\x92", u" "},
        {"nominal: a character without counterpart is written as a space", u"\u00A4", " ", u" "},
        {"boundary: characters up to 160 are written unchanged, 128 is read unchanged",
         u"a\u20AC\u00A0", "a\x80\xA0", u"a\u20AC\u00E1"},
        {"boundary: 161 is the first byte written through the table", u"\u00A1", "\xAD", u"\u00A1"},
        {"boundary: 129 is the first byte read through the table", u"\u00FC", "\x81", u"\u00FC"},
        {"robustness: a character outside Windows-1252 becomes '?'", u"\u0100\U0001F600", "??",
         u"??"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string written = EncodeText(row.text, TextEncoding::Dos437);
        EXPECT_EQ(written, row.written);
        EXPECT_EQ(DecodeText(written, TextEncoding::Dos437), row.readBack);
    }
}

TEST(CodePage, Windows1252KeepsEveryByte) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    const std::u16string text = DecodeText(all, TextEncoding::Windows1252);
    ASSERT_EQ(text.size(), 256u);
    EXPECT_EQ(std::set<char16_t>(text.begin(), text.end()).size(), 256u)
        << "two bytes read as the same character cannot both be written back";
    EXPECT_EQ(text[0x80], u'\u20AC');
    EXPECT_EQ(text[0x81], u'\u0081') << "an undefined byte keeps its value";
    EXPECT_EQ(text[0x9F], u'\u0178');
    EXPECT_EQ(EncodeText(text, TextEncoding::Windows1252), all);
    for (const char16_t c : text) {
        EXPECT_TRUE(CanEncode(c, TextEncoding::Windows1252)) << static_cast<int>(c);
    }
    EXPECT_EQ(EncodeText(u"x\U0001F600y", TextEncoding::Windows1252), "x?y")
        << "a surrogate pair is one character, one '?'";
    EXPECT_EQ(EncodeText(u"\u0080", TextEncoding::Windows1252), "?")
        << "a C1 control whose byte belongs to the euro sign";
}

TEST(CodePage, Utf8Validity) {
    struct Row {
        const char* name;
        std::string bytes;
        bool valid;
    };
    const Row rows[] = {
        {"nominal: empty", "", true},
        {"nominal: pure ASCII", "\\section{Intro}\n", true},
        {"nominal: two-byte a-umlaut", "\xC3\xA4", true},
        {"nominal: three-byte euro sign", "\xE2\x82\xAC", true},
        {"nominal: last before the surrogates U+D7FF", "\xED\x9F\xBF", true},
        {"nominal: first after the surrogates U+E000", "\xEE\x80\x80", true},
        {"nominal: U+FFFF", "\xEF\xBF\xBF", true},
        {"nominal: first outside the BMP U+10000", "\xF0\x90\x80\x80", true},
        {"nominal: last code point U+10FFFF", "\xF4\x8F\xBF\xBF", true},
        {"nominal: byte-order mark", "\xEF\xBB\xBFx", true},
        {"overlong: C0 80 for NUL", "\xC0\x80", false},
        {"overlong: three bytes for U+07FF", "\xE0\x9F\xBF", false},
        {"overlong: four bytes for U+FFFF", "\xF0\x8F\xBF\xBF", false},
        {"continuation: lone at the start", "\x80", false},
        {"continuation: lone inside ASCII", "a\xBFz", false},
        {"continuation: one too many", "\xC3\xA4\xA4", false},
        {"truncated: two-byte lead at the end", "a\xC3", false},
        {"truncated: three-byte sequence cut after two", "\xE2\x82", false},
        {"truncated: four-byte sequence cut after three", "\xF0\x9F\x98", false},
        {"truncated: lead followed by ASCII", "\xE2xy", false},
        {"surrogate: high D800", "\xED\xA0\x80", false},
        {"surrogate: low DFFF", "\xED\xBF\xBF", false},
        {"range: U+110000", "\xF4\x90\x80\x80", false},
        {"range: F5 lead", "\xF5\x80\x80\x80", false},
        {"Windows-1252: u-umlaut and sharp s as one byte each", "s\xFC\xDF", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(IsValidUtf8(row.bytes), row.valid);
    }
}

TEST(CodePage, EncodingDetection) {
    struct Row {
        const char* name;
        std::string bytes;
        bool ascii;
        TextEncoding expected;
    };
    const Row rows[] = {
        {"nominal: pure ASCII is UTF-8", "abc\n", false, TextEncoding::Utf8},
        {"nominal: empty file is UTF-8", "", false, TextEncoding::Utf8},
        {"nominal: valid UTF-8", "\xC3\xA4", false, TextEncoding::Utf8},
        {"nominal: byte-order mark kept", "\xEF\xBB\xBFx", false, TextEncoding::Utf8Bom},
        {"nominal: byte-order mark alone", "\xEF\xBB\xBF", false, TextEncoding::Utf8Bom},
        {"nominal: invalid UTF-8 is Windows-1252", "\xE4", false, TextEncoding::Windows1252},
        {"nominal: byte-order mark before invalid bytes", "\xEF\xBB\xBF\xE4", false,
         TextEncoding::Windows1252},
        {"nominal: ASCII setting wins over valid UTF-8", "\xC3\xA4", true, TextEncoding::Dos437},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(DetectEncoding(row.bytes, row.ascii), row.expected);
    }
}

TEST(CodePage, Utf8Conversion) {
    struct Row {
        const char* name;
        std::string bytes;
        TextEncoding encoding;
        std::u16string text;
        bool writesBack; // EncodeText gives the bytes again
    };
    const Row rows[] = {
        {"nominal: umlauts, quotes and a character outside the BMP",
         "\xC3\xA4\xE2\x80\x9Eq\xE2\x80\x9C \xF0\x9F\x98\x80", TextEncoding::Utf8,
         u"\u00E4\u201Eq\u201C \U0001F600", true},
        {"nominal: the byte-order mark is not text", "\xEF\xBB\xBFx", TextEncoding::Utf8Bom, u"x",
         false},
        {"nominal: without the BOM form, a BOM is a character", "\xEF\xBB\xBFx", TextEncoding::Utf8,
         u"\uFEFFx", true},
        {"robustness: a truncated sequence is one replacement", "a\xE2\x82z", TextEncoding::Utf8,
         u"a\uFFFDz", false},
        {"robustness: an overlong form is replaced byte by byte", "\xC0\x80", TextEncoding::Utf8,
         u"\uFFFD\uFFFD", false},
        {"robustness: a surrogate's bytes are replaced", "\xED\xA0\x80", TextEncoding::Utf8,
         u"\uFFFD\uFFFD\uFFFD", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(DecodeText(row.bytes, row.encoding), row.text);
        if (row.writesBack) {
            EXPECT_EQ(EncodeText(row.text, row.encoding), row.bytes);
        }
    }
    const std::u16string lone{u'a', char16_t(0xDC00), u'z'};
    EXPECT_EQ(EncodeText(lone, TextEncoding::Utf8), "a\xEF\xBF\xBDz");
    EXPECT_EQ(EncodeText(u"x", TextEncoding::Utf8Bom), "x") << "the writer adds the BOM";
}

TEST(CodePage, WhatEachEncodingCanHold) {
    struct Row {
        const char* name;
        char32_t c;
        bool utf8;
        bool windows1252;
        bool dos437;
    };
    const Row rows[] = {
        {"nominal: ASCII letter", U'a', true, true, true},
        {"nominal: a-umlaut has a DOS counterpart", U'\u00E4', true, true, true},
        {"nominal: currency sign has none in DOS", U'\u00A4', true, true, false},
        {"nominal: euro sign is in Windows-1252 and passes DOS unchanged", U'\u20AC', true, true,
         true},
        {"nominal: C-cedilla does not come back from DOS", U'\u00C7', true, true, false},
        {"nominal: a byte below 161 that reading converts", U'\u201A', true, true, false},
        {"nominal: no-break space reads back as a-acute", U'\u00A0', true, true, false},
        {"nominal: Latin A with macron only in Unicode", U'\u0100', true, false, false},
        {"nominal: outside the BMP", U'\U0001F600', true, false, false},
        {"robustness: a surrogate is not a character", char32_t(0xD800), false, false, false},
        {"robustness: beyond U+10FFFF", char32_t(0x110000), false, false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(CanEncode(row.c, TextEncoding::Utf8), row.utf8);
        EXPECT_EQ(CanEncode(row.c, TextEncoding::Utf8Bom), row.utf8);
        EXPECT_EQ(CanEncode(row.c, TextEncoding::Windows1252), row.windows1252);
        EXPECT_EQ(CanEncode(row.c, TextEncoding::Dos437), row.dos437);
    }
}

} // namespace
} // namespace orvelt
