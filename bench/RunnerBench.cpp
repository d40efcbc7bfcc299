#include "toolchain/run/CommandLine.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

// A 10,000-character command of many short words, quoted ones and placeholders among them.
std::string ManyWords() {
    std::string command = "pdflatex";
    for (int i = 0; command.size() < 10000; ++i)
        command += i % 3 == 0 ? " \"-in %f at %n\"" : i % 3 == 1 ? " %f.tex" : " -opt";
    command.resize(10000);
    return command;
}

void SubstituteManyWords(benchmark::State& state) {
    const std::string command = ManyWords();
    for (auto _ : state) {
        const orvelt::CommandLine line =
            orvelt::SubstituteCommandLine(command, "/home/ann/my thesis", 1234);
        benchmark::DoNotOptimize(line.words.data());
    }
    state.counters["chars"] = static_cast<double>(command.size());
}
BENCHMARK(SubstituteManyWords)->Unit(benchmark::kMicrosecond);

// One word of 10,000 characters: nothing to split, one placeholder at the end.
void SubstituteOneLongWord(benchmark::State& state) {
    const std::string command = "prog " + std::string(9993, 'a') + "%f";
    for (auto _ : state) {
        const orvelt::CommandLine line = orvelt::SubstituteCommandLine(command, "paper", 1);
        benchmark::DoNotOptimize(line.words.data());
    }
    state.counters["chars"] = static_cast<double>(command.size());
}
BENCHMARK(SubstituteOneLongWord)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
