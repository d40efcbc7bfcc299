#include "BibSample.h"
#include "bib/bibtex/BibReader.h"
#include "search/find/BibSearch.h"
#include "search/find/TextSearch.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

constexpr std::size_t kDocumentLength = 2'000'000;

// A 2,000,000-character LaTeX document as the editor surface holds it (one unit per line
// break), with a few accented letters; "foo" as a word every 200 characters when asked for,
// and one "Zanzibar" near the end.
std::u16string Document(bool withFoo) {
    const std::u16string paragraph =
        u"\\section{Results}\nWe show that $x^2 + y^2 = z^2$ holds for \\emph{every} "
        u"caf\u00E9 and na\u00EFve r\u00E9sum\u00E9 (see \\cite{knuth84}).\n";
    std::u16string text;
    text.reserve(kDocumentLength + 64);
    for (std::size_t nextFoo = 200; text.size() < kDocumentLength - 1000;) {
        text += paragraph;
        if (withFoo && text.size() >= nextFoo) {
            text += u" foo ";
            nextFoo += 200;
        }
    }
    text += u"The end: Zanzibar.\n";
    while (text.size() < kDocumentLength) {
        text += u"x";
    }
    return text;
}

void SearchToTheEnd(benchmark::State& state) {
    const std::u16string text = Document(false);
    const orvelt::TextSearch search(u"Zanzibar", {state.range(0) != 0, state.range(1) != 0});
    std::size_t found = 0;
    for (auto _ : state) {
        const std::optional<orvelt::TextMatch> match = search.Find(text, 0);
        found = match ? match->Position : 0;
        benchmark::DoNotOptimize(found);
    }
    state.counters["found"] = static_cast<double>(found);
}
// Case sensitive (1) or not (0), whole words (1) or not (0).
BENCHMARK(SearchToTheEnd)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond);

// Each unit is read once: a text of "a" and a search text of "a" ending in "b" costs no more.
void SearchAdversarial(benchmark::State& state) {
    const std::u16string text(kDocumentLength, u'a');
    const std::u16string needle = std::u16string(1000, u'a') + u"b";
    const orvelt::TextSearch search(needle, {});
    for (auto _ : state) {
        benchmark::DoNotOptimize(search.Find(text, 0));
    }
}
BENCHMARK(SearchAdversarial)->Unit(benchmark::kMillisecond);

// The logic's share of Replace all: the pass's 10,000 matches, and the new text.
void ReplaceAllTenThousand(benchmark::State& state) {
    const std::u16string text = Document(true);
    const orvelt::TextSearch search(u"foo", {false, true});
    std::size_t count = 0;
    for (auto _ : state) {
        const std::vector<orvelt::TextMatch> matches =
            search.ReplaceAllMatches(text, 0, u"\\alpha");
        count = matches.size();
        benchmark::DoNotOptimize(orvelt::ApplyReplacements(text, matches, u"\\alpha"));
    }
    state.counters["matches"] = static_cast<double>(count);
}
BENCHMARK(ReplaceAllTenThousand)->Unit(benchmark::kMillisecond);

void SearchFiveMegabyteBibliography(benchmark::State& state) {
    const orvelt::BibReadResult read = orvelt::ReadBIB(orvelt::bench::FiveMegabyteBib());
    const orvelt::TextSearch search(u"Zanzibar", {});
    for (auto _ : state) {
        benchmark::DoNotOptimize(orvelt::FindInBibliography(
            read.Database, orvelt::TextEncoding::Utf8, search, orvelt::BibCell{}, 0));
    }
}
BENCHMARK(SearchFiveMegabyteBibliography)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
