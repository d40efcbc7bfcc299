#include "SourceLinksDocuments.h"
#include "TestFiles.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace orvelt {
namespace {

namespace fs = std::filesystem;

using testing::OnPath;
using testing::ReadFile;
using testing::SaveWithSpecials;
using testing::ScratchFolder;
using testing::SpecialLines;
using testing::TextOf;
using testing::WriteFile;

// What a DVI file holds for this comparison, as dvitype lists it: each glyph (font and
// character) and rule in order with its horizontal place, page starts, and the line number of
// each source special ("src:N doc.tex"; -1 for one of another form).
struct DviContents {
    std::vector<std::string> marks;
    std::vector<int> specials;
};

long long NumberAfter(const std::string& line, std::size_t at) {
    return std::strtoll(line.c_str() + at, nullptr, 10);
}

DviContents ReadListing(const std::string& listing) {
    DviContents contents;
    std::istringstream lines(listing);
    std::string line;
    std::string font;
    long long h = 0;
    while (std::getline(lines, line)) {
        if (line.find("beginning of page") != std::string::npos) {
            contents.marks.push_back("page");
        }
        if (const std::size_t at = line.find("current font is "); at != std::string::npos) {
            font = line.substr(at + 16);
        }
        if (const std::size_t at = line.find("level "); at != std::string::npos) {
            if (const std::size_t hAt = line.find("(h=", at); hAt != std::string::npos) {
                h = NumberAfter(line, hAt + 3);
            }
        }
        const std::size_t colon = line.find(": ");
        const std::string command = colon == std::string::npos ? "" : line.substr(colon + 2);
        const std::string place = " @" + std::to_string(h);
        if (command.starts_with("setchar")) {
            contents.marks.push_back(font + " " + std::to_string(NumberAfter(command, 7)) + place);
        } else if (command.starts_with("set1 ") || command.starts_with("put1 ")) {
            contents.marks.push_back(font + " " + std::to_string(NumberAfter(command, 5)) + place);
        } else if (command.starts_with("setrule") || command.starts_with("putrule")) {
            contents.marks.push_back("rule " + command.substr(8, command.find(" (") - 8) + place);
        } else if (command.starts_with("xxx 'src:")) {
            const std::string text = command.substr(9, command.find('\'', 9) - 9);
            const long long number = NumberAfter(text, 0);
            contents.specials.push_back(
                text == std::to_string(number) + " doc.tex" ? static_cast<int>(number) : -1);
        }
        if (const std::size_t at = line.find("h:="); at != std::string::npos) {
            if (const std::size_t equals = line.find('=', at + 3); equals != std::string::npos) {
                h = NumberAfter(line, equals + 1);
            }
        }
    }
    return contents;
}

// Runs latex, pdflatex and dvitype in fresh folders, each on doc.tex, with a time limit.
class SourceSpecialsTeX : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* program : {"latex", "pdflatex", "dvitype"}) {
            if (!OnPath(program)) {
                GTEST_SKIP() << program << " is not on PATH";
            }
        }
    }

    // Typesets the source with latex (kept as the DVI's listing) and pdflatex; false unless
    // both run cleanly.
    bool Typeset(const std::string& source, DviContents& contents) {
        const fs::path run = dir_ / std::to_string(runs_++);
        fs::create_directory(run);
        WriteFile(run / "doc.tex", source);
        const std::string in = "cd '" + run.string() + "' && ";
        const std::string quiet = " </dev/null >/dev/null 2>&1";
        for (const char* program : {"latex", "pdflatex"}) {
            const std::string command = in + "timeout 120 " + program +
                                        " -interaction=nonstopmode -halt-on-error "
                                        "-no-shell-escape doc.tex" +
                                        quiet;
            if (std::system(command.c_str()) != 0) {
                ADD_FAILURE() << program << " failed; its log:\n" << ReadFile(run / "doc.log");
                return false;
            }
        }
        const std::string command = in + "timeout 60 dvitype doc.dvi >listing.txt 2>/dev/null";
        if (std::system(command.c_str()) != 0) {
            ADD_FAILURE() << "dvitype failed";
            return false;
        }
        contents = ReadListing(ReadFile(run / "listing.txt"));
        return true;
    }

    const ScratchFolder scratch_{"orvelt-specials"};
    const fs::path dir_ = scratch_.Path();
    int runs_ = 0;
};

