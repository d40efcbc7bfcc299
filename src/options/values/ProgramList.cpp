#include "options/values/ProgramList.h"

#include <algorithm>
#include <numeric>

namespace orvelt {

namespace {

// One code point from the front of `bytes`; none when the bytes there are no well-formed UTF-8
// (overlong forms, surrogates and values above U+10FFFF included).
std::optional<char32_t> TakeCodePoint(std::string_view& bytes) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    char32_t value = 0;
    char32_t lowest = 0;
    if (lead < 0x80) {
        length = 1;
        value = lead;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1Fu;
        lowest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0Fu;
        lowest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07u;
        lowest = 0x10000;
    }
    bool wellFormed = length != 0 && bytes.size() >= length;
    for (std::size_t i = 1; wellFormed && i < length; ++i) {
        wellFormed = (byte(i) & 0xC0u) == 0x80u;
        value = (value << 6) | (byte(i) & 0x3Fu);
    }
    wellFormed =
        wellFormed && value >= lowest && value <= 0x10FFFF && !(value >= 0xD800 && value <= 0xDFFF);
    if (!wellFormed)
        return std::nullopt;
    bytes.remove_prefix(length);
    return value;
}

// The simple upper case of the letters a name is likely to hold: Latin, Greek and Cyrillic.
// Letters whose upper case is two characters (ß) stay as they are.
char32_t UpperCase(char32_t c) {
    if (c >= U'a' && c <= U'z')
        return c - 0x20;
    if (c < 0xB5)
        return c;
    if (c == 0xB5) // micro sign
        return 0x39C;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return c - 0x20;
    if (c == 0xFF)
        return 0x178;
    if (c == 0x131) // dotless i
        return U'I';
    if (c == 0x17F) // long s
        return U'S';
    // Latin Extended-A pairs: capital then small, the pairing shifting by one at U+0139.
    const bool evenPair =
        (c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177);
    const bool oddPair = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if ((evenPair && c % 2 == 1) || (oddPair && c % 2 == 0))
        return c - 1;
    if (c >= 0x3B1 && c <= 0x3CB && c != 0x3C2)
        return c - 0x20;
    switch (c) {
    case 0x3C2: // final sigma
        return 0x3A3;
    case 0x3AC:
        return 0x386;
    case 0x3AD:
    case 0x3AE:
    case 0x3AF:
        return c - 0x25;
    case 0x3CC:
        return 0x38C;
    case 0x3CD:
    case 0x3CE:
        return c - 0x3F;
    default:
        break;
    }
    if (c >= 0x430 && c <= 0x44F)
        return c - 0x20;
    if (c >= 0x450 && c <= 0x45F)
        return c - 0x50;
    return c;
}

// Sorts the list and answers where the entry that stood at `tracked` went: names repeat, so
// the entry is followed through the sort rather than looked up by its name afterwards.
std::size_t SortTracking(std::vector<ProgramEntry>& programs, std::size_t tracked) {
    std::vector<std::u32string> keys;
    keys.reserve(programs.size());
    for (const ProgramEntry& p : programs)
        keys.push_back(ProgramSortKey(p.name));
    std::vector<std::size_t> order(programs.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    std::vector<ProgramEntry> sorted;
    sorted.reserve(programs.size());
    std::size_t position = tracked;
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (order[i] == tracked)
            position = i;
        sorted.push_back(std::move(programs[order[i]]));
    }
    programs = std::move(sorted);
    return position;
}

ProgramEntry Program(const char* name, const char* command, const char* key) {
    ProgramEntry entry;
    entry.name = name;
    entry.command = command;
    entry.key = ReadKeyValue(key);
    return entry;
}

} // namespace

std::vector<ProgramEntry> DefaultPrograms() {
    return {
        Program("BibTeX", "bibtex %f", "F8"),
        Program("LaTeX", "latex -interaction=nonstopmode %f", "F9"),
        Program("PDFLaTeX", "pdflatex -interaction=nonstopmode %f", "F5"),
        Program("View DVI", "xdvi %f.dvi", ""),
        Program("View PDF", "xdg-open %f.pdf", "F6"),
    };
}

std::u32string ProgramSortKey(std::string_view name) {
    std::u32string key;
    key.reserve(name.size());
    while (!name.empty()) {
        if (const auto c = TakeCodePoint(name)) {
            key.push_back(UpperCase(*c));
        } else {
            // A byte of another encoding is not a letter we know the case of.
            key.push_back(static_cast<unsigned char>(name.front()));
            name.remove_prefix(1);
        }
    }
    return key;
}

void SortPrograms(std::vector<ProgramEntry>& programs) {
    (void)SortTracking(programs, 0);
}

std::optional<std::size_t> AddProgram(std::vector<ProgramEntry>& programs) {
    if (programs.size() >= kMaxPrograms)
        return std::nullopt;
    ProgramEntry entry;
    entry.name = "NONAME" + std::to_string(programs.size() + 1);
    programs.push_back(std::move(entry));
    return SortTracking(programs, programs.size() - 1);
}

std::size_t RenameProgram(std::vector<ProgramEntry>& programs, std::size_t at, std::string name) {
    if (at >= programs.size())
        return at;
    if (!name.empty())
        programs[at].name = std::move(name);
    return SortTracking(programs, at);
}

std::optional<std::size_t> DeleteProgram(std::vector<ProgramEntry>& programs, std::size_t at) {
    if (at >= programs.size())
        return std::nullopt;
    programs.erase(programs.begin() + static_cast<std::ptrdiff_t>(at));
    if (programs.empty())
        return std::nullopt;
    return std::min(at, programs.size() - 1);
}

const std::vector<std::string>& ProgramKeyChoices() {
    static const std::vector<std::string> choices = [] {
        std::vector<std::string> keys;
        for (int n = 2; n <= 10; ++n)
            keys.push_back("F" + std::to_string(n));
        return keys;
    }();
    return choices;
}

} // namespace orvelt
