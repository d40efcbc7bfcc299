#include "editor/spell/Dictionary.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

namespace orvelt {
namespace {

// The file is written back as it was read, with only the learned word appended in the file's
// own line end: a word list kept in version control must not change in every line.
TEST(Dictionary, WritesBackTheFileWithOnlyTheWordAppended) {
    struct Case {
        const char* name;
        std::string file;
        std::string expected;
    };
    const Case cases[] = {
        {"nominal: LF", "alpha\nbeta\n", "alpha\nbeta\nword\n"},
        {"nominal: CR LF", "alpha\r\nbeta\r\n", "alpha\r\nbeta\r\nword\r\n"},
        {"nominal: lone CR", "alpha\rbeta\r", "alpha\rbeta\rword\r"},
        {"nominal: the first line end decides", "alpha\r\nbeta\n", "alpha\r\nbeta\nword\r\n"},
        // The word ran on from the last one, both lost as one long word.
        {"regression: no final LF", "alpha\nbeta", "alpha\nbeta\nword\n"},
        {"regression: no final CR LF", "alpha\r\nbeta", "alpha\r\nbeta\r\nword\r\n"},
        {"robustness: one word without a line end", "alpha", "alpha\nword\n"},
        {"nominal: an empty file", "", "word\n"},
        {"robustness: empty lines stay", "\n\nalpha\n\n", "\n\nalpha\n\nword\n"},
        {"robustness: a final CR in a CR LF file is a line end", "alpha\r\nbeta\r",
         "alpha\r\nbeta\rword\r\n"},
        {"robustness: only a byte order mark", "\xEF\xBB\xBF", "\xEF\xBB\xBFword\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Dictionary dictionary;
        dictionary.Load(c.file);
        EXPECT_EQ(dictionary.Bytes(), c.file);
        EXPECT_FALSE(dictionary.Changed());
        dictionary.Add("word");
        EXPECT_EQ(dictionary.Bytes(), c.expected);
        EXPECT_TRUE(dictionary.Changed());

        Dictionary reread;
        reread.Load(dictionary.Bytes());
        EXPECT_TRUE(reread.Contains("word"));
        EXPECT_EQ(reread.Count(), dictionary.Count());
    }
}

TEST(Dictionary, WordsAreLinesWithoutTheirEnds) {
    struct Case {
        const char* name;
        std::string file;
        std::vector<std::string> words;
        std::vector<std::string> notWords;
        std::size_t count;
    };
    const Case cases[] = {
        {"nominal: CR LF is no part of a word",
         "alpha\r\nbeta\r\n",
         {"alpha", "beta"},
         {"alpha\r", "\r", ""},
         2},
        {"nominal: a lone CR ends a line", "alpha\rbeta", {"alpha", "beta"}, {"alpha\rbeta"}, 2},
        {"nominal: empty lines are no words", "\n\r\n\ralpha\n\n", {"alpha"}, {""}, 1},
        {"nominal: case and bytes count",
         "Zürich\nit's\n",
         {"Zürich", "it's"},
         {"zürich", "its"},
         2},
        {"nominal: a repeated word counts once", "a\na\r\na", {"a"}, {}, 1},
        {"robustness: a byte order mark is no part of the first word",
         "\xEF\xBB\xBF"
         "alpha\n",
         {"alpha"},
         {"\xEF\xBB\xBF"
          "alpha"},
         1},
        {"robustness: a NUL byte inside a line",
         std::string("a\0b\n", 4),
         {std::string("a\0b", 3)},
         {"a"},
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Dictionary dictionary;
        dictionary.Load(c.file);
        for (const std::string& word : c.words)
            EXPECT_TRUE(dictionary.Contains(word)) << word;
        for (const std::string& word : c.notWords)
            EXPECT_FALSE(dictionary.Contains(word)) << word;
        EXPECT_EQ(dictionary.Count(), c.count);
    }
}

TEST(Dictionary, AddsNothingThatWouldNotReadBackAsOneNewWord) {
    for (const std::string_view word : {"", "alpha", "two\nwords", "cr\rword", "crlf\r\n"}) {
        SCOPED_TRACE(word);
        Dictionary dictionary;
        dictionary.Load("alpha\n");
        dictionary.Add(word);
        EXPECT_EQ(dictionary.Bytes(), "alpha\n");
        EXPECT_FALSE(dictionary.Changed());
        EXPECT_EQ(dictionary.Count(), 1u);
    }
}

TEST(Dictionary, LoadingAgainForgetsTheChange) {
    Dictionary dictionary;
    dictionary.Load("alpha\n");
    dictionary.Add("beta");
    dictionary.Load("gamma\n");
    EXPECT_FALSE(dictionary.Changed());
    EXPECT_FALSE(dictionary.Contains("beta"));
    EXPECT_FALSE(dictionary.Contains("alpha"));
    dictionary.Add("delta");
    dictionary.MarkSaved();
    EXPECT_FALSE(dictionary.Changed());
    EXPECT_TRUE(dictionary.Contains("delta"));
}

// The old control held 2,000,000 characters: a bigger list was cut without a word.
TEST(Dictionary, HoldsAThreeMegabyteListWhole) {
    std::string file;
    std::size_t lines = 0;
    for (; file.size() < 3'000'000; ++lines)
        file += "w\xC3\xB6rt" + std::to_string(lines) + (lines % 2 == 0 ? "\r\n" : "\n");
    Dictionary dictionary;
    dictionary.Load(file);
    EXPECT_EQ(dictionary.Count(), lines);
    EXPECT_TRUE(dictionary.Contains("w\xC3\xB6rt0"));
    EXPECT_TRUE(dictionary.Contains("w\xC3\xB6rt" + std::to_string(lines - 1)));
    dictionary.Add("neu");
    EXPECT_EQ(dictionary.Bytes().substr(0, file.size()), file);
    EXPECT_EQ(dictionary.Bytes().substr(file.size()), "neu\r\n");
}

TEST(Dictionary, ReadsTheSystemWordList) {
    const std::string file = testing::ReadFile("/usr/share/dict/american-english");
    if (file.empty())
        GTEST_SKIP() << "wamerican is not installed";
    Dictionary dictionary;
    dictionary.Load(file);
    EXPECT_GT(dictionary.Count(), 100'000u);
    for (const char* word : {"zucchini", "Z\xC3\xBCrich",
                             "\xC3\xA9"
                             "clair",
                             "zygote's"}) {
        SCOPED_TRACE(word);
        EXPECT_TRUE(dictionary.Contains(word));
    }
}

} // namespace
} // namespace orvelt
