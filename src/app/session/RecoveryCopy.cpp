#include "app/session/RecoveryCopy.h"

#include "settings/IniText.h"

#include <array>
#include <charconv>

namespace orvelt {

namespace {

constexpr std::string_view kHeading = "Orvelt 95 recovery copy 2\n";
constexpr std::string_view kFile = "file=";
constexpr std::string_view kCaption = "caption=";
constexpr std::string_view kEncoding = "encoding=";
constexpr std::string_view kLineEnd = "lineend=";
constexpr std::string_view kTime = "written=";
constexpr std::string_view kLength = "length=";

constexpr std::array<std::pair<TextEncoding, std::string_view>, 4> kEncodings = {{
    {TextEncoding::Utf8, "utf-8"},
    {TextEncoding::Utf8Bom, "utf-8-bom"},
    {TextEncoding::Windows1252, "windows-1252"},
    {TextEncoding::Dos437, "dos-437"},
}};
constexpr std::array<std::pair<LineEnd, std::string_view>, 3> kLineEnds = {{
    {LineEnd::Lf, "lf"},
    {LineEnd::CrLf, "crlf"},
    {LineEnd::Cr, "cr"},
}};

template <class Value, std::size_t N>
std::string_view NameOf(const std::array<std::pair<Value, std::string_view>, N>& table,
                        Value value) {
    for (const auto& [v, name] : table)
        if (v == value)
            return name;
    return table[0].second;
}

template <class Value, std::size_t N>
std::optional<Value> ValueOf(const std::array<std::pair<Value, std::string_view>, N>& table,
                             std::string_view name) {
    for (const auto& [v, n] : table)
        if (n == name)
            return v;
    return std::nullopt;
}

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

std::optional<std::int64_t> Number(const std::optional<std::string>& text) {
    std::int64_t value = 0;
    if (!text || text->empty())
        return std::nullopt;
    const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), value);
    if (error != std::errc() || end != text->data() + text->size() || value < 0)
        return std::nullopt;
    return value;
}

} // namespace

std::string FormatRecoveryCopy(const RecoveryCopy& copy) {
    std::string out(kHeading);
    AppendLine(out, kFile, copy.fileName);
    AppendLine(out, kCaption, copy.caption);
    AppendLine(out, kEncoding, NameOf(kEncodings, copy.encoding));
    AppendLine(out, kLineEnd, NameOf(kLineEnds, copy.lineEnd));
    AppendLine(out, kTime, std::to_string(copy.writtenAt));
    // The length tells a whole copy from one cut short.
    AppendLine(out, kLength, std::to_string(copy.text.size()));
    out += '\n';
    out += copy.text;
    return out;
}

RecoveryRead ReadRecoveryCopy(std::string_view bytes) {
    RecoveryRead read;
    if (!bytes.starts_with(kHeading))
        return read;
    read.outcome = RecoveryRead::Outcome::Damaged;
    std::string_view rest = bytes.substr(kHeading.size());
    auto file = TakeLine(rest, kFile);
    auto caption = file ? TakeLine(rest, kCaption) : std::nullopt;
    if (!caption)
        return read;
    read.copy.fileName = std::move(*file);
    read.copy.caption = std::move(*caption);
    const auto encoding = ValueOf(kEncodings, TakeLine(rest, kEncoding).value_or(""));
    const auto lineEnd = ValueOf(kLineEnds, TakeLine(rest, kLineEnd).value_or(""));
    const auto written = Number(TakeLine(rest, kTime));
    const auto length = Number(TakeLine(rest, kLength));
    if (!encoding || !lineEnd || !written || !length || !rest.starts_with('\n') ||
        rest.size() - 1 != static_cast<std::uint64_t>(*length))
        return read;
    read.copy.encoding = *encoding;
    read.copy.lineEnd = *lineEnd;
    read.copy.writtenAt = *written;
    read.copy.text = std::string(rest.substr(1));
    read.outcome = RecoveryRead::Outcome::Whole;
    return read;
}

} // namespace orvelt
