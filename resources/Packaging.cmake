# The Debian package, built by CMake's own packager: `cpack -G DEB` in a build
# folder (see tools/build-package) gives velmora-mapper_<version>_<arch>.deb
# with everything `cmake --install` installs under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmora-mapper)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Velmora Mapping Team")
set(CPACK_PACKAGE_CONTACT "The Velmora Mapping Team <maps@velmora.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tile-map editor for the maps of the world of Velmora")
# Each line of the long description starts with a space in the control file;
# CPack adds it.
set(CPACK_PACKAGE_DESCRIPTION
    "The Velmora Mapping Program draws and edits the 999 x 999 tile maps of the\n"
    "game world Velmora in five tile sets, with a palette of tile pictures, an\n"
    "information panel, a colour overview and three window layouts.\n"
    "\n"
    "The command velmora-map describes, draws, compares and converts map files\n"
    "without the editor: it shows map changes in git, turns maps into TMX, TMJ\n"
    "and CSV for other tile editors and back, publishes maps as a web atlas\n"
    "that any browser opens from its folder, and draws the thumbnails that\n"
    "file managers show for map files.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PROJECT_HOMEPAGE_URL})
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The libraries the programs link come from dpkg-shlibdeps. It cannot see
# what Qt loads while running: the platform plugins, without which the
# editor opens no window, and the fonts its windows are drawn in; nor Leaflet,
# which velmora-map publish copies into every atlas it writes.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libjs-leaflet")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, fonts-urw-base35")
include(CPack)
