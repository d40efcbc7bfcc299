#pragma once

#include "core/CodePage.h"

#include <string>
#include <string_view>

// A bibliography file's bytes and the UTF-8 text the database holds. A file is UTF-8 when it is
// valid UTF-8 (a byte-order mark kept), else Windows-1252, which maps every byte to a character
// and back, so that any file is written back byte for byte.
namespace orvelt {

struct BibFileText {
    std::string Utf8;
    TextEncoding Encoding = TextEncoding::Utf8;
};

[[nodiscard]] BibFileText DecodeBibFile(std::string_view bytes);
// A character the file's code page cannot hold becomes "?".
[[nodiscard]] std::string EncodeBibFile(std::string_view utf8, TextEncoding encoding);

} // namespace orvelt
