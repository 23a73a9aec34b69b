# The Qt console, offscreen: window and keys, drawing, prompts (scripted and the real
# dialog), files and the title screen.
find_package(Qt6 REQUIRED COMPONENTS Widgets Test)
add_executable(console_tests
  window_test.cpp drawing_test.cpp prompt_test.cpp dialog_test.cpp files_test.cpp
  title_test.cpp console_fixture.h)
target_link_libraries(console_tests PRIVATE syzygy_console Qt6::Widgets Qt6::Test
  GTest::gtest_main)
gtest_discover_tests(console_tests NO_PRETTY_VALUES
  PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
  TEST_PREFIX "console."
  DISCOVERY_MODE PRE_TEST)

# The console on high-density screens: the same tests at scale factors 1, 1.25, 1.5 and 2.
add_executable(console_hidpi_tests hidpi_test.cpp console_fixture.h)
target_link_libraries(console_hidpi_tests PRIVATE syzygy_console Qt6::Widgets GTest::gtest_main)
foreach(ratio 1 1.25 1.5 2)
  string(REPLACE "." "_" name ${ratio})
  gtest_discover_tests(console_hidpi_tests NO_PRETTY_VALUES
    PROPERTIES ENVIRONMENT "QT_SCALE_FACTOR=${ratio}"
    TEST_PREFIX "console.ratio${name}."
    DISCOVERY_MODE PRE_TEST)
endforeach()
