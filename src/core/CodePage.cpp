#include "core/CodePage.h"

#include <array>
#include <cstdint>

namespace orvelt {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kInvalid = 0xFFFFFFFF;

// Windows-1252 bytes 80..9F. The five bytes the code page leaves undefined map to the C1
// control of the same value, so that every byte survives a read and a write.
constexpr std::array<char16_t, 32> kHigh1252 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

struct ByteMap {
    unsigned char from;
    unsigned char to;
};

// The ASCII setting's tables, following DOS code page 437; they are not inverses.
constexpr ByteMap kAnsiToAscii[] = {
    {0xA1, 0xAD}, {0xA2, 0x9B}, {0xA3, 0x9C}, {0xA5, 0x9D}, {0xA7, 0x15}, {0xAA, 0xA6},
    {0xAB, 0xAE}, {0xAC, 0xAA}, {0xAD, 0x2D}, {0xB0, 0xF8}, {0xB1, 0xF1}, {0xB2, 0xFD},
    {0xB4, 0x27}, {0xB5, 0xE6}, {0xBA, 0xA7}, {0xBB, 0xAF}, {0xBC, 0xAC}, {0xBD, 0xAB},
    {0xBF, 0xA8}, {0xC4, 0x8E}, {0xC5, 0x8F}, {0xC6, 0x92}, {0xC7, 0x80}, {0xC9, 0x90},
    {0xD1, 0xA5}, {0xD6, 0x99}, {0xD8, 0xED}, {0xDC, 0x9A}, {0xDF, 0xE1}, {0xE0, 0x85},
    {0xE1, 0xA0}, {0xE2, 0x83}, {0xE4, 0x84}, {0xE5, 0x86}, {0xE6, 0x91}, {0xE7, 0x87},
    {0xE8, 0x8A}, {0xE9, 0x82}, {0xEA, 0x88}, {0xEB, 0x89}, {0xEC, 0x8D}, {0xED, 0xA1},
    {0xEE, 0x8C}, {0xEF, 0x8B}, {0xF1, 0xA4}, {0xF2, 0x95}, {0xF3, 0xA2}, {0xF4, 0x93},
    {0xF6, 0x94}, {0xF7, 0xF6}, {0xF8, 0xED}, {0xF9, 0x97}, {0xFA, 0xA3}, {0xFB, 0x96},
    {0xFC, 0x81}, {0xFF, 0x98},
};

constexpr ByteMap kAsciiToAnsi[] = {
    {0x81, 0xFC}, {0x82, 0xE9}, {0x83, 0xE2}, {0x84, 0xE4}, {0x85, 0xE0}, {0x86, 0xE5},
    {0x87, 0xE7}, {0x88, 0xEA}, {0x89, 0xEB}, {0x8A, 0xE8}, {0x8B, 0xEF}, {0x8C, 0xEE},
    {0x8D, 0xEC}, {0x8E, 0xC4}, {0x8F, 0xC5}, {0x90, 0xC9}, {0x91, 0xE6}, {0x93, 0xF4},
    {0x94, 0xF6}, {0x95, 0xF2}, {0x96, 0xFB}, {0x97, 0xF9}, {0x98, 0xFF}, {0x99, 0xD6},
    {0x9A, 0xDC}, {0x9B, 0xA2}, {0x9C, 0xA3}, {0x9D, 0xA5}, {0xA0, 0xE1}, {0xA1, 0xED},
    {0xA2, 0xF3}, {0xA3, 0xFA}, {0xA4, 0xF1}, {0xA5, 0xD1}, {0xA6, 0xAA}, {0xA7, 0xBA},
    {0xA8, 0xBF}, {0xAB, 0xBD}, {0xAC, 0xBC}, {0xAD, 0xA1}, {0xAE, 0xAB}, {0xAF, 0xBB},
    {0xE1, 0xDF}, {0xE6, 0xB5}, {0xF1, 0xB1}, {0xF6, 0xF7}, {0xF8, 0xB0}, {0xF9, 0xB7},
    {0xFD, 0xB2},
};

template <std::size_t N>
constexpr std::array<unsigned char, 256> BuildTable(const ByteMap (&map)[N], unsigned first) {
    std::array<unsigned char, 256> table{};
    for (unsigned i = 0; i < 256; ++i) {
        table[i] = static_cast<unsigned char>(i < first ? i : 0x20);
    }
    for (const ByteMap& m : map) {
        table[m.from] = m.to;
    }
    return table;
}

constexpr auto kAnsiToAsciiTable = BuildTable(kAnsiToAscii, 161);
constexpr auto kAsciiToAnsiTable = BuildTable(kAsciiToAnsi, 129);

// Decodes one character at bytes[i]. Returns the number of bytes it takes; cp is kInvalid for
// a maximal subsequence that starts no valid character (always at least one byte).
std::size_t DecodeUtf8At(std::string_view bytes, std::size_t i, char32_t& cp) {
    const auto b0 = static_cast<unsigned char>(bytes[i]);
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    std::size_t need = 0;
    unsigned char lo = 0x80;
    unsigned char hi = 0xBF;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        need = 1;
        cp = b0 & 0x1Fu;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        need = 2;
        cp = b0 & 0x0Fu;
        if (b0 == 0xE0) {
            lo = 0xA0; // shorter forms are overlong
        } else if (b0 == 0xED) {
            hi = 0x9F; // D800..DFFF are surrogates
        }
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        need = 3;
        cp = b0 & 0x07u;
        if (b0 == 0xF0) {
            lo = 0x90;
        } else if (b0 == 0xF4) {
            hi = 0x8F; // beyond U+10FFFF
        }
    } else {
        cp = kInvalid;
        return 1;
    }
    std::size_t len = 1;
    for (std::size_t k = 0; k < need; ++k, ++len) {
        if (i + len >= bytes.size()) {
            cp = kInvalid;
            return len;
        }
        const auto b = static_cast<unsigned char>(bytes[i + len]);
        if (b < lo || b > hi) {
            cp = kInvalid;
            return len;
        }
        lo = 0x80;
        hi = 0xBF;
        cp = (cp << 6) | (b & 0x3Fu);
    }
    return len;
}

