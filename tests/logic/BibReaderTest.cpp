#include "bib/BibReader.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace orvelt {
namespace {

struct Field {
    std::string name;
    std::string value;
    ValueForm form = ValueForm::Delimited;
};

struct Entry {
    int type;
    std::string caption;
    std::vector<Field> fields; // every pair with a value, in the type's order
};

constexpr ValueForm Raw = ValueForm::Raw;
enum : int { Article = 0, Book = 1, InBook = 4, Manual = 7, Misc = 9, Abbrev = 14, Preamble = 15 };

// Compares the whole database with `expected`, category by category in tree order.
void ExpectEntries(const BibDatabase& database, const std::vector<Entry>& expected) {
    std::vector<Entry> actual;
    for (int type = 0; type < EntryTypeCount; ++type) {
        for (const BibEntry& entry : database.Category(type)) {
            Entry row{type, entry.Caption, {}};
            for (int i = 0; i < entry.Data.FieldCount; ++i) {
                const FieldPair& pair = entry.Data.Fields[i];
                if (!pair.Value.empty()) {
                    row.fields.push_back({pair.Name, pair.Value, pair.Form});
                }
            }
            actual.push_back(row);
        }
    }
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) {
        SCOPED_TRACE("entry " + std::to_string(i));
        EXPECT_EQ(actual[i].type, expected[i].type);
        EXPECT_EQ(actual[i].caption, expected[i].caption);
        ASSERT_EQ(actual[i].fields.size(), expected[i].fields.size());
        for (std::size_t f = 0; f < actual[i].fields.size(); ++f) {
            EXPECT_EQ(actual[i].fields[f].name, expected[i].fields[f].name);
            EXPECT_EQ(actual[i].fields[f].value, expected[i].fields[f].value);
            EXPECT_EQ(actual[i].fields[f].form, expected[i].fields[f].form)
                << actual[i].fields[f].name;
        }
    }
}

struct Row {
    const char* name;
    std::string text;
    std::vector<Entry> entries;
    int skipped = 0;
};

void RunRows(const std::vector<Row>& rows) {
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const BibReadResult result = ReadBIB(row.text);
        EXPECT_TRUE(result.Report.Readable());
        ExpectEntries(result.Database, row.entries);
        EXPECT_EQ(result.Report.SkippedEntries, row.skipped);
        EXPECT_EQ(result.Report.AddedEntries, static_cast<int>(row.entries.size()));
    }
}

TEST(BibReader, EntriesAndValues) {
    RunRows({
        {"nominal: empty file", "", {}},
        {"nominal: text without any @", "just {some} text, = \"here\"", {}},
        {"nominal: braces and parentheses inside a braced value",
         "@article{K, title = {On {X} and (Y)}, year = 1996}",
         {{Article, "K", {{"cite key", "K"}, {"title", "On {X} and (Y)"}, {"year", "1996", Raw}}}}},
        {"nominal: abbreviation in braces",
         "@STRING{jcp = {J. Chem. Phys.}}",
         {{Abbrev, "jcp", {{"jcp", "J. Chem. Phys."}}}}},
        {"nominal: abbreviation in double quotes reads the same",
         "@string{jcp = \"J. Chem. Phys.\"}",
         {{Abbrev, "jcp", {{"jcp", "J. Chem. Phys."}}}}},
        {"nominal: preamble",
         "@PREAMBLE{{\\newcommand{\\x}{y}}}",
         {{Preamble, "Preamble", {{"", "\\newcommand{\\x}{y}"}}}}},
        {"nominal: entry in parentheses",
         "@BOOK(K, title = {T})",
         {{Book, "K", {{"cite key", "K"}, {"title", "T"}}}}},
        {"nominal: type words and field names in any case",
         "@Article{K, AUTHOR = {A}}",
         {{Article, "K", {{"cite key", "K"}, {"author", "A"}}}}},
        {"nominal: no cite key and no title",
         "@MISC{, author = {A}}",
         {{Misc, "?????", {{"author", "A"}}}}},
        {"nominal: no cite key, captioned by the title",
         "@MISC{, title = {T}}",
         {{Misc, "T", {{"title", "T"}}}}},
        {"nominal: the last of repeated fields wins",
         "@MISC{K, title = {One}, title = {Two}}",
         {{Misc, "K", {{"cite key", "K"}, {"title", "Two"}}}}},
        {"nominal: fields outside the type's list are dropped",
         "@MISC{K, journal = {J}, url = {u}}",
         {{Misc, "K", {{"cite key", "K"}}}}},
        {"nominal: a value longer than any read buffer is read whole",
         "@MISC{K, note = {" + std::string(20000, 'n') + "}}",
         {{Misc, "K", {{"cite key", "K"}, {"note", std::string(20000, 'n')}}}}},
        {"nominal: ordinary categories sorted by caption, ignoring case",
         "@MISC{b,} @MISC{A,} @ARTICLE{z,} @MISC{c,}",
         {{Article, "z", {{"cite key", "z"}}},
          {Misc, "A", {{"cite key", "A"}}},
          {Misc, "b", {{"cite key", "b"}}},
          {Misc, "c", {{"cite key", "c"}}}}},
    });
}

