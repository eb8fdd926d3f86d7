# 64-bit Windows: the tests on machines that run no 32-bit x86 program, where
# Wine cannot start a 32-bit one either.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)

# Wine's 64-bit loader itself: the wine command takes the 32-bit loader whenever
# it is installed, whether this machine can run it or not.
find_program(VENDAXO_WINE64 wine64 PATHS /usr/lib/wine NO_CACHE REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${VENDAXO_WINE64})
