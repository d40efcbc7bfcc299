#include "platform/StyleFormat.h"

namespace orvelt {

QColor ColorOfValue(std::uint32_t value) {
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

std::uint32_t ValueOfColor(const QColor& color) {
    return static_cast<std::uint32_t>(color.red()) |
           static_cast<std::uint32_t>(color.green()) << 8 |
           static_cast<std::uint32_t>(color.blue()) << 16;
}

QFont FontOfStyle(const HighlightStyle& style) {
    QFont font;
    // A face this machine lacks falls back to a fixed-pitch one, as TeX sources are laid out.
    font.setFamilies({QString::fromStdString(style.face), QStringLiteral("monospace")});
    font.setStyleHint(QFont::Monospace);
    font.setPointSize(style.size > 0 ? style.size : 10);
    font.setBold(style.styles & kBold);
    font.setItalic(style.styles & kItalic);
    font.setUnderline(style.styles & kUnderline);
    font.setStrikeOut(style.styles & kStrikeOut);
    return font;
}

HighlightStyle StyleOfFont(const QFont& font, std::uint32_t color) {
    HighlightStyle style;
    style.face = font.family().toStdString();
    style.size = font.pointSize() > 0 ? font.pointSize() : 10;
    style.color = color;
    style.styles = (font.bold() ? kBold : 0u) | (font.italic() ? kItalic : 0u) |
                   (font.underline() ? kUnderline : 0u) | (font.strikeOut() ? kStrikeOut : 0u);
    return style;
}

QTextCharFormat FormatOfStyle(const HighlightStyle& style) {
    QTextCharFormat format;
    // Families, not the font, so that the face name read back is the one set.
    format.setFontFamilies(QStringList{QString::fromStdString(style.face), "monospace"});
    format.setFontStyleHint(QFont::Monospace);
    format.setFontPointSize(style.size > 0 ? style.size : 10);
    format.setForeground(ColorOfValue(style.color));
    format.setFontWeight((style.styles & kBold) ? QFont::Bold : QFont::Normal);
    format.setFontItalic(style.styles & kItalic);
    format.setFontUnderline(style.styles & kUnderline);
    format.setFontStrikeOut(style.styles & kStrikeOut);
    return format;
}

HighlightStyle StyleOfFormat(const QTextCharFormat& format) {
    HighlightStyle style;
    QStringList families = format.fontFamilies().toStringList();
    style.face = families.isEmpty() ? std::string() : families.constFirst().toStdString();
    style.size = static_cast<int>(format.fontPointSize() + 0.5);
    style.color = ValueOfColor(format.foreground().color());
    style.styles =
        (format.fontWeight() >= QFont::Bold ? kBold : 0u) | (format.fontItalic() ? kItalic : 0u) |
        (format.fontUnderline() ? kUnderline : 0u) | (format.fontStrikeOut() ? kStrikeOut : 0u);
    return style;
}

} // namespace orvelt
