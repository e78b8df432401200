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

# quor_qt_tests(PREFIX prefix SOURCES ... DEPS ...)
#   One QtTest program per source file, each file holding one test class and
#   ending with QUOR_QT_TEST_MAIN (common/qt/testing/test_main.h), and one
#   CTest test of the same name, PREFIX followed by the file's name, so that
#   `ctest -R` runs one class. What the tests share goes in a static library
#   among DEPS, compiled once.
function(quor_qt_tests)
    if(NOT QUOR_BUILD_TESTS)
        return()
    endif()
    cmake_parse_arguments(ARG "" "PREFIX" "SOURCES;DEPS" ${ARGN})
    foreach(source IN LISTS ARG_SOURCES)
        get_filename_component(stem ${source} NAME_WE)
        set(name ${ARG_PREFIX}${stem})
        add_executable(${name} ${source})
        target_link_libraries(${name} PRIVATE ${ARG_DEPS} quor_qt_testing Qt6::Test)
        set_target_properties(${name} PROPERTIES AUTOMOC ON)
        add_test(NAME ${name} COMMAND ${name})
        set_tests_properties(${name} PROPERTIES
            ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QUOR_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
    endforeach()
endfunction()
