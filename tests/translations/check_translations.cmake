# Fails unless TS_FILE translates every text marked TALVEX_TEXT under SOURCE_DIR: a text with no
# entry, an entry still unfinished or empty, and an entry set aside as vanished or obsolete
# while the code still uses it all count. Run as
#   cmake -DLUPDATE=... -DSOURCE_DIR=... -DTS_FILE=... -DWORK_DIR=... -P check_translations.cmake
foreach(var LUPDATE SOURCE_DIR TS_FILE WORK_DIR)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "${var} is not set")
    endif()
endforeach()

# What the sources mark now: lupdate into a scratch file, so the file under test stays as it is.
file(MAKE_DIRECTORY ${WORK_DIR})
set(fresh ${WORK_DIR}/fresh.ts)
file(REMOVE ${fresh})
execute_process(COMMAND ${LUPDATE} -tr-function-alias QT_TRID_NOOP+=TALVEX_TEXT -locations none
                        -extensions cpp,h ${SOURCE_DIR} -ts ${fresh}
                RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
if(NOT status EQUAL 0 OR NOT EXISTS ${fresh})
    message(FATAL_ERROR "lupdate failed (${status})")
endif()

# Semicolons are CMake's list separator; they stand aside while messages become list items.
function(read_messages path out)
    file(READ ${path} text)
    string(REPLACE ";" "<semicolon>" text "${text}")
    string(REPLACE "<message" ";<message" text "${text}")
    list(POP_FRONT text)
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

function(message_id message out)
    string(REGEX MATCH "^<message id=\"([^\"]*)\"" _ "${message}")
    set(${out} "${CMAKE_MATCH_1}" PARENT_SCOPE)
endfunction()

read_messages(${fresh} fresh_messages)
set(used "")
foreach(m IN LISTS fresh_messages)
    message_id("${m}" id)
    list(APPEND used "${id}")
endforeach()

read_messages(${TS_FILE} messages)
set(problems "")
set(translated "")
foreach(m IN LISTS messages)
    message_id("${m}" id)
    list(FIND used "${id}" index)
    if(index EQUAL -1)
        continue() # an entry the code no longer uses harms nothing
    endif()
    if(m MATCHES "type=\"(vanished|obsolete)\"")
        list(APPEND problems "vanished but still used: ${id}")
    elseif(m MATCHES "type=\"unfinished\"" OR m MATCHES "<translation>[ \n]*</translation>"
           OR NOT m MATCHES "<translation")
        list(APPEND problems "unfinished: ${id}")
    else()
        list(APPEND translated "${id}")
    endif()
endforeach()
foreach(id IN LISTS used)
    list(FIND translated "${id}" index)
    list(FIND problems "unfinished: ${id}" unfinished)
    list(FIND problems "vanished but still used: ${id}" vanished)
    if(index EQUAL -1 AND unfinished EQUAL -1 AND vanished EQUAL -1)
        list(APPEND problems "missing: ${id}")
    endif()
endforeach()

if(problems)
    list(JOIN problems "\n  " shown)
    string(REPLACE "<semicolon>" ";" shown "${shown}")
    message(FATAL_ERROR "${TS_FILE} is not complete (scripts/update-translations.sh, then "
                        "translate):\n  ${shown}")
endif()
list(LENGTH used count)
message(STATUS "${count} texts, each translated")
