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

TEST(DosDateTime, SidecarIsCurrentWithinTheLimit) {
    struct Row {
        const char* name;
        int sourceHour, sourceMinute, sourceSecond;
        int sidecarHour, sidecarMinute, sidecarSecond;
        bool match;
    };
    const Row rows[] = {
        {"nominal: same time", 10, 0, 0, 10, 0, 0, true},
        {"nominal: four minutes apart (128)", 10, 0, 0, 10, 4, 0, true},
        {"nominal: four minutes the other way", 10, 4, 0, 10, 0, 0, true},
        {"nominal: five minutes and two seconds (160)", 10, 0, 0, 10, 5, 0, true},
        {"boundary: five minutes two seconds is 161", 10, 0, 0, 10, 5, 2, false},
        {"nominal: six minutes apart (192)", 10, 0, 0, 10, 6, 0, false},
        {"nominal: three minutes across an hour (224)", 10, 58, 0, 11, 1, 0, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto source =
            PackDosDateTime(2024, 3, 1, row.sourceHour, row.sourceMinute, row.sourceSecond);
        const auto sidecar =
            PackDosDateTime(2024, 3, 1, row.sidecarHour, row.sidecarMinute, row.sidecarSecond);
        EXPECT_EQ(SidecarTimesMatch(source, sidecar), row.match);
    }
    EXPECT_FALSE(SidecarTimesMatch(PackDosDateTime(2024, 3, 1, 10, 0, 0),
                                   PackDosDateTime(2024, 3, 2, 10, 0, 0)))
        << "the same time on another day";
    EXPECT_FALSE(SidecarTimesMatch(0u, 0xFFFFFFFFu)) << "the difference must not wrap around";
}

} // namespace
} // namespace orvelt
