#include "toolchain/log/LogParser.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <string>

namespace {

// A 10 MB log of a long document: a warning about every 100 bytes among page and file
// lines, every tenth one wrapped at 79 bytes, and an error with its context now and then.
const std::string& TenMegabyteLog() {
    static const std::string log = [] {
        std::string made;
        for (int i = 0; made.size() < 10'000'000; ++i) {
            const std::string n = std::to_string(i);
            if (i % 10 == 0) {
                const std::string line = "LaTeX Warning: Reference `fig:a-long-key-for-figure-" +
                                         n + "' on page 4 undefined on input line " + n + ".";
                made.append(line, 0, 79).append("\n").append(line, 79).append("\n");
            } else if (i % 3 == 0) {
                made +=
                    "Overfull \\hbox (1.2pt too wide) in paragraph at lines " + n + "--" + n + "\n";
            } else {
                made += "LaTeX Warning: Citation `smith" + n + "' on page 4 undefined on " +
                        "input line " + n + ".\n";
            }
            if (i % 2 == 0) {
                made += "[" + n + "] (./chapter" + n.substr(0, 1) + ".tex\n";
            }
            if (i % 1000 == 0) {
                made += "! Undefined control sequence.\n<recently read> \\foo \n\nl." + n +
                        " \\foo\n    bar\n";
            }
        }
        return made;
    }();
    return log;
}

// The error list's read of the log, as the window feeds the file in 64 KB blocks.
void ParseInBlocks(benchmark::State& state) {
    const std::string_view log = TenMegabyteLog();
    std::size_t warnings = 0;
    for (auto _ : state) {
        orvelt::LogParser parser;
        for (std::size_t at = 0; at < log.size(); at += 65536) {
            parser.Feed(log.substr(at, 65536));
        }
        const orvelt::LogFindings findings = parser.Finish();
        warnings = findings.warnings.size();
        benchmark::DoNotOptimize(findings.errors.data());
    }
    state.counters["MB"] = static_cast<double>(log.size()) / 1e6;
    state.counters["warnings"] = static_cast<double>(warnings);
}
BENCHMARK(ParseInBlocks)->Unit(benchmark::kMillisecond);

// The log viewer's mending of characters the wrap cut, over the same log.
void MendCharacters(benchmark::State& state) {
    const std::string& log = TenMegabyteLog();
    for (auto _ : state) {
        const std::string mended = orvelt::MendWrappedCharacters(log);
        benchmark::DoNotOptimize(mended.data());
    }
    state.counters["MB"] = static_cast<double>(log.size()) / 1e6;
}
BENCHMARK(MendCharacters)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
