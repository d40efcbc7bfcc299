// The learned file's round trip: load a file, learn a word, write it back, load again. Every
// word known before and the one learned are known after, and the old bytes are kept in front.

#include "core/CodePage.h"
#include "editor/spell/Dictionary.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

void Check(bool holds) {
    if (!holds)
        std::abort();
}

// The words of a list as the dictionary reads its lines, trimmed of blanks.
std::vector<std::u16string> Lines(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    const std::u16string text =
        orvelt::DecodeText(bytes, orvelt::IsValidUtf8(bytes) ? orvelt::TextEncoding::Utf8
                                                             : orvelt::TextEncoding::Windows1252);
    std::vector<std::u16string> lines;
    std::u16string_view rest = text;
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find_first_of(u"\r\n"), rest.size());
        lines.emplace_back(rest.substr(0, end));
        rest.remove_prefix(end < rest.size() ? end + 1 : end);
    }
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t wordLength = std::min<std::size_t>(input[0] & 0x1F, size - 1);
    const std::string_view word = input.substr(1, wordLength);
    const std::string_view file = input.substr(1 + wordLength);

    orvelt::Dictionary before;
    if (!before.Load(file))
        return 0; // NUL bytes: no list
    std::vector<std::u16string> known;
    for (const std::u16string& line : Lines(file))
        if (before.Contains(line))
            known.push_back(line);
    before.Add(word);
    const std::string written = orvelt::LearnedFileText(file, before.Pending());
    Check(written.starts_with(file));

    orvelt::Dictionary after;
    Check(after.Load(written));
    for (const std::u16string& line : known)
        Check(after.Contains(line));
    const bool codePage = !orvelt::IsValidUtf8(file);
    for (const std::u16string& learned : before.Pending()) {
        bool holdable = true;
        for (char16_t c : learned)
            holdable = holdable && orvelt::CanEncode(c, orvelt::TextEncoding::Windows1252);
        if (!codePage || holdable)
            Check(after.Contains(learned));
    }
    return 0;
}
