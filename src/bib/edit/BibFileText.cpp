#include "bib/edit/BibFileText.h"

namespace orvelt {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

} // namespace

BibFileText DecodeBibFile(std::string_view bytes) {
    const TextEncoding encoding = DetectEncoding(bytes, false);
    switch (encoding) {
    case TextEncoding::Utf8:
        return {std::string(bytes), encoding};
    case TextEncoding::Utf8Bom:
        return {std::string(bytes.substr(kByteOrderMark.size())), encoding};
    default:
        return {Utf16ToUtf8(DecodeText(bytes, TextEncoding::Windows1252)),
                TextEncoding::Windows1252};
    }
}

std::string EncodeBibFile(std::string_view utf8, TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Utf8:
        return std::string(utf8);
    case TextEncoding::Utf8Bom:
        return std::string(kByteOrderMark).append(utf8);
    default:
        return EncodeText(Utf8ToUtf16(utf8), encoding);
    }
}

} // namespace orvelt
