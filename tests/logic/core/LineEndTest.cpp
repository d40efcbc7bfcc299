#include "core/LineEnd.h"

#include <gtest/gtest.h>

namespace orvelt {
namespace {

TEST(LineEnd, TheFirstLineEndDecides) {
    struct Row {
        const char* name;
        const char* bytes;
        LineEnd expected;
    };
    const Row rows[] = {
        {"nominal: LF first", "a\nb\r\n", LineEnd::Lf},
        {"nominal: CR LF first", "a\r\nb\n", LineEnd::CrLf},
        {"nominal: no line end is LF", "abc", LineEnd::Lf},
        {"nominal: empty is LF", "", LineEnd::Lf},
        {"robustness: a file starting with LF", "\nx", LineEnd::Lf},
        {"robustness: a lone CR is not a line end of its own", "a\rb\r\n", LineEnd::CrLf},
        {"robustness: a lone CR before an LF elsewhere", "a\rb\n", LineEnd::Lf},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(DetectLineEnd(row.bytes), row.expected);
    }
}

} // namespace
} // namespace orvelt
