# project benchmarks: read, save and build a 1,000-file project
orvelt_bench(project_bench ${CMAKE_CURRENT_LIST_DIR}/ProjectBench.cpp)
target_link_libraries(project_bench PRIVATE orvelt_logic)
