# spell benchmarks: load a generated 3 MB word list and the system's 100,000-word one
orvelt_bench(dictionary_bench ${CMAKE_CURRENT_LIST_DIR}/DictionaryBench.cpp)
target_link_libraries(dictionary_bench PRIVATE orvelt_logic)
