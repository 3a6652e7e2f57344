# Fails when a source file includes across the layers the wrong way:
#   - the core (src/core) includes no Qt header and nothing of src/gui or src/cli;
#   - the command-line tool (src/cli) includes nothing of src/gui;
#   - inside a layer, a folder includes only the folders listed below it here,
#     so that no two folders ever depend on each other.
# Run as a build step: cmake -DSOURCE_DIR=<src> -P CheckLayers.cmake
cmake_minimum_required(VERSION 3.25)
# Each list names the folders that a folder may include (its own is always allowed).
set(core_platform "")
set(core_store platform)
set(core_protect store platform)
set(core_explorer store platform)
set(core_ports explorer store platform)
set(core_editor ports store platform)
set(core_transfer ports store platform)
set(core_update ports store platform)
set(core_password platform)
set(core_document editor explorer password ports protect store transfer update platform)
set(gui_toolkit "")
set(gui_explorer toolkit)
set(gui_editor explorer toolkit)
set(gui_shell editor explorer toolkit)

set(failures "")
file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.h ${SOURCE_DIR}/*.cpp)
foreach(source IN LISTS sources)
    string(REGEX MATCH "^([a-z]+)/?([a-z]*)" _ "${source}")
    set(layer ${CMAKE_MATCH_1})
    set(folder ${CMAKE_MATCH_2})
    file(STRINGS ${SOURCE_DIR}/${source} includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line IN LISTS includes)
        if(layer STREQUAL "core" AND line MATCHES "<Q[A-Za-z]*[>/]")
            list(APPEND failures "${source}: the core includes no Qt header: ${line}")
        endif()
        if(NOT line MATCHES "\"([a-z]+)/([a-z]+)/")
            continue()
        endif()
        set(to_layer ${CMAKE_MATCH_1})
        set(to_folder ${CMAKE_MATCH_2})
        if(layer STREQUAL "core" AND NOT to_layer STREQUAL "core")
            list(APPEND failures "${source}: the core includes only the core: ${line}")
        elseif(layer STREQUAL "cli" AND to_layer STREQUAL "gui")
            list(APPEND failures "${source}: the command-line tool includes no window code: ${line}")
        elseif(to_layer STREQUAL layer AND DEFINED ${layer}_${folder} AND NOT to_folder STREQUAL folder
               AND NOT to_folder IN_LIST ${layer}_${folder})
            list(APPEND failures "${source}: ${layer}/${folder} may not include ${layer}/${to_folder}: ${line}")
        endif()
    endforeach()
endforeach()

if(failures)
    list(JOIN failures "\n  " text)
    message(FATAL_ERROR "Includes across the layers:\n  ${text}")
endif()
