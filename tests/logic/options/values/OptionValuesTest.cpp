#include "options/values/OptionValues.h"

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
    EXPECT_TRUE(o.programs.empty());
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

} // namespace
} // namespace orvelt