TEST(BibReader, RawValuesKeepTheirForm) {
    RunRows({
        // Regression: bare words were written back in braces, so `jan` printed as "jan" instead
        // of the month, and an abbreviation became literal text.
        {"regression: bare month, number and abbreviation stay bare",
         "@ARTICLE{K, journal = jcp, year = 1996, month = jan}",
         {{Article,
           "K",
           {{"cite key", "K"},
            {"journal", "jcp", Raw},
            {"year", "1996", Raw},
            {"month", "jan", Raw}}}}},
        // Regression: a concatenation lost its first and last character.
        {"regression: concatenation kept as written",
         "@ARTICLE{K, title = \"A\" # jcp # \"B\"}",
         {{Article, "K", {{"cite key", "K"}, {"title", "\"A\" # jcp # \"B\"", Raw}}}}},
        {"nominal: concatenation without blanks gets them around #",
         "@ARTICLE{K, month = aug#\"~15\"}",
         {{Article, "K", {{"cite key", "K"}, {"month", "aug # \"~15\"", Raw}}}}},
        {"nominal: delimited value with unbalanced braces stays as written",
         "@ARTICLE{K, title = \"a}b\"}",
         {{Article, "K", {{"cite key", "K"}, {"title", "\"a}b\"", Raw}}}}},
        {"nominal: abbreviation defined from another keeps its raw form",
         "@STRING{comp = ieee # \" Computer\"}",
         {{Abbrev, "comp", {{"comp", "ieee # \" Computer\"", Raw}}}}},
    });
}

TEST(BibReader, DepthInsideValues) {
    RunRows({
        // Regression: "(" in a braced value raised the shared depth, the value ran past its
        // closing brace and swallowed every entry after it.
        {"regression: unmatched ( inside braces",
         "@BOOK{a, title = {Lecture notes (draft}}\n@BOOK{b, title = {T}}",
         {{Book, "a", {{"cite key", "a"}, {"title", "Lecture notes (draft"}}},
          {Book, "b", {{"cite key", "b"}, {"title", "T"}}}}},
        {"regression: unmatched ( inside double quotes",
         "@BOOK{a, title = \"x (y\"}\n@BOOK{b, title = {T}}",
         {{Book, "a", {{"cite key", "a"}, {"title", "x (y"}}},
          {Book, "b", {{"cite key", "b"}, {"title", "T"}}}}},
        {"nominal: a double quote inside braces does not end a quoted value",
         "@BOOK{a, title = \"x {\"} y\"}",
         {{Book, "a", {{"cite key", "a"}, {"title", "x {\"} y"}}}}},
        {"nominal: an unmatched ) inside braces closes nothing",
         "@BOOK{a, title = {x) y}, year = {1}}",
         {{Book, "a", {{"cite key", "a"}, {"title", "x) y"}, {"year", "1"}}}}},
    });
}

TEST(BibReader, Names) {
    RunRows({
        // Regression: the tab became part of the name and the author was dropped as unknown.
        {"regression: tab before =",
         "@ARTICLE{K, author\t= {A}, title\t\t=\t{T}}",
         {{Article, "K", {{"cite key", "K"}, {"author", "A"}, {"title", "T"}}}}},
        // Regression: the first character was skipped, so `_title` overwrote the title.
        {"regression: names starting with odd characters are names of their own",
         "@BOOK{K, title = {T}, _title = {X}, editor = {E}, %editor = {Y}}",
         {{Book, "K", {{"cite key", "K"}, {"editor", "E"}, {"title", "T"}}}}},
        // Regression: a name without value replaced the cite key by "note".
        {"regression: name without value after a field leaves the cite key",
         "@MISC{K, title = {T}, note = , year = 2}",
         {{Misc, "K", {{"cite key", "K"}, {"title", "T"}, {"year", "2", Raw}}}}},
        {"nominal: name without value before any field is the cite key",
         "@MISC{ key:1/b , title = {T}}",
         {{Misc, "key:1/b", {{"cite key", "key:1/b"}, {"title", "T"}}}}},
    });
}

