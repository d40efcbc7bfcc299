#pragma once

#include "core/CodePage.h"
#include "core/LineEnd.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The source file as the document window writes it: one output line per surface line.
namespace orvelt {

// A line as the surface breaks it, without its break.
struct SurfaceLine {
    std::u16string_view text;
    bool hardBreak;
};

struct SourceWriteOptions {
    TextEncoding encoding = TextEncoding::Utf8;
    LineEnd lineEnd = LineEnd::Lf; // the document's own
    bool softBreakMarker = false;  // "%%@" active (word wrap on and not a .bib file)
    // Called before each line is written, with the 1-based line number and the running brace
    // depth after that line's own braces; what it appends to `out` precedes the line (source
    // specials).
    std::function<void(int lineNumber, int braceDepth, std::u16string& out)> beforeLine;
};

struct SourceWriteResult {
    std::string bytes;
    int braceDepth = 0;
};

// Each line ends with lineEnd; a line that word wrap broke gets "%%@" before it when the
// marker is active, and when the break falls inside a comment the next piece starts with "%"
// so TeX keeps it a comment. The last line gets neither, so an unchanged file is written back
// byte for byte. Utf8Bom writes the byte-order mark first.
[[nodiscard]] SourceWriteResult WriteSource(const std::vector<SurfaceLine>& lines,
                                            const SourceWriteOptions& options);

} // namespace orvelt
