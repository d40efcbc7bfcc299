# toolchain benchmarks: fill a 10,000-character program command
orvelt_bench(runner_bench ${CMAKE_CURRENT_LIST_DIR}/RunnerBench.cpp)
target_link_libraries(runner_bench PRIVATE orvelt_logic)

# log benchmarks: the errors and warnings of a 10 MB log with 100,000 warnings
orvelt_bench(log_bench ${CMAKE_CURRENT_LIST_DIR}/LogBench.cpp)
target_link_libraries(log_bench PRIVATE orvelt_logic)
