#include "TestFiles.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace orvelt {
namespace {

namespace fs = std::filesystem;

// Packages the keyword list draws its commands from; those the set-up does not install are
// loaded when present, and their commands are named among the exceptions below.
constexpr const char* kPreamble = R"(\documentclass{report}
\usepackage[english]{babel}
\usepackage{amsmath,amssymb,amsthm,mathtools,latexsym}
\usepackage{graphicx,xcolor,tikz,booktabs,array,float,ifthen,makeidx,listings,verbatim}
\usepackage{pdfpages,fancyhdr,geometry,caption,subcaption}
\usepackage[natbib=true]{biblatex}
\makeatletter
\@for\orv@pkg:={siunitx,cleveref,csquotes,lipsum,blindtext,titlesec,titleps,enumitem,multirow,placeins}\do{%
  \IfFileExists{\orv@pkg.sty}{\RequirePackage{\orv@pkg}}{}}
\makeatother
\usepackage{hyperref,bookmark}
\newwrite\undefinedout
\immediate\openout\undefinedout=undefined.txt
\long\def\check#1#2{\ifdefined#1\else\immediate\write\undefinedout{#2}\fi}
\begin{document}
)";

const char* const kNotInstalled = "its package is not among what the set-up installs";

// Keywords that no document of the packages above defines, by the reason.
const std::map<std::string, std::string, std::less<>> kExceptions = {
    {"\\equal", "ifthen defines it only inside the test of \\ifthenelse"},
    {"\\dq", "babel's German shorthand; ngerman is not installed"},
    {"\\datengerman", "babel's ngerman, which is not installed"},
    {"\\captionsngerman", "babel's ngerman, which is not installed"},
    {"\\draw", "tikz defines it only inside a picture"},
    {"\\node", "tikz defines it only inside a picture"},
    {"\\coordinate", "tikz defines it only inside a picture"},
    {"\\SI", kNotInstalled},
    {"\\si", kNotInstalled},
    {"\\num", kNotInstalled},
    {"\\qty", kNotInstalled},
    {"\\unit", kNotInstalled},
    {"\\ang", kNotInstalled},
    {"\\Cref", kNotInstalled},
    {"\\Crefname", kNotInstalled},
    {"\\cref", kNotInstalled},
    {"\\crefname", kNotInstalled},
    {"\\labelcref", kNotInstalled},
    {"\\enquote", kNotInstalled},
    {"\\lipsum", kNotInstalled},
    {"\\blindtext", kNotInstalled},
    {"\\titleformat", kNotInstalled},
    {"\\titlespacing", kNotInstalled},
    {"\\newpagestyle", kNotInstalled},
    {"\\newlist", kNotInstalled},
    {"\\setlist", kNotInstalled},
    {"\\multirow", kNotInstalled},
    {"\\FloatBarrier", kNotInstalled},
};

// Every line of the keyword list names a command that TeX knows once the packages it comes
// from are loaded: a misspelt or invented line would colour a typo as a LaTeX command and
// offer it in the command list.
TEST(KeywordList, EveryLineIsDefinedByTeX) {
    if (!testing::OnPath("pdflatex"))
        GTEST_SKIP() << "pdflatex is not on PATH";
    const testing::ScratchFolder scratch("orvelt-keywords");
    const fs::path dir = scratch.Path();

    std::istringstream in(testing::ReadFile(ORVELT_DATA_DIR "/KEYWORDS.TXT"));
    std::vector<std::string> lines;
    std::string document = kPreamble;
    for (std::string line; std::getline(in, line);) {
        document += "\\check" + line + "{" + std::to_string(lines.size()) + "}\n";
        lines.push_back(line);
    }
    document += "\\immediate\\closeout\\undefinedout\nx\n\\end{document}\n";
    testing::WriteFile(dir / "keywords.tex", document);
    const std::string command = "cd '" + dir.string() +
                                "' && timeout 300 pdflatex -interaction=nonstopmode "
                                "-halt-on-error keywords.tex > /dev/null 2>&1";
    const int status = std::system(command.c_str());
    const std::string log = testing::ReadFile(dir / "keywords.log");
    std::istringstream undefined(testing::ReadFile(dir / "undefined.txt"));
    fs::remove_all(dir);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << log;

    std::string unknown;
    for (std::string index; std::getline(undefined, index);) {
        const std::string& name = lines.at(std::stoul(index));
        if (!kExceptions.contains(name))
            unknown += name + " ";
    }
    EXPECT_EQ(unknown, "");
}

} // namespace
} // namespace orvelt
