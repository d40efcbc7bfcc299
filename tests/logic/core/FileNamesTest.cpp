#include "core/FileNames.h"

#include <gtest/gtest.h>

namespace orvelt {
namespace {

TEST(FileNames, ExtensionsCountOnlyInTheNamePart) {
    EXPECT_EQ(AddDefaultExtension("/home/j.doe/report", ".tex"), "/home/j.doe/report.tex");
    EXPECT_EQ(AddDefaultExtension("/home/j/refs.bak", ".bib"), "/home/j/refs.bak");
    EXPECT_EQ(StripExtension("/home/j.doe/report"), "/home/j.doe/report");
    EXPECT_EQ(StripExtension("/home/j/paper.tex"), "/home/j/paper");
    EXPECT_EQ(StripExtension("my.paper.tex"), "my.paper");
    EXPECT_EQ(UpperExtension("/x/a.Bib"), ".BIB");
    EXPECT_EQ(UpperExtension("/x.y/noext"), "");
}

} // namespace
} // namespace orvelt
