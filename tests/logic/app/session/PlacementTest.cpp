#include "app/session/MainSettings.h"

#include <climits>
#include <gtest/gtest.h>

namespace orvelt {
namespace {

constexpr PixelRect kDesk{0, 40, 1920, 1040}; // a panel above

TEST(FitToScreen, AStoredPlacementEndsWhollyOnTheScreen) {
    constexpr int kMinW = kMinimumWindowWidth;
    constexpr int kMinH = kMinimumWindowHeight;
    struct Row {
        const char* name;
        PixelRect window;
        PixelRect expected;
        PixelRect screen = kDesk;
    };
    const Row rows[] = {
        {"nominal: a window on the screen stays", {100, 200, 640, 480}, {100, 200, 640, 480}},
        // A stored width of 100000 made a 7.5 GB window.
        {"regression: a huge size is the screen's", {0, 0, 100000, 100000}, {0, 40, 1920, 1040}},
        {"robustness: zero size is the minimum", {10, 50, 0, 0}, {10, 50, kMinW, kMinH}},
        {"robustness: negative size is the minimum",
         {10, 50, -640, INT_MIN},
         {10, 50, kMinW, kMinH}},
        {"robustness: off the right and bottom edges",
         {1800, 1000, 640, 480},
         {1280, 600, 640, 480}},
        {"robustness: off the left and under the panel", {-500, 0, 640, 480}, {0, 40, 640, 480}},
        {"robustness: start and size that overflow when added",
         {INT_MAX - 10, INT_MAX, INT_MAX, 500},
         {0, 580, 1920, 500}},
        {"robustness: the smallest start", {INT_MIN, INT_MIN, 640, 480}, {0, 40, 640, 480}},
        {"nominal: a screen left of the primary one",
         {-1000, 100, 800, 600},
         {-1000, 100, 800, 600},
         {-1280, 0, 1280, 1024}},
        {"robustness: a window from a screen that is gone",
         {2500, 100, 800, 600},
         {-800, 100, 800, 600},
         {-1280, 0, 1280, 1024}},
        {"robustness: a screen smaller than the minimum",
         {5, 5, 640, 480},
         {0, 0, 200, 100},
         {0, 0, 200, 100}},
        {"robustness: a screen with no area gives the minimum at its corner",
         {5, 5, 640, 480},
         {30, 30, kMinW, kMinH},
         {30, 30, 0, -5}},
        {"robustness: a screen at the end of the coordinates",
         {0, 0, 640, 480},
         {INT_MAX, INT_MAX, 640, 480},
         {INT_MAX, INT_MAX, 1000, 1000}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const PixelRect fitted = FitToScreen(row.window, row.screen);
        EXPECT_EQ(fitted.left, row.expected.left);
        EXPECT_EQ(fitted.top, row.expected.top);
        EXPECT_EQ(fitted.width, row.expected.width);
        EXPECT_EQ(fitted.height, row.expected.height);
    }
}

} // namespace
} // namespace orvelt
