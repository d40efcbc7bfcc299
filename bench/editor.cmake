# editor benchmarks
orvelt_bench(codec_bench ${CMAKE_CURRENT_LIST_DIR}/CodecBench.cpp)
target_link_libraries(codec_bench PRIVATE orvelt_logic)
orvelt_bench(specials_bench ${CMAKE_CURRENT_LIST_DIR}/SourceLinksBench.cpp)
target_link_libraries(specials_bench PRIVATE orvelt_logic)
