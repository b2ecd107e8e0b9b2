# What the tests need, and the Debian packages that hold it: GoogleTest (libgtest-dev; its
# sources, googletest, for a cross build, which builds it), and for the end-to-end tests on
# POSIX systems libvterm, found through pkg-config (libvterm-dev, pkg-config). Sets
# ZK_TEST_PACKAGES_MISSING to the packages that would supply what was not found (empty when all
# is there), and the imported target ZK_VTERM_TARGET for the end-to-end tests.
set(ZK_TEST_PACKAGES_MISSING)
if(CMAKE_CROSSCOMPILING)
    set(ZK_GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources to cross-build")
    if(NOT EXISTS "${ZK_GOOGLETEST_SOURCE_DIR}/CMakeLists.txt")
        list(APPEND ZK_TEST_PACKAGES_MISSING googletest)
    endif()
else()
    find_package(GTest QUIET)
    if(NOT GTest_FOUND)
        list(APPEND ZK_TEST_PACKAGES_MISSING libgtest-dev)
    endif()
endif()

# The terminal end-to-end tests (and the Windows program's, run on the host) read the game's
# screen through libvterm.
if(NOT WIN32)
    find_package(PkgConfig QUIET)
    if(PkgConfig_FOUND)
        pkg_check_modules(VTERM QUIET IMPORTED_TARGET GLOBAL vterm)
    endif()
    if(VTERM_FOUND)
        set(ZK_VTERM_TARGET PkgConfig::VTERM)
    else()
        list(APPEND ZK_TEST_PACKAGES_MISSING libvterm-dev)
        if(NOT PkgConfig_FOUND)
            list(APPEND ZK_TEST_PACKAGES_MISSING pkg-config)
        endif()
    endif()
endif()
