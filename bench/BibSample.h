#pragma once

#include <string>

namespace orvelt::bench {

// A 5 MB database of today's usual mix: mostly articles and proceedings papers with a dozen
// fields of their type's table and half a dozen outside it (doi, url, isbn, issn, keywords,
// abstract, file), abbreviations used bare, numbers and months bare, some concatenations and
// nested braces, and every tenth entry an @online one, kept as its text.
inline const std::string& FiveMegabyteBib() {
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

} // namespace orvelt::bench