std::vector<std::string> FileLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::istringstream in(bytes);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// Each special of the saved file is followed by the text of the surface line it names; with
// the lines whole, that is also the file's line of that number.
void ExpectSpecialsStartTheirLines(const std::string& saved, const std::vector<SurfaceLine>& lines,
                                   bool fileLinesAreSurfaceLines) {
    const std::vector<std::string> fileLines = FileLines(saved);
    constexpr std::string_view head = "\\special{src:";
    for (std::size_t at = saved.find(head); at != std::string::npos;
         at = saved.find(head, at + 1)) {
        const int number = std::atoi(saved.c_str() + at + head.size());
        ASSERT_TRUE(number >= 1 && static_cast<std::size_t>(number) <= lines.size()) << number;
        const std::u16string_view line = lines[static_cast<std::size_t>(number) - 1].text;
        const std::string after = saved.substr(saved.find('}', at) + 1, line.size());
        EXPECT_EQ(std::u16string(after.begin(), after.end()), line) << "special " << number;
        if (fileLinesAreSurfaceLines) {
            EXPECT_TRUE(fileLines[static_cast<std::size_t>(number) - 1].starts_with(
                saved.substr(at, saved.find('}', at) + 1 - at)))
                << "file line " << number;
        }
    }
}

// Each document saved with specials at interval 1, lines whole and wrapped in saved-breaks
// mode: latex and pdflatex run cleanly, the glyphs and rules are those of the document without
// specials at the same horizontal places (vertical ones may move: a special between two lists
// stops \addvspace from merging their spaces), every special written reaches the DVI, and each
// starts the line it names.
TEST_F(SourceSpecialsTeX, TypesetAsWithoutSpecials) {
    for (const std::string& name : testing::SourceLinksDocuments()) {
        SCOPED_TRACE(name);
        const std::u16string text = TextOf(name);
        DviContents expected;
        ASSERT_TRUE(Typeset(SaveWithSpecials(text, 0, 0), expected));
        ASSERT_FALSE(expected.marks.empty());
        for (const std::size_t width : {0u, 40u}) {
            SCOPED_TRACE("wrapped at " + std::to_string(width) + " (0: not wrapped)");
            const std::string saved = SaveWithSpecials(text, 1, width);
            DviContents contents;
            ASSERT_TRUE(Typeset(saved, contents)) << saved;
            EXPECT_EQ(contents.marks, expected.marks) << saved;

            std::vector<int> written = SpecialLines(saved);
            std::vector<int> shipped = contents.specials;
            std::sort(written.begin(), written.end());
            std::sort(shipped.begin(), shipped.end());
            EXPECT_FALSE(shipped.empty());
            EXPECT_EQ(shipped, written) << "every special written reaches the DVI, once";
            const std::vector<HardLine> hardLines = testing::HardLinesOf(text);
            ExpectSpecialsStartTheirLines(saved, testing::WrapAtBlanks(hardLines, width),
                                          width == 0);
        }
    }
}

// The comparison above must be able to fail: a special before every line, whatever the line,
// changes what TeX typesets.
TEST_F(SourceSpecialsTeX, SpecialsEverywhereTypesetDifferently) {
    const std::u16string text = TextOf("srclinks-paragraphs.tex");
    SourceWriteOptions options;
    options.beforeLine = [](const SourceLineStart& line, std::u16string& out) {
        const std::string number = std::to_string(line.number);
        out += u"\\special{src:" + std::u16string(number.begin(), number.end()) + u" doc.tex}";
    };
    const std::vector<HardLine> lines = testing::HardLinesOf(text);
    const std::string everywhere = WriteSource(testing::WrapAtBlanks(lines, 0), options).bytes;
    DviContents expected;
    DviContents contents;
    ASSERT_TRUE(Typeset(SaveWithSpecials(text, 0, 0), expected));
    ASSERT_TRUE(Typeset(everywhere, contents));
    EXPECT_NE(contents.marks, expected.marks);
}

} // namespace
} // namespace orvelt
