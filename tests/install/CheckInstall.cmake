# Installs the build into a scratch prefix and checks that both programs and
# everything a desktop and a Debian system look for land where they look: the
# menu entry, the icons, the AppStream data, the MIME type, the thumbnailer,
# the manual pages and the package's documents; and that the installed
# velmora-map runs with an empty environment and finds its drawing module.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
set(expected
    bin/velmora-mapper
    bin/velmora-map
    share/applications/velmora-mapper.desktop
    share/icons/hicolor/scalable/apps/velmora-mapper.svg
    share/metainfo/org.velmora.mapper.metainfo.xml
    share/mime/packages/velmora-map.xml
    share/thumbnailers/velmora-map.thumbnailer
    share/man/man1/velmora-mapper.1.gz
    share/man/man1/velmora-map.1.gz
    share/doc/velmora-mapper/copyright
    share/doc/velmora-mapper/changelog.gz)
foreach(size 16 22 24 32 48 64 128 256 512)
    list(APPEND expected share/icons/hicolor/${size}x${size}/apps/velmora-mapper.png)
endforeach()
file(GLOB_RECURSE module "${PREFIX}/lib/velmora-map-pictures.so")
if(NOT module MATCHES "/lib/(.+/)?velmora-map/velmora-map-pictures.so$")
    message(FATAL_ERROR "not installed: lib/.../velmora-map/velmora-map-pictures.so")
endif()
foreach(file ${expected})
    if(NOT EXISTS "${PREFIX}/${file}")
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()
file(READ "${PREFIX}/share/applications/velmora-mapper.desktop" entry)
foreach(line "Exec=velmora-mapper %f" "MimeType=application/x-velmora-map;" "Icon=velmora-mapper"
             "Type=Application")
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

# A picture needs the drawing module, found from where the program is.
file(WRITE "${PREFIX}/check.csv" "1,2,3\n4,5,6\n")
execute_process(COMMAND env -i "${PREFIX}/bin/velmora-map" import --tileset 0 "${PREFIX}/check.csv"
                        "${PREFIX}/check.map" RESULT_VARIABLE result ERROR_VARIABLE complaint)
if(result EQUAL 0)
    execute_process(COMMAND env -i "${PREFIX}/bin/velmora-map" thumbnail "${PREFIX}/check.map"
                            "${PREFIX}/check.png" RESULT_VARIABLE result ERROR_VARIABLE complaint)
endif()
if(NOT result EQUAL 0 OR NOT EXISTS "${PREFIX}/check.png")
    message(FATAL_ERROR "the installed velmora-map cannot draw: ${result} ${complaint}")
endif()
