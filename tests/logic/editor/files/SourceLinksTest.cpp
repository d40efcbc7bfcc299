#include "editor/files/SourceLinks.h"

#include "SourceLinksDocuments.h"
#include "WrapPieces.h"
#include "core/LineEnd.h"
#include "editor/files/SourceWriter.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace orvelt {
namespace {

using testing::ReadWithFilter;
using testing::SaveWithSpecials;
using testing::SpecialLines;
using testing::TextOf;

std::vector<int> LinesWithSpecials(const std::u16string& text, int interval) {
    return SpecialLines(SaveWithSpecials(text, interval, 0));
}

struct LinesRow {
    const char* name;
    std::u16string text;
    int interval;
    std::vector<int> expected;
};

void RunLinesRows(const std::vector<LinesRow>& rows) {
    for (const LinesRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(LinesWithSpecials(row.text, row.interval), row.expected);
    }
}

TEST(SourceSpecials, EveryIntervalthLineOutsideGroupsAndEnvironments) {
    RunLinesRows({
        {"nominal: four lines without braces, every second", u"a\nb\nc\nd", 2, {2, 4}},
        {"nominal: every third", u"a\nb\nc\nd\ne\nf\ng", 3, {3, 6}},
        {"nominal: every line", u"a\nb\nc", 1, {1, 2, 3}},
        {"nominal: verbatim gets none, nor its first and last lines",
         u"a\n\\begin{verbatim}\nx\ny\n\\end{verbatim}\nb",
         1,
         {1, 6}},
        {"nominal: balanced braces on one line", u"\\textbf{a}\nb", 1, {1, 2}},
        // Regression: the closing line of a group got a special inside the group; in a
        // two-line \usepackage it stopped the compile ("\special invalid in file name").
        {"regression: a group open across lines, its closing line included",
         u"a\n\\usepackage{amsmath,\namssymb}\nb",
         1,
         {1, 4}},
        // Regression: the last line of a protected environment got a special inside it: before
        // \end{tabular} after "\\ \hline" it added an empty table row.
        {"regression: the line that ends a table",
         u"\\begin{tabular}{ll}\na & b \\\\ \\hline\n\\end{tabular}\nafter",
         1,
         {4}},
        {"nominal: a one-line table leaves nothing open",
         u"x \\begin{tabular}{l} y \\end{tabular}\nafter",
         1,
         {1, 2}},
        // Regression: only the first \begin of a line was read, so \hline and \multicolumn
        // below got specials ("Misplaced \noalign").
        {"regression: stacked begins on one line",
         u"\\begin{center}\\begin{tabular}{l}\n\\hline\nx\\\\\n\\end{tabular}\\end{center}\nafter",
         1,
         {5}},
        {"nominal: nested protected environments",
         u"\\begin{equation}\n\\begin{array}{l}\nx\n\\end{array}\ny\n\\end{equation}\nz",
         1,
         {7}},
        {"nominal: other environments get specials",
         u"\\begin{itemize}\n\n\\item a\n\n\\end{itemize}",
         1,
         {1, 3, 5}},
        {"nominal: raw text hides the ends of other environments",
         u"\\begin{verbatim}\n\\end{tabular}\nx\n\\end{verbatim}\ny",
         1,
         {5}},
        {"nominal: raw text ends only at its exact end",
         u"\\begin{verbatim}\n\\end {verbatim}\nx\n\\end{verbatim}\ny",
         1,
         {5}},
        {"nominal: an environment in a comment does not count",
         u"% \\begin{tabular}\nx\ny",
         1,
         {1, 2, 3}},
        {"nominal: \\begin and its name on two lines",
         u"\\begin\n{tabular}{l}\nx\n\\end{tabular}\ny",
         1,
         {1, 5}},
        {"robustness: an unmatched end opens nothing", u"\\end{tabular}\nx", 1, {1, 2}},
    });
}

TEST(SourceSpecials, IntervalBelowOneIsTakenAsOne) {
    SourceWriteOptions options;
    options.beforeLine = MakeSourceSpecials("/home/j/ch1.tex", 0).beforeLine;
    EXPECT_EQ(
        WriteSource(WrapPieces({{u"a", LineEnd::Lf}, {u"b", std::nullopt}}, 80), options).bytes,
        "\\special{src:1 ch1.tex}a\n\\special{src:2 ch1.tex}b");
}

// Regression: the names missed environments that a special breaks, and their starred forms:
// in verbatim* it was printed, in tabularx and longtable it stopped \hline, in align it added
// an equation number before \intertext.
TEST(SourceSpecials, AddedAndStarredNamesAreProtected) {
    const char16_t* names[] = {u"verbatim*", u"tabular*",    u"tabularx",      u"longtable",
                               u"align",     u"align*",      u"eqnarray*",     u"cases",
                               u"pmatrix",   u"lstlisting",  u"Verbatim",      u"minted",
                               u"comment",   u"tikzpicture", u"filecontents*", u"supertabular"};
    for (const std::u16string name : names) {
        SCOPED_TRACE(std::string(name.begin(), name.end()));
        EXPECT_EQ(LinesWithSpecials(u"\\begin{" + name + u"}\nx\ny\n\\end{" + name + u"}\nz", 1),
                  std::vector<int>{5});
    }
    EXPECT_EQ(LinesWithSpecials(u"\\begin{center}\nx\ny\n\\end{center}", 1),
              (std::vector<int>{1, 2, 3}))
        << "an environment that is not protected";
}

// A special is a whatsit: where TeX takes nothing between two things, it stands between them.
TEST(SourceSpecials, NoneWhereTheLineIsJoinedToTheOneBefore) {
    RunLinesRows({
        {"nominal: none on an empty line, which would stop ending the paragraph",
         u"a\n\nb",
         1,
         {1, 3}},
        {"nominal: none on a line of blanks", u"a\n  \nb", 1, {1, 3}},
        {"nominal: none before indentation, which would become a space", u"a\n  b\nc", 1, {1, 3}},
        {"nominal: none after a word joined by a comment", u"ef%\nfect\nx", 1, {1, 3}},
        {"nominal: a comment line between keeps the join", u"ef%\n% c\nfect\nx", 1, {1, 4}},
        {"nominal: a comment after a blank joins nothing", u"a % c\nb", 1, {1, 2}},
        {"nominal: none after a control word, which could take it as argument",
         u"\\LaTeX\nis\nx",
         1,
         {1, 3}},
        {"nominal: after a control space", u"a\\ \nb", 1, {1, 2}},
        {"nominal: none before an optional argument", u"x\\\\\n[2pt] y\nz", 1, {1, 3}},
        {"nominal: none before a brace, star or script", u"x\n{a}\ny\n*b\nz\n^2\n_y", 1, {1, 3, 5}},
        // Regression: a special after a line's space, before a command that ends the paragraph
        // or looks for that space, kept the space: the centred line moved.
        {"regression: after a line of text only text",
         u"\\begin{center}\ncell\n\\end{center}",
         1,
         {1, 2}},
        {"nominal: after a blank line a command too", u"text\n\n\\item x\n\\label{a}", 1, {1, 3}},
        {"nominal: after a space, digits and letters beyond ASCII",
         u"a\n1\n\u00E4\n(",
         1,
         {1, 2, 3}},
    });
}

TEST(SourceSpecials, WrappedPiecesCountAsLines) {
    SourceWriteOptions options;
    options.softBreakMarker = true;
    options.beforeLine = MakeSourceSpecials("/home/j/ch1.tex", 1).beforeLine;
    const std::vector<HardLine> lines = {{u"aaa bbb ccc", LineEnd::Lf}, {u"next", std::nullopt}};
    EXPECT_EQ(WriteSource(WrapPieces(lines, 4), options).bytes, "\\special{src:1 ch1.tex}aaa %%@\n"
                                                                "\\special{src:2 ch1.tex}bbb %%@\n"
                                                                "\\special{src:3 ch1.tex}ccc\n"
                                                                "\\special{src:4 ch1.tex}next");

    options.beforeLine = MakeSourceSpecials("/home/j/ch1.tex", 1).beforeLine;
    const std::vector<HardLine> comment = {{u"x % a long note", LineEnd::Lf}, {u"y", std::nullopt}};
    EXPECT_EQ(WriteSource(WrapPieces(comment, 6), options).bytes,
              "\\special{src:1 ch1.tex}x % a %%@\n%long n%%@\n%ote\n\\special{src:4 ch1.tex}y")
        << "none before a piece that continues a comment";

    options.beforeLine = MakeSourceSpecials("/home/j/ch1.tex", 1).beforeLine;
    const std::vector<HardLine> word = {{u"abcdef", LineEnd::Lf}, {u"g", std::nullopt}};
    EXPECT_EQ(WriteSource(WrapPieces(word, 3), options).bytes,
              "\\special{src:1 ch1.tex}abc%%@\ndef\n\\special{src:3 ch1.tex}g")
        << "none inside a word cut by the wrap";
}

TEST(SourceSpecials, OnlyTeXSourcesTakeThem) {
    struct Row {
        const char* name;
        const char* fileName;
        bool takes;
    };
    const Row rows[] = {
        {"nominal: .tex", "/home/j/ch1.tex", true},
        {"nominal: .ltx", "/home/j/ch1.ltx", true},
        {"nominal: any case", "/home/j/CH1.TeX", true},
        {"nominal: upper .LTX", "/home/j/a.LTX", true},
        {"nominal: a bibliography", "/home/j/refs.bib", false},
        {"nominal: a style", "/home/j/my.sty", false},
        {"nominal: a class", "/home/j/my.cls", false},
        {"nominal: a BibTeX style", "/home/j/my.bst", false},
        {"nominal: a script", "/home/j/make.sh", false},
        {"edge: no extension", "/home/j/README", false},
        {"edge: the dot is in the folder's name", "/home/j.tex/notes", false},
        {"edge: .tex inside the name", "/home/j/a.tex.bak", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(TakesSourceSpecials(row.fileName), row.takes);
        EXPECT_EQ(MakeSourceSpecials(row.fileName, 1).outcome,
                  row.takes ? SpecialsOutcome::Written : SpecialsOutcome::NotTexSource);
    }
}

// Regression: the name part went into TeX as it was; with a "%" in it, the special swallowed
// the line's text and the next line without an error.
TEST(SourceSpecials, UnsafeNamePartsGetNone) {
    struct Row {
        const char* name;
        std::string fileName;
        SpecialsOutcome outcome;
    };
    const Row rows[] = {
        {"nominal: plain name", "/home/j/ch1.tex", SpecialsOutcome::Written},
        {"nominal: blanks, dashes and dots are safe", "/home/j/my ch-1.v2.tex",
         SpecialsOutcome::Written},
        {"nominal: the folder's name does not matter", "/home/50%/a{b}/ch1.tex",
         SpecialsOutcome::Written},
        {"regression: percent", "/home/j/50%.tex", SpecialsOutcome::UnsafeName},
        {"nominal: braces", "/home/j/a{b}.tex", SpecialsOutcome::UnsafeName},
        {"nominal: backslash", "/home/j/a\\b.tex", SpecialsOutcome::UnsafeName},
        {"nominal: hash", "/home/j/#1.tex", SpecialsOutcome::UnsafeName},
        {"nominal: tilde", "/home/j/~a.tex", SpecialsOutcome::UnsafeName},
        {"nominal: caret", "/home/j/a^b.tex", SpecialsOutcome::UnsafeName},
        {"nominal: tab", "/home/j/a\tb.tex", SpecialsOutcome::UnsafeName},
        {"nominal: delete", "/home/j/a\x7F.tex", SpecialsOutcome::UnsafeName},
        {"nominal: UTF-8", "/home/j/caf\xC3\xA9.tex", SpecialsOutcome::UnsafeName},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const SourceSpecialsHook hook = MakeSourceSpecials(row.fileName, 1);
        EXPECT_EQ(hook.outcome, row.outcome);
        EXPECT_EQ(static_cast<bool>(hook.beforeLine), row.outcome == SpecialsOutcome::Written);
    }
    SourceWriteOptions options;
    options.beforeLine = MakeSourceSpecials("/home/50%/my ch-1.tex", 1).beforeLine;
    EXPECT_EQ(WriteSource(WrapPieces({{u"x", std::nullopt}}, 80), options).bytes,
              "\\special{src:1 my ch-1.tex}x")
        << "the name part only, after the last slash";
}

// The documents the TeX test typesets, saved with a special wherever one may go, in each wrap
// mode, and read back with the filter: the text is the same.
TEST(SourceSpecials, SavedAndReadBackWithTheFilterUnchanged) {
    for (const std::string& name : testing::SourceLinksDocuments()) {
        SCOPED_TRACE(name);
        const std::u16string original = TextOf(name);
        for (const std::size_t width : {0u, 9u, 31u, 72u}) {
            SCOPED_TRACE("wrapped at " + std::to_string(width) + " (0: not wrapped)");
            const std::string saved = SaveWithSpecials(original, 1, width);
            EXPECT_FALSE(SpecialLines(saved).empty()) << "specials were written";
            EXPECT_EQ(ReadWithFilter(saved, width != 0), original);
        }
    }
}

} // namespace
} // namespace orvelt
