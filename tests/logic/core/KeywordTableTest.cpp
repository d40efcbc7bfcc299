#include "core/KeywordTable.h"

#include "TestFiles.h"
#include "core/KeywordList.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace orvelt {
namespace {

using Words = std::vector<std::string>;

TEST(KeywordList, SplitsLines) {
    struct Row {
        const char* name;
        std::string bytes;
        Words expected;
    };
    const Row rows[] = {
        {"nominal: LF lines", "\\alpha\n\\beta\n", {"\\alpha", "\\beta"}},
        {"nominal: CR LF lines", "\\alpha\r\n\\beta\r\n", {"\\alpha", "\\beta"}},
        {"nominal: file order kept, not sorted", "\\zeta\n\\alpha\n", {"\\zeta", "\\alpha"}},
        {"nominal: no line end after the last line", "\\alpha\n\\beta", {"\\alpha", "\\beta"}},
        {"robustness: empty lines dropped", "\n\\alpha\n\r\n\n\\beta\n\n", {"\\alpha", "\\beta"}},
        {"robustness: byte-order mark not glued to the first keyword",
         "\xEF\xBB\xBF\\alpha\n",
         {"\\alpha"}},
        {"robustness: trailing blanks would never match a command", "\\alpha \t\n", {"\\alpha"}},
        {"robustness: empty file", "", {}},
        {"robustness: duplicates kept for completion to walk", "\\a\n\\a\n", {"\\a", "\\a"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(SplitKeywordList(row.bytes), row.expected);
    }
}

TEST(KeywordTable, LooksUpExactly) {
    // Same byte sum, so these three collide: the last-slot home makes probing wrap to 0.
    const std::string lastSlotA = "\\" + std::string(54, 'z') + "U";
    const std::string lastSlotB = "\\U" + std::string(54, 'z');
    const std::string lastSlotC = "\\z" + std::string("U") + std::string(53, 'z');
    ASSERT_EQ(KeywordTable::HomeSlot(lastSlotA), KeywordTable::kSlotCount - 1);
    const KeywordTable table(
        Words{"\\alpha", "\\section", "\\ab", "\\ba", lastSlotA, lastSlotB, lastSlotC, "\\%"});
    struct Row {
        const char* name;
        std::string probe;
        bool expected;
    };
    const Row rows[] = {
        {"nominal: listed command", "\\alpha", true},
        {"nominal: escaped character command", "\\%", true},
        {"nominal: colliding anagrams both found", "\\ba", true},
        {"nominal: home in the last slot", lastSlotA, true},
        {"nominal: probing wraps from the last slot to slot 0", lastSlotB, true},
        {"nominal: probing continues after the wrap", lastSlotC, true},
        {"robustness: same byte sum, not listed", "\\" + std::string(53, 'z') + "Uz", false},
        {"robustness: case differs", "\\Alpha", false},
        {"robustness: prefix of a keyword", "\\sec", false},
        {"robustness: without the backslash", "alpha", false},
        {"robustness: empty", "", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(table.IsKeyword(row.probe), row.expected);
    }
}

TEST(KeywordTable, LooksUpSurfaceText) {
    const KeywordTable table(Words{"\\alpha", "\\\xC3\xA9"});
    EXPECT_TRUE(table.IsKeyword(std::u16string_view(u"\\alpha")));
    EXPECT_TRUE(table.IsKeyword(std::u16string_view(u"\\\u00E9"))) << "UTF-8 bytes of the list";
    EXPECT_FALSE(table.IsKeyword(std::u16string_view(u"\\beta")));
    EXPECT_FALSE(table.IsKeyword(std::u16string_view(u"\\\xD800")));
}

TEST(KeywordTable, EmptyListKnowsNothing) {
    const KeywordTable table;
    EXPECT_FALSE(table.IsKeyword(std::string_view("\\alpha")));
}

// Regression: with as many keywords as slots no slot stays free, so a lookup of a
// non-keyword probed forever, and keywords past the 10001st had no slot and were lost.
TEST(KeywordTable, ListsAsLongAsTheTableOrLonger) {
    const std::size_t counts[] = {10000, 10001, 10002, 12000};
    for (std::size_t count : counts) {
        SCOPED_TRACE(count);
        Words words;
        for (std::size_t i = 0; i < count; ++i) {
            words.push_back("\\k" + std::to_string(i));
        }
        const KeywordTable table(words);
        EXPECT_EQ(table.Keywords(), words) << "list order kept for completion";
        for (const std::string& word : words) {
            ASSERT_TRUE(table.IsKeyword(word)) << word;
        }
        EXPECT_FALSE(table.IsKeyword(std::string_view("\\notakeyword")));
        EXPECT_FALSE(table.IsKeyword(std::string_view("\\k" + std::to_string(count))));
    }
}

// Regression: the lookup set of a full table viewed the strings of the table it was built
// in, so a copy that outlived the original read freed memory.
TEST(KeywordTable, CopyOfAFullTableOutlivesTheOriginal) {
    Words words;
    for (int i = 0; i < 10001; ++i) {
        words.push_back("\\a-rather-long-keyword-name-" + std::to_string(i));
    }
    auto original = std::make_unique<KeywordTable>(words);
    const KeywordTable copy = *original;
    original.reset();
    EXPECT_TRUE(copy.IsKeyword(std::string_view(words.back())));
    EXPECT_FALSE(copy.IsKeyword(std::string_view("\\a-rather-long-keyword-name-x")));
}

// Completion stops at the first keyword that does not sort before the typed word, so an
// unsorted or duplicated line in the shipped list hides keywords from it.
TEST(KeywordList, ShippedListIsSortedAndComplete) {
    const auto path = std::filesystem::path(ORVELT_TEST_DATA).parent_path().parent_path() / "data" /
                      "KEYWORDS.TXT";
    const Words words = SplitKeywordList(testing::ReadFile(path));
    ASSERT_GE(words.size(), 600u) << path;
    EXPECT_TRUE(std::is_sorted(words.begin(), words.end())) << "byte order";
    EXPECT_EQ(std::adjacent_find(words.begin(), words.end()), words.end()) << "duplicates";
    for (const std::string& word : words) {
        ASSERT_TRUE(word.size() >= 2 && word.front() == '\\') << word;
    }
    const KeywordTable table(words);
    for (const char* common : {"\\section", "\\begin", "\\usepackage", "\\frac", "\\mathbb",
                               "\\includegraphics", "\\href", "\\selectlanguage", "\\%"}) {
        EXPECT_TRUE(table.IsKeyword(std::string_view(common))) << common;
    }
}

} // namespace
} // namespace orvelt
