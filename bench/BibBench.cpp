#include "bib/bibtex/BibReader.h"
#include "bib/bibtex/BibWriter.h"

#include <benchmark/benchmark.h>
#include <optional>
#include <string>

namespace {

// A 5 MB database of today's usual mix: mostly articles and proceedings papers with a dozen
// fields of their type's table and half a dozen outside it (doi, url, isbn, issn, keywords,
// abstract, file), abbreviations used bare, numbers and months bare, some concatenations and
// nested braces, and every tenth entry an @online one, kept as its text.
const std::string& Database() {
    static const std::string text = [] {
        std::string bib;
        bib.reserve(5'300'000);
        bib += "@PREAMBLE{{\\newcommand{\\noopsort}[1]{}}}\n\n";
        for (int i = 0; i < 40; ++i) {
            bib += "@STRING{j" + std::to_string(i) + " = {Journal of Things " + std::to_string(i) +
                   "}}\n";
        }
        const char* months[] = {"jan", "feb", "mar", "apr", "may", "jun",
                                "jul", "aug", "sep", "oct", "nov", "dec"};
        for (int i = 0; bib.size() < 5'000'000; ++i) {
            const std::string n = std::to_string(i);
            const std::string extra =
                "  doi = {10.1000/" + n + "},\n  url = {https://example.org/papers/" + n +
                ".pdf},\n  isbn = \"978-3-16-" + n + "\",\n  issn = {1234-" + n +
                "},\n  keywords = {things, structures, part " + n +
                "},\n  abstract = {We study {Nested} structures of kind " + n +
                " and find them useful.},\n  file = {:papers/" + n + ".pdf:PDF},\n";
            if (i % 10 == 9) {
                bib += "@online{web" + n + ",\n  author = {Web, Wanda},\n  title = {Page " + n +
                       "},\n  url = {https://example.org/" + n + "},\n  urldate = {2020-01-0" +
                       std::to_string(i % 9 + 1) + "},\n}\n\n";
            } else if (i % 3 == 0) {
                bib += "@InProceedings{conf" + n +
                       ",\n  author = {Author, Ann and Baker, Bob and {van der} Carl" + n +
                       "},\n  title = {On {Nested} Structures (and Their {U}ses) in Part " + n +
                       "},\n  booktitle = \"Proceedings of the " + n +
                       "th Conference\",\n  year = " + std::to_string(1950 + i % 70) +
                       ",\n  pages = {" + n + "--" + std::to_string(i + 12) +
                       "},\n  publisher = {Some Press},\n  address = {City},\n  month = " +
                       months[i % 12] + ",\n" + extra + "}\n\n";
            } else {
                bib += "@article{art" + n + ",\n  author = {Doe, Jane and Roe, Richard " + n +
                       "},\n  title = \"A Study of " + n + " Things\" # { in } # j" +
                       std::to_string(i % 40) + ",\n  journal = j" + std::to_string(i % 40) +
                       ",\n  year = " + std::to_string(1950 + i % 70) +
                       ",\n  volume = " + std::to_string(i % 90) +
                       ",\n  number = " + std::to_string(i % 12) + ",\n  pages = {1--" + n +
                       "},\n  month = " + months[i % 12] +
                       ",\n  note = {See also {\\em the} follow-up},\n" + extra + "}\n\n";
            }
        }
        return bib;
    }();
    return text;
}

void ReadFiveMegabytes(benchmark::State& state) {
    const std::string& text = Database();
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
    const orvelt::BibReadResult read = orvelt::ReadBIB(Database());
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
