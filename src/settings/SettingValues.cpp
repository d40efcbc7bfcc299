#include "settings/SettingValues.h"

#include <charconv>
#include <climits>

namespace orvelt {

int ReadIntegerValue(const std::optional<std::string>& raw, int fallback) {
    if (!raw || raw->empty())
        return fallback;
    std::string_view text = *raw;
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    long long value = 0;
    const char* first = text.data();
    const char* last = first + text.size();
    if (base == 10 && first != last && *first == '+')
        ++first;
    if (base == 16 && first != last && (*first == '+' || *first == '-'))
        return fallback;
    auto [end, ec] = std::from_chars(first, last, value, base);
    if (ec != std::errc() || end != last)
        return fallback;
    if (base == 16 && value <= 0xFFFFFFFFLL)
        return static_cast<int>(static_cast<unsigned>(value)); // 0xFFFFFFFF is -1, as a 32-bit read
    if (value < INT_MIN || value > INT_MAX)
        return fallback;
    return static_cast<int>(value);
}

std::string WriteIntegerValue(int value) {
    return std::to_string(value);
}

bool ReadBooleanValue(const std::optional<std::string>& raw, bool fallback) {
    return ReadIntegerValue(raw, fallback ? 1 : 0) != 0;
}

std::string WriteBooleanValue(bool value) {
    return value ? "1" : "0";
}

unsigned ReadFontStyleValue(std::string_view raw) {
    unsigned styles = 0;
    for (char c : raw) {
        switch (c) {
        case 'B':
            styles |= 1u << 0;
            break;
        case 'I':
            styles |= 1u << 1;
            break;
        case 'U':
            styles |= 1u << 2;
            break;
        case 'S':
            styles |= 1u << 3;
            break;
        default:
            break;
        }
    }
    return styles;
}

std::string WriteFontStyleValue(unsigned styles) {
    std::string text;
    static constexpr char kLetters[] = {'B', 'I', 'U', 'S'};
    for (int bit = 0; bit < 4; ++bit)
        if (styles & (1u << bit))
            text += kLetters[bit];
    return text;
}

namespace {

bool IsKeyName(std::string_view name) {
    if (name.size() == 1)
        return (name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= '0' && name[0] <= '9');
    if (name.size() < 2 || name.size() > 3 || name[0] != 'F')
        return false;
    int number = 0;
    auto [end, ec] = std::from_chars(name.data() + 1, name.data() + name.size(), number);
    return ec == std::errc() && end == name.data() + name.size() && name[1] != '0' && number >= 1 &&
           number <= 24;
}

} // namespace

std::optional<KeyChord> ReadKeyValue(std::string_view raw) {
    KeyChord key;
    static constexpr std::pair<std::string_view, unsigned> kPrefixes[] = {
        {"Shift+", kShift}, {"Ctrl+", kCtrl}, {"Alt+", kAlt}};
    for (const auto& [prefix, bit] : kPrefixes) {
        if (raw.starts_with(prefix)) {
            key.modifiers |= bit;
            raw.remove_prefix(prefix.size());
        }
    }
    if (!IsKeyName(raw))
        return std::nullopt;
    key.name = std::string(raw);
    return key;
}

std::string WriteKeyValue(const std::optional<KeyChord>& key) {
    if (!key || key->name.empty())
        return {};
    std::string text;
    if (key->modifiers & kShift)
        text += "Shift+";
    if (key->modifiers & kCtrl)
        text += "Ctrl+";
    if (key->modifiers & kAlt)
        text += "Alt+";
    return text + key->name;
}

} // namespace orvelt
