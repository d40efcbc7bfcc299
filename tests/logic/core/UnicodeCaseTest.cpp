#include "core/UnicodeCase.h"

#include "core/CodePage.h"

#include <gtest/gtest.h>

namespace orvelt {
namespace {

TEST(UnicodeCase, FoldsEveryScriptOneCharacterToOne) {
    struct Row {
        const char* name;
        char32_t upper;
        char32_t folded;
    };
    const Row rows[] = {
        {"nominal: ASCII", U'Q', U'q'},
        {"nominal: Latin-1 accent", U'\u00C9', U'\u00E9'},
        {"nominal: Windows-1252 ligature from the 80..9F range", U'\u0152', U'\u0153'},
        {"nominal: Windows-1252 caron from the 80..9F range", U'\u0160', U'\u0161'},
        {"nominal: Y diaeresis, whose small form is in Latin-1", U'\u0178', U'\u00FF'},
        {"nominal: Greek", U'\u03A9', U'\u03C9'},
        {"nominal: final sigma folds with sigma", U'\u03C2', U'\u03C3'},
        {"nominal: Cyrillic", U'\u0416', U'\u0436'},
        {"nominal: Kelvin sign folds to ASCII k", U'\u212A', U'k'},
        {"nominal: long s folds to ASCII s", U'\u017F', U's'},
        {"nominal: outside the Basic Multilingual Plane (Deseret)", U'\U00010400', U'\U00010428'},
        {"boundary: sharp s stays, its full folding being two letters", U'\u00DF', U'\u00DF'},
        {"boundary: capital I with dot has no simple folding", U'\u0130', U'\u0130'},
        {"boundary: a small letter is already folded", U'\u00E9', U'\u00E9'},
        {"robustness: a lone surrogate stays", U'\xD800', U'\xD800'},
        {"robustness: beyond U+10FFFF stays", U'\x110041', U'\x110041'},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(FoldCase(row.upper), row.folded);
    }
}

TEST(UnicodeCase, TellsLettersAndDigitsOfEveryScript) {
    struct Row {
        const char* name;
        char32_t c;
        bool letter;
        bool digit;
    };
    const Row rows[] = {
        {"nominal: ASCII letter", U'z', true, false},
        {"nominal: ASCII digit", U'7', false, true},
        {"nominal: Latin-1 letter", U'\u00E9', true, false},
        {"nominal: ideograph", U'\u4E2D', true, false},
        {"nominal: Arabic-Indic digit", U'\u0663', false, true},
        {"nominal: letter outside the Basic Multilingual Plane", U'\U00010428', true, false},
        {"boundary: a superscript two is no decimal digit", U'\u00B2', false, false},
        {"boundary: a combining accent is a mark, no letter", U'\u0301', false, false},
        {"boundary: backslash and underscore separate words", U'\\', false, false},
        {"boundary: multiplication sign inside the Latin-1 letters", U'\u00D7', false, false},
        {"boundary: emoji", U'\U0001F600', false, false},
        {"robustness: a lone surrogate", U'\xDC00', false, false},
        {"robustness: beyond U+10FFFF", U'\x110041', false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(IsLetter(row.c), row.letter);
        EXPECT_EQ(IsDigit(row.c), row.digit);
    }
    EXPECT_TRUE(IsMark(U'\u0301'));
    EXPECT_FALSE(IsMark(U'e'));
}

// The search measures a match by the search text's length, and folds twice-folded text alike.
TEST(UnicodeCase, FoldingKeepsLengthAndIsStable) {
    for (char32_t c = 0; c < 0x110000; ++c) {
        const char32_t folded = FoldCase(c);
        ASSERT_EQ(c >= 0x10000, folded >= 0x10000) << std::hex << static_cast<unsigned>(c);
        ASSERT_EQ(FoldCase(folded), folded) << std::hex << static_cast<unsigned>(c);
        ASSERT_EQ(IsLetter(c) || c == 0x345, IsLetter(folded))
            << std::hex << static_cast<unsigned>(c);
    }
}

// Every letter of the 8-bit code page has its other case folded to the same character.
TEST(UnicodeCase, Windows1252LettersFoldInPairs) {
    int pairs = 0;
    for (int b = 0; b < 256; ++b) {
        const char32_t c = Windows1252ToChar(static_cast<unsigned char>(b));
        for (int other = 0; other < 256; ++other) {
            const char32_t d = Windows1252ToChar(static_cast<unsigned char>(other));
            if (c != d && FoldCase(c) == FoldCase(d)) {
                ++pairs;
            }
        }
    }
    // 26 ASCII, 30 Latin-1 (not sharp s nor the multiplication/division signs), S/Z caron,
    // OE and Y diaeresis: each pair counted from both sides.
    EXPECT_EQ(pairs, 2 * (26 + 30 + 4));
}

} // namespace
} // namespace orvelt