TEST(BibReader, EntryStarts) {
    RunRows({
        // Regression: the blank after "@" gave an empty type word and the manual was lost.
        {"regression: white space after @",
         "@ MANUAL (scribe, title = {T})",
         {{Manual, "scribe", {{"cite key", "scribe"}, {"title", "T"}}}}},
        // Regression: the "@" of an address read up to the next entry's "{" and lost it.
        {"regression: @ in free text before an entry",
         "Mail me@example.org about it.\n@MISC{K, title = {T}}",
         {{Misc, "K", {{"cite key", "K"}, {"title", "T"}}}}},
        {"nominal: white space between type word and brace",
         "@misc \n {K, title = {T}}",
         {{Misc, "K", {{"cite key", "K"}, {"title", "T"}}}}},
        {"nominal: @ followed by a word and no brace is free text",
         "@misc then @MISC{K,}",
         {{Misc, "K", {{"cite key", "K"}}}}},
        {"nominal: unknown types skipped and counted",
         "@COMMENT{x} @ONLINE{o, title = {O}} @artcle{m, title = {M}} @MISC{K, title = {T}}",
         {{Misc, "K", {{"cite key", "K"}, {"title", "T"}}}},
         3},
        {"nominal: a comment is not read, as BibTeX does not read it",
         "@comment{ (unbalanced } @MISC{K,}",
         {{Misc, "K", {{"cite key", "K"}}}},
         1},
    });
}

TEST(BibReader, ValuesSideBySide) {
    RunRows({
        // Regression: `12 % {13}` became one raw value "12 % {13}", invalid when written back.
        {"regression: stray % between two values",
         "@BOOK{K, volume = 12 % {13}, number = 4}",
         {{Book, "K", {{"cite key", "K"}, {"volume", "12", Raw}, {"number", "4", Raw}}}}},
        {"robustness: second value at the end of the entry",
         "@BOOK{K, volume = {12} {13}}@BOOK{L,}",
         {{Book, "K", {{"cite key", "K"}, {"volume", "12"}}}, {Book, "L", {{"cite key", "L"}}}}},
    });
}

TEST(BibReader, AbbreviationsAndPreamblesKeepFileOrder) {
    // Regression: sorted by name, `comp` came before the `ieee` it is built from.
    RunRows({
        {"regression: abbreviations in file order",
         "@STRING{ieee = \"IEEE\"} @STRING{comp = ieee # \" Computer\"} @STRING{abc = {x}}",
         {{Abbrev, "ieee", {{"ieee", "IEEE"}}},
          {Abbrev, "comp", {{"comp", "ieee # \" Computer\"", Raw}}},
          {Abbrev, "abc", {{"abc", "x"}}}}},
        {"nominal: preambles in file order",
         "@PREAMBLE{\"b\"} @PREAMBLE{{a}}",
         {{Preamble, "Preamble", {{"", "b"}}}, {Preamble, "Preamble", {{"", "a"}}}}},
    });
}

TEST(BibReader, MalformedInput) {
    RunRows({
        {"robustness: unterminated value runs to the end",
         "@MISC{K, title = {abc",
         {{Misc, "K", {{"cite key", "K"}, {"title", "abc"}}}}},
        {"robustness: unterminated entry",
         "@MISC{K, title = {T}",
         {{Misc, "K", {{"cite key", "K"}, {"title", "T"}}}}},
        {"robustness: extra closing braces between entries",
         "@MISC{K, title = {T}}}}} @MISC{L,}",
         {{Misc, "K", {{"cite key", "K"}, {"title", "T"}}}, {Misc, "L", {{"cite key", "L"}}}}},
        {"robustness: @ at the very end", "@", {}},
        {"robustness: entry that is only a header", "@MISC{", {{Misc, "?????", {}}}},
        {"robustness: value without a name",
         "@MISC{K, = {x}, title = {T}}",
         {{Misc, "K", {{"cite key", "K"}, {"title", "T"}}}}},
    });
}

