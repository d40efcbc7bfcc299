#include "app/session/RecoveryCopy.h"

#include "settings/IniText.h"

namespace orvelt {

namespace {

constexpr std::string_view kHeading = "Orvelt 95 recovery copy\n";
constexpr std::string_view kFile = "file=";
constexpr std::string_view kCaption = "caption=";

// A name on one line: backslash and line breaks escaped as the settings file does.
void AppendLine(std::string& out, std::string_view key, std::string_view value) {
    out += key;
    AppendEscaped(out, value);
    out += '\n';
}

std::optional<std::string> TakeLine(std::string_view& rest, std::string_view key) {
    const std::size_t end = rest.find('\n');
    if (end == std::string_view::npos || !rest.starts_with(key))
        return std::nullopt;
    std::string value = Unescape(rest.substr(key.size(), end - key.size()));
    rest.remove_prefix(end + 1);
    return value;
}

} // namespace

std::string FormatRecoveryCopy(const RecoveryCopy& copy) {
    std::string out(kHeading);
    AppendLine(out, kFile, copy.fileName);
    AppendLine(out, kCaption, copy.caption);
    out += '\n';
    out += copy.text;
    return out;
}

std::optional<RecoveryCopy> ParseRecoveryCopy(std::string_view bytes) {
    if (!bytes.starts_with(kHeading))
        return std::nullopt;
    std::string_view rest = bytes.substr(kHeading.size());
    RecoveryCopy copy;
    auto file = TakeLine(rest, kFile);
    auto caption = file ? TakeLine(rest, kCaption) : std::nullopt;
    if (!caption || !rest.starts_with('\n'))
        return std::nullopt;
    copy.fileName = std::move(*file);
    copy.caption = std::move(*caption);
    copy.text = std::string(rest.substr(1));
    return copy;
}

} // namespace orvelt
