#include "app/session/RecentFiles.h"

#include <algorithm>

namespace orvelt {

namespace {

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Counts characters, not bytes, so a cut never splits a UTF-8 sequence.
std::size_t CharacterCount(std::string_view text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return !IsContinuationByte(c); }));
}

std::string_view FirstCharacters(std::string_view text, std::size_t count) {
    std::size_t seen = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!IsContinuationByte(text[i]) && seen++ == count)
            return text.substr(0, i);
    }
    return text;
}

} // namespace

std::string ShortDisplayName(std::string_view path) {
    std::size_t slash = path.find_last_of('/');
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    if (CharacterCount(name) >= 25)
        return std::string(FirstCharacters(name, 22)) + "...";
    return std::string(name);
}

void RecentFiles::Load(const std::array<std::string, kSize>& paths) {
    paths_ = paths;
}

std::string RecentFiles::Caption(std::size_t k) const {
    // Built piecewise: g++ 12 warns falsely (-Wrestrict) on "&" + std::to_string(...).
    std::string caption(1, '&');
    caption += std::to_string(k + 1);
    caption += ' ';
    if (!paths_[k].empty())
        caption += ShortDisplayName(paths_[k]);
    return caption;
}

void RecentFiles::Register(std::string_view path) {
    std::string first = "&1 ";
    first += ShortDisplayName(path);
    if (Caption(0) == first)
        return;
    std::move_backward(paths_.begin(), paths_.end() - 1, paths_.end());
    paths_[0] = std::string(path);
}

std::optional<std::string> RecentFiles::Choose(std::size_t k) {
    if (k >= kSize || paths_[k].empty())
        return std::nullopt;
    std::string path = paths_[k];
    std::move_backward(paths_.begin(), paths_.begin() + static_cast<std::ptrdiff_t>(k),
                       paths_.begin() + static_cast<std::ptrdiff_t>(k) + 1);
    paths_[0] = path;
    return path;
}

} // namespace orvelt
