# toolchain benchmarks: fill a 10,000-character program command
orvelt_bench(runner_bench ${CMAKE_CURRENT_LIST_DIR}/RunnerBench.cpp)
target_link_libraries(runner_bench PRIVATE orvelt_logic)
