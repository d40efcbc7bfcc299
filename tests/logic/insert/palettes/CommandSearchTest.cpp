#include "insert/palettes/CommandSearch.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace orvelt {
namespace {

TEST(CommandOrder, CaseIsIgnoredAndTiesKeepByteOrder) {
    const std::vector<std::string> sorted =
        SortedCommands({"\\large", "\\section", "\\Large", "\\alpha", "\\LARGE", "\\Alph", "\\!"});
    const std::vector<std::string> expected = {"\\!",     "\\Alph",  "\\alpha",  "\\LARGE",
                                               "\\Large", "\\large", "\\section"};
    EXPECT_EQ(sorted, expected);
}

// The sorted list the box searches in; the search itself is case-sensitive.
const std::vector<std::string> kList = {"\\search", "\\Section",  "\\section",
                                        "\\secx",   "\\setminus", "\\sin"};

struct SearchRow {
    const char* name;
    std::vector<std::string> entries;
    const char* before;
    const char* after;
    std::size_t remembered;
    std::optional<std::size_t> expected;
};

TEST(CommandSearch, FollowsTheBoxText) {
    const SearchRow rows[] = {
        {"nominal: a first character from the top", kList, "", "\\", 0, 0},
        {"nominal: upper case finds the upper-case entry", kList, "\\", "\\S", 0, 1},
        {"nominal: narrowing goes forward, lower case past upper", kList, "\\se", "\\sec", 0, 2},
        {"nominal: a paste of several characters extends too", kList, "\\s", "\\set", 0, 4},
        {"nominal: Backspace searches again from the top", kList, "\\sec", "\\se", 3, 0},
        {"nominal: an emptied box selects the first entry", kList, "\\s", "", 4, 0},
        {"nominal: the search never goes back while typing", kList, "\\se", "\\sea", 2,
         std::nullopt},
        {"robustness: no match keeps the selection", kList, "\\s", "\\sx", 1, std::nullopt},
        {"robustness: a retyped selection starts from the top", kList, "\\sin", "\\sea", 5, 0},
        {"robustness: a character typed before the end starts from the top", kList, "\\ec", "\\sec",
         4, 2},
        {"robustness: an empty list", {}, "", "\\", 0, std::nullopt},
        {"robustness: a remembered match past the end", kList, "\\s", "\\se", 99, std::nullopt},
    };
    for (const SearchRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(FollowSearchText(row.entries, row.before, row.after, row.remembered),
                  row.expected);
    }
}

} // namespace
} // namespace orvelt
