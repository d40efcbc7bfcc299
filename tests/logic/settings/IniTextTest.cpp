#include "settings/IniText.h"

#include <gtest/gtest.h>

namespace orvelt {
namespace {

TEST(IniText, AnyValueSurvivesAWriteAndARead) {
    IniValues values = {{"Path", "C:\\old\\path"},
                        {"Odd", "line\nbreak\r and = sign"},
                        {"Empty", ""},
                        {"Bracket", "[Orvelt95]"},
                        {"Schriftgr\xC3\xB6\xC3\x9F"
                         "e",
                         "10"}};
    std::string text = FormatIniSection(values, "Orvelt95");
    EXPECT_EQ(ParseIniSection(text, "Orvelt95"), values);
    EXPECT_TRUE(ParseIniSection(text, "Other").empty());
    EXPECT_EQ(ParseIniSection("[Orvelt95]\r\nA=1\r\n[X]\r\nA=2\r\nnot a pair\r\n", "Orvelt95"),
              (IniValues{{"A", "1"}}));
}

TEST(IniText, NamesReadFromTheFileSurviveAWriteAndARead) {
    struct Row {
        const char* intent;
        std::string_view text;
        IniValues values;
    };
    const Row rows[] = {
        // A name beginning with '[' was written as it stands, and read back as a header.
        {"regression: a name read as \"[...\" is not written as a section header",
         "[Orvelt95]\n\\[Other]=1\nA=2\n",
         {{"A", "2"}, {"[Other]", "1"}}},
        {"nominal: a backslash ending a name stays one", "[Orvelt95]\nA\\=1\n", {{"A\\", "1"}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.intent);
        const IniValues values = ParseIniSection(row.text, "Orvelt95");
        EXPECT_EQ(values, row.values);
        EXPECT_EQ(ParseIniSection(FormatIniSection(values, "Orvelt95"), "Orvelt95"), values);
    }
}

} // namespace
} // namespace orvelt
