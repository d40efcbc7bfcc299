#include "project/scan/InputNames.h"

#include "TestFiles.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace orvelt {
namespace {

// Each name as "written|shown".
std::vector<std::string> Names(std::string_view line) {
    std::vector<std::string> names;
    for (const InputName& name : ScanInputLine(line)) {
        std::string written(line.substr(name.start, name.length));
        std::string shown(line.substr(name.shownStart, name.start + name.length - name.shownStart));
        names.push_back(written + "|" + shown);
    }
    return names;
}

TEST(ScanInputLine, ListsTheNamesALineReads) {
    using V = std::vector<std::string>;
    const struct {
        const char* name;
        const char* line;
        V expected;
    } rows[] = {
        {"nominal: one braced name", "\\input{chap1}", {"chap1|chap1"}},
        {"nominal: shown without its directory", "\\include{parts/intro}", {"parts/intro|intro"}},
        {"nominal: backslash parts directories too",
         "\\input{..\\common\\macros}",
         {"..\\common\\macros|macros"}},
        {"nominal: several per line", "\\input{a}\\input{b} \\include{c}", {"a|a", "b|b", "c|c"}},
        {"nominal: longer command names count",
         "\\includegraphics[width=2cm]{fig/x.png}",
         {"fig/x.png|x.png"}},
        {"nominal: \\includeonly and \\inputencoding",
         "\\includeonly{a,b}\\inputencoding{latin1}",
         {"a,b|a,b", "latin1|latin1"}},
        {"nominal: TeX's brace-less form", "\\input chap1", {"chap1|chap1"}},
        {"nominal: brace-less name ends at a blank, not at the braces after it",
         "\\input chap1 \\textbf{x}",
         {"chap1|chap1"}},
        {"nominal: brace-less name ends at a comment",
         "\\input sub/chap2% note",
         {"sub/chap2|chap2"}},
        {"nominal: blanks before the brace", "\\input  {chap3}", {"chap3|chap3"}},
        {"nominal: comments are not told apart", "% \\input{old}", {"old|old"}},
        {"nominal: a name with blanks and quotes",
         "\\input{\"my chapter\"}",
         {"\"my chapter\"|\"my chapter\""}},
        {"nominal: UTF-8 names",
         "\\input{kapitel/\xc3\xbc"
         "bersicht}",
         {"kapitel/\xc3\xbc"
          "bersicht|\xc3\xbc"
          "bersicht"}},
        {"robustness: a missing closing brace lists nothing", "\\input{chap1", {}},
        {"robustness: no brace at all", "\\input", {}},
        {"robustness: an empty name", "\\input{}", {}},
        {"robustness: a name of blanks and quotes", "\\input{ \"\" }", {}},
        {"robustness: a command after the blanks is not a name", "\\input \\jobname.aux", {}},
        {"robustness: a comment after the blanks", "\\input %{x}", {"x|x"}},
        {"robustness: case matters", "\\Input{a}\\INCLUDE{b}", {}},
        {"robustness: a later command inside the braces",
         "\\input{\\input{a}}",
         {"\\input{a|input{a", "a|a"}},
        {"robustness: a brace-less name's brace after it starts nothing", "\\input a{b}", {"a|a"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Names(row.line), row.expected);
    }
}

TEST(ScanInputLine, ReadsTheSurfaceTextAsTheBytes) {
    const std::u16string line = u"\\input{a/\u00fcber} \\include b";
    const std::vector<InputName> names = ScanInputLine(std::u16string_view(line));
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(line.substr(names[0].start, names[0].length), u"a/\u00fcber");
    EXPECT_EQ(line.substr(names[0].shownStart, 4), u"\u00fcber");
}

// A line of 10 MB of "\input{" took minutes: each command searched the rest of the line for
// "\include", "{" and "}" anew.
TEST(ScanInputLine, IsLinearOnRepeatedCommands) {
    const std::string unit = "\\input{";
    std::string open;
    for (std::size_t i = 0; i < 10'000'000 / unit.size(); ++i) {
        open += unit;
    }
    const std::string closed = open + "a/b}";
    const std::string bare = [] {
        std::string text;
        for (int i = 0; i < 1'000'000; ++i) {
            text += "\\input a/b ";
        }
        return text;
    }();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(ScanInputLine(std::string_view(open)).empty());
    // Only the names of the last 585 commands are short enough to be paths.
    EXPECT_EQ(ScanInputLine(std::string_view(closed)).size(), 585u);
    EXPECT_EQ(ScanInputLine(std::string_view(bare)).size(), 1'000'000u);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

namespace fs = std::filesystem;

// A directory tree in a temporary folder: the document in /doc, the main file's in /main.
class InputResolution : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* file :
             {"doc/chap1.tex", "doc/chap1", "doc/plain", "doc/sub/part.tex", "common/macros.tex",
              "doc/v1.2/x.tex", "doc/my chapter.tex", "doc/fig.png", "doc/old.TEX", "main/only.tex",
              "main/sub/deep.tex"}) {
            fs::create_directories((root_ / file).parent_path());
            std::ofstream(root_ / file) << "x";
        }
        fs::create_directories(root_ / "doc/dironly");
    }

