#include "app/session/MainSettings.h"
#include "app/session/RecentFiles.h"

#include <gtest/gtest.h>

namespace orvelt {
namespace {

TEST(MainSettings, LastDirDefaultsToPath) {
    MemorySettingsStore store;
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
    EXPECT_EQ(ShortDisplayName("/x/" + std::string(24, 'n')), std::string(24, 'n'));
    EXPECT_EQ(ShortDisplayName("/x/" + std::string(25, 'n')), std::string(22, 'n') + "...");
    // 25 characters of two bytes each: cut by characters, never inside one.
    std::string umlauts;
    for (int i = 0; i < 25; ++i)
        umlauts += "\xC3\xA4";
    EXPECT_EQ(ShortDisplayName(umlauts), umlauts.substr(0, 44) + "...");
}

} // namespace
} // namespace orvelt
