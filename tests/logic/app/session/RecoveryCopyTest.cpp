#include "app/session/RecoveryCopy.h"

#include <gtest/gtest.h>

namespace orvelt {
namespace {

TEST(RecoveryCopy, ReadsBackWhatWasKept) {
    const RecoveryCopy rows[] = {
        {"/home/j/thesis.tex", "/home/j/thesis.tex", "\\chapter{One}\n\nText\n"},
        {"", "NONAME3", ""},
        {"/odd\\name\nwith break.tex", "caption=\\n", "file=looks like a header\n\ncaption=x"},
        {"/x.tex", "/x.tex", std::string("nul \0 and \xC3\xA4\r\n", 17)},
    };
    for (const RecoveryCopy& row : rows) {
        SCOPED_TRACE(row.fileName);
        EXPECT_EQ(ParseRecoveryCopy(FormatRecoveryCopy(row)), row);
    }
}

TEST(RecoveryCopy, OtherFilesAreNotCopies) {
    for (const char* bytes :
         {"", "some text", "Orvelt 95 recovery copy\n", "Orvelt 95 recovery copy\nfile=a\n",
          "Orvelt 95 recovery copy\n"
          "file=a\ncaption=b\nno gap"}) {
        SCOPED_TRACE(bytes);
        EXPECT_FALSE(ParseRecoveryCopy(bytes));
    }
}

} // namespace
} // namespace orvelt
