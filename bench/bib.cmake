# bib benchmarks: read and write a 5 MB database
orvelt_bench(bib_bench ${CMAKE_CURRENT_LIST_DIR}/BibBench.cpp)
target_link_libraries(bib_bench PRIVATE orvelt_logic)
