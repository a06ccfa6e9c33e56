cmake_minimum_required(VERSION 3.25)
# --help, --version and an unknown option of both programs, run as a shell would run them
# with no display at all: the answers come before any window exists.
#   cmake -DRADEXA=<radexa> -DCLI=<radexa-cli> -DVERSION=<x.y.z> -P options.cmake

set(failures 0)
macro(fail what)
    message(SEND_ERROR "${what}")
    math(EXPR failures "${failures} + 1")
endmacro()

# run(<program> <args>...): sets rc, out, err.
macro(run program)
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
                --unset=QT_QPA_PLATFORM --unset=XDG_SESSION_TYPE ${program} ${ARGN}
        OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
endmacro()

foreach(program IN ITEMS "${RADEXA}" "${CLI}")
    get_filename_component(name "${program}" NAME)

    run("${program}" --help)
    if(NOT rc EQUAL 0 OR NOT err STREQUAL "" OR NOT out MATCHES "^Usage: ${name} .*--version")
        fail("${name} --help: status ${rc}, stdout '${out}', stderr '${err}'")
    endif()

    run("${program}" --version)
    if(NOT rc EQUAL 0 OR NOT err STREQUAL "" OR NOT out STREQUAL "${name} ${VERSION}\n")
        fail("${name} --version: status ${rc}, stdout '${out}', stderr '${err}'")
    endif()

    foreach(bad IN ITEMS --no-such-option --HELP)
        run("${program}" ${bad})
        if(NOT rc EQUAL 2 OR NOT out STREQUAL "" OR NOT err MATCHES "unknown option '${bad}'")
            fail("${name} ${bad}: status ${rc}, stdout '${out}', stderr '${err}'")
        endif()
    endforeach()
endforeach()

if(failures GREATER 0)
    message(FATAL_ERROR "${failures} check(s) failed")
endif()
