#include "toolchain/run/CommandLine.h"

#include <gtest/gtest.h>

namespace orvelt {
namespace {

using Words = std::vector<std::string>;

TEST(CommandLine, SplitsAtBlanksOutsideQuotes) {
    const struct {
        const char* name;
        const char* command;
        Words words;
    } cases[] = {
        {"nominal: blanks and tabs part words",
         " latex\t -draftmode  %f ",
         {"latex", "-draftmode", "paper"}},
        {"nominal: a quoted word keeps blanks and placeholders",
         R"(xdvi -sourceposition "%n %f.tex" %f.dvi)",
         {"xdvi", "-sourceposition", "12 paper.tex", "paper.dvi"}},
        {"nominal: quotes inside a word join it", R"(a"b c"d)", {"ab cd"}},
        {"nominal: empty quotes are an empty argument", R"(prog "" x)", {"prog", "", "x"}},
        {"literal: three quotes outside a quoted run", R"(echo """hi""")", {"echo", R"("hi")"}},
        {"literal: three quotes inside a quoted run", R"(echo "a """ b")", {"echo", R"(a " b)"}},
        {"literal: four quotes are a literal one, then a quoted run",
         R"(echo """"a b")",
         {"echo", R"("a b)"}},
        {"robustness: an unclosed quote runs to the end", R"(prog "%f  x)", {"prog", "paper  x"}},
        {"robustness: empty command", "", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SubstituteCommandLine(c.command, "paper", 12).words, c.words);
    }
}

TEST(CommandLine, FillsPlaceholdersOnceInsideEachWord) {
    const struct {
        const char* name;
        const char* command;
        const char* fileBase;
        Words words;
        const char* display;
    } cases[] = {
        {"nominal: file base and line in one word",
         "prog %f:%n",
         "paper",
         {"prog", "paper:12"},
         "prog paper:12"},
        {"nominal: every placeholder",
         "prog %f.dvi %n %f",
         "paper",
         {"prog", "paper.dvi", "12", "paper"},
         "prog paper.dvi 12 paper"},
        // A "%n" that came in with the file base was filled too: report%n.tex ran as report12.tex.
        {"regression: filled text is not scanned again",
         "pdflatex %f.tex",
         "report%n",
         {"pdflatex", "report%n.tex"},
         "pdflatex report%n.tex"},
        {"nominal: a file base with blanks is one argument",
         "latex %f",
         "my paper",
         {"latex", "my paper"},
         "latex my paper"},
        {"nominal: a file base with quotes is one argument",
         "latex %f",
         R"(a"b""")",
         {"latex", R"(a"b""")"},
         R"(latex a"b""")"},
        {"nominal: shell characters are one argument",
         "touch %f.ran",
         "x; rm $(pwd) *",
         {"touch", "x; rm $(pwd) *.ran"},
         "touch x; rm $(pwd) *.ran"},
        {"nominal: upper case is not a placeholder",
         "prog %F %N",
         "paper",
         {"prog", "%F", "%N"},
         "prog %F %N"},
        {"nominal: other percent signs stay",
         "prog 100% %%f %",
         "paper",
         {"prog", "100%", "%paper", "%"},
         "prog 100% %paper %"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CommandLine line = SubstituteCommandLine(c.command, c.fileBase, 12);
        EXPECT_FALSE(line.fileBaseRejected);
        EXPECT_EQ(line.words, c.words);
        EXPECT_EQ(line.display, c.display);
    }
}

// The command went out with "%f" unfilled: TeX took the rest as a comment and waited for input.
TEST(CommandLine, RejectsAFileBaseHoldingThePlaceholder) {
    const CommandLine line = SubstituteCommandLine("latex %f", "odd%fname", 1);
    EXPECT_TRUE(line.fileBaseRejected);
    EXPECT_TRUE(line.words.empty());
    EXPECT_FALSE(SubstituteCommandLine("latex %f", "odd%Fname", 1).fileBaseRejected);
}

// Commands were cut to 255 characters, running a program on a truncated file name.
TEST(CommandLine, KeepsALongCommandWhole) {
    const std::string command = "prog " + std::string(9993, 'a') + "%f";
    ASSERT_EQ(command.size(), 10000u);
    const CommandLine line = SubstituteCommandLine(command, "paper", 1);
    ASSERT_EQ(line.words.size(), 2u);
    EXPECT_EQ(line.words[1], std::string(9993, 'a') + "paper");
    EXPECT_EQ(line.display, "prog " + line.words[1]);
}

} // namespace
} // namespace orvelt
