#pragma once

#include <string>
#include <string_view>

// BibTeX compares type words, field names and keys without regard to ASCII case; bytes above
// 127 are compared as they are, whatever their encoding.
namespace orvelt {

[[nodiscard]] constexpr char ToUpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

[[nodiscard]] constexpr bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (ToUpperAscii(a[i]) != ToUpperAscii(b[i])) {
            return false;
        }
    }
    return true;
}

// Negative, zero or positive as `a` sorts before, with or after `b`.
[[nodiscard]] int CompareIgnoringCase(std::string_view a, std::string_view b);

[[nodiscard]] std::string UpperAscii(std::string_view text);

} // namespace orvelt
