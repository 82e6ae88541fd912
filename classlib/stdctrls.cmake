# The stock controls of the class library (labels, edits, lists, buttons,
# panels, list views, pages, track bars) and their window tests; included by
# CMakeLists.txt on the Windows presets.
target_sources(classlib PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ItemStrings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ListItems.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StdCtrls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StdLists.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PanelCtrls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ComCtrls.cpp
)

set(_st ${CMAKE_CURRENT_LIST_DIR}/tests)
korvalis_test(stdctrls_items_test SOURCES ${_st}/stdctrls_items_test.cpp LIBS classlib)
# Real mouse and keyboard input and screenshots, for every window test that
# drives its windows as a person would.
add_library(classlib_test_input STATIC ${_st}/controls_test_input.cpp)
target_link_libraries(classlib_test_input PUBLIC user32 gdi32)
korvalis_test(stdctrls_window_test
  SOURCES ${_st}/stdctrls_window_test.cpp ${_st}/controls_test_window.form.cpp
          ${_st}/controls_test_window.h
  LIBS classlib classlib_test_input TIMEOUT 180)
# Real mouse and keyboard input goes to whichever window of the Wine prefix is
# in front: the test must not share the prefix's desktop with other tests.
set_tests_properties(stdctrls_window_test PROPERTIES RUN_SERIAL ON)

# Filling the lists with their windows on screen (run by hand under Wine).
add_executable(stdctrls_bench ${CMAKE_CURRENT_LIST_DIR}/bench/stdctrls_bench.cpp)
target_link_libraries(stdctrls_bench PRIVATE classlib)
