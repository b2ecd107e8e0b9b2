# Packages made by `cpack` in the build directory: on Windows (also when cross-built) the zip
# zimvokrelt-<version>-win64.zip, elsewhere the Debian package zimvokrelt_<version>_<arch>.deb.
# Configure with -DCMAKE_INSTALL_PREFIX=/usr for the Debian package, so that the game's built-in
# level directory is the one the package installs.
set(CPACK_PACKAGE_NAME zimvokrelt)
set(CPACK_PACKAGE_VENDOR "ZimvoKrelt developers")
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
    set(CPACK_PACKAGING_INSTALL_PREFIX "${CMAKE_INSTALL_PREFIX}")
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION games)
    set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
    set(CPACK_DEBIAN_PACKAGE_MAINTAINER "ZimvoKrelt developers <zimvokrelt@localhost>")
    # The summary above is the first line; this is the long description below it.
    set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
        "Paint a board of up to 15 x 15 cells in five colours from the clues beside its rows \
and above its columns. Includes 15 levels, a level editor and the level checker \
zimvokrelt-check.")
    # The C++ runtime the programs link against, found by dpkg-shlibdeps.
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    if(NOT CMAKE_INSTALL_PREFIX STREQUAL "/usr")
        message(STATUS "Debian package: configure with -DCMAKE_INSTALL_PREFIX=/usr so the game "
                       "finds the levels the package installs")
    endif()
endif()

include(CPack)
