#include "core/CodePage.h"

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

using orvelt::TextEncoding;

constexpr TextEncoding kEncodings[] = {TextEncoding::Utf8, TextEncoding::Utf8Bom,
                                       TextEncoding::Windows1252, TextEncoding::Dos437};

constexpr std::string_view kBom = "\xEF\xBB\xBF";

void Check(bool holds) {
    if (!holds) {
        std::abort();
    }
}

// One character of UTF-16 text, a surrogate pair as one, a lone surrogate as itself.
char32_t NextChar(std::u16string_view text, std::size_t& i) {
    const char32_t c = text[i++];
    if (c >= 0xD800 && c <= 0xDBFF && i < text.size() && text[i] >= 0xDC00 && text[i] <= 0xDFFF) {
        return 0x10000 + ((c - 0xD800) << 10) + (text[i++] - 0xDC00);
    }
    return c;
}

std::u16string AsUtf16(char32_t c) {
    if (c < 0x10000) {
        return std::u16string(1, static_cast<char16_t>(c));
    }
    c -= 0x10000;
    return {static_cast<char16_t>(0xD800 + (c >> 10)), static_cast<char16_t>(0xDC00 + (c & 0x3FF))};
}

// A file as the source writer makes it: the byte-order mark comes from it, not the encoder.
std::string Save(std::u16string_view text, TextEncoding enc) {
    std::string bytes = enc == TextEncoding::Utf8Bom ? std::string(kBom) : std::string();
    bytes += orvelt::EncodeText(text, enc);
    return bytes;
}

// What CanEncode promises: a character it accepts comes back from a save and a read. Each
// distinct character once: a save per character of a long text starves the fuzzer.
void CheckCanEncode(std::u16string_view text, TextEncoding enc) {
    static std::bitset<0x110000> seen;
    std::vector<char32_t> distinct;
    std::size_t i = 0;
    while (i < text.size()) {
        const char32_t c = NextChar(text, i);
        if (!seen[c]) {
            seen[c] = true;
            distinct.push_back(c);
        }
    }
    for (const char32_t c : distinct) {
        seen[c] = false;
        if (orvelt::CanEncode(c, enc)) {
            const std::u16string one = AsUtf16(c);
            Check(orvelt::DecodeText(Save(one, enc), enc) == one);
        }
    }
}

} // namespace

// Any bytes, in every encoding: reading and writing return. Windows-1252 gives any file back
// byte for byte, and so does UTF-8 for a valid file (less a byte-order mark, which is not
// written). A UTF-8 reading has no lone surrogates, so it writes as valid UTF-8 that reads
// back the same. Detection agrees with the validity check.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const bool valid = orvelt::IsValidUtf8(bytes);

    Check(orvelt::DetectEncoding(bytes, true) == TextEncoding::Dos437);
    const TextEncoding detected = orvelt::DetectEncoding(bytes, false);
    Check(valid ? detected == (bytes.starts_with(kBom) ? TextEncoding::Utf8Bom : TextEncoding::Utf8)
                : detected == TextEncoding::Windows1252);

    for (const TextEncoding enc : kEncodings) {
        const std::u16string text = orvelt::DecodeText(bytes, enc);
        for (const TextEncoding to : kEncodings) {
            (void)orvelt::EncodeText(text, to);
        }
        CheckCanEncode(text, enc);
    }

    const std::u16string cp1252 = orvelt::DecodeText(bytes, TextEncoding::Windows1252);
    Check(cp1252.size() == bytes.size());
    Check(orvelt::EncodeText(cp1252, TextEncoding::Windows1252) == bytes);

    const std::u16string utf8 = orvelt::DecodeText(bytes, TextEncoding::Utf8);
    const std::string utf8Written = orvelt::EncodeText(utf8, TextEncoding::Utf8);
    Check(orvelt::IsValidUtf8(utf8Written));
    Check(orvelt::DecodeText(utf8Written, TextEncoding::Utf8) == utf8);
    if (valid) {
        Check(utf8Written == bytes);
        std::string_view body = bytes;
        if (body.starts_with(kBom)) {
            body.remove_prefix(kBom.size());
        }
        Check(orvelt::EncodeText(orvelt::DecodeText(bytes, TextEncoding::Utf8Bom),
                                 TextEncoding::Utf8Bom) == body);
    }

    // The same bytes taken as UTF-16 text, lone surrogates and all: written as UTF-8, they
    // make a valid file.
    std::u16string units(size / 2, u'\0');
    for (std::size_t k = 0; k < units.size(); ++k) {
        units[k] = static_cast<char16_t>(data[2 * k] | data[2 * k + 1] << 8);
    }
    Check(orvelt::IsValidUtf8(orvelt::EncodeText(units, TextEncoding::Utf8)));
    for (const TextEncoding enc : kEncodings) {
        CheckCanEncode(units, enc);
    }
    return 0;
}
