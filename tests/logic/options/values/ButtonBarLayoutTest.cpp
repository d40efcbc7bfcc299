#include "options/values/ButtonBarLayout.h"

#include <gtest/gtest.h>
#include <string_view>

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
        std::string_view shown; // x: the entry shows a button
        int clientWidth;
        std::vector<Placed> expected;
        int height;
        int buttonWidth = 62;
    };
    // Widths 50, 30, 40 make buttons 62 wide, 69 apart.
    const std::vector<int> w = {50, 30, 40};
    const Case cases[] = {
        {"nominal: one row", w, "xxx", 300, {{0, 7, 3}, {1, 76, 3}, {2, 145, 3}}, 30},
        {"nominal: two fit exactly", w, "xxx", 145, {{0, 7, 3}, {1, 76, 3}, {2, 7, 33}}, 60},
        {"nominal: a pixel short", w, "xxx", 144, {{0, 7, 3}, {1, 7, 33}, {2, 7, 63}}, 90},
        // The first button went to a second row whenever the bar was narrower than one
        // button, leaving the first row empty and the bar 30 pixels too high.
        {"regression: too narrow", w, "xxx", 10, {{0, 7, 3}, {1, 7, 33}, {2, 7, 63}}, 90},
        {"nominal: a hidden entry leaves no gap", w, "x.x", 145, {{0, 7, 3}, {2, 76, 3}}, 30},
        {"nominal: a hidden name sets the width", {200, 30}, ".x", 300, {{1, 7, 3}}, 30, 212},
        {"nominal: nothing shown", w, "...", 300, {}, 30},
        {"nominal: empty list", {}, "", 300, {}, 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<bool> shown;
        for (const char flag : c.shown)
            shown.push_back(flag == 'x');
        const BarLayout layout = LayOutButtonBar(c.widths, shown, c.clientWidth);
        std::vector<Placed> placed;
        for (const BarButton& b : layout.buttons) {
            placed.push_back({b.entry, b.left, b.top});
            EXPECT_EQ(b.height, 23);
            EXPECT_EQ(b.width, c.buttonWidth);
        }
        EXPECT_EQ(placed, c.expected);
        EXPECT_EQ(layout.height, c.height);
    }
}

} // namespace
} // namespace orvelt
