# The translation check on small trees: a complete file passes, and each kind of gap fails it.
set(tree ${WORK_DIR}/src)
file(REMOVE_RECURSE ${WORK_DIR})
file(WRITE ${tree}/a.cpp "#define TALVEX_TEXT(t) t\nconst char* a = TALVEX_TEXT(\"保存\");\n"
                         "const char* b = TALVEX_TEXT(\"取消；\");\n")

function(entry id translation)
    set(entry "    <message id=\"${id}\">\n        <source></source>\n        ${translation}\n"
              "    </message>\n" PARENT_SCOPE)
endfunction()
function(run_case name expect_pass)
    set(ts ${WORK_DIR}/${name}.ts)
    file(WRITE ${ts} "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n"
                     "<TS version=\"2.1\" language=\"en_US\">\n<context>\n    <name></name>\n"
                     ${ARGN} "</context>\n</TS>\n")
    execute_process(COMMAND ${CMAKE_COMMAND} -DLUPDATE=${LUPDATE} -DSOURCE_DIR=${tree}
                            -DTS_FILE=${ts} -DWORK_DIR=${WORK_DIR}/${name}
                            -P ${CMAKE_CURRENT_LIST_DIR}/check_translations.cmake
                    RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE err)
    if(expect_pass AND NOT status EQUAL 0)
        message(FATAL_ERROR "${name}: refused a complete file:\n${err}")
    elseif(NOT expect_pass AND status EQUAL 0)
        message(FATAL_ERROR "${name}: passed a file with a gap")
    endif()
endfunction()

set(done_save "    <message id=\"保存\">\n        <source></source>\n"
              "        <translation>Save</translation>\n    </message>\n")
set(done_cancel "    <message id=\"取消；\">\n        <source></source>\n"
                "        <translation>Cancel;</translation>\n    </message>\n")
set(gone "    <message id=\"丢弃\">\n        <source></source>\n"
         "        <translation type=\"vanished\">Gone</translation>\n    </message>\n")
run_case(complete TRUE "${done_save}" "${done_cancel}" "${gone}")
run_case(missing FALSE "${done_save}")
run_case(unfinished FALSE "${done_save}"
         "    <message id=\"取消；\">\n        <source></source>\n"
         "        <translation type=\"unfinished\"></translation>\n    </message>\n")
run_case(empty FALSE "${done_save}"
         "    <message id=\"取消；\">\n        <source></source>\n"
         "        <translation></translation>\n    </message>\n")
run_case(vanished_but_used FALSE "${done_save}"
         "    <message id=\"取消；\">\n        <source></source>\n"
         "        <translation type=\"vanished\">Cancel</translation>\n    </message>\n")
