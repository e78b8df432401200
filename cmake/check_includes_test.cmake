# cmake -DWORK_DIR=... -P check_includes_test.cmake
#
# Runs check_includes.cmake over a small tree with one include of each kind
# and fails unless it names exactly the wrong-way ones.

set(tree ${WORK_DIR}/layering_tree)
file(REMOVE_RECURSE ${tree})

# file: the include it holds; expected: ON when the check must name it.
set(cases
    "common/a.h|quorvane/store/settings_store.h|ON"
    "common/testing/b.cpp|quorfind/search/match.h|ON"
    "platform/c.cpp|quorfind/settings.h|ON"
    "quorvane/generate/d.cpp|quorfind/search/match.h|ON"
    "quorvane/e_test.cpp|quorfind/search/match.h|OFF"
    "quorfind/search/f.cpp|quorvane/generate/build_driver.h|ON"
    "quorfind/search/g.cpp|quorvane/generate/cache_format.h|OFF"
    "quorfind/ui/h.cpp|quorvane/store/places.h|OFF"
    "quorfind/actions/i_test.cpp|quorvane/generate/build_driver.h|OFF"
    "quorfind/search/j.h|quorvane/dupes/signature.h|ON")

foreach(case IN LISTS cases)
    string(REPLACE "|" ";" fields "${case}")
    list(GET fields 0 file)
    list(GET fields 1 header)
    file(WRITE ${tree}/${file} "#pragma once\n\n#include <string>\n  #  include \"${header}\"\n")
endforeach()

execute_process(
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${tree}
        "-DFIND_MAY_INCLUDE=quorvane/store/,quorvane/generate/cache_format.h"
        -P ${CMAKE_CURRENT_LIST_DIR}/check_includes.cmake
    RESULT_VARIABLE failed ERROR_VARIABLE report)
if(NOT failed)
    message(FATAL_ERROR "The check passed a tree with wrong-way includes.")
endif()

set(wrong)
foreach(case IN LISTS cases)
    string(REPLACE "|" ";" fields "${case}")
    list(GET fields 0 file)
    list(GET fields 1 header)
    list(GET fields 2 expected)
    string(FIND "${report}" "${file} includes ${header}:" at)
    if(expected AND at EQUAL -1)
        list(APPEND wrong "  not named: ${file} including ${header}")
    elseif(NOT expected AND NOT at EQUAL -1)
        list(APPEND wrong "  named, though allowed: ${file} including ${header}")
    endif()
endforeach()
file(REMOVE_RECURSE ${tree})
if(wrong)
    list(JOIN wrong "\n" text)
    message(FATAL_ERROR "The include check judged wrongly:\n${text}\nIts report:\n${report}")
endif()
