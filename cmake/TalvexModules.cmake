# talvex_core_module(NAME DEPS ...): every .cpp below src/NAME, except those in qt/ folders,
# becomes the static library talvex_NAME. A module without sources yet is an interface library.
function(talvex_core_module name)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${name}/*.cpp)
    list(FILTER sources EXCLUDE REGEX "/qt/")
    if(sources)
        add_library(talvex_${name} STATIC ${sources})
        target_include_directories(talvex_${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
        target_link_libraries(talvex_${name} PUBLIC ${ARG_DEPS})
    else()
        add_library(talvex_${name} INTERFACE)
        target_include_directories(talvex_${name} INTERFACE ${CMAKE_SOURCE_DIR}/src)
        target_link_libraries(talvex_${name} INTERFACE ${ARG_DEPS})
    endif()
endfunction()

# talvex_add_tests(FOLDER LIBS ...): tests/FOLDER/*.cpp become one GoogleTest executable;
# tests/FOLDER/qt/*.cpp a second one linked with the Qt library and run offscreen.
function(talvex_add_tests folder)
    cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
    set(env "QT_QPA_PLATFORM=offscreen"
        "ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1"
        "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0"
        "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
        "TALVEX_SOURCE_DIR=${CMAKE_SOURCE_DIR}"
        "TALVEX_BINARY_DIR=${CMAKE_BINARY_DIR}")
    # gtest_discover_tests hands PROPERTIES through several list expansions before
    # set_tests_properties sees them, each one stripping a level of escaping: the separators of
    # this one ENVIRONMENT value need seven backslashes to arrive as a list. Without them only
    # the first variable reaches the tests.
    string(REPEAT "\\" 7 backslashes)
    string(REPLACE ";" "${backslashes};" env "${env}")
    file(GLOB plain CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
    if(plain)
        add_executable(talvex_${folder}_tests ${plain})
        target_link_libraries(talvex_${folder}_tests PRIVATE ${ARG_LIBS} GTest::gmock
                              GTest::gtest_main)
        target_include_directories(talvex_${folder}_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
        gtest_discover_tests(talvex_${folder}_tests DISCOVERY_MODE PRE_TEST
                             PROPERTIES ENVIRONMENT "${env}")
    endif()
    file(GLOB withqt CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/qt/*.cpp)
    if(withqt AND TARGET talvex_gui)
        add_executable(talvex_${folder}_qt_tests ${withqt})
        target_link_libraries(talvex_${folder}_qt_tests PRIVATE talvex_gui ${ARG_LIBS}
                              GTest::gmock GTest::gtest_main)
        target_include_directories(talvex_${folder}_qt_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
        set_target_properties(talvex_${folder}_qt_tests PROPERTIES AUTOMOC ON)
        gtest_discover_tests(talvex_${folder}_qt_tests DISCOVERY_MODE PRE_TEST
                             PROPERTIES ENVIRONMENT "${env}")
    endif()
endfunction()