TEST(BibReader, HugeAndBinaryInputEnds) {
    struct Huge {
        const char* name;
        std::string text;
    };
    std::string everyByte;
    for (int round = 0; round < 64; ++round) {
        for (int c = 0; c < 256; ++c) {
            everyByte.push_back(static_cast<char>((c * 7 + round) & 0xFF));
        }
    }
    const Huge cases[] = {
        {"robustness: 10 MB of {", std::string(10'000'000, '{')},
        {"robustness: 10 MB of { inside an entry",
         "@MISC{K, title = " + std::string(10'000'000, '{')},
        {"robustness: 1 MB of @", std::string(1'000'000, '@')},
        {"robustness: 1 MB of entry headers",
         [] {
             std::string text;
             for (int i = 0; i < 100'000; ++i) {
                 text += "@MISC{ ";
             }
             return text;
         }()},
        {"robustness: every byte value", everyByte},
        {"robustness: nul bytes inside an entry", std::string("@MISC{K\0, title = {\0}}", 22)},
    };
    for (const Huge& row : cases) {
        SCOPED_TRACE(row.name);
        const BibReadResult result = ReadBIB(row.text);
        EXPECT_TRUE(result.Report.Readable());
        EXPECT_LE(result.Report.Diagnostics.size(), MaxBibDiagnostics + 1);
    }
}

TEST(BibReader, DiagnosticsCarryPositions) {
    const BibReadResult result = ReadBIB("@BOOK{K,\n  volume = 12 % 13,\n  title = {abc");
    ASSERT_EQ(result.Report.Diagnostics.size(), 3u);
    const BibDiagnostic& glued = result.Report.Diagnostics[0];
    EXPECT_EQ(glued.Message, bibmsg::ValueWithoutHash);
    EXPECT_EQ(glued.Line, 2);
    EXPECT_EQ(glued.Column, 15);
    EXPECT_EQ(result.Report.Diagnostics[1].Message, bibmsg::UnterminatedValue);
    EXPECT_EQ(result.Report.Diagnostics[1].Line, 3);
    EXPECT_EQ(result.Report.Diagnostics[1].Column, 11);
    EXPECT_EQ(result.Report.Diagnostics[2].Message, bibmsg::UnterminatedEntry);
}

TEST(BibReader, UnreadableFileIsAnError) {
    const BibReadResult failed = ReadBIB(FileBytes{{}, "Permission denied"});
    EXPECT_FALSE(failed.Report.Readable());
    EXPECT_EQ(failed.Report.IoError, "Permission denied");
    EXPECT_TRUE(failed.Database.Empty());

    const BibReadResult empty = ReadBIB(FileBytes{"", std::nullopt});
    EXPECT_TRUE(empty.Report.Readable()) << "an empty file is read, not failed";

    BibDatabase open = ReadBIB("@MISC{K,}").Database;
    const BibReadReport import = ImportBIB(open, FileBytes{{}, "No such file or directory"});
    EXPECT_FALSE(import.Readable());
    EXPECT_EQ(open.EntryCount(), 1u);
}

TEST(BibReader, ImportAddsAndSortsKeepingLineEnds) {
    BibDatabase open = ReadBIB("@MISC{b,}\r\n@STRING{x = {1}}\r\n").Database;
    ASSERT_EQ(open.LineEnding, LineEnd::CrLf);
    const BibReadReport report = ImportBIB(open, "@MISC{a,}\n@STRING{y = {2}}\n@ONLINE{o,}\n");
    EXPECT_EQ(report.AddedEntries, 2);
    EXPECT_EQ(report.SkippedEntries, 1);
    EXPECT_EQ(open.LineEnding, LineEnd::CrLf);
    ExpectEntries(open, {{Misc, "a", {{"cite key", "a"}}},
                         {Misc, "b", {{"cite key", "b"}}},
                         {Abbrev, "x", {{"x", "1"}}},
                         {Abbrev, "y", {{"y", "2"}}}});
}

TEST(BibReader, LineEndOfTheFile) {
    struct LineEndRow {
        const char* name;
        const char* text;
        LineEnd expected;
    };
    const LineEndRow rows[] = {
        {"nominal: CR LF first", "a\r\nb\n", LineEnd::CrLf},
        {"nominal: LF first", "a\nb\r\n", LineEnd::Lf},
        {"nominal: no line end gives LF", "a", LineEnd::Lf},
        {"robustness: LF at the start", "\na", LineEnd::Lf},
        {"robustness: lone CR is not CR LF", "a\rb\n", LineEnd::Lf},
    };
    for (const LineEndRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(DetectLineEnd(row.text), row.expected);
        EXPECT_EQ(ReadBIB(row.text).Database.LineEnding, row.expected);
    }
}

} // namespace
} // namespace orvelt
