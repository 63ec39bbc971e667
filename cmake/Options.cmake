# Compiler flags shared by every target of the project.
add_compile_options(-Wall -Wextra)
if(QUORREL_WERROR)
  add_compile_options(-Werror)
endif()

if(QUORREL_SANITIZE)
  add_compile_options(-fsanitize=${QUORREL_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${QUORREL_SANITIZE})
endif()

if(QUORREL_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "QUORREL_FUZZ needs clang (CXX=clang++-14)")
  endif()
  # Libraries get coverage instrumentation; only fuzz targets link the fuzzer driver.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# quorrel_test(NAME sources... LIBS libs... [LABELS labels...])
# One gtest executable per subject; LABELS threaded puts it in the ThreadSanitizer run
# (one label per executable).
function(quorrel_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main GTest::gmock Threads::Threads)
  target_compile_definitions(${name} PRIVATE
      QUORREL_CAPTURES_DIR="${CMAKE_SOURCE_DIR}/../shared/data/captures"
      QUORREL_TEST_DATA_DIR="${CMAKE_SOURCE_DIR}/tests/data"
      QUORREL_BINARY_DIR="${CMAKE_BINARY_DIR}")
  set(label unit)
  if(T_LABELS)
    list(GET T_LABELS 0 label)
  endif()
  gtest_discover_tests(${name}
      DISCOVERY_TIMEOUT 60
      PROPERTIES LABELS ${label}
                 ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# quorrel_fuzz(NAME source LIBS libs...): a libFuzzer target plus a bounded ctest run
# over a scratch copy of its checked-in corpus.
function(quorrel_fuzz name source)
  cmake_parse_arguments(F "" "" "LIBS" ${ARGN})
  add_executable(${name} ${source})
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  set(corpus ${CMAKE_SOURCE_DIR}/fuzz/corpus/${name})
  set(scratch ${CMAKE_BINARY_DIR}/fuzz-scratch/${name})
  add_test(NAME ${name}
      COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=1
              ${CMAKE_SOURCE_DIR}/fuzz/run-target.sh $<TARGET_FILE:${name}> ${corpus} ${scratch} 20)
  set_tests_properties(${name} PROPERTIES LABELS fuzz TIMEOUT 300)
endfunction()
