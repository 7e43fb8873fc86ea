# Cross-builds the 32-bit Windows program with Debian's mingw-w64 compilers
# (g++-mingw-w64-i686-posix). Only a machine that runs 32-bit programs can run
# what it builds, under 32-bit Wine.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(ZORVANE_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
