#include "BibSample.h"
#include "bib/bibtex/BibReader.h"
#include "bib/bibtex/BibWriter.h"

#include <benchmark/benchmark.h>
#include <optional>
#include <string>

namespace {

void ReadFiveMegabytes(benchmark::State& state) {
    const std::string& text = orvelt::bench::FiveMegabyteBib();
    std::size_t entries = 0;
    // The window keeps what it read: freeing the previous result is not part of a read.
    std::optional<orvelt::BibReadResult> kept;
    for (auto _ : state) {
        state.PauseTiming();
        kept.reset();
        state.ResumeTiming();
        kept.emplace(orvelt::ReadBIB(text));
        entries = kept->Database.EntryCount();
        benchmark::DoNotOptimize(entries);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
    state.counters["entries"] = static_cast<double>(entries);
    state.counters["other"] = static_cast<double>(kept->Database.UnknownEntries().size());
    state.counters["extra"] = static_cast<double>(kept->Report.ExtraFields);
    state.counters["MB"] = static_cast<double>(text.size()) / 1e6;
}
BENCHMARK(ReadFiveMegabytes)->Unit(benchmark::kMillisecond);

void WriteFiveMegabytes(benchmark::State& state) {
    const orvelt::BibReadResult read = orvelt::ReadBIB(orvelt::bench::FiveMegabyteBib());
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string text = orvelt::WriteBIB(read.Database);
        bytes = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(WriteFiveMegabytes)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
