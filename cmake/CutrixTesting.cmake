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
