#include "bib/bibtex/BibDatabase.h"
#include "bib/bibtex/Tdata.h"

#include <gtest/gtest.h>
#include <string>

namespace orvelt {
namespace {

TEST(BibModel, InitEntryGivesTheTypesPairs) {
    const int counts[EntryTypeCount] = {12, 15, 10, 17, 18, 19, 17, 11, 11, 9, 11, 14, 13, 8, 1, 1};
    for (int type = 0; type < EntryTypeCount; ++type) {
        SCOPED_TRACE(std::string(EntryTypeNames[type]));
        std::string lower(EntryTypeNames[type]);
        for (char& c : lower) {
            c = static_cast<char>(c - 'A' + 'a');
        }
        Tdata entry;
        entry.Fields[0].Given = true; // as a reused entry might hold
        ASSERT_TRUE(InitEntry(entry, lower));
        EXPECT_EQ(entry.FieldCount, counts[type]);
        EXPECT_EQ(entry.Fields[0].Name, type < 14 ? "cite key" : "");
        EXPECT_EQ(entry.Fields[entry.FieldCount - 1].Name, type < 14 ? "crossref" : "");
        for (int i = 0; i < entry.FieldCount; ++i) {
            EXPECT_TRUE(entry.Fields[i].Value.empty());
            EXPECT_FALSE(entry.Fields[i].Given);
        }
    }
    Tdata unknown;
    unknown.FieldCount = 3;
    EXPECT_FALSE(InitEntry(unknown, "ONLINE"));
    EXPECT_EQ(unknown.FieldCount, 0);
}

TEST(BibModel, FieldsMatchWithoutRegardToCase) {
    Tdata entry;
    ASSERT_TRUE(InitEntry(entry, "ARTICLE"));
    EXPECT_EQ(FindField(entry, "JOURNAL"), 3);
    EXPECT_EQ(FindField(entry, "Cite Key"), 0);
    EXPECT_EQ(FindField(entry, "editor"), -1);
    EXPECT_TRUE(SetField(entry, "Title", "T"));
    EXPECT_EQ(entry.Fields[2].Value, "T");
    const Tdata before = entry;
    EXPECT_FALSE(SetField(entry, "editor", "E"));
    EXPECT_EQ(entry, before) << "a name the type does not list changes nothing";
}

TEST(BibModel, EntryCaption) {
    struct Row {
        const char* name;
        const char* type;
        const char* citeKey;
        const char* title;
        const char* onePairName;
        const char* expected;
    };
    const Row rows[] = {
        {"nominal: cite key", "ARTICLE", "K", "T", "", "K"},
        {"nominal: title when no cite key", "ARTICLE", "", "T", "", "T"},
        {"nominal: neither", "ARTICLE", "", "", "", "?????"},
        {"nominal: abbreviation shows its name", "STRING", "", "", "jcp", "jcp"},
        {"nominal: nameless abbreviation reads as a preamble", "STRING", "", "", "", "Preamble"},
        {"nominal: preamble", "PREAMBLE", "", "", "", "Preamble"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Tdata entry;
        ASSERT_TRUE(InitEntry(entry, row.type));
        if (entry.FieldCount == 1) {
            entry.Fields[0].Name = row.onePairName;
        } else {
            SetField(entry, "cite key", row.citeKey);
            SetField(entry, "title", row.title);
        }
        EXPECT_EQ(EntryCaption(entry), row.expected);
    }
}

TEST(BibModel, StripDelimiters) {
    struct Row {
        const char* name;
        const char* text;
        const char* expected;
    };
    const Row rows[] = {
        {"nominal: braces", "{a {b}}", "a {b}"},
        {"nominal: double quotes", "\"a\"", "a"},
        {"nominal: parentheses", "(a)", "a"},
        {"nominal: bare word unchanged", "jan", "jan"},
        {"nominal: empty", "", ""},
        {"robustness: last character removed whatever it is", "{ab", "a"},
        {"robustness: opening character alone", "{", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(StripDelimiters(row.text), row.expected);
    }
}

TEST(BibModel, SortingACategory) {
    BibDatabase database;
    for (const char* caption : {"b", "B", "a", "C"}) {
        Tdata entry;
        ASSERT_TRUE(InitEntry(entry, "MISC"));
        database.AddEntry(9, entry, caption);
        ASSERT_TRUE(InitEntry(entry, "STRING"));
        database.AddEntry("string", entry, caption);
    }
    const BibEntry* first = &database.Category(9)[0];
    database.SortAll();
    EXPECT_EQ(&database.Category(9)[1], first) << "a view's reference to an entry survives a sort";
    const auto captions = [&database](int type) {
        std::string captions;
        for (const BibEntry& entry : database.Category(type)) {
            captions += entry.Caption;
        }
        return captions;
    };
    EXPECT_EQ(captions(9), "abBC") << "case-insensitive, equal captions keep their order";
    EXPECT_EQ(captions(StringType), "bBaC") << "abbreviations keep their order";
    EXPECT_EQ(database.AddEntry("ONLINE", Tdata{}, "x"), nullptr);
    database.RemoveEntry(9, 0);
    database.RemoveEntry(9, 99);
    EXPECT_EQ(database.EntryCount(), 7u);
}

} // namespace
} // namespace orvelt
