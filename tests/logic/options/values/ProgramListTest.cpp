#include "options/values/ProgramList.h"

#include <gtest/gtest.h>

namespace orvelt {
namespace {

std::vector<ProgramEntry>
Programs(std::initializer_list<std::pair<const char*, const char*>> rows) {
    std::vector<ProgramEntry> programs;
    for (const auto& [name, command] : rows) {
        ProgramEntry entry;
        entry.name = name;
        entry.command = command;
        programs.push_back(entry);
    }
    return programs;
}

std::vector<std::string> Names(const std::vector<ProgramEntry>& programs) {
    std::vector<std::string> names;
    for (const ProgramEntry& p : programs)
        names.push_back(p.name);
    return names;
}

TEST(ProgramList, SortKeyUpperCasesCodePointsAndKeepsBrokenBytes) {
    struct Row {
        const char* name;
        std::string in;
        std::u32string expected;
    };
    const Row rows[] = {
        {"nominal: ASCII", "tex 2", U"TEX 2"},
        {"nominal: umlaut as one code point", "g\xC3\xA4", U"G\u00C4"},
        {"nominal: y diaeresis leaves Latin-1", "\xC3\xBF", U"\u0178"},
        {"nominal: sharp s has no one-letter capital", "\xC3\x9F", U"\u00DF"},
        {"nominal: Latin Extended-A pairs shift at U+0139", "\xC4\x81\xC4\xBA\xC5\x82\xC5\xBE",
         U"\u0100\u0139\u0141\u017D"},
        {"nominal: Greek final sigma and accents", "\xCF\x82\xCE\xAC\xCF\x8E",
         U"\u03A3\u0386\u038F"},
        {"nominal: Cyrillic, both blocks", "\xD0\xB6\xD1\x91", U"\u0416\u0401"},
        {"robustness: Windows-1252 umlaut is its byte", "\xE4x", U"\u00E4X"},
        {"robustness: overlong slash", "\xC0\xAF", U"\u00C0\u00AF"},
        {"robustness: encoded surrogate", "\xED\xA0\x80", U"\u00ED\u00A0\u0080"},
        {"robustness: lead byte then ASCII",
         "\xE2"
         "a",
         U"\u00E2A"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ProgramSortKey(row.in), row.expected);
    }
}

TEST(ProgramList, SortingComparesUpperCasedNamesAndKeepsEqualOnesInOrder) {
    auto programs = Programs({{"tex", "1"},
                              {"NONAME3", ""},
                              {"TeX", "2"},
                              {"\xC3\xA4rger", ""},
                              {"B", ""},
                              {"TEX", "3"}});
    SortPrograms(programs);
    EXPECT_EQ(Names(programs),
              (std::vector<std::string>{"B", "NONAME3", "tex", "TeX", "TEX", "\xC3\xA4rger"}));
    EXPECT_EQ(programs[2].command + programs[3].command + programs[4].command, "123");
}

TEST(ProgramList, DefaultsAreSortedAndUseChoosableKeys) {
    auto programs = DefaultPrograms();
    SortPrograms(programs);
    EXPECT_EQ(programs, DefaultPrograms()) << "positions are tags: the defaults must be in order";
    for (const ProgramEntry& p : programs) {
        SCOPED_TRACE(p.name);
        if (p.key) {
            const auto& keys = ProgramKeyChoices();
            EXPECT_NE(std::find(keys.begin(), keys.end(), WriteKeyValue(p.key)), keys.end());
        }
        EXPECT_NE(p.command.find("%f"), std::string::npos);
    }
}

TEST(ProgramList, AddingAndRenamingSelectTheEntryItself) {
    std::vector<ProgramEntry> programs;
    EXPECT_EQ(AddProgram(programs), 0u);
    EXPECT_EQ(AddProgram(programs), 1u);
    EXPECT_EQ(AddProgram(programs), 2u);
    EXPECT_EQ(Names(programs), (std::vector<std::string>{"NONAME1", "NONAME2", "NONAME3"}));
    programs[0].command = "latex %f";
    EXPECT_EQ(RenameProgram(programs, 0, "tex"), 2u) << "names compare upper-cased";
    EXPECT_EQ(programs[2].name, "tex");
    EXPECT_EQ(programs[2].command, "latex %f");
    EXPECT_TRUE(programs[2].showButton);
}

// Names may repeat: looking the entry up by its name after the sort selected the first of
// that name, so the user edited another entry than the one just added or renamed.
TEST(ProgramList, RepeatedNamesNeverSelectAnotherEntry) {
    {
        SCOPED_TRACE("regression: adding NONAME2 beside a user's NONAME2");
        auto programs = Programs({{"NONAME2", "mine"}});
        const auto at = AddProgram(programs);
        ASSERT_EQ(at, 1u);
        EXPECT_EQ(programs[*at].name, "NONAME2");
        EXPECT_EQ(programs[*at].command, "");
    }
    {
        SCOPED_TRACE("regression: renaming the second of two to the first one's name");
        auto programs = Programs({{"X", "first"}, {"Y", "second"}, {"Z", ""}});
        const std::size_t at = RenameProgram(programs, 1, "X");
        EXPECT_EQ(at, 1u);
        EXPECT_EQ(programs[at].command, "second");
    }
    {
        SCOPED_TRACE("nominal: renaming moves the entry forward past its twin");
        auto programs = Programs({{"B", "first"}, {"Z", "second"}});
        const std::size_t at = RenameProgram(programs, 1, "A");
        EXPECT_EQ(at, 0u);
        EXPECT_EQ(programs[at].command, "second");
    }
}

// An empty name ended the stored list at the next start, losing every entry after it.
TEST(ProgramList, RenamingToNothingKeepsTheName) {
    auto programs = Programs({{"A", ""}, {"B", "b"}});
    EXPECT_EQ(RenameProgram(programs, 1, ""), 1u);
    EXPECT_EQ(programs[1].name, "B");
}

TEST(ProgramList, AddingStopsAtTheLastSlot) {
    std::vector<ProgramEntry> programs;
    for (std::size_t i = 0; i + 1 < kMaxPrograms; ++i)
        ASSERT_TRUE(AddProgram(programs));
    EXPECT_TRUE(AddProgram(programs)) << "the last slot";
    EXPECT_EQ(AddProgram(programs), std::nullopt);
    EXPECT_EQ(programs.size(), kMaxPrograms);
}

TEST(ProgramList, DeletingSelectsTheSamePositionOrTheNewLast) {
    struct Row {
        const char* name;
        std::size_t count;
        std::size_t at;
        std::optional<std::size_t> selected;
        std::size_t countAfter;
    };
    const Row rows[] = {
        {"nominal: in the middle", 3, 1, 1, 2},
        {"nominal: the first", 3, 0, 0, 2},
        {"nominal: the last selects the new last", 3, 2, 1, 2},
        {"nominal: the only entry leaves nothing to select", 1, 0, std::nullopt, 0},
        {"robustness: no entry at that position", 2, 2, std::nullopt, 2},
        {"robustness: empty list", 0, 0, std::nullopt, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<ProgramEntry> programs;
        for (std::size_t i = 0; i < row.count; ++i)
            (void)AddProgram(programs);
        const std::string removed = row.at < row.count ? programs[row.at].name : "";
        EXPECT_EQ(DeleteProgram(programs, row.at), row.selected);
        EXPECT_EQ(programs.size(), row.countAfter);
        if (row.countAfter < row.count) {
            const auto names = Names(programs);
            EXPECT_EQ(std::find(names.begin(), names.end(), removed), names.end());
        }
    }
}

} // namespace
} // namespace orvelt
