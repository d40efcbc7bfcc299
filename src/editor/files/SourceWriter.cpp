#include "editor/files/SourceWriter.h"

namespace orvelt {
namespace {

constexpr std::u16string_view kSoftBreakMarker = u"%%@";

// Where a logical line (everything since the last hard break) stands: whether a comment has
// begun, and whether the backslashes just before the current point escape the next character.
struct LogicalLine {
    bool inComment = false;
    bool escaped = false;

    void Scan(std::u16string_view text) {
        for (const char16_t c : text) {
            if (inComment) {
                return;
            }
            if (c == u'%' && !escaped) {
                inComment = true;
                return;
            }
            escaped = c == u'\\' && !escaped;
        }
    }
};

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

} // namespace

SourceWriteResult WriteSource(const std::vector<SurfaceLine>& lines,
                              const SourceWriteOptions& options) {
    const std::string_view eol = LineEndText(options.lineEnd);
    const std::u16string lineEnd(eol.begin(), eol.end());
    std::size_t total = 0;
    for (const SurfaceLine& line : lines) {
        total += line.text.size() + lineEnd.size() + kSoftBreakMarker.size() + 1;
    }
    std::u16string text;
    text.reserve(total);

    SourceWriteResult result;
    LogicalLine logical;
    bool continueComment = false;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const SurfaceLine& line = lines[k];
        result.braceDepth += CountBraces(line.text);
        if (options.beforeLine) {
            options.beforeLine(static_cast<int>(k + 1), result.braceDepth, text);
        }
        if (continueComment) {
            text.push_back(u'%');
        }
        text.append(line.text);
        continueComment = false;
        if (k + 1 == lines.size() && !line.hardBreak) {
            break; // the file's own end: no marker, no line end
        }
        if (line.hardBreak) {
            logical = {};
        } else if (options.softBreakMarker) {
            logical.Scan(line.text);
            text.append(kSoftBreakMarker);
            continueComment = logical.inComment;
        }
        text.append(lineEnd);
    }

    std::string bytes = EncodeText(text, options.encoding);
    if (options.encoding == TextEncoding::Utf8Bom) {
        bytes.insert(0, "\xEF\xBB\xBF");
    }
    result.bytes = std::move(bytes);
    return result;
}

} // namespace orvelt
