# One call per library, test or fuzzer, so every target gets the same flags.

set(QUENDRA_WARNINGS -Wall -Wextra)
if(QUENDRA_WERROR)
  list(APPEND QUENDRA_WARNINGS -Werror)
endif()

if(QUENDRA_SANITIZE)
  # The library's own range checks too: an index past a std::array or vector aborts.
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined -D_GLIBCXX_ASSERTIONS)
  add_link_options(-fsanitize=address,undefined)
endif()

if(QUENDRA_FUZZ)
  add_custom_target(fuzzers)
  # Coverage instrumentation for the code under test; the fuzzers add the driver.
  add_compile_options(-fsanitize=fuzzer-no-link,address)
  add_link_options(-fsanitize=address)
endif()

# Each target sees only the folders it publishes and those of the targets it links:
# quendra_publish(target PUBLIC|PRIVATE path...) links each repository path (a folder
# or a file) under the build tree's include/<target>/, keeping the path, and adds that
# folder to the target's include path. A header of a layer the target does not link
# is then not found, and scripts/check_layers catches what the links still allow.
function(quendra_publish target scope)
  set(root ${CMAKE_BINARY_DIR}/include/${target})
  foreach(path ${ARGN})
    get_filename_component(parent ${root}/${path} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(REMOVE ${root}/${path})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${path} ${root}/${path} SYMBOLIC)
  endforeach()
  target_include_directories(${target} ${scope} ${root})
endfunction()

# The repository path of the folder being configured.
function(quendra_current_folder out)
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  set(${out} ${folder} PARENT_SCOPE)
endfunction()

# quendra_add_library(name [SHARED] SOURCES ... [PUBLIC libs...] [PRIVATE libs...]
#                     [PUBLISH paths...])
# The library publishes the folder it is declared in, or the paths PUBLISH names.
function(quendra_add_library name)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "SHARED" "" "SOURCES;PUBLIC;PRIVATE;PUBLISH")
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
  if(NOT ARG_PUBLISH)
    quendra_current_folder(ARG_PUBLISH)
  endif()
  quendra_publish(${name} PUBLIC ${ARG_PUBLISH})
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
  quendra_current_folder(folder)
  quendra_publish(${name} PRIVATE ${folder})
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
  quendra_current_folder(folder)
  quendra_publish(${name} PRIVATE ${folder})
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
  quendra_current_folder(folder)
  quendra_publish(${name} PRIVATE ${folder})
  target_compile_options(${name} PRIVATE ${QUENDRA_WARNINGS})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark)
endfunction()
