# Window tests: real windows under Wine on the virtual display.
korvalis_test(classlib_graphics_test SOURCES graphics_test.cpp LIBS classlib)
korvalis_test(classlib_forms_test SOURCES forms_test.cpp test_form.cpp LIBS classlib classlib_test_support TIMEOUT 120 SERIAL)
korvalis_test(classlib_shell_test SOURCES shell_test.cpp classlib_test.rc LIBS classlib TIMEOUT 120 SERIAL)
# Window tests with a file each: win/<stem>_test.cpp.
korvalis_glob_tests(classlib ${CMAKE_CURRENT_SOURCE_DIR}/win LIBS classlib classlib_test_input)
