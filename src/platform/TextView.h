#pragma once

#include <QString>
#include <string_view>

namespace orvelt {

// The logic layer reads the surface's UTF-16 text through views, without a copy.
[[nodiscard]] inline std::u16string_view View(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

} // namespace orvelt
