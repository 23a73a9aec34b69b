# The work after one cursor key: the new instant, its sky and event, and the frame, on a
# headless 1920 x 1080 console (not a ctest test).
add_executable(bench_driver ${CMAKE_CURRENT_LIST_DIR}/bench_driver.cpp)
target_link_libraries(bench_driver PRIVATE syzygy_driver benchmark::benchmark_main)
