#pragma once

#include "core/HighlightStyle.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The sidecar file: the editor's whole styled text as RTF.
namespace orvelt {

// '\n' in text ends a paragraph.
struct StyledRun {
    std::u16string text;
    HighlightStyle style;

    bool operator==(const StyledRun&) const = default;
};
using StyledText = std::vector<StyledRun>;

// The same text in one piece, with runs that index a table of its styles: a big sidecar holds
// hundreds of thousands of runs, and a string and a style for each cost more than the reading.
struct FlatStyledText {
    struct Run {
        std::size_t length;
        std::size_t style; // into styles
    };
    std::u16string text;
    std::vector<HighlightStyle> styles;
    std::vector<Run> runs; // none empty, no two neighbours of one style
};
// Every character format comes back exactly from ReadRtf: face, size, colour (its low 24
// bits), bold, italic, underline, strikeout. Adjacent runs of equal style come back merged and
// empty runs are dropped.
[[nodiscard]] std::string WriteRtf(const StyledText& runs);
[[nodiscard]] std::string WriteRtf(const FlatStyledText& styled);

struct RtfReadResult {
    StyledText runs;
    bool ok = false;
    std::string error;
    std::size_t errorOffset = 0; // byte offset of the fault when !ok
};

// Reads our own sidecars exactly and other programs' RTF well enough to get their text and
// character formats. Malformed input (not RTF, unbalanced or too deeply nested groups) gives
// ok == false with the text read so far.
[[nodiscard]] RtfReadResult ReadRtf(std::string_view rtf);

struct RtfFlatReadResult {
    FlatStyledText styled;
    bool ok = false;
    std::string error;
    std::size_t errorOffset = 0;
};
[[nodiscard]] RtfFlatReadResult ReadRtfFlat(std::string_view rtf);

} // namespace orvelt
