# Cross build for 32-bit Windows with Debian's mingw-w64 (posix threads).
# Built and linked only: the machines here cannot run 32-bit programs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(GLYPHORA_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
# Doubles in SSE2 registers as in the 64-bit build, not in the x87 unit's
# 80-bit ones (the i686 compiler's default), so both builds paint the same bytes.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
