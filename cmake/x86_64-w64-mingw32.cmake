# Cross-builds the 64-bit Windows program with Debian's mingw-w64 compilers
# (g++-mingw-w64-x86-64-posix), and runs what it builds under 64-bit Wine.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(ZORVANE_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
