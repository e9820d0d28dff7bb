# Cross-compiles for 64-bit Windows on Debian with mingw-w64. The -posix
# compilers give std::thread and friends; everything is linked statically, so
# the executables need no DLL beyond the ones Windows ships.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(scenario_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${scenario_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${scenario_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${scenario_mingw}-windres)

# Libraries, headers and packages come from the mingw-w64 tree only, never
# from the host's /usr/include or /usr/lib; programs run on the host.
set(CMAKE_FIND_ROOT_PATH /usr/${scenario_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# ctest and test discovery start the Windows programs through Wine.
set(SCENARIO_WINE /usr/lib/wine/wine64 CACHE FILEPATH
    "Wine loader that runs the cross-compiled programs")
set(CMAKE_CROSSCOMPILING_EMULATOR ${SCENARIO_WINE})
