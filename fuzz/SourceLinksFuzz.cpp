#include "core/CodePage.h"
#include "core/LineEnd.h"
#include "editor/files/SourceLinks.h"
#include "editor/files/SourceWriter.h"
#include "editor/highlight/BlockTokenReader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using namespace orvelt;

void Check(bool holds) {
    if (!holds) {
        std::abort();
    }
}

std::vector<SurfaceLine> Wrap(const std::vector<TextLine<char16_t>>& lines, std::size_t width) {
    std::vector<SurfaceLine> pieces;
    for (const auto& line : lines) {
        std::size_t at = 0;
        while (width != 0 && line.text.size() - at > width) {
            pieces.push_back({line.text.substr(at, width), false});
            at += width;
        }
        pieces.push_back({line.text.substr(at), line.end.has_value(), line.end});
    }
    return pieces;
}

// The import's reading with the filter on, through blocks of the given size.
std::u16string Read(const std::u16string& file, bool savedBreaks, std::size_t blockSize) {
    BlockTokenReader<char16_t> reader(BlockTokenReader<char16_t>::FromText(file),
                                      ScanOptions{ScanMode::Source, true, true, savedBreaks},
                                      blockSize);
    std::u16string text;
    while (auto token = reader.Next()) {
        text += token->text;
    }
    return text;
}

} // namespace

// The first byte picks the interval (1 to 4), the wrap width (0: each line whole, else 1 to 31 in
// saved-breaks mode) and the reader's block size; the rest is the text, as UTF-8. Saved with
// specials and read back with the filter, the text reads as it does saved without them; every
// special is whole and starts a line of the file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const int interval = 1 + (data[0] & 3);
    const std::size_t width = (data[0] >> 2) & 31;
    const std::size_t blockSize = 2 + (data[0] >> 7) * 40;
    const std::u16string text = DecodeText(
        std::string_view(reinterpret_cast<const char*>(data + 1), size - 1), TextEncoding::Utf8);
    const std::vector<SurfaceLine> lines = Wrap(SplitLines(std::u16string_view(text)), width);

    SourceWriteOptions plain;
    plain.softBreakMarker = width != 0;
    SourceWriteOptions withSpecials = plain;
    std::vector<std::pair<std::size_t, std::u16string>> written; // where, and what
    withSpecials.beforeLine = [&written,
                               hook = MakeSourceSpecials("/tmp/doc.tex", interval).beforeLine](
                                  const SourceLineStart& line, std::u16string& out) {
        const std::size_t at = out.size();
        hook(line, out);
        if (out.size() != at) {
            Check(line.beginsFileLine);
            written.emplace_back(at, out.substr(at));
        }
    };
    const std::u16string bare = Utf8ToUtf16(WriteSource(lines, plain).bytes);
    const std::u16string marked = Utf8ToUtf16(WriteSource(lines, withSpecials).bytes);

    for (const auto& [at, special] : written) {
        Check(at == 0 || marked[at - 1] == u'\n' || marked[at - 1] == u'\r');
        Check(std::u16string_view(marked).substr(at, special.size()) == special);
        std::size_t digits = 13;
        while (digits < special.size() && special[digits] >= u'0' && special[digits] <= u'9') {
            ++digits;
        }
        Check(special.starts_with(u"\\special{src:") && digits > 13 &&
              special.substr(digits) == u" doc.tex}");
    }
    Check(Read(marked, width != 0, blockSize) == Read(bare, width != 0, blockSize));
    return 0;
}
