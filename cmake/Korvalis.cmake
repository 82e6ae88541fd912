# Project-wide compiler settings, the outside libraries, and the test helper.

# Narrow text inside the programs is Windows-1251, so narrow literals are
# compiled to it on every target; u8"" literals stay UTF-8. clang (used only
# for the fuzzing tree) accepts no charset but UTF-8, so it goes without.
add_compile_options(-Wall -Wextra -Wno-unused-parameter)
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  add_compile_options(-fexec-charset=CP1251)
endif()

if(WIN32)
  add_compile_definitions(UNICODE _UNICODE _WIN32_WINNT=0x0601 WINVER=0x0601 NOMINMAX)
  # The shipped folder needs no runtime DLL of the compiler.
  add_link_options(-static -static-libgcc -static-libstdc++ $<$<CONFIG:Release>:-s>)
  set(KORVALIS_WINE_RUN ${CMAKE_BINARY_DIR}/wine-run)
  file(WRITE ${KORVALIS_WINE_RUN}
    "#!/bin/sh\nexec '${CMAKE_SOURCE_DIR}/scripts/wine-run' --prefix '${CMAKE_BINARY_DIR}/wineprefix' \"$@\"\n")
  file(CHMOD ${KORVALIS_WINE_RUN} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${KORVALIS_WINE_RUN})
endif()

set(KORVALIS_SANITIZE "" CACHE STRING "Sanitizers for the native build (address;undefined or thread)")
if(KORVALIS_SANITIZE)
  list(JOIN KORVALIS_SANITIZE "," _san)
  add_compile_options(-fsanitize=${_san} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${_san})
endif()

# --- Outside libraries -------------------------------------------------------
# Natively they come from Debian's -dev packages; for Windows scripts/setup
# builds static libraries into the dependency cache (see the toolchain files).
function(_korvalis_find_dep target header lib)
  if(TARGET ${target})
    return()
  endif()
  find_path(_inc_${lib} ${header})
  if(WIN32)
    find_library(_lib_${lib} NAMES lib${lib}.a ${lib})
  else()
    find_library(_lib_${lib} NAMES ${lib})
  endif()
  if(NOT _inc_${lib} OR NOT _lib_${lib})
    message(FATAL_ERROR "${lib} (${header}) not found: run scripts/setup first")
  endif()
  add_library(${target} UNKNOWN IMPORTED GLOBAL)
  set_target_properties(${target} PROPERTIES
    IMPORTED_LOCATION ${_lib_${lib}}
    INTERFACE_INCLUDE_DIRECTORIES ${_inc_${lib}})
endfunction()

# korvalis_link_deps(<target> <PRIVATE|PUBLIC> mpg123 mp3lame png jpeg zlib ...)
function(korvalis_link_deps target scope)
  foreach(dep ${ARGN})
    if(dep STREQUAL "zlib")
      _korvalis_find_dep(dep::zlib zlib.h z)
    elseif(dep STREQUAL "png")
      _korvalis_find_dep(dep::zlib zlib.h z)
      _korvalis_find_dep(dep::png png.h png16)
      set_property(TARGET dep::png APPEND PROPERTY INTERFACE_LINK_LIBRARIES dep::zlib)
    elseif(dep STREQUAL "jpeg")
      _korvalis_find_dep(dep::jpeg jpeglib.h jpeg)
    elseif(dep STREQUAL "mpg123")
      _korvalis_find_dep(dep::mpg123 mpg123.h mpg123)
      if(WIN32)
        set_property(TARGET dep::mpg123 APPEND PROPERTY INTERFACE_LINK_LIBRARIES shlwapi)
      endif()
    elseif(dep STREQUAL "mp3lame")
      _korvalis_find_dep(dep::mp3lame lame/lame.h mp3lame)
    else()
      message(FATAL_ERROR "unknown dependency ${dep}")
    endif()
    target_link_libraries(${target} ${scope} dep::${dep})
  endforeach()
endfunction()

# --- GoogleTest ---------------------------------------------------------------
# Natively Debian's build; for Windows compiled from Debian's source with MinGW.
if(WIN32)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  find_package(GTest CONFIG REQUIRED)
endif()

# korvalis_test(<name> SOURCES ... [LIBS ...] [TIMEOUT s] [LABELS ...] [SERIAL])
# One test program per group of related cases; on the Windows builds ctest
# runs it through the Wine runner.  SERIAL: the test drives the keyboard focus
# or the mouse, which all programs of one Wine prefix share, so it runs alone.
function(korvalis_test name)
  cmake_parse_arguments(T "SERIAL" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main GTest::gmock)
  # A test runs in the folder of its program, where the files it makes and
  # the libraries it loads beside itself belong.
  add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY $<TARGET_FILE_DIR:${name}>)
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set(labels ${T_LABELS})
  if(WIN32)
    list(APPEND labels wine)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT} LABELS "${labels}")
  if(T_SERIAL)
    set_tests_properties(${name} PROPERTIES RUN_SERIAL TRUE)
  endif()
endfunction()

# korvalis_glob_tests(<prefix> <folder> LIBS ...)
# One test program per "<stem>_test.cpp" in <folder>, named <prefix>_<stem>_test.
# A file named "*_threads_test.cpp" is a concurrency test (label "threads", run
# under ThreadSanitizer too); "*_serial_test.cpp" drives the mouse or focus and
# runs alone.
function(korvalis_glob_tests prefix folder)
  cmake_parse_arguments(G "" "" "LIBS" ${ARGN})
  file(GLOB _tests CONFIGURE_DEPENDS ${folder}/*_test.cpp)
  foreach(src ${_tests})
    get_filename_component(stem ${src} NAME_WE)
    set(extra)
    if(stem MATCHES "_threads_test$")
      list(APPEND extra LABELS threads)
    endif()
    if(stem MATCHES "_serial_test$")
      list(APPEND extra SERIAL)
    endif()
    korvalis_test(${prefix}_${stem} SOURCES ${src} LIBS ${G_LIBS} ${extra})
  endforeach()
endfunction()
