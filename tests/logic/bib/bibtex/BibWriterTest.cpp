#include "bib/bibtex/BibWriter.h"

#include "TestFiles.h"
#include "bib/bibtex/BibReader.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace orvelt {
namespace {

// Checks the text, then reads it back: the read must be clean, but for the repeated fields the
// database holds, and give the same entries.
void ExpectWrite(const BibDatabase& database, const std::string& expected, int repeats = 0) {
    const std::string text = WriteBIB(database);
    EXPECT_EQ(text, expected);
    const BibReadResult back = ReadBIB(text);
    EXPECT_EQ(back.Report.RepeatedFields, repeats);
    EXPECT_EQ(back.Report.Diagnostics.size(), static_cast<std::size_t>(repeats))
        << back.Report.Diagnostics.front().Message;
    EXPECT_EQ(back.Report.SkippedEntries, 0);
    BibDatabase sorted = database;
    sorted.SortAll();
    EXPECT_EQ(back.Database, sorted);
    EXPECT_EQ(WriteBIB(database), text) << "a second write gives the same bytes";
    EXPECT_EQ(WriteBIB(back.Database), text) << "what was written is written again unchanged";
}

TEST(BibWriter, TextOfEntries) {
    struct Row {
        const char* name;
        std::string source; // read to make the database
        std::string expected;
    };
    const Row rows[] = {
        {"nominal: empty bibliography is an empty file", "", ""},
        {"nominal: article with key, author and title", "@article{K, title = {T}, author = {A}}",
         "@ARTICLE{K,\n   author = {A},\n   title = {T},\n}\n\n"},
        {"nominal: only a cite key", "@book{K}", "@BOOK{K,\n}\n\n"},
        // Regression: an entry without a key started its first field on the header line, where
        // BibTeX takes the field's name for the key and then fails at "=".
        {"regression: an empty key is written before its comma", "@misc{, title = \"T\"}",
         "@MISC{,\n   title = {T},\n}\n\n"},
        // Regression: the key `a=b` was lost and the entry written without one.
        {"regression: a key holding =", "@misc{a=b, title={T}}",
         "@MISC{a=b,\n   title = {T},\n}\n\n"},
        {"nominal: a key holding } is written in parentheses", "@misc(k}x, title={T})",
         "@MISC(k}x,\n   title = {T},\n)\n\n"},
        {"nominal: a key holding ) is written in braces", "@misc{k)x, title={T}}",
         "@MISC{k)x,\n   title = {T},\n}\n\n"},
        // Regression: BibTeX reports a comma after an abbreviation's value as an error.
        {"regression: abbreviation without a trailing comma", "@STRING{jcp = \"J. Chem. Phys.\"}",
         "@STRING{   jcp = {J. Chem. Phys.}\n}\n\n"},
        {"nominal: preamble text stays delimited", "@PREAMBLE{{\\newcommand{\\x}{y}}}",
         "@PREAMBLE{{\\newcommand{\\x}{y}}\n}\n\n"},
        {"nominal: preamble concatenation stays as read", "@PREAMBLE{\"a\" # \"b\"}",
         "@PREAMBLE{\"a\" # \"b\"\n}\n\n"},
        // Regression: bare words and concatenations were braced into literal text.
        {"regression: raw values written without braces",
         "@ARTICLE{K, title = \"A\" # jcp # \"B\", year = 1996, month = jan}",
         "@ARTICLE{K,\n   title = \"A\" # jcp # \"B\",\n   year = 1996,\n   month = jan,\n}\n\n"},
        // Regression: abbreviations came after the entries using them.
        {"regression: abbreviations, then preambles, then the types in order",
         "@MISC{m,} @PREAMBLE{{p}} @ARTICLE{a,} @STRING{s = {S}} @BOOK{b,}",
         "@STRING{   s = {S}\n}\n\n@PREAMBLE{{p}\n}\n\n@ARTICLE{a,\n}\n\n@BOOK{b,\n}\n\n"
         "@MISC{m,\n}\n\n"},
        // Regression: the BOOK was written before the INBOOK referring to it, so BibTeX did not
        // inherit its fields.
        {"regression: cross-referenced entry after those referring to it",
         "@BOOK{whole, title = {W}} @BOOK{z,} @INBOOK{part, crossref = {WHOLE}}",
         "@BOOK{z,\n}\n\n@INBOOK{part,\n   crossref = {WHOLE},\n}\n\n@BOOK{whole,\n   title = "
         "{W},\n}\n\n"},
        {"nominal: chained cross-references",
         "@PROCEEDINGS{top,} @INPROCEEDINGS{mid, crossref = {top}} @ARTICLE{low, crossref = {mid}}",
         "@ARTICLE{low,\n   crossref = {mid},\n}\n\n@INPROCEEDINGS{mid,\n   crossref = "
         "{top},\n}\n\n@PROCEEDINGS{top,\n}\n\n"},
        {"robustness: cross-reference cycle still writes every entry once",
         "@MISC{a, crossref = {b}} @MISC{b, crossref = {a}}",
         "@MISC{b,\n   crossref = {a},\n}\n\n@MISC{a,\n   crossref = {b},\n}\n\n"},
        // Regression: with two entries keyed "c", the one referring to "c" was moved or not
        // depending on which came first, so each save reordered the file again.
        {"regression: entries sharing a cite key keep their order",
         "@BOOK{c,} @BOOK{c, crossref = {c}} @BOOK{d, crossref = {C}}",
         "@BOOK{d,\n   crossref = {C},\n}\n\n@BOOK{c,\n}\n\n@BOOK{c,\n   crossref = "
         "{c},\n}\n\n"},
        // Regression: fields outside the type's table were not written at all.
        {"regression: fields outside the table after the pairs, their form kept",
         "@misc{K, doi = {10/x}, title = \"T\", url = \"http://u\", isbn = 123 # \"4\", note = {}}",
         "@MISC{K,\n   title = {T},\n   note = {},\n   doi = {10/x},\n   url = \"http://u\",\n   "
         "isbn "
         "= 123 # \"4\",\n}\n\n"},
        // Regression: an empty field was left out, so the entry inherited the value of its
        // crossref parent's field, which the empty one had kept out.
        {"regression: a field given empty is written",
         "@INPROCEEDINGS{c, organization = \"\", crossref = {p}} @PROCEEDINGS{p, organization = "
         "{O}}",
         "@INPROCEEDINGS{c,\n   organization = {},\n   crossref = {p},\n}\n\n@PROCEEDINGS{p,\n   "
         "organization = {O},\n}\n\n"},
        // Regression: the last value of a repeated field replaced the first one BibTeX uses.
        {"regression: every value of a repeated field, the first first",
         "@BOOK{K, editor = {A}, title = {T}, editor = \"B\"}",
         "@BOOK{K,\n   editor = {A},\n   title = {T},\n   editor = \"B\",\n}\n\n"},
        {"nominal: an empty first value is written so that it stays first",
         "@MISC{K, note = {}, note = {N}}", "@MISC{K,\n   note = {},\n   note = {N},\n}\n\n"},
        {"nominal: further pairs of an abbreviation", "@STRING{a = {x}, b = \"y\"}",
         "@STRING{   a = {x},\n   b = \"y\"\n}\n\n"},
        // Regression: entries of other types were not written.
        {"regression: entries of other types written as read, after the others",
         "@ONLINE{o,\n title = {O}} @misc{m,}", "@MISC{m,\n}\n\n@ONLINE{o,\n title = {O}}\n\n"},
        // Regression: written at the end, a parent of the sixteen types came before the child of
        // another type that cross-references it, and BibTeX dropped the inherited fields.
        {"regression: a parent after the child of another type referring to it",
         "@BOOK{b, title = {B}} @online{c, crossref = {b}}",
         "@online{c, crossref = {b}}\n\n@BOOK{b,\n   title = {B},\n}\n\n"},
        {"nominal: a parent of another type after its child",
         "@online{p, title = {P}} @INBOOK{c, crossref = {P}}",
         "@INBOOK{c,\n   crossref = {P},\n}\n\n@online{p, title = {P}}\n\n"},
        {"nominal: both of other types", "@online{p,} @thesis{c, crossref = \"p\"}",
         "@thesis{c, crossref = \"p\"}\n\n@online{p,}\n\n"},
        {"nominal: CR LF file keeps CR LF", "@MISC{K,\r\ntitle = {T}}\r\n",
         "@MISC{K,\r\n   title = {T},\r\n}\r\n\r\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const BibReadResult read = ReadBIB(row.source);
        ExpectWrite(read.Database, row.expected, read.Report.RepeatedFields);
    }
}

// Write, read, write: the same bytes, and every entry read back as it was read.
void ExpectRoundTrip(std::string_view source) {
    const BibReadResult first = ReadBIB(source);
    const std::string text = WriteBIB(first.Database);
    const BibReadResult back = ReadBIB(text);
    EXPECT_EQ(back.Database, first.Database) << text;
    EXPECT_EQ(WriteBIB(back.Database), text);
}

TEST(BibWriter, ValuesOpenAtTheEndAreWrittenClosed) {
    // Regression: the open abbreviation was written first, still open, and took in the entries.
    ExpectWrite(ReadBIB("@article{zzz, title={Zed}, year=1999}\n@book{yyy, title={Why}}\n"
                        "@string{foo = {A {b")
                    .Database,
                "@STRING{   foo = {A {b}}\n}\n\n@ARTICLE{zzz,\n   title = {Zed},\n   year = "
                "1999,\n}\n\n@BOOK{yyy,\n   title = {Why},\n}\n\n");
    const char* sources[] = {
        "@MISC{a,} @PREAMBLE{\"A {b",
        "@MISC{a,} @MISC{K, title = \"A {b",
        "@MISC{a,} @MISC{K, url = \"A {{b",
        "@MISC{a,} @MISC{K, title = \"a\" # {b {c",
        "@MISC{a,} @MISC{K, title = \"a}b{c",
        "@MISC{a,} @MISC{K, title = (a}((b",
        "@MISC{a,} @STRING{s = \"x\" # \"a}}",
        "@MISC{a,} @online{o, title = {A {b",
        "@MISC{a,} @online(o, title = \"A",
        "@MISC{a,} @online{o, ti{tle",
        "@MISC{a,} @online{o, % c",
        "@MISC{a,} @online{o, title = {a} x{y",
        "@MISC{a,} @online{, {abc",
    };
    for (const char* source : sources) {
        SCOPED_TRACE(source);
        ExpectRoundTrip(source);
        const BibDatabase back = ReadBIB(WriteBIB(ReadBIB(source).Database)).Database;
        EXPECT_EQ(back.EntryCount() + back.UnknownEntries().size(), 2u);
    }
}

// Regression: line ends inside values and kept entries were copied as read; in a file with mixed
// line ends one of them could be the first line end of the written text, so the next read took
// the file for the other convention and a second save changed every line end.
TEST(BibWriter, LineEndsInsideValuesAreTheFiles) {
    struct Row {
        const char* name;
        const char* source;
        const char* expected;
    };
    const Row rows[] = {
        {"regression: LF in an abbreviation of a CR LF file", "\r\n@STRING{a = {x\ny}}",
         "@STRING{   a = {x\r\ny}\r\n}\r\n\r\n"},
        {"regression: LF in an abbreviation's name in brackets", "\r\n@STRING{{a\nb} = {x}}",
         "@STRING{   {a\r\nb} = {x}\r\n}\r\n\r\n"},
        {"nominal: LF in the name of a field outside the table", "\r\n@MISC{K, {u\nv} = 1}",
         "@MISC{K,\r\n   {u\r\nv} = 1,\r\n}\r\n\r\n"},
        {"regression: LF in a kept entry of a CR LF file", "\r\n@online{o,\n x = {1\r\n2}}",
         "@online{o,\r\n x = {1\r\n2}}\r\n\r\n"},
        {"nominal: CR LF in a value of an LF file", "\n@MISC{K, title = \"a\r\nb\" # c}",
         "@MISC{K,\n   title = \"a\nb\" # c,\n}\n\n"},
        // Regression: a lone CR inside a value, written as read, was the first line end of the
        // text written, and the next read took the file for one of CRs.
        {"regression: a lone CR is a line end, as TeX reads it", "\n@MISC{K, title = {a\rb}}",
         "@MISC{K,\n   title = {a\nb},\n}\n\n"},
        // Regression: of CR CR LF one CR went with the line end at each save.
        {"regression: CRs before a line feed go with it", "\n@MISC{K, title = {a\r\r\nb}}",
         "@MISC{K,\n   title = {a\nb},\n}\n\n"},
        {"nominal: CRs before a line feed in a CR LF file", "\r\n@MISC{K, title = {a\r\r\nb}}",
         "@MISC{K,\r\n   title = {a\r\nb},\r\n}\r\n\r\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const BibReadResult first = ReadBIB(row.source);
        const std::string text = WriteBIB(first.Database);
        EXPECT_EQ(text, row.expected);
        const BibReadResult back = ReadBIB(text);
        EXPECT_EQ(back.Database.LineEnding, first.Database.LineEnding);
        EXPECT_EQ(WriteBIB(back.Database), text);
    }
}

TEST(BibWriter, EntriesMadeInTheWindow) {
    BibDatabase database; // new: LF
    Tdata entry;
    ASSERT_TRUE(InitEntry(entry, "STRING"));
    database.AddEntry(StringType, entry, "NONAME1"); // never named: nothing can use it
    ASSERT_TRUE(InitEntry(entry, "PREAMBLE"));
    database.AddEntry(PreambleType, entry, "NONAME2");
    ASSERT_TRUE(InitEntry(entry, "UNPUBLISHED"));
    SetField(entry, "cite key", "u");
    SetField(entry, "note", "N");
    database.AddEntry(13, entry, "u");
    EXPECT_EQ(WriteBIB(database), "@PREAMBLE{{}\n}\n\n@UNPUBLISHED{u,\n   note = {N},\n}\n\n");
}

// saved.bib as the writer writes it; saved-kept.bib adds entries of other types, fields outside
// the tables, a repeated field and concatenations.
TEST(BibWriter, OpenThenSaveIsByteIdentical) {
    for (const char* file : {"saved.bib", "saved-kept.bib"}) {
        const std::string lf =
            testing::ReadFile(std::filesystem::path(ORVELT_TEST_DATA) / "bib" / file);
        ASSERT_FALSE(lf.empty());
        std::string crlf;
        for (char c : lf) {
            if (c == '\n') {
                crlf += '\r';
            }
            crlf += c;
        }
        for (const std::string& text : {lf, crlf}) {
            SCOPED_TRACE((text.size() == lf.size() ? "LF " : "CR LF ") + std::string(file));
            const BibReadResult read = ReadBIB(text);
            ExpectWrite(read.Database, text, read.Report.RepeatedFields);
        }
    }
}

} // namespace
} // namespace orvelt