    [[nodiscard]] std::string In(const std::string& relative) const {
        return (root_ / relative).generic_string();
    }
    [[nodiscard]] InputFile Resolve(std::string_view name, const std::string& doc,
                                    const std::string& main) const {
        return ResolveInputName(name, doc.empty() ? "" : In(doc), main.empty() ? "" : In(main),
                                [](const std::string& path) { return fs::is_regular_file(path); });
    }

    const testing::ScratchFolder scratch_{"orvelt-inputs"};
    const fs::path root_ = scratch_.Path();
};

TEST_F(InputResolution, FindsTheFileTeXReads) {
    using K = InputFile::Kind;
    const struct {
        const char* name;
        const char* input;
        const char* doc;
        const char* main;
        K kind;
        const char* path; // below the root
    } rows[] = {
        {"nominal: .tex is tried first", "chap1", "doc", "", K::Found, "doc/chap1.tex"},
        {"nominal: the name as written when name.tex is missing", "plain", "doc", "", K::Found,
         "doc/plain"},
        {"nominal: a name ending in .tex as it is", "chap1.tex", "doc", "", K::Found,
         "doc/chap1.tex"},
        {"nominal: other extensions get .tex tried too", "fig.png", "doc", "", K::Found,
         "doc/fig.png"},
        {"nominal: a subdirectory of the document's", "sub/part", "doc", "", K::Found,
         "doc/sub/part.tex"},
        {"nominal: a name with a dot in a directory still gets .tex", "../common/macros", "doc", "",
         K::Found, "common/macros.tex"},
        {"nominal: a dotted directory", "v1.2/x", "doc", "", K::Found, "doc/v1.2/x.tex"},
        {"nominal: backslashes part directories", "..\\common\\macros", "doc", "", K::Found,
         "common/macros.tex"},
        {"nominal: blanks around and quotes dropped", " \"my chapter\" ", "doc", "", K::Found,
         "doc/my chapter.tex"},
        {"nominal: the main file's directory when the document's has nothing", "sub/deep", "doc",
         "main", K::Found, "main/sub/deep.tex"},
        {"nominal: an untitled document with a main file", "only", "", "main", K::Found,
         "main/only.tex"},
        {"nominal: the document's directory first", "chap1", "doc", "main", K::Found,
         "doc/chap1.tex"},
        {"robustness: case matters: .TEX is not .tex", "old", "doc", "", K::Missing, "doc/old.tex"},
        {"robustness: nothing found names what TeX reads first", "nothing", "doc", "main",
         K::Missing, "doc/nothing.tex"},
        {"robustness: a directory is not a file", "dironly", "doc", "", K::Missing,
         "doc/dironly.tex"},
        {"robustness: untitled without a main file", "chap1", "", "", K::Untitled, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const InputFile file = Resolve(row.input, row.doc, row.main);
        EXPECT_EQ(file.kind, row.kind);
        EXPECT_EQ(file.path, row.kind == K::Untitled ? "" : In(row.path));
    }
}

TEST_F(InputResolution, TakesAbsoluteNamesAsTheyAre) {
    const InputFile absolute = Resolve(In("common/macros"), "", "");
    EXPECT_EQ(absolute.kind, InputFile::Kind::Found);
    EXPECT_EQ(absolute.path, In("common/macros.tex"));
    const InputFile missing =
        orvelt::ResolveInputName("C:\\doc\\x", "/elsewhere", "", [](auto&) { return false; });
    EXPECT_EQ(missing.kind, InputFile::Kind::Missing);
    EXPECT_EQ(missing.path, "C:/doc/x.tex");
}

} // namespace
} // namespace orvelt
