#include "editor/highlight/CaretToken.h"

#include "editor/highlight/TokenScanner.h"

#include <algorithm>

namespace orvelt {

namespace {

// line[k] with k counted from 1, as the typing rules are written.
char16_t At(std::u16string_view line, std::size_t k) {
    return line[k - 1];
}

} // namespace

bool InComment(std::u16string_view line, std::size_t p) {
    for (std::size_t k = std::min(p, line.size()); k >= 1; --k) {
        if (At(line, k) == u'%') {
            return k == 1 || At(line, k - 1) != u'\\';
        }
    }
    return false;
}

CaretToken TokenBeforeCaret(std::u16string_view line, std::size_t col, char32_t c) {
    col = std::min(col, line.size());
    if (col == 0) {
        if (c == U'%') {
            return {0, line.size() + 1, true};
        }
        return {0, 0, false};
    }
    if (c == U'%') {
        if (col >= 2 && At(line, col) == u'\\') {
            return {col - 1, 2, false};
        }
        return {col, line.size() - col + 1, true};
    }
    std::size_t k = col;
    while (k >= 1 && (IsTexLetter(At(line, k)) || At(line, k) == u'"')) {
        --k;
    }
    std::size_t start = k;
    if (k >= 2 && At(line, k) == u'\\' && At(line, k - 1) == u'\\') {
        start = k - 2;
    } else if (k >= 1 && At(line, k) == u'\\') {
        start = k - 1;
    }
    if (InComment(line, start)) {
        start -= 1;
        return {start, line.size() - start + 1, true};
    }
    return {start, col - start + 1, false};
}

} // namespace orvelt
