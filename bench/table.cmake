# table benchmarks: generate a 100 x 100 table
orvelt_bench(table_bench ${CMAKE_CURRENT_LIST_DIR}/TableBench.cpp)
target_link_libraries(table_bench PRIVATE orvelt_logic)
