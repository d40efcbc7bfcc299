#pragma once

#include <optional>
#include <string>
#include <string_view>

// How each kind of setting is spelled in the store: every value is a string.
namespace orvelt {

// Decimal, or hexadecimal after "0x"/"0X" when the text is longer than two characters.
// Missing, empty or not a whole number: the default.
[[nodiscard]] int ReadIntegerValue(const std::optional<std::string>& raw, int fallback);
[[nodiscard]] std::string WriteIntegerValue(int value);

// An integer with default 1 or 0; anything but 0 is true.
[[nodiscard]] bool ReadBooleanValue(const std::optional<std::string>& raw, bool fallback);
[[nodiscard]] std::string WriteBooleanValue(bool value);

// Each of the letters B, I, U, S anywhere sets its style; every other character is ignored.
[[nodiscard]] unsigned ReadFontStyleValue(std::string_view raw);
[[nodiscard]] std::string WriteFontStyleValue(unsigned styles);

// A key as its display text: "Shift+", "Ctrl+", "Alt+" in that order, then the key's name.
enum KeyModifier : unsigned { kShift = 1u << 0, kCtrl = 1u << 1, kAlt = 1u << 2 };
struct KeyChord {
    unsigned modifiers = 0;
    std::string name; // "A".."Z", "0".."9", "F1".."F24"
    bool operator==(const KeyChord&) const = default;
};
// Empty or unrecognised text: no key.
[[nodiscard]] std::optional<KeyChord> ReadKeyValue(std::string_view raw);
[[nodiscard]] std::string WriteKeyValue(const std::optional<KeyChord>& key);

} // namespace orvelt
