#include "core/CodePage.h"
#include "editor/highlight/BlockTokenReader.h"
#include "editor/highlight/TokenScanner.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

using orvelt::HighlightToken;
using orvelt::ScanMode;
using orvelt::ScanOptions;

void Check(bool holds) {
    if (!holds) {
        std::abort();
    }
}

// Tokens lie in the input in order, each non-empty and viewing its own place. In line mode
// nothing is dropped, so they cover the input exactly.
template <class CharT>
void CheckTokens(std::basic_string_view<CharT> text,
                 const std::vector<HighlightToken<CharT>>& tokens, ScanMode mode) {
    std::size_t next = 0;
    for (const HighlightToken<CharT>& token : tokens) {
        Check(!token.text.empty());
        Check(token.offset >= next && token.offset + token.text.size() <= text.size());
        Check(token.text.data() == text.data() + token.offset);
        if (mode == ScanMode::Line) {
            Check(token.offset == next);
        }
        next = token.offset + token.text.size();
    }
    if (mode == ScanMode::Line) {
        Check(next == text.size());
    }
}

// The import reads the text in blocks of any size and must see the tokens of a whole-text scan.
template <class CharT>
void CheckBlocks(std::basic_string_view<CharT> text,
                 const std::vector<HighlightToken<CharT>>& tokens, ScanOptions options,
                 std::size_t blockSize) {
    std::size_t taken = 0;
    orvelt::BlockTokenReader<CharT> reader(
        [&](CharT* into, std::size_t capacity) {
            const std::size_t count = std::min(capacity, text.size() - taken);
            std::copy_n(text.data() + taken, count, into);
            taken += count;
            return count;
        },
        options, blockSize);
    for (const HighlightToken<CharT>& expected : tokens) {
        const auto token = reader.Next();
        Check(token.has_value() && *token == expected);
    }
    Check(!reader.Next().has_value());
    Check(reader.Consumed() == text.size());
}

template <class CharT>
std::vector<HighlightToken<CharT>> CheckScan(std::basic_string_view<CharT> text,
                                             ScanOptions options, std::size_t blockSize) {
    auto tokens = orvelt::ScanText(text, options);
    CheckTokens(text, tokens, options.mode);
    CheckBlocks(text, tokens, options, blockSize);
    return tokens;
}

} // namespace

// The first byte chooses the scan options and a block size; the rest is the text. Any text
// scans to well-formed tokens, the same whatever the block size: as bytes, as the UTF-16 it
// decodes to, and taken two bytes a unit as UTF-16 with lone surrogates. For valid UTF-8 the
// first two agree token for token.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::uint8_t choice = data[0];
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    ScanOptions options;
    options.mode = (choice & 1) != 0 ? ScanMode::Line : ScanMode::Source;
    options.filterSpecials = (choice & 2) != 0;
    options.utf8 = (choice & 4) != 0;
    const std::size_t blockSize = 1 + (choice >> 3);

    const auto tokens = CheckScan(bytes, options, blockSize);
    const std::u16string decoded = orvelt::Utf8ToUtf16(bytes);
    const auto wideTokens = CheckScan(std::u16string_view(decoded), options, blockSize);

    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t k = 0; k < units.size(); ++k) {
        units[k] = static_cast<char16_t>(data[1 + 2 * k] | data[2 + 2 * k] << 8);
    }
    (void)CheckScan(std::u16string_view(units), options, blockSize);

    if (options.utf8 && orvelt::IsValidUtf8(bytes)) {
        Check(wideTokens.size() == tokens.size());
        for (std::size_t k = 0; k < tokens.size(); ++k) {
            Check(wideTokens[k].kind == tokens[k].kind);
            Check(wideTokens[k].text == orvelt::Utf8ToUtf16(tokens[k].text));
        }
    }
    return 0;
}
