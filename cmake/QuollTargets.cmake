# Helpers that give every target of the project the same language level,
# warnings and sanitizer flags.

function(quoll_set_options target)
  target_compile_features(${target} PUBLIC cxx_std_20)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  target_compile_definitions(${target} PRIVATE
    QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_URL_CAST_FROM_STRING
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)
  if(QUOLL_SANITIZE)
    # An undefined behaviour stops the program, so that a test or a fuzz
    # run fails on it instead of printing and going on.
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-sanitize-recover=undefined
      -fno-omit-frame-pointer)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
  if(QUOLL_FUZZ)
    # Coverage for libFuzzer in every library the fuzz targets reach.
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link)
  endif()
endfunction()

# quoll_add_library(<subsystem> SOURCES ... [LIBS ...])
# Adds the static library quoll_<subsystem>; its folder is the include root
# one level up, so headers are included as "<subsystem>/<file>.h".
function(quoll_add_library subsystem)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  set(target quoll_${subsystem})
  add_library(${target} STATIC ${ARG_SOURCES})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${target} PUBLIC ${ARG_LIBS})
  quoll_set_options(${target})
endfunction()

# quoll_add_test(<name> [OWN_MAIN] SOURCES ... LIBS ...)
# One Qt Test executable registered with CTest; it runs every test class in
# its sources (see tests/support/testregistry.h). Tests run without a display.
function(quoll_add_test name)
  cmake_parse_arguments(ARG "OWN_MAIN" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE quoll_testsupport ${ARG_LIBS} Qt6::Test)
  if(NOT ARG_OWN_MAIN)
    target_link_libraries(${name} PRIVATE quoll_testmain)
  endif()
  quoll_set_options(${name})
  add_test(NAME ${name} COMMAND ${name})
  # No debugger attached on a crash: CI wants the failure, not a stack dump.
  set(env "QT_QPA_PLATFORM=offscreen" "QTEST_DISABLE_STACK_DUMP=1")
  if(QUOLL_SANITIZE)
    list(APPEND env
      "ASAN_OPTIONS=detect_leaks=1"
      "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0")
  endif()
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 300)
endfunction()
