#pragma once

#include "core/HighlightStyle.h"

#include <QColor>
#include <QFont>
#include <QTextCharFormat>

namespace orvelt {

// The one conversion between the editor's HighlightStyle and Qt's formats.
[[nodiscard]] QColor ColorOfValue(std::uint32_t value); // red + 256 green + 65536 blue
[[nodiscard]] std::uint32_t ValueOfColor(const QColor& color);
[[nodiscard]] QFont FontOfStyle(const HighlightStyle& style);
[[nodiscard]] HighlightStyle StyleOfFont(const QFont& font, std::uint32_t color);
[[nodiscard]] QTextCharFormat FormatOfStyle(const HighlightStyle& style);
[[nodiscard]] HighlightStyle StyleOfFormat(const QTextCharFormat& format);

} // namespace orvelt
