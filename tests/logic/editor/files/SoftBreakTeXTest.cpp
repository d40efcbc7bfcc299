#include "TestFiles.h"
#include "WrapPieces.h"
#include "core/CodePage.h"
#include "core/LineEnd.h"
#include "editor/files/SourceWriter.h"
#include "editor/highlight/TokenScanner.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace orvelt {
namespace {

namespace fs = std::filesystem;

using testing::OnPath;
using testing::ReadFile;
using testing::ScratchFolder;
using testing::WriteFile;

// What the window shows of a file in saved-breaks mode: decoded, markers removed, cut into
// its hard lines with their own ends.
struct Opened {
    TextEncoding encoding;
    LineEnd lineEnd;
    std::vector<HardLine> lines;
};

Opened Open(const std::string& bytes) {
    Opened opened{DetectEncoding(bytes, false), DetectLineEnd(bytes), {}};
    const std::u16string decoded = DecodeText(bytes, opened.encoding);
    std::u16string text;
    for (const auto& token : ScanText(std::u16string_view(decoded),
                                      ScanOptions{ScanMode::Source, false, false, true})) {
        text += token.text;
    }
    for (const auto& line : SplitLines(std::u16string_view(text))) {
        opened.lines.push_back({std::u16string(line.text), line.end});
    }
    return opened;
}

std::string SaveWrapped(const Opened& opened, std::size_t width) {
    SourceWriteOptions options;
    options.encoding = opened.encoding;
    options.lineEnd = opened.lineEnd;
    options.softBreakMarker = true;
    return WriteSource(WrapPieces(opened.lines, width), options).bytes;
}

// Each wrapped piece followed by a marker wherever the wrap fell, without the rules.
std::string SaveWrappedAnywhere(const Opened& opened, std::size_t width) {
    std::u16string text;
    for (const SurfaceLine& piece : WrapPieces(opened.lines, width)) {
        text += piece.text;
        if (!piece.hardBreak) {
            text += u"%%@\n";
        } else if (piece.lineEnd) {
            const std::string_view eol = LineEndText(*piece.lineEnd);
            text.append(eol.begin(), eol.end());
        }
    }
    return EncodeText(text, opened.encoding);
}

// Runs latex on sources in fresh folders of their own, under one name, with the date fixed,
// so that the same input gives the same DVI bytes.
class SoftBreakTeX : public ::testing::Test {
protected:
    void SetUp() override {
        if (!OnPath("latex")) {
            GTEST_SKIP() << "latex is not on PATH";
        }
    }

    std::string Dvi(const std::string& source) {
        const fs::path run = dir_ / std::to_string(runs_++);
        fs::create_directory(run);
        WriteFile(run / "doc.tex", source);
        const std::string command = "cd '" + run.string() +
                                    "' && SOURCE_DATE_EPOCH=1700000000 FORCE_SOURCE_DATE=1 "
                                    "latex -interaction=nonstopmode -no-shell-escape doc.tex "
                                    "</dev/null >/dev/null 2>&1";
        const int status = std::system(command.c_str());
        static_cast<void>(status); // a source with errors still has its output compared
        return ReadFile(run / "doc.dvi");
    }

    const ScratchFolder scratch_{"orvelt-softbreak"};
    const fs::path dir_ = scratch_.Path();
    int runs_ = 0;
};

TEST_F(SoftBreakTeX, SavedBreaksTypesetAsTheOriginal) {
    const char* files[] = {"softbreak-constructs.tex", "highlight-article.tex",
                           "highlight-thesis-crlf.tex", "highlight-letter-cp1252.tex"};
    for (const char* file : files) {
        SCOPED_TRACE(file);
        const std::string original = ReadFile(fs::path(ORVELT_TEST_DATA) / file);
        const std::string expected = Dvi(original);
        ASSERT_FALSE(expected.empty()) << "the original gives a DVI";
        const Opened opened = Open(original);
        for (const std::size_t width : {1, 6, 29}) {
            SCOPED_TRACE("wrapped at " + std::to_string(width));
            const std::string saved = SaveWrapped(opened, width);
            EXPECT_NE(saved.find("%%@"), std::string::npos);
            EXPECT_TRUE(Dvi(saved) == expected) << saved;
        }
    }
}

// The comparison above must be able to fail: markers written wherever the wrap fell change
// what TeX typesets.
TEST_F(SoftBreakTeX, MarkersAnywhereTypesetDifferently) {
    const std::string original = ReadFile(fs::path(ORVELT_TEST_DATA) / "softbreak-constructs.tex");
    const std::string expected = Dvi(original);
    ASSERT_FALSE(expected.empty());
    EXPECT_FALSE(Dvi(SaveWrappedAnywhere(Open(original), 6)) == expected);
}

} // namespace
} // namespace orvelt
