#pragma once

#include <map>
#include <string>
#include <string_view>

namespace orvelt {

using IniValues = std::map<std::string, std::string, std::less<>>;

// The settings file: one "[section]" of "name=value" lines. Backslash, CR and LF inside a
// value are escaped so that any string survives; lines of other sections are ignored.
[[nodiscard]] IniValues ParseIniSection(std::string_view text, std::string_view section);
[[nodiscard]] std::string FormatIniSection(const IniValues& values, std::string_view section);

// Any string on one line: backslash, CR and LF escaped, and back.
void AppendEscaped(std::string& out, std::string_view text);
[[nodiscard]] std::string Unescape(std::string_view text);

} // namespace orvelt
