# Cost of one instant of the geometry and of its parts (not a ctest test).
add_executable(bench_geometry ${CMAKE_CURRENT_LIST_DIR}/bench_geometry.cpp)
target_link_libraries(bench_geometry PRIVATE syzygy_geometry benchmark::benchmark_main)
