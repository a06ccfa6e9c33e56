cmake_minimum_required(VERSION 3.25)
# The desktop program under a file-size limit of 0 (ulimit -f 0): writing the settings
# file at closing fails, and the program still ends normally and leaves no temporary file.
#   cmake -DRADEXA=<radexa> -DDATA=<folder with Antennas.txt> -DWORK=<scratch folder> -P file_size_limit.cmake

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/config")
# The program keeps its settings beside itself: a copy of it in the scratch folder.
file(COPY "${RADEXA}" DESTINATION "${WORK}")
file(COPY "${DATA}/Antennas.txt" DESTINATION "${WORK}")
set(settings "[Fensterpositionen]\r\nLeft=250\r\nTop=80\r\n[Other]\r\nKept=yes\r\n")
file(WRITE "${WORK}/Radexa.ini" "${settings}")
file(SHA256 "${WORK}/Radexa.ini" before)

execute_process(
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=${WORK}/config
            /bin/sh -c "ulimit -f 0 && exec ./radexa --no-splash --quit-after-start"
    WORKING_DIRECTORY "${WORK}"
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 120)

set(failures 0)
if(NOT rc STREQUAL "0")
    message(SEND_ERROR "radexa under ulimit -f 0 ended with '${rc}'\nstdout: ${out}\nstderr: ${err}")
    math(EXPR failures "${failures} + 1")
endif()
file(GLOB_RECURSE left LIST_DIRECTORIES false RELATIVE "${WORK}" "${WORK}/*tmp*")
if(left)
    message(SEND_ERROR "temporary files left behind: ${left}")
    math(EXPR failures "${failures} + 1")
endif()
file(SHA256 "${WORK}/Radexa.ini" after)
if(NOT after STREQUAL before)
    message(SEND_ERROR "the settings file changed")
    math(EXPR failures "${failures} + 1")
endif()
if(failures GREATER 0)
    message(FATAL_ERROR "${failures} check(s) failed")
endif()
file(REMOVE_RECURSE "${WORK}")
