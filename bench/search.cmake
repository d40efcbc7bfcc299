# search benchmarks: a 2,000,000-character document searched to its end, Replace all's 10,000
# matches in it, and a 5 MB bibliography searched without a match
orvelt_bench(find_bench ${CMAKE_CURRENT_LIST_DIR}/FindBench.cpp)
target_link_libraries(find_bench PRIVATE orvelt_logic)
