#include "core/CodePage.h"
#include "editor/files/RtfCodec.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <unordered_map>
#include <utility>

namespace orvelt {
namespace {

constexpr unsigned kAllStyles = kBold | kItalic | kUnderline | kStrikeOut;
constexpr std::uint32_t kColorMask = 0xFFFFFF;

void AppendInt(std::string& out, std::int64_t value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

void AppendHexByte(std::string& out, unsigned value) {
    constexpr char kDigits[] = "0123456789abcdef";
    out += "\\'";
    out.push_back(kDigits[(value >> 4) & 0xF]);
    out.push_back(kDigits[value & 0xF]);
}

// Text of the body or of a font name. Every code unit is written so that it reads back as
// itself: non-ASCII as \uN with a '?' for readers that cannot, lone surrogates included.
void AppendEscaped(std::string& out, std::u16string_view text, bool fontName) {
    for (const char16_t c : text) {
        if (c >= 0x20 && c < 0x80) {
            if (c == '\\' || c == '{' || c == '}') {
                out.push_back('\\');
            } else if (fontName && c == ';') {
                AppendHexByte(out, c); // a bare ';' ends the name
                continue;
            }
            out.push_back(static_cast<char>(c));
        } else if (c == '\n') {
            out += "\\par\n";
        } else if (c == '\t') {
            out += "\\tab ";
        } else if (c < 0x20) {
            AppendHexByte(out, c);
        } else {
            out += "\\u";
            AppendInt(out, static_cast<std::int16_t>(c));
            out.push_back('?');
        }
    }
}

} // namespace

std::string WriteRtf(const StyledText& runs) {
    FlatStyledText flat;
    for (const StyledRun& run : runs) {
        if (run.text.empty()) {
            continue;
        }
        auto it = std::find(flat.styles.begin(), flat.styles.end(), run.style);
        if (it == flat.styles.end()) {
            it = flat.styles.insert(it, run.style);
        }
        flat.runs.push_back({run.text.size(), static_cast<std::size_t>(it - flat.styles.begin())});
        flat.text += run.text;
    }
    return WriteRtf(flat);
}

std::string WriteRtf(const FlatStyledText& styled) {
    // Tables first: font and colour numbers in order of first use.
    std::vector<std::string_view> faces;
    std::vector<std::uint32_t> colors;
    std::unordered_map<std::string_view, int> faceIndex;
    std::unordered_map<std::uint32_t, int> colorIndex;
    // Each style's font and colour numbers, made when a run first uses it.
    std::vector<std::pair<int, int>> styleIndex(styled.styles.size(), {-1, -1});
    for (const FlatStyledText::Run& run : styled.runs) {
        if (run.length == 0 || styleIndex[run.style].first >= 0) {
            continue;
        }
        const HighlightStyle& style = styled.styles[run.style];
        const std::uint32_t color = style.color & kColorMask;
        const auto face = faceIndex.try_emplace(style.face, static_cast<int>(faces.size()));
        if (face.second) {
            faces.push_back(style.face);
        }
        const auto col = colorIndex.try_emplace(color, static_cast<int>(colors.size()) + 1);
        if (col.second) {
            colors.push_back(color);
        }
        styleIndex[run.style] = {face.first->second, col.first->second};
    }

    const std::size_t textSize = styled.text.size();
    std::string out;
    out.reserve(256 + textSize + textSize / 4 + styled.runs.size() * 24);
    out += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n{\\fonttbl";
    for (std::size_t f = 0; f < faces.size(); ++f) {
        out += "{\\f";
        AppendInt(out, static_cast<std::int64_t>(f));
        out += "\\fnil\\fcharset0 ";
        AppendEscaped(out, Utf8ToUtf16(faces[f]), true);
        out += ";}";
    }
    out += "}\n{\\colortbl;";
    for (const std::uint32_t color : colors) {
        out += "\\red";
        AppendInt(out, color & 0xFF);
        out += "\\green";
        AppendInt(out, (color >> 8) & 0xFF);
        out += "\\blue";
        AppendInt(out, (color >> 16) & 0xFF);
        out.push_back(';');
    }
    out += "}\n\\pard\\plain";

    // After \plain nothing is bold, italic, underlined or struck out; font, size and colour
    // are written for the first run whatever they are.
    bool first = true;
    int font = 0;
    int color = 0;
    int size = 0;
    unsigned styles = 0;
    const auto toggle = [&](unsigned now, unsigned bit, const char* on, const char* off) {
        if ((now & bit) != (styles & bit)) {
            out += (now & bit) != 0 ? on : off;
        }
    };
    const std::u16string_view text(styled.text);
    std::size_t at = 0;
    for (const FlatStyledText::Run& run : styled.runs) {
        if (run.length == 0) {
            continue;
        }
        const HighlightStyle& style = styled.styles[run.style];
        const std::size_t before = out.size();
        const auto [runFont, runColor] = styleIndex[run.style];
        if (first || runFont != font) {
            out += "\\f";
            AppendInt(out, runFont);
        }
        if (first || style.size != size) {
            out += "\\fs";
            AppendInt(out, 2 * static_cast<std::int64_t>(style.size));
        }
        if (first || runColor != color) {
            out += "\\cf";
            AppendInt(out, runColor);
        }
        const unsigned runStyles = style.styles & kAllStyles;
        toggle(runStyles, kBold, "\\b", "\\b0");
        toggle(runStyles, kItalic, "\\i", "\\i0");
        toggle(runStyles, kUnderline, "\\ul", "\\ulnone");
        toggle(runStyles, kStrikeOut, "\\strike", "\\strike0");
        if (out.size() != before) {
            out.push_back(' ');
        }
        first = false;
        font = runFont;
        color = runColor;
        size = style.size;
        styles = runStyles;
        AppendEscaped(out, text.substr(at, run.length), false);
        at += run.length;
    }
    out += "}\n";
    return out;
}

} // namespace orvelt
