#pragma once

#include <string_view>

// What the RTF reader makes of a control word's name; its parameter is the reader's business.
namespace orvelt {

enum class RtfWord {
    Unknown,
    SkippedDestination,
    FontTable,
    ColorTable,
    Plain,
    Font,
    FontSize,
    Color,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Strike,
    Hidden,
    Red,
    Green,
    Blue,
    DefaultFont,
    Unicode,
    UnicodeSkip,
    Binary,
    Paragraph,
    Tab,
    Character, // a word that stands for one character
    CodePage,
};

struct RtfWordMeaning {
    RtfWord word = RtfWord::Unknown;
    int value = 0; // the character a word stands for, or the code page \ansi and its kin name
};

// Words not known here mean RtfWord::Unknown, which the reader ignores as the format asks.
[[nodiscard]] RtfWordMeaning LookUpRtfWord(std::string_view name);

} // namespace orvelt
