#include "settings/SettingValues.h"

#include <gtest/gtest.h>

namespace orvelt {
namespace {

TEST(SettingValues, IntegerReading) {
    struct Row {
        const char* name;
        std::optional<std::string> raw;
        int fallback;
        int expected;
    };
    const Row rows[] = {
        {"nominal: decimal", "640", 1, 640},
        {"nominal: negative decimal", "-5", 1, -5},
        {"nominal: lower-case hex prefix", "0x10", 1, 16},
        {"nominal: upper-case hex prefix and digits", "0XfF", 1, 255},
        {"robustness: prefix alone is too short for hex", "0x", 7, 7},
        {"robustness: trailing garbage", "12a", 7, 7},
        {"robustness: missing", std::nullopt, 7, 7},
        {"robustness: empty", "", 7, 7},
        {"robustness: blank inside", "1 2", 7, 7},
        {"robustness: hex with sign", "0x-1", 7, 7},
        {"robustness: beyond int", "99999999999", 7, 7},
        {"nominal: full 32-bit hex wraps like a 32-bit read", "0xFFFFFFFF", 7, -1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ReadIntegerValue(row.raw, row.fallback), row.expected);
    }
}

TEST(SettingValues, BooleanReadsAsNonZeroInteger) {
    EXPECT_TRUE(ReadBooleanValue(std::string("2"), false));
    EXPECT_FALSE(ReadBooleanValue(std::string("0"), true));
    EXPECT_TRUE(ReadBooleanValue(std::string("yes"), true)) << "non-numeric gives the default";
    EXPECT_FALSE(ReadBooleanValue(std::nullopt, false));
}

TEST(SettingValues, FontStyleLetters) {
    EXPECT_EQ(ReadFontStyleValue("xSzB"), (1u | 8u));
    EXPECT_EQ(WriteFontStyleValue(ReadFontStyleValue("xSzB")), "BS");
    EXPECT_EQ(WriteFontStyleValue(ReadFontStyleValue("IB")), "BI");
    EXPECT_EQ(ReadFontStyleValue("bius"), 0u) << "lower case letters are not styles";
}

TEST(SettingValues, KeyTexts) {
    struct Row {
        const char* name;
        const char* text;
        bool valid;
        unsigned modifiers;
        const char* key;
    };
    const Row rows[] = {
        {"nominal: function key", "F5", true, 0, "F5"},
        {"nominal: ctrl letter", "Ctrl+J", true, kCtrl, "J"},
        {"nominal: shift ctrl letter", "Shift+Ctrl+A", true, kShift | kCtrl, "A"},
        {"nominal: all three", "Shift+Ctrl+Alt+F10", true, kShift | kCtrl | kAlt, "F10"},
        {"robustness: empty", "", false, 0, ""},
        {"robustness: wrong order", "Ctrl+Shift+A", false, 0, ""},
        {"robustness: unknown name", "Ctrl+Space", false, 0, ""},
        {"robustness: F0", "F0", false, 0, ""},
        {"robustness: F25", "F25", false, 0, ""},
        {"robustness: modifier alone", "Ctrl+", false, 0, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        auto key = ReadKeyValue(row.text);
        ASSERT_EQ(key.has_value(), row.valid);
        if (row.valid) {
            EXPECT_EQ(key->modifiers, row.modifiers);
            EXPECT_EQ(key->name, row.key);
            EXPECT_EQ(WriteKeyValue(key), row.text);
        }
    }
    EXPECT_EQ(WriteKeyValue(std::nullopt), "");
}

} // namespace
} // namespace orvelt
