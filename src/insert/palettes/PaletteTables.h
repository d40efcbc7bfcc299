#pragma once

#include <array>
#include <span>
#include <string_view>

// What the symbol and font palettes insert: each button's command, in button order (left to
// right, top to bottom), with the character that pictures it.
namespace orvelt {

struct PaletteSymbol {
    std::string_view command; // exactly the text inserted, and the button's hint
    char32_t codePoint;       // 0: no installed font has it, so the picture is drawn
};

struct SymbolTable {
    std::string_view windowClass;
    std::string_view title; // empty: the title bar shows no text
    int columns;
    int rows;
    int buttonPixels; // square buttons
    std::span<const PaletteSymbol> symbols;
};

enum class SymbolPalette { Greek, BinOps, RelOps, Arrows, Misc };
inline constexpr std::array kSymbolPalettes = {SymbolPalette::Greek, SymbolPalette::BinOps,
                                               SymbolPalette::RelOps, SymbolPalette::Arrows,
                                               SymbolPalette::Misc};

[[nodiscard]] const SymbolTable& TableOf(SymbolPalette palette);

// The faces requested for a font choice's preview; fontconfig picks an installed face of the
// kind when the named one is missing.
enum class FaceKind { Serif, SansSerif, Monospace };

struct FontChoice {
    std::string_view caption;   // on the button
    std::string_view listEntry; // in the drop-down list
    std::string_view command;   // inserted
    std::string_view face;      // of the button's preview (the size row has none)
    FaceKind kind;
    int points;
    bool bold;
    bool italic;
};

// Choices count from 1, as the up-down controls do.
[[nodiscard]] std::span<const FontChoice> FontChoices(); // 8: roman ... typewriter
[[nodiscard]] std::span<const FontChoice> SizeChoices(); // 10: tiny ... Huge
inline constexpr int kRomanChoice = 1;
inline constexpr int kNormalsizeChoice = 5;

// One click on an up-down control from `choice` (1 to count): the upper arrow steps back, the
// lower forward, wrapping around at both ends.
[[nodiscard]] int StepChoice(int choice, bool upperArrow, int count);

} // namespace orvelt
