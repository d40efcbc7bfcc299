# editor benchmarks
