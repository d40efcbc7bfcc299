#include "TestFiles.h"
#include "project/scan/InputNames.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <sstream>
#include <string>

namespace orvelt {
namespace {

namespace fs = std::filesystem;

// Every name listed for a document opens a file that TeX itself read for it: the .fls of a
// pdflatex -recorder run records each as INPUT.
TEST(InputNamesAgreeWithTeX, EachListedNameOpensAFileTeXRead) {
    if (!testing::OnPath("pdflatex")) {
        GTEST_SKIP() << "pdflatex is not on PATH";
    }
    const testing::ScratchFolder scratch("orvelt-inputs-tex");
    const fs::path root = scratch.Path();
    const fs::path doc = root / "doc";
    fs::create_directories(doc / "sub");
    fs::create_directories(root / "common");
    const std::string lines[] = {
        "\\input{sub/part}",     "\\include{chap1}",     "\\input{../common/macros}",
        "\\input chap2 \\relax", "\\input{\"my file\"}",
    };
    std::string source = "\\documentclass{article}\n\\begin{document}\n";
    for (const std::string& line : lines) {
        source += line + "\n";
    }
    source += "\\end{document}\n";
    testing::WriteFile(doc / "paper.tex", source);
    for (const fs::path& file :
         {doc / "sub/part.tex", doc / "chap1.tex", root / "common/macros.tex", doc / "chap2.tex",
          doc / "my file.tex"}) {
        testing::WriteFile(file, "Text of " + file.filename().string() + ".\n");
    }
    // A decoy TeX would not read: name.tex comes first.
    testing::WriteFile(doc / "chap2", "\\errmessage{wrong file}\n");

    const std::string command = "cd '" + doc.string() +
                                "' && timeout 120 pdflatex -recorder -interaction=nonstopmode "
                                "-halt-on-error paper.tex > /dev/null 2>&1";
    const int status = std::system(command.c_str());
    std::istringstream fls(testing::ReadFile(doc / "paper.fls"));
    std::set<fs::path> read;
    fs::path pwd = doc;
    for (std::string entry; std::getline(fls, entry);) {
        if (entry.starts_with("PWD ")) {
            pwd = entry.substr(4);
        } else if (entry.starts_with("INPUT ")) {
            read.insert(fs::weakly_canonical(pwd / entry.substr(6)));
        }
    }
    const std::string log = testing::ReadFile(doc / "paper.log");
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << log;

    for (const std::string& line : lines) {
        SCOPED_TRACE(line);
        const auto names = ScanInputLine(std::string_view(line));
        ASSERT_EQ(names.size(), 1u);
        const InputFile file = ResolveInputName(
            std::string_view(line).substr(names[0].start, names[0].length), doc.string(), "",
            [](const std::string& path) { return fs::is_regular_file(path); });
        ASSERT_EQ(file.kind, InputFile::Kind::Found);
        EXPECT_TRUE(read.contains(fs::weakly_canonical(file.path))) << file.path;
    }
    fs::remove_all(root);
}

} // namespace
} // namespace orvelt
