# cmake -DSOURCE_DIR=... -DFIND_MAY_INCLUDE=a,b,... -P check_includes.cmake
#
# Fails, naming each file and include, when a source includes against the
# direction of dependencies (QuorLayering.cmake gives the rules):
#   common/, platform/  include nothing of quorvane/ or quorfind/
#   quorvane/           includes nothing of quorfind/, tests apart
#   quorfind/           includes of quorvane/ only FIND_MAY_INCLUDE (a
#                       header, or every header of a folder ending in "/"),
#                       tests apart

string(REPLACE "," ";" find_may_include "${FIND_MAY_INCLUDE}")

# True when path (relative to the source tree) is a test or a test helper.
function(is_test_file path out)
    if(path MATCHES "(^|/)tests?/|(^|/)testing/|_test|test_|fixture")
        set(${out} ON PARENT_SCOPE)
    else()
        set(${out} OFF PARENT_SCOPE)
    endif()
endfunction()

# True when quorfind/ may include header (a path below the source tree).
function(find_may_include header out)
    set(${out} OFF PARENT_SCOPE)
    foreach(allowed IN LISTS find_may_include)
        string(FIND "${header}" "${allowed}" at)
        if((allowed MATCHES "/$" AND at EQUAL 0) OR header STREQUAL allowed)
            set(${out} ON PARENT_SCOPE)
        endif()
    endforeach()
endfunction()

# Why file may not include header, or "" when it may.
function(include_fault file header out)
    set(fault "")
    string(REGEX REPLACE "/.*" "" from "${file}")
    string(REGEX REPLACE "/.*" "" to "${header}")
    is_test_file("${file}" test)
    if(from MATCHES "^(common|platform)$")
        set(fault "common/ and platform/ include nothing of quorvane/ or quorfind/")
    elseif(NOT test)
        if(from STREQUAL "quorvane" AND to STREQUAL "quorfind")
            set(fault "quorvane/ includes nothing of quorfind/")
        elseif(from STREQUAL "quorfind" AND to STREQUAL "quorvane")
            find_may_include("${header}" allowed)
            if(NOT allowed)
                set(fault "quorfind/ includes of quorvane/ only the headers of the shared targets")
            endif()
        endif()
    endif()
    set(${out} "${fault}" PARENT_SCOPE)
endfunction()

set(faults)
file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR}
    ${SOURCE_DIR}/common/*.h ${SOURCE_DIR}/common/*.cpp
    ${SOURCE_DIR}/platform/*.h ${SOURCE_DIR}/platform/*.cpp
    ${SOURCE_DIR}/quorvane/*.h ${SOURCE_DIR}/quorvane/*.cpp
    ${SOURCE_DIR}/quorfind/*.h ${SOURCE_DIR}/quorfind/*.cpp)
foreach(file IN LISTS sources)
    file(STRINGS ${SOURCE_DIR}/${file} includes
        REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<](quorvane|quorfind)/")
    foreach(line IN LISTS includes)
        string(REGEX REPLACE "^[^\"<]*[\"<]([^\">]*)[\">].*$" "\\1" header "${line}")
        include_fault("${file}" "${header}" fault)
        if(fault)
            list(APPEND faults "  ${file} includes ${header}: ${fault}")
        endif()
    endforeach()
endforeach()

if(faults)
    list(JOIN faults "\n" text)
    message(FATAL_ERROR "Includes against the direction of dependencies:\n${text}")
endif()