void AppendUtf16(std::u16string& out, char32_t cp) {
    if (cp < 0x10000) {
        out.push_back(static_cast<char16_t>(cp));
    } else {
        cp -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    }
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

bool IsHighSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char32_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// Reads one character of UTF-16 text, pairing surrogates; a lone one comes back as itself.
char32_t NextChar(std::u16string_view text, std::size_t& i) {
    const char32_t c = text[i++];
    if (IsHighSurrogate(c) && i < text.size() && IsLowSurrogate(text[i])) {
        const char32_t low = text[i++];
        return 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
    }
    return c;
}

// The Windows-1252 byte for a character, or -1 when the code page has none.
int To1252(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<int>(c);
    }
    if (c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D) {
        return static_cast<int>(c);
    }
    if (c < 0xA0) {
        return -1; // the other C1 controls have bytes of their own characters
    }
    for (std::size_t k = 0; k < kHigh1252.size(); ++k) {
        if (kHigh1252[k] == c) {
            return static_cast<int>(0x80 + k);
        }
    }
    return -1;
}

constexpr std::string_view kBom = "\xEF\xBB\xBF";

} // namespace

bool IsValidUtf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        char32_t cp = 0;
        i += DecodeUtf8At(bytes, i, cp);
        if (cp == kInvalid) {
            return false;
        }
    }
    return true;
}

TextEncoding DetectEncoding(std::string_view bytes, bool asciiOption) {
    if (asciiOption) {
        return TextEncoding::Dos437;
    }
    if (!IsValidUtf8(bytes)) {
        return TextEncoding::Windows1252;
    }
    return bytes.starts_with(kBom) ? TextEncoding::Utf8Bom : TextEncoding::Utf8;
}

char16_t Windows1252ToChar(unsigned char b) {
    return b >= 0x80 && b < 0xA0 ? kHigh1252[b - 0x80] : static_cast<char16_t>(b);
}

unsigned char AnsiToAscii(unsigned char c) {
    return kAnsiToAsciiTable[c];
}

unsigned char AsciiToAnsi(unsigned char c) {
    return kAsciiToAnsiTable[c];
}

std::u16string Utf8ToUtf16(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            out.push_back(b);
            ++i;
            continue;
        }
        char32_t cp = 0;
        i += DecodeUtf8At(bytes, i, cp);
        AppendUtf16(out, cp == kInvalid ? kReplacement : cp);
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] < 0x80) {
            out.push_back(static_cast<char>(text[i++]));
            continue;
        }
        const char32_t c = NextChar(text, i);
        AppendUtf8(out, IsHighSurrogate(c) || IsLowSurrogate(c) ? kReplacement : c);
    }
    return out;
}

std::u16string DecodeText(std::string_view bytes, TextEncoding enc) {
    switch (enc) {
    case TextEncoding::Utf8Bom:
        if (bytes.starts_with(kBom)) {
            bytes.remove_prefix(kBom.size());
        }
        return Utf8ToUtf16(bytes);
    case TextEncoding::Utf8:
        return Utf8ToUtf16(bytes);
    case TextEncoding::Windows1252:
    case TextEncoding::Dos437: {
        const bool dos = enc == TextEncoding::Dos437;
        std::u16string out(bytes.size(), u'\0');
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            auto b = static_cast<unsigned char>(bytes[i]);
            if (dos) {
                b = AsciiToAnsi(b);
            }
            out[i] = Windows1252ToChar(b);
        }
        return out;
    }
    }
    return {};
}

std::string EncodeText(std::u16string_view text, TextEncoding enc) {
    if (enc == TextEncoding::Utf8 || enc == TextEncoding::Utf8Bom) {
        return Utf16ToUtf8(text);
    }
    const bool dos = enc == TextEncoding::Dos437;
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const char32_t c = NextChar(text, i);
        const int b = To1252(c);
        if (b < 0) {
            out.push_back('?');
        } else if (dos && b > 160) {
            out.push_back(static_cast<char>(AnsiToAscii(static_cast<unsigned char>(b))));
        } else {
            out.push_back(static_cast<char>(b));
        }
    }
    return out;
}

bool CanEncode(char32_t c, TextEncoding enc) {
    switch (enc) {
    case TextEncoding::Utf8:
    case TextEncoding::Utf8Bom:
        return c <= 0x10FFFF && !IsHighSurrogate(c) && !IsLowSurrogate(c);
    case TextEncoding::Windows1252:
        return To1252(c) >= 0;
    case TextEncoding::Dos437: {
        // Held means it comes back from a save and a read: the two tables are not inverses.
        const int b = To1252(c);
        if (b < 0) {
            return false;
        }
        const auto byte = static_cast<unsigned char>(b);
        return AsciiToAnsi(byte > 160 ? AnsiToAscii(byte) : byte) == byte;
    }
    }
    return false;
}

} // namespace orvelt
