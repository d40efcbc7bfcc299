#include "core/KeywordTable.h"
#include "editor/highlight/BlockTokenReader.h"
#include "editor/highlight/TokenScanner.h"
#include "editor/highlight/TokenStyle.h"
#include "editor/highlight/TypingHighlight.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <string>
#include <vector>

namespace orvelt {
namespace {

constexpr std::size_t kDocumentSize = 2'000'000;

// A paragraph mix like a thesis: commands, math, braces, comments, soft breaks, umlauts.
std::string GeneratedDocument() {
    const std::string paragraph =
        "\\section{Results}\\label{sec:results}\n"
        "Let $f\\colon \\mathbb{R}\\to\\mathbb{R}$ be smooth and let 100\\% of the mass lie in "
        "$[0,1]$. % a remark about the mass\n"
        "The classical result~\\cite[Thm.~3.42]{rudin} states that %%@\n"
        "\\begin{equation}\n  \\sum_{n=1}^{\\infty} a_n b_n < \\infty \\quad\\text{if}\\quad "
        "\\lVert b\\rVert_\\infty \\le 1.\n\\end{equation}\n"
        "% a comment that word wrap broke when it was saved %%@\n% and its second piece\n"
        "Gr\xC3\xBC\xC3\x9F"
        "e an \\emph{alle} mit \\textbf{fettem} Text und \\myowncommand{x}.\n\n";
    std::string text;
    text.reserve(kDocumentSize + paragraph.size());
    while (text.size() < kDocumentSize) {
        text += paragraph;
    }
    text.resize(kDocumentSize);
    return text;
}

KeywordTable BenchKeywords() {
    std::vector<std::string> words = {"\\begin",   "\\cite",  "\\colon", "\\emph",   "\\end",
                                      "\\infty",   "\\label", "\\le",    "\\mathbb", "\\quad",
                                      "\\section", "\\sum",   "\\text",  "\\textbf", "\\to"};
    for (int i = 0; i < 1000; ++i) {
        words.push_back("\\cmd" + std::to_string(i));
    }
    std::sort(words.begin(), words.end());
    return KeywordTable(words);
}

template <class CharT>
void Classify(std::basic_string_view<CharT> text, const KeywordTable& keywords,
              benchmark::State& state) {
    std::size_t tokens = 0;
    for (auto _ : state) {
        const auto scanned = ScanText(text, ScanOptions{ScanMode::Source, true, true});
        int styles = 0;
        for (const auto& token : scanned) {
            styles += static_cast<int>(TokenStyle(token, keywords));
        }
        benchmark::DoNotOptimize(styles);
        tokens = scanned.size();
    }
    state.counters["tokens"] = static_cast<double>(tokens);
    state.SetBytesProcessed(
        static_cast<std::int64_t>(state.iterations() * text.size() * sizeof(CharT)));
}

void BM_ScanAndClassifyFileBytes(benchmark::State& state) {
    const std::string text = GeneratedDocument();
    const KeywordTable keywords = BenchKeywords();
    Classify(std::string_view(text), keywords, state);
}
BENCHMARK(BM_ScanAndClassifyFileBytes)->Unit(benchmark::kMillisecond);

void BM_ScanAndClassifySurfaceText(benchmark::State& state) {
    const std::string bytes = GeneratedDocument();
    const std::u16string text(bytes.begin(), bytes.end());
    const KeywordTable keywords = BenchKeywords();
    Classify(std::u16string_view(text), keywords, state);
}
BENCHMARK(BM_ScanAndClassifySurfaceText)->Unit(benchmark::kMillisecond);

// The import's path: blocks of 10000 bytes, every token classified.
void BM_ImportBlockwise(benchmark::State& state) {
    const std::string text = GeneratedDocument();
    const KeywordTable keywords = BenchKeywords();
    for (auto _ : state) {
        BlockTokenReader<char> reader(BlockTokenReader<char>::FromText(text),
                                      ScanOptions{ScanMode::Source, true, true},
                                      static_cast<std::size_t>(state.range(0)));
        int styles = 0;
        while (auto token = reader.Next()) {
            styles += static_cast<int>(TokenStyle(*token, keywords));
        }
        benchmark::DoNotOptimize(styles);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ImportBlockwise)->Arg(10000)->Arg(64)->Unit(benchmark::kMillisecond);

// Worst case for one typed character: a long line without a percent sign, so the comment
// test looks back over all of it.
void BM_TypedCharacterOnLongLine(benchmark::State& state) {
    std::u16string line;
    while (line.size() < static_cast<std::size_t>(state.range(0))) {
        line += u"word \\command{arg} $x$ ";
    }
    const KeywordTable keywords = BenchKeywords();
    for (auto _ : state) {
        benchmark::DoNotOptimize(HighlightTypedCharacter(line, line.size(), U' ', keywords));
    }
}
BENCHMARK(BM_TypedCharacterOnLongLine)->Arg(1000)->Arg(100000)->Arg(2000000);

// The caret leaves an edited line: the whole line is scanned again.
void BM_RehighlightLongLine(benchmark::State& state) {
    std::u16string line;
    while (line.size() < static_cast<std::size_t>(state.range(0))) {
        line += u"word \\command{arg} $x$ ";
    }
    const KeywordTable keywords = BenchKeywords();
    for (auto _ : state) {
        int styles = 0;
        for (const auto& token : ScanLine(line)) {
            styles += static_cast<int>(TokenStyle(token, keywords));
        }
        benchmark::DoNotOptimize(styles);
    }
}
BENCHMARK(BM_RehighlightLongLine)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// A list longer than the table: lookups must stay cheap, misses included.
void BM_IsKeywordFullTable(benchmark::State& state) {
    std::vector<std::string> words;
    for (int i = 0; i < 12000; ++i) {
        words.push_back("\\k" + std::to_string(i));
    }
    const KeywordTable keywords(words);
    for (auto _ : state) {
        benchmark::DoNotOptimize(keywords.IsKeyword(std::string_view("\\k11999")));
        benchmark::DoNotOptimize(keywords.IsKeyword(std::string_view("\\notakeyword")));
    }
}
BENCHMARK(BM_IsKeywordFullTable);

} // namespace
} // namespace orvelt

BENCHMARK_MAIN();
