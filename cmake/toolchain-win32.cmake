# Cross build for 32-bit Windows with Debian's mingw-w64 (posix threads).
# Built and linked only: the machines here cannot run 32-bit programs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(GLYPHORA_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
