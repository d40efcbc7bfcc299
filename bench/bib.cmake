# bib benchmarks
