#include "editor/files/SourceWriter.h"

#include "editor/files/SoftBreakRules.h"

namespace orvelt {
namespace {

int CountBraces(std::u16string_view text) {
    int depth = 0;
    for (const char16_t c : text) {
        if (c == u'{') {
            ++depth;
        } else if (c == u'}') {
            --depth;
        }
    }
    return depth;
}

// The first unit of what follows a break after lines[from - 1], up to the hard line's end.
std::optional<char32_t> FirstUnitOf(const std::vector<SurfaceLine>& lines, std::size_t from,
                                    std::size_t last) {
    for (std::size_t k = from; k <= last; ++k) {
        if (!lines[k].text.empty()) {
            return lines[k].text.front();
        }
    }
    return std::nullopt;
}

// Whether a reader would take the end of this file line for a soft break: `text` is the line
// as the reader keeps it, `start` the state where it begins.
bool ReadsAsSoftBreak(const SoftBreakState& start, std::u16string_view text) {
    if (!text.ends_with(kSoftBreakMarker)) {
        return false;
    }
    SoftBreakState state = start;
    state.Feed(text.substr(0, text.size() - kSoftBreakMarker.size()));
    return state.BreakHere(U'x') != SoftBreak::None;
}

std::u16string TextOf(LineEnd end) {
    const std::string_view eol = LineEndText(end);
    return {eol.begin(), eol.end()};
}

} // namespace

SourceWriteResult WriteSource(const std::vector<SurfaceLine>& lines,
                              const SourceWriteOptions& options) {
    std::size_t total = 0;
    for (const SurfaceLine& line : lines) {
        total += line.text.size() + kSoftBreakMarker.size() + 3;
    }
    std::u16string text;
    text.reserve(total);

    SourceWriteResult result;
    SoftBreakState state;
    SoftBreakState fileLineState; // where the file line being written began
    std::size_t fileLineAt = 0;   // and where its surface text begins in `text`
    bool beginsFileLine = true;
    bool continueComment = false;
    bool afterMarker = false;
    std::u16string discarded; // what the hook gives a line that begins no file line
    for (std::size_t first = 0; first < lines.size();) {
        std::size_t last = first;
        while (last + 1 < lines.size() && !lines[last].hardBreak) {
            ++last;
        }
        const SurfaceLine& hard = lines[last];
        const std::u16string eol =
            TextOf(hard.hardBreak ? hard.lineEnd.value_or(options.lineEnd) : options.lineEnd);
        for (std::size_t k = first; k <= last; ++k) {
            const SurfaceLine& line = lines[k];
            const int depthBefore = result.braceDepth;
            result.braceDepth += CountBraces(line.text);
            if (options.beforeLine) {
                const SourceLineStart start{
                    static_cast<int>(k + 1), line.text,   depthBefore, result.braceDepth,
                    beginsFileLine,          afterMarker, k == last};
                discarded.clear();
                options.beforeLine(start, beginsFileLine ? text : discarded);
            }
            if (continueComment) {
                text.push_back(u'%');
            }
            if (beginsFileLine || continueComment) {
                fileLineState = state;
                fileLineAt = text.size();
            }
            text.append(line.text);
            if (k == last) {
                break;
            }
            if (!options.softBreakMarker) {
                text.append(eol);
                continue;
            }
            state.Feed(line.text);
            const SoftBreak kind = state.BreakHere(FirstUnitOf(lines, k + 1, last));
            beginsFileLine = kind == SoftBreak::Plain;
            continueComment = kind == SoftBreak::Comment;
            afterMarker = kind != SoftBreak::None;
            if (kind != SoftBreak::None) {
                text.append(kSoftBreakMarker);
                text.append(eol);
            }
        }
        if (options.softBreakMarker) {
            state.Feed(lines[last].text);
        }
        first = last + 1;
        if (!hard.hardBreak) {
            break; // the file's own end: no line end
        }
        // A line of the file that itself ends in what reads as a marker would come back joined
        // to the next one. One more soft break after it, into an empty comment piece, keeps it
        // whole: TeX reads comments both ways, and the file gains one line.
        if (options.softBreakMarker &&
            ReadsAsSoftBreak(fileLineState, std::u16string_view(text).substr(fileLineAt))) {
            text.append(kSoftBreakMarker);
            text.append(eol);
            text.push_back(u'%');
        }
        text.append(eol);
        state.EndLine();
        beginsFileLine = true;
        continueComment = false;
        afterMarker = false;
    }

    std::string bytes = EncodeText(text, options.encoding);
    if (options.encoding == TextEncoding::Utf8Bom) {
        bytes.insert(0, "\xEF\xBB\xBF");
    }
    result.bytes = std::move(bytes);
    return result;
}

} // namespace orvelt
