# Installs the build into a scratch prefix and checks that the editor, its
# desktop entry and its icon land where a desktop's application menu looks,
# and that velmora-map and its manual page land beside it and the installed
# velmora-map runs with an empty environment.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
foreach(file bin/velmora-mapper
             bin/velmora-map
             share/man/man1/velmora-map.1
             share/applications/velmora-mapper.desktop
             share/icons/hicolor/128x128/apps/velmora-mapper.png)
    if(NOT EXISTS "${PREFIX}/${file}")
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()
file(READ "${PREFIX}/share/applications/velmora-mapper.desktop" entry)
foreach(line "Exec=velmora-mapper" "Icon=velmora-mapper" "Type=Application")
    string(FIND "${entry}" "${line}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the desktop entry lacks ${line}")
    endif()
endforeach()

execute_process(COMMAND env -i "${PREFIX}/bin/velmora-map" --help
                RESULT_VARIABLE result OUTPUT_VARIABLE help ERROR_VARIABLE complaint)
if(NOT result EQUAL 0 OR NOT help MATCHES "velmora-map SUBCOMMAND")
    message(FATAL_ERROR "the installed velmora-map does not run: ${result} ${complaint}")
endif()
