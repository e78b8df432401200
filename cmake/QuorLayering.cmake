# The direction of dependencies between the folders, checked when the build
# is configured (a wrong one stops it) and again by the test
# layering_includes:
#
#   common/, platform/  never reach quorvane/ or quorfind/
#   quorvane/           never reaches quorfind/
#   quorfind/           reaches of quorvane/ only the targets named SHARED
#                       (what both programs read: the settings store, the
#                       saved lists and the formats of the files)
#
# "Reach" is a link, direct or through other targets, and an #include.
# Test programs (executables with "test" in their name) and test files may
# reach across the two programs: they build a list with one and search it
# with the other. Nothing under common/ or platform/ may, tests included.
#
# The test layering_includes_check proves that the include check
# (check_includes.cmake) names what it should.

# Every target defined in dir and the folders below it.
function(_quor_targets_below dir out)
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    foreach(subdir IN LISTS subdirs)
        _quor_targets_below(${subdir} below)
        list(APPEND targets ${below})
    endforeach()
    set(${out} ${targets} PARENT_SCOPE)
endfunction()

# The folder of target relative to the source tree ("quorvane/store").
function(_quor_target_folder target out)
    get_target_property(dir ${target} SOURCE_DIR)
    file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${dir})
    set(${out} ${folder} PARENT_SCOPE)
endfunction()

# The targets of this project target links against, directly or through the
# targets it links (PRIVATE links included: a static library's private
# dependencies are linked into every program that uses it).
function(_quor_reached target out)
    set(reached)
    set(pending ${target})
    while(pending)
        list(POP_FRONT pending current)
        get_target_property(links ${current} LINK_LIBRARIES)
        if(NOT links)
            continue()
        endif()
        foreach(link IN LISTS links)
            string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" link "${link}")
            if(NOT TARGET "${link}" OR "${link}" IN_LIST reached)
                continue()
            endif()
            get_target_property(imported ${link} IMPORTED)
            if(imported)
                continue()
            endif()
            list(APPEND reached ${link})
            list(APPEND pending ${link})
        endforeach()
    endwhile()
    set(${out} ${reached} PARENT_SCOPE)
endfunction()

# The first folder of path ("quorvane" for "quorvane/store").
function(_quor_top_folder path out)
    string(REGEX REPLACE "/.*" "" top "${path}")
    set(${out} ${top} PARENT_SCOPE)
endfunction()

# Why from (in folder from_top) must not reach to, or "" when it may.
function(_quor_link_fault from_top from_is_test to shared out)
    _quor_target_folder(${to} to_folder)
    _quor_top_folder("${to_folder}" to_top)
    set(fault "")
    if(from_top MATCHES "^(common|platform)$" AND to_top MATCHES "^(quorvane|quorfind)$")
        set(fault "common/ and platform/ never link quorvane/ or quorfind/")
    elseif(NOT from_is_test)
        if(from_top STREQUAL "quorvane" AND to_top STREQUAL "quorfind")
            set(fault "quorvane/ never links quorfind/")
        elseif(from_top STREQUAL "quorfind" AND to_top STREQUAL "quorvane"
               AND NOT to IN_LIST shared)
            list(JOIN shared ", " names)
            set(fault "quorfind/ links of quorvane/ only ${names}")
        endif()
    endif()
    set(${out} "${fault}" PARENT_SCOPE)
endfunction()

# Fails the configuration when a target links against the direction.
function(_quor_check_links shared)
    _quor_targets_below(${PROJECT_SOURCE_DIR} targets)
    set(faults)
    foreach(target IN LISTS targets)
        _quor_target_folder(${target} folder)
        _quor_top_folder("${folder}" top)
        get_target_property(type ${target} TYPE)
        set(is_test OFF)
        if(type STREQUAL "EXECUTABLE" AND target MATCHES "test")
            set(is_test ON)
        endif()
        _quor_reached(${target} reached)
        foreach(to IN LISTS reached)
            _quor_link_fault("${top}" ${is_test} ${to} "${shared}" fault)
            if(fault)
                list(APPEND faults "  ${target} (${folder}) links ${to}: ${fault}")
            endif()
        endforeach()
    endforeach()
    if(faults)
        list(JOIN faults "\n" text)
        message(FATAL_ERROR "Links against the direction of dependencies:\n${text}")
    endif()
endfunction()

# What quorfind/ may include of quorvane/: the headers beside the sources of
# the shared targets, and every header of a folder whose libraries are all
# shared. Sets out to a list of paths; a folder ends with "/".
function(_quor_shared_headers shared out)
    set(allowed)
    foreach(target IN LISTS shared)
        _quor_target_folder(${target} folder)
        get_target_property(sources ${target} SOURCES)
        foreach(source IN LISTS sources)
            if(IS_ABSOLUTE "${source}")
                file(RELATIVE_PATH source ${PROJECT_SOURCE_DIR}/${folder} "${source}")
            endif()
            string(REGEX REPLACE "\\.cpp$" ".h" header "${source}")
            list(APPEND allowed "${folder}/${header}")
        endforeach()
        get_property(neighbours DIRECTORY ${PROJECT_SOURCE_DIR}/${folder}
            PROPERTY BUILDSYSTEM_TARGETS)
        set(whole_folder ON)
        foreach(neighbour IN LISTS neighbours)
            get_target_property(type ${neighbour} TYPE)
            if(type STREQUAL "STATIC_LIBRARY" AND NOT neighbour IN_LIST shared)
                set(whole_folder OFF)
            endif()
        endforeach()
        if(whole_folder)
            list(APPEND allowed "${folder}/")
        endif()
    endforeach()
    list(REMOVE_DUPLICATES allowed)
    set(${out} ${allowed} PARENT_SCOPE)
endfunction()

# quor_check_layering(SHARED target...)
#   Checks links and includes against the rules above (call it once every
#   target is defined); SHARED names the quorvane/ targets quorfind/ may use.
function(quor_check_layering)
    cmake_parse_arguments(ARG "" "" "SHARED" ${ARGN})
    _quor_check_links("${ARG_SHARED}")
    _quor_shared_headers("${ARG_SHARED}" allowed)
    list(JOIN allowed "," allowed_text)
    set(scripts ${CMAKE_CURRENT_FUNCTION_LIST_DIR})
    set(command ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
        "-DFIND_MAY_INCLUDE=${allowed_text}" -P ${scripts}/check_includes.cmake)
    execute_process(COMMAND ${command} RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "The includes above run against the direction of dependencies.")
    endif()
    if(QUOR_BUILD_TESTS)
        add_test(NAME layering_includes COMMAND ${command})
        add_test(NAME layering_includes_check
            COMMAND ${CMAKE_COMMAND} -DWORK_DIR=${CMAKE_CURRENT_BINARY_DIR}
                -P ${scripts}/check_includes_test.cmake)
    endif()
endfunction()
