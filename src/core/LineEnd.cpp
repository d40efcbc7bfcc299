#include "core/LineEnd.h"

namespace orvelt {

LineEnd DetectLineEnd(std::string_view bytes) {
    const std::size_t at = bytes.find_first_of("\r\n");
    if (at == std::string_view::npos || bytes[at] == '\n') {
        return LineEnd::Lf;
    }
    return at + 1 < bytes.size() && bytes[at + 1] == '\n' ? LineEnd::CrLf : LineEnd::Cr;
}

template <class CharT> std::vector<TextLine<CharT>> SplitLines(std::basic_string_view<CharT> text) {
    std::vector<TextLine<CharT>> lines;
    std::size_t start = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] != CharT('\n') && text[at] != CharT('\r')) {
            continue;
        }
        LineEnd end = LineEnd::Lf;
        const std::size_t lineEnd = at;
        if (text[at] == CharT('\r')) {
            end = LineEnd::Cr;
            if (at + 1 < text.size() && text[at + 1] == CharT('\n')) {
                end = LineEnd::CrLf;
                ++at;
            }
        }
        lines.push_back({text.substr(start, lineEnd - start), end});
        start = at + 1;
    }
    lines.push_back({text.substr(start), std::nullopt});
    return lines;
}

void LineEndFolder::Append(std::u16string_view piece, std::u16string& out) {
    for (const char16_t c : piece) {
        const bool wasAfterCr = afterCr_;
        afterCr_ = c == u'\r';
        if (c == u'\n' && wasAfterCr) {
            ends_.back() = LineEnd::CrLf;
        } else if (c == u'\n' || c == u'\r') {
            ends_.push_back(c == u'\n' ? LineEnd::Lf : LineEnd::Cr);
            out.push_back(u'\n');
        } else {
            out.push_back(c);
        }
    }
}

template std::vector<TextLine<char>> SplitLines(std::string_view);
template std::vector<TextLine<char16_t>> SplitLines(std::u16string_view);

} // namespace orvelt
