#pragma once

#include "TestFiles.h"
#include "WrapPieces.h"
#include "core/CodePage.h"
#include "core/LineEnd.h"
#include "editor/files/SourceLinks.h"
#include "editor/files/SourceWriter.h"
#include "editor/highlight/TokenScanner.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// The TeX documents the source-special tests save, and how they save and read them.
namespace orvelt::testing {

inline std::vector<std::string> SourceLinksDocuments() {
    return {"srclinks-tables.tex", "srclinks-math.tex", "srclinks-verbatim.tex",
            "srclinks-nested.tex", "srclinks-paragraphs.tex"};
}

inline std::u16string TextOf(const std::string& name) {
    return Utf8ToUtf16(ReadFile(std::filesystem::path(ORVELT_TEST_DATA) / "srclinks" / name));
}

inline std::vector<HardLine> HardLinesOf(std::u16string_view text) {
    std::vector<HardLine> lines;
    for (const auto& line : SplitLines(text)) {
        lines.push_back({std::u16string(line.text), line.end});
    }
    return lines;
}

// Word wrap as the surface does it: after the last blank that fits, else anywhere. Width 0
// leaves each line whole.
inline std::vector<SurfaceLine> WrapAtBlanks(const std::vector<HardLine>& lines,
                                             std::size_t width) {
    std::vector<SurfaceLine> pieces;
    for (const HardLine& line : lines) {
        std::u16string_view rest = line.text;
        while (width != 0 && rest.size() > width) {
            std::size_t cut = rest.substr(0, width).find_last_of(u' ');
            cut = cut == std::u16string_view::npos || cut == 0 ? width : cut + 1;
            pieces.push_back({rest.substr(0, cut), false});
            rest.remove_prefix(cut);
        }
        pieces.push_back({rest, line.end.has_value(), line.end});
    }
    return pieces;
}

// Saved as doc.tex: in saved-breaks mode when wrapped (width above 0), without specials when
// interval is 0.
inline std::string SaveWithSpecials(std::u16string_view text, int interval, std::size_t width) {
    const std::vector<HardLine> lines = HardLinesOf(text);
    SourceWriteOptions options;
    options.softBreakMarker = width != 0;
    if (interval > 0) {
        options.beforeLine = MakeSourceSpecials("/tmp/work/doc.tex", interval).beforeLine;
    }
    return WriteSource(WrapAtBlanks(lines, width), options).bytes;
}

// The import's reading, with the filter on.
inline std::u16string ReadWithFilter(const std::string& bytes, bool savedBreaks) {
    const std::u16string file = Utf8ToUtf16(bytes);
    std::u16string text;
    for (const auto& token : ScanText(std::u16string_view(file),
                                      ScanOptions{ScanMode::Source, true, true, savedBreaks})) {
        text += token.text;
    }
    return text;
}

// The line number of each special "\special{src:N doc.tex}" of the file, in order; -1 for one
// that does not start a line.
inline std::vector<int> SpecialLines(std::string_view bytes) {
    constexpr std::string_view head = "\\special{src:";
    std::vector<int> numbers;
    for (std::size_t at = bytes.find(head); at != std::string_view::npos;
         at = bytes.find(head, at + 1)) {
        std::size_t end = at + head.size();
        int number = 0;
        while (end < bytes.size() && bytes[end] >= '0' && bytes[end] <= '9') {
            number = number * 10 + (bytes[end++] - '0');
        }
        const bool startsLine = at == 0 || bytes[at - 1] == '\n';
        numbers.push_back(startsLine && bytes.substr(end).starts_with(" doc.tex}") ? number : -1);
    }
    return numbers;
}

} // namespace orvelt::testing
