# highlight benchmarks
