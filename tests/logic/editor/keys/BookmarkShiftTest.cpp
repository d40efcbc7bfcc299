#include "editor/keys/BookmarkShift.h"

#include <gtest/gtest.h>

namespace orvelt {
namespace {

TEST(BookmarkShift, MarksFollowTheirText) {
    using Marks = std::array<int, 10>;
    struct Row {
        const char* name;
        int at;
        int delta;
        Marks expected;
    };
    const Marks before = {-1, 0, 5, 10, 20, -1, -1, -1, -1, 30};
    const Row rows[] = {
        {"nominal: insertion moves marks at and after the caret",
         10,
         3,
         {-1, 0, 5, 13, 23, -1, -1, -1, -1, 33}},
        {"nominal: deletion before marks", 6, -1, {-1, 0, 5, 9, 19, -1, -1, -1, -1, 29}},
        {"regression: a mark inside deleted text no longer lands before the deletion",
         8,
         -10,
         {-1, 0, 5, 8, 10, -1, -1, -1, -1, 20}},
        {"regression: a deletion from the start cannot turn a mark into unset (-1)",
         0,
         -25,
         {-1, 0, 0, 0, 0, -1, -1, -1, -1, 5}},
        {"boundary: nothing changed", 0, 0, before},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Marks marks = before;
        ShiftBookmarks(marks, row.at, row.delta);
        EXPECT_EQ(marks, row.expected);
    }
}

} // namespace
} // namespace orvelt
