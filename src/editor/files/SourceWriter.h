#pragma once

#include "core/CodePage.h"
#include "core/LineEnd.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The source file as the document window writes it: one output line per surface line.
namespace orvelt {

// The soft-break marker: a comment TeX ignores, which the reader removes with its line end.
inline constexpr std::u16string_view kSoftBreakMarker = u"%%@";

// A line as the surface breaks it, without its break. A hard line (a line of the file) is one
// or more pieces; hardBreak is true on its last one, false where word wrap broke it.
struct SurfaceLine {
    std::u16string_view text;
    bool hardBreak;
    // On the last piece of a hard line: the end the file gave that line. Empty for a line the
    // file did not have (typed here), which takes SourceWriteOptions::lineEnd.
    std::optional<LineEnd> lineEnd = std::nullopt;
};

// What the writer tells its line hook about each surface line, in order.
struct SourceLineStart {
    int number = 0;              // 1-based, as the surface counts lines
    std::u16string_view text;    // the line without its break
    int braceDepthBefore = 0;    // all "{" minus all "}" of the lines before it
    int braceDepthAfter = 0;     // and of the line itself
    bool beginsFileLine = false; // what the hook appends now precedes the line in the file
    bool afterMarker = false;    // the file line before ends in a soft-break marker
    bool endsHardLine = false;   // the last piece of a line of the file
};

using LineHook = std::function<void(const SourceLineStart& line, std::u16string& out)>;

struct SourceWriteOptions {
    TextEncoding encoding = TextEncoding::Utf8;
    LineEnd lineEnd = LineEnd::Lf; // the document's default: its first line end
    bool softBreakMarker = false;  // "%%@" active (word wrap on and not a .bib file)
    // Called for every surface line before it is written (source specials). What it appends to
    // `out` precedes the line, and is kept only where the line begins a file line: never for a
    // piece that stays on the line before (no break allowed there) or continues a comment.
    LineHook beforeLine;
};

struct SourceWriteResult {
    std::string bytes;
    int braceDepth = 0;
};

// Each hard line ends with its own line end. With the marker off, a piece that word wrap broke
// ends with its hard line's end too. With it on, a soft break is written only where
// SoftBreakState allows it: "%%@" and the hard line's end, and inside a comment "%" before the
// next piece so TeX keeps it a comment; elsewhere the pieces stay one line. The last line gets
// no line end, so an unchanged file is written back byte for byte. Utf8Bom writes the
// byte-order mark first.
[[nodiscard]] SourceWriteResult WriteSource(const std::vector<SurfaceLine>& lines,
                                            const SourceWriteOptions& options);

} // namespace orvelt
