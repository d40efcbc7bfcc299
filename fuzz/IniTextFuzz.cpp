#include "settings/IniText.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {
constexpr std::string_view kSection = "Orvelt95";
}

// Any bytes: whatever names and values the reader finds in our section, once written, read
// back as exactly those, and are written again byte for byte. Written after the bytes
// themselves, the section still reads as those values: its header starts it afresh.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const orvelt::IniValues values = orvelt::ParseIniSection(bytes, kSection);
    const std::string written = orvelt::FormatIniSection(values, kSection);
    const orvelt::IniValues reread = orvelt::ParseIniSection(written, kSection);
    if (reread != values || orvelt::FormatIniSection(reread, kSection) != written) {
        std::abort();
    }
    std::string appended(bytes);
    appended += '\n';
    appended += written;
    if (orvelt::ParseIniSection(appended, kSection) != values) {
        std::abort();
    }
    return 0;
}
