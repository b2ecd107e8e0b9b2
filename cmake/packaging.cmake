# Packages made by `cpack` in the build directory: on Windows (also when cross-built) the zip
# zimvokrelt-<version>-win64.zip, elsewhere the Debian package zimvokrelt_<version>_<arch>.deb.
# The Debian package installs below /usr whatever the build's install prefix: the game in
# /usr/games, its levels in /usr/share/games/zimvokrelt/plansze (found relative to the game),
# the checker in /usr/bin.
set(CPACK_PACKAGE_NAME zimvokrelt)
set(CPACK_PACKAGE_VENDOR "ZimvoKrelt authors")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_RESOURCE_FILE_README "${PROJECT_SOURCE_DIR}/README.md")
set(CPACK_STRIP_FILES ON)

if(WIN32)
    set(CPACK_GENERATOR ZIP)
    set(CPACK_SYSTEM_NAME win64)
    set(CPACK_PACKAGE_FILE_NAME "zimvokrelt-${PROJECT_VERSION}-win64")
    # The zip unpacks into one folder named like the zip.
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
else()
    set(CPACK_GENERATOR DEB)
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION games)
    set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
    set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ZK_MAINTAINER}")
    # The summary above is the first line; these lines are the long description below it.
    set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
        "Paint a board of up to 15 x 15 cells in five colours from the clues beside\n\
its rows and above its columns. Includes 15 levels, a level editor and the\n\
level checker zimvokrelt-check.")
    # The C++ runtime the programs link against, found by dpkg-shlibdeps.
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
endif()

include(CPack)
