# spell benchmarks: load the word lists, scan 1 MB of text against wamerican, and a Replace All
# pair that fires 10,000 times
orvelt_bench(dictionary_bench ${CMAKE_CURRENT_LIST_DIR}/DictionaryBench.cpp)
target_link_libraries(dictionary_bench PRIVATE orvelt_logic)
