#include "core/CodePage.h"
#include "core/LineEnd.h"
#include "editor/files/SourceWriter.h"
#include "editor/highlight/BlockTokenReader.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace orvelt;

// The first byte picks the wrap width (1..32) and whether the rest is decoded as UTF-8 (U+FFFD
// for what is invalid) or as the window would (UTF-8 when valid, else Windows-1252); the rest
// is the file.
struct Input {
    std::size_t width;
    TextEncoding encoding;
    std::u16string text;
    std::string_view bytes;
};

Input Derive(std::string_view data) {
    const auto first = static_cast<unsigned char>(data.front());
    Input input;
    input.bytes = data.substr(1);
    input.width = 1 + (first & 31u);
    input.encoding = (first & 0x80u) != 0 ? TextEncoding::Utf8 : DetectEncoding(input.bytes, false);
    input.text = DecodeText(input.bytes, input.encoding);
    return input;
}

std::vector<SurfaceLine> Wrap(const std::vector<TextLine<char16_t>>& lines, std::size_t width) {
    std::vector<SurfaceLine> pieces;
    for (const auto& line : lines) {
        std::size_t at = 0;
        while (line.text.size() - at > width) {
            pieces.push_back({line.text.substr(at, width), false});
            at += width;
        }
        pieces.push_back({line.text.substr(at), line.end.has_value(), line.end});
    }
    return pieces;
}

// Saved-breaks mode: what is written and read back through the import's reader is the text,
// and what the reader drops are markers, none after an odd run of backslashes.
void CheckSoftBreakRoundTrip(const Input& input, const std::vector<TextLine<char16_t>>& lines) {
    SourceWriteOptions options;
    options.encoding = input.encoding;
    options.lineEnd = LineEnd::CrLf; // no line here lacks its own end but the last
    options.softBreakMarker = true;
    const std::string bytes = WriteSource(Wrap(lines, input.width), options).bytes;
    const std::u16string file = DecodeText(bytes, input.encoding);

    BlockTokenReader<char16_t> reader(BlockTokenReader<char16_t>::FromText(file),
                                      ScanOptions{ScanMode::Source, false, false, true},
                                      3 * input.width + 1);
    std::u16string kept;
    std::size_t expectedAt = 0;
    const auto checkDropped = [&](std::size_t offset, std::size_t length) {
        if (length == 0) {
            return;
        }
        if (!std::u16string_view(file).substr(offset, length).starts_with(u"%%@")) {
            std::abort();
        }
        std::size_t backslashes = 0;
        while (backslashes < offset && file[offset - backslashes - 1] == u'\\') {
            ++backslashes;
        }
        if (backslashes % 2 != 0) {
            std::abort();
        }
    };
    while (auto token = reader.Next()) {
        checkDropped(expectedAt, token->offset - expectedAt);
        kept += token->text;
        expectedAt = token->offset + token->text.size();
    }
    checkDropped(expectedAt, file.size() - expectedAt);
    if (kept != input.text) {
        std::abort();
    }
}

// Modes off and on screen only: a file opened and saved unchanged is written back byte for
// byte, each line with its own end.
void CheckUnchangedFile(std::string_view bytes) {
    SourceWriteOptions options;
    options.encoding = DetectEncoding(bytes, false);
    options.lineEnd = DetectLineEnd(bytes);
    const std::u16string text = DecodeText(bytes, options.encoding);
    std::vector<SurfaceLine> lines;
    for (const auto& line : SplitLines(std::u16string_view(text))) {
        lines.push_back({line.text, line.end.has_value(), line.end});
    }
    if (WriteSource(lines, options).bytes != bytes) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const Input input = Derive(std::string_view(reinterpret_cast<const char*>(data), size));
    CheckSoftBreakRoundTrip(input, SplitLines(std::u16string_view(input.text)));
    CheckUnchangedFile(input.bytes);
    return 0;
}
