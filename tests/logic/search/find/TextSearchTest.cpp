#include "search/find/TextSearch.h"

#include "core/CodePage.h"
#include "core/UnicodeCase.h"

#include <gtest/gtest.h>
#include <random>

namespace orvelt {
namespace {

constexpr std::size_t kNone = std::u16string::npos;

std::size_t FoundAt(std::u16string_view text, std::size_t from, std::u16string_view needle,
                    SearchOptions options) {
    const std::optional<TextMatch> match = TextSearch(needle, options).Find(text, from);
    if (!match) {
        return kNone;
    }
    EXPECT_EQ(match->Length, needle.size());
    return match->Position;
}

TEST(TextSearch, FindsTheFirstMatchFromThePosition) {
    constexpr SearchOptions anyCase{false, false};
    constexpr SearchOptions exactCase{true, false};
    constexpr SearchOptions words{false, true};
    struct Row {
        const char* name;
        std::u16string text;
        std::size_t from;
        std::u16string needle;
        SearchOptions options;
        std::size_t found;
    };
    const Row rows[] = {
        {"nominal: the selection's own match is not found again", u"foo foo", 3, u"foo", anyCase,
         4},
        {"nominal: nothing after the position", u"foo bar", 1, u"foo", anyCase, kNone},
        {"nominal: case ignored beyond ASCII", u"\u00C9mile et \u00E9mile", 1, u"\u00C9MILE",
         anyCase, 9},
        {"nominal: case kept beyond ASCII", u"\u00E9mile \u00C9mile", 0, u"\u00C9mile", exactCase,
         6},
        {"nominal: Greek final sigma matches sigma", u"\u039F\u0394\u039F\u03A3", 0,
         u"\u03BF\u03C3", anyCase, 2},
        {"nominal: Kelvin sign and long s match their ASCII letters", u"x\u212A\u017F", 0, u"KS",
         anyCase, 1},
        {"nominal: case ignored outside the Basic Multilingual Plane", u"a\U00010428b", 0,
         u"\U00010400B", anyCase, 1},
        {"nominal: a whole word skips the longer one", u"\\sections \\section", 0, u"\\section",
         words, 10},
        {"nominal: a line end bounds a word", u"x foo\nbar", 0, u"foo", words, 2},
        {"nominal: an accented letter continues a word", u"caf\u00E9 caf", 0, u"caf", words, 5},
        {"nominal: a digit of another script continues a word", u"x\u0663 x", 0, u"x", words, 3},
        {"nominal: a letter outside the Basic Multilingual Plane continues a word",
         u"a\U00010428 a", 0, u"a", words, 4},
        {"nominal: a search text of non-letters needs no word around it", u"a--b", 0, u"--", words,
         kNone},
        {"boundary: sharp s is no ss", u"STRASSE", 0, u"stra\u00DFe", anyCase, kNone},
        {"boundary: a match at the very end", u"abc", 1, u"bc", anyCase, 1},
        {"boundary: overlapping candidates", u"aaab", 0, u"aab", anyCase, 1},
        {"boundary: a repeat inside the search text", u"abababc", 1, u"ababc", anyCase, 2},
        // A whole-word check that rejects a candidate must still let an overlapping one through.
        {"boundary: the next candidate overlaps a rejected one", u"aa a a", 0, u"a a", words, 3},
        {"robustness: an empty search text finds nothing", u"abc", 0, u"", anyCase, kNone},
        {"robustness: a position past the end", u"abc", 9, u"a", anyCase, kNone},
        {"robustness: a position inside a pair matches no half of it", u"\U00010428", 1, u"\xDC28",
         exactCase, kNone},
        {"robustness: a lone surrogate is a character of its own", u"a\xD801 a", 0, u"a\xD801",
         exactCase, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(FoundAt(row.text, row.from, row.needle, row.options), row.found);
    }
}

// Characters for random texts: a few ASCII letters so that matches are frequent, every
// Windows-1252 character, other scripts, a combining mark, digits, characters outside the Basic
// Multilingual Plane (a letter pair and an emoji), blanks and line ends.
std::vector<std::u16string> Alphabet() {
    std::vector<std::u16string> alphabet = {
        u"a",      u"A",          u"b",          u"s",         u"\u017F", u"k",
        u"\u212A", u"\u03A3",     u"\u03C3",     u"\u03C2",    u"\u0416", u"\u0436",
        u"\u0301", u"\u0663",     u"1",          u"\\",        u"-",      u" ",
        u"\n",     u"\U00010400", u"\U00010428", u"\U0001F600"};
    for (int b = 0; b < 256; ++b) {
        alphabet.push_back(std::u16string(1, Windows1252ToChar(static_cast<unsigned char>(b))));
    }
    return alphabet;
}

std::u16string RandomText(std::mt19937& random, const std::vector<std::u16string>& alphabet,
                          std::size_t maxLength) {
    // Mostly the first few characters, so that search texts taken at random occur.
    std::uniform_int_distribution<std::size_t> length(0, maxLength);
    std::uniform_int_distribution<std::size_t> common(0, 5);
    std::uniform_int_distribution<std::size_t> any(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> coin(0, 3);
    std::u16string text;
    for (std::size_t n = length(random); n > 0; --n) {
        text += alphabet[coin(random) == 0 ? any(random) : common(random)];
    }
    return text;
}

std::vector<char32_t> Characters(std::u16string_view text, std::vector<std::size_t>& starts) {
    std::vector<char32_t> characters;
    for (std::size_t at = 0; at < text.size(); ++at) {
        starts.push_back(at);
        char32_t c = text[at];
        if (c >= 0xD800 && c <= 0xDBFF && at + 1 < text.size() && text[at + 1] >= 0xDC00 &&
            text[at + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[at + 1] - 0xDC00);
            ++at;
        }
        characters.push_back(c);
    }
    starts.push_back(text.size());
    return characters;
}

// Tries every character boundary from `from` on, comparing character by character.
std::optional<TextMatch> PlainFind(std::u16string_view text, std::size_t from,
                                   std::u16string_view needle, SearchOptions options) {
    std::vector<std::size_t> starts;
    std::vector<std::size_t> needleStarts;
    const std::vector<char32_t> chars = Characters(text, starts);
    const std::vector<char32_t> wanted = Characters(needle, needleStarts);
    const auto same = [&](char32_t a, char32_t b) {
        return options.MatchCase ? a == b : FoldCase(a) == FoldCase(b);
    };
    if (wanted.empty()) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i + wanted.size() <= chars.size(); ++i) {
        if (starts[i] < from) {
            continue;
        }
        bool equal = true;
        for (std::size_t k = 0; k < wanted.size() && equal; ++k) {
            equal = same(chars[i + k], wanted[k]);
        }
        const std::size_t end = i + wanted.size();
        if (equal && options.WholeWords) {
            equal = (i == 0 || !IsLetterOrDigit(chars[i - 1])) &&
                    (end == chars.size() || !IsLetterOrDigit(chars[end]));
        }
        if (equal) {
            return TextMatch{starts[i], starts[end] - starts[i]};
        }
    }
    return std::nullopt;
}

TEST(TextSearch, AgreesWithAPlainSearchOnRandomTexts) {
    std::mt19937 random(2024);
    const std::vector<std::u16string> alphabet = Alphabet();
    for (int round = 0; round < 20000; ++round) {
        const std::u16string text = RandomText(random, alphabet, 40);
        std::u16string needle = RandomText(random, alphabet, 3);
        if (round % 2 == 0 && !text.empty()) {
            // A piece of the text, so that it occurs; a cut pair makes lone surrogates.
            const std::size_t at = random() % text.size();
            needle = text.substr(at, 1 + random() % 4);
        }
        const SearchOptions options{random() % 2 == 0, random() % 2 == 0};
        const std::size_t from = text.empty() ? 0 : random() % (text.size() + 1);
        SCOPED_TRACE(testing::Message() << "round " << round);
        ASSERT_EQ(TextSearch(needle, options).Find(text, from),
                  PlainFind(text, from, needle, options));
    }
}

// Replace all as one loop of single replacements: search, replace, search on after the
// inserted text. Returns the final text.
std::u16string ReplaceOneByOne(std::u16string text, std::size_t from, std::u16string_view needle,
                               std::u16string_view replacement, SearchOptions options) {
    for (std::size_t at = from;;) {
        const std::optional<TextMatch> match = PlainFind(text, at, needle, options);
        if (!match) {
            return text;
        }
        text.replace(match->Position, match->Length, replacement);
        at = match->Position + replacement.size();
    }
}

TEST(TextSearch, ReplaceAllGivesWhatOneReplacementAtATimeGives) {
    constexpr SearchOptions anyCase{false, false};
    constexpr SearchOptions words{false, true};
    struct Row {
        const char* name;
        std::u16string text;
        std::size_t from;
        std::u16string needle;
        std::u16string replacement;
        SearchOptions options;
        std::u16string result;
    };
    const Row rows[] = {
        {"nominal: from the middle, a replacement holding the search text", u"section; section", 3,
         u"section", u"subsection", anyCase, u"section; subsection"},
        {"nominal: every a doubled once", u"banana", 0, u"a", u"aa", anyCase, u"baanaanaa"},
        {"nominal: adjacent matches removed", u"xaaay", 0, u"a", u"", anyCase, u"xy"},
        // Matches found all at once see the text before any replacement: "-" after "-" is a
        // whole word there, but after the replacement "b" it is not.
        {"regression: a replacement ending in a letter joins the next match's word", u"--", 0, u"-",
         u"b", words, u"b-"},
        {"regression: an empty replacement leaves the character before the removed matches",
         u"a -x-x-x", 0, u"-x", u"", words, u"a "},
        {"boundary: no match", u"abc", 0, u"x", u"y", anyCase, u"abc"},
        {"robustness: an empty search text replaces nothing", u"abc", 0, u"", u"y", anyCase,
         u"abc"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const TextSearch search(row.needle, row.options);
        const std::u16string result = ApplyReplacements(
            row.text, search.ReplaceAllMatches(row.text, row.from, row.replacement),
            row.replacement);
        EXPECT_EQ(result, row.result);
        EXPECT_EQ(result,
                  ReplaceOneByOne(row.text, row.from, row.needle, row.replacement, row.options));
    }
}

TEST(TextSearch, ReplaceAllAgreesWithTheLoopOnRandomTexts) {
    std::mt19937 random(95);
    const std::vector<std::u16string> everything = Alphabet();
    // Word and non-word characters in equal parts, so that whether a replacement ends a word
    // decides often whether the next match is a whole word.
    const std::vector<std::u16string> mixed = {u"-", u"a", u"\U00010400", u"\u00C9", u" ", u"1"};
    for (int round = 0; round < 20000; ++round) {
        const std::vector<std::u16string>& alphabet = round % 2 == 0 ? mixed : everything;
        const std::u16string needle = RandomText(random, alphabet, 2);
        // Runs of adjacent matches, where each replacement decides the next one's word start.
        std::u16string text;
        for (std::size_t pieces = random() % 12; pieces > 0; --pieces) {
            text += random() % 2 == 0 ? needle : RandomText(random, alphabet, 2);
        }
        std::u16string replacement = RandomText(random, alphabet, 3);
        if (round % 3 == 0) {
            replacement += needle;
        }
        const SearchOptions options{random() % 2 == 0, random() % 2 == 0};
        const std::size_t from = text.empty() ? 0 : random() % (text.size() + 1);
        SCOPED_TRACE(testing::Message() << "round " << round);
        const std::vector<TextMatch> matches =
            TextSearch(needle, options).ReplaceAllMatches(text, from, replacement);
        ASSERT_EQ(ApplyReplacements(text, matches, replacement),
                  ReplaceOneByOne(text, from, needle, replacement, options));
    }
}

TEST(TextSearch, HistoryPutsTheCurrentTextFirst) {
    using History = std::vector<std::u16string>;
    struct Row {
        const char* name;
        History history;
        std::u16string current;
        History result;
    };
    const Row rows[] = {
        {"nominal: a new text goes first", {u"a", u"b"}, u"c", {u"c", u"a", u"b"}},
        {"nominal: a duplicate in another case is replaced",
         {u"x", u"foo"},
         u"Foo",
         {u"Foo", u"x"}},
        {"nominal: case ignored beyond ASCII", {u"\u00E9mile"}, u"\u00C9MILE", {u"\u00C9MILE"}},
        {"boundary: the first item again", {u"a", u"b"}, u"a", {u"a", u"b"}},
        {"boundary: an empty text is kept like any other", {u"a"}, u"", {u"", u"a"}},
        {"boundary: a longer or shorter text is no duplicate",
         {u"ab", u"a\u00DF"},
         u"a",
         {u"a", u"ab", u"a\u00DF"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(UpdateHistory(row.history, row.current), row.result);
    }
}

} // namespace
} // namespace orvelt
