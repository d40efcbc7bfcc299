#include "options/values/ButtonBarLayout.h"

#include <gtest/gtest.h>

namespace orvelt {
namespace {

struct Placed {
    std::size_t entry;
    int left;
    int top;
    bool operator==(const Placed&) const = default;
};

TEST(ButtonBarLayout, ButtonsFillRowsOfTheWidestName) {
    struct Case {
        const char* name;
        std::vector<int> widths;
        std::vector<bool> shown;
        int clientWidth;
        std::vector<Placed> expected;
        int height;
    };
    // Widths 50, 30, 40 make buttons 62 wide, 69 apart.
    const Case cases[] = {
        {"nominal: one row",
         {50, 30, 40},
         {true, true, true},
         300,
         {{0, 7, 3}, {1, 76, 3}, {2, 145, 3}},
         30},
        {"nominal: exactly wide enough for two",
         {50, 30, 40},
         {true, true, true},
         145,
         {{0, 7, 3}, {1, 76, 3}, {2, 7, 33}},
         60},
        {"nominal: a pixel short of two",
         {50, 30, 40},
         {true, true, true},
         144,
         {{0, 7, 3}, {1, 7, 33}, {2, 7, 63}},
         90},
        // The first button went to a second row whenever the bar was narrower than one
        // button, leaving the first row empty and the bar 30 pixels too high.
        {"regression: a bar narrower than one button",
         {50, 30, 40},
         {true, true, true},
         10,
         {{0, 7, 3}, {1, 7, 33}, {2, 7, 63}},
         90},
        {"nominal: a hidden entry leaves no gap",
         {50, 30, 40},
         {true, false, true},
         145,
         {{0, 7, 3}, {2, 76, 3}},
         30},
        {"nominal: a hidden entry's long name sets the width",
         {200, 30},
         {false, true},
         300,
         {{1, 7, 3}},
         30},
        {"nominal: nothing shown", {50, 30}, {false, false}, 300, {}, 30},
        {"nominal: empty list", {}, {}, 300, {}, 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const BarLayout layout = LayOutButtonBar(c.widths, c.shown, c.clientWidth);
        std::vector<Placed> placed;
        for (const BarButton& b : layout.buttons) {
            placed.push_back({b.entry, b.left, b.top});
            EXPECT_EQ(b.height, 23);
        }
        EXPECT_EQ(placed, c.expected);
        EXPECT_EQ(layout.height, c.height);
    }
}

TEST(ButtonBarLayout, EveryButtonIsAsWideAsTheWidestNamePlusPadding) {
    const BarLayout layout = LayOutButtonBar({10, 200, 30}, {true, false, true}, 1000);
    ASSERT_EQ(layout.buttons.size(), 2u);
    EXPECT_EQ(layout.buttons[0].width, 212);
    EXPECT_EQ(layout.buttons[1].width, 212);
}

} // namespace
} // namespace orvelt
