#include "search/find/BibSearch.h"

#include <gtest/gtest.h>
#include <vector>

namespace orvelt {
namespace {

constexpr int kArticle = 0;
constexpr int kBook = 1;

BibEntry& Add(BibDatabase& database, int type, std::string_view caption,
              std::vector<std::pair<std::string, std::string>> fields) {
    Tdata data;
    EXPECT_TRUE(InitEntry(data, EntryTypeNames[static_cast<std::size_t>(type)]));
    for (const auto& [name, value] : fields) {
        EXPECT_TRUE(SetField(data, name, value));
    }
    return database.AddEntry(type, data, std::string(caption));
}

// Entries of several categories added out of tree order, with an extra field, an abbreviation,
// a preamble and an entry of another type.
BibDatabase Sample() {
    BibDatabase database;
    Add(database, PreambleType, "preamble", {{"", "\\newcommand{\\nana}{}"}});
    Add(database, kBook, "zola", {{"cite key", "zola"}, {"title", "Nana"}});
    BibEntry& article = Add(database, kArticle, "nana1880",
                            {{"cite key", "nana1880"}, {"title", "On Nana and nana"}});
    article.Extra.push_back({{"doi", "10.1/nana", ValueForm::Delimited, true}, false, false});
    Add(database, kArticle, "other", {{"cite key", "other"}, {"author", "Anna"}});
    Tdata abbreviation;
    EXPECT_TRUE(InitEntry(abbreviation, "STRING"));
    abbreviation.Fields[0].Name = "nana";
    abbreviation.Fields[0].Value = "Journal of Nana";
    database.AddEntry(StringType, abbreviation, "nana");
    database.AddUnknownEntry({"ONLINE", "web", "", "@online{web, title = {Nana online}}"});
    return database;
}

std::vector<BibMatch> AllMatches(const BibDatabase& database, TextEncoding encoding,
                                 std::u16string_view needle, SearchOptions options) {
    const TextSearch search(needle, options);
    std::vector<BibMatch> matches;
    BibCell from{};
    std::size_t position = 0;
    while (const std::optional<BibMatch> match =
               FindInBibliography(database, encoding, search, from, position)) {
        matches.push_back(*match);
        from = match->Cell;
        position = match->Match.Position + match->Match.Length;
    }
    return matches;
}

TEST(BibSearch, GoesThroughTheCellsInTreeOrder) {
    const BibDatabase database = Sample();
    const int titleRow = FindField(database.Category(kArticle)[0].Data, "title");
    const auto row = static_cast<std::size_t>(titleRow);
    const std::size_t extraRow =
        static_cast<std::size_t>(database.Category(kArticle)[0].Data.FieldCount);
    const std::size_t bookTitle =
        static_cast<std::size_t>(FindField(database.Category(kBook)[0].Data, "title"));
    const std::vector<BibMatch> expected = {
        {{kArticle, 0, 0, 1}, {0, 4}},            // the cite key
        {{kArticle, 0, row, 1}, {3, 4}},          // Nana
        {{kArticle, 0, row, 1}, {12, 4}},         // nana, after the first in its cell
        {{kArticle, 0, extraRow, 1}, {5, 4}},     // the field beyond the type's pairs
        {{kBook, 0, bookTitle, 1}, {0, 4}},       // a later category
        {{StringType, 0, 0, 0}, {0, 4}},          // an abbreviation's name
        {{StringType, 0, 0, 1}, {11, 4}},         // its text
        {{PreambleType, 0, 0, 1}, {13, 4}},       // the preamble
        {{OtherTypesCategory, 0, 0, 1}, {22, 4}}, // an entry of another type, last
    };
    EXPECT_EQ(AllMatches(database, TextEncoding::Utf8, u"NANA", {false, false}), expected);
}

TEST(BibSearch, StartsWhereTheWindowSays) {
    const BibDatabase database = Sample();
    const TextSearch search(u"nana", {true, true});
    struct Row {
        const char* name;
        BibCell from;
        std::size_t position;
        std::optional<BibCell> found;
    };
    const Row rows[] = {
        {"nominal: from the start", {}, 0, BibCell{kArticle, 0, 2, 1}},
        {"nominal: from a later entry of the category",
         {kArticle, 1, 0, 1},
         0,
         BibCell{StringType, 0, 0, 0}},
        {"nominal: the value after its name",
         {StringType, 0, 0, 0},
         1,
         BibCell{PreambleType, 0, 0, 1}},
        {"boundary: an entry past the category's end goes on with the next category",
         {kBook, 7, 0, 1},
         0,
         BibCell{StringType, 0, 0, 0}},
        {"boundary: a position past the cell's end goes on with the next cell",
         {StringType, 0, 0, 1},
         99,
         BibCell{PreambleType, 0, 0, 1}},
        {"boundary: nothing after the last cell", {OtherTypesCategory, 1, 0, 1}, 0, std::nullopt},
        {"robustness: a category before the first", {-3, 0, 0, 0}, 0, BibCell{kArticle, 0, 2, 1}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::optional<BibMatch> match =
            FindInBibliography(database, TextEncoding::Utf8, search, row.from, row.position);
        ASSERT_EQ(match.has_value(), row.found.has_value());
        if (match) {
            EXPECT_EQ(match->Cell, *row.found);
        }
    }
}

TEST(BibSearch, NamesOfFieldsAreNoValues) {
    const BibDatabase database = Sample();
    EXPECT_TRUE(AllMatches(database, TextEncoding::Utf8, u"author", {false, false}).empty());
    EXPECT_TRUE(AllMatches(database, TextEncoding::Utf8, u"", {false, false}).empty());
}

// The grid shows decoded text: positions count its UTF-16 units, not the file's bytes.
TEST(BibSearch, DecodesCellsAsTheGridShowsThem) {
    struct Row {
        const char* name;
        std::string value;
        TextEncoding encoding;
        std::u16string needle;
        std::size_t position;
    };
    const Row rows[] = {
        {"nominal: UTF-8, a two-byte letter before the match", "Zo\xC3\xA9 \xC3\x89mile",
         TextEncoding::Utf8, u"\u00E9mile", 4},
        {"nominal: Windows-1252", "Zo\xE9 \xC9mile", TextEncoding::Windows1252, u"\u00E9mile", 4},
        {"nominal: Windows-1252 from the 80..9F range", "x \x8Cuvre", TextEncoding::Windows1252,
         u"\u0153UVRE", 2},
        {"nominal: outside the Basic Multilingual Plane counts two", "\xF0\x9F\x98\x80 nana",
         TextEncoding::Utf8Bom, u"nana", 3},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        BibDatabase database;
        Add(database, kArticle, "a", {{"title", row.value}});
        const std::vector<BibMatch> matches =
            AllMatches(database, row.encoding, row.needle, {false, true});
        ASSERT_EQ(matches.size(), 1u);
        EXPECT_EQ(matches[0].Match.Position, row.position);
        EXPECT_EQ(matches[0].Match.Length, row.needle.size());
    }
}

TEST(BibSearch, TellsACellsText) {
    const BibDatabase database = Sample();
    EXPECT_EQ(BibCellText(database, {StringType, 0, 0, 0}), "nana");
    EXPECT_EQ(BibCellText(database, {OtherTypesCategory, 0, 0, 1}),
              "@online{web, title = {Nana online}}");
    EXPECT_EQ(BibCellText(database, {kArticle, 0, 0, 0}), std::nullopt); // a fixed name
    EXPECT_EQ(BibCellText(database, {kArticle, 5, 0, 1}), std::nullopt);
    EXPECT_EQ(BibCellText(database, {OtherTypesCategory + 1, 0, 0, 1}), std::nullopt);
}

} // namespace
} // namespace orvelt
