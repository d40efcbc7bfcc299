#include "bib/bibtex/BibReader.h"
#include "bib/bibtex/BibWriter.h"
#include "bib/edit/BibFileText.h"
#include "bib/edit/EntryConversion.h"
#include "bib/edit/GridRows.h"
#include "bib/edit/SaveCheck.h"

#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace orvelt {
namespace {

const BibEntry& OnlyEntry(const BibDatabase& database, int type) {
    return database.Category(type)[0];
}

// Edits the rows as a grid would and writes them back.
std::string EditAndWrite(const std::string& file, int type,
                         const std::map<std::size_t, GridRow>& edits) {
    BibReadResult read = ReadBIB(file);
    BibEntry& entry = read.Database.Category(type)[0];
    const std::vector<GridRow> shown = EntryRows(entry);
    std::vector<GridRow> edited = shown;
    for (const auto& [row, text] : edits) {
        edited[row] = text;
    }
    RowsToEntry(entry, shown, edited);
    return WriteBIB(read.Database);
}

TEST(GridRows, WriteBackChangesOnlyEditedRowsAndKeepsForms) {
    const std::string file = "@ARTICLE{k,\n   title = {T},\n   month = jan,\n"
                             "   doi = \"10/1\",\n}\n\n";
    struct Row {
        const char* name;
        std::map<std::size_t, GridRow> edits;
        const char* expected;
    } rows[] = {
        {"nominal: a visit without edits writes the file as read", {}, file.c_str()},
        {"nominal: a bare month edited to another abbreviation stays bare",
         {{8, {"month", "feb"}}},
         "@ARTICLE{k,\n   title = {T},\n   month = feb,\n   doi = \"10/1\",\n}\n\n"},
        {"nominal: a bare value that no longer is an expression gets braces",
         {{8, {"month", "Jan. 5"}}},
         "@ARTICLE{k,\n   title = {T},\n   month = {Jan. 5},\n   doi = \"10/1\",\n}\n\n"},
        {"nominal: a field outside the table is edited in its row after the pairs",
         {{12, {"doi", "a\"b"}}},
         "@ARTICLE{k,\n   title = {T},\n   month = jan,\n   doi = {a\"b},\n}\n\n"},
        {"nominal: a new value is written in braces",
         {{9, {"note", "n"}}},
         "@ARTICLE{k,\n   title = {T},\n   month = jan,\n   note = {n},\n   doi = "
         "\"10/1\",\n}\n\n"},
        {"robustness: a value emptied by the user is left out, not written empty",
         {{2, {"title", ""}}},
         "@ARTICLE{k,\n   month = jan,\n   doi = \"10/1\",\n}\n\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(EditAndWrite(file, 0, row.edits), row.expected);
    }
}

TEST(GridRows, AbbreviationNameAndTextAreBothEditable) {
    BibReadResult read = ReadBIB("@STRING{jcp = {J. Chem. Phys.}}");
    BibEntry& entry = read.Database.Category(StringType)[0];
    const std::vector<GridRow> shown = EntryRows(entry);
    ASSERT_EQ(shown, (std::vector<GridRow>{{"jcp", "J. Chem. Phys."}}));
    EXPECT_FALSE(RowsToEntry(entry, shown, shown));
    EXPECT_TRUE(RowsToEntry(entry, shown, {{"jpc", "J. Phys. Chem."}}));
    EXPECT_EQ(WriteBIB(read.Database), "@STRING{   jpc = {J. Phys. Chem.}\n}\n\n");
}

TEST(GridRows, RawExpressions) {
    struct Row {
        const char* text;
        bool raw;
    } rows[] = {
        {"jan", true},          {"1996", true}, {"\"A\" # jcp # {B}", true},
        {" jan ", true},        {"", false},    {"Jan. 5", false},
        {"a #", false},         {"# a", false}, {"{unclosed", false},
        {"\"a\" \"b\"", false}, {"a,b", false}, {"{a}}", false},
        {"\"x{\"}y\"", true},   {"x=y", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(IsRawExpression(row.text), row.raw);
    }
}

TEST(EntryConversion, ArticleToBookCopiesByNameAndAsksForTheRest) {
    const BibReadResult read =
        ReadBIB("@ARTICLE{k, author = {A}, title = {T}, journal = {J}, pages = {1--2},"
                " year = 1999, doi = {d}}");
    const BibEntry& article = OnlyEntry(read.Database, 0);
    std::vector<std::string> asked;
    const BibEntry book = ConvertEntry(article, 1, [&](std::string_view name) {
        asked.emplace_back(name);
        return name == "journal" ? std::optional<int>(12) : std::nullopt; // note; pages ignored
    });
    EXPECT_EQ(asked, (std::vector<std::string>{"journal", "pages"}));
    EXPECT_EQ(book.Data.Fields[0].Value, "k");
    EXPECT_EQ(book.Data.Fields[1].Value, "A");
    EXPECT_EQ(book.Data.Fields[3].Value, "T");
    EXPECT_EQ(book.Data.Fields[5].Value, "1999");
    EXPECT_EQ(book.Data.Fields[5].Form, ValueForm::Raw);
    EXPECT_EQ(book.Data.Fields[12].Value, "J");
    // Nothing is dropped: the ignored field and the one kept beyond the table go with the copy.
    ASSERT_EQ(book.Extra.size(), 2U);
    EXPECT_EQ(book.Extra[0].Pair.Name, "pages");
    EXPECT_EQ(book.Extra[1].Pair.Name, "doi");
    BibDatabase target;
    target.AddEntry(1, book.Data, "k").Extra = book.Extra;
    EXPECT_EQ(WriteBIB(target), "@BOOK{k,\n   author = {A},\n   title = {T},\n   year = 1999,\n"
                                "   note = {J},\n   pages = {1--2},\n   doi = {d},\n}\n\n");
}

TEST(EntryConversion, TwoValuesChosenForOnePairKeepTheSecondBeside) {
    const BibReadResult read = ReadBIB("@ARTICLE{k, journal = {J}, pages = {9}}");
    const BibEntry book =
        ConvertEntry(OnlyEntry(read.Database, 0), 1, [](std::string_view) { return 12; });
    EXPECT_EQ(book.Data.Fields[12].Value, "J");
    ASSERT_EQ(book.Extra.size(), 1U);
    EXPECT_EQ(book.Extra[0].Pair.Value, "9");
}

TEST(SaveCheck, FindsWhatWouldNotReadBack) {
    struct Row {
        const char* name;
        int type;
        std::map<std::size_t, GridRow> edits;
        const char* field; // null: nothing found
    } rows[] = {
        {"nominal: a database as read", 0, {}, nullptr},
        {"robustness: unbalanced braces", 0, {{2, {"title", "a}b{"}}}, "title"},
        {"robustness: a comma in a key", 0, {{0, {"cite key", "a,b"}}}, "cite key"},
        {"robustness: a blank in a key", 0, {{0, {"cite key", "a b"}}}, "cite key"},
        {"robustness: a blank in an abbreviation's name", StringType, {{0, {"j c", "x"}}}, "j c"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        BibReadResult read = ReadBIB("@ARTICLE{k, title = {T}} @STRING{jcp = {J}}");
        BibEntry& entry = read.Database.Category(row.type)[0];
        const std::vector<GridRow> shown = EntryRows(entry);
        std::vector<GridRow> edited = shown;
        for (const auto& [index, text] : row.edits) {
            edited[index] = text;
        }
        RowsToEntry(entry, shown, edited);
        const std::optional<UnreadablePart> found = FindUnreadablePart(read.Database);
        ASSERT_EQ(found.has_value(), row.field != nullptr);
        if (found) {
            EXPECT_EQ(found->Type, row.type);
            EXPECT_EQ(found->Field, row.field);
            EXPECT_FALSE(found->Problem.empty());
        }
    }
}

TEST(BibFileText, EveryFileComesBackByteForByte) {
    std::string everyByte;
    for (int b = 1; b < 256; ++b) {
        everyByte.push_back(static_cast<char>(b));
    }
    for (const std::string& bytes :
         {everyByte, std::string("\xEF\xBB\xBF@MISC{k, title = {\xC3\xA4}}"),
          std::string("plain")}) {
        const BibFileText text = DecodeBibFile(bytes);
        EXPECT_EQ(EncodeBibFile(text.Utf8, text.Encoding), bytes);
    }
    const BibFileText western = DecodeBibFile("G\xFC"
                                              "nther");
    EXPECT_EQ(western.Encoding, TextEncoding::Windows1252);
    EXPECT_EQ(western.Utf8, "G\xC3\xBCnther");
    // A character Windows-1252 cannot hold becomes "?" rather than a broken byte.
    EXPECT_EQ(EncodeBibFile("\xE2\x88\x9E", TextEncoding::Windows1252), "?");
}

} // namespace
} // namespace orvelt
