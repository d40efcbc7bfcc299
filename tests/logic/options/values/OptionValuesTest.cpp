#include "options/values/OptionValues.h"

#include "options/values/ProgramList.h"

#include <gtest/gtest.h>

namespace orvelt {
namespace {

// A missing name must leave its default, not an empty or zero value read from nothing.
TEST(OptionValues, EmptyStoreLeavesEveryDefault) {
    const OptionValues defaults;
    const OptionValues o = ReadOptionValues(MemorySettingsStore());
    EXPECT_EQ(o.background, defaults.background);
    EXPECT_EQ(o.styles, defaults.styles);
    EXPECT_EQ(o.braceDelay, defaults.braceDelay);
    EXPECT_EQ(o.autoSaveInterval, defaults.autoSaveInterval);
    EXPECT_EQ(o.wordWrap, defaults.wordWrap);
    EXPECT_EQ(o.programs, DefaultPrograms()) << "a first start can compile at once";
    EXPECT_TRUE(o.snippets.empty());
    EXPECT_EQ(o.wordWrap, WrapMode::ScreenOnly) << "a new settings file wraps on screen only";
}

TEST(OptionValues, WritesAndReadsBackWithUmlautNamesAndCanonicalStyles) {
    MemorySettingsStore store;
    OptionValues o;
    o.styles[static_cast<int>(StyleKind::Math)].size = 12;
    o.programs = {{"LaTeX", KeyChord{0, "F9"}, "latex %f", true, false},
                  {"View", {}, "xdvi %f", false, true}};
    o.snippets = {{KeyChord{kCtrl, "J"}, "/s/fig.tex"}};
    o.wordWrap = WrapMode::SavedBreaks;
    WriteOptionsOnClose(store, o);
    WriteOptionsAtEnd(store, o);
    EXPECT_EQ(store.Read("MathematikSchriftgr\xC3\xB6\xC3\x9F"
                         "e"),
              "12");
    EXPECT_EQ(store.Read("MathematikSchriftstil"), "BI") << "written canonically";
    EXPECT_EQ(store.Read("TeXProgsName3"), "") << "ends the list";
    EXPECT_EQ(store.Read("Shortcut21"), "");
    OptionValues back = ReadOptionValues(store);
    EXPECT_EQ(back.styles, o.styles);
    EXPECT_EQ(back.programs, o.programs);
    EXPECT_EQ(back.snippets, o.snippets);
    EXPECT_EQ(back.wordWrap, WrapMode::SavedBreaks);
    store.Write("WordWrap", "0");
    EXPECT_EQ(ReadOptionValues(store).wordWrap, WrapMode::Off) << "an older file's check box off";
    store.Write("WordWrap", "7");
    EXPECT_EQ(ReadOptionValues(store).wordWrap, WrapMode::ScreenOnly);
}

TEST(OptionValues, ProgramListShrinkingEndsAtTheNewCount) {
    MemorySettingsStore store;
    OptionValues o;
    for (int i = 0; i < 5; ++i)
        o.programs.push_back({"P" + std::to_string(i), {}, "cmd", false, true});
    WriteOptionsAtEnd(store, o);
    o.programs.resize(2);
    WriteOptionsAtEnd(store, o);
    EXPECT_EQ(ReadOptionValues(store).programs.size(), 2u);
    EXPECT_EQ(store.Read("TeXProgsName4"), "P3");
}

ProgramEntry Entry(std::string name, std::string command = "cmd %f") {
    ProgramEntry entry;
    entry.name = std::move(name);
    entry.command = std::move(command);
    return entry;
}

void StoreNames(MemorySettingsStore& store, std::size_t from, std::size_t to) {
    for (std::size_t n = from; n <= to; ++n)
        store.Write("TeXProgsName" + std::to_string(n), "P" + std::to_string(n + 100));
}

TEST(OptionValues, ProgramListFromTheStoreOnceWritten) {
    struct Row {
        const char* name;
        void (*fill)(MemorySettingsStore&);
        std::size_t read;
        std::size_t beyond;
    };
    const Row rows[] = {
        {"nominal: never written offers the defaults", [](MemorySettingsStore&) {},
         DefaultPrograms().size(), 0},
        // The defaults came back at every start after the user had deleted them all.
        {"regression: an emptied list stays empty after a restart",
         [](MemorySettingsStore& s) {
             OptionValues o;
             o.programs.clear();
             WriteOptionsAtEnd(s, o);
         },
         0, 0},
        {"nominal: 50 stored entries fill the slots",
         [](MemorySettingsStore& s) { StoreNames(s, 1, 50); }, 50, 0},
        {"robustness: 60 stored entries read the first 50",
         [](MemorySettingsStore& s) { StoreNames(s, 1, 60); }, 50, 10},
        {"robustness: entries left beyond an end are not counted",
         [](MemorySettingsStore& s) {
             StoreNames(s, 1, 60);
             s.Write("TeXProgsName6", "");
         },
         5, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        MemorySettingsStore store;
        row.fill(store);
        EXPECT_EQ(ReadOptionValues(store).programs.size(), row.read);
        EXPECT_EQ(StoredProgramsBeyondLimit(store), row.beyond);
    }
}

TEST(OptionValues, ProgramFieldsSurviveTheStoreWhateverTheyHold) {
    OptionValues o;
    o.programs = {
        Entry("B=1;2", R"(sh -c "latex \"%f\" ; echo done")"),
        Entry("C #x", "cmd a=b; c # not a comment"),
        Entry("D%n", "  view  %f.pdf  "),
        Entry("Z", "'single' \"double\" \\back\\slash"),
        Entry("\xC3\x84rger", "\xC3\xB6"
                              "ffne %f \xE4 \xFF"),
    };
    o.programs[1].key = KeyChord{0, "F10"};
    o.programs[2].forceCurrentFile = true;
    o.programs[3].showButton = false;
    MemorySettingsStore store;
    WriteOptionsAtEnd(store, o);
    EXPECT_EQ(ReadOptionValues(store).programs, o.programs);
}

// An entry without a name was written as an empty TeXProgsName, which ended the list there:
// every entry after it was lost at the next start.
TEST(OptionValues, AnEntryWithoutANameIsNotWritten) {
    OptionValues o;
    o.programs = {Entry("A"), Entry(""), Entry("B")};
    MemorySettingsStore store;
    WriteOptionsAtEnd(store, o);
    EXPECT_EQ(store.Read("TeXProgsName2"), "B");
    EXPECT_EQ(store.Read("TeXProgsName3"), "");
    const auto back = ReadOptionValues(store).programs;
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[1].name, "B");
}

TEST(OptionValues, ProgramsStoredOutOfOrderAreReadSorted) {
    MemorySettingsStore store;
    store.Write("TeXProgsName1", "view");
    store.Write("TeXProgsName2", "LaTeX");
    const auto programs = ReadOptionValues(store).programs;
    ASSERT_EQ(programs.size(), 2u);
    EXPECT_EQ(programs[0].name, "LaTeX") << "positions are the menu's tags";
}

// Regression: a key this program cannot read (a hand-edited "Ctrl+Shift+J") ended the table,
// and the next save dropped every row after it.
TEST(OptionValues, AnUnreadableSnippetKeySkipsOnlyItsRow) {
    MemorySettingsStore store;
    const std::pair<const char*, const char*> rows[] = {
        {"Ctrl+J", "/s/a.tex"}, {"Ctrl+Shift+J", "/s/b.tex"}, {"Ctrl+K", "/s/c.tex"}, {"", ""}};
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        store.Write("Shortcut" + std::to_string(i + 1) + "1", rows[i].first);
        store.Write("Shortcut" + std::to_string(i + 1) + "2", rows[i].second);
    }
    store.Write("Shortcut51", "Ctrl+L"); // after the end: not read
    const OptionValues o = ReadOptionValues(store);
    ASSERT_EQ(o.snippets.size(), 2u);
    EXPECT_EQ(o.snippets[1].file, "/s/c.tex");
}

TEST(OptionValues, BraceDelayReadsOnlyWhatTheFieldCanHold) {
    struct Row {
        const char* name;
        std::optional<std::string> raw;
        const char* expected;
    };
    const Row rows[] = {
        {"nominal: never written", std::nullopt, "500"},
        {"nominal: four digits", "1234", "1234"},
        {"nominal: one digit", "0", "0"},
        {"nominal: leading zeros as typed", "0050", "0050"},
        {"nominal: an emptied field is no delay", "", "0"},
        {"robustness: five digits", "12345", "500"},
        {"robustness: negative", "-5", "500"},
        {"robustness: digits and letters", "20ms", "500"},
        {"robustness: blank before the digits", " 20", "500"},
        {"robustness: hexadecimal", "0x10", "500"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        MemorySettingsStore store;
        if (row.raw)
            store.Write("BraceDelay", *row.raw);
        EXPECT_EQ(ReadOptionValues(store).braceDelay, row.expected);
    }
}

// Showing the dialog again drops style and brace changes that were not confirmed with Close,
// and nothing else.
TEST(OptionValues, StyleOptionsAreReadAgainAlone) {
    MemorySettingsStore store;
    store.Write("KommentarFarbe", "32768");
    store.Write("Braces", "0");
    OptionValues shown;
    shown.background = 0x123456;
    shown.styles[static_cast<int>(StyleKind::Comment)].color = 0xFF;
    shown.styles[static_cast<int>(StyleKind::Math)].size = 30;
    shown.braceDelay = "7";
    shown.autoSave = true;
    shown.dictionary = "/d/words";
    shown.programs.clear();
    ReadStyleOptions(store, shown);

    const OptionValues defaults;
    EXPECT_EQ(shown.background, defaults.background);
    EXPECT_EQ(StyleFor(shown.styles, StyleKind::Comment).color, 32768u);
    EXPECT_EQ(StyleFor(shown.styles, StyleKind::Math), StyleFor(defaults.styles, StyleKind::Math));
    EXPECT_FALSE(shown.braces);
    EXPECT_EQ(shown.braceDelay, "500");
    EXPECT_TRUE(shown.autoSave);
    EXPECT_EQ(shown.dictionary, "/d/words");
    EXPECT_TRUE(shown.programs.empty());
}

} // namespace
} // namespace orvelt
