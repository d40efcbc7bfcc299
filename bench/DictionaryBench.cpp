#include "editor/spell/Dictionary.h"

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

const std::string& SystemList() {
    static const std::string text = [] {
        std::ifstream in("/usr/share/dict/american-english", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }();
    return text;
}

void LoadList(benchmark::State& state, const std::string& list) {
    if (list.empty()) {
        state.SkipWithError("/usr/share/dict/american-english is missing (install wamerican)");
        return;
    }
    for (auto _ : state) {
        orvelt::Dictionary dictionary;
        dictionary.Load(list);
        benchmark::DoNotOptimize(dictionary.Count());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * list.size()));
}

void BM_LoadGenerated3MB(benchmark::State& state) {
    LoadList(state, GeneratedList());
}
BENCHMARK(BM_LoadGenerated3MB)->Unit(benchmark::kMillisecond);

void BM_LoadWamerican(benchmark::State& state) {
    LoadList(state, SystemList());
}
BENCHMARK(BM_LoadWamerican)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
