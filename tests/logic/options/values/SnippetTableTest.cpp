#include "options/values/SnippetTable.h"

#include <gtest/gtest.h>

namespace orvelt {
namespace {

using KeySet = std::set<std::string, std::less<>>;

SnippetKey Row(const char* key, const char* file) {
    return {*ReadKeyValue(key), file};
}

TEST(SnippetTable, EveryChoosableKeyIsStoredAsItIsShown) {
    for (const std::string& text : SnippetKeyChoices()) {
        SCOPED_TRACE(text);
        EXPECT_EQ(WriteKeyValue(ReadKeyValue(text)), text);
    }
}

TEST(SnippetTable, AddingRefusesMissingAndTakenKeys) {
    struct Case {
        const char* name;
        std::vector<SnippetKey> rows;
        std::string key;
        std::string file;
        SnippetAdd expected;
    };
    const std::vector<SnippetKey> one = {Row("Ctrl+J", "/s/fig.tex")};
    const Case cases[] = {
        {"nominal: a free key", one, "Ctrl+K", "/s/tab.tex", SnippetAdd::Added},
        {"nominal: the same key twice", one, "Ctrl+J", "/s/other.tex", SnippetAdd::Occupied},
        {"nominal: Shift makes another key", one, "Shift+Ctrl+J", "/s/b.tex", SnippetAdd::Added},
        {"nominal: a key the menus hold", {}, "Ctrl+N", "/s/a.tex", SnippetAdd::Occupied},
        {"nominal: no key chosen", one, "", "/s/a.tex", SnippetAdd::NothingToAdd},
        {"nominal: no file given", one, "Ctrl+K", "", SnippetAdd::NothingToAdd},
        {"robustness: a key text that is no key", one, "Ctrl+", "/s/a.tex",
         SnippetAdd::NothingToAdd},
        {"robustness: modifiers out of order", one, "Ctrl+Shift+J", "/s/a.tex",
         SnippetAdd::NothingToAdd},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto rows = c.rows;
        EXPECT_EQ(AddSnippet(rows, c.key, c.file, KeySet{"Ctrl+N", "Ctrl+O"}), c.expected);
        if (c.expected == SnippetAdd::Added) {
            ASSERT_EQ(rows.size(), c.rows.size() + 1);
            EXPECT_EQ(WriteKeyValue(rows.back().key), c.key);
            EXPECT_EQ(rows.back().file, c.file);
        } else {
            EXPECT_EQ(rows, c.rows);
        }
    }
}

TEST(SnippetTable, OneRowHoldsEachKeyAndNoneHoldsAnOccupiedOne) {
    struct Case {
        const char* name;
        std::vector<SnippetKey> rows;
        std::vector<bool> expected;
    };
    const Case cases[] = {
        {"nominal: distinct keys", {Row("Ctrl+J", "a"), Row("Shift+Ctrl+J", "b")}, {true, true}},
        {"robustness: a key stored twice stays with the first row",
         {Row("Ctrl+J", "a"), Row("Ctrl+K", "b"), Row("Ctrl+J", "c")},
         {true, true, false}},
        {"robustness: an old file's Ctrl+A is the editor's",
         {Row("Ctrl+A", "a"), Row("Ctrl+A", "b"), Row("Ctrl+B", "c")},
         {false, false, true}},
        {"nominal: no rows", {}, {}},
        // Regression: a row with a key and no file made a nameless item whose key did nothing.
        {"robustness: a row without a file", {Row("Ctrl+J", "")}, {false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SnippetKeyHolders(c.rows, KeySet{"Ctrl+A"}), c.expected);
    }
}

} // namespace
} // namespace orvelt
