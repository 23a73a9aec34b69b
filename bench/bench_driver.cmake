# The work after one cursor key: the new instant, its sky and event, and the frame, on a
# headless 1920 x 1080 console (not a ctest test); bench_driver_hidpi draws it at a scale factor
# of 2, on 3840 x 2160 device pixels.
add_executable(bench_driver ${CMAKE_CURRENT_LIST_DIR}/bench_driver.cpp)
target_link_libraries(bench_driver PRIVATE syzygy_driver benchmark::benchmark_main)
add_executable(bench_driver_hidpi ${CMAKE_CURRENT_LIST_DIR}/bench_driver.cpp)
target_compile_definitions(bench_driver_hidpi PRIVATE BENCH_SCALE_FACTOR="2")
target_link_libraries(bench_driver_hidpi PRIVATE syzygy_driver benchmark::benchmark_main)
