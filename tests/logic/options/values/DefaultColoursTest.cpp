#include "options/values/OptionValues.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace orvelt {
namespace {

struct Rgb {
    double r, g, b; // 0..1
};

Rgb RgbOf(std::uint32_t value) { // red + 256 green + 65536 blue
    return {(value & 0xFF) / 255.0, ((value >> 8) & 0xFF) / 255.0, ((value >> 16) & 0xFF) / 255.0};
}

// WCAG 2 relative luminance and contrast ratio, from sRGB.
double Luminance(std::uint32_t value) {
    auto linear = [](double c) {
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    const Rgb c = RgbOf(value);
    return 0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b);
}

double Contrast(std::uint32_t a, std::uint32_t b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The HSV hue in degrees; -1 for a grey, which has none.
double Hue(std::uint32_t value) {
    const Rgb c = RgbOf(value);
    const double high = std::max({c.r, c.g, c.b});
    const double chroma = high - std::min({c.r, c.g, c.b});
    if (chroma == 0)
        return -1;
    double hue = high == c.r   ? std::fmod((c.g - c.b) / chroma, 6.0)
                 : high == c.g ? (c.b - c.r) / chroma + 2
                               : (c.r - c.g) / chroma + 4;
    hue *= 60;
    return hue < 0 ? hue + 360 : hue;
}

double HueDistance(double a, double b) {
    const double d = std::fabs(a - b);
    return std::min(d, 360 - d);
}

constexpr std::uint32_t kOldGrey = 0xC0C0C0;
constexpr double kReadable = 4.5;

// Each category with the colour and style it had before: the hue family to keep. The figures
// are the old contrast on the old light grey, which these tests must reject where it is short.
struct Row {
    const char* name;
    StyleKind kind;
    std::uint32_t old; // 0xBBGGRR
    unsigned styles;
};
constexpr Row kRows[] = {
    {"TeX command: red, was 2.2:1", StyleKind::TexCommand, 0x0000FF, kBold},
    {"user command: maroon, was 6.0:1", StyleKind::UserCommand, 0x000080, kBold},
    {"text: black, was 11.5:1", StyleKind::Text, 0x000000, 0},
    {"brace: lime (green), was 1.3:1", StyleKind::Brace, 0x00FF00, kBold},
    {"bracket: yellow, was 1.7:1", StyleKind::Bracket, 0x00FFFF, kBold},
    {"comment: blue, was 4.7:1", StyleKind::Comment, 0xFF0000, kItalic},
    {"math: cyan, was 1.4:1", StyleKind::Math, 0xFFFF00, kBold | kItalic},
};

TEST(DefaultColours, EveryCategoryIsReadableOnWhiteInItsOwnHue) {
    const OptionValues o = ReadOptionValues(MemorySettingsStore());
    EXPECT_EQ(o.background, 0xFFFFFFu);
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.name);
        const HighlightStyle& style = StyleFor(o.styles, row.kind);
        EXPECT_GE(Contrast(style.color, o.background), kReadable);
        EXPECT_EQ(style.styles, row.styles);
        const double oldHue = Hue(row.old);
        if (oldHue < 0)
            EXPECT_LT(Hue(style.color), 0) << "a grey stays grey";
        else
            EXPECT_LE(HueDistance(Hue(style.color), oldHue), 15.0);
    }
}

// The check must tell: it gives WCAG's own figures, and the old defaults fail it for red,
// lime, yellow and cyan.
TEST(DefaultColours, TheOldDefaultsOnGreyFailTheCheck) {
    EXPECT_NEAR(Contrast(0x000000, 0xFFFFFF), 21.0, 1e-9);
    EXPECT_NEAR(Contrast(0x767676, 0xFFFFFF), 4.54, 0.005) << "the lightest grey readable on white";
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.name);
        const bool shortOfReadable = row.kind == StyleKind::TexCommand ||
                                     row.kind == StyleKind::Brace ||
                                     row.kind == StyleKind::Bracket || row.kind == StyleKind::Math;
        EXPECT_EQ(Contrast(row.old, kOldGrey) < kReadable, shortOfReadable);
    }
}

// Only a new settings file gets the new colours: a stored colour, an old file's grey
// included, still wins.
TEST(DefaultColours, StoredColoursWin) {
    MemorySettingsStore store;
    store.Write("HintergrundFarbe", "12632256");
    store.Write("Klammer1Farbe", "65280");
    const OptionValues o = ReadOptionValues(store);
    EXPECT_EQ(o.background, kOldGrey);
    EXPECT_EQ(StyleFor(o.styles, StyleKind::Brace).color, 0x00FF00u);
}

} // namespace
} // namespace orvelt
