#include "core/DosDateTime.h"

#include <gtest/gtest.h>

namespace orvelt {
namespace {

TEST(DosDateTime, Packing) {
    // 2024-05-17 13:45:31: date 44<<9|5<<5|17, time 13<<11|45<<5|15 (seconds halved, down).
    EXPECT_EQ(PackDosDateTime(2024, 5, 17, 13, 45, 31), 0x58B16DAFu);
    EXPECT_EQ(PackDosDateTime(1980, 1, 1, 0, 0, 0), 0x00210000u);
    EXPECT_EQ(PackDosDateTime(-2147483647 - 1, 99, -5, 99, 99, 99), 0x0181BF7Du)
        << "1980-12-01 23:59:58: a field out of range is clamped, never spills into the next";
}

} // namespace
} // namespace orvelt
