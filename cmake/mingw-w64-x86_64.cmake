# Cross-builds the Windows console program from Debian with MinGW-w64 (package
# g++-mingw-w64-x86-64-posix): cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZK_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZK_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZK_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${ZK_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ZK_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Executables need no DLL beyond those Windows ships: the C++ runtime and winpthreads are
# linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Cross-built test programs run under Wine.
find_program(ZK_WINE NAMES wine64 wine)
if(ZK_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${ZK_WINE})
endif()
