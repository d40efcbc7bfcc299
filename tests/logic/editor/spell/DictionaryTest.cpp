#include "editor/spell/Dictionary.h"

#include "TestFiles.h"
#include "core/CodePage.h"

#include <gtest/gtest.h>

namespace orvelt {
namespace {

TEST(Dictionary, KnowsTheWordsOfAList) {
    struct Case {
        const char* name;
        std::string list;
        std::vector<std::u16string> known;
        std::vector<std::u16string> unknown;
        std::size_t count;
    };
    const Case cases[] = {
        {"nominal: LF", "alpha\nbeta\n", {u"alpha", u"beta"}, {u"alph", u""}, 2},
        {"nominal: CR LF is no part of a word",
         "alpha\r\nbeta\r\n",
         {u"alpha", u"beta"},
         {u"alpha\r"},
         2},
        {"nominal: a lone CR ends a line", "alpha\rbeta", {u"alpha", u"beta"}, {}, 2},
        {"nominal: no final line end", "alpha\nbeta", {u"beta"}, {}, 2},
        {"nominal: case does not count, beyond ASCII too",
         "Z\xC3\xBCrich\n\xCE\xA3\xCE\x9F\xCE\xA6\xCE\x99\xCE\x91\n",
         {u"z\u00FCrich", u"Z\u00DCRICH", u"\u03C3\u03BF\u03C6\u03B9\u03B1"},
         {u"zurich"},
         2},
        {"nominal: runs of letters in a line are words",
         "isn't\nNew York\n",
         {u"isn't", u"isn", u"t", u"york", u"new york"},
         {u"isnt", u"newyork"},
         2},
        {"nominal: the umlaut notation of a word",
         "Gr\xC3\xBC\xC3\x9F"
         "e\n\xC3\x9C"
         "bung\n",
         {u"Gr\u00FC\u00DFe", u"Gr\"u\"se", u"gr\"U\"Se", u"\"Ubung", u"\"ubung"},
         {u"Grusse", u"Gr\"use"},
         2},
        {"nominal: Windows-1252",
         "caf\xE9\nGr\xFC\xDF"
         "e\n",
         {u"caf\u00E9", u"Gr\u00FC\u00DFe", u"Gr\"u\"se"},
         {u"caf"},
         2},
        {"nominal: blanks around a word and empty lines do not count",
         "  alpha \t\n\n \r\n\tbeta\n",
         {u"alpha", u"beta"},
         {u" alpha", u""},
         2},
        {"robustness: a byte order mark is no part of the first word",
         "\xEF\xBB\xBF"
         "alpha\n",
         {u"alpha"},
         {u"\uFEFFalpha"},
         1},
        {"robustness: invalid UTF-8 is read as Windows-1252",
         "na\xEFve\n\xC3\xA9t\xE9\n",
         {u"na\u00EFve", u"\u00C3\u00A9t\u00E9"},
         {},
         2},
        {"robustness: empty", "", {}, {u"a"}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Dictionary dictionary;
        ASSERT_TRUE(dictionary.Load(c.list));
        for (const std::u16string& word : c.known)
            EXPECT_TRUE(dictionary.Contains(word)) << Utf16ToUtf8(word);
        for (const std::u16string& word : c.unknown)
            EXPECT_FALSE(dictionary.Contains(word)) << Utf16ToUtf8(word);
        EXPECT_EQ(dictionary.Count(), c.count);
    }
}

TEST(Dictionary, AListWithNulBytesIsNotUsed) {
    Dictionary dictionary;
    ASSERT_TRUE(dictionary.Load("alpha\n"));
    EXPECT_FALSE(dictionary.Load(std::string("beta\n\0gamma\n", 12)));
    EXPECT_FALSE(dictionary.Contains(u"alpha"));
    EXPECT_FALSE(dictionary.Contains(u"beta"));
    EXPECT_EQ(dictionary.Count(), 0u);
    ASSERT_TRUE(dictionary.Load("alpha\n"));
    EXPECT_FALSE(dictionary.LoadLearned(std::string("x\0", 2)));
    EXPECT_TRUE(dictionary.LoadLearned("learned\n"));
    EXPECT_TRUE(dictionary.Contains(u"alpha"));
    EXPECT_TRUE(dictionary.Contains(u"Learned"));
}

TEST(Dictionary, LearnsOnlyWordsThatReadBackAsThemselves) {
    Dictionary dictionary;
    ASSERT_TRUE(dictionary.Load("alpha\n"));
    using namespace std::string_view_literals;
    for (const std::u16string_view word :
         {u""sv, u"ALPHA"sv, u"two\nlines"sv, u"cr\r"sv, u" blank"sv, u"tab\t"sv, u"nul\0x"sv})
        dictionary.Add(word);
    EXPECT_TRUE(dictionary.Pending().empty());
    dictionary.Add(u"Vektorraum");
    dictionary.Add(u"vektorraum"); // known now
    dictionary.Add(u"Gr\u00FC\u00DFe");
    EXPECT_EQ(dictionary.Pending(),
              (std::vector<std::u16string>{u"Vektorraum", u"Gr\u00FC\u00DFe"}));
    EXPECT_TRUE(dictionary.Contains(u"VEKTORRAUM"));
    EXPECT_TRUE(dictionary.Contains(u"Gr\"u\"se"));
    EXPECT_EQ(dictionary.Count(), 3u);
    dictionary.MarkSaved();
    EXPECT_FALSE(dictionary.Changed());
    EXPECT_TRUE(dictionary.Contains(u"Vektorraum"));
}

// Learned words are added to their own file as it is on disk; the user's lines and line ends
// stay as they were.
TEST(Dictionary, LearnedFileGetsTheWordsAppended) {
    struct Case {
        const char* name;
        std::string onDisk;
        std::vector<std::u16string> words;
        std::string expected;
    };
    const Case cases[] = {
        {"nominal: a new file is UTF-8 with LF",
         "",
         {u"Vektorraum", u"Gr\u00FC\u00DFe"},
         "Vektorraum\nGr\xC3\xBC\xC3\x9F"
         "e\n"},
        {"nominal: the file's line end", "alpha\r\n", {u"beta"}, "alpha\r\nbeta\r\n"},
        {"nominal: a lone CR", "alpha\r", {u"beta"}, "alpha\rbeta\r"},
        // The word ran on from the last one: both read back as one long word.
        {"regression: no final line end", "alpha", {u"beta"}, "alpha\nbeta\n"},
        {"regression: no final CR LF", "a\r\nb", {u"c"}, "a\r\nb\r\nc\r\n"},
        {"nominal: a word another run wrote meanwhile is not written twice",
         "beta\n",
         {u"beta", u"gamma", u"gamma"},
         "beta\ngamma\n"},
        {"nominal: nothing to add writes the bytes as they were", "alpha", {}, "alpha"},
        {"robustness: only a byte order mark", "\xEF\xBB\xBF", {u"x"}, "\xEF\xBB\xBFx\n"},
        // A UTF-8 word in a Windows-1252 file read back as two wrong letters.
        {"regression: a Windows-1252 file stays one",
         "caf\xE9\n",
         {u"Gr\u00FC\u00DFe"},
         "caf\xE9\nGr\xFC\xDF"
         "e\n"},
        {"robustness: a word Windows-1252 cannot hold is left out",
         "caf\xE9\n",
         {u"\u03C9", u"ok"},
         "caf\xE9\nok\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string written = LearnedFileText(c.onDisk, c.words);
        EXPECT_EQ(written, c.expected);
        Dictionary reread;
        ASSERT_TRUE(reread.Load(written));
        for (const std::u16string& word : c.words)
            if (word != u"\u03C9") {
                EXPECT_TRUE(reread.Contains(word)) << Utf16ToUtf8(word);
            }
    }
}

// The old control held 2,000,000 characters: a bigger list was cut without a word.
TEST(Dictionary, HoldsAThreeMegabyteListWhole) {
    std::string list;
    std::size_t lines = 0;
    for (; list.size() < 3'000'000; ++lines)
        list += "w\xC3\xB6rt" + std::to_string(lines) + (lines % 2 == 0 ? "\r\n" : "\n");
    Dictionary dictionary;
    ASSERT_TRUE(dictionary.Load(list));
    EXPECT_EQ(dictionary.Count(), lines);
    EXPECT_TRUE(dictionary.Contains("w\xC3\xB6rt0"));
    EXPECT_TRUE(dictionary.Contains("W\xC3\x96RT" + std::to_string(lines - 1)));
    EXPECT_TRUE(dictionary.Contains("w\"ort" + std::to_string(lines - 1)));
}

// Every word of the system lists is found, as it is written there and as the reader would
// take it from a document.
TEST(Dictionary, FindsEveryWordOfTheSystemLists) {
    struct Case {
        const char* file;
        std::vector<std::u16string> known;
        std::vector<std::u16string> unknown;
    };
    const Case cases[] = {
        {"/usr/share/dict/american-english",
         {u"isn", u"caf\u00E9", u"CAF\u00C9", u"Atat\"urk", u"zygote's"},
         {u"teh", u"recieve"}},
        {"/usr/share/dict/ngerman",
         {u"Stra\"se", u"Gr\"o\"se", u"gr\"u\"sen", u"\"Ubung", u"\u00FCBUNG"},
         {u"Strassse", u"Gr\"o\"sse"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string list = testing::ReadFile(c.file);
        if (list.empty()) {
            ADD_FAILURE() << c.file << " is missing: scripts/setup.sh installs it";
            continue;
        }
        Dictionary dictionary;
        ASSERT_TRUE(dictionary.Load(list));
        std::size_t lines = 0;
        std::size_t missing = 0;
        for (std::size_t at = 0; at < list.size();) {
            const std::size_t end = std::min(list.find('\n', at), list.size());
            ++lines;
            if (!dictionary.Contains(std::string_view(list).substr(at, end - at)))
                ++missing;
            at = end + 1;
        }
        EXPECT_GT(lines, 100'000u);
        EXPECT_EQ(dictionary.Count(), lines);
        EXPECT_EQ(missing, 0u);
        for (const std::u16string& word : c.known)
            EXPECT_TRUE(dictionary.Contains(word)) << Utf16ToUtf8(word);
        for (const std::u16string& word : c.unknown)
            EXPECT_FALSE(dictionary.Contains(word)) << Utf16ToUtf8(word);
    }
}

} // namespace
} // namespace orvelt
