#include "settings/IniText.h"

#include <gtest/gtest.h>

namespace orvelt {
namespace {

TEST(IniText, AnyValueSurvivesAWriteAndARead) {
    IniValues values = {{"Path", "C:\\old\\path"},
                        {"Odd", "line\nbreak\r and = sign"},
                        {"Empty", ""},
                        {"Schriftgr\xC3\xB6\xC3\x9F"
                         "e",
                         "10"}};
    std::string text = FormatIniSection(values, "Orvelt95");
    EXPECT_EQ(ParseIniSection(text, "Orvelt95"), values);
    EXPECT_TRUE(ParseIniSection(text, "Other").empty());
    EXPECT_EQ(ParseIniSection("[Orvelt95]\r\nA=1\r\n[X]\r\nA=2\r\nnot a pair\r\n", "Orvelt95"),
              (IniValues{{"A", "1"}}));
}

} // namespace
} // namespace orvelt
