# highlight benchmarks
orvelt_bench(highlight_bench ${CMAKE_CURRENT_LIST_DIR}/HighlightBench.cpp)
target_link_libraries(highlight_bench PRIVATE orvelt_logic)
