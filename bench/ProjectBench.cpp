#include "project/file/ProjectFile.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

constexpr std::string_view kDir = "/home/u/thesis";

// A 1,000-file project as a thesis grows: chapters and figures below the project's directory,
// a tenth shared from elsewhere, added in no particular order.
const orvelt::Project& ThousandFiles() {
    static const orvelt::Project project = [] {
        orvelt::Project made;
        for (int i = 0; i < 1000; ++i) {
            const std::string n = std::to_string((i * 7919) % 1000);
            std::string path = i % 10 == 0  ? "/home/u/shared/style" + n + ".sty"
                               : i % 3 == 0 ? std::string(kDir) + "/figures/fig" + n + ".tex"
                                            : std::string(kDir) + "/chapters/chap" + n + ".tex";
            orvelt::AddProjectFile(made, std::move(path));
        }
        orvelt::SetMainProjectFile(made, 500);
        return made;
    }();
    return project;
}

void ReadThousandFiles(benchmark::State& state) {
    const std::string text = orvelt::WriteProjectFile("", ThousandFiles(), kDir);
    for (auto _ : state) {
        const orvelt::ProjectReadResult read = orvelt::ReadProjectFile(text, kDir);
        benchmark::DoNotOptimize(read.project.files.data());
    }
    state.counters["KB"] = static_cast<double>(text.size()) / 1e3;
}
BENCHMARK(ReadThousandFiles)->Unit(benchmark::kMicrosecond);

// Save: the project put into its own file as it stands on disk.
void SaveThousandFiles(benchmark::State& state) {
    const std::string existing = orvelt::WriteProjectFile("", ThousandFiles(), kDir);
    for (auto _ : state) {
        const std::string text = orvelt::WriteProjectFile(existing, ThousandFiles(), kDir);
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(SaveThousandFiles)->Unit(benchmark::kMicrosecond);

void WriteThousandFilesNew(benchmark::State& state) {
    for (auto _ : state) {
        const std::string text = orvelt::WriteProjectFile("", ThousandFiles(), kDir);
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(WriteThousandFilesNew)->Unit(benchmark::kMicrosecond);

// Adding one by one, each into its place in the tree's order.
void AddThousandFiles(benchmark::State& state) {
    for (auto _ : state) {
        orvelt::Project project;
        for (const std::string& file : ThousandFiles().files) {
            orvelt::AddProjectFile(project, file);
        }
        benchmark::DoNotOptimize(project.files.data());
    }
}
BENCHMARK(AddThousandFiles)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
