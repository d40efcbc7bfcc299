#include "core/CodePage.h"
#include "editor/spell/Dictionary.h"
#include "editor/spell/SpellScan.h"

#include <benchmark/benchmark.h>
#include <fstream>
#include <iterator>
#include <string>

namespace {

// A 3 MB word list: about 270,000 distinct words of English-like length, some with umlauts,
// with LF line ends as the system lists have.
const std::string& GeneratedList() {
    static const std::string text = [] {
        const char* stems[] = {"spell", "check", "w\xC3\xB6rter", "buch", "theorem", "lemma"};
        std::string list;
        list.reserve(3'100'000);
        for (int i = 0; list.size() < 3'000'000; ++i)
            list += stems[i % 6] + std::to_string(i) + "\n";
        return list;
    }();
    return text;
}

std::string ReadList(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

const std::string& American() {
    static const std::string text = ReadList("/usr/share/dict/american-english");
    return text;
}

const std::string& German() {
    static const std::string text = ReadList("/usr/share/dict/ngerman");
    return text;
}

void LoadList(benchmark::State& state, const std::string& list) {
    if (list.empty()) {
        state.SkipWithError("the word list is missing (scripts/setup.sh installs it)");
        return;
    }
    for (auto _ : state) {
        orvelt::Dictionary dictionary;
        benchmark::DoNotOptimize(dictionary.Load(list));
        benchmark::DoNotOptimize(dictionary.Count());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * list.size()));
}

void BM_LoadGenerated3MB(benchmark::State& state) {
    LoadList(state, GeneratedList());
}
BENCHMARK(BM_LoadGenerated3MB)->Unit(benchmark::kMillisecond);

void BM_LoadWamerican(benchmark::State& state) {
    LoadList(state, American());
}
BENCHMARK(BM_LoadWamerican)->Unit(benchmark::kMillisecond);

void BM_LoadWngerman(benchmark::State& state) {
    LoadList(state, German());
}
BENCHMARK(BM_LoadWngerman)->Unit(benchmark::kMillisecond);

// 1 MB of text made of the list's words, ten to a line with CR LF between lines (document
// positions), every `every`-th word replaced by "teh" (0: none).
std::u16string TextOfWords(const std::string& list, std::size_t every) {
    std::u16string text;
    std::size_t at = 0;
    for (std::size_t n = 1; text.size() < 1'000'000; ++n) {
        const std::size_t end = std::min(list.find('\n', at), list.size());
        if (every != 0 && n % every == 0)
            text += u"teh";
        else
            text += orvelt::Utf8ToUtf16(std::string_view(list).substr(at, end - at));
        text += n % 10 == 0 ? u"\r\n" : u" ";
        at = end + 1 < list.size() ? end + 1 : 0;
    }
    return text;
}

// A whole check of 1 MB against wamerican, with nothing to show.
void BM_ScanWamerican1MB(benchmark::State& state) {
    if (American().empty()) {
        state.SkipWithError("wamerican is missing");
        return;
    }
    orvelt::Dictionary dictionary;
    (void)dictionary.Load(American());
    const std::u16string text = TextOfWords(American(), 0);
    const orvelt::CheckLists lists;
    for (auto _ : state) {
        const orvelt::ScanStop stop = orvelt::ScanForMisspelling(text, 0, dictionary, lists);
        if (stop.found)
            state.SkipWithError("a word of the list was reported");
        benchmark::DoNotOptimize(stop.next);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size() * 2));
}
BENCHMARK(BM_ScanWamerican1MB)->Unit(benchmark::kMillisecond);

// A Replace All pair that fires 10,000 times in 1 MB: the scan that finds them all.
void BM_ScanReplaceAllPair10000(benchmark::State& state) {
    if (American().empty()) {
        state.SkipWithError("wamerican is missing");
        return;
    }
    orvelt::Dictionary dictionary;
    (void)dictionary.Load(American());
    const std::u16string text = TextOfWords(American(), 10);
    orvelt::CheckLists lists;
    lists.ReplaceAlways(u"teh", u"the");
    for (auto _ : state) {
        const orvelt::ScanStop stop = orvelt::ScanForMisspelling(text, 0, dictionary, lists);
        if (stop.replacements.size() < 10'000)
            state.SkipWithError("fewer than 10,000 replacements");
        benchmark::DoNotOptimize(stop.replacements.data());
    }
}
BENCHMARK(BM_ScanReplaceAllPair10000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
