#include "editor/spell/SpellScan.h"

#include <gtest/gtest.h>

namespace orvelt {
namespace {

// What a check shows, word by word, when the user answers Ignore each time: each stop's word
// and the text its Replace All pairs put in.
struct Walk {
    std::vector<std::u16string> shown;
    std::u16string text;
};

Walk IgnoreEach(std::u16string text, std::size_t from, const Dictionary& words,
                const CheckLists& lists) {
    Walk walk;
    for (std::size_t at = from;;) {
        ScanStop stop = ScanForMisspelling(text, at, words, lists);
        EXPECT_LE(stop.next, text.size());
        // Put the replacements in from the back, so that earlier positions hold.
        std::ptrdiff_t shift = 0;
        for (auto it = stop.replacements.rbegin(); it != stop.replacements.rend(); ++it) {
            text.replace(it->start, it->end - it->start, it->by);
            shift += static_cast<std::ptrdiff_t>(it->by.size()) -
                     static_cast<std::ptrdiff_t>(it->end - it->start);
        }
        if (!stop.found)
            break;
        EXPECT_LT(stop.start, stop.end);
        walk.shown.push_back(text.substr(stop.start + shift, stop.end - stop.start));
        at = stop.next + shift;
    }
    walk.text = std::move(text);
    return walk;
}

TEST(SpellScan, StopsAtEachWordTheListLacks) {
    Dictionary words;
    ASSERT_TRUE(words.Load("the\nof\nHaus\nStra\xC3\x9F"
                           "e\nisn't\n"));
    CheckLists lists;
    lists.Ignore(u"teh");
    lists.ReplaceAlways(u"recieve", u"receive");
    struct Case {
        const char* name;
        std::u16string text;
        std::size_t from;
        std::vector<std::u16string> shown;
        std::u16string after;
    };
    const Case cases[] = {
        {"nominal: known words pass", u"The Haus isn't", 0, {}, u"The Haus isn't"},
        {"nominal: unknown words stop it, in order",
         u"the wrod of sentense",
         0,
         {u"wrod", u"sentense"},
         u"the wrod of sentense"},
        // The last word was never looked up: the scan stopped at "total - 1".
        {"regression: the last word is looked up", u"the wrod", 0, {u"wrod"}, u"the wrod"},
        {"nominal: the umlaut notation is found", u"Stra\"se Stra\u00DFe", 0, {}, {}},
        {"nominal: one-letter words are never shown", u"x y z", 0, {}, u"x y z"},
        {"nominal: ignored words, whatever their case", u"teh Teh TEH", 0, {}, u"teh Teh TEH"},
        {"nominal: Replace All pairs are put in and not looked up again",
         u"recieve the Recieve wrod",
         0,
         {u"wrod"},
         u"receive the receive wrod"},
        {"nominal: from the middle", u"wrod the wrod", 5, {u"wrod"}, u"wrod the wrod"},
        {"nominal: commands and comments are skipped", u"\\wrod{the} % wrod\r\nthe", 0, {}, {}},
        {"robustness: empty", u"", 0, {}, u""},
        {"robustness: from the end", u"wrod", 4, {}, u"wrod"},
        {"robustness: from beyond the end", u"wrod", 9, {}, u"wrod"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Walk walk = IgnoreEach(c.text, c.from, words, lists);
        EXPECT_EQ(walk.shown, c.shown);
        EXPECT_EQ(walk.text, c.after.empty() ? c.text : c.after);
    }
}

TEST(SpellScan, ReportsTheReadPositionAsItGoes) {
    Dictionary words;
    ASSERT_TRUE(words.Load("word\n"));
    std::u16string text;
    while (text.size() < 200'000)
        text += u"word ";
    std::vector<std::size_t> heard;
    const ScanStop stop = ScanForMisspelling(text, 0, words, CheckLists(),
                                             [&](std::size_t at) { heard.push_back(at); });
    EXPECT_FALSE(stop.found);
    ASSERT_GT(heard.size(), 3u);
    EXPECT_LT(heard.size(), 100u) << "told for every word";
    EXPECT_TRUE(std::is_sorted(heard.begin(), heard.end()));
    EXPECT_EQ(heard.back(), text.size());
}

} // namespace
} // namespace orvelt
