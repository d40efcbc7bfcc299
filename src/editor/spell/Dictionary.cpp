#include "editor/spell/Dictionary.h"

#include "core/LineEnd.h"

#include <algorithm>

namespace orvelt {

namespace {
// A word list saved by an editor that marks UTF-8: the mark is no part of the first word.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view WithoutMark(std::string_view bytes) {
    if (bytes.starts_with(kByteOrderMark))
        bytes.remove_prefix(kByteOrderMark.size());
    return bytes;
}
} // namespace

void Dictionary::Load(std::string bytes) {
    bytes_ = std::move(bytes);
    changed_ = false;
    Index();
}

void Dictionary::Index() {
    words_.clear();
    std::string_view rest = WithoutMark(bytes_);
    // A guess of ten bytes a line saves rehashing while a big list is read.
    words_.reserve(rest.size() / 10 + 1);
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find_first_of("\r\n"), rest.size());
        if (end != 0)
            words_.emplace(rest.substr(0, end));
        std::size_t next = end;
        if (next < rest.size())
            next += rest.substr(next).starts_with("\r\n") ? 2 : 1;
        rest.remove_prefix(next);
    }
}

void Dictionary::Add(std::string_view word) {
    if (word.empty() || word.find_first_of("\r\n") != std::string_view::npos || Contains(word))
        return;
    const std::string_view lineEnd = LineEndText(DetectLineEnd(bytes_));
    // The last word may lack its line end: the new word must not run on from it.
    const std::string_view held = WithoutMark(bytes_);
    if (!held.empty() && held.back() != '\n' && held.back() != '\r')
        bytes_ += lineEnd;
    bytes_ += word;
    bytes_ += lineEnd;
    words_.emplace(word);
    changed_ = true;
}

bool Dictionary::Contains(std::string_view word) const {
    return words_.find(word) != words_.end();
}

} // namespace orvelt
