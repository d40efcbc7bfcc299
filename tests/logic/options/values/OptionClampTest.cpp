#include "options/values/OptionValues.h"

#include <gtest/gtest.h>

namespace orvelt {
namespace {

int AutoSaveInterval(const OptionValues& o) {
    return o.autoSaveInterval;
}
int SpecialsInterval(const OptionValues& o) {
    return o.specialsInterval;
}
int CommentSize(const OptionValues& o) {
    return StyleFor(o.styles, StyleKind::Comment).size;
}

TEST(OptionValues, NumbersReadOutsideTheirRangeAreBroughtIntoIt) {
    const std::string commentSize = "KommentarSchriftgr\xC3\xB6\xC3\x9F"
                                    "e";
    struct Row {
        const char* name;
        std::string key;
        const char* raw;
        int (*read)(const OptionValues&);
        int expected;
    };
    const Row rows[] = {
        // An interval of 0 made a timer with no period; 100000 minutes overflowed the
        // milliseconds; a specials interval of 0 divided by zero.
        {"regression: autosave every 0 minutes", "AutoSaveInterval", "0", AutoSaveInterval, 1},
        {"regression: autosave interval that overflowed", "AutoSaveInterval", "100000",
         AutoSaveInterval, 60},
        {"robustness: negative interval", "AutoSaveInterval", "-5", AutoSaveInterval, 1},
        {"robustness: largest int", "AutoSaveInterval", "2147483647", AutoSaveInterval, 60},
        {"robustness: 0xFFFFFFFF reads as -1", "AutoSaveInterval", "0xFFFFFFFF", AutoSaveInterval,
         1},
        {"nominal: the ends of the range", "AutoSaveInterval", "60", AutoSaveInterval, 60},
        {"nominal: not a number keeps the default", "AutoSaveInterval", "ten", AutoSaveInterval, 5},
        {"regression: specials every 0 ticks", "SpecialsInterval", "0", SpecialsInterval, 1},
        {"robustness: specials above the range", "SpecialsInterval", "101", SpecialsInterval, 100},
        {"nominal: specials at the top", "SpecialsInterval", "100", SpecialsInterval, 100},
        {"robustness: font size 0", commentSize, "0", CommentSize, 10},
        {"robustness: negative font size", commentSize, "-12", CommentSize, 10},
        {"robustness: font size above 200", commentSize, "201", CommentSize, 10},
        {"robustness: font size of the largest int", commentSize, "2147483647", CommentSize, 10},
        {"nominal: font size 1", commentSize, "1", CommentSize, 1},
        {"nominal: font size 200", commentSize, "200", CommentSize, 200},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        MemorySettingsStore store;
        store.Write(row.key, row.raw);
        EXPECT_EQ(row.read(ReadOptionValues(store)), row.expected);
    }
}

} // namespace
} // namespace orvelt
