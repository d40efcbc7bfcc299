// The spell check's scan over arbitrary UTF-16 text: reading never goes past the end, every
// read consumes something, and every position it reports lies inside the text, in order.

#include "editor/spell/SpellScan.h"
#include "editor/spell/WordReader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Check(bool holds) {
    if (!holds)
        std::abort();
}

const orvelt::Dictionary& Words() {
    static const orvelt::Dictionary words = [] {
        orvelt::Dictionary d;
        (void)d.Load("the\nword\nGr\xC3\xBC\xC3\x9F"
                     "e\nisn't\n");
        return d;
    }();
    return words;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        text += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    const std::u16string_view view = text;

    for (std::size_t at = 0; at < view.size();) {
        const orvelt::WordRead read = orvelt::ReadWord(view, at);
        Check(read.next > at && read.next <= view.size());
        Check(at <= read.token && read.token <= read.start && read.start <= read.end &&
              read.end <= read.next);
        at = read.next;
    }
    orvelt::CheckLists lists;
    lists.Ignore(u"teh");
    lists.ReplaceAlways(u"wrod", u"word");
    const std::size_t caret = size > 0 ? data[0] % (view.size() + 1) : 0;
    const std::size_t from = orvelt::CheckStart(view, caret);
    Check(from <= caret);
    std::size_t last = from;
    const orvelt::ScanStop stop =
        orvelt::ScanForMisspelling(view, from, Words(), lists, [&](std::size_t at) {
            Check(at >= last && at <= view.size());
            last = at;
        });
    std::size_t previousEnd = from;
    for (const orvelt::AutoReplacement& r : stop.replacements) {
        Check(previousEnd <= r.start && r.start < r.end && r.end <= view.size());
        previousEnd = r.end;
    }
    Check(stop.next <= view.size());
    if (stop.found)
        Check(previousEnd <= stop.start && stop.start < stop.end && stop.end <= stop.next);
    else
        Check(stop.next == view.size());
    return 0;
}
