#include "core/CodePage.h"
#include "editor/files/RtfCodec.h"
#include "editor/files/SourceWriter.h"

#include <benchmark/benchmark.h>

namespace orvelt {
namespace {

constexpr std::size_t kDocumentSize = 2'000'000;

// A highlighted TeX document of the size the surface allows: short runs in the seven
// categories' styles, umlauts and typographic quotes among them, about five characters a run.
StyledText MakeDocument() {
    const HighlightStyle styles[] = {
        {"Courier New", 10, 0x000000, 0},
        {"Courier New", 10, 0x808080, kItalic},
        {"Courier New", 10, 0xFF0000, kBold},
        {"Courier New", 10, 0x008000, kBold},
        {"Courier New", 10, 0x0000FF, 0},
        {"Courier New", 10, 0x800080, 0},
        {"Times New Roman", 11, 0x008080, kUnderline},
    };
    const std::u16string pieces[] = {u"\\emph", u"{",     u"Gr\u00FC\u00DFe", u"}",
                                     u" text ", u"$x^2$", u"\u201Eq\u201C",   u" % note",
                                     u"\n"};
    StyledText runs;
    std::size_t size = 0;
    std::size_t line = 0;
    for (std::size_t k = 0; size < kDocumentSize; ++k) {
        std::u16string text = pieces[k % std::size(pieces)];
        line += text.size();
        if (text == u"\n") {
            line = 0;
        } else if (line > 70) {
            text += u'\n';
            line = 0;
        }
        size += text.size();
        runs.push_back({std::move(text), styles[k % std::size(styles)]});
    }
    return runs;
}

const StyledText& Document() {
    static const StyledText document = MakeDocument();
    return document;
}

void BM_WriteRtf(benchmark::State& state) {
    const StyledText& document = Document();
    for (auto _ : state) {
        benchmark::DoNotOptimize(WriteRtf(document));
    }
    state.counters["runs"] = static_cast<double>(document.size());
}
BENCHMARK(BM_WriteRtf)->Unit(benchmark::kMillisecond);

void BM_ReadRtf(benchmark::State& state) {
    const std::string rtf = WriteRtf(Document());
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadRtf(rtf));
    }
    state.counters["bytes"] = static_cast<double>(rtf.size());
}
BENCHMARK(BM_ReadRtf)->Unit(benchmark::kMillisecond);

// The surface's lines with word wrap on: every line broken at 60 characters.
void BM_WriteSource(benchmark::State& state) {
    std::u16string text;
    for (const StyledRun& run : Document()) {
        text += run.text;
    }
    std::vector<SurfaceLine> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == u'\n') {
            const std::u16string_view line(text.data() + start, i - start);
            for (std::size_t at = 0; at + 60 < line.size(); at += 60) {
                lines.push_back({line.substr(at, 60), false});
            }
            lines.push_back({line.substr(line.size() - line.size() % 60), i < text.size()});
            start = i + 1;
        }
    }
    SourceWriteOptions options;
    options.softBreakMarker = true;
    for (auto _ : state) {
        benchmark::DoNotOptimize(WriteSource(lines, options));
    }
    state.counters["lines"] = static_cast<double>(lines.size());
}
BENCHMARK(BM_WriteSource)->Unit(benchmark::kMillisecond);

// Reading a source's bytes into text: detection and decoding, before the scanner runs.
void BM_DecodeSource(benchmark::State& state) {
    std::u16string text;
    for (const StyledRun& run : Document()) {
        text += run.text;
    }
    const std::string bytes = EncodeText(text, TextEncoding::Utf8);
    for (auto _ : state) {
        benchmark::DoNotOptimize(DecodeText(bytes, DetectEncoding(bytes, false)));
    }
}
BENCHMARK(BM_DecodeSource)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace orvelt

BENCHMARK_MAIN();
