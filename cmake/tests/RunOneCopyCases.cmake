# Configures the project in doubled-library/ once per case and checks that the one-copy check refuses
# exactly the doubled cases, naming the library and both units. Run with -DWORK_DIR=<scratch folder>.
set(project ${CMAKE_CURRENT_LIST_DIR}/doubled-library)
set(unit_pair "(Holder and Program|Program and Holder)")

# Each case: name, then "pass" or the text the refusal must contain (a regular expression).
set(cases
    "shared-private-and-program|static library Doubled lands in two loaded units: ${unit_pair}"
    "shared-public|static library Doubled lands in two loaded units: ${unit_pair}"
    "two-shared-in-one-program|static library Doubled lands in two loaded units: (First and Second|Second and First)"
    "two-shared-loaded-through-each-other|static library Doubled lands in two loaded units: (Inner and Outer|Outer and Inner)"
    "through-a-static-private-link|static library Doubled lands in two loaded units: ${unit_pair}"
    "own-visible-copy|static library Doubled lands in two loaded units: (Holder and PartsTests|PartsTests and Holder)"
    "two-programs|pass"
    "shared-library-and-unrelated-program|pass"
    "own-hidden-copy|pass")

set(failures "")
foreach(entry IN LISTS cases)
    string(REPLACE "|" ";" fields "${entry}")
    list(POP_FRONT fields case)
    list(JOIN fields "|" expected)
    set(build ${WORK_DIR}/${case})
    file(REMOVE_RECURSE ${build})
    execute_process(
        COMMAND ${CMAKE_COMMAND} -S ${project} -B ${build} -G Ninja -DCUTRIX_CASE=${case}
        RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
    string(REGEX REPLACE "[ \t\r\n]+" " " errors "${errors}")
    if(expected STREQUAL "pass")
        if(NOT result EQUAL 0)
            string(APPEND failures "\n${case}: refused, but must pass:\n${errors}")
        endif()
    elseif(result EQUAL 0)
        string(APPEND failures "\n${case}: passed, but must be refused")
    elseif(NOT errors MATCHES "${expected}")
        string(APPEND failures "\n${case}: refused without naming the library and both units:\n${errors}")
    endif()
endforeach()

if(failures)
    message(FATAL_ERROR "The one-copy check misjudged:${failures}")
endif()
