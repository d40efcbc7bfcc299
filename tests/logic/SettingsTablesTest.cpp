#include "app/FileNames.h"
#include "app/IniText.h"
#include "app/MainSettings.h"
#include "app/RecentFiles.h"
#include "options/OptionValues.h"

#include <gtest/gtest.h>

namespace orvelt {
namespace {

TEST(MainSettings, EmptyStoreGivesDefaultsAndLastDirFollowsPath) {
    MemorySettingsStore store;
    MainSettings s = ReadMainSettings(store);
    EXPECT_EQ(s.width, 640);
    EXPECT_EQ(s.height, 480);
    EXPECT_EQ(s.left, 0);
    EXPECT_FALSE(s.maximized);
    store.Write("Path", "/opt/orvelt");
    EXPECT_EQ(ReadMainSettings(store).lastDir, "/opt/orvelt");
    store.Write("LastDir", "");
    EXPECT_EQ(ReadMainSettings(store).lastDir, "") << "an existing empty value is not the default";
}

TEST(MainSettings, OpenFilesEndAtTheFirstEmptyValueAndShrinkingLeavesTheRest) {
    MemorySettingsStore store;
    WriteOpenFiles(store, {"a", "b", "c", "d", "e"});
    WriteOpenFiles(store, {"x", "y"});
    EXPECT_EQ(ReadOpenFiles(store), (std::vector<std::string>{"x", "y"}));
    EXPECT_EQ(store.Read("OpenFile3"), "");
    EXPECT_EQ(store.Read("OpenFile4"), "d") << "left over, never read";
}

TEST(OptionValues, EmptyStoreGivesTheDefaultStyles) {
    MemorySettingsStore store;
    OptionValues o = ReadOptionValues(store);
    EXPECT_EQ(o.background, 12632256u);
    EXPECT_EQ(StyleFor(o.styles, StyleKind::Comment).color, 16711680u);
    EXPECT_EQ(StyleFor(o.styles, StyleKind::Comment).styles, unsigned(kItalic));
    EXPECT_EQ(StyleFor(o.styles, StyleKind::Math).styles, unsigned(kBold | kItalic));
    EXPECT_EQ(StyleFor(o.styles, StyleKind::UserCommand).color, 128u);
    EXPECT_EQ(StyleFor(o.styles, StyleKind::Text).face, "Courier New");
    EXPECT_TRUE(o.programs.empty());
    EXPECT_TRUE(o.snippets.empty());
    EXPECT_TRUE(o.wordWrap);
    EXPECT_EQ(o.braceDelay, "500");
}

TEST(OptionValues, WritesAndReadsBackWithUmlautNamesAndCanonicalStyles) {
    MemorySettingsStore store;
    OptionValues o;
    o.styles[static_cast<int>(StyleKind::Math)].size = 12;
    o.programs = {{"LaTeX", KeyChord{0, "F9"}, "latex %f", true, false},
                  {"View", {}, "xdvi %f", false, true}};
    o.snippets = {{KeyChord{kCtrl, "J"}, "/s/fig.tex"}};
    o.wordWrap = false;
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
    EXPECT_FALSE(back.wordWrap);
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

TEST(RecentFiles, RegisterAndChoose) {
    RecentFiles recent;
    recent.Register("/a/one.tex");
    recent.Register("/a/one.tex");
    EXPECT_EQ(recent.Paths()[1], "") << "the same file twice in a row is recorded once";
    recent.Register("/b/one.tex");
    EXPECT_EQ(recent.Paths()[1], "") << "the caption is compared, not the path";
    recent.Register("/a/two.tex");
    recent.Register("/a/one.tex");
    EXPECT_EQ(recent.Paths()[0], "/a/one.tex");
    EXPECT_EQ(recent.Paths()[2], "/a/one.tex") << "a file further down stays there";
    EXPECT_EQ(recent.Caption(1), "&2 two.tex");
    for (int i = 0; i < 6; ++i)
        recent.Register("/f" + std::to_string(i));
    EXPECT_EQ(recent.Paths()[4], "/f1") << "the oldest falls off";
    EXPECT_EQ(recent.Choose(3), "/f2");
    EXPECT_EQ(recent.Paths()[0], "/f2");
    EXPECT_EQ(recent.Paths()[1], "/f5");
    EXPECT_EQ(recent.Choose(4).value_or(""), "/f1");
}

TEST(RecentFiles, ShortDisplayName) {
    EXPECT_EQ(ShortDisplayName("/x/" + std::string(30, 'n')), std::string(22, 'n') + "...");
    EXPECT_EQ(ShortDisplayName("/x/" + std::string(24, 'n')), std::string(24, 'n'));
    EXPECT_EQ(ShortDisplayName("/x/" + std::string(25, 'n')), std::string(22, 'n') + "...");
    // 25 characters of two bytes each: cut by characters, never inside one.
    std::string umlauts;
    for (int i = 0; i < 25; ++i)
        umlauts += "\xC3\xA4";
    EXPECT_EQ(ShortDisplayName(umlauts), umlauts.substr(0, 44) + "...");
}

TEST(FileNames, ExtensionsCountOnlyInTheNamePart) {
    EXPECT_EQ(AddDefaultExtension("/home/j.doe/report", ".tex"), "/home/j.doe/report.tex");
    EXPECT_EQ(AddDefaultExtension("/home/j/refs.bak", ".bib"), "/home/j/refs.bak");
    EXPECT_EQ(StripExtension("/home/j.doe/report"), "/home/j.doe/report");
    EXPECT_EQ(StripExtension("/home/j/paper.tex"), "/home/j/paper");
    EXPECT_EQ(UpperExtension("/x/a.Bib"), ".BIB");
    EXPECT_EQ(UpperExtension("/x.y/noext"), "");
}

} // namespace
} // namespace orvelt
