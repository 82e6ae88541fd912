# The fuzzing tree (configure with clang and -DKORVALIS_FUZZ=ON): only the
# libFuzzer targets of the parsers that read network input or files, built
# without the project's flags. Each runs for a bounded time as a ctest test
# labelled "fuzz".

set(KORVALIS_FUZZ_SECONDS 20 CACHE STRING "Run time of each fuzzer in the tests")

# korvalis_fuzz_library(<name> <sources>...): the parsers, instrumented.
function(korvalis_fuzz_library name)
  add_library(${name} STATIC ${ARGN})
  target_compile_options(${name} PUBLIC -fsanitize=fuzzer-no-link,address,undefined)
endfunction()

# korvalis_fuzz(<name> <driver.cpp> LIBS ... SEEDS <folder> [SECONDS <s>] [OPTIONS ...])
# One fuzzer over a fresh corpus in the build tree, started from the seeds,
# for SECONDS (KORVALIS_FUZZ_SECONDS when not given); OPTIONS are further
# libFuzzer flags.
function(korvalis_fuzz name driver)
  cmake_parse_arguments(F "" "SEEDS;SECONDS" "LIBS;OPTIONS" ${ARGN})
  if(NOT F_SECONDS)
    set(F_SECONDS ${KORVALIS_FUZZ_SECONDS})
  endif()
  add_executable(${name} ${driver})
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  set(corpus ${CMAKE_CURRENT_BINARY_DIR}/corpus_${name})
  file(MAKE_DIRECTORY ${corpus})
  add_test(NAME ${name}
           COMMAND ${name} -max_total_time=${F_SECONDS} -rss_limit_mb=1024 ${F_OPTIONS}
                   ${corpus} ${F_SEEDS})
  set_tests_properties(${name} PROPERTIES TIMEOUT 120 LABELS fuzz)
endfunction()
