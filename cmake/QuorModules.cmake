# quor_core_library(NAME SOURCES ... [DEPS ...])
#   A static core library for one folder. Core libraries never link Qt.
function(quor_core_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
    set_target_properties(${name} PROPERTIES AUTOMOC OFF)
endfunction()

# quor_test(NAME SOURCES ... [DEPS ...])
#   A GoogleTest program; each test case becomes one CTest test.
function(quor_test name)
    if(NOT QUOR_BUILD_TESTS)
        return()
    endif()
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} quor_testing GTest::gtest GTest::gmock GTest::gtest_main)
    set_target_properties(${name} PROPERTIES AUTOMOC OFF)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
        PROPERTIES ENVIRONMENT "QUOR_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endfunction()
