#include "insert/table/TableGenerator.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

// The largest design: 100 x 100 cells with short texts, some rules and alignments changed.
const orvelt::TableDesign& Largest() {
    static const orvelt::TableDesign design = [] {
        orvelt::TableDesign d;
        d.Start(orvelt::TableDesign::kMaxSize, orvelt::TableDesign::kMaxSize);
        for (int r = 1; r <= d.Rows(); ++r)
            for (int c = 1; c <= d.Cols(); ++c)
                d.SetText(c, r, "c" + std::to_string(r * 100 + c));
        d.SetRule({3, 3, 40, 60}, orvelt::RuleSide::Top, false);
        d.SetHAlign({1, 1, 50, 100}, orvelt::HorizontalAlign::Left);
        return d;
    }();
    return design;
}

// Budget: 0.1 s.
void GenerateLargestTable(benchmark::State& state) {
    const orvelt::TableSizes sizes = orvelt::SizesInEx(Largest(), 7);
    for (auto _ : state)
        benchmark::DoNotOptimize(orvelt::GenerateTable(Largest(), sizes));
}
BENCHMARK(GenerateLargestTable)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
