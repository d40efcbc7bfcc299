#include "project/scan/InputNames.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

void Check(bool holds) {
    if (!holds) {
        std::abort();
    }
}

// Names lie in the line in order, each non-empty and shown by a tail of itself.
template <class CharT>
void CheckNames(std::basic_string_view<CharT> line, const std::vector<orvelt::InputName>& names) {
    std::size_t after = 0;
    bool first = true;
    for (const orvelt::InputName& name : names) {
        Check(name.length > 0 && name.start + name.length <= line.size());
        Check(first || name.start > after);
        Check(name.shownStart >= name.start && name.shownStart <= name.start + name.length);
        after = name.start;
        first = false;
    }
}

} // namespace

// Any line scans to well-formed names, the same as bytes and as the UTF-16 units of the same
// values; resolving each name against directories where nothing exists never finds a file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const auto names = orvelt::ScanInputLine(line);
    CheckNames(line, names);

    std::u16string wide(line.size(), u'\0');
    for (std::size_t k = 0; k < line.size(); ++k) {
        wide[k] = static_cast<unsigned char>(line[k]);
    }
    const auto wideNames = orvelt::ScanInputLine(std::u16string_view(wide));
    Check(wideNames.size() == names.size());
    for (std::size_t k = 0; k < names.size(); ++k) {
        Check(wideNames[k].start == names[k].start && wideNames[k].length == names[k].length &&
              wideNames[k].shownStart == names[k].shownStart);
    }

    for (const orvelt::InputName& name : names) {
        const std::string_view written = line.substr(name.start, name.length);
        const auto nothing = [](const std::string&) { return false; };
        const orvelt::InputFile file = orvelt::ResolveInputName(written, "/doc", "/main", nothing);
        Check(file.kind == orvelt::InputFile::Kind::Missing && !file.path.empty());
        const orvelt::InputFile untitled = orvelt::ResolveInputName(written, "", "", nothing);
        Check(untitled.kind != orvelt::InputFile::Kind::Found);
    }
    return 0;
}
