# Installs the build into a scratch prefix and checks that both programs and
# everything a desktop and a Debian system look for land where they look: the
# menu entry, the icons, the AppStream data, the MIME type, the thumbnailer,
# the manual pages and the package's documents; and that the installed
# velmora-map runs with an empty environment.
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
