#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace orvelt {

// The name part of a path; 25 characters or more are cut to 22 and "...".
[[nodiscard]] std::string ShortDisplayName(std::string_view path);

// The five quick-load entries of the File menu, most recent first.
class RecentFiles {
public:
    static constexpr std::size_t kSize = 5;

    void Load(const std::array<std::string, kSize>& paths);
    // Puts a file on top. The comparison is on the first caption, so a file with the same
    // display name as the first entry is not recorded again; a file further down is not
    // removed there and may appear twice.
    void Register(std::string_view path);
    // Entry k (0-based) moves to the top; none for an empty slot.
    [[nodiscard]] std::optional<std::string> Choose(std::size_t k);

    [[nodiscard]] const std::array<std::string, kSize>& Paths() const { return paths_; }
    [[nodiscard]] std::string Caption(std::size_t k) const; // "&1 " + display name

private:
    std::array<std::string, kSize> paths_;
};

} // namespace orvelt
