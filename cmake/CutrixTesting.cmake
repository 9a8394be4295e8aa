# cutrix_add_test(<name> SOURCES <files...> LIBRARIES <targets...>)
# Builds one GoogleTest executable and registers each of its tests with CTest. Every test runs with
# a fresh program folder ($CUTRIX_HOME), made by the shared test main, and without a display.
function(cutrix_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} CutrixTestMain)
    gtest_discover_tests(${name}
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
        DISCOVERY_TIMEOUT 60)
endfunction()

# cutrix_add_fuzz_replay(<name> TARGET <fuzz target source> CORPUS <folder> LIBRARIES <targets...>)
# A fuzz target is a file defining LLVMFuzzerTestOneInput, which returns 0 and never crashes, hangs or
# leaks on any input. This runs its corpus, and a fixed batch of mutations of it, as ordinary tests.
# In a fuzzing build (CUTRIX_FUZZ, clang) it also makes the libFuzzer program <name>Fuzzer, which
# scripts/fuzz.sh runs.
function(cutrix_add_fuzz_replay name)
    cmake_parse_arguments(ARG "" "TARGET;CORPUS" "LIBRARIES" ${ARGN})
    add_executable(${name} ${PROJECT_SOURCE_DIR}/platform/testing/FuzzReplayTest.cpp ${ARG_TARGET})
    target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} CutrixTestMain)
    target_compile_definitions(${name} PRIVATE CUTRIX_FUZZ_CORPUS="${ARG_CORPUS}")
    gtest_discover_tests(${name} TEST_PREFIX "${name}." DISCOVERY_TIMEOUT 60)

    if(CUTRIX_FUZZ)
        add_executable(${name}Fuzzer ${ARG_TARGET})
        target_link_libraries(${name}Fuzzer PRIVATE ${ARG_LIBRARIES})
        target_link_options(${name}Fuzzer PRIVATE -fsanitize=fuzzer)
        set_property(GLOBAL APPEND PROPERTY CUTRIX_FUZZERS "${name}Fuzzer ${ARG_CORPUS}")
    endif()
endfunction()
