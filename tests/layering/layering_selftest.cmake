# Proves that check_layering.cmake catches what it is for: small trees with one wrong-way
# include each must be refused, their right-way twins accepted, and a copy of the real tree
# with one include turned the wrong way must be refused too.
#
#   cmake -DSOURCE_DIR=<repository> -DWORK_DIR=<scratch folder> -P layering_selftest.cmake
cmake_minimum_required(VERSION 3.25)

set(checker ${CMAKE_CURRENT_LIST_DIR}/check_layering.cmake)
file(REMOVE_RECURSE ${WORK_DIR})

function(check_tree tree expect_ok)
    execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${tree} -P ${checker}
                    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(expect_ok AND NOT result EQUAL 0)
        message(FATAL_ERROR "${tree} was refused although it follows the rules:\n${err}")
    elseif(NOT expect_ok AND result EQUAL 0)
        message(FATAL_ERROR "${tree} was accepted although it has a wrong-way include")
    endif()
endfunction()

# Three modules in a chain: low <- mid <- top, so top reaches low only through mid.
function(make_tree name file include)
    set(tree ${WORK_DIR}/${name})
    file(WRITE ${tree}/CMakeLists.txt "talvex_core_module(low DEPS Threads::Threads)\n"
                                      "talvex_core_module(mid DEPS talvex_low)\n"
                                      "talvex_core_module(top\n    DEPS talvex_mid)\n")
    file(WRITE ${tree}/src/low/low.h "#pragma once\n#include <vector>\n#include <queue>\n")
    file(WRITE ${tree}/src/low/qt/low_widget.h "#pragma once\n#include <QWidget>\n")
    file(WRITE ${tree}/src/${file} "#include \"low/low.h\"\n${include}\n")
endfunction()

function(expect_tree expect_ok name file include)
    make_tree(${name} ${file} "${include}")
    check_tree(${WORK_DIR}/${name} ${expect_ok})
endfunction()

expect_tree(TRUE down_direct mid/a.cpp "#include \"mid/b.h\"")
expect_tree(TRUE down_through top/a.cpp "#include \"low/low.h\"")
expect_tree(TRUE qt_in_qt top/qt/a.cpp "#include \"low/qt/low_widget.h\"\n#include <QDialog>")
expect_tree(TRUE main_any main/m.cpp "#include \"top/qt/t.h\"\n#include <QApplication>")

expect_tree(FALSE up mid/a.cpp "#include \"top/t.h\"")
expect_tree(FALSE up_from_qt low/qt/a.cpp "#include \"mid/qt/m.h\"")
expect_tree(FALSE indented_up low/a.h "  #  include \"mid/m.h\"")
expect_tree(FALSE qt_outside_qt top/a.cpp "#include <QString>")
expect_tree(FALSE qt_header_outside_qt top/a.cpp "#include \"low/qt/low_widget.h\"")
expect_tree(FALSE undeclared_module gadgets/a.cpp "")

# The real tree, once as it is and once with a module including one that depends on it.
set(copy ${WORK_DIR}/real)
file(COPY ${SOURCE_DIR}/CMakeLists.txt ${SOURCE_DIR}/src DESTINATION ${copy})
check_tree(${copy} TRUE)
file(APPEND ${copy}/src/keys/key_slot.h "#include \"macros/macro_record.h\"\n")
check_tree(${copy} FALSE)

file(REMOVE_RECURSE ${WORK_DIR})
