# Cost of one call of each position series (not a ctest test).
add_executable(bench_astro ${CMAKE_CURRENT_LIST_DIR}/bench_astro.cpp)
target_link_libraries(bench_astro PRIVATE syzygy_astro benchmark::benchmark_main)
