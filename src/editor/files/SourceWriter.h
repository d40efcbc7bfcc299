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

struct SourceWriteOptions {
    TextEncoding encoding = TextEncoding::Utf8;
    LineEnd lineEnd = LineEnd::Lf; // the document's default: its first line end
    bool softBreakMarker = false;  // "%%@" active (word wrap on and not a .bib file)
    // Called where a file line begins with a surface line, with the surface line's 1-based
    // number and the running brace depth after that line's own braces; what it appends to `out`
    // precedes the line (source specials). Not called for a piece that stays on the line before
    // (no break allowed there), nor for one that continues a comment.
    std::function<void(int lineNumber, int braceDepth, std::u16string& out)> beforeLine;
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
