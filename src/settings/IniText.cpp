#include "settings/IniText.h"

namespace orvelt {

std::string Unescape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        char next = text[++i];
        out += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
    }
    return out;
}

void AppendEscaped(std::string& out, std::string_view text) {
    for (char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
}

IniValues ParseIniSection(std::string_view text, std::string_view section) {
    IniValues values;
    bool inSection = false;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.starts_with('[')) {
            inSection = line.size() >= 2 && line.back() == ']' &&
                        line.substr(1, line.size() - 2) == section;
            continue;
        }
        std::size_t eq = line.find('=');
        if (!inSection || eq == std::string_view::npos || eq == 0)
            continue;
        values.insert_or_assign(Unescape(line.substr(0, eq)), Unescape(line.substr(eq + 1)));
    }
    return values;
}

std::string FormatIniSection(const IniValues& values, std::string_view section) {
    std::string out = "[";
    out += section;
    out += "]\n";
    for (const auto& [name, value] : values) {
        // A line that begins with '[' is a section header, whatever follows.
        if (name.starts_with('['))
            out += '\\';
        AppendEscaped(out, name);
        out += '=';
        AppendEscaped(out, value);
        out += '\n';
    }
    return out;
}

} // namespace orvelt
