# One call per library, test or fuzzer, so every target gets the same flags.

set(QUENDRA_WARNINGS -Wall -Wextra)
if(QUENDRA_WERROR)
  list(APPEND QUENDRA_WARNINGS -Werror)
endif()

if(QUENDRA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

if(QUENDRA_FUZZ)
  add_custom_target(fuzzers)
  # Coverage instrumentation for the code under test; the fuzzers add the driver.
  add_compile_options(-fsanitize=fuzzer-no-link,address)
  add_link_options(-fsanitize=address)
endif()

# quendra_add_library(name [SHARED] SOURCES ... [PUBLIC libs...] [PRIVATE libs...])
function(quendra_add_library name)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "SHARED" "" "SOURCES;PUBLIC;PRIVATE")
  if(ARG_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "quendra_add_library(${name}): unknown arguments ${ARG_UNPARSED_ARGUMENTS}")
  endif()
  if(ARG_SHARED)
    add_library(${name} SHARED ${ARG_SOURCES})
    set_target_properties(${name} PROPERTIES CXX_VISIBILITY_PRESET hidden
                                             VISIBILITY_INLINES_HIDDEN ON)
  else()
    add_library(${name} STATIC ${ARG_SOURCES})
  endif()
  add_library(Quendra::${name} ALIAS ${name})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${QUENDRA_WARNINGS})
  target_link_libraries(${name} PUBLIC ${ARG_PUBLIC} PRIVATE ${ARG_PRIVATE})
endfunction()

# quendra_add_test(name APP core|gui|widgets|none SOURCES ... LIBS ...)
# APP chooses the Qt application object the test main creates (offscreen platform).
function(quendra_add_test name)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "APP" "SOURCES;LIBS")
  if(ARG_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "quendra_add_test(${name}): unknown arguments ${ARG_UNPARSED_ARGUMENTS}")
  endif()
  if(NOT ARG_APP)
    set(ARG_APP core)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE ${QUENDRA_WARNINGS})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} quendra_test_main_${ARG_APP}
                                        GTest::gtest GTest::gmock)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# quendra_add_fuzzer(name SOURCES ... LIBS ...): built only in the fuzzing build.
function(quendra_add_fuzzer name)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "" "SOURCES;LIBS")
  if(NOT QUENDRA_FUZZ)
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE ${QUENDRA_WARNINGS} -fsanitize=fuzzer,address)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  add_dependencies(fuzzers ${name})
endfunction()

# quendra_add_benchmark(name SOURCES ... LIBS ...): built, never run as a test.
function(quendra_add_benchmark name)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "" "SOURCES;LIBS")
  if(NOT QUENDRA_BENCH)
    return()
  endif()
  find_package(benchmark REQUIRED)
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE ${QUENDRA_WARNINGS})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark)
endfunction()
