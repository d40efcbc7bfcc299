#include "app/session/RecoveryCopy.h"

#include <gtest/gtest.h>

namespace orvelt {
namespace {

using Outcome = RecoveryRead::Outcome;

TEST(RecoveryCopy, ReadsBackWhatWasKept) {
    const RecoveryCopy rows[] = {
        {"/home/j/thesis.tex", "/home/j/thesis.tex", "\\chapter{One}\n\nText\n",
         TextEncoding::Windows1252, LineEnd::CrLf, 1796601600},
        {"", "NONAME3", "", TextEncoding::Utf8, LineEnd::Lf, 0},
        {"/odd\\name\nwith break.tex", "caption=\\n", "file=looks like a header\n\ncaption=x",
         TextEncoding::Utf8Bom, LineEnd::Cr, 7},
    };
    for (const RecoveryCopy& row : rows) {
        SCOPED_TRACE(row.fileName);
        const RecoveryRead read = ReadRecoveryCopy(FormatRecoveryCopy(row));
        EXPECT_EQ(read.outcome, Outcome::Whole);
        EXPECT_EQ(read.copy, row);
    }
}

TEST(RecoveryCopy, OtherFilesAndDamagedCopiesAreToldApart) {
    const RecoveryCopy kept{"/a.tex", "/a.tex", "text\n", TextEncoding::Utf8, LineEnd::Lf, 5};
    const std::string whole = FormatRecoveryCopy(kept);
    struct Row {
        const char* name;
        std::string bytes;
        Outcome outcome;
    } rows[] = {
        {"nominal: empty", "", Outcome::NotACopy},
        {"nominal: some other file", "some text", Outcome::NotACopy},
        // A crash while the copy was written, or a disk that lost its end: never opened as whole.
        {"robustness: cut short in the text", whole.substr(0, whole.size() - 1), Outcome::Damaged},
        {"robustness: cut short in the head", whole.substr(0, 40), Outcome::Damaged},
        {"robustness: text added", whole + "x", Outcome::Damaged},
        {"robustness: an unknown encoding",
         std::string(whole).replace(whole.find("utf-8"), 5, "ebcdic"), Outcome::Damaged},
        {"robustness: a length that is no number",
         std::string(whole).replace(whole.find("length=5"), 8, "length=-5"), Outcome::Damaged},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ReadRecoveryCopy(row.bytes).outcome, row.outcome);
    }
    // A damaged copy still names its file, when its head can be read.
    EXPECT_EQ(ReadRecoveryCopy(whole.substr(0, whole.size() - 1)).copy.fileName, "/a.tex");
}

} // namespace
} // namespace orvelt
