#include "editor/files/SourceLinks.h"
#include "editor/files/SourceWriter.h"

#include <benchmark/benchmark.h>
#include <string>
#include <vector>

namespace orvelt {
namespace {

constexpr std::size_t kDocumentSize = 2'000'000;

// A 2,000,000-character thesis: paragraphs of text lines between sections, lists, tables,
// displays, verbatim text and comments, so that every rule of the specials has work.
std::u16string MakeDocument() {
    const std::u16string chapter =
        u"\\section{Results of the \\emph{second} experiment}\n"
        u"The office offered an affluent official a fluffy waffle, and efficient staff\n"
        u"fixed the final figures in the afternoon; offbeat effects followed, and nobody\n"
        u"was baffled by the difference it made to the flow of the text. % a note\n"
        u"Another line of the same paragraph, with $x^2 + y^2 = z^2$ and a citation\n"
        u"\\cite{knuth} in it, long enough to be wrapped on a narrow window.\n"
        u"\n"
        u"\\begin{itemize}\n"
        u"\\item First item of the list, with some text after it\n"
        u"\\item Second item, with a \\textbf{bold\n"
        u"  word} that closes on the next line\n"
        u"\\end{itemize}\n"
        u"\\begin{center}\\begin{tabular}{|l|l|}\n"
        u"\\hline\n"
        u"\\multicolumn{2}{|c|}{Head} \\\\\n"
        u"a & b \\\\ \\hline\n"
        u"\\end{tabular}\\end{center}\n"
        u"\\begin{align}\n"
        u"a &= b \\\\\n"
        u"c &= d\n"
        u"\\end{align}\n"
        u"\\begin{verbatim}\n"
        u"\\end{tabular} is not an end here\n"
        u"\\end{verbatim}\n"
        u"Text after the displays, and a last sentence of the chapter.\n"
        u"\n";
    std::u16string text;
    text.reserve(kDocumentSize + chapter.size());
    while (text.size() < kDocumentSize) {
        text += chapter;
    }
    return text;
}

// The surface's lines: each line of the file whole (width 0), or broken every `width`
// characters as word wrap in saved-breaks mode does.
std::vector<SurfaceLine> Lines(const std::u16string& text, std::size_t width) {
    std::vector<SurfaceLine> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == u'\n') {
            std::u16string_view line(text.data() + start, i - start);
            while (width != 0 && line.size() > width) {
                lines.push_back({line.substr(0, width), false});
                line.remove_prefix(width);
            }
            lines.push_back({line, i < text.size()});
            start = i + 1;
        }
    }
    return lines;
}

// Saving the document: arg 0 the wrap width (0: lines whole), arg 1 the interval (0: no
// specials, the writer alone). A fresh hook per save, as the window makes one.
void BM_WriteWithSpecials(benchmark::State& state) {
    static const std::u16string text = MakeDocument();
    const auto width = static_cast<std::size_t>(state.range(0));
    const auto interval = static_cast<int>(state.range(1));
    const std::vector<SurfaceLine> lines = Lines(text, width);
    std::size_t bytes = 0;
    for (auto _ : state) {
        SourceWriteOptions options;
        options.softBreakMarker = width != 0;
        if (interval > 0) {
            options.beforeLine = MakeSourceSpecials("/home/j/thesis/ch1.tex", interval).beforeLine;
        }
        const SourceWriteResult result = WriteSource(lines, options);
        bytes = result.bytes.size();
        benchmark::DoNotOptimize(result);
    }
    state.counters["lines"] = static_cast<double>(lines.size());
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_WriteWithSpecials)
    ->ArgsProduct({{0, 60}, {0, 1, 2}})
    ->ArgNames({"width", "interval"})
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace orvelt

BENCHMARK_MAIN();
