cmake_minimum_required(VERSION 3.25)
# Installs the build into a fresh folder and checks what a desktop user gets: every file in
# its place, the program found through the link in bin, valid desktop and AppStream files,
# and the launcher's per-user working folder, seeded once and never overwritten.
#   cmake -DBUILD=<build folder> -DSOURCE=<source folder> -DWORK=<scratch folder>
#         -DVERSION=<x.y.z> -P install_tree.cmake

set(failures 0)
macro(fail what)
    message(SEND_ERROR "${what}")
    math(EXPR failures "${failures} + 1")
endmacro()

file(REMOVE_RECURSE "${WORK}")
set(root "${WORK}/root")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD}" --prefix "${root}"
                OUTPUT_QUIET RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${err}")
endif()

set(id org.radexa.Radexa)
foreach(f bin/radexa-cli bin/radexa-launch lib/radexa/radexa share/radexa/Antennas.txt
          share/radexa/Radexa_Help.pdf share/applications/${id}.desktop
          share/metainfo/${id}.metainfo.xml share/icons/hicolor/scalable/apps/${id}.svg
          share/icons/hicolor/256x256/apps/${id}.png share/man/man1/radexa.1
          share/man/man1/radexa-cli.1 share/doc/radexa/README.md)
    if(NOT EXISTS "${root}/${f}" OR IS_DIRECTORY "${root}/${f}")
        fail("not installed: ${f}")
    endif()
endforeach()
file(GLOB shipped RELATIVE "${SOURCE}/data/ang" "${SOURCE}/data/ang/*.ang")
file(GLOB installed RELATIVE "${root}/lib/radexa/ang" "${root}/lib/radexa/ang/*.ang")
if(NOT shipped OR NOT shipped STREQUAL installed)
    fail("angle data beside the program: '${installed}', shipped: '${shipped}'")
endif()
file(GLOB stray "${root}/bin/*.pdf" "${root}/bin/*.txt" "${root}/bin/ang")
if(stray)
    fail("data in bin: ${stray}")
endif()

# The program is started through its link in bin and answers without a display.
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=QT_QPA_PLATFORM
                        "${root}/bin/radexa" --version
                OUTPUT_VARIABLE out RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT out STREQUAL "radexa ${VERSION}\n")
    fail("installed radexa --version: ${rc} '${out}'")
endif()
execute_process(COMMAND "${root}/bin/radexa-cli" --band 20m --power 100
                OUTPUT_VARIABLE out RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR out STREQUAL "")
    fail("installed radexa-cli: ${rc} '${out}'")
endif()

find_program(DESKTOP_VALIDATE desktop-file-validate)
find_program(APPSTREAMCLI appstreamcli)
if(DESKTOP_VALIDATE)
    execute_process(COMMAND ${DESKTOP_VALIDATE} "${root}/share/applications/${id}.desktop"
                    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT rc EQUAL 0)
        fail("desktop-file-validate: ${out}")
    endif()
endif()
if(APPSTREAMCLI)
    execute_process(COMMAND ${APPSTREAMCLI} validate --no-net
                            "${root}/share/metainfo/${id}.metainfo.xml"
                    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT rc EQUAL 0)
        fail("appstreamcli validate: ${out}")
    endif()
endif()

# The launcher: the working folder is made and seeded on the first start ...
set(data "${WORK}/xdg-data")
set(work "${data}/radexa")
execute_process(COMMAND ${CMAKE_COMMAND} -E env XDG_DATA_HOME=${data} --unset=DISPLAY
                        "${root}/bin/radexa-launch" --version
                OUTPUT_VARIABLE out RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT out STREQUAL "radexa ${VERSION}\n")
    fail("radexa-launch --version: ${rc} '${out}' '${err}'")
endif()
file(READ "${SOURCE}/data/Antennas.txt" shippedCatalogue HEX)
if(EXISTS "${work}/Antennas.txt")
    file(READ "${work}/Antennas.txt" seeded HEX)
    if(NOT seeded STREQUAL shippedCatalogue)
        fail("the seeded Antennas.txt differs from the shipped one")
    endif()
else()
    fail("no Antennas.txt in ${work}")
endif()
if(NOT IS_SYMLINK "${work}/Radexa_Help.pdf" OR NOT EXISTS "${work}/Radexa_Help.pdf")
    fail("no link to the manual in ${work}")
endif()
file(GLOB leftovers "${work}/.Antennas*")
if(leftovers)
    fail("temporary files left: ${leftovers}")
endif()

# ... and what the user has there is never replaced.
file(WRITE "${work}/Antennas.txt" "[Mine]\nLoop,Loop,7.1,-3,1,#\n")
file(REMOVE "${work}/Radexa_Help.pdf")
file(WRITE "${work}/Radexa_Help.pdf" "my own notes")
execute_process(COMMAND ${CMAKE_COMMAND} -E env XDG_DATA_HOME=${data}
                        "${root}/bin/radexa-launch" --version RESULT_VARIABLE rc)
file(READ "${work}/Antennas.txt" mine)
file(READ "${work}/Radexa_Help.pdf" notes)
if(NOT rc EQUAL 0 OR NOT mine STREQUAL "[Mine]\nLoop,Loop,7.1,-3,1,#\n"
   OR NOT notes STREQUAL "my own notes")
    fail("the launcher replaced the user's files")
endif()

# Without a usable XDG_DATA_HOME the folder is ~/.local/share/radexa.
execute_process(COMMAND ${CMAKE_COMMAND} -E env HOME=${WORK}/home XDG_DATA_HOME=relative
                        "${root}/bin/radexa-launch" --version RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT EXISTS "${WORK}/home/.local/share/radexa/Antennas.txt")
    fail("launcher without XDG_DATA_HOME: ${rc}")
endif()

if(failures GREATER 0)
    message(FATAL_ERROR "${failures} check(s) failed")
endif()
file(REMOVE_RECURSE "${WORK}")
